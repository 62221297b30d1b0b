#pragma once
// A macro manager over a temporary "record.ini", with a scripted keyboard
// hook and a millisecond clock the test moves.
#include "config/ProfileIni.h"
#include "macros/MacroLibraryFile.h"
#include "macros/MacroManagerModel.h"
#include "platform/Pacer.h"
#include "support/TestContext.h"

#include <string>
#include <vector>

namespace lumeno::test {

class ScriptedHook final : public RecorderHook {
public:
    bool Install(int& errorCode) override
    {
        if (failWith) {
            errorCode = failWith;
            return false;
        }
        installed = true;
        ++installs;
        return true;
    }
    void Remove() override { installed = false; }

    int failWith = 0;
    bool installed = false;
    int installs = 0;
};

struct ManagerFixture {
    TempDir tmp;
    std::filesystem::path file = tmp.path() / "record.ini";
    ProfileIni ini{test::TestFiles()};
    VirtualPacer pacer;
    ScriptedHook hook;
    MacroManagerModel model{ini, file, pacer, hook, "EN"};
    ConfigImage image{};
    std::array<std::string, kButtonCount> captions{"Click", "Menu", "Scroll", "Fn", "Snipe", "DPI +", "DPI -"};
    uint64_t now = 1000;

    void WriteLibrary(const std::string& text) { WriteFileBytes(file, text); }
    void Open() { model.Open(captions, &image); }
    std::string Text() const { return ReadFileBytes(file); }
    StoredMacro Stored(const std::string& name)
    {
        MacroLibraryFile library(ini, file);
        return library.LoadMacro(name);
    }
    std::vector<std::string> StoredNames()
    {
        MacroLibraryFile library(ini, file);
        return library.LoadNames();
    }

    // One desktop keyboard event, `after` ms after the previous one, handled
    // as the platform would: the hook decides, the manager handles the report.
    bool Key(uint32_t vk, bool up, uint64_t after = 0, bool extended = false)
    {
        now += after;
        KeyboardEvent e;
        e.virtualKey = vk;
        e.flags = (up ? kKeyFlagUp : 0) | (extended ? kKeyFlagExtended : 0);
        const HookDecision d = model.OnKeyboardEvent(e);
        if (d.report)
            model.OnRecordedKey(*d.report, now);
        return d.consume;
    }
    void Tap(uint32_t vk, uint64_t holdMs = 0)
    {
        Key(vk, false);
        Key(vk, true, holdMs);
    }
};

// Two macros as a recorder would leave them.
inline constexpr char kTwoMacros[] = "[MacroName]\nMacroCount=2\n0=Macro_1\n1=Macro_2\n"
                                     "[Macro_1]\nDelayTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=3\n"
                                     "Item0=A   Dn\nItem1=120 ms\nItem2=A   Up\n"
                                     "[Macro_2]\nDelayTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=2\n"
                                     "Item0=L-Button   Dn\nItem1=L-Button   Up\n";

} // namespace lumeno::test
