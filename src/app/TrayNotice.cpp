#include "app/TrayNotice.h"

#include "app/UiText.h"
#include "platform/DeviceNoticeSink.h"

namespace lumeno {

std::optional<Balloon> BalloonForNotice(int kind, int param, const UiText& text, const ConfigSnapshot& snapshot)
{
    switch (static_cast<DeviceNoticeKind>(kind)) {
    case DeviceNoticeKind::DpiStageChanged: {
        Balloon balloon{kBalloonTitleInfo, std::nullopt, kDpiBalloonTimeoutMs};
        if (param >= 0 && param <= kHighestDpiStage) {
            const int dpi = DpiOf100(snapshot.dpiCode100[param]);
            balloon.text = text[kTextDpiStage1 + param] + "(" + std::to_string(dpi) + ")";
        }
        return balloon;
    }
    case DeviceNoticeKind::MouseFound:
        return Balloon{kBalloonTitleInfo, text[kTextMouseFound], kConnectionBalloonTimeoutMs};
    case DeviceNoticeKind::MouseGone:
        return Balloon{kBalloonTitleWarning, text[kTextMouseGone], kConnectionBalloonTimeoutMs};
    }
    return std::nullopt;
}

} // namespace lumeno
