// Every #include "folder/..." line of the sources against the table of what
// each folder may include. Dependencies point down only: the Qt views and
// the shell on top, then the flows, then the models and the protocol (with
// config as their leaf), then the platform interfaces.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using Folders = std::set<std::string>;

const std::map<std::string, Folders>& AllowedIncludes()
{
    static const std::map<std::string, Folders> table{
        {"platform", {"platform"}},
        {"platform/linux", {"platform", "platform/linux"}},
        {"config", {"config", "platform"}},
        {"buttons", {"buttons", "config", "ui", "platform"}},
        {"macros", {"macros", "buttons", "config", "platform"}},
        {"device", {"device", "buttons", "config", "platform"}},
        {"ui", {"ui", "platform"}},
        {"settings", {"settings", "ui", "buttons", "config", "platform"}},
        {"lighting", {"lighting", "ui", "config", "platform"}},
        {"flows", {"flows", "device", "macros", "buttons", "config", "platform"}},
        {"app",
         {"app", "flows", "settings", "lighting", "macros", "buttons", "device", "config", "ui", "platform",
          "platform/linux"}},
        {"emulator", {"emulator", "platform"}},
        {"emulator/server", {"emulator", "emulator/server", "device", "platform", "platform/linux"}},
    };
    return table;
}

// Qt views, in whichever folder, may also reach the toolkit and the request
// router of the flows; never the shell.
const Folders kViewExtras{"ui", "flows"};

// "platform/linux/X.h" -> "platform/linux"; "config/X.h" -> "config";
// "X.h" (same folder) -> "".
std::string FolderOfInclude(const std::string& include)
{
    const auto slash = include.find('/');
    if (slash == std::string::npos)
        return {};
    const std::string first = include.substr(0, slash);
    if ((first == "platform" || first == "emulator") && include.find('/', slash + 1) != std::string::npos) {
        const std::string two = include.substr(0, include.find('/', slash + 1));
        if (two == "platform/linux" || two == "emulator/server")
            return two;
    }
    return first;
}

struct Violation {
    std::string file;
    std::string include;
};

std::vector<Violation> CheckTree(const fs::path& root, const std::string& prefix, Folders& seenFolders)
{
    static const std::regex includeLine(R"re(^\s*#\s*include\s*"([^"]+)")re");
    static const std::regex qtInclude(R"(^\s*#\s*include\s*<Q)");
    std::vector<Violation> violations;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
            continue;
        std::string folder = fs::relative(entry.path().parent_path(), root).generic_string();
        folder = folder == "." ? prefix : (prefix.empty() ? folder : prefix + "/" + folder);
        if (folder.ends_with("_autogen") || folder.find("/skingen") != std::string::npos)
            continue;
        seenFolders.insert(folder);
        const auto rule = AllowedIncludes().find(folder);
        if (rule == AllowedIncludes().end()) {
            violations.push_back({entry.path().generic_string(), "(folder missing from the table)"});
            continue;
        }

        std::ifstream in(entry.path());
        std::vector<std::string> includes;
        bool view = false;
        for (std::string line; std::getline(in, line);) {
            std::smatch m;
            if (std::regex_search(line, m, includeLine))
                includes.push_back(m[1]);
            else if (std::regex_search(line, qtInclude))
                view = true;
        }
        for (const auto& include : includes) {
            const std::string target = FolderOfInclude(include);
            if (target.empty() || rule->second.contains(target) || (view && kViewExtras.contains(target)))
                continue;
            violations.push_back({entry.path().generic_string(), include});
        }
    }
    return violations;
}

TEST(IncludeDirection, EveryIncludeFollowsTheLayerTable)
{
    const fs::path source = LUMENO_SOURCE_DIR;
    Folders seen;
    auto violations = CheckTree(source / "src", "", seen);
    const auto emulator = CheckTree(source / "emulator", "emulator", seen);
    violations.insert(violations.end(), emulator.begin(), emulator.end());
    for (const auto& v : violations)
        ADD_FAILURE() << v.file << " includes " << v.include;
    // The walk really saw the layers.
    for (const char* folder : {"config", "device", "flows", "app", "platform/linux", "emulator/server"})
        EXPECT_TRUE(seen.contains(folder)) << folder;
}

TEST(IncludeDirection, TheTableItselfPointsDown)
{
    // No folder may include one that includes it back.
    for (const auto& [folder, allowed] : AllowedIncludes())
        for (const auto& other : allowed) {
            if (other == folder)
                continue;
            const auto back = AllowedIncludes().find(other);
            if (back != AllowedIncludes().end()) {
                EXPECT_FALSE(back->second.contains(folder)) << folder << " <-> " << other;
            }
        }
}

} // namespace
