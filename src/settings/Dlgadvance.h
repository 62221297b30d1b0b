#pragma once
// CDlgadvance: the right-hand column of the main window. A scrolling list of
// items, each a header button with a pane that opens under it; the panes do
// the editing. The column sits in the skinned scroll frame; its rules live in
// SettingsAccordion. Enter, Escape, Space and F1 never act in the column or
// its panes, except that an entry box keeps Enter to commit its value.
#include "settings/SettingsAccordion.h"
#include "ui/SettingsPane.h"

#include <QAbstractScrollArea>

#include <functional>
#include <vector>

namespace lumeno {

class CBitmapBtn;
class CSkinScrollWnd;

// One item of the column: the whole description of a pane. Adding a pane is
// one row in the program's table (SettingsPaneRows).
struct SettingsPaneRow {
    UiTextId title;
    const char* background; // sizes the pane
    bool shown;             // the header is in the column
    // Makes the pane; empty: the row opens an empty placeholder.
    std::function<SettingsPane*(PaneContext&, QWidget* parent)> create;
};

class CDlgadvance : public QAbstractScrollArea {
    Q_OBJECT
public:
    CDlgadvance(PaneContext context, const std::vector<SettingsPaneRow>& rows, QWidget* parent);

    // Puts the column at rect in its parent, inside the skinned scroll frame
    // (which its parent then owns).
    void PlaceInFrame(const QRect& rect);
    CSkinScrollWnd* Frame() const { return frame_; }

    void Toggle(int item);
    void CollapseAll();
    // Every pane shows the image again.
    void RefreshPanes();
    // The mouse was found: the panes that care switch their mode.
    void MouseFound();

    const SettingsAccordion& Accordion() const { return accordion_; }
    const AccordionModel& Layout() const { return accordion_.Layout(); }
    CBitmapBtn* Header(int item) const { return headers_[size_t(item)]; }
    SettingsPane* Pane(int item) const { return panes_[size_t(item)]; }
    // The widget the headers and panes lie on, moved up as the column scrolls.
    QWidget* Content() const { return content_; }
    int ScrollPosition() const;

    // The wheel setting the column follows: the image's where the desktop
    // took it, otherwise the desktop's own lines per notch.
    WheelSetting WheelSettingInForce() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Relayout();
    void UpdateScrollRange();

    PaneContext context_;
    SettingsAccordion accordion_;
    QWidget* content_ = nullptr;
    CSkinScrollWnd* frame_ = nullptr;
    std::vector<CBitmapBtn*> headers_;
    std::vector<SettingsPane*> panes_;
    int wheelRest_ = 0; // a high-resolution wheel's delta short of a notch
};

} // namespace lumeno
