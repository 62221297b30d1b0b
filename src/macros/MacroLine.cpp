#include "macros/MacroLine.h"

namespace lumeno {

namespace {

// Every occurrence goes, as a stored line may repeat its suffix.
std::string RemoveAll(std::string_view text, std::string_view part)
{
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, from)) {
        out.append(text.substr(from, at - from));
        from = at + part.size();
    }
    out.append(text.substr(from));
    return out;
}

} // namespace

MacroLineKind KindOfLine(std::string_view line)
{
    if (line.find(kPressSuffix) != std::string_view::npos)
        return MacroLineKind::Press;
    if (line.find(kReleaseSuffix) != std::string_view::npos)
        return MacroLineKind::Release;
    return MacroLineKind::Other;
}

bool IsDelayLine(std::string_view line) { return line.find(kDelayMark) != std::string_view::npos; }

std::string KeyNameOfLine(std::string_view line)
{
    switch (KindOfLine(line)) {
    case MacroLineKind::Press:
        return RemoveAll(line, kPressSuffix);
    case MacroLineKind::Release:
        return RemoveAll(line, kReleaseSuffix);
    case MacroLineKind::Other:
        break;
    }
    return std::string(line);
}

std::string DelayTextOfLine(std::string_view line) { return RemoveAll(line, kDelaySuffix); }

std::string PressLine(std::string_view keyName) { return std::string(keyName) + std::string(kPressSuffix); }

std::string ReleaseLine(std::string_view keyName) { return std::string(keyName) + std::string(kReleaseSuffix); }

std::string DelayLine(long long milliseconds) { return std::to_string(milliseconds) + std::string(kDelaySuffix); }

} // namespace lumeno
