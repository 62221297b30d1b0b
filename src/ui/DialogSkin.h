#pragma once
// Skin images that the main window and the dialogs share, named once.
namespace lumeno {

inline constexpr char kCloseButtonNormalImage[] = "Skins/button-close-normal.png";
inline constexpr char kCloseButtonOverImage[] = "Skins/button-close-over.png";

} // namespace lumeno
