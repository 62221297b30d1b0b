#include "app/TrayIcon.h"

#include "app/TrayServices.h"
#include "platform/DebugOutput.h"
#include "ui/ExMenu.h"

#include <QCursor>
#include <QMenu>
#include <QPointer>

#include <algorithm>

namespace lumeno {

namespace {

constexpr int kExitCommand = 2; // the window's cancel command ends the program

std::string NoticeLine(const QString& title, const QString& text)
{
    return "[" + title.toStdString() + "] " + text.toStdString();
}

} // namespace

TrayIcon::TrayIcon(DebugOutput& debug, TrayServices& services, QObject* parent)
    : QObject(parent), debug_(debug), services_(services)
{
}

TrayIcon::~TrayIcon()
{
    if (icon_)
        icon_->hide();
}

void TrayIcon::SetIcon(const QIcon& icon)
{
    image_ = icon;
    if (icon_)
        icon_->setIcon(icon);
}

void TrayIcon::SetTip(const QString& tip)
{
    tip_ = tip;
    if (icon_)
        icon_->setToolTip(tip);
}

void TrayIcon::SetExitText(const QString& text)
{
    exitText_ = text;
    if (exitAction_)
        exitAction_->setText(text);
}

void TrayIcon::Add()
{
    if (!icon_) {
        statusNotifier_ = services_.StatusNotifierHost();
        debug_.Write(statusNotifier_ ? "Tray host: StatusNotifierItem\n" : "Tray host: XEmbed\n");
        icon_ = new QSystemTrayIcon(image_, this);
        icon_->setToolTip(tip_);
        connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::Activated);
        if (statusNotifier_) {
            // Qt publishes the attached menu for the host to draw; an XEmbed
            // tray gets none, or Qt would open it beside the program's own.
            hostMenu_ = std::make_unique<QMenu>();
            exitAction_ = hostMenu_->addAction(exitText_);
            connect(exitAction_, &QAction::triggered, this, &TrayIcon::exitChosen);
            icon_->setContextMenu(hostMenu_.get());
        }
    }
    if (!added_)
        debug_.Write("Tray icon added\n");
    added_ = true;
    icon_->show();
}

void TrayIcon::Remove()
{
    if (icon_)
        icon_->hide();
    if (added_)
        debug_.Write("Tray icon removed\n");
    added_ = false;
}

void TrayIcon::Activated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        emit restoreRequested();
        break;
    case QSystemTrayIcon::Trigger:
        if (statusNotifier_)
            emit restoreRequested();
        break;
    case QSystemTrayIcon::Context:
        if (!statusNotifier_)
            ShowExitMenu();
        break;
    default:
        break;
    }
}

void TrayIcon::ShowBalloon(const Balloon& balloon)
{
    if (balloon.text)
        text_ = QString::fromStdString(*balloon.text);
    title_ = QString::fromStdString(balloon.title);
    if (!services_.NotificationService()) {
        ShowOnIcon(title_, text_, balloon.timeoutMs);
        return;
    }
    debug_.Write("Tray balloon " + NoticeLine(title_, text_) + " (" + std::to_string(balloon.timeoutMs) +
                 " ms) through the notification service\n");
    QPointer<TrayIcon> self(this);
    services_.Notify(title_, text_, std::max(balloon.timeoutMs, kMinimumBalloonDisplayMs),
                     [self, title = title_, text = text_, timeoutMs = balloon.timeoutMs](const QString& error) {
                         if (!self)
                             return;
                         self->debug_.Write("Notification service failed (" + error.toStdString() +
                                            "), the tray shows the notice\n");
                         self->ShowOnIcon(title, text, timeoutMs);
                     });
}

void TrayIcon::ShowOnIcon(const QString& title, const QString& text, int timeoutMs)
{
    if (!added_ || !icon_) {
        debug_.Write("Tray balloon not shown, no icon: " + NoticeLine(title, text) + "\n");
        return;
    }
    debug_.Write("Tray balloon " + NoticeLine(title, text) + " (" + std::to_string(timeoutMs) + " ms)\n");
    icon_->showMessage(title, text, QSystemTrayIcon::Information, std::max(timeoutMs, kMinimumBalloonDisplayMs));
}

void TrayIcon::ShowExitMenu()
{
    CExMenu menu;
    menu.AppendItem(kExitCommand, exitText_);
    if (menu.TrackPopup(QCursor::pos()) == kExitCommand)
        emit exitChosen();
}

} // namespace lumeno
