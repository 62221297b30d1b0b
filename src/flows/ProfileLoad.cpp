#include "flows/ProfileLoad.h"

#include "buttons/FactoryCaptions.h"
#include "config/ConfigFiles.h"
#include "config/InterruptedWrites.h"
#include "config/ProfileListFile.h"
#include "config/ProfileSettings.h"
#include "flows/AppContext.h"
#include "macros/MacroEncoder.h"

#include <array>

namespace lumeno {

namespace {

struct LocaleLanguage {
    std::string_view prefix;
    std::string_view code;
};
// First match wins: traditional Chinese regions before the general "zh".
constexpr std::array<LocaleLanguage, 5> kLocaleLanguages{
    {{"zh_TW", "CHT"}, {"zh_HK", "CHT"}, {"zh_MO", "CHT"}, {"zh", "CHS"}, {"de", "DE"}}};

// The name of the one profile of a fresh installation, in its language.
std::string FirstProfileName(std::string_view languageCode)
{
    if (languageCode == "DE")
        return "Profil 1";
    if (languageCode == "CHT")
        return "設定檔 1";
    return "Profile 1";
}

// A fresh installation has no profile list; without one nothing would ever be
// loaded and every start would come up with an empty configuration. It also
// gets its language, which nothing else in the program writes, and the
// factory captions in every language, which a reset reads from here.
void SeedFreshInstallation(AppContext& ctx, std::string_view languageCode)
{
    const auto& list = ctx.paths.profileList;
    if (!ctx.ini.ReadString(list, kProfileSection, kItemCountKey).empty())
        return;
    if (ctx.ini.ReadString(list, kSkinsSection, kLanguageKey).empty())
        ctx.ini.WriteString(list, kSkinsSection, kLanguageKey, languageCode);
    const std::string name = FirstProfileName(languageCode);
    ctx.ini.WriteString(list, kProfileSection, kCurProfileNameKey, name);
    ctx.ini.WriteString(list, kProfileSection, kItemCountKey, "1");
    ctx.ini.WriteString(list, kProfileSection, ItemKey(0), name);
    SeedFactoryCaptions(ctx.ini, list);
}

} // namespace

std::string LanguageCodeForLocale(std::string_view locale)
{
    for (const auto& entry : kLocaleLanguages)
        if (locale.starts_with(entry.prefix))
            return std::string(entry.code);
    return "EN";
}

ConfigLoad LoadProfile(AppContext& ctx)
{
    const ConfigLoad loaded = LoadConfigFile(ctx);
    if (loaded == ConfigLoad::Loaded) {
        EncodeLibrary(ctx.ini, ctx.paths.macroLibrary, ctx.image);
        if (!ctx.resetInProgress)
            ctx.profiles.activePosition = ctx.currentProfileNumber; // the image holds its data now
    }
    return loaded;
}

bool RunStartupFileSteps(AppContext& ctx, std::string_view systemLanguage)
{
    const bool usable = EnsureDataDirectory(ctx);
    RemoveInterruptedWrites(ctx);
    std::string listLanguage = ctx.ini.ReadString(ctx.paths.profileList, kSkinsSection, kLanguageKey);
    if (listLanguage.empty())
        listLanguage = systemLanguage;
    // A profile list write that a crash interrupted is completed before
    // anything is read from the list.
    FinishProfileListWrite(ctx);
    SeedFreshInstallation(ctx, listLanguage);

    LoadProfile(ctx);
    TakeSnapshot(ctx.image, ctx.snapshot);

    // Nothing in the program writes the language; a profile's file that lacks
    // it falls back to the profile list's, then to the desktop's language.
    ctx.languageCode = ReadLanguageCode(ctx);
    if (ctx.languageCode.empty())
        ctx.languageCode = listLanguage;

    LoadProfileSettings(ctx, ctx.paths.currentSettingsFile);
    // A profile given the factory defaults shows their captions, unless its
    // file already holds captions of its own for this language.
    const auto& settings = ctx.paths.currentSettingsFile;
    if (RunFirstRunInitialisation(ctx) && !HasCaptionSection(ctx.ini, settings, ctx.languageCode)) {
        SeedFactoryCaptions(ctx.ini, settings);
        LoadProfileSettings(ctx, settings);
    }
    return usable;
}

} // namespace lumeno
