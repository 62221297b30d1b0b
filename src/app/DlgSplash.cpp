#include "app/DlgSplash.h"

#include "app/MainWindowSkin.h"
#include "platform/DebugOutput.h"
#include "ui/SkinImages.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace lumeno {

CDlgSplash::CDlgSplash(const SkinImages& skin, DebugOutput& debug, QWidget* parent, int milliseconds)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), debug_(debug)
{
    setWindowTitle(kSplashTitle);
    setFixedSize(kSplashWidth, kSplashHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (auto image = skin.Load(kSplashImage))
        image_ = *image;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(kSplashWidth / 2, kSplashHeight / 2));
    }
    timer_.setSingleShot(true);
    timer_.setInterval(milliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] {
        timeUp_ = true;
        debug_.Write("Splash window closed\n");
        reject();
    });
}

void CDlgSplash::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!timer_.isActive() && !timeUp_)
        timer_.start();
}

void CDlgSplash::done(int result)
{
    // Esc and the window manager's close would end the dialog early.
    if (timeUp_)
        QDialog::done(result);
}

void CDlgSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!image_.isNull())
        DrawPreparedImage(painter, image_, 0, 0);
    if (!painted_) {
        painted_ = true;
        debug_.Write("Splash window shown\n");
    }
}

void CDlgSplash::mousePressEvent(QMouseEvent* event) { event->accept(); }
void CDlgSplash::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
void CDlgSplash::keyPressEvent(QKeyEvent* event) { event->accept(); }

void CDlgSplash::closeEvent(QCloseEvent* event)
{
    if (timeUp_)
        event->accept();
    else
        event->ignore();
}

} // namespace lumeno
