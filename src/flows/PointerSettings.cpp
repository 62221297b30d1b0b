#include "flows/PointerSettings.h"

#include "config/ConfigFiles.h"
#include "config/ProfileSettings.h"
#include "flows/AppContext.h"
#include "platform/DebugOutput.h"

#include <chrono>

namespace lumeno {

namespace {

constexpr int kDoubleClickBaseMs = 970;
constexpr int kDoubleClickStepMs = 70;

// The diagnostic lines of the four settings, as the program writes them.
constexpr char kSetMouseFailed[] = "SETMOUSE failed.\n";
constexpr char kSetMouseSpeedFailed[] = "SETMOUSESPEED failed.\n";
constexpr char kSetWheelFailed[] = "SETWHEELSCROLLLINES failed.\n";
constexpr char kSetDoubleClickFailed[] = "SPI_SETDOUBLECLICKTIME failed.\n";

} // namespace

PointerOsValues PointerOsValuesOf(const ConfigImage& image)
{
    PointerOsValues values;
    values.precision = image.pointerPrecision == 1;
    const int speedLevel = image.pointerSpeedLevel;
    values.speed = speedLevel <= 1 ? 1 : 2 * speedLevel - 2;
    values.wheelLines = image.wheelPageMode != 0 ? kWheelOneScreen : int(image.wheelLines);
    values.doubleClickMs = kDoubleClickBaseMs - kDoubleClickStepMs * int(image.doubleClickLevel);
    return values;
}

void ApplyPointerSettings(AppContext& ctx)
{
    if (!ctx.pointerSettings)
        return;
    if (!PointerSettingsMarked(ctx)) {
        ctx.debug.Write("Pointer settings never set in this profile: the desktop keeps its own\n");
        return;
    }
    ctx.pointerSettings->Apply(ctx);
}

FlowResult ApplyPointerChange(AppContext& ctx)
{
    if (!MarkPointerSettings(ctx))
        ctx.debug.Write("Pointer settings applied, but the profile could not be marked\n");
    if (ctx.pointerSettings)
        ctx.pointerSettings->Apply(ctx);
    FlowResult result;
    const bool file = SaveConfigFile(ctx);
    const bool captions = SaveCaptions(ctx, ctx.paths.currentSettingsFile);
    result.saved = file && captions;
    if (!result.saved)
        result.problem = DiagnoseSaveFailure(ctx);
    return result;
}

SinkPointerSettings::SinkPointerSettings(PointerSettingsSink& sink, DebugOutput& debug, PointerTaskRunner runner)
    : sink_(sink), debug_(debug), runner_(std::move(runner))
{
}

void SinkPointerSettings::Apply(AppContext& ctx)
{
    const PointerOsValues values = PointerOsValuesOf(ctx.image);
    if (runner_)
        runner_([this, values] { Send(values); });
    else
        Send(values);
}

void SinkPointerSettings::Send(const PointerOsValues& values)
{
    const auto start = std::chrono::steady_clock::now();
    auto report = [this](const PointerSinkResult& result, const char* line) {
        if (result.ok)
            return true;
        debug_.Write(line);
        DebugPrintf(debug_, "%.*s: %s\n", int(sink_.Name().size()), sink_.Name().data(), result.reason.c_str());
        return false;
    };
    report(sink_.SetPrecision(values.precision), kSetMouseFailed);
    report(sink_.SetSpeed(values.speed), kSetMouseSpeedFailed);
    wheelApplied_ = report(sink_.SetWheelLines(values.wheelLines), kSetWheelFailed);
    report(sink_.SetDoubleClickTime(values.doubleClickMs), kSetDoubleClickFailed);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    DebugPrintf(debug_, "Pointer settings sent to %.*s in %.1f ms\n", int(sink_.Name().size()), sink_.Name().data(),
                took.count());
}

} // namespace lumeno
