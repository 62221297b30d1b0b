#pragma once
// Receives the window messages other programs post to the main window on
// X11 (see X11WindowLookup: a ClientMessage of type _LUMENO_WINDOW_MESSAGE
// with the message number and two parameters) and hands them on.
#include <QAbstractNativeEventFilter>
#include <QtGlobal>

#include <cstdint>
#include <functional>

namespace lumeno {

class X11MessageFilter final : public QAbstractNativeEventFilter {
public:
    using Handler = std::function<void(uint32_t message, int64_t wParam, int64_t lParam)>;

    // window: the native id of the receiving window, asked at every message
    // (hiding to the tray may give the window a new native id). Does nothing
    // unless the application runs on the xcb platform.
    X11MessageFilter(std::function<quintptr()> window, Handler handler);
    ~X11MessageFilter() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<quintptr()> window_;
    Handler handler_;
    uint32_t atom_ = 0;
};

} // namespace lumeno
