#include "device/Flows.h"

#include "config/AppContext.h"
#include "config/ConfigFiles.h"
#include "config/ProfileSettings.h"
#include "device/CommandSet.h"
#include "device/DeviceLink.h"
#include "platform/BusyIndicator.h"

#include <algorithm>
#include <array>

namespace lumeno {

namespace {

// During a factory reset the mouse is put on this stage.
constexpr uint8_t kResetDpiStage = 1;

void SaveFileAndCaptions(AppContext& ctx)
{
    SaveConfigFile(ctx);
    SaveCaptions(ctx, ctx.paths.currentSettingsFile);
}

void SaveAll(AppContext& ctx)
{
    SaveFileAndCaptions(ctx);
    TakeSnapshot(ctx.image, ctx.snapshot);
}

void SendDpi(DeviceLink& link, const ConfigImage& image, bool resetStage)
{
    SetStageColors(link, BuildStageColorBlock(image));
    GetCurrentDpiStage(link);
    if (resetStage)
        link.state.currentDpiStage = kResetDpiStage;
    SetDpiStagesHigh(link, image);
    SetDpiStagesLow(link, image);
}

// Runs the commands of a partial write behind the busy indicator, then saves.
template <typename Commands>
void PartialWrite(AppContext& ctx, Commands commands)
{
    if (DeviceLink* link = ctx.device) {
        BusyScope busy(link->busy);
        commands(*link, ctx.image);
    }
    SaveAll(ctx);
}

// Clears resetInProgress however the reset ends.
struct ResetGuard {
    AppContext& ctx;
    ~ResetGuard() { ctx.resetInProgress = false; }
};

} // namespace

void WriteAll(AppContext& ctx)
{
    DeviceLink* link = ctx.device;
    BusyScope busy(link ? link->busy : nullptr);
    if (link) {
        const ConfigImage& image = ctx.image;
        UpdateReportRate(*link, image);
        SetAxisSensitivity(*link, image);
        SendDpi(*link, image, ctx.resetInProgress);
        SetButtonMap(*link, image);
        SetMacro(*link, image);
        UpdateLightingBlock(*link, image);
        SetLightingEffect(*link, image);
    }
    SaveFileAndCaptions(ctx);
}

void FactoryReset(AppContext& ctx, const std::function<void()>& applyPointerSettings)
{
    ctx.resetInProgress = true;
    ResetGuard guard{ctx};

    const uint8_t profileIndex = ctx.image.profileIndex;
    const uint32_t liftOffEnabled = ctx.image.LiftOffEnabled();
    std::array<uint8_t, sizeof(ctx.image.macroMemory)> macros;
    std::copy_n(&ctx.image.macroMemory[0][0], macros.size(), macros.begin());

    LoadConfigFile(ctx); // the base file and "str.ini" while resetting
    LoadFactoryDefaults(ctx.image);
    LoadProfileSettings(ctx, ctx.paths.currentSettingsFile);

    ctx.image.profileIndex = profileIndex;
    ctx.image.SetLiftOffEnabled(liftOffEnabled);
    std::copy(macros.begin(), macros.end(), &ctx.image.macroMemory[0][0]);

    if (ctx.device && ctx.device->connection.MouseConnected())
        WriteAll(ctx);
    SaveFileAndCaptions(ctx); // back to the profile's own files
    TakeSnapshot(ctx.image, ctx.snapshot);
    if (applyPointerSettings)
        applyPointerSettings();
}

void WriteButtonsAndMacros(AppContext& ctx)
{
    PartialWrite(ctx, [](DeviceLink& link, const ConfigImage& image) {
        SetButtonMap(link, image);
        SetMacro(link, image);
    });
}

void WriteSensitivity(AppContext& ctx)
{
    PartialWrite(ctx, [](DeviceLink& link, const ConfigImage& image) { SetAxisSensitivity(link, image); });
}

void WriteDpi(AppContext& ctx)
{
    PartialWrite(ctx, [](DeviceLink& link, const ConfigImage& image) { SendDpi(link, image, false); });
}

void WriteReportRate(AppContext& ctx)
{
    PartialWrite(ctx, [](DeviceLink& link, const ConfigImage& image) { UpdateReportRate(link, image); });
}

void WriteLighting(AppContext& ctx)
{
    PartialWrite(ctx, [](DeviceLink& link, const ConfigImage& image) {
        UpdateLightingBlock(link, image);
        SetLightingEffect(link, image);
    });
}

void WriteLiftOff(AppContext& ctx)
{
    PartialWrite(ctx, [](DeviceLink& link, const ConfigImage& image) { SetLiftOff(link, image); });
}

} // namespace lumeno
