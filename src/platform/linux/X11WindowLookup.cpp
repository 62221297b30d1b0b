#include "platform/linux/X11WindowLookup.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

namespace lumeno {

namespace {

// A window can vanish between listing and asking; the default Xlib handler
// would end the process for that. Errors are ignored while this is alive.
class IgnoreXErrors {
public:
    IgnoreXErrors() : previous_(XSetErrorHandler(&Ignore)) {}
    ~IgnoreXErrors() { XSetErrorHandler(previous_); }

private:
    static int Ignore(Display*, XErrorEvent*) { return 0; }
    XErrorHandler previous_;
};

std::string NetWmName(Display* display, Window window)
{
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        if (type == utf8 && format == 8)
            name.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return name;
}

std::string WmName(Display* display, Window window)
{
    XTextProperty property{};
    std::string name;
    if (!XGetWMName(display, window, &property) || !property.value)
        return name;
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && list && count > 0)
        name = list[0];
    if (list)
        XFreeStringList(list);
    XFree(property.value);
    return name;
}

bool HasTitle(Display* display, Window window, std::string_view title)
{
    const std::string net = NetWmName(display, window);
    if (!net.empty())
        return net == title;
    return WmName(display, window) == title;
}

std::vector<Window> Children(Display* display, Window window)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> list;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && children) {
        list.assign(children, children + count);
        XFree(children);
    }
    return list;
}

} // namespace

X11WindowLookup::X11WindowLookup() = default;

X11WindowLookup::~X11WindowLookup()
{
    if (display_)
        XCloseDisplay(static_cast<Display*>(display_));
}

bool X11WindowLookup::Connect()
{
    if (!tried_) {
        tried_ = true;
        display_ = XOpenDisplay(nullptr);
    }
    return display_ != nullptr;
}

std::optional<WindowId> X11WindowLookup::FindTopLevelWindow(std::string_view title)
{
    if (!Connect())
        return std::nullopt;
    auto* display = static_cast<Display*>(display_);
    IgnoreXErrors ignore;
    const auto topLevel = Children(display, DefaultRootWindow(display));
    for (Window w : topLevel)
        if (HasTitle(display, w, title))
            return WindowId(w);
    for (Window frame : topLevel)
        for (Window w : Children(display, frame))
            if (HasTitle(display, w, title))
                return WindowId(w);
    return std::nullopt;
}

bool X11WindowLookup::PostWindowMessage(WindowId window, uint32_t message, int64_t wParam, int64_t lParam)
{
    if (!Connect())
        return false;
    auto* display = static_cast<Display*>(display_);
    IgnoreXErrors ignore;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window(window);
    event.xclient.message_type = XInternAtom(display, kWindowMessageAtom, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(message);
    event.xclient.data.l[1] = long(wParam);
    event.xclient.data.l[2] = long(lParam);
    const Status sent = XSendEvent(display, Window(window), False, NoEventMask, &event);
    XSync(display, False);
    return sent != 0;
}

} // namespace lumeno
