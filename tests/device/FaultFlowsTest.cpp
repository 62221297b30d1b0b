// Every write flow and the event reader against each way the mouse can fail
// while plugged in: no answer, short answers, replies with a wrong checksum,
// removal in the middle of a transfer, answers slower than the answer limit.
// Each flow runs on the device worker as in the program and must end within
// its bound on the virtual clock (its planned pauses, one second per block
// chunk it reads, and one answer limit), pay nothing on the UI thread, keep
// the user's values in the image and save them. A mouse that still takes
// reports must hold what a healthy one holds.
#include "DeviceFixture.h"
#include "PumpedUiThread.h"

#include "config/ProfileSettings.h"
#include "flows/DeviceWorker.h"
#include "flows/WriteFlows.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <thread>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;

// The virtual clock, counting the pauses made on the UI (test) thread.
class UiWatchingPacer final : public Pacer {
public:
    void Pause(std::chrono::milliseconds duration) override
    {
        if (std::this_thread::get_id() == ui_)
            pausesOnUi.fetch_add(1);
        clock_.Pause(duration);
    }
    std::chrono::milliseconds Now() const override { return clock_.Now(); }
    std::atomic<int> pausesOnUi{0};

private:
    VirtualPacer clock_;
    std::thread::id ui_ = std::this_thread::get_id();
};

// Device notices as the shell hands them on: queued, then behind any
// running flow (the session closes handles a flow may be using).
class BehindFlowsUiThread final : public UiThread {
public:
    BehindFlowsUiThread(UiThread& ui, DeviceWorker& worker) : ui_(ui), worker_(worker) {}
    void Post(std::function<void()> task) override
    {
        ui_.Post([this, task = std::move(task)] { worker_.AfterFlows(task); });
    }

private:
    UiThread& ui_;
    DeviceWorker& worker_;
};

enum class Fault { None, NoAnswer, ShortAnswer, WrongChecksum, RemovalMidTransfer, SlowAnswer, LateAnswer };

const char* Name(Fault f)
{
    switch (f) {
    case Fault::None:
        return "none";
    case Fault::NoAnswer:
        return "no answer";
    case Fault::ShortAnswer:
        return "short answer";
    case Fault::WrongChecksum:
        return "wrong checksum";
    case Fault::RemovalMidTransfer:
        return "removal mid-transfer";
    case Fault::SlowAnswer:
        return "slow answer";
    case Fault::LateAnswer:
        return "late answer";
    }
    return "?";
}

// Slower than the answer limit: every report waits the limit, then counts as
// unanswered.
constexpr std::chrono::milliseconds kTooSlow = kEmulatedAnswerLimit + 1000ms;
// Late for every report, but within the answer limit: only the flow's
// bound ends the flow.
constexpr std::chrono::milliseconds kLate = 1500ms;

// The program and one mouse, with a session that hears removals and a worker
// that runs the flows, all on the watching clock.
struct FaultRig : ContextFixture {
    FaultRig()
    {
        hid.AddMouse(mouse);
        ctx.device = &link;
        EnsureDataDirectory(ctx);
        LoadFactoryDefaults(ctx.image);
        ctx.languageCode = "EN";
        EXPECT_TRUE(session.Start());
        link.state.Clear();
        mouse.ClearTraffic();
    }
    ~FaultRig() { hid.RemoveMouse(mouse); }

    // Values of every group that differ from the defaults.
    void SetUserValues()
    {
        ctx.image.axisSensitivityX = 3;
        ctx.image.axisSensitivityY = 7;
        ctx.image.dpiCode100[2] = 80;
        ctx.image.stageEnabled[5] = 0;
        ctx.image.reportRateCode = 2;
        ctx.image.lightingMode = 2;
        ctx.image.liftOffLevel = 2;
        ctx.image.SetLiftOffEnabled(1);
        ctx.image.keyUsage[4] = 0x3E;
        for (int k = 0; k < kMacroSlotCount; ++k)
            ctx.image.macroMemory[k][0] = uint8_t(k + 1);
        for (int i = 0; i < kButtonCount; ++i)
            ctx.captions[size_t(i)] = "Caption " + std::to_string(i + 1);
    }

