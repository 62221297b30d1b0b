#pragma once
// The close button of a title strip, the same images in the main window and
// in the dialogs.
namespace lumeno {

inline constexpr char kCloseButtonNormalImage[] = "Skins/button-close-normal.png";
inline constexpr char kCloseButtonOverImage[] = "Skins/button-close-over.png";

} // namespace lumeno
