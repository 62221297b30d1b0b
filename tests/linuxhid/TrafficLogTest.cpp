// The lines lumeno-virtual-mouse prints are read by scripts: their wording
// is part of its interface.
#include "TrafficLog.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumeno {
namespace {

std::vector<uint8_t> Report(std::initializer_list<int> frame)
{
    std::vector<uint8_t> report(9, 0);
    std::size_t i = 1;
    for (int b : frame)
        report[i++] = uint8_t(b);
    unsigned sum = 0;
    for (std::size_t k = 1; k < 8; ++k)
        sum += report[k];
    report[8] = uint8_t(0xFF - (sum & 0xFF));
    return report;
}

TEST(TrafficLog, DecodesEveryCommandOfTheSet)
{
    const struct {
        std::vector<uint8_t> report;
        const char* line;
    } cases[] = {
        {Report({0x01, 0x03, 0x5A, 0x3C, 0x0F}), "frame SetReportRate rate=0x03 state1=0x5a state2=0x3c state3=0x0f"},
        {Report({0x81}), "frame GetReportRate"},
        {Report({0x03, 0, 0, 1}), "frame SetButtonMap block=0 chunks=1"},
        {Report({0x05, 0, 11, 3}), "frame SetMacro block=11 chunks=3"},
        {Report({0x06, 4, 7, 0x32, 2}),
         "frame SetLightingEffect effect=4 color=7 level=0x32 speed=2: stream, all colours, speed 5 of 5"},
        {Report({0x07, 1, 0xFF, 5, 11, 23, 35}),
         "frame SetDpiStagesLow stage=1 mask=0xff dpi1=600 dpi2=1200 dpi3=2400 dpi4=3600"},
        {Report({0x08, 53, 71, 119}), "frame SetDpiStagesHigh dpi5=5400 dpi6=7200 dpi7=12000"},
        {Report({0x87}), "frame GetCurrentDpiStage"},
        {Report({0x0A, 0, 0, 1}), "frame SetStageColors block=0 chunks=1"},
        {Report({0x0B, 100, 100}), "frame SetAxisSensitivity x=100 y=100"},
        {Report({0x0C, 0, 0, 1}), "frame SetLightingBlock block=0 chunks=1"},
        {Report({0x8C, 0, 0, 1}), "frame GetLightingBlock block=0 chunks=1"},
        {Report({0x0D, 6}), "frame SetLiftOff level=6"},
        {Report({0x42, 1}), "frame Unknown code=0x42"},
    };
    for (const auto& c : cases) {
        TrafficLog log;
        const std::string line = log.SetFeature(MouseCollection::Commands, c.report, true);
        EXPECT_EQ(line.substr(0, line.find(" [")), c.line);
        EXPECT_EQ(line.back(), ']') << line;
    }
}

TEST(TrafficLog, MarksBadChecksumsRefusalsAndNumbersChunks)
{
    TrafficLog log;
    auto bad = Report({0x0D, 6});
    bad[8] ^= 1;
    EXPECT_EQ(log.SetFeature(MouseCollection::Commands, bad, false),
              "frame SetLiftOff level=6 [0d 06 00 00 00 00 00 ed] checksum=bad refused");

    log.SetFeature(MouseCollection::Commands, Report({0x05, 0, 2, 3}), true);
    std::vector<uint8_t> chunk(65, 0);
    chunk[1] = 0x11;
    const std::string first = log.Output(MouseCollection::Commands, chunk, true);
    EXPECT_EQ(first.rfind("chunk SetMacro block=2 1/3 [11 00 ", 0), 0u) << first;
    EXPECT_EQ(log.Output(MouseCollection::Commands, chunk, true).rfind("chunk SetMacro block=2 2/3 ", 0), 0u);

    log.SetFeature(MouseCollection::Commands, Report({0x81}), true);
    EXPECT_EQ(log.GetFeature(MouseCollection::Commands, Report({0x81, 1, 0x5A}), true),
              "reply GetReportRate [81 01 5a 00 00 00 00 23]");

    EXPECT_EQ(log.Input(MouseCollection::Events, std::vector<uint8_t>{4, 1, 0, 6, 0, 0, 0, 0}),
              "event DpiStageChanged stage=7 [04 01 00 06 00 00 00 00]");
    EXPECT_EQ(log.Input(MouseCollection::Events, std::vector<uint8_t>{5, 1, 0, 6}), "event Events [05 01 00 06]");
}

TEST(TrafficLog, StateEndsWithAnEndLine)
{
    const auto lines = TrafficLog::StateLines(VirtualMouseState{}, true);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "state plugged 1");
    EXPECT_EQ(lines.back(), "state end");
    for (const auto& l : lines)
        EXPECT_EQ(l.rfind("state ", 0), 0u) << l;
}

