#include "config/ConfigImage.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace lumeno {
namespace {

struct Range {
    size_t offset;
    std::vector<uint8_t> bytes;
};

// Every byte the factory defaults write, and its value; everything else keeps its marker.
const std::vector<Range> kFactoryBytes = {
    {1, {1, 1, 1, 1, 1, 2}},
    {7, {12, 24, 48, 72, 108, 144, 180}},
    {15, {6, 12, 24, 36, 54, 72, 120}},
    {23, {1, 1, 1, 1, 1, 1, 1}},
    {31, {1, 1, 1, 1, 1, 1, 1}},
    {39, {0, 0,   255, 255, 0, 0, 0, 255, 0, 255, 255, 0, 0, 255, 255, 255, 128,
          0, 255, 0,   255, 0, 0, 0, 9,   5, 5,   5,   5, 5, 5,   5,   5,   5}},
    {88, {255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 255, 255, 0, 255, 0, 255, 255}},
    {112, {1, 3, 3, 5, 5, 5, 5, 5, 5, 5, 5}},
    {136, {255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 255, 255, 0, 255, 0, 255, 255}},
    {160, {1, 255, 0, 6, 3, 6, 0, 0, 6, 5, 5}},
    {176, {3, 0, 1, 2, 17, 18, 6, 6, 13, 13, 13, 13, 13, 13, 1, 2, 0, 0, 2, 1, 0, 0, 0, 0, 0}},
    {201, std::vector<uint8_t>(128, 0)},
};

TEST(ConfigImage, FactoryDefaultsWriteExactlyTheirBytes)
{
    constexpr uint8_t kMarker = 0xA5;
    ConfigImage image;
    std::fill(image.Bytes().begin(), image.Bytes().end(), kMarker);
    LoadFactoryDefaults(image);

    std::array<int, kConfigImageSize> expected;
    expected.fill(kMarker);
    for (const auto& r : kFactoryBytes)
        for (size_t i = 0; i < r.bytes.size(); ++i)
            expected[r.offset + i] = r.bytes[i];

    for (size_t i = 0; i < kConfigImageSize; ++i)
        EXPECT_EQ(image.Bytes()[i], expected[i]) << "offset " << i;
}

TEST(ConfigImage, LiftOffSwitchIsLittleEndianOnAnyHost)
{
    ConfigImage image{};
    image.SetLiftOffEnabled(0x01020304);
    EXPECT_EQ(image.Bytes()[172], 0x04);
    EXPECT_EQ(image.Bytes()[173], 0x03);
    EXPECT_EQ(image.Bytes()[174], 0x02);
    EXPECT_EQ(image.Bytes()[175], 0x01);
    EXPECT_EQ(image.LiftOffEnabled(), 0x01020304u);
}

TEST(ConfigImage, DpiDecoding)
{
    const struct {
        uint8_t code;
        int dpi50, dpi100;
    } cases[] = {{1, 50, 100},       {72, 3600, 7200},   {120, 6000, 12000},
                 {144, 7200, 14400}, {145, 7300, 14500}, {180, 10800, 18000}};
    for (const auto& c : cases) {
        EXPECT_EQ(DpiOf50(c.code), c.dpi50) << int(c.code);
        EXPECT_EQ(DpiOf100(c.code), c.dpi100) << int(c.code);
    }
}

TEST(ConfigImage, SnapshotCopiesEveryByte)
{
    ConfigImage image;
    for (size_t i = 0; i < kConfigImageSize; ++i)
        image.Bytes()[i] = uint8_t(i * 7);
    ConfigSnapshot snapshot{};
    TakeSnapshot(image, snapshot);
    EXPECT_TRUE(std::equal(image.Bytes().begin(), image.Bytes().end(), snapshot.Bytes().begin()));
}

} // namespace
} // namespace lumeno
