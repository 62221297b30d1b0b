#pragma once
// Moving a frameless window by dragging its background, as its title bar
// would: the window manager moves it where it can (startSystemMove), the
// window follows the pointer itself otherwise.
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>
#include <QWindow>

namespace lumeno {

class WindowDrag {
public:
    // On a left press where the window has no control.
    void Start(QWidget& window, const QMouseEvent& press)
    {
        if (window.windowHandle() && window.windowHandle()->startSystemMove())
            return;
        active_ = true;
        offset_ = press.globalPosition().toPoint() - window.frameGeometry().topLeft();
    }
    // On each move; true when the move was the drag's.
    bool Follow(QWidget& window, const QMouseEvent& move)
    {
        if (!active_ || !(move.buttons() & Qt::LeftButton))
            return false;
        window.move(move.globalPosition().toPoint() - offset_);
        return true;
    }
    void Stop() { active_ = false; }

private:
    bool active_ = false;
    QPoint offset_;
};

} // namespace lumeno
