#include "app/MainWindowSkin.h"

#include <algorithm>
#include <array>

namespace lumeno {

namespace {

constexpr std::array kViews{MouseView::Top, MouseView::Side};

// Every overlay name, built once: the window draws seven at each paint.
struct OverlayNames {
    // [view][number - 1][lit]
    std::array<std::array<std::array<std::string, 2>, kButtonCount>, kViews.size()> names;

    OverlayNames()
    {
        for (size_t v = 0; v < kViews.size(); ++v)
            for (int number = 1; number <= kButtonCount; ++number)
                for (bool lit : {false, true})
                    names[v][size_t(number - 1)][lit ? 1 : 0] = "Skins" + OverlayImageName(kViews[v], number, lit);
    }
};

const OverlayNames& Overlays()
{
    static const OverlayNames overlays;
    return overlays;
}

} // namespace

std::string_view MouseOverlayImage(MouseView view, int number, bool lit)
{
    if (number < 1 || number > kButtonCount)
        return {};
    return Overlays().names[view == MouseView::Top ? 0 : 1][size_t(number - 1)][lit ? 1 : 0];
}

std::vector<std::string> MainWindowSkinNames()
{
    std::vector<std::string> names;
    auto add = [&names](std::string_view name) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.emplace_back(name);
    };
    for (const PlacedImage& image : {kMainBackgroundImage, kLogoImage, kLeftColumnImage, kMouseLogoImage,
                                     kPictureBackgroundImage, kSettingsColumnImage})
        add(image.name);
    for (const SkinnedButton& button :
         {kHelpButtonSkin, kMinimiseButtonSkin, kCloseButtonSkin, kTopViewTabSkin, kSideViewTabSkin, kProfileButtonSkin,
          kResetButtonSkin, kSectionHeaderSkin, kAssignmentBoxSkin})
        for (const char* look :
             {button.images.normal, button.images.hover, button.images.pressed, button.images.disabled})
            add(look);
    for (const char* name :
         {kAssignmentSectionImage, kAxisSectionImage, kAxisTrackEmptyImage, kAxisTrackFilledImage, kSplashImage})
        add(name);
    for (MouseView view : kViews) {
        add(MouseBaseImage(view));
        for (int number = 1; number <= kButtonCount; ++number)
            for (bool lit : {false, true})
                add(MouseOverlayImage(view, number, lit));
    }
    return names;
}

} // namespace lumeno
