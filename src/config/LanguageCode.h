#pragma once
// The interface languages by the codes the settings files store ("Lan"):
// "EN", "DE", "CHS", "CHT". Tables of texts in the four languages are
// indexed by Language; every other code reads the English ones.
#include <string_view>

namespace lumeno {

enum Language { kEnglish, kGerman, kSimplifiedChinese, kTraditionalChinese, kLanguages };

constexpr Language LanguageOf(std::string_view code)
{
    if (code == "CHS")
        return kSimplifiedChinese;
    if (code == "CHT")
        return kTraditionalChinese;
    if (code == "DE")
        return kGerman;
    return kEnglish;
}

} // namespace lumeno
