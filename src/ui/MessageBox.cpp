#include "ui/MessageBox.h"

#include "ui/BitmapBtn.h"
#include "ui/SkinImages.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace lumeno {

namespace {

// Colours of the skin: panel, title strip, its accent line, text.
constexpr QColor kPanel{28, 30, 35};
constexpr QColor kTitleStrip{38, 41, 48};
constexpr QColor kAccent{143, 32, 32};
constexpr QColor kText{255, 255, 255};

constexpr int kWidth = 380;
constexpr int kTitleHeight = 26;
constexpr int kMargin = 18;
constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 12;
constexpr int kMinimumMessageHeight = 40;
constexpr int kFontHeight = 13;
constexpr char kButtonNormal[] = "Skins/MacroManagement/button-cancel-normal.png";
constexpr char kButtonOver[] = "Skins/MacroManagement/button-cancel-over.png";

QFont TextFont(const QString& face, bool bold)
{
    QFont font(face);
    font.setPixelSize(kFontHeight);
    font.setBold(bold);
    return font;
}

} // namespace

CMessageBox::CMessageBox(const SkinImages& skin, MessageButtons buttons, const MessageTexts& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), texts_(texts)
{
    setWindowTitle(texts.caption);
    setModal(true);

    const QFontMetrics metrics(TextFont(texts.fontFace, false));
    const int textWidth = kWidth - 2 * kMargin;
    const int messageHeight = std::max(
        kMinimumMessageHeight, metrics.boundingRect(0, 0, textWidth, 1000, Qt::TextWordWrap, texts.message).height());
    setFixedSize(kWidth, kTitleHeight + kMargin + messageHeight + kMargin + kButtonHeight + kMargin);

    auto makeButton = [&](const QString& caption) {
        auto* button = new CBitmapBtn(this);
        button->SetBitmaps(skin, 0, 0, kButtonWidth, kButtonHeight, kButtonNormal, kButtonOver, kButtonOver,
                           kButtonNormal);
        button->SetCaption(caption);
        button->SetCaptionFont(texts.fontFace, kFontHeight, QFont::Normal);
        button->SetAlignment(CBitmapBtn::AlignCentre);
        return button;
    };
    const int buttonTop = height() - kMargin - kButtonHeight;
    ok_ = makeButton(texts.ok);
    connect(ok_, &QAbstractButton::clicked, this, &QDialog::accept);
    if (buttons == MessageButtons::OkCancel) {
        cancel_ = makeButton(texts.cancel);
        connect(cancel_, &QAbstractButton::clicked, this, &QDialog::reject);
        const int left = (kWidth - 2 * kButtonWidth - kButtonGap) / 2;
        ok_->setGeometry(left, buttonTop, kButtonWidth, kButtonHeight);
        cancel_->setGeometry(left + kButtonWidth + kButtonGap, buttonTop, kButtonWidth, kButtonHeight);
    } else {
        ok_->setGeometry((kWidth - kButtonWidth) / 2, buttonTop, kButtonWidth, kButtonHeight);
    }
}

QRect CMessageBox::MessageRect() const
{
    return QRect(kMargin, kTitleHeight + kMargin, width() - 2 * kMargin,
                 height() - kTitleHeight - 3 * kMargin - kButtonHeight);
}

void CMessageBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kPanel);
    painter.fillRect(QRect(0, 0, width(), kTitleHeight), kTitleStrip);
    painter.fillRect(QRect(0, kTitleHeight - 1, width(), 1), kAccent);
    painter.setPen(kAccent);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    painter.setPen(kText);
    painter.setFont(TextFont(texts_.fontFace, true));
    painter.drawText(QRect(kMargin / 2, 0, width() - kMargin, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     texts_.caption);
    painter.setFont(TextFont(texts_.fontFace, false));
    painter.drawText(MessageRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, texts_.message);
}

void CMessageBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        break;
    case Qt::Key_Escape:
        reject();
        break;
    default:
        QDialog::keyPressEvent(event);
        break;
    }
}

void CMessageBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || event->position().y() >= kTitleHeight)
        return;
    drag_.Start(*this, *event);
}

void CMessageBox::mouseMoveEvent(QMouseEvent* event) { drag_.Follow(*this, *event); }

void CMessageBox::mouseReleaseEvent(QMouseEvent*) { drag_.Stop(); }

} // namespace lumeno
