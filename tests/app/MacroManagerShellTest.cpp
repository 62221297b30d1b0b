// The macro manager opened from the main window: what OK, Cancel and a
// deletion that moved bindings send to the virtual mouse, and the manager
// closing when the mouse goes while it records.
#include "MainWindowFixture.h"
#include "buttons/ButtonMap.h"
#include "macros/MacroEncoder.h"
#include "macros/MacroLibraryFile.h"
#include "macros/MacroProgramDialog.h"
#include "support/FakeKeyboardHook.h"
#include "ui/BitmapBtn.h"
#include "ui/ListBoxPro.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

namespace lumeno::test {
namespace {

using Lines = std::vector<std::string>;

constexpr char kLibrary[] = "[MacroName]\nMacroCount=2\n0=Macro_1\n1=Macro_2\n"
                            "[Macro_1]\nDelayTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=3\n"
                            "Item0=A   Dn\nItem1=120 ms\nItem2=A   Up\n"
                            "[Macro_2]\nDelayTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=2\n"
                            "Item0=L-Button   Dn\nItem1=L-Button   Up\n";
constexpr int kButton6 = 5; // buttonIndex of "Button 6"

struct MacroManagerShellTest : MainWindowFixture, ::testing::Test {
    MacroManagerShellTest()
    {
        keyboard = &keys;
        WriteFileBytes(Library(), kLibrary);
        // The manager's background: without it the manager says so first.
        QImage background(495, 440, QImage::Format_RGB32);
        background.fill(QColor(30, 30, 30));
        const auto path = appFolder.path() / "Skins" / kMacroManagerBackground;
        std::filesystem::create_directories(path.parent_path());
        background.save(QString::fromStdString(path.string()));
    }
    std::filesystem::path Library() const { return dataDir / "record.ini"; }

    // Button 6 plays macro `index` in play mode 1, as the assignment menu
    // leaves it.
    void Bind(int index, const std::string& name)
    {
        ctx.image.buttonFunction[kButton6] = 11;
        ctx.image.macroIndex[kButton6] = uint8_t(index);
        ctx.image.macroMode[kButton6] = 1;
        ctx.captions[kButton6] = "Macro:" + name;
    }

    // Opens the manager from its header and runs act inside it.
    void InManager(std::function<void(CMacroProgramDialog&)> act)
    {
        auto* poll = new QTimer(shell.get());
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [this, poll, act] {
            CMacroProgramDialog* manager = shell->MacroManager();
            if (!manager || !manager->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            act(*manager);
        });
        poll->start();
        shell->Window().MacroHeaderButton()->click();
        ASSERT_TRUE(WaitFor([this] { return shell->MacroManager() == nullptr; }));
        ASSERT_TRUE(Settle());
    }

    std::vector<uint8_t> SentSlot(int k) const
    {
        const auto block = mouse.State().macroBlocks[size_t(k)];
        return {block.begin(), block.begin() + kMacroSlotSize};
    }
    std::vector<uint8_t> ImageSlot(int k) const
    {
        return {ctx.image.macroMemory[k], ctx.image.macroMemory[k] + kMacroSlotSize};
    }

    FakeKeyboardHook keys;
};

TEST_F(MacroManagerShellTest, OkSendsTheButtonCodeAndTheMacroBytesAsTheManagerEncodedThem)
{
    auto& s = Start();
    ASSERT_TRUE(Settle());
    Bind(0, "Macro_1");
    InManager([](CMacroProgramDialog& m) {
        m.LoopField()->selectAll();
        QTest::keyClicks(m.LoopField(), "5");
        QTest::mouseClick(m.OkButton(), Qt::LeftButton);
    });
    (void)s;

    // What the manager's encode gives for "record.ini" as it now stands.
    ManagerMacroCopy expected{};
    EncodeForManager(ctx.ini, Library(), expected);
    const std::vector<uint8_t> record0(expected[0].begin(), expected[0].begin() + kMacroSlotSize);
    EXPECT_EQ(record0[1], 5);                        // the loop count typed
    EXPECT_EQ(record0[2], kManagerFirstEventMarker); // the manager's path
    EXPECT_EQ(ImageSlot(0), record0);
    EXPECT_EQ(SentSlot(0), record0);
    const ButtonMapBlock map = BuildButtonMap(ctx.image);
    EXPECT_EQ(mouse.State().buttonMap, map);
    // Button 6's code names the macro: the map changes with the binding.
    ConfigImage unbound = ctx.image;
    unbound.buttonFunction[kButton6] = 0;
    EXPECT_NE(BuildButtonMap(unbound), map);
    // And the profile was saved with it.
    const std::string saved = ReadFileBytes(dataDir / "config0.bin");
    ASSERT_EQ(saved.size(), 1 + sizeof(ConfigImage));
    EXPECT_TRUE(std::equal(record0.begin(), record0.end(),
                           reinterpret_cast<const uint8_t*>(saved.data()) + 1 + offsetof(ConfigImage, macroMemory)));
}

TEST_F(MacroManagerShellTest, CancelSendsNothing)
{
    Start();
    ASSERT_TRUE(Settle());
    const size_t before = mouse.Traffic().size();
    const auto slot0 = ImageSlot(0);
    InManager([](CMacroProgramDialog& m) { QTest::mouseClick(m.CancelButton(), Qt::LeftButton); });
    EXPECT_EQ(mouse.Traffic().size(), before);
    EXPECT_EQ(ImageSlot(0), slot0);
}

TEST_F(MacroManagerShellTest, ADeletionThatMovesABindingIsSentEvenAfterCancel)
{
    Start();
    ASSERT_TRUE(Settle());
    Bind(1, "Macro_2");
    InManager([](CMacroProgramDialog& m) {
        QTest::mouseClick(m.DeleteButton(), Qt::LeftButton); // Macro_1, bound to nothing
        QTest::mouseClick(m.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(ctx.image.macroIndex[kButton6], 0);
    EXPECT_EQ(mouse.State().buttonMap, BuildButtonMap(ctx.image));
    MacroLibraryFile library(ctx.ini, Library());
    EXPECT_EQ(library.LoadNames(), (Lines{"Macro_2"}));
}

TEST_F(MacroManagerShellTest, UnpluggingTheMouseWhileRecordingClosesTheManagerAndKeepsTheKeys)
{
    Start();
    ASSERT_TRUE(Settle());
    InManager([this](CMacroProgramDialog& m) {
        QTest::mouseClick(m.RecordButton(), Qt::LeftButton);
        ASSERT_TRUE(keys.Active());
        keys.Type(0x41, false);
        keys.Type(0x41, true);
        QApplication::processEvents();
        mouse.Unplug();
    });
    EXPECT_FALSE(keys.Active());
    EXPECT_EQ(keys.stops, 1);
    MacroLibraryFile library(ctx.ini, Library());
    const Lines lines = library.LoadMacro("Macro_1").lines;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "A   Dn");
    EXPECT_EQ(lines[2], "A   Up");
}

} // namespace
} // namespace lumeno::test
