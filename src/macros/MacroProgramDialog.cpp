#include "macros/MacroProgramDialog.h"

#include "buttons/KeyTables.h"
#include "platform/Pacer.h"
#include "ui/BitmapBtn.h"
#include "ui/CloseButtonSkin.h"
#include "ui/ExMenu.h"
#include "ui/LBEditorWnd.h"
#include "ui/ListBoxPro.h"
#include "ui/MessageBox.h"
#include "ui/QtText.h"
#include "ui/SkinImages.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace lumeno {

namespace {

// Client rectangles of the default skin (left, top, right, bottom).
constexpr QRect Rect(int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); }
constexpr QRect kCloseRect = Rect(427, 17, 478, 41);
constexpr QRect kOkRect = Rect(298, 394, 352, 422);
constexpr QRect kCancelRect = Rect(354, 394, 408, 422);
constexpr QRect kNewRect = Rect(17, 367, 75, 392);
constexpr QRect kDeleteRect = Rect(77, 367, 135, 392);
constexpr QRect kColumnTitleRects[] = {Rect(16, 60, 134, 78), Rect(148, 60, 266, 78), Rect(279, 60, 397, 78)};
constexpr QRect kNameListRect = Rect(21, 82, 130, 353);
constexpr QRect kSequenceListRect = Rect(153, 82, 262, 353);
constexpr QRect kRecordRect = Rect(295, 87, 384, 111);
constexpr QRect kDelayBoxRect = Rect(370, 144, 384, 158);
constexpr QRect kLoopBoxRect = Rect(296, 314, 310, 328);
constexpr QRect kLoopFieldRect = Rect(298, 333, 379, 345);
// Where the texts beside the boxes and the title go.
constexpr QRect kTitleRect = Rect(50, 12, 350, 38);
constexpr QRect kDelayTextRect = Rect(288, 122, 368, 166);
constexpr QRect kLoopTextRect = Rect(314, 312, 396, 330);
constexpr QSize kDefaultSize{495, 440};

constexpr int kFontHeight = 12;
constexpr int kSmallFontHeight = 11;
constexpr int kTitleFontHeight = 16;
constexpr int kColumnTitleIndent = 6;

// The Windows virtual key of the few Qt keys the manager filters; 0 for others.
uint32_t FilteredVirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kVkEnter;
    case Qt::Key_Space:
        return kVkSpace;
    case Qt::Key_Escape:
        return kVkEscape;
    case Qt::Key_F1:
        return kVkF1;
    case Qt::Key_Super_L:
    case Qt::Key_Meta:
        return kVkLeftWindows;
    case Qt::Key_Super_R:
        return kVkRightWindows;
    default:
        return 0;
    }
}

KeyMessageKind KindOfKeyEvent(const QKeyEvent& event)
{
    const bool system = event.modifiers() & Qt::AltModifier;
    if (event.type() == QEvent::KeyRelease)
        return system ? KeyMessageKind::SystemKeyUp : KeyMessageKind::KeyUp;
    return system ? KeyMessageKind::SystemKeyDown : KeyMessageKind::KeyDown;
}

} // namespace

CMacroProgramDialog::CMacroProgramDialog(MacroManagerServices services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), s_(std::move(services)),
      texts_(MacroManagerTextsFor(s_.languageCode)), hook_(s_.keyboard, s_.pacer, s_.debug),
      model_(s_.ini, s_.libraryFile, s_.pacer, hook_, s_.languageCode)
{
    setModal(true);
    setWindowTitle(Q(texts_.title));
    hook_.SetHandlers([this](const KeyboardEvent& event) { return model_.OnKeyboardEvent(event); },
                      [this](const RecordedKey& key, uint64_t nowMs) {
                          // Handled after the hook returns, as a posted report.
                          QMetaObject::invokeMethod(
                              this, [this, key, nowMs] { OnRecordedKey(key, nowMs); }, Qt::QueuedConnection);
                      });
    if (auto image = s_.skin.Load(kMacroManagerBackground))
        background_ = *image;
    setFixedSize(background_.isNull() ? kDefaultSize : background_.size());
    font_ = QFont(Q(MainWindowFontFace(s_.languageCode)));
    font_.setPixelSize(kFontHeight);
    setFont(font_);
    CreateControls();
    qApp->installEventFilter(this);
}

