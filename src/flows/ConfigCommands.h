#pragma once
// What panes and dialogs ask of the program. They edit the image in place,
// then ask for their group to be applied; they never see the main window.
// Requests are queued: each runs after the handler that made it, in order.
namespace lumeno {

// The groups a request can apply.
enum class ApplyGroup {
    ReshowControls,   // the profile pane closed: the main window shows its controls again
    Pointer,          // the desktop's pointer settings
    Dpi,              // stages, their colours and the enable mask
    ReportRate,       // polling rate
    Lighting,         // colour block and effect
    Sensitivity,      // X and Y sensitivity
    LiftOff,          // the lift-off level, or off
    ButtonsAndMacros, // the button map and the twelve macro slots
};

class ConfigCommands {
public:
    virtual ~ConfigCommands() = default;

    // Sends the group to the mouse, saves the profile and refreshes the
    // snapshot; the pointer group goes to the desktop instead.
    virtual void Apply(ApplyGroup group) = 0;

    // A click in a settings pane: the main window clears its highlighted
    // button.
    virtual void ClearHighlight() = 0;
};

} // namespace lumeno
