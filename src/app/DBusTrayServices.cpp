#include "app/DBusTrayServices.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusVariant>
#include <QVariantMap>

namespace lumeno {

namespace {

constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
constexpr char kNotificationsService[] = "org.freedesktop.Notifications";
constexpr char kNotificationsPath[] = "/org/freedesktop/Notifications";
// The application name and the icon the service shows beside the notice:
// the installed desktop entry and its icon.
constexpr char kDesktopEntry[] = "lumeno-kv580";
// Calls to the bus daemon answer at once; a service that has not answered
// in this time is taken as failed, so its notice still shows on the icon.
constexpr int kNotifyTimeoutMs = 5000;
constexpr int kPropertyTimeoutMs = 2000;
constexpr uchar kUrgencyNormal = 1;

bool Registered(const QDBusConnection& bus, const QString& name)
{
    const QDBusReply<bool> reply = bus.interface()->isServiceRegistered(name);
    return reply.isValid() && reply.value();
}

} // namespace

DBusTrayServices::DBusTrayServices(QObject* parent) : QObject(parent) {}

bool DBusTrayServices::StatusNotifierHost()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !Registered(bus, QString::fromLatin1(kWatcherService)))
        return false;
    QDBusMessage get =
        QDBusMessage::createMethodCall(QString::fromLatin1(kWatcherService), QString::fromLatin1(kWatcherPath),
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(kWatcherService) << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, kPropertyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().front().value<QDBusVariant>().variant().toBool();
}

bool DBusTrayServices::NotificationService()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QString name = QString::fromLatin1(kNotificationsService);
    if (Registered(bus, name))
        return true;
    const QDBusReply<QStringList> activatable = bus.interface()->call(QStringLiteral("ListActivatableNames"));
    return activatable.isValid() && activatable.value().contains(name);
}

void DBusTrayServices::Notify(const QString& title, const QString& text, int timeoutMs,
                              std::function<void(const QString& error)> failed)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kNotificationsService), QString::fromLatin1(kNotificationsPath),
        QString::fromLatin1(kNotificationsService), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kUrgencyNormal));
    hints.insert(QStringLiteral("category"), QStringLiteral("device"));
    call << QStringLiteral("Lumeno-KV580 Pro") << lastId_ << QString::fromLatin1(kDesktopEntry) << title << text
         << QStringList() << hints << qint32(timeoutMs);
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, kNotifyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, failed = std::move(failed)](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<uint> reply = *done;
                done->deleteLater();
                if (reply.isError()) {
                    failed(reply.error().name() + QStringLiteral(": ") + reply.error().message());
                    return;
                }
                lastId_ = reply.value();
            });
}

} // namespace lumeno
