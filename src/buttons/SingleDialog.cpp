#include "buttons/SingleDialog.h"

#include "platform/DebugOutput.h"
#include "platform/EvdevKeys.h"
#include "platform/KeyboardHook.h"
#include "ui/SkinImages.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <cstdio>

namespace lumeno {

namespace {

QRect ToQRect(const KeyCaptureRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

const QColor kWhite{255, 255, 255};
const QColor kBlack{0, 0, 0};
// Drawn where the background image is missing, in the skin's colours.
const QColor kFallbackPanel{28, 30, 35};

} // namespace

CSingleDialog::CSingleDialog(const SkinImages& skin, DebugOutput& debug, KeyboardHook* hook,
                             std::string_view languageCode, const std::string& presetName, TellFunction tell,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), skin_(skin), debug_(debug), hook_(hook),
      tell_(std::move(tell)), texts_(KeyCaptureTextsFor(languageCode)), keyName_(presetName)
{
    setModal(true);
    setMouseTracking(true);
    setWindowTitle(QString::fromUtf8(texts_.title.data(), int(texts_.title.size())));

    if (auto image = skin_.Load(kKeyCaptureBackground))
        background_ = *image;
    if (background_.isNull()) {
        // No grab without the dialog that shows it is held: the hook is not
        // taken, and the dialog gets a size that shows OK and Cancel.
        if (tell_)
            tell_(QString::fromUtf8(kBackgroundFailedCaption), QString::fromUtf8(kBackgroundFailedText));
        setFixedSize(kKeyCaptureFallbackWidth, kKeyCaptureFallbackHeight);
    } else {
        setFixedSize(background_.size());
    }
    // At the top-left corner of the parent's client area, not centred.
    move(parent ? parent->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0));

    font_ = QFont(QString::fromUtf8(texts_.fontFace.data(), int(texts_.fontFace.size())));
    font_.setPixelSize(texts_.fontHeight);
    font_.setWeight(QFont::Normal); // 400
}

CSingleDialog::~CSingleDialog() { StopHook(); }

bool CSingleDialog::HookHeld() const { return hook_ && hook_->Active(); }

void CSingleDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    raise();
    activateWindow();
    // Taken once the dialog is on screen, never before.
    if (!hookTried_ && BackgroundLoaded())
        QTimer::singleShot(0, this, &CSingleDialog::StartHook);
}

void CSingleDialog::StartHook()
{
    if (hookTried_ || !isVisible() || !hook_)
        return;
    hookTried_ = true;
    KeyboardHookFailure failure;
    if (hook_->Start([this](const KeyboardEvent& e) { OnKeyEvent(e); }, failure))
        return;
    DebugPrintf(debug_, "Key capture hook not installed: %s\n", failure.reason.c_str());
    char text[64];
    std::snprintf(text, sizeof text, kHookInstallError, failure.code);
    if (tell_)
        tell_(QString(), QString::fromUtf8(text));
}

void CSingleDialog::StopHook()
{
    if (hook_ && hook_->Active())
        hook_->Stop();
}

void CSingleDialog::hideEvent(QHideEvent* event)
{
    StopHook();
    QDialog::hideEvent(event);
}

void CSingleDialog::closeEvent(QCloseEvent* event)
{
    StopHook();
    QDialog::closeEvent(event);
}

void CSingleDialog::done(int result)
{
    StopHook();
    QDialog::done(result);
}

void CSingleDialog::OnKeyEvent(const KeyboardEvent& event)
{
    const CapturedKey key = CaptureKeyEvent(event);
    debug_.Write(key.debugLine);
    keyName_ = key.name;
    DebugPrintf(debug_, "Key capture shows \"%s\"\n", keyName_.c_str());
    repaint(ToQRect(kKeyNameBoxRect));
}

