#pragma once
// The notification-area icon of the main window: it exists while the mouse
// is connected, shows the device notices and offers "Exit".
//
// The two kinds of tray on Linux act differently:
//   XEmbed tray                  a double-click restores the window; a
//                                right-click opens the program's own
//                                (skinned) menu
//   StatusNotifierItem host      the host knows no double-click: an
//                                activation (a click) restores the window;
//                                the host draws the one-item menu it reads
//                                from the program
// Notices go to the desktop's notification service whenever one runs, also
// while there is no icon (the mouse-gone notice); else the tray shows them.
//
// Every notice is also written to the diagnostic channel, whether or not it
// could be shown:
//   "Tray balloon [<title>] <text> (<time-out> ms)"
//   "Tray balloon [<title>] <text> (<time-out> ms) through the notification service"
//   "Tray balloon not shown, no icon: [<title>] <text>"
#include "app/TrayNotice.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <memory>

class QAction;
class QMenu;

namespace lumeno {

class DebugOutput;
class TrayServices;

// Shorter notices vanish before anyone can read them: Qt's own balloon
// honours the time-out to the millisecond.
inline constexpr int kMinimumBalloonDisplayMs = 5000;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(DebugOutput& debug, TrayServices& services, QObject* parent = nullptr);
    ~TrayIcon() override;

    void SetIcon(const QIcon& icon);
    void SetTip(const QString& tip);
    void SetExitText(const QString& text);

    void Add();
    void Remove();
    bool IsAdded() const { return added_; }
    // Known once the icon was first added.
    bool OnStatusNotifierHost() const { return statusNotifier_; }

    // Shows a notice; a notice without text repeats the previous text.
    void ShowBalloon(const Balloon& balloon);
    const QString& BalloonText() const { return text_; }
    const QString& BalloonTitle() const { return title_; }

    // What the tray reports of the icon; public for tests.
    void Activated(QSystemTrayIcon::ActivationReason reason);
    // The program's own tray menu (XEmbed trays).
    void ShowExitMenu();

signals:
    void restoreRequested();
    void exitChosen();

private:
    void ShowOnIcon(const QString& title, const QString& text, int timeoutMs);

    DebugOutput& debug_;
    TrayServices& services_;
    QSystemTrayIcon* icon_ = nullptr; // made on first Add: idle programs touch no tray
    std::unique_ptr<QMenu> hostMenu_; // the menu a StatusNotifierItem host draws
    QAction* exitAction_ = nullptr;
    bool statusNotifier_ = false;
    QIcon image_;
    QString tip_;
    QString exitText_;
    QString text_;
    QString title_;
    bool added_ = false;
};

} // namespace lumeno
