#include "settings/DpiStageEditor.h"

#include <algorithm>

namespace lumeno {

namespace {

constexpr int kDpiMinimum100 = 100;
constexpr int kDpiMaximum100 = 12000;
constexpr int kDpiUpTo50Step = 7200;   // the last 50-step value
constexpr int kDpiMaximum50 = 10800;   // code 180
constexpr int kDpiMinimum50 = 50;      // code 1
constexpr int kCode50HundredBase = 72; // (b - 72) x 100 above code 144

} // namespace

int DpiOfCode50(int code) { return code <= kDpiCode50Last50Step ? code * 50 : (code - kCode50HundredBase) * 100; }

int DpiOfCode100(int code) { return code * 100; }

int Code50OfDpi(int dpi)
{
    if (dpi <= kDpiMinimum50)
        return kDpiCodeMinimum;
    if (dpi >= kDpiMaximum50)
        return kDpiCode50Maximum;
    if (dpi <= kDpiUpTo50Step)
        return dpi / 50;
    return (dpi + kCode50HundredBase * 100) / 100;
}

int Code100OfDpi(int dpi) { return std::clamp(dpi, kDpiMinimum100, kDpiMaximum100) / 100; }

int LeadingNumber(std::string_view text)
{
    // Five digits at most reach the box; longer texts stop growing at a
    // value above every range instead of overflowing.
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(value * 10 + (c - '0'), 1000000L);
    }
    return int(value);
}

int DpiStageEditor::StageCode(int stage) const
{
    return hundredStep_ ? image_.dpiCode100[stage] : image_.dpiCode50[stage];
}

int DpiStageEditor::ShownDpi(int stage) const
{
    return hundredStep_ ? DpiOfCode100(image_.dpiCode100[stage]) : DpiOfCode50(image_.dpiCode50[stage]);
}

void DpiStageEditor::SliderReleased(int stage, int position)
{
    openEntry_ = -1;
    (hundredStep_ ? image_.dpiCode100 : image_.dpiCode50)[stage] = uint8_t(position);
    if (image_.stageEnabled[stage] == 0)
        image_.stageEnabled[stage] = 1;
}

void DpiStageEditor::ToggleStage(int stage) { image_.stageEnabled[stage] = image_.stageEnabled[stage] == 0 ? 1 : 0; }

std::string DpiStageEditor::OpenEntry(int stage)
{
    openEntry_ = stage;
    const int dpi = hundredStep_ ? DpiOfCode100(snapshot_.dpiCode100[stage]) : DpiOfCode50(snapshot_.dpiCode50[stage]);
    return std::to_string(dpi);
}

std::optional<DpiStageEditor::Commit> DpiStageEditor::CommitEntry(int stage, std::string_view text)
{
    if (text == lastAccepted_)
        return std::nullopt;
    lastAccepted_ = std::string(text);
    const int typed = LeadingNumber(text);
    Commit commit;
    if (hundredStep_) {
        commit.code = Code100OfDpi(typed);
        image_.dpiCode100[stage] = uint8_t(commit.code);
        commit.text = std::to_string(DpiOfCode100(commit.code));
    } else {
        commit.code = Code50OfDpi(typed);
        image_.dpiCode50[stage] = uint8_t(commit.code);
        commit.text = std::to_string(DpiOfCode50(commit.code));
    }
    return commit;
}

} // namespace lumeno