void CSingleDialog::OnOwnKey(QKeyEvent* event, bool release)
{
    // Keys reach the window itself only while no hook holds them. They are
    // read by their place on the keyboard, as the hook reads them, and none
    // of them acts on the dialog.
    event->accept();
    if (HookHeld())
        return;
    const KeyboardEvent key = KeyboardEventOfXKeyCode(event->nativeScanCode(), release);
    if (key.virtualKey == 0 && event->nativeScanCode() == 0)
        return;
    OnKeyEvent(key);
}

void CSingleDialog::keyPressEvent(QKeyEvent* event) { OnOwnKey(event, false); }

void CSingleDialog::keyReleaseEvent(QKeyEvent* event) { OnOwnKey(event, true); }

bool CSingleDialog::event(QEvent* event)
{
    // Tab and Backtab would move the focus instead of being captured.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept(); // every key is the dialog's, no shortcut takes it
            return true;
        }
        keyPressEvent(key);
        return true;
    }
    return QDialog::event(event);
}

CSingleDialog::Element CSingleDialog::ElementAt(const QPoint& pos) const
{
    if (kKeyCaptureCloseRect.Contains(pos.x(), pos.y()))
        return Element::Close;
    if (kKeyCaptureOkRect.Contains(pos.x(), pos.y()))
        return Element::Ok;
    if (kKeyCaptureCancelRect.Contains(pos.x(), pos.y()))
        return Element::Cancel;
    return Element::None;
}

void CSingleDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    switch (ElementAt(event->position().toPoint())) {
    case Element::Ok:
        accept();
        return;
    case Element::Cancel:
    case Element::Close:
        reject();
        return;
    case Element::None:
        break;
    }
    drag_.Start(*this, *event);
}

void CSingleDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (drag_.Follow(*this, *event))
        return;
    const Element over = ElementAt(event->position().toPoint());
    if (over != hovered_) {
        hovered_ = over;
        update();
    }
}

void CSingleDialog::mouseReleaseEvent(QMouseEvent*) { drag_.Stop(); }

void CSingleDialog::leaveEvent(QEvent*)
{
    if (hovered_ != Element::None) {
        hovered_ = Element::None;
        update();
    }
}

void CSingleDialog::paintEvent(QPaintEvent*)
{
    // Drawn off screen first, then copied in one piece.
    QImage frame(size(), QImage::Format_ARGB32_Premultiplied);
    frame.fill(kFallbackPanel);
    {
        QPainter p(&frame);
        if (!background_.isNull())
            DrawPreparedImage(p, background_, 0, 0);
        p.setFont(font_);
        p.setPen(kWhite);
        const QString title = QString::fromUtf8(texts_.title.data(), int(texts_.title.size()));
        p.drawText(ToQRect(kKeyCaptureTitleRect), Qt::AlignCenter | Qt::TextSingleLine, title);

        const QRect box = ToQRect(kKeyNameBoxRect);
        p.fillRect(box, kWhite);
        p.setPen(kBlack);
        p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, QString::fromStdString(keyName_));

        skin_.Draw(p, hovered_ == Element::Close ? kKeyCaptureCloseOver : kKeyCaptureCloseNormal,
                   kKeyCaptureCloseRect.left, kKeyCaptureCloseRect.top);
        const std::pair<Element, KeyCaptureRect> buttons[] = {{Element::Ok, kKeyCaptureOkRect},
                                                              {Element::Cancel, kKeyCaptureCancelRect}};
        for (const auto& [element, rect] : buttons) {
            skin_.Draw(p, hovered_ == element ? kKeyCaptureButtonOver : kKeyCaptureButtonNormal, rect.left, rect.top);
            const std::string_view text = element == Element::Ok ? texts_.ok : texts_.cancel;
            p.setPen(kWhite);
            p.drawText(ToQRect(rect), Qt::AlignCenter | Qt::TextSingleLine,
                       QString::fromUtf8(text.data(), int(text.size())));
        }
    }
    QPainter(this).drawImage(0, 0, frame);
}

} // namespace lumeno
