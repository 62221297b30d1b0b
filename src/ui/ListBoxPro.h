#pragma once
// The owner-drawn list box with hover highlight (CListBoxPro). Items are
// grey, the selected item and the item under the cursor signal yellow. The
// parent hears hoverNotice(item, listId) whenever the hovered item changes
// and on every right-button release.
#include <QListWidget>

namespace lumeno {

inline constexpr QRgb kListItemColour = 0xFF919191;      // RGB(145,145,145)
inline constexpr QRgb kListHighlightColour = 0xFFFFED00; // RGB(255,237,0)

class CListBoxPro : public QListWidget {
    Q_OBJECT
public:
    explicit CListBoxPro(QWidget* parent = nullptr);

    void SetListId(int id) { listId_ = id; }
    int ListId() const { return listId_; }
    int HoverItem() const { return hoverItem_; }
    // The rectangle of an item in the list's viewport coordinates.
    QRect ItemRect(int row) const;

signals:
    void hoverNotice(int item, int listId);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int RowAt(const QPoint& viewportPos) const;
    void SetHoverItem(int row);

    int listId_ = 0;
    int hoverItem_ = -1;
};

} // namespace lumeno
