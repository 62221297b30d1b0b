// Tries to take the keyboard grab of $DISPLAY as any other program would,
// lets it go at once, and prints the X grab status (0: taken). Exit status 0
// when the grab was taken.
#include <X11/Xlib.h>

#include <cstdio>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::puts("no display");
        return 2;
    }
    const int status =
        XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (status == GrabSuccess)
        XUngrabKeyboard(display, CurrentTime);
    XCloseDisplay(display);
    std::printf("grab status %d\n", status);
    return status == GrabSuccess ? 0 : 1;
}
