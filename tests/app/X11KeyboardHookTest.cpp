// The X11 keyboard grab against a private Xvfb: keys typed through XTest
// reach the hook's callback with their virtual keys, nobody else can grab
// the keyboard while it is held, and the grab is gone after Stop.
#include "platform/linux/X11KeyboardHook.h"

#include "support/PrivateXServer.h"
#include "support/TestContext.h"

// GoogleTest first: Xlib defines macros such as None and Bool.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace lumeno {
namespace {

struct X11KeyboardHookTest : ::testing::Test {
    void SetUp() override
    {
        if (server.Display().empty())
            GTEST_SKIP() << "Xvfb is not available";
        other = XOpenDisplay(server.Display().c_str());
        ASSERT_NE(other, nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(other, &event, &error, &major, &minor))
            GTEST_SKIP() << "no XTest";
        hook = std::make_unique<X11KeyboardHook>(debug, server.Display());
        ASSERT_TRUE(hook->Connected());
    }
    void TearDown() override
    {
        hook.reset();
        if (other)
            XCloseDisplay(other);
    }
    void Type(unsigned keycode, bool press)
    {
        XTestFakeKeyEvent(other, keycode, press ? True : False, CurrentTime);
        XSync(other, False);
    }
    // Reads the hook's connection until count events came or the limit passed.
    void Collect(size_t count, std::chrono::seconds limit = std::chrono::seconds(30))
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (events.size() < count && std::chrono::steady_clock::now() < until) {
            hook->Dispatch();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    int GrabFromOtherClient()
    {
        const int status =
            XGrabKeyboard(other, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync, CurrentTime);
        if (status == GrabSuccess)
            XUngrabKeyboard(other, CurrentTime);
        XSync(other, False);
        return status;
    }
    bool Start()
    {
        KeyboardHookFailure failure;
        return hook->Start([this](const KeyboardEvent& e) { events.push_back(e); }, failure);
    }

    test::PrivateXServer server;
    test::CapturingDebugOutput debug;
    ::Display* other = nullptr;
    std::unique_ptr<X11KeyboardHook> hook;
    std::vector<KeyboardEvent> events;
};

TEST_F(X11KeyboardHookTest, ShiftAReleasesAsTheSameKeys)
{
    ASSERT_TRUE(Start());
    Type(50, true); // Shift_L
    Type(38, true); // a: "A" whatever Shift does to the symbol
    Type(38, false);
    Type(50, false);
    Collect(4);
    ASSERT_EQ(events.size(), 4u);
    const uint32_t expected[4][2] = {{0xA0, 0}, {0x41, 0}, {0x41, kKeyFlagUp}, {0xA0, kKeyFlagUp}};
    for (size_t n = 0; n < 4; ++n) {
        EXPECT_EQ(events[n].virtualKey, expected[n][0]) << n;
        EXPECT_EQ(events[n].flags, expected[n][1]) << n;
    }
}

TEST_F(X11KeyboardHookTest, KeypadEnterAndSuperComeWithTheExtendedBit)
{
    ASSERT_TRUE(Start());
    for (unsigned code : {104u, 133u, 36u}) { // KP_Enter, Super_L, Return
        Type(code, true);
        Type(code, false);
    }
    Collect(6);
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].virtualKey, 0x0Du);
    EXPECT_EQ(events[0].flags, kKeyFlagExtended);
    EXPECT_EQ(events[2].virtualKey, 0x5Bu);
    EXPECT_EQ(events[2].flags, kKeyFlagExtended);
    EXPECT_EQ(events[4].virtualKey, 0x0Du);
    EXPECT_EQ(events[4].flags, 0u);
}

TEST_F(X11KeyboardHookTest, NobodyElseGrabsWhileHeldAndEveryoneCanAfterStop)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(hook->Active());
    EXPECT_EQ(GrabFromOtherClient(), AlreadyGrabbed);
    hook->Stop();
    EXPECT_FALSE(hook->Active());
    EXPECT_EQ(GrabFromOtherClient(), GrabSuccess);
    // Keys typed after Stop reach no callback (a load can only hide a stray
    // one here, never fail the test).
    Type(38, true);
    Type(38, false);
    Collect(1, std::chrono::seconds(1));
    EXPECT_TRUE(events.empty());
}

TEST_F(X11KeyboardHookTest, AGrabHeldElsewhereFailsWithItsStatusAfterTheRetries)
{
    ASSERT_EQ(XGrabKeyboard(other, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync, CurrentTime),
              GrabSuccess);
    XSync(other, False);
    hook->SetRetryFor(std::chrono::milliseconds(100));
    const auto started = std::chrono::steady_clock::now();
    KeyboardHookFailure failure;
    EXPECT_FALSE(hook->Start([](const KeyboardEvent&) {}, failure));
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(100)) << "it retried";
    EXPECT_EQ(failure.code, AlreadyGrabbed);
    EXPECT_FALSE(failure.reason.empty());
    EXPECT_FALSE(hook->Active());

    // Released within the retry time: the grab is taken.
    XUngrabKeyboard(other, CurrentTime);
    XSync(other, False);
    EXPECT_TRUE(Start());
}

TEST_F(X11KeyboardHookTest, ReleasedWhenDestroyed)
{
    ASSERT_TRUE(Start());
    hook.reset();
    EXPECT_EQ(GrabFromOtherClient(), GrabSuccess);
}

} // namespace
} // namespace lumeno
