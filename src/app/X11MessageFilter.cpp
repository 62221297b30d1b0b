#include "app/X11MessageFilter.h"

#include "platform/linux/X11WindowLookup.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace lumeno {

X11MessageFilter::X11MessageFilter(std::function<quintptr()> window, Handler handler)
    : window_(std::move(window)), handler_(std::move(handler))
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const char* name = X11WindowLookup::kWindowMessageAtom;
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    if (xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr)) {
        atom_ = reply->atom;
        std::free(reply);
    }
    if (atom_)
        qApp->installNativeEventFilter(this);
}

X11MessageFilter::~X11MessageFilter()
{
    if (atom_ && qApp)
        qApp->removeNativeEventFilter(this);
}

bool X11MessageFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type != atom_ || client->format != 32 || client->window != window_())
        return false;
    const auto& data = client->data.data32;
    handler_(data[0], static_cast<int32_t>(data[1]), static_cast<int32_t>(data[2]));
    return true;
}

} // namespace lumeno
