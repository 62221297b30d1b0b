#include "buttons/KeyTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lumeno {
namespace {

struct NameCase {
    const char* name;
    uint8_t usage;        // KeyUsageByName
    uint8_t managerUsage; // ManagerKeyUsageByName
};

const NameCase kNameCases[] = {
    {"A", 0x04, 0x04},
    {"Z", 0x1D, 0x1D},
    {"a", 0, 0},
    {"1", 0x1E, 0x1E},
    {"9", 0x26, 0x26},
    {"0", 0x27, 0x27},
    {"\\", 0x31, 0x31},
    {"Eurpo(Note 2)", 0x32, 0x32},
    {"Caps Lock", 0x39, 0x39},
    {"F1", 0x3A, 0x3A},
    {"F12", 0x45, 0x45},
    {"Up", 0x52, 0x52},
    {"Num Enter", 0x58, 0x58},
    {"Num 1", 0x59, 0x59},
    {"Num 0", 0x62, 0x62},
    {"Num Del", 0x63, 0x63},
    {"Application", 0x65, 0},
    {"App", 0, 0x65},
    {"Left GUI", 0, 0xE3},
    {"Left Windows", 0xE3, 0xE3},
    {"Ctrl", 0xE0, 0xE0},
    {"Right Windows", 0xE7, 0xE7},
    {"L-Button", 0xF0, 0xF0},
    {"R-Button", 0xF1, 0xF1},
    {"M-Button", 0xF2, 0xF2},
    {"Button 4", 0, 0},
    {"Select", 0, 0},
    {"Execute", 0, 0},
    {"Help", 0, 0},
    {"", 0, 0},
    {"Enter ", 0, 0},
};

TEST(KeyTables, NameToUsageOnBothPaths)
{
    for (const auto& c : kNameCases) {
        EXPECT_EQ(KeyUsageByName(c.name), c.usage) << c.name;
        EXPECT_EQ(ManagerKeyUsageByName(c.name), c.managerUsage) << c.name;
    }
}

TEST(KeyTables, UsageToNameIsTheExactInverse)
{
    int named = 0;
    for (int u = 0; u < 256; ++u) {
        const std::string_view name = KeyNameByUsage(uint8_t(u));
        if (name.empty())
            continue;
        ++named;
        EXPECT_EQ(KeyUsageByName(name), u) << name;
    }
    EXPECT_EQ(named, 108);
    EXPECT_EQ(KeyNameByUsage(0x65), "Application");
    EXPECT_EQ(KeyNameByUsage(0xE3), "Left Windows");
    EXPECT_EQ(KeyNameByUsage(0x64), "");
    EXPECT_EQ(KeyNameByUsage(0), "");
}

struct VirtualKeyCase {
    uint32_t vk;
    const char* name;
};

const VirtualKeyCase kVirtualKeyCases[] = {
    {0x41, "A"},         {0x5A, "Z"},      {0x30, "0"},       {0x39, "9"},        {0x70, "F1"},
    {0x7B, "F12"},       {0x60, "Num 0"},  {0x69, "Num 9"},   {0x0D, "Enter"},    {0x6C, "Num Enter"},
    {0x5D, "App"},       {0x29, "Select"}, {0x2B, "Execute"}, {0x2F, "Help"},     {0xA0, "Shift"},
    {0xA5, "Right Alt"}, {0xDC, "\\"},     {0xDE, "'"},       {0xF1, "L-Button"}, {0xF3, "M-Button"},
    {0xF5, "Button 5"},  {0x10, ""},       {0x2A, ""},        {0xFF, ""},         {0x1000, ""},
};

TEST(KeyTables, VirtualKeyToName)
{
    for (const auto& c : kVirtualKeyCases)
        EXPECT_EQ(KeyNameByVirtualKey(c.vk), c.name) << std::hex << c.vk;
}

TEST(KeyTables, KeypadEnterReadsAsNumEnter)
{
    EXPECT_EQ(VirtualKeyOfEvent(kVkEnter, false), kVkEnter);
    EXPECT_EQ(VirtualKeyOfEvent(kVkEnter, true), kVkNumEnter);
    EXPECT_EQ(VirtualKeyOfEvent(0x41, true), 0x41u);
    EXPECT_EQ(KeyUsageByName(KeyNameByVirtualKey(VirtualKeyOfEvent(kVkEnter, true))), 0x58);
}

// Every name the keyboard can produce that the mouse can play is spelled the
// same in both tables; the names without a usage are exactly these.
TEST(KeyTables, RecordedNamesMeetTheUsageTable)
{
    const std::set<std::string> withoutUsage = {"Select", "Execute", "Help", "App", "Button 4", "Button 5"};
    for (uint32_t vk = 0; vk < 256; ++vk) {
        const std::string name(KeyNameByVirtualKey(vk));
        if (name.empty())
            continue;
        EXPECT_EQ(KeyUsageByName(name) == 0, withoutUsage.count(name) == 1) << name;
    }
}

} // namespace
} // namespace lumeno
