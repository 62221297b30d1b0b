#pragma once
// The splash window: "Skins\splash.png" for three seconds, centred, and no
// way to close it earlier by mouse or keyboard.
#include <QDialog>
#include <QImage>
#include <QTimer>

namespace lumeno {

class DebugOutput;
class SkinImages;

inline constexpr int kSplashWidth = 537;
inline constexpr int kSplashHeight = 423;
inline constexpr int kSplashMilliseconds = 3000;
inline constexpr char kSplashTitle[] = "Lumeno-KV580 Pro Splash";

class CDlgSplash : public QDialog {
    Q_OBJECT
public:
    // Writes "Splash window shown" when it is first painted and "Splash
    // window closed" when its time is up.
    CDlgSplash(const SkinImages& skin, DebugOutput& debug, QWidget* parent = nullptr,
               int milliseconds = kSplashMilliseconds);

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    DebugOutput& debug_;
    QImage image_;
    QTimer timer_;
    bool timeUp_ = false;
    bool painted_ = false;
};

} // namespace lumeno
