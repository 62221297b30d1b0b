// The button map block: the codes of every function, the crossed buttons 4
// and 5, and the fixed positions.
#include "DeviceFixture.h"

#include "buttons/ButtonMap.h"
#include "device/CommandSet.h"

namespace lumeno::test {
namespace {

Bytes Codes(std::initializer_list<ButtonCode> codes)
{
    Bytes out;
    for (const ButtonCode& c : codes)
        out.insert(out.end(), c.begin(), c.end());
    return out;
}

ButtonCode CodeAt(const ButtonMapBlock& block, int position)
{
    ButtonCode code;
    std::copy_n(block.begin() + position * 4, 4, code.begin());
    return code;
}

TEST(ButtonMapTest, FactoryImageGivesTheDefaultBlock)
{
    ConfigImage image{};
    LoadFactoryDefaults(image);
    const ButtonMapBlock block = BuildButtonMap(image);
    const Bytes expected = Codes({
        {0x00, 0xF0, 0x00, 0x02},
        {0x00, 0xF1, 0x00, 0x02},
        {0x00, 0xF2, 0x00, 0x02},
        {0x00, 0x07, 0x02, 0x0C},
        {0x00, 0x00, 0x04, 0x0C},
        {0x00, 0x00, 0x01, 0x08},
        {0x00, 0x00, 0x02, 0x08},
        {0x00, 0x00, 0x03, 0x0C},
        {0x00, 0x00, 0x01, 0x0B},
        {},
        {},
        {},
        {},
        {},
        {0x00, 0x01, 0x01, 0x05},
        {0x00, 0x01, 0x02, 0x05},
    });
    EXPECT_EQ(Bytes(block.begin(), block.end()), expected);
}

TEST(ButtonMapTest, EveryFunctionEncodes)
{
    struct Case {
        const char* what;
        ButtonRecord record;
        ButtonCode code;
    };
    auto rec = [](uint8_t function) {
        ButtonRecord r;
        r.function = function;
        r.dpiAction = 13; // what the defaults hold for non-DPI buttons
        return r;
    };
    auto with = [](ButtonRecord r, auto set) {
        set(r);
        return r;
    };
    const Case cases[] = {
        {"click", rec(0), {0x00, 0xF0, 0x00, 0x02}},
        {"menu", rec(1), {0x00, 0xF1, 0x00, 0x02}},
        {"scroll", rec(2), {0x00, 0xF2, 0x00, 0x02}},
        {"forward", rec(3), {0x00, 0xF4, 0x00, 0x02}},
        {"back", rec(4), {0x00, 0xF3, 0x00, 0x02}},
        {"double click", rec(5), {0x02, 0xF0, 0x01, 0x0C}},
        {"dpi loop", with(rec(6), [](auto& r) { r.dpiAction = 3; }), {0x00, 0x00, 0x03, 0x08}},
        {"media player", with(rec(7), [](auto& r) { r.consumerUsage = 0x83; }), {0x01, 0x83, 0x00, 0x04}},
        {"play/pause", with(rec(7), [](auto& r) { r.consumerUsage = 0xCD; }), {0x00, 0xCD, 0x00, 0x04}},
        {"ctrl+c", with(rec(8), [](auto& r) { r.ctrlKeyUsage = 0x06; }), {0x00, 0x06, 0xE0, 0x01}},
        {"my computer", with(rec(9), [](auto& r) { r.systemShortcut = 0; }), {0x01, 0x94, 0x00, 0x04}},
        {"maximize", with(rec(9), [](auto& r) { r.systemShortcut = 3; }), {0x1B, 0x2C, 0xE2, 0x01}},
        {"run", with(rec(9), [](auto& r) { r.systemShortcut = 6; }), {0x00, 0x15, 0xE3, 0x01}},
        {"shortcut 7", with(rec(9), [](auto& r) { r.systemShortcut = 7; }), {}},
        {"shortcut 255", with(rec(9), [](auto& r) { r.systemShortcut = 255; }), {}},
        {"key A", with(rec(10), [](auto& r) { r.keyUsage = 0x04; }), {0x00, 0x04, 0x00, 0x01}},
        {"macro 5 repeat", with(rec(11), [](auto& r) { r.macroIndex = 5, r.macroMode = 1; }), {0x05, 0x03, 0x00, 0x0A}},
        {"macro once", with(rec(11), [](auto& r) { r.macroIndex = 0, r.macroMode = 0; }), {0x00, 0x01, 0x00, 0x0A}},
        {"macro held", with(rec(11), [](auto& r) { r.macroIndex = 11, r.macroMode = 2; }), {0x0B, 0x02, 0x00, 0x0A}},
        {"macro odd mode", with(rec(11), [](auto& r) { r.macroIndex = 1, r.macroMode = 7; }), {0x01, 0x07, 0x00, 0x0A}},
        {"12", rec(12), {}},
        {"deactivated", rec(13), {}},
        {"14", rec(14), {}},
        {"tilt left", rec(15), {0x00, 0xF5, 0x00, 0x02}},
        {"tilt right", rec(16), {0x00, 0xF6, 0x00, 0x02}},
        {"fn", rec(17), {0x00, 0x00, 0x04, 0x0C}},
        {"snipe", rec(18), {0x00, 0x07, 0x02, 0x0C}},
        {"19", rec(19), {}},
        {"255", rec(255), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodeButton(c.record), c.code) << c.what;
}

TEST(ButtonMapTest, ButtonsFourAndFiveAreCrossed)
{
    ConfigImage image{};
    LoadFactoryDefaults(image);
    image.buttonFunction[4] = uint8_t(ButtonFunction::Forward); // "Button 4" on screen
    const ButtonMapBlock block = BuildButtonMap(image);
    EXPECT_EQ(CodeAt(block, 3), (ButtonCode{0x00, 0xF4, 0x00, 0x02}));
    EXPECT_EQ(CodeAt(block, 4), (ButtonCode{0x00, 0x00, 0x04, 0x0C})); // index 3 keeps Fn

    EXPECT_EQ(ButtonIndexOfRow(4), 4);
    EXPECT_EQ(ButtonIndexOfRow(5), 3);
    for (int row = 1; row <= 7; ++row)
        EXPECT_EQ(RowOfButtonIndex(ButtonIndexOfRow(row)), row);
}

TEST(ButtonMapTest, UnusedParametersAndEntrySevenNeverReachTheBlock)
{
    ConfigImage image{};
    LoadFactoryDefaults(image);
    const ButtonMapBlock reference = BuildButtonMap(image);
    // Parameters of other functions, and everything of entry 7.
    for (int i = 0; i < 5; ++i) {
        image.dpiAction[i] = 0x55;
        image.keyUsage[i] = 0x66;
        image.macroIndex[i] = 3;
    }
    image.buttonFunction[7] = 10;
    image.keyUsage[7] = 0x29;
    image.dpiAction[7] = 2;
    EXPECT_EQ(BuildButtonMap(image), reference);
}

TEST(ButtonMapTest, SetButtonMapSendsTheBlockAsOneChunk)
{
    DeviceRig f;
    f.Connect();
    LoadFactoryDefaults(f.ctx.image);
    f.ctx.image.buttonFunction[0] = 11;
    f.ctx.image.macroIndex[0] = 2;
    SetButtonMap(f.link, f.ctx.image);
    EXPECT_EQ(f.Frames(), (std::vector<Bytes>{F({0x03, 0, 0, 1})}));
    const ButtonMapBlock block = BuildButtonMap(f.ctx.image);
    EXPECT_EQ(f.Chunks(), std::vector<Bytes>{Bytes(block.begin(), block.end())});
    EXPECT_EQ(f.mouse.State().buttonMap, block);
    EXPECT_EQ(f.pacer.Now(), std::chrono::milliseconds(110));
}

} // namespace
} // namespace lumeno::test
