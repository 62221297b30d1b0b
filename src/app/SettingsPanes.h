#pragma once
// The right-hand column of the main window: a pane host laid out as an
// accordion, and the one table of its rows. Adding a pane is one row in
// SettingsPaneRows() (SettingsPanes.cpp).
#include "ui/AccordionModel.h"
#include "ui/SettingsPane.h"

#include <functional>
#include <vector>

namespace lumeno {

class CBitmapBtn;

struct SettingsPaneRow {
    UiTextId title;
    const char* background; // sizes the pane
    bool shown;             // the header is in the column
    // Makes the pane; empty: the row opens an empty placeholder.
    std::function<SettingsPane*(PaneContext&, QWidget* parent)> create;
};

const std::vector<SettingsPaneRow>& SettingsPaneRows();

class CSettingsPaneHost : public QWidget {
    Q_OBJECT
public:
    CSettingsPaneHost(PaneContext context, const std::vector<SettingsPaneRow>& rows, QWidget* parent);

    void CollapseAll();
    void RefreshPanes();
    void MouseFound();
    void Toggle(int item);

    const AccordionModel& Layout() const { return layout_; }
    CBitmapBtn* Header(int item) const { return headers_[size_t(item)]; }
    SettingsPane* Pane(int item) const { return panes_[size_t(item)]; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Relayout();

    PaneContext context_;
    AccordionModel layout_;
    std::vector<CBitmapBtn*> headers_;
    std::vector<SettingsPane*> panes_;
};

} // namespace lumeno
