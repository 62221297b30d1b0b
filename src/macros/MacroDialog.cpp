#include "macros/MacroDialog.h"

#include "ui/BitmapBtn.h"
#include "ui/CloseButtonSkin.h"
#include "ui/ListBoxPro.h"
#include "ui/QtText.h"
#include "ui/SkinImages.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace lumeno {

namespace {

using L = MacroPickerLayout;

QRect ToQRect(const PickerRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }
constexpr QSize kPickerDefaultSize{392, 288};
constexpr QRect kPromptRect{42, 100, 170, 24};
constexpr int kPickerFontHeight = 12;
constexpr int kModeFontHeight = 11;
constexpr int kModeTextIndent = 3;

// Keys that end a dialog on other desktops and never end this one.
bool DroppedKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
    case Qt::Key_F1:
        return true;
    default:
        return false;
    }
}

} // namespace

CMacroDialog::CMacroDialog(MacroPickerModel& model, std::string_view languageCode, const SkinImages& skin,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), model_(model), texts_(MacroPickerTextsFor(languageCode)),
      skin_(skin)
{
    setModal(true);
    if (auto image = skin_.Load(kMacroPickerBackground))
        background_ = *image;
    setFixedSize(background_.isNull() ? kPickerDefaultSize : background_.size());
    font_ = QFont(Q(MainWindowFontFace(languageCode)));
    font_.setPixelSize(kPickerFontHeight);
    setFont(font_);

    close_ = MakeButton(L::kClose, kCloseButtonNormalImage, kCloseButtonOverImage, {});
    ok_ = MakeButton(L::kOk, "MacroManagement/button-small-normal.png", "MacroManagement/button-small-over.png",
                     texts_.ok);
    cancel_ = MakeButton(L::kCancel, "MacroManagement/button-small-normal.png", "MacroManagement/button-small-over.png",
                         texts_.cancel);
    dropDown_ = MakeButton(L::kDropDown, "macro-key-dropdown-normal.png", "macro-key-dropdown-over.png", {});
    dropDown_->SetIdentifier(kDropDownId);
    dropDown_->SetAlignment(CBitmapBtn::AlignLeft);
    dropDown_->SetToggleMode(true); // checked (drawn "over") while the list is open

    list_ = new CListBoxPro(this);
    list_->SetListId(kNameListId);
    list_->setGeometry(ToQRect(L::kList));
    list_->setFont(font_);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->hide();
    connect(list_, &QListWidget::currentRowChanged, this, &CMacroDialog::OnListChoice);
    connect(list_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnListChoice(index.row()); });

    qApp->installEventFilter(this);
    Refresh();
}

CMacroDialog::~CMacroDialog() { qApp->removeEventFilter(this); }

CBitmapBtn* CMacroDialog::MakeButton(const PickerRect& rect, const char* normal, const char* over,
                                     std::string_view caption)
{
    auto* button = new CBitmapBtn(this);
    const QRect r = ToQRect(rect);
    button->setGeometry(r);
    button->SetBitmaps(skin_, 0, 0, r.width(), r.height(), normal, over, over, normal);
    button->SetAlignment(CBitmapBtn::AlignCentre);
    button->SetCaptionFont(font_.family(), kPickerFontHeight);
    button->SetCaption(Q(caption));
    return button;
}

void CMacroDialog::Refresh()
{
    dropDown_->SetCaption(QString::fromStdString(model_.Choice().name));
    dropDown_->SetToggleChecked(model_.ListShown());
    if (!model_.ListShown()) {
        list_->hide();
    } else {
        refreshing_ = true;
        {
            const QSignalBlocker block(list_);
            list_->clear();
            for (const std::string& name : model_.ListNames())
                list_->addItem(QString::fromStdString(name));
            list_->setCurrentRow(model_.ListSelection() ? int(*model_.ListSelection()) : -1);
        }
        refreshing_ = false;
        if (!list_->isVisible()) {
            list_->show();
            list_->raise();
        }
    }
    update();
}

void CMacroDialog::OnListChoice(int row)
{
    if (refreshing_ || row < 0)
        return;
    model_.ChooseEntry(size_t(row));
    Refresh();
}

void CMacroDialog::OnLeftClick(const QPoint& at)
{
    switch (model_.LeftClick(at.x(), at.y())) {
    case MacroPickerModel::Click::Ok:
        accept();
        return;
    case MacroPickerModel::Click::Cancel:
        reject();
        return;
    case MacroPickerModel::Click::Handled:
        break;
    }
    Refresh();
}

bool CMacroDialog::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool own = widget && (widget == this || isAncestorOf(widget));
    if (!own)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        if (DroppedKey(static_cast<QKeyEvent*>(event)->key())) {
            event->accept();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        // Clicks on the image buttons are the window's: the model decides
        // what each one does, in its order.
        const bool button = widget == close_ || widget == ok_ || widget == cancel_ || widget == dropDown_;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!button || mouse->button() != Qt::LeftButton)
            break;
        if (event->type() != QEvent::MouseButtonRelease)
            OnLeftClick(widget->mapTo(this, mouse->position().toPoint()));
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void CMacroDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    bool onControl = false;
    for (const PickerRect& r : L::kModeBoxes)
        onControl = onControl || r.Contains(at.x(), at.y());
    OnLeftClick(at);
    if (!onControl && isVisible())
        drag_.Start(*this, *event);
}

void CMacroDialog::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A second click counts as a click.
    mousePressEvent(event);
}

void CMacroDialog::mouseMoveEvent(QMouseEvent* event)
{
    drag_.Follow(*this, *event);
    QDialog::mouseMoveEvent(event);
}

void CMacroDialog::mouseReleaseEvent(QMouseEvent* event)
{
    drag_.Stop();
    QDialog::mouseReleaseEvent(event);
}

void CMacroDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (background_.isNull())
        p.fillRect(rect(), QColor(24, 24, 28));
    else
        DrawPreparedImage(p, background_, 0, 0);
    p.setPen(Qt::white);
    p.setFont(font_);
    p.drawText(kPromptRect, Qt::AlignLeft | Qt::AlignVCenter, Q(texts_.prompt));
    QFont small = font_;
    small.setPixelSize(kModeFontHeight);
    p.setFont(small);
    for (int mode = 0; mode < kPlayModeCount; ++mode) {
        const PickerRect& box = L::kModeBoxes[mode];
        skin_.Draw(p, mode == model_.Choice().playMode ? "macro-key-radio-on.png" : "macro-key-radio-off.png", box.left,
                   box.top);
        p.drawText(ToQRect(L::kModeTexts[mode]).adjusted(kModeTextIndent, 0, 0, 0),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, Q(texts_.playModes[size_t(mode)]));
    }
}

} // namespace lumeno
