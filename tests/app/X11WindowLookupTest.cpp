// Window lookup against a real X server: a private Xvfb started for the test
// (skipped where Xvfb is not installed).
#include "platform/linux/X11WindowLookup.h"
#include "support/PrivateXServer.h"

// GoogleTest first: Xlib defines macros such as None and Bool.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumeno {
namespace {

using test::PrivateXServer;

struct X11WindowLookupTest : ::testing::Test {
    void SetUp() override
    {
        if (server.Display().empty())
            GTEST_SKIP() << "Xvfb is not available";
        setenv("DISPLAY", server.Display().c_str(), 1);
        display = XOpenDisplay(server.Display().c_str());
        ASSERT_NE(display, nullptr);
    }
    void TearDown() override
    {
        if (display)
            XCloseDisplay(display);
    }

    Window MakeWindow(Window parent)
    {
        const Window w = XCreateSimpleWindow(display, parent, 0, 0, 10, 10, 0, 0, 0);
        XSync(display, False);
        return w;
    }
    void SetWmName(Window w, const char* name)
    {
        XStoreName(display, w, name);
        XSync(display, False);
    }
    void SetNetWmName(Window w, const std::string& name)
    {
        XChangeProperty(display, w, XInternAtom(display, "_NET_WM_NAME", False),
                        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(name.data()), int(name.size()));
        XSync(display, False);
    }

    PrivateXServer server;
    ::Display* display = nullptr;
};

TEST_F(X11WindowLookupTest, FindsTopLevelWindowsByEitherTitle)
{
    const Window root = DefaultRootWindow(display);
    const Window plain = MakeWindow(root);
    SetWmName(plain, "Programmer");
    // Under a window manager the client sits inside the manager's frame.
    const Window frame = MakeWindow(root);
    const Window client = MakeWindow(frame);
    SetNetWmName(client, "Lumeno-KV580 Pro ACCE");
    SetWmName(client, "old title");
    const Window deeper = MakeWindow(client);
    SetWmName(deeper, "Not a top-level window");

    X11WindowLookup lookup;
    EXPECT_EQ(lookup.FindTopLevelWindow("Programmer"), WindowId(plain));
    EXPECT_EQ(lookup.FindTopLevelWindow("Lumeno-KV580 Pro ACCE"), WindowId(client));
    EXPECT_FALSE(lookup.FindTopLevelWindow("old title")) << "_NET_WM_NAME wins over WM_NAME";
    EXPECT_FALSE(lookup.FindTopLevelWindow("Not a top-level window"));
    EXPECT_FALSE(lookup.FindTopLevelWindow("Programme"));
}

TEST_F(X11WindowLookupTest, PostedMessageReachesTheWindowsOwner)
{
    const Window target = MakeWindow(DefaultRootWindow(display));
    SetWmName(target, "Lumeno-KV580 Pro");
    X11WindowLookup lookup;
    const auto found = lookup.FindTopLevelWindow("Lumeno-KV580 Pro");
    ASSERT_TRUE(found);
    ASSERT_TRUE(lookup.PostWindowMessage(*found, 0x313, 1, 1));

    XEvent event{};
    XNextEvent(display, &event);
    ASSERT_EQ(event.type, ClientMessage);
    EXPECT_EQ(event.xclient.window, target);
    EXPECT_EQ(event.xclient.message_type, XInternAtom(display, X11WindowLookup::kWindowMessageAtom, False));
    EXPECT_EQ(event.xclient.data.l[0], 0x313);
    EXPECT_EQ(event.xclient.data.l[1], 1);
    EXPECT_EQ(event.xclient.data.l[2], 1);
}

TEST_F(X11WindowLookupTest, VanishedWindowDoesNotEndTheProcess)
{
    // The X error for the unknown window must not take the process down
    // (Xlib's default handler would exit).
    X11WindowLookup lookup;
    (void)lookup.PostWindowMessage(0x7fffff, 0x313, 1, 1);
    const Window w = MakeWindow(DefaultRootWindow(display));
    SetWmName(w, "still here");
    EXPECT_EQ(lookup.FindTopLevelWindow("still here"), WindowId(w));
}

TEST(X11WindowLookupNoDisplay, ReportsNothingWithoutADisplay)
{
    const char* saved = std::getenv("DISPLAY");
    const std::string previous = saved ? saved : "";
    setenv("DISPLAY", ":9999", 1);
    X11WindowLookup lookup;
    EXPECT_FALSE(lookup.FindTopLevelWindow("Programmer"));
    EXPECT_FALSE(lookup.PostWindowMessage(1, 0x313, 1, 1));
    if (saved)
        setenv("DISPLAY", previous.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

} // namespace
} // namespace lumeno
