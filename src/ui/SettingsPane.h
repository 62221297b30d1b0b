#pragma once
// A pane of the settings column and what it is given: the image it edits in
// place and the requests it may make. Panes never see the main window; the
// shell's pane host lays them out.
#include "flows/ConfigCommands.h"
#include "ui/UiText.h"

#include <QWidget>

namespace lumeno {

struct AppContext;
class SkinImages;

struct PaneContext {
    AppContext& ctx;
    ConfigCommands& commands;
    const UiText& text;
    const SkinImages& skin;
};

// Its size is the size of its background image.
class SettingsPane : public QWidget {
public:
    using QWidget::QWidget;
    // The panes show the image again (after a load, a reset, a restore).
    virtual void RefreshFromImage() {}
    // The mouse was found (start-up, arrival, a search after a removal).
    virtual void MouseFound() {}
};

} // namespace lumeno