// The light as a person watching the terminal should read it: the effect,
// the colour of the last lighting block, and the speed or brightness.
TEST(TrafficLog, SetLightingEffectSaysWhatTheLightShows)
{
    const struct {
        std::vector<uint8_t> colour;
        std::vector<uint8_t> frame;
        const char* words;
    } cases[] = {
        {{0, 255, 255}, Report({0x06}), "off"},
        {{0, 255, 255}, Report({0x06, 0, 0, 16}), "steady, cyan (#00ffff), brightness 25%"},
        {{255, 0, 0}, Report({0x06, 0, 0, 32}), "steady, red (#ff0000), brightness 75%"},
        {{255, 0, 0}, Report({0x06, 0, 0, 40}), "steady, red (#ff0000), brightness 100%"},
        // Level 6 is shown as full brightness.
        {{255, 0, 0}, Report({0x06, 0, 0, 48}), "steady, red (#ff0000), brightness 100%"},
        {{0, 255, 255}, Report({0x06, 1, 0, 0x32, 10}), "breathing, cyan (#00ffff), speed 1 of 5"},
        {{0, 255, 255}, Report({0x06, 1, 7, 0x32, 2}), "breathing, all colours, speed 5 of 5"},
        {{18, 52, 86}, Report({0x06, 1, 0, 0x32, 4}), "breathing, #123456, speed 4 of 5"},
        {{0, 0, 0}, Report({0x06, 2, 7, 0x32, 6}), "neon, all colours, speed 3 of 5"},
        {{0, 0, 0}, Report({0x06, 3, 7, 0x32, 8}), "finger tapping, all colours, speed 2 of 5"},
        {{0, 0, 0}, Report({0x06, 4, 7, 0x32, 2}), "stream, all colours, speed 5 of 5"},
        {{0, 0, 0}, Report({0x06, 4, 7, 0x32, 3}), "stream, all colours, speed code 3"},
        {{0, 0, 0}, Report({0x06, 9, 7, 0x32, 2}), "unknown effect 9"},
    };
    for (const auto& c : cases) {
        TrafficLog log;
        log.SetFeature(MouseCollection::Commands, Report({0x0C, 0, 0, 1}), true);
        std::vector<uint8_t> chunk(65, 0);
        std::copy(c.colour.begin(), c.colour.end(), chunk.begin() + 1);
        log.Output(MouseCollection::Commands, chunk, true);
        const std::string line = log.SetFeature(MouseCollection::Commands, c.frame, true);
        const auto colon = line.find(": ");
        ASSERT_NE(colon, std::string::npos) << line;
        EXPECT_EQ(line.substr(colon + 2, line.find(" [") - colon - 2), c.words) << line;
    }
}

TEST(TrafficLog, StateSaysWhatTheLightShows)
{
    auto has = [](const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has(TrafficLog::StateLines(VirtualMouseState{}, true), "state lighting off"));

    VirtualMouseState state;
    state.lightingEffect = {1, 0, 0x32, 2, 0, 0};
    state.lightingBlock[0] = 0;
    state.lightingBlock[1] = 255;
    state.lightingBlock[2] = 255;
    state.lightingBlock[3] = 0x5A; // the firmware's own bytes say nothing about the colour
    EXPECT_TRUE(has(TrafficLog::StateLines(state, true), "state lighting breathing, cyan (#00ffff), speed 5 of 5"));
}

} // namespace
} // namespace lumeno
