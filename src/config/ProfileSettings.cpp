#include "config/ProfileSettings.h"

#include "config/ProfileStore.h"

#include <array>

namespace lumeno {

namespace {

struct LanguageSection {
    std::string_view code;
    std::string_view section;
};
constexpr std::array<LanguageSection, 4> kCaptionSections{{
    {"EN", "Setting-EN"},
    {"DE", "Setting-DE"},
    {"CHS", "Setting-CHS"},
    {"CHT", "Setting-CHT"},
}};

} // namespace

std::string CaptionSectionName(std::string_view languageCode)
{
    for (const auto& entry : kCaptionSections)
        if (entry.code == languageCode) // exact: "en" is not a language
            return std::string(entry.section);
    return {};
}

void LoadProfileSettings(ProfileStore& ctx, const std::filesystem::path& settingsFile)
{
    const std::string section = CaptionSectionName(ctx.languageCode);
    for (int i = 0; i < kButtonCount; ++i)
        ctx.captions[size_t(i)] = ctx.ini.ReadString(settingsFile, section, ItemKey(i + 1));
}

bool SaveCaptions(ProfileStore& ctx, const std::filesystem::path& settingsFile)
{
    const std::string section = CaptionSectionName(ctx.languageCode);
    bool saved = true;
    for (int i = 0; i < kButtonCount; ++i)
        saved = ctx.ini.WriteString(settingsFile, section, ItemKey(i + 1), ctx.captions[size_t(i)]) && saved;
    return saved;
}

bool PointerSettingsMarked(ProfileStore& ctx)
{
    return ctx.ini.ReadString(ctx.paths.currentSettingsFile, kProfileSection, kPointerSettingsKey) == "Y";
}

bool MarkPointerSettings(ProfileStore& ctx)
{
    return ctx.ini.WriteString(ctx.paths.currentSettingsFile, kProfileSection, kPointerSettingsKey, "Y");
}

std::string ReadLanguageCode(ProfileStore& ctx)
{
    return ctx.ini.ReadString(ctx.paths.currentSettingsFile, kSkinsSection, kLanguageKey);
}

} // namespace lumeno
