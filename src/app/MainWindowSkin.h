#pragma once
// The skin images of the main window, its settings column and the splash:
// one spelling of each name, with where the window puts it. Names are
// relative to the application folder. What moves with the accordion
// (section headers and backgrounds, assignment boxes, sliders) is placed by
// MainWindowLayout; its entry here holds the name and, for a button, the size.
//
// The settings column's pane backgrounds are named by its rows
// (SettingsPaneRows()); the mouse overlays' positions by MouseOverlays().
#include "app/MainWindowLayout.h"
#include "ui/DialogSkin.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

struct PlacedImage {
    const char* name;
    Point position;
};

// The four looks of a skinned button.
struct ButtonImages {
    const char* normal;
    const char* hover;
    const char* pressed;
    const char* disabled;
};

// Pressed looks like hover, disabled like normal.
constexpr ButtonImages NormalAndHover(const char* normal, const char* hover) { return {normal, hover, hover, normal}; }

// Disabled looks like normal.
constexpr ButtonImages NormalHoverPressed(const char* normal, const char* hover, const char* pressed)
{
    return {normal, hover, pressed, normal};
}

// Every look its own image.
constexpr ButtonImages FourImages(const char* normal, const char* hover, const char* pressed, const char* disabled)
{
    return {normal, hover, pressed, disabled};
}

// One image for every look.
constexpr ButtonImages SingleImage(const char* image) { return {image, image, image, image}; }

// A button's rectangle in the window (for buttons placed by the layout:
// its size at the origin) and its looks; the images are cut to that size.
struct SkinnedButton {
    Rect rect;
    ButtonImages images;
};

// --- Backgrounds ---
inline constexpr PlacedImage kMainBackgroundImage{"Skins/main.png", {0, 0}}; // sets the window's size
inline constexpr PlacedImage kLogoImage{"Skins/Logo.png", kLogoPos};
inline constexpr PlacedImage kLeftColumnImage{"Skins/BK_MainLeft.png", kLeftColumnPos};
inline constexpr PlacedImage kMouseLogoImage{"Skins/MLogo.png", kMouseLogoPos};
inline constexpr PlacedImage kPictureBackgroundImage{"Skins/BK_MainMid.png", {kPictureRect.left, kPictureRect.top}};
// In the settings column's own coordinates (the column sits at kSettingsPaneRect).
inline constexpr PlacedImage kSettingsColumnImage{"Skins/BK_MainRight.png", {0, 0}};

// --- Buttons ---
inline constexpr SkinnedButton kHelpButtonSkin{
    kHelpButtonRect, NormalAndHover("Skins/button-help-normal.png", "Skins/button-help-over.png")};
inline constexpr SkinnedButton kMinimiseButtonSkin{
    kMinimiseButtonRect, NormalAndHover("Skins/button-min-normal.png", "Skins/button-min-over.png")};
inline constexpr SkinnedButton kCloseButtonSkin{kCloseButtonRect,
                                                NormalAndHover(kCloseButtonNormalImage, kCloseButtonOverImage)};
// The two view tabs; a selected tab shows the pressed look.
inline constexpr ButtonImages kViewTabImages =
    NormalHoverPressed("Skins/button-mouse-normal.png", "Skins/button-mouse-over.png", "Skins/button-mouse-leave.png");
inline constexpr SkinnedButton kTopViewTabSkin{kTopViewTabRect, kViewTabImages};
inline constexpr SkinnedButton kSideViewTabSkin{kSideViewTabRect, kViewTabImages};
inline constexpr SkinnedButton kProfileButtonSkin{
    kProfileButtonRect, NormalHoverPressed("Skins/button-config-normal.png", "Skins/button-config-over.png",
                                           "Skins/button-config-leave.png")};
inline constexpr SkinnedButton kResetButtonSkin{
    kResetButtonRect, FourImages("Skins/button-cancel-normal.png", "Skins/button-cancel-over.png",
                                 "Skins/button-cancel-leave.png", "Skins/button-save-leave.png")};
// The header strip of the left column's sections and of the settings
// column's items.
inline constexpr SkinnedButton kSectionHeaderSkin{{0, 0, 242, 20}, SingleImage("Skins/ItemBK.png")};
// A selected assignment box keeps the hover look.
inline constexpr SkinnedButton kAssignmentBoxSkin{
    {0, 0, 130, 16},
    NormalAndHover("Skins/ButtonAssignment/DropdownBox-normal.png", "Skins/ButtonAssignment/DropdownBox-over.png")};

// --- Sections of the left column, drawn below their headers ---
inline constexpr char kAssignmentSectionImage[] = "Skins/ButtonAssignment/BK_ButtonAssignment.png";
inline constexpr char kAxisSectionImage[] = "Skins/XYSensitivity/BK_XYSensSetting.png";
// The axis sliders' tracks, cut to kSliderWidth x kSliderHeight.
inline constexpr char kAxisTrackEmptyImage[] = "Skins/XYSensitivity/1.png";
inline constexpr char kAxisTrackFilledImage[] = "Skins/XYSensitivity/2.png";

// --- The mouse picture ---
// The base picture of a view is MouseBaseImage(view) at MouseBasePosition(view).
// Overlay `number` (1..7) of a view, lit or not; drawn at MouseOverlays(view).
std::string_view MouseOverlayImage(MouseView view, int number, bool lit);

// --- The splash window ---
inline constexpr char kSplashImage[] = "Skins/splash.png";

// Every image named above, each once.
std::vector<std::string> MainWindowSkinNames();

} // namespace lumeno