CMacroProgramDialog::~CMacroProgramDialog()
{
    qApp->removeEventFilter(this);
    // The grab never outlives the window, whatever ended it.
    model_.Cancel();
}

CBitmapBtn* CMacroProgramDialog::MakeButton(const QRect& rect, const char* normal, const char* over,
                                            std::string_view caption)
{
    auto* button = new CBitmapBtn(this);
    button->setGeometry(rect);
    button->SetBitmaps(s_.skin, 0, 0, rect.width(), rect.height(), normal, over, over, normal);
    button->SetAlignment(CBitmapBtn::AlignCentre);
    button->SetCaptionFont(font_.family(), kFontHeight);
    button->SetCaption(Q(caption));
    button->FitCaption(kFontHeight, 9);
    return button;
}

CBitmapBtn* CMacroProgramDialog::MakeTickBox(const QRect& rect)
{
    auto* box = new CBitmapBtn(this);
    box->setGeometry(rect);
    const char* off = "MacroManagement/Check-off.png";
    const char* on = "MacroManagement/Check-on.png";
    box->SetBitmaps(s_.skin, 0, 0, rect.width(), rect.height(), off, off, on, off);
    box->SetToggleMode(true);
    return box;
}

void CMacroProgramDialog::CreateControls()
{
    // The close mark is part of the background; hovering lays the skin's
    // close-over image on it.
    close_ = new CBitmapBtn(this);
    close_->setGeometry(kCloseRect);
    {
        QImage normal = background_.isNull() ? QImage(kCloseRect.size(), QImage::Format_RGB32)
                                             : RegionCopy(background_, kCloseRect.left(), kCloseRect.top(),
                                                          kCloseRect.right() + 1, kCloseRect.bottom() + 1);
        if (background_.isNull())
            normal.fill(Qt::black);
        QImage over = normal.copy();
        if (auto mark = s_.skin.Load(kCloseButtonOverImage)) {
            QPainter p(&over);
            DrawPreparedImage(p, *mark, (over.width() - mark->width()) / 2, (over.height() - mark->height()) / 2);
        }
        close_->SetBitmaps(0, 0, normal.width(), normal.height(), normal, over, over, normal);
    }
    connect(close_, &QAbstractButton::clicked, this, &CMacroProgramDialog::reject);

    ok_ = MakeButton(kOkRect, "MacroManagement/button-ok-normal.png", "MacroManagement/button-ok-over.png", texts_.ok);
    cancel_ = MakeButton(kCancelRect, "MacroManagement/button-ok-normal.png", "MacroManagement/button-ok-over.png",
                         texts_.cancel);
    new_ = MakeButton(kNewRect, "MacroManagement/button-small-normal.png", "MacroManagement/button-small-over.png",
                      texts_.newMacro);
    delete_ = MakeButton(kDeleteRect, "MacroManagement/button-small-normal.png",
                         "MacroManagement/button-small-over.png", texts_.deleteText);
    connect(ok_, &QAbstractButton::clicked, this, &CMacroProgramDialog::OnOk);
    connect(cancel_, &QAbstractButton::clicked, this, &CMacroProgramDialog::reject);
    connect(new_, &QAbstractButton::clicked, this, &CMacroProgramDialog::OnNew);
    connect(delete_, &QAbstractButton::clicked, this, &CMacroProgramDialog::OnDelete);

    record_ = MakeButton(kRecordRect, "MacroManagement/Record-normal.png", "MacroManagement/Record-over.png",
                         texts_.startRecording);
    record_->SetToggleMode(true); // checked: drawn active while recording
    connect(record_, &CBitmapBtn::toggleCommand, this, &CMacroProgramDialog::OnRecord);

    delayBox_ = MakeTickBox(kDelayBoxRect);
    connect(delayBox_, &CBitmapBtn::toggleCommand, this, [this] {
        model_.ToggleDelayOption();
        RefreshOptions();
    });
    loopBox_ = MakeTickBox(kLoopBoxRect);
    connect(loopBox_, &CBitmapBtn::toggleCommand, this, [this] {
        model_.ToggleLoopOption();
        Refresh();
    });

    loopField_ = new QLineEdit(this);
    loopField_->setObjectName(QStringLiteral("loopCount%1").arg(kLoopFieldId));
    loopField_->setGeometry(kLoopFieldRect);
    loopField_->setFrame(false);
    loopField_->setAlignment(Qt::AlignCenter);
    loopField_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    QFont small = font_;
    small.setPixelSize(kSmallFontHeight);
    loopField_->setFont(small);
    loopField_->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(12,12,14); color: white; border: none; }"
                                             "QLineEdit:disabled { color: rgb(110,110,110); }"));
    connect(loopField_, &QLineEdit::textEdited, this, &CMacroProgramDialog::OnLoopEdited);

    names_ = new CListBoxPro(this);
    names_->SetListId(kNameListId);
    names_->setGeometry(kNameListRect);
    sequence_ = new CListBoxPro(this);
    sequence_->SetListId(kSequenceListId);
    sequence_->setGeometry(kSequenceListRect);
    for (CListBoxPro* list : {names_, sequence_}) {
        list->setFont(font_);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setFrameShape(QFrame::NoFrame);
    }
    connect(names_, &QListWidget::currentRowChanged, this, &CMacroProgramDialog::OnNameSelected);
    connect(names_, &QAbstractItemView::doubleClicked, this, &CMacroProgramDialog::OnRename);
    // Every click on a line counts (a second click on a delay edits it);
    // keyboard moves count as clicks too.
    connect(sequence_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { OnLineClicked(index.row()); });
    connect(sequence_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnLineClicked(index.row()); });
    connect(sequence_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!refreshing_ && QApplication::mouseButtons() == Qt::NoButton)
            OnLineClicked(row);
    });
}

