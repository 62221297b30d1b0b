#pragma once
// The owner-drawn popup menu (CExMenu): dark red items 20 px high,
// separators 5 px, the hidden identifier 1, an alternate text colour and a
// small "TM" mark per item, and a border of one RGB(143,32,32) frame round
// two RGB(111,41,41) frames. The menu paints its own frame, so no hook on
// the platform's menu windows is needed.
#include "ui/MenuModel.h"

#include <QMenu>

#include <memory>
#include <vector>

namespace lumeno {

class CExMenu : public QMenu {
    Q_OBJECT
public:
    explicit CExMenu(QWidget* parent = nullptr);
    ~CExMenu() override;

    // Appends an item; identifier 2048 appends a separator, a submenu makes
    // the item open it. Returns the item's action.
    QAction* AppendItem(int id, const QString& text, CExMenu* submenu = nullptr);
    void SetItemMarks(int id, bool alternateColour, bool trademark);
    // Item width in pixels; 0 (the default) applies the width rule.
    void SetItemWidth(int width);
    int ItemWidth() const;

    std::vector<MenuItem> Items() const;
    static int IdOf(const QAction* action);
    QAction* ActionFor(int id) const;

    // Shows the menu at a screen position and runs it; the chosen item's
    // identifier, or 0 when the menu closed without a choice.
    int TrackPopup(const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class Style;
    std::unique_ptr<Style> style_;
    int fixedWidth_ = 0;
};

} // namespace lumeno
