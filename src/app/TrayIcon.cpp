#include "app/TrayIcon.h"

#include "platform/DebugOutput.h"
#include "ui/ExMenu.h"

#include <QCursor>
#include <QSystemTrayIcon>

#include <algorithm>

namespace lumeno {

namespace {
constexpr int kExitCommand = 2; // the window's cancel command ends the program
}

TrayIcon::TrayIcon(DebugOutput& debug, QObject* parent) : QObject(parent), debug_(debug) {}

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

void TrayIcon::Add()
{
    if (!icon_) {
        icon_ = new QSystemTrayIcon(image_, this);
        icon_->setToolTip(tip_);
        connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick)
                emit doubleClicked();
            else if (reason == QSystemTrayIcon::Context)
                ShowExitMenu();
        });
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

void TrayIcon::ShowBalloon(const Balloon& balloon)
{
    if (balloon.text)
        text_ = QString::fromStdString(*balloon.text);
    title_ = QString::fromStdString(balloon.title);
    const std::string line = "[" + balloon.title + "] " + text_.toStdString();
    if (!added_ || !icon_) {
        debug_.Write("Tray balloon not shown, no icon: " + line + "\n");
        return;
    }
    debug_.Write("Tray balloon " + line + " (" + std::to_string(balloon.timeoutMs) + " ms)\n");
    icon_->showMessage(title_, text_, QSystemTrayIcon::Information,
                       std::max(balloon.timeoutMs, kMinimumBalloonDisplayMs));
}

void TrayIcon::ShowExitMenu()
{
    CExMenu menu;
    menu.AppendItem(kExitCommand, exitText_);
    if (menu.TrackPopup(QCursor::pos()) == kExitCommand)
        emit exitChosen();
}

} // namespace lumeno
