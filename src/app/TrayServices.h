#pragma once
// What the desktop's session bus offers the tray icon: whether a
// StatusNotifierItem host shows tray icons (Qt then shows ours through it,
// with no double-click and with the menu drawn by the host), and the
// desktop's notification service, whose notices land in its history and
// honour do-not-disturb.
#include <QString>

#include <functional>

namespace lumeno {

class TrayServices {
public:
    virtual ~TrayServices() = default;

    // A StatusNotifierItem host is registered. Asked once, when the icon is
    // made: Qt decides the same way at that moment and keeps its choice.
    virtual bool StatusNotifierHost() = 0;
    // A notification service runs, or the bus can start one.
    virtual bool NotificationService() = 0;
    // Sends a notice, which replaces this program's previous one. failed
    // gets the service's error when it refuses or does not answer; it runs
    // on the UI thread, later.
    virtual void Notify(const QString& title, const QString& text, int timeoutMs,
                        std::function<void(const QString& error)> failed) = 0;
};

} // namespace lumeno