    void Apply(Fault fault, int reportsOfAHealthyRun)
    {
        VirtualMouseFaults f;
        switch (fault) {
        case Fault::None:
            break;
        case Fault::NoAnswer:
            mouse.SetFrozen(true);
            break;
        case Fault::ShortAnswer:
            f.shortAnswers = true;
            break;
        case Fault::WrongChecksum:
            f.wrongChecksums = true;
            break;
        case Fault::RemovalMidTransfer:
            f.unplugAfterReports = std::max(1, reportsOfAHealthyRun / 2);
            break;
        case Fault::SlowAnswer:
            f.answerDelay = kTooSlow;
            break;
        case Fault::LateAnswer:
            f.answerDelay = kLate;
            break;
        }
        mouse.SetFaults(f);
    }

    // Runs the flow on the worker with its plan, as the program does; the
    // test thread only pumps.
    FlowResult Run(Flow flow)
    {
        std::optional<FlowResult> result;
        worker.Submit({[this, flow] { return RunFlow(flow, ctx); }, [this, flow] { return PlannedPauses(flow, ctx); },
                       [&](FlowResult r) { result = r; }});
        EXPECT_TRUE(ui.PumpUntil([&] { return result.has_value(); }));
        return result.value_or(FlowResult{false, false, std::nullopt});
    }

    int CommandReports() const
    {
        int n = 0;
        for (const auto& r : mouse.Traffic())
            n += r.collection == MouseCollection::Commands;
        return n;
    }

    UiWatchingPacer pacer;
    VirtualMouse mouse{{}, &pacer};
    EmulatedHidSystem hid{&pacer};
    DeviceLink link{hid, pacer, debug};
    PumpedUiThread ui;
    DeviceWorker worker{ui, &link};
    BehindFlowsUiThread notices{ui, worker};
    RecordingListener listener;
    DeviceSession session{ctx, link, hid, notices, listener};
};

// What the mouse holds of the user's values (not what it reads back of its
// own: report-rate bytes 1..3, the lighting block, the current stage).
struct HeldValues {
    uint8_t rate;
    std::array<uint8_t, 7> stageDpi;
    uint8_t mask, x, y, liftOff;
    std::array<uint8_t, 6> effect;
    std::array<uint8_t, 64> buttonMap;
    std::array<std::array<uint8_t, 192>, 12> macros;
    bool operator==(const HeldValues&) const = default;
};
HeldValues Held(const VirtualMouseState& s)
{
    return {s.reportRate[0], s.stageDpi,       s.stageEnableMask, s.sensitivityX, s.sensitivityY,
            s.liftOffLevel,  s.lightingEffect, s.buttonMap,       s.macroBlocks};
}

struct Outcome {
    ConfigImage image;
    std::string file;
    std::string captions; // the settings file
    HeldValues held;
    int reports = 0;
};

// A flow and the block chunks it reads (the lighting block).
struct FlowCase {
    Flow flow;
    const char* name;
    int chunksRead;
};
const FlowCase kFlows[] = {
    {Flow::WriteAll, "WriteAll", 1},
    {Flow::FactoryReset, "FactoryReset", 1},
    {Flow::ButtonsAndMacros, "Buttons", 0},
    {Flow::Sensitivity, "Sensitivity", 0},
    {Flow::Dpi, "Dpi", 0},
    {Flow::ReportRate, "ReportRate", 0},
    {Flow::Lighting, "Lighting", 1},
    {Flow::LiftOff, "LiftOff", 0},
};
struct FaultCase {
    Fault fault;
    bool mouseTakesReports; // it must then hold what a healthy one holds
    bool lostAfter;         // the program then takes it as gone
};
const FaultCase kFaults[] = {
    {Fault::NoAnswer, false, true},      {Fault::ShortAnswer, true, false},
    {Fault::WrongChecksum, true, false}, {Fault::RemovalMidTransfer, false, false},
    {Fault::SlowAnswer, false, true},    {Fault::LateAnswer, false, true},
};

