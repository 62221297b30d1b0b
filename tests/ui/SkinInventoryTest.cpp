// The built default skin against its inventory, and the image names that
// the program's sources use against the inventory.
#include "ui/SkinInventory.h"
#include "app/MainWindowSkin.h"
#include "app/SettingsPanes.h"
#include "ui/SkinImages.h"
#include "ui/SkinName.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace lumeno {
namespace {

SkinInventory LoadInventory()
{
    std::ifstream in(LUMENO_SKIN_INVENTORY);
    return ParseSkinInventory(in);
}

TEST(SkinInventoryTest, TableIsWellFormedWithoutDuplicates)
{
    const SkinInventory inv = LoadInventory();
    EXPECT_TRUE(inv.errors.empty()) << inv.errors.front();
    ASSERT_FALSE(inv.entries.empty());
    std::set<std::string> keys;
    for (const auto& e : inv.entries)
        EXPECT_TRUE(keys.insert(SkinKey(e.name)).second) << "twice: " << e.name;
}

TEST(SkinInventoryTest, EveryImageExistsAfterTheBuildAtItsSize)
{
    const std::filesystem::path skinDir(LUMENO_SKIN_DIR);
    const SkinImages skin(skinDir.parent_path());
    for (const auto& e : LoadInventory().entries) {
        const auto file = ResolveSkinFile(skinDir.parent_path(), "Skins/" + e.name);
        ASSERT_TRUE(file.has_value()) << "missing: " << e.name;
        QImage image(QString::fromStdString(file->string()));
        ASSERT_FALSE(image.isNull()) << "undecodable: " << e.name;
        EXPECT_EQ(image.width(), e.width) << e.name;
        EXPECT_EQ(image.height(), e.height) << e.name;
        EXPECT_TRUE(skin.Load("\\skins\\" + e.name).has_value()) << e.name;
    }
}

// The names the windows draw must exist in the inventory: the main window's
// table, the settings column's pane backgrounds, and the names of windows
// that have no table of their own yet.
TEST(SkinInventoryTest, HoldsTheNamesTheWindowsUse)
{
    std::set<std::string> keys;
    for (const auto& e : LoadInventory().entries)
        keys.insert(SkinKey(e.name));
    std::vector<std::string> required = MainWindowSkinNames();
    for (const auto& row : SettingsPaneRows())
        required.push_back(row.background);
    for (const char* name : {"skins/single-key.png", "macro-key.png", "MacroManagement/MacroManagement.png",
                             "Config/Config.png", "Skins\\Enable.png", "Skins\\Disable.png",
                             "Skins\\DPISetting\\BK-DPIValue.png", "\\skins\\DPISetting\\DPIStage\\0.png",
                             "\\skins\\DPISetting\\DPIStage\\82.png", "\\skins\\StageSlider\\1.png",
                             "\\skins\\StageSlider\\10.png", "Skins\\MouseAttribute\\ScrollSpeed\\ScrollLines.png"})
        required.push_back(name);
    for (int level = 1; level <= 11; ++level)
        required.push_back("/MouseAttribute/Speed/" + std::to_string(level) + ".png");
    for (int hz : {1000, 500, 250, 125})
        required.push_back("/USBReportRate/" + std::to_string(hz) + "HZ.png");
    for (const std::string& name : required)
        EXPECT_TRUE(keys.count(SkinKey(name))) << name;
}

// The string literals of a C++ source, unescaped, comments skipped.
std::vector<std::string> StringLiterals(const std::string& source)
{
    std::vector<std::string> literals;
    size_t i = 0;
    while (i < source.size()) {
        if (source.compare(i, 2, "//") == 0) {
            i = source.find('\n', i);
            if (i == std::string::npos)
                break;
        } else if (source.compare(i, 2, "/*") == 0) {
            i = source.find("*/", i + 2);
            if (i == std::string::npos)
                break;
            i += 2;
        } else if (source[i] == '\'') {
            for (++i; i < source.size() && source[i] != '\''; ++i)
                if (source[i] == '\\')
                    ++i;
            ++i;
        } else if (source[i] == '"') {
            std::string text;
            for (++i; i < source.size() && source[i] != '"' && source[i] != '\n'; ++i) {
                if (source[i] == '\\' && i + 1 < source.size())
                    ++i;
                text.push_back(source[i]);
            }
            ++i;
            literals.push_back(text);
        } else {
            ++i;
        }
    }
    return literals;
}

struct SourceImageName {
    std::string file;
    std::string name;
};

// The string literals ending in ".png" of the program's sources.
std::vector<SourceImageName> ImageNamesInTheSources()
{
    std::vector<SourceImageName> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(LUMENO_SOURCE_DIR)) {
        const auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h")
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        for (const std::string& name : StringLiterals(text.str())) {
            const std::string key = SkinKey(name);
            if (name.size() >= 4 && key.size() >= 4 && key.compare(key.size() - 4, 4, ".png") == 0)
                names.push_back({entry.path().string(), name});
        }
    }
    return names;
}

// Every image name in the program's sources must name an inventory image;
// "%d" and "{}" stand for a number, and literals that start with '-' or '.'
// are tails of names built in pieces.
TEST(SkinInventoryTest, EveryImageNameInTheSourcesIsInTheInventory)
{
    std::vector<std::string> keys;
    for (const auto& e : LoadInventory().entries)
        keys.push_back(SkinKey(e.name));
    int checked = 0;
    for (const auto& [file, name] : ImageNamesInTheSources()) {
        ++checked;
        const std::string key = SkinKey(name);
        bool found = false;
        if (name.front() == '-' || name.front() == '.') {
            for (const auto& k : keys)
                found = found || (k.size() >= key.size() && k.compare(k.size() - key.size(), key.size(), key) == 0);
        } else {
            std::string pattern;
            for (size_t i = 0; i < key.size(); ++i) {
                if (key.compare(i, 2, "%d") == 0 || key.compare(i, 2, "{}") == 0) {
                    pattern += "[0-9]+";
                    ++i;
                } else if (std::string(".[]()*+?^$|\\").find(key[i]) != std::string::npos) {
                    pattern += std::string("\\") + key[i];
                } else {
                    pattern += key[i];
                }
            }
            const std::regex re(pattern);
            for (const auto& k : keys)
                found = found || std::regex_match(k, re);
        }
        EXPECT_TRUE(found) << file << ": \"" << name << "\" is not in the skin inventory";
    }
    RecordProperty("checked_names", checked);
}

// Each image of the main window's table has one spelling: the table names a
// file once, and no other source spells a name of the table.
TEST(SkinInventoryTest, TheMainWindowsImagesAreSpelledOnce)
{
    std::set<std::string> tableKeys;
    for (const std::string& name : MainWindowSkinNames())
        EXPECT_TRUE(tableKeys.insert(SkinKey(name)).second) << "the table names this file twice: " << name;
    std::map<std::string, std::string> spelledIn;
    for (const auto& [file, name] : ImageNamesInTheSources()) {
        if (!tableKeys.contains(SkinKey(name)))
            continue;
        const auto [first, added] = spelledIn.try_emplace(SkinKey(name), file + ": \"" + name + "\"");
        EXPECT_TRUE(added) << first->second << " and " << file << ": \"" << name << "\"";
    }
}

} // namespace
} // namespace lumeno
