#pragma once
// The right-hand column of the main window: a pane host laid out as an
// accordion, and the one table of its rows. Adding a pane is one row in
// SettingsPaneRows() (SettingsPanes.cpp).
#include "flows/ConfigCommands.h"
#include "ui/AccordionModel.h"
#include "ui/UiText.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace lumeno {

struct AppContext;
class CBitmapBtn;
class SkinImages;

// What a pane is given: the image it edits in place and the requests it
// may make. Panes never see the main window.
struct PaneContext {
    AppContext& ctx;
    ConfigCommands& commands;
    const UiText& text;
    const SkinImages& skin;
};

// A pane of the column. Its size is the size of its background image.
class SettingsPane : public QWidget {
public:
    using QWidget::QWidget;
    // The panes show the image again (after a load, a reset, a restore).
    virtual void RefreshFromImage() {}
    // The mouse was found (start-up, arrival, a search after a removal).
    virtual void MouseFound() {}
};

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
