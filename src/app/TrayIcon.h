#pragma once
// The notification-area icon of the main window: it exists while the mouse
// is connected, shows the balloons of the device notices, restores the
// window on a double-click and offers "Exit" on a right-click.
//
// Every balloon is also written to the diagnostic channel, whether or not an
// icon was there to show it:
//   "Tray balloon [<title>] <text> (<time-out> ms)"
//   "Tray balloon not shown, no icon: [<title>] <text>"
#include "app/TrayNotice.h"

#include <QIcon>
#include <QObject>
#include <QString>

class QSystemTrayIcon;

namespace lumeno {

class DebugOutput;

// Shorter balloons vanish before anyone can read them: Qt's own balloon
// honours the time-out to the millisecond.
inline constexpr int kMinimumBalloonDisplayMs = 5000;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(DebugOutput& debug, QObject* parent = nullptr);
    ~TrayIcon() override;

    void SetIcon(const QIcon& icon);
    void SetTip(const QString& tip);
    void SetExitText(const QString& text) { exitText_ = text; }

    void Add();
    void Remove();
    bool IsAdded() const { return added_; }

    // Shows a balloon; a balloon without text repeats the previous text.
    void ShowBalloon(const Balloon& balloon);
    const QString& BalloonText() const { return text_; }
    const QString& BalloonTitle() const { return title_; }

    // The icon's double-click and the tray menu, for tests and the window.
    void ShowExitMenu();

signals:
    void doubleClicked();
    void exitChosen();

private:
    DebugOutput& debug_;
    QSystemTrayIcon* icon_ = nullptr; // made on first Add: idle programs touch no tray
    QIcon image_;
    QString tip_;
    QString exitText_;
    QString text_;
    QString title_;
    bool added_ = false;
};

} // namespace lumeno
