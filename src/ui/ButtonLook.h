#pragma once
// Which of its four images an image button (CBitmapBtn) shows.
namespace lumeno {

enum class ButtonLook { Normal, Hover, Pressed, Disabled };

struct ButtonLookState {
    bool enabled = true;
    bool toggleMode = false;
    bool checked = false;
    bool down = false; // held down by the mouse
    bool hover = false;
    bool keepHoverWhenInactive = true;
    bool parentActive = true; // the parent window is the active window
};

// Disabled wins; a toggle shows pressed while checked; otherwise pressed
// while held, hover while hovered. Without keep-hover, an inactive parent
// shows the normal image.
ButtonLook PickButtonLook(const ButtonLookState& state);

} // namespace lumeno