void CMacroProgramDialog::Open(const std::array<std::string, kButtonCount>& captions, ConfigImage* image)
{
    if (background_.isNull())
        ShowMessage(kManagerBackgroundFailedCaption, QString::fromLatin1(kManagerBackgroundFailedText));
    model_.Open(captions, image);
    Refresh();
}

void CMacroProgramDialog::Destroy()
{
    if (editor_)
        editor_->AcceptEdit();
    reject();
}

void CMacroProgramDialog::reject()
{
    model_.Cancel();
    Refresh();
    QDialog::reject();
}

// --- showing the model ------------------------------------------------------

void CMacroProgramDialog::Refresh()
{
    RefreshNames();
    RefreshSequence();
    RefreshOptions();
}

namespace {

// Makes the list show texts, touching only the rows that differ.
void ShowTexts(QListWidget& list, const std::vector<std::string>& texts)
{
    for (size_t i = 0; i < texts.size(); ++i) {
        const QString text = QString::fromStdString(texts[i]);
        if (QListWidgetItem* item = list.item(int(i))) {
            if (item->text() != text)
                item->setText(text);
        } else {
            list.addItem(text);
        }
    }
    while (list.count() > int(texts.size()))
        delete list.takeItem(list.count() - 1);
}

void ShowSelection(QListWidget& list, std::optional<size_t> row)
{
    const int wanted = row ? int(*row) : -1;
    if (list.currentRow() != wanted)
        list.setCurrentRow(wanted);
    if (wanted >= 0)
        list.scrollToItem(list.item(wanted));
    else
        list.clearSelection();
}

} // namespace

void CMacroProgramDialog::RefreshNames()
{
    if (editor_ && editor_->parentWidget() == names_->viewport())
        return; // the editor owns the row it edits
    const QSignalBlocker block(names_);
    refreshing_ = true;
    ShowTexts(*names_, model_.Names());
    ShowSelection(*names_, model_.SelectedMacro());
    refreshing_ = false;
}

