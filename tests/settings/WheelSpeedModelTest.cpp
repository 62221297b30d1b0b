// The wheel pane's rules over the image: arrows, radios and the lines box.
#include "settings/WheelSpeedModel.h"
#include "config/ConfigImage.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lumeno {
namespace {

constexpr int kUpX = 195, kUpY = 17;
constexpr int kDownX = 195, kDownY = 26;
constexpr int kLinesRadioX = 8, kLinesRadioY = 20;
constexpr int kPageRadioX = 8, kPageRadioY = 55;

struct WheelSpeedModelTest : ::testing::Test {
    void SetUp() override { LoadFactoryDefaults(image); }
    ConfigImage image{};
    WheelSpeedModel model{image};
};

TEST_F(WheelSpeedModelTest, DefaultsShowThreeLinesInAnEnabledBox)
{
    EXPECT_FALSE(model.PageMode());
    EXPECT_EQ(model.BoxText(), "3");
    EXPECT_TRUE(model.BoxEnabled());
}

struct ArrowCase {
    int lines;
    bool up;
    int after;
};
class WheelArrows : public WheelSpeedModelTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(WheelArrows, StepWithinOneToAHundred)
{
    image.wheelLines = uint8_t(GetParam().lines);
    if (GetParam().up)
        model.Click(kUpX, kUpY);
    else
        model.Click(kDownX, kDownY);
    EXPECT_EQ(image.wheelLines, GetParam().after);
    EXPECT_EQ(model.BoxText(), std::to_string(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(Arrows, WheelArrows,
                         ::testing::Values(ArrowCase{3, true, 4}, ArrowCase{99, true, 100}, ArrowCase{100, true, 100},
                                           ArrowCase{3, false, 2}, ArrowCase{2, false, 1}, ArrowCase{1, false, 1},
                                           // A stored 0 never wraps round to 255.
                                           ArrowCase{0, false, 1}));

TEST_F(WheelSpeedModelTest, PageModeIgnoresArrowsAndShowsZeroInADisabledBox)
{
    model.Click(kPageRadioX, kPageRadioY);
    EXPECT_EQ(image.wheelPageMode, 1);
    EXPECT_EQ(model.BoxText(), "0");
    EXPECT_FALSE(model.BoxEnabled());
    model.Click(kUpX, kUpY);
    model.Click(kDownX, kDownY);
    EXPECT_EQ(image.wheelLines, 3);

    model.Click(kLinesRadioX, kLinesRadioY);
    EXPECT_EQ(image.wheelPageMode, 0);
    EXPECT_EQ(model.BoxText(), "3");
    EXPECT_TRUE(model.BoxEnabled());
}

TEST_F(WheelSpeedModelTest, AClickOnNothingChangesNothing)
{
    const ConfigImage before = image;
    model.Click(120, 45);
    EXPECT_EQ(std::memcmp(&before, &image, sizeof image), 0);
}

struct TypedCase {
    const char* text;
    int stored;
    const char* shown; // what replaces the text; "" when it stands
};
class WheelTyping : public WheelSpeedModelTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(WheelTyping, OutOfRangeBecomesOne)
{
    image.wheelLines = 7;
    EXPECT_EQ(model.Typed(GetParam().text), GetParam().shown);
    EXPECT_EQ(image.wheelLines, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Texts, WheelTyping,
                         ::testing::Values(TypedCase{"0", 1, "1"}, TypedCase{"101", 1, "1"}, TypedCase{"", 1, "1"},
                                           TypedCase{"999", 1, "1"}, TypedCase{"1", 1, ""}, TypedCase{"42", 42, ""},
                                           TypedCase{"100", 100, ""}));

} // namespace
} // namespace lumeno
