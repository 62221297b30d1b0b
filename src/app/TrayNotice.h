#pragma once
// The balloon each device notice shows on the tray icon.
#include "config/ConfigImage.h"

#include <optional>
#include <string>

namespace lumeno {

class UiText;

inline constexpr char kBalloonTitleInfo[] = "Info";
inline constexpr char kBalloonTitleWarning[] = "Warning";
inline constexpr int kDpiBalloonTimeoutMs = 5000;
inline constexpr int kConnectionBalloonTimeoutMs = 100;

struct Balloon {
    std::string title;
    // nullopt: the balloon is shown again with the text it had before.
    std::optional<std::string> text;
    int timeoutMs = 0;
};

// Notice kind 1 (param: the stage 0..7 the mouse switched to), 14 (mouse
// found) or 15 (mouse gone); nullopt for any other kind. The DPI shown is the
// snapshot's 100-step code of that stage.
std::optional<Balloon> BalloonForNotice(int kind, int param, const UiText& text, const ConfigSnapshot& snapshot);

} // namespace lumeno