void CMacroProgramDialog::RefreshSequence()
{
    if (editor_ && editor_->parentWidget() == sequence_->viewport())
        return;
    refreshing_ = true;
    {
        const QSignalBlocker block(sequence_);
        ShowTexts(*sequence_, model_.Lines());
        ShowSelection(*sequence_, model_.SelectedLine());
    }
    refreshing_ = false;
}

void CMacroProgramDialog::RefreshOptions()
{
    const bool recording = model_.Recording();
    record_->SetCaption(Q(recording ? texts_.stopRecording : texts_.startRecording));
    record_->FitCaption(kFontHeight, 9);
    record_->SetToggleChecked(recording);
    delayBox_->SetToggleChecked(model_.DelayOption());
    loopBox_->SetToggleChecked(model_.LoopOption());
    const QString loop = QString::fromStdString(model_.LoopText());
    if (loopField_->text() != loop) {
        const QSignalBlocker block(loopField_);
        loopField_->setText(loop);
    }
    loopField_->setEnabled(model_.LoopFieldEnabled());
}

void CMacroProgramDialog::ShowMessage(std::string_view caption, const QString& text)
{
    if (messageSink_) {
        messageSink_(Q(caption), text);
        return;
    }
    const MessageTexts texts{Q(caption), text, Q(texts_.ok), Q(texts_.cancel), font_.family()};
    CMessageBox box(s_.skin, MessageButtons::Ok, texts, this);
    box.exec();
}

// --- commands ---------------------------------------------------------------

void CMacroProgramDialog::OnOk()
{
    if (editor_)
        editor_->AcceptEdit();
    model_.Ok();
    Refresh();
    accept();
}

void CMacroProgramDialog::OnNew()
{
    const auto result = model_.New();
    Refresh();
    if (result == MacroManagerModel::AddResult::LimitReached)
        ShowMessage(texts_.attention, Q(texts_.macroLimit));
}

void CMacroProgramDialog::OnDelete()
{
    model_.Delete();
    Refresh();
}

void CMacroProgramDialog::OnRecord()
{
    const auto result = model_.ToggleRecording();
    Refresh();
    if (!result.errorMessage.empty())
        ShowMessage(texts_.attention, QString::fromStdString(result.errorMessage));
}

void CMacroProgramDialog::OnRecordedKey(const RecordedKey& key, uint64_t nowMs)
{
    const bool wasRecording = model_.Recording();
    model_.OnRecordedKey(key, nowMs);
    RefreshSequence();
    if (wasRecording != model_.Recording())
        RefreshOptions();
    emit recordedKeyShown();
}

void CMacroProgramDialog::OnNameSelected(int row)
{
    if (refreshing_ || row < 0)
        return;
    model_.SelectMacro(size_t(row));
    Refresh();
}

void CMacroProgramDialog::OnRename()
{
    if (!model_.BeginRename() || editor_)
        return;
    const int row = int(*model_.SelectedMacro());
    CLBEditorWnd* editor = CLBEditorWnd::Open(names_, row, CLBEditorWnd::Mode::Text, kNameListId);
    if (!editor)
        return;
    editor_ = editor;
    connect(editor, &CLBEditorWnd::editEnded, this, [this, editor](int listId, int) { OnEditEnded(editor, listId); });
}

void CMacroProgramDialog::OnLineClicked(int row)
{
    if (row < 0 || editor_)
        return;
    if (!model_.ClickLine(size_t(row)))
        return;
    CLBEditorWnd* editor = CLBEditorWnd::Open(sequence_, row, CLBEditorWnd::Mode::Numeric, kSequenceListId);
    if (!editor) {
        model_.EndDelayEdit(std::nullopt);
        return;
    }
    editor_ = editor;
    connect(editor, &CLBEditorWnd::editEnded, this, [this, editor](int listId, int) { OnEditEnded(editor, listId); });
}

