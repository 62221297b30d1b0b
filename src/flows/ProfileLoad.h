#pragma once
// Loading the current profile: its configuration file with the macro library
// encoded over it, and the file steps of start-up (data folder,
// configuration, language, captions and the first-run rule, in that order).
#include "config/ConfigFiles.h"

#include <string>
#include <string_view>

namespace lumeno {

struct AppContext;

// The language code for a POSIX locale name such as "de_DE.UTF-8":
// "DE", "CHT" (zh_TW, zh_HK, zh_MO), "CHS" (other zh) or "EN".
std::string LanguageCodeForLocale(std::string_view locale);

// LoadConfigFile, then the macro library encoded into the image's macro
// memory: what start-up, an arrival, a restore and a reset load.
ConfigLoad LoadProfile(AppContext& ctx);

// Runs, in order: creating the data folder when missing and giving a fresh
// installation its profile list and language (in "str.ini"); LoadProfile and the snapshot; the
// language code (from the current settings file, else from "str.ini", else
// systemLanguage); the profile's captions; the first-run initialisation,
// which also gives a profile without captions the factory ones.
// False when the data folder cannot be used: nothing the user changes can
// be saved.
bool RunStartupFileSteps(AppContext& ctx, std::string_view systemLanguage);

} // namespace lumeno
