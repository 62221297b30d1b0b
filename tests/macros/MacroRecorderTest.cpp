#include "MacroTestSupport.h"

#include "buttons/KeyTables.h"
#include "macros/MacroRecorder.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

using Lines = std::vector<std::string>;
constexpr uint32_t kA = 0x41;
constexpr uint32_t kB = 0x42;

class RecorderTest : public ::testing::Test, protected test::ManagerFixture {
protected:
    void SetUp() override
    {
        WriteLibrary(test::kTwoMacros);
        Open();
    }
    // Starts recording macro `index` with the delay option as given.
    void Record(size_t index, bool delays)
    {
        model.SelectMacro(index);
        if (model.DelayOption() != delays)
            model.ToggleDelayOption();
        ASSERT_TRUE(model.StartRecording().started);
    }
};

TEST_F(RecorderTest, HeldKeyRecordsOnePressAndOneRelease)
{
    Record(1, false);
    EXPECT_TRUE(model.Lines().empty()); // the old sequence is cleared at start
    EXPECT_TRUE(Key(kA, false));
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(Key(kA, false, 30)) << "auto-repeats reach the desktop";
    EXPECT_TRUE(Key(kA, true, 30));
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "A   Up"}));
    EXPECT_EQ(*model.SelectedLine(), 1u);
}

TEST_F(RecorderTest, DelayOptionAddsMeasuredDelayLines)
{
    Record(1, true);
    Tap(kA, 200);
    Key(kB, false, 1500);
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "200 ms", "A   Up", "1500 ms", "B   Dn"}));

    model.StopRecording();
    EXPECT_FALSE(hook.installed);
    const StoredMacro stored = Stored("Macro_2");
    EXPECT_EQ(stored.lines, model.Lines());
    EXPECT_EQ(stored.delayStatus, "1");
}

TEST_F(RecorderTest, DelayOptionOffRecordsEventsOnly)
{
    Record(0, false);
    Tap(kA, 200);
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "A   Up"}));
}

TEST_F(RecorderTest, LongPauseIsHeldAtTheLongestDelayTheMouseKeeps)
{
    Record(0, true);
    Tap(kA, 70000);
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "65535 ms", "A   Up"}));
}

TEST_F(RecorderTest, KeypadEnterIsNumEnterAndItsRepeatsAreFiltered)
{
    Record(0, false);
    Key(kVkEnter, false, 0, true);
    EXPECT_FALSE(Key(kVkEnter, false, 30, true));
    Key(kVkEnter, true, 30, true);
    Tap(kVkEnter);
    EXPECT_EQ(model.Lines(), (Lines{"Num Enter   Dn", "Num Enter   Up", "Enter   Dn", "Enter   Up"}));
}

TEST_F(RecorderTest, SixtyThirdEventEndsTheRun)
{
    for (const bool delays : {false, true}) {
        Record(0, delays);
        for (int i = 0; i < 32; ++i) // 64 events
            Tap(uint32_t('A' + i % 26), 20);
        EXPECT_FALSE(model.Recording());
        EXPECT_FALSE(hook.installed);
        const size_t expectedLines = delays ? 62 + 61 : 62;
        ASSERT_EQ(model.Lines().size(), expectedLines);
        // Event 62 is the release of the 31st key ("E"), the 63rd was dropped.
        EXPECT_EQ(model.Lines().back(), "E   Up");
        EXPECT_EQ(Stored("Macro_1").lines, model.Lines());
        EXPECT_FALSE(Key(kB, false, 10)) << "no hook once the run ended";
    }
}

TEST_F(RecorderTest, UnnamedKeysCountButAddNoLine)
{
    Record(0, true);
    Tap(0x10); // no name
    Tap(kA, 40);
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "40 ms", "A   Up"}));
}

TEST_F(RecorderTest, SelectingAnotherMacroStoresTheRunUnderTheRecordedMacro)
{
    Record(0, true);
    Tap(kB, 90);
    model.SelectMacro(1);
    EXPECT_FALSE(model.Recording());
    EXPECT_FALSE(hook.installed);
    EXPECT_EQ(model.Lines(), (Lines{"L-Button   Dn", "L-Button   Up"}));
    const StoredMacro stored = Stored("Macro_1");
    EXPECT_EQ(stored.lines, (Lines{"B   Dn", "90 ms", "B   Up"}));
    EXPECT_EQ(stored.delayStatus, "1");
    EXPECT_EQ(stored.loopTimes, "3");
    EXPECT_EQ(StoredNames(), (Lines{"Macro_1", "Macro_2"}));
}

TEST_F(RecorderTest, LeadingReleaseStandsFirstWithoutADelay)
{
    Record(0, true);
    Key(kA, true, 500); // A was held when the run began
    Key(kB, false, 100);
    Key(kB, true, 60);
    EXPECT_EQ(model.Lines(), (Lines{"A   Up", "B   Dn", "60 ms", "B   Up"}));
}

TEST_F(RecorderTest, FirstKeyOfARunIsNeverTakenForARepeat)
{
    Record(0, false);
    Key(kA, false); // the last event of this run: a press of A
    model.StopRecording();
    Key(kA, true); // released while not recording: the hook is gone
    ASSERT_TRUE(model.StartRecording().started);
    EXPECT_TRUE(Key(kA, false, 100));
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn"}));
}

TEST_F(RecorderTest, ReportsCarryTheirOwnKeyAndStaleOnesAreIgnored)
{
    Record(0, false);
    KeyboardEvent a{kA, 0, 0}, b{kB, 0, 0};
    const auto ra = model.OnKeyboardEvent(a).report;
    const auto rb = model.OnKeyboardEvent(b).report; // queued behind a
    model.OnRecordedKey(*ra, now);
    model.OnRecordedKey(*rb, now);
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "B   Dn"}));

    const auto late = model.OnKeyboardEvent({kA, 0, kKeyFlagUp}).report;
    model.StopRecording();
    model.OnRecordedKey(*late, now);
    ASSERT_TRUE(model.StartRecording().started);
    model.OnRecordedKey(*late, now); // from the earlier run
    EXPECT_TRUE(model.Lines().empty());
}

TEST_F(RecorderTest, HookFailureReportsAndKeepsTheSequence)
{
    hook.failWith = 5;
    model.SelectMacro(0);
    const auto result = model.StartRecording();
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.errorMessage, "JournalRecordHook Install error code :5\n");
    EXPECT_FALSE(model.Recording());
    EXPECT_EQ(model.Lines(), (Lines{"A   Dn", "120 ms", "A   Up"}));
    model.New(); // stores the selected macro: its lines must survive
    EXPECT_EQ(Stored("Macro_1").lines, (Lines{"A   Dn", "120 ms", "A   Up"}));
}

TEST(MacroRecorder, RecordingBufferHoldsNameOptionsAndLines)
{
    MacroRecorder r;
    r.Start("Fire", true, "4");
    auto d = r.RecordHook({0x41, 0x1E, 0});
    r.OnRecordedKey(*d.report, 10, true);
    d = r.RecordHook({0x41, 0x1E, kKeyFlagUp});
    r.OnRecordedKey(*d.report, 35, true);
    EXPECT_EQ(r.RecordingBuffer(), (Lines{"Fire", "1", "4", "A   Dn", "25 ms", "A   Up"}));
    EXPECT_EQ(r.EventCount(), 2u);
    r.Stop();
    EXPECT_EQ(r.EventCount(), 0u);
    EXPECT_FALSE(r.RecordHook({0x41, 0, 0}).consume);
}

} // namespace
} // namespace lumeno