void CMacroProgramDialog::OnEditEnded(CLBEditorWnd* editor, int listId)
{
    std::optional<std::string> typed;
    if (editor->Result() == CLBEditorWnd::Outcome::Accepted) {
        QListWidget* list = listId == kNameListId ? static_cast<QListWidget*>(names_) : sequence_;
        if (QListWidgetItem* item = list->item(editor->Row()))
            typed = item->text().toStdString();
    }
    editor_ = nullptr;
    if (listId == kNameListId)
        model_.EndRename(typed);
    else
        model_.EndDelayEdit(typed);
    Refresh();
}

void CMacroProgramDialog::OnSequenceRightPress(const QPoint& globalPosition)
{
    if (editor_)
        editor_->AcceptEdit();
    const bool open = model_.OpenContextMenu();
    Refresh();
    if (!open)
        return;
    CExMenu menu(this);
    menu.SetItemWidth(kContextMenuWidth);
    menu.AppendItem(kMenuDeleteLine, Q(texts_.deleteText));
    menu.AppendItem(kMenuInsertLeft, Q(texts_.insertLeft));
    menu.AppendItem(kMenuInsertMiddle, Q(texts_.insertMiddle));
    menu.AppendItem(kMenuInsertRight, Q(texts_.insertRight));
    menu.AppendItem(kMenuInsertDelay, Q(texts_.insertDelay));
    const int command = menuRunner_ ? menuRunner_(menu, globalPosition) : menu.TrackPopup(globalPosition);
    OnMenuCommand(command);
}

void CMacroProgramDialog::OnMenuCommand(int command)
{
    switch (command) {
    case kMenuDeleteLine:
        model_.DeleteLine();
        break;
    case kMenuInsertLeft:
        model_.InsertClick(MouseClickKind::Left);
        break;
    case kMenuInsertMiddle:
        model_.InsertClick(MouseClickKind::Middle);
        break;
    case kMenuInsertRight:
        model_.InsertClick(MouseClickKind::Right);
        break;
    case kMenuInsertDelay:
        model_.InsertDelay();
        break;
    default:
        return;
    }
    RefreshSequence();
}

void CMacroProgramDialog::OnLoopEdited(const QString& text)
{
    model_.SetLoopCountText(text.toStdString());
    RefreshOptions();
}

// --- window -----------------------------------------------------------------

bool CMacroProgramDialog::IsOwnWidget(QObject* object) const
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

bool CMacroProgramDialog::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
        if (!IsOwnWidget(watched))
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (ManagerDiscardsKey(KindOfKeyEvent(*key), FilteredVirtualKey(key->key()))) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Right presses on the sequence list open its menu and select nothing.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == sequence_->viewport() && mouse->button() == Qt::RightButton) {
            OnSequenceRightPress(mouse->globalPosition().toPoint());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void CMacroProgramDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (background_.isNull())
        p.fillRect(rect(), QColor(24, 24, 28));
    else
        DrawPreparedImage(p, background_, 0, 0);
    p.setPen(Qt::white);
    QFont title = font_;
    title.setPixelSize(kTitleFontHeight);
    p.setFont(title);
    p.drawText(kTitleRect, Qt::AlignLeft | Qt::AlignVCenter, Q(texts_.title));
    p.setFont(font_);
    const std::string_view columns[] = {texts_.selectMacro, texts_.keystrokeSequence, texts_.options};
    for (size_t i = 0; i < std::size(columns); ++i)
        p.drawText(kColumnTitleRects[i].adjusted(kColumnTitleIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   Q(columns[i]));
    QFont small = font_;
    small.setPixelSize(kSmallFontHeight);
    p.setFont(small);
    p.drawText(kDelayTextRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, Q(texts_.delayOption));
    p.drawText(kLoopTextRect, Qt::AlignLeft | Qt::AlignVCenter, Q(texts_.loopOption));
}

void CMacroProgramDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        drag_.Start(*this, *event);
    QDialog::mousePressEvent(event);
}

void CMacroProgramDialog::mouseMoveEvent(QMouseEvent* event)
{
    drag_.Follow(*this, *event);
    QDialog::mouseMoveEvent(event);
}

void CMacroProgramDialog::mouseReleaseEvent(QMouseEvent* event)
{
    drag_.Stop();
    QDialog::mouseReleaseEvent(event);
}

} // namespace lumeno
