// The X11 backend against a private Xvfb: the server's acceleration for
// precision on and off, and the settings the server cannot hold.
#include "platform/linux/X11PointerSink.h"
#include "support/PrivateXServer.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

struct X11SinkTest : ::testing::Test {
    void SetUp() override
    {
        if (server.Display().empty())
            GTEST_SKIP() << "Xvfb is not available";
    }
    test::PrivateXServer server;
};

TEST_F(X11SinkTest, PrecisionSetsTheServersAcceleration)
{
    X11PointerSink sink(server.Display());
    ASSERT_TRUE(sink.Usable());
    EXPECT_TRUE(sink.SetPrecision(true).ok);
    EXPECT_EQ(sink.PointerControl(), (XPointerControl{2, 1, 6}));
    // Another client sees it too: it is the server's setting.
    X11PointerSink other(server.Display());
    EXPECT_EQ(other.PointerControl(), (XPointerControl{2, 1, 6}));

    EXPECT_TRUE(sink.SetPrecision(false).ok);
    EXPECT_EQ(other.PointerControl(), (XPointerControl{1, 1, 0}));
}

TEST_F(X11SinkTest, WithoutLibinputPointersSpeedIsRefused)
{
    // Xvfb's pointers come from XTEST, not from libinput.
    X11PointerSink sink(server.Display());
    const auto result = sink.SetSpeed(20);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("libinput Accel Speed"), std::string::npos);
}

TEST_F(X11SinkTest, WheelAndDoubleClickAreRefused)
{
    X11PointerSink sink(server.Display());
    EXPECT_FALSE(sink.SetWheelLines(3).ok);
    EXPECT_FALSE(sink.SetDoubleClickTime(550).ok);
}

TEST(X11SinkNoDisplay, RefusesEverything)
{
    X11PointerSink sink(":65000");
    EXPECT_FALSE(sink.Usable());
    EXPECT_FALSE(sink.SetPrecision(true).ok);
    EXPECT_FALSE(sink.SetSpeed(10).ok);
}

} // namespace
} // namespace lumeno
