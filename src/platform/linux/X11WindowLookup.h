#pragma once
#include "platform/WindowLookup.h"

#include <string>

namespace lumeno {

// Top-level windows of the X display named by $DISPLAY. Without a window
// manager they are the root's children; under one the client window sits one
// level below the manager's frame, so both levels are searched. Titles come
// from _NET_WM_NAME (UTF-8), else WM_NAME.
//
// A posted message is an X ClientMessage of type kWindowMessageAtom with the
// message number in data.l[0] and the two parameters in data.l[1] and
// data.l[2]; it goes to the program that created the window.
class X11WindowLookup final : public WindowLookup {
public:
    static constexpr char kWindowMessageAtom[] = "_LUMENO_WINDOW_MESSAGE";

    X11WindowLookup();
    ~X11WindowLookup() override;
    X11WindowLookup(const X11WindowLookup&) = delete;
    X11WindowLookup& operator=(const X11WindowLookup&) = delete;

    std::optional<WindowId> FindTopLevelWindow(std::string_view title) override;
    bool PostWindowMessage(WindowId window, uint32_t message, int64_t wParam, int64_t lParam) override;

private:
    bool Connect();
    void* display_ = nullptr; // Display*, opened on first use
    bool tried_ = false;
};

} // namespace lumeno
