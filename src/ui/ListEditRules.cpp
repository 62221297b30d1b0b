#include "ui/ListEditRules.h"

namespace lumeno {

std::string AcceptedDelayText(std::string_view typed)
{
    long long value = 0;
    for (char c : typed) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > kMaxEditedDelayMs)
            value = kMaxEditedDelayMs; // also stops long digit runs overflowing
    }
    return std::to_string(value) + " ms";
}

std::optional<std::string> AcceptedNameText(std::string_view typed, const std::vector<std::string>& items, int index)
{
    if (typed.empty())
        return std::nullopt;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (i != index && items[static_cast<size_t>(i)] == typed)
            return std::nullopt;
    }
    return std::string(typed);
}

bool IsNumericEditCharacter(char32_t c) { return c >= U'0' && c <= U'9'; }

} // namespace lumeno
