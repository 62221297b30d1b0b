// The macro manager over a full library (12 macros of 62 key events with
// their delays), offscreen with the build tree's default skin:
//  - opening: the window made, the library read, the first macro shown and
//    the first paint (QWidget::grab). Goal: at most 50 ms median.
//  - a recorded key: from the keyboard hook's event to its line in the
//    sequence list. Goal: at most 10 ms.
#include "macros/MacroProgramDialog.h"

#include "config/ProfileIni.h"
#include "platform/Pacer.h"
#include "support/FakeKeyboardHook.h"
#include "support/TestContext.h"
#include "ui/BitmapBtn.h"
#include "ui/ListBoxPro.h"
#include "ui/SkinImages.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace lumeno;

std::string FullLibrary()
{
    std::string text = "[MacroName]\nMacroCount=12\n";
    for (int m = 0; m < 12; ++m)
        text += std::to_string(m) + "=Macro_" + std::to_string(m + 1) + "\n";
    for (int m = 0; m < 12; ++m) {
        text += "[Macro_" + std::to_string(m + 1) + "]\nDelayTimeSelStatus=1\nMacroLoopTimes=2\n";
        std::vector<std::string> lines;
        for (int k = 0; k < 31; ++k) {
            const std::string key(1, char('A' + k % 26));
            if (!lines.empty())
                lines.push_back("35 ms");
            lines.push_back(key + "   Dn");
            lines.push_back("80 ms");
            lines.push_back(key + "   Up");
        }
        text += "ItemCount=" + std::to_string(lines.size()) + "\n";
        for (size_t i = 0; i < lines.size(); ++i)
            text += "Item" + std::to_string(i) + "=" + lines[i] + "\n";
    }
    return text;
}

struct World {
    test::TempDir tmp;
    std::filesystem::path file = tmp.path() / "record.ini";
    ProfileIni ini{test::TestFiles()};
    VirtualPacer pacer;
    test::FakeKeyboardHook keys;
    SkinImages skin{LUMENO_APP_FOLDER};
    ConfigImage image{};
    std::array<std::string, kButtonCount> captions{};
    World() { test::WriteFileBytes(file, FullLibrary()); }
    MacroManagerServices Services() { return {ini, file, pacer, &keys, "EN", skin}; }
};

void BM_OpenMacroManagerToFirstPaint(benchmark::State& state)
{
    World world;
    if (!world.skin.Resolve(kMacroManagerBackground)) {
        state.SkipWithError("no skin in " LUMENO_APP_FOLDER "/Skins (build the skin target)");
        return;
    }
    for (auto _ : state) {
        CMacroProgramDialog manager(world.Services());
        manager.Open(world.captions, &world.image);
        QPixmap frame = manager.grab();
        benchmark::DoNotOptimize(frame.cacheKey());
        if (manager.SequenceList()->count() != 123)
            state.SkipWithError("the first macro was not shown whole");
    }
}
BENCHMARK(BM_OpenMacroManagerToFirstPaint)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_RecordedKeyReachesTheSequenceList(benchmark::State& state)
{
    World world;
    CMacroProgramDialog manager(world.Services());
    manager.Open(world.captions, &world.image);
    manager.show();
    QApplication::processEvents();
    int key = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh run for every 60 events, so the count limit never ends it.
        if (key % 60 == 0) {
            if (manager.Model().Recording())
                QTest::mouseClick(manager.RecordButton(), Qt::LeftButton);
            QTest::mouseClick(manager.RecordButton(), Qt::LeftButton);
        }
        const int before = manager.SequenceList()->count();
        state.ResumeTiming();
        world.keys.Type(0x41 + uint32_t(key % 2), false);
        while (manager.SequenceList()->count() == before)
            QApplication::processEvents();
        ++key;
    }
}
BENCHMARK(BM_RecordedKeyReachesTheSequenceList)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