// Each fault's letters only, for the case names.
std::string CaseName(Fault f)
{
    std::string name;
    bool upper = true;
    for (const char c : std::string(Name(f))) {
        if (c == ' ' || c == '-') {
            upper = true;
            continue;
        }
        name += upper ? char(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
    }
    return name;
}

struct FaultFlowTest : ::testing::TestWithParam<std::tuple<FlowCase, FaultCase>> {};

TEST_P(FaultFlowTest, EndsInTimeKeepsTheUsersValuesAndSavesThem)
{
    const auto& [f, c] = GetParam();
    Outcome healthy;
    {
        FaultRig rig;
        rig.SetUserValues();
        rig.Run(f.flow);
        healthy = {rig.ctx.image, ReadFileBytes(rig.dataDir / "config0.bin"), ReadFileBytes(rig.dataDir / "str0.ini"),
                   Held(rig.mouse.State()), rig.CommandReports()};
    }
    FaultRig rig;
    rig.SetUserValues();
    const std::chrono::milliseconds planned = PlannedPauses(f.flow, rig.ctx);
    // A late mouse is stopped by the flow's bound, at most one late answer
    // after it; every other fault ends the flow by itself.
    const std::chrono::milliseconds bound = c.fault == Fault::LateAnswer
                                                ? FlowBound(planned) + kLate
                                                : planned + f.chunksRead * kInputReportTimeout + kEmulatedAnswerLimit;
    rig.Apply(c.fault, healthy.reports);
    const auto start = rig.pacer.Now();

    const FlowResult result = rig.Run(f.flow);

    EXPECT_LE(rig.pacer.Now() - start, bound);
    EXPECT_EQ(rig.pacer.pausesOnUi.load(), 0) << "the UI thread waited on the mouse";
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(std::memcmp(&rig.ctx.image, &healthy.image, kConfigImageSize), 0) << "the user's values";
    EXPECT_EQ(ReadFileBytes(rig.dataDir / "config0.bin"), healthy.file);
    EXPECT_EQ(ReadFileBytes(rig.dataDir / "str0.ini"), healthy.captions);
    if (c.mouseTakesReports) {
        EXPECT_TRUE(Held(rig.mouse.State()) == healthy.held) << "what reached the mouse";
        EXPECT_EQ(rig.mouse.BadChecksumCount(), 0);
    }
    rig.session.AfterFlow();
    // A flow of few reports stays within its bound however late each is.
    const bool lost =
        c.fault == Fault::LateAnswer ? healthy.reports * kLate > FlowBound(planned) - planned : c.lostAfter;
    EXPECT_EQ(rig.session.Lost(), lost) << healthy.reports << " reports";
}

INSTANTIATE_TEST_SUITE_P(EveryFlowUnderEveryFault, FaultFlowTest,
                         ::testing::Combine(::testing::ValuesIn(kFlows), ::testing::ValuesIn(kFaults)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    CaseName(std::get<1>(info.param).fault);
                         });

// The event reader: a fault never turns into a wrong notice, and the next
// good report after it is heard.
struct ReaderCase {
    Fault fault;
    bool faultyReportHeard;
};
struct FaultReaderTest : ::testing::TestWithParam<ReaderCase> {};

TEST_P(FaultReaderTest, HearsNoWrongNoticeAndTheNextGoodReport)
{
    const ReaderCase c = GetParam();
    FaultRig rig;
    auto heard = [&](const char* call) {
        const auto calls = rig.listener.Snapshot();
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    };
    rig.Apply(c.fault, 0);
    if (c.fault == Fault::RemovalMidTransfer) {
        rig.mouse.Unplug(); // while the reader waits in its read
        EXPECT_TRUE(rig.ui.PumpUntil([&] { return heard("gone"); }));
    }
    rig.mouse.SwitchDpiStage(4);
    rig.mouse.SetFaults({});
    rig.mouse.SetFrozen(false);
    if (c.fault == Fault::RemovalMidTransfer) {
        rig.mouse.Plug();
        EXPECT_TRUE(rig.ui.PumpUntil([&] { return heard("arrived"); }));
    }
    rig.mouse.SwitchDpiStage(6);
    const std::vector<std::string> expected =
        c.faultyReportHeard ? std::vector<std::string>{"dpi 4", "dpi 6"} : std::vector<std::string>{"dpi 6"};
    auto dpiNotices = [&] {
        std::vector<std::string> dpi;
        for (const auto& call : rig.listener.Snapshot())
            if (call.starts_with("dpi "))
                dpi.push_back(call);
        return dpi;
    };
    EXPECT_TRUE(rig.ui.PumpUntil([&] { return dpiNotices().size() >= expected.size(); }));
    EXPECT_EQ(dpiNotices(), expected);
    EXPECT_EQ(rig.pacer.pausesOnUi.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryFault, FaultReaderTest,
                         ::testing::Values(ReaderCase{Fault::NoAnswer, false}, ReaderCase{Fault::ShortAnswer, false},
                                           ReaderCase{Fault::WrongChecksum, true},
                                           ReaderCase{Fault::RemovalMidTransfer, false},
                                           ReaderCase{Fault::SlowAnswer, true}),
                         [](const auto& info) { return CaseName(info.param.fault); });

} // namespace
} // namespace lumeno::test
