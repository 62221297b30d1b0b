#pragma once
// TrayServices over the session bus: the StatusNotifierWatcher's
// IsStatusNotifierHostRegistered and org.freedesktop.Notifications.
#include "app/TrayServices.h"

#include <QObject>

namespace lumeno {

class DBusTrayServices : public QObject, public TrayServices {
public:
    explicit DBusTrayServices(QObject* parent = nullptr);

    bool StatusNotifierHost() override;
    bool NotificationService() override;
    void Notify(const QString& title, const QString& text, int timeoutMs,
                std::function<void(const QString& error)> failed) override;

private:
    uint lastId_ = 0; // the service's id of our previous notice; 0: none
};

} // namespace lumeno
