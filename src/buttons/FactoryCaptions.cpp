#include "buttons/FactoryCaptions.h"

#include "buttons/AssignmentMenu.h"
#include "config/ProfileSettings.h"
#include "ui/UiText.h"

namespace lumeno {

namespace {

// What a missing key reads as; no stored caption holds it.
constexpr char kMissing[] = "\x01missing";

} // namespace

std::array<ButtonCaption, kButtonCount> FactoryCaptions(std::string_view languageCode)
{
    UiText text;
    FillUiText(text, languageCode);
    ConfigImage factory{};
    LoadFactoryDefaults(factory);
    std::array<ButtonCaption, kButtonCount> captions;
    for (int i = 0; i < kButtonCount; ++i)
        if (const auto id = CommandOfAssignment(factory, i))
            captions[size_t(i)] = AssignmentItemText(*id, text, languageCode);
    return captions;
}

bool HasCaptionSection(ProfileIni& ini, const std::filesystem::path& settingsFile, std::string_view languageCode)
{
    const std::string section = CaptionSectionName(languageCode);
    for (int n = 1; n <= kButtonCount; ++n)
        if (ini.ReadString(settingsFile, section, ItemKey(n), kMissing) != kMissing)
            return true;
    return false;
}

bool SeedFactoryCaptions(ProfileIni& ini, const std::filesystem::path& settingsFile)
{
    bool written = true;
    for (std::string_view language : kCaptionLanguages) {
        if (HasCaptionSection(ini, settingsFile, language))
            continue;
        const auto captions = FactoryCaptions(language);
        std::vector<ProfileIni::KeyValue> keys;
        for (int i = 0; i < kButtonCount; ++i)
            keys.emplace_back(ItemKey(i + 1), captions[size_t(i)]);
        written = ini.ReplaceSection(settingsFile, CaptionSectionName(language), keys) && written;
    }
    return written;
}

} // namespace lumeno
