#include "flows/WriteFlows.h"

#include "config/ConfigFiles.h"
#include "config/ProfileSettings.h"
#include "device/CommandSet.h"
#include "device/DeviceLink.h"
#include "flows/AppContext.h"
#include "flows/PointerSettings.h"
#include "flows/ProfileLoad.h"
#include "platform/DebugOutput.h"
#include "platform/HidSystem.h"
#include "platform/Pacer.h"

#include <algorithm>
#include <array>

namespace lumeno {

namespace {

// During a factory reset the mouse is put on this stage.
constexpr uint8_t kResetDpiStage = 1;

// The commands of each flow, apart from its saves. resetStage: the DPI stage
// sent is the reset stage instead of the mouse's current one.
using Sender = void (*)(DeviceLink& link, const ConfigImage& image, bool resetStage);

void SendDpi(DeviceLink& link, const ConfigImage& image, bool resetStage)
{
    SetStageColors(link, BuildStageColorBlock(image));
    GetCurrentDpiStage(link);
    if (resetStage)
        link.state.currentDpiStage = kResetDpiStage;
    SetDpiStagesHigh(link, image);
    SetDpiStagesLow(link, image);
}

void SendEverything(DeviceLink& link, const ConfigImage& image, bool resetStage)
{
    UpdateReportRate(link, image);
    SetAxisSensitivity(link, image);
    SendDpi(link, image, resetStage);
    SetButtonMap(link, image);
    SetMacro(link, image);
    UpdateLightingBlock(link, image);
    SetLightingEffect(link, image);
}

void SendButtonsAndMacros(DeviceLink& link, const ConfigImage& image, bool)
{
    SetButtonMap(link, image);
    SetMacro(link, image);
}

void SendSensitivity(DeviceLink& link, const ConfigImage& image, bool) { SetAxisSensitivity(link, image); }
void SendReportRate(DeviceLink& link, const ConfigImage& image, bool) { UpdateReportRate(link, image); }
void SendLiftOff(DeviceLink& link, const ConfigImage& image, bool) { SetLiftOff(link, image); }

void SendLighting(DeviceLink& link, const ConfigImage& image, bool)
{
    UpdateLightingBlock(link, image);
    SetLightingEffect(link, image);
}

Sender SenderOf(Flow flow)
{
    switch (flow) {
    case Flow::WriteAll:
    case Flow::FactoryReset:
        return SendEverything;
    case Flow::ButtonsAndMacros:
        return SendButtonsAndMacros;
    case Flow::Sensitivity:
        return SendSensitivity;
    case Flow::Dpi:
        return SendDpi;
    case Flow::ReportRate:
        return SendReportRate;
    case Flow::Lighting:
        return SendLighting;
    case Flow::LiftOff:
        return SendLiftOff;
    }
    return SendSensitivity;
}

bool Cancelled(const AppContext& ctx) { return ctx.device && ctx.device->cancel.load(); }

bool SaveFileAndCaptions(AppContext& ctx)
{
    const bool file = SaveConfigFile(ctx);
    const bool captions = SaveCaptions(ctx, ctx.paths.currentSettingsFile);
    return file && captions;
}

// The outcome of a flow whose commands are done: its saves, and why they
// failed if they did.
FlowResult Saved(AppContext& ctx)
{
    FlowResult result{SaveFileAndCaptions(ctx), Cancelled(ctx), std::nullopt};
    if (!result.saved)
        result.problem = DiagnoseSaveFailure(ctx);
    return result;
}

// The commands of a partial write, then the saves and, unless cancelled,
// the snapshot.
FlowResult PartialWrite(AppContext& ctx, Flow flow)
{
    if (DeviceLink* link = ctx.device)
        SenderOf(flow)(*link, ctx.image, false);
    const FlowResult result = Saved(ctx);
    if (!result.cancelled)
        TakeSnapshot(ctx.image, ctx.snapshot);
    return result;
}

// Clears resetInProgress however the reset ends.
struct ResetGuard {
    AppContext& ctx;
    ~ResetGuard() { ctx.resetInProgress = false; }
};

// A HID system with no devices: the link of a dry run, which pays every
// pause on a clock that does not sleep and sends nothing.
class NoHidSystem final : public HidSystem {
public:
    std::optional<std::vector<HidInterfaceInfo>> Enumerate() override { return std::vector<HidInterfaceInfo>{}; }
    HidError Probe(const std::string&) override { return HidError::NotFound; }
    std::unique_ptr<HidHandle> Open(const std::string&, HidOpenMode, HidError* error) override
    {
        if (error)
            *error = HidError::NotFound;
        return nullptr;
    }
    void SetNoticeCallback(HidNoticeCallback) override {}
};

class NoDebugOutput final : public DebugOutput {
public:
    void Write(std::string_view) override {}
};

} // namespace

FlowResult WriteAll(AppContext& ctx)
{
    if (DeviceLink* link = ctx.device)
        SendEverything(*link, ctx.image, ctx.resetInProgress);
    return Saved(ctx);
}

FlowResult FactoryReset(AppContext& ctx)
{
    ctx.resetInProgress = true;
    ResetGuard guard{ctx};

    const uint8_t profileIndex = ctx.image.profileIndex;
    const uint32_t liftOffEnabled = ctx.image.LiftOffEnabled();
    std::array<uint8_t, sizeof(ctx.image.macroMemory)> macros;
    std::copy_n(&ctx.image.macroMemory[0][0], macros.size(), macros.begin());

    LoadProfile(ctx); // the base file and "str.ini" while resetting
    LoadFactoryDefaults(ctx.image);
    LoadProfileSettings(ctx, ctx.paths.currentSettingsFile);

    ctx.image.profileIndex = profileIndex;
    ctx.image.SetLiftOffEnabled(liftOffEnabled);
    std::copy(macros.begin(), macros.end(), &ctx.image.macroMemory[0][0]);

    if (ctx.device && ctx.device->connection.MouseConnected())
        WriteAll(ctx);
    const FlowResult result = Saved(ctx); // back to the profile's own files
    if (!result.cancelled)
        TakeSnapshot(ctx.image, ctx.snapshot);
    // The user asked for the defaults, the pointer values included; they are
    // the desktop's, so a mouse that went away changes nothing for them.
    MarkPointerSettings(ctx);
    ApplyPointerSettings(ctx);
    return result;
}

FlowResult WriteButtonsAndMacros(AppContext& ctx) { return PartialWrite(ctx, Flow::ButtonsAndMacros); }
FlowResult WriteSensitivity(AppContext& ctx) { return PartialWrite(ctx, Flow::Sensitivity); }
FlowResult WriteDpi(AppContext& ctx) { return PartialWrite(ctx, Flow::Dpi); }
FlowResult WriteReportRate(AppContext& ctx) { return PartialWrite(ctx, Flow::ReportRate); }
FlowResult WriteLighting(AppContext& ctx) { return PartialWrite(ctx, Flow::Lighting); }
FlowResult WriteLiftOff(AppContext& ctx) { return PartialWrite(ctx, Flow::LiftOff); }

FlowResult RunFlow(Flow flow, AppContext& ctx)
{
    switch (flow) {
    case Flow::WriteAll:
        return WriteAll(ctx);
    case Flow::FactoryReset:
        return FactoryReset(ctx);
    default:
        return PartialWrite(ctx, flow);
    }
}

std::chrono::milliseconds PlannedPauses(Flow flow, const AppContext& ctx)
{
    if (!ctx.device)
        return {};
    if (flow == Flow::FactoryReset && !ctx.device->connection.MouseConnected())
        return {};
    NoHidSystem hid;
    VirtualPacer pacer;
    NoDebugOutput debug;
    DeviceLink dry(hid, pacer, debug);
    dry.state = ctx.device->state;
    SenderOf(flow)(dry, ctx.image, false);
    return dry.transport.Paused();
}

} // namespace lumeno
