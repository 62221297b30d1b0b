#include "app/TrayNotice.h"

#include "device/DpiNotice.h"
#include "platform/DeviceNoticeSink.h"
#include "ui/UiText.h"

namespace lumeno {

std::optional<Balloon> BalloonForNotice(int kind, int param, const UiText& text, const ConfigSnapshot& snapshot)
{
    switch (static_cast<DeviceNoticeKind>(kind)) {
    case DeviceNoticeKind::DpiStageChanged: {
        std::array<std::string, kNoticeStages> stageTexts;
        for (int stage = 0; stage < kNoticeStages; ++stage)
            stageTexts[size_t(stage)] = text[kTextDpiStage1 + stage];
        return Balloon{kBalloonTitleInfo, DpiNoticeText(stageTexts, snapshot, param), kDpiBalloonTimeoutMs};
    }
    case DeviceNoticeKind::MouseFound:
        return Balloon{kBalloonTitleInfo, text[kTextMouseFound], kConnectionBalloonTimeoutMs};
    case DeviceNoticeKind::MouseGone:
        return Balloon{kBalloonTitleWarning, text[kTextMouseGone], kConnectionBalloonTimeoutMs};
    }
    return std::nullopt;
}

} // namespace lumeno
