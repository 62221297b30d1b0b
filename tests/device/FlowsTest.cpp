// The flows: what each sends, in which order, what it costs on the clock,
// and that every flow saves the file, the captions and (but WriteAll) the
// snapshot.
#include "DeviceFixture.h"

#include "config/ProfileSettings.h"
#include "flows/PointerSettings.h"
#include "flows/WriteFlows.h"

#include <cstring>
#include <thread>

namespace lumeno::test {
namespace {

using namespace std::chrono_literals;

struct FlowsTest : DeviceFixture {
    FlowsTest()
    {
        LoadFactoryDefaults(ctx.image);
        ctx.languageCode = "EN";
        for (int i = 0; i < kButtonCount; ++i)
            ctx.captions[size_t(i)] = "Caption " + std::to_string(i + 1);
        for (int k = 0; k < kMacroSlotCount; ++k)
            ctx.image.macroMemory[k][0] = uint8_t(k + 1);
        Connect();
    }

    std::filesystem::path ConfigFile() const { return dataDir / "config0.bin"; }

    void ExpectFileHoldsImage()
    {
        const std::string file = ReadFileBytes(ConfigFile());
        ASSERT_EQ(file.size(), kConfigFileSize);
        EXPECT_EQ(uint8_t(file[0]), 1);
        EXPECT_EQ(std::memcmp(file.data() + 1, ctx.image.Bytes().data(), kConfigImageSize), 0);
    }
    void ExpectCaptionsSaved(const std::filesystem::path& settings)
    {
        for (int i = 0; i < kButtonCount; ++i)
            EXPECT_EQ(ctx.ini.ReadString(settings, "Setting-EN", "Item" + std::to_string(i + 1)),
                      ctx.captions[size_t(i)]);
    }
    bool SnapshotEqualsImage() const { return std::memcmp(&ctx.snapshot, &ctx.image, kConfigImageSize) == 0; }
};

// Codes of WriteAll, in order.
Bytes WriteAllCodes()
{
    Bytes codes{0x81, 0x01, 0x0B, 0x0A, 0x87, 0x08, 0x07, 0x03};
    codes.insert(codes.end(), 12, 0x05);
    codes.insert(codes.end(), {0x8C, 0x0C, 0x06});
    return codes;
}

TEST_F(FlowsTest, WriteAllSendsEveryGroupButLiftOffThenSavesWithoutSnapshot)
{
    ctx.image.SetLiftOffEnabled(1);
    WriteAll(ctx);

    EXPECT_EQ(Codes(), WriteAllCodes());
    // 20 + 10 + 10 + 110 + 20 + 10 + 10 + 110 + 12 x 310 + 120 + 110 + 10
    EXPECT_EQ(pacer.Now(), 4260ms);
    EXPECT_EQ(Chunks().size(), 1u + 1u + 36u + 1u);

    ExpectFileHoldsImage();
    ExpectCaptionsSaved(dataDir / "str0.ini");
    EXPECT_FALSE(SnapshotEqualsImage());

    const VirtualMouseState s = mouse.State();
    EXPECT_EQ(s.currentStage, 2); // sent back as the mouse reported it
    EXPECT_EQ(s.liftOffLevel, 6); // untouched: WriteAll never sends the level
}

TEST_F(FlowsTest, PartialWritesSendTheirGroupAndSaveEverything)
{
    struct Case {
        const char* name;
        Flow flow;
        Bytes codes;
        std::chrono::milliseconds cost;
    };
    Bytes buttonsAndMacros{0x03};
    buttonsAndMacros.insert(buttonsAndMacros.end(), 12, 0x05);
    const Case cases[] = {
        {"buttons and macros", Flow::ButtonsAndMacros, buttonsAndMacros, 110ms + 12 * 310ms},
        {"sensitivity", Flow::Sensitivity, {0x0B}, 10ms},
        {"dpi", Flow::Dpi, {0x0A, 0x87, 0x08, 0x07}, 110ms + 20ms + 10ms + 10ms},
        {"report rate", Flow::ReportRate, {0x81, 0x01}, 30ms},
        {"lighting", Flow::Lighting, {0x8C, 0x0C, 0x06}, 120ms + 110ms + 10ms},
        {"lift-off", Flow::LiftOff, {0x0D}, 10ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mouse.ClearTraffic();
        std::filesystem::remove(ConfigFile());
        std::filesystem::remove(dataDir / "str0.ini");
        ctx.image.axisSensitivityX = uint8_t(ctx.image.axisSensitivityX % 11 + 1); // a change to save
        const auto before = pacer.Now();
        // The plan, worked out before the flow, is what the flow then pays.
        EXPECT_EQ(PlannedPauses(c.flow, ctx), c.cost);

        const FlowResult result = RunFlow(c.flow, ctx);

        EXPECT_TRUE(result.saved);
        EXPECT_FALSE(result.cancelled);
        EXPECT_EQ(Codes(), c.codes);
        EXPECT_EQ(pacer.Now() - before, c.cost);
        ExpectFileHoldsImage();
        ExpectCaptionsSaved(dataDir / "str0.ini");
        EXPECT_TRUE(SnapshotEqualsImage());
    }
}

TEST_F(FlowsTest, WriteDpiSendsTheStageTheMouseReported)
{
    mouse.SwitchDpiStage(4);
    WriteDpi(ctx);
    EXPECT_EQ(FrameWithCode(0x07), F({0x07, 5, 0xFF, 5, 11, 23, 35})); // index 4 is stage 5
}

TEST_F(FlowsTest, FlowsWithoutALinkStillSave)
{
    ctx.device = nullptr;
    WriteLighting(ctx);
    EXPECT_TRUE(mouse.Traffic().empty());
    ExpectFileHoldsImage();
    EXPECT_TRUE(SnapshotEqualsImage());
}

TEST_F(FlowsTest, SilentMouseDoesNotStopWriteAll)
{
    mouse.SetAnswersInputReads(false);
    WriteAll(ctx);
    EXPECT_EQ(Codes(), WriteAllCodes());
    EXPECT_EQ(pacer.Now(), 4260ms + kInputReportTimeout);
    ExpectFileHoldsImage();
}

struct FactoryResetTest : FlowsTest {
    // A base file whose bytes differ from every default, and captions in
    // "str.ini" that the reset must carry into the profile's own file.
    FactoryResetTest()
    {
        ConfigImage base{};
        std::memset(&base, 0x5A, sizeof base);
        std::string file(1, char(1));
        file.append(reinterpret_cast<const char*>(&base), sizeof base);
        WriteFileBytes(dataDir / "config.bin", file);
        expected = base;
        LoadFactoryDefaults(expected);

        ctx.languageCode = "EN";
        ctx.ini.WriteString(dataDir / "str.ini", "Setting-EN", "Item1", "Base caption");

        ctx.image.profileIndex = 3;
        ctx.image.SetLiftOffEnabled(1);
        ctx.image.axisSensitivityX = 9;
        for (int k = 0; k < kMacroSlotCount; ++k)
            std::memset(ctx.image.macroMemory[k], 0x30 + k, kMacroSlotSize);
        expected.profileIndex = 3;
        expected.SetLiftOffEnabled(1);
        std::memcpy(expected.macroMemory, ctx.image.macroMemory, sizeof expected.macroMemory);
    }
    ConfigImage expected{};
};

TEST_F(FactoryResetTest, KeepsMacrosProfileIndexAndLiftOffAndSendsStageOne)
{
    struct CountingApplier final : PointerSettingsApplier {
        void Apply(AppContext&) override { ++applied; }
        int applied = 0;
    } pointer;
    ctx.pointerSettings = &pointer;
    link.connection.SetMouseConnected(true);
    FactoryReset(ctx);

    EXPECT_EQ(std::memcmp(&ctx.image, &expected, kConfigImageSize), 0);
    EXPECT_EQ(FrameWithCode(0x07)[1], 1); // stage 1 instead of the mouse's 3
    EXPECT_EQ(Codes(), WriteAllCodes());
    EXPECT_FALSE(ctx.resetInProgress);
    EXPECT_EQ(pointer.applied, 1);

    ExpectFileHoldsImage();
    EXPECT_EQ(ctx.paths.currentSettingsFile, dataDir / "str0.ini");
    EXPECT_EQ(ctx.ini.ReadString(dataDir / "str0.ini", "Setting-EN", "Item1"), "Base caption");
    EXPECT_TRUE(SnapshotEqualsImage());
}

TEST_F(FactoryResetTest, WithoutTheMouseSkipsTheWriteButSaves)
{
    link.connection.SetMouseConnected(false);
    FactoryReset(ctx);
    EXPECT_TRUE(mouse.Traffic().empty());
    EXPECT_EQ(std::memcmp(&ctx.image, &expected, kConfigImageSize), 0);
    ExpectFileHoldsImage();
    EXPECT_TRUE(SnapshotEqualsImage());
    EXPECT_FALSE(ctx.resetInProgress);
}

// A virtual clock that pulls the mouse out at one chosen pause, so the
// moment of the removal is the same on every machine.
class UnplugAtPausePacer final : public Pacer {
public:
    void Pause(std::chrono::milliseconds d) override
    {
        if (++pauses_ == unplugAt && mouse)
            mouse->Unplug();
        clock_.Pause(d);
    }
    std::chrono::milliseconds Now() const override { return clock_.Now(); }

    int unplugAt = 0;
    VirtualMouse* mouse = nullptr;

private:
    VirtualPacer clock_;
    int pauses_ = 0;
};

TEST(FlowsUnplugTest, UnplugDuringWriteAllEndsTheFlowAndStillSaves)
{
    ContextFixture f;
    UnplugAtPausePacer pacer;
    VirtualMouse mouse({}, &pacer);
    EmulatedHidSystem hid(&pacer);
    hid.AddMouse(mouse);
    DeviceLink link(hid, pacer, f.debug);
    f.ctx.device = &link;
    EnsureDataDirectory(f.ctx);
    LoadFactoryDefaults(f.ctx.image);
    ASSERT_TRUE(link.connection.CheckConnection());
    pacer.mouse = &mouse;
    pacer.unplugAt = 12; // the macro blocks are under way

    const auto planned = PlannedPauses(Flow::WriteAll, f.ctx);
    const auto start = pacer.Now();
    const FlowResult result = WriteAll(f.ctx);

    EXPECT_TRUE(result.saved);
    EXPECT_LE(pacer.Now() - start, planned) << "reads of the vanished mouse do not wait";
    size_t frames = 0;
    for (auto& r : mouse.Traffic())
        frames += r.kind == TrafficKind::SetFeature;
    EXPECT_GT(frames, 0u);
    EXPECT_LT(frames, WriteAllCodes().size());
    EXPECT_EQ(ReadFileBytes(f.dataDir / "config0.bin").size(), kConfigFileSize);
    hid.RemoveMouse(mouse);
}

TEST_F(FlowsTest, ACancelledFlowSendsNothingMoreSavesAndKeepsTheSnapshot)
{
    TakeSnapshot(ctx.image, ctx.snapshot);
    const ConfigSnapshot before = ctx.snapshot;
    ctx.image.axisSensitivityX = 9;
    link.cancel.store(true);
    const auto start = pacer.Now();

    const FlowResult result = WriteButtonsAndMacros(ctx);

    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(mouse.Traffic().empty());
    EXPECT_EQ(pacer.Now(), start) << "no pause is paid";
    ExpectFileHoldsImage();
    EXPECT_EQ(std::memcmp(&before, &ctx.snapshot, kConfigImageSize), 0);
    link.cancel.store(false);
}

} // namespace
} // namespace lumeno::test
