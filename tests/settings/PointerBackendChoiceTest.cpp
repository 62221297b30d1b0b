// Which desktop backend a session gets.
#include "platform/linux/PointerBackend.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct ChoiceCase {
    const char* desktop;
    const char* session;
    bool display;
    bool schema;
    PointerBackend expected;
};

class BackendChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(BackendChoice, FollowsTheDesktopAndWhatIsInstalled)
{
    const auto& c = GetParam();
    EXPECT_EQ(ChoosePointerBackend({c.desktop, c.session, c.display, c.schema}), c.expected)
        << c.desktop << " " << c.session;
}

INSTANTIATE_TEST_SUITE_P(Sessions, BackendChoice,
                         ::testing::Values(ChoiceCase{"GNOME", "wayland", false, true, PointerBackend::GSettings},
                                           ChoiceCase{"ubuntu:GNOME", "x11", true, true, PointerBackend::GSettings},
                                           ChoiceCase{"Unity", "x11", true, true, PointerBackend::GSettings},
                                           ChoiceCase{"Budgie:GNOME", "x11", true, true, PointerBackend::GSettings},
                                           ChoiceCase{"gnome", "x11", true, true, PointerBackend::GSettings},
                                           // GNOME without its schema: the X server still takes what it can.
                                           ChoiceCase{"GNOME", "x11", true, false, PointerBackend::X11},
                                           ChoiceCase{"GNOME", "wayland", false, false, PointerBackend::None},
                                           ChoiceCase{"KDE", "x11", true, true, PointerBackend::Kde},
                                           ChoiceCase{"KDE", "wayland", false, false, PointerBackend::Kde},
                                           ChoiceCase{"XFCE", "x11", true, true, PointerBackend::X11},
                                           ChoiceCase{"", "", true, false, PointerBackend::X11},
                                           ChoiceCase{"sway", "wayland", true, false, PointerBackend::None},
                                           ChoiceCase{"", "", false, false, PointerBackend::None}));

TEST(BackendChoice, NothingUsableRefusesEverySetting)
{
    const auto sink = CreatePointerSettingsSink({"", "tty", false, false});
    EXPECT_FALSE(sink->SetPrecision(true).ok);
    EXPECT_FALSE(sink->SetSpeed(10).ok);
    EXPECT_FALSE(sink->SetWheelLines(3).ok);
    const auto refused = sink->SetDoubleClickTime(550);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.reason, "no desktop settings service and no X display");
}

} // namespace
} // namespace lumeno
