#include "config/ConfigDialog.h"

#include "ui/BitmapBtn.h"
#include "ui/ExMenu.h"
#include "ui/LBEditorWnd.h"
#include "ui/ListBoxPro.h"
#include "ui/MessageBox.h"
#include "ui/SkinImages.h"
#include "ui/UiText.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <array>

namespace lumeno {

namespace {

constexpr char kBackgroundImage[] = "Skins/Config/Config.png";
constexpr char kNewNormalImage[] = "Skins/Config/New-Config.png";
constexpr char kNewHoverImage[] = "Skins/Config/New-Config-over.png";
constexpr char kDeleteNormalImage[] = "Skins/Config/Del-Config.png";
constexpr char kDeleteHoverImage[] = "Skins/Config/Del-Config-over.png";
constexpr QRgb kPaneColour = 0xFF1C1E23; // where the skin has no background

struct MenuEntry {
    ProfileMenuCommand command;
    int text;
};
constexpr std::array<MenuEntry, 5> kMenu{{
    {ProfileMenuCommand::Delete, kTextProfileDelete},
    {ProfileMenuCommand::Edit, kTextProfileEdit},
    {ProfileMenuCommand::Copy, kTextProfileCopy},
    {ProfileMenuCommand::Load, kTextProfileLoad},
    {ProfileMenuCommand::Save, kTextProfileSave},
}};

bool IsKeyEvent(const QEvent* event)
{
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
}

} // namespace

bool ProfilePaneSwallowsKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
    case Qt::Key_F1:
        return true;
    default:
        return false;
    }
}

CConfigDialog::CConfigDialog(const SkinImages& skin, const UiText& text, std::string languageCode, QWidget* parent)
    : QWidget(parent), skin_(skin), text_(text), languageCode_(std::move(languageCode))
{
    if (auto image = skin_.Load(kBackgroundImage))
        background_ = *image;
    setFixedSize(background_.isNull() ? kProfilePaneSize : background_.size());
    move(kProfilePanePosition);
    setFocusPolicy(Qt::StrongFocus);

    const QString face = QString::fromUtf8(MainWindowFontFace(languageCode_).data());
    auto makeButton = [&](const QRect& rect, const char* normal, const char* hover, int caption) {
        auto* button = new CBitmapBtn(this);
        button->setGeometry(rect);
        if (normal)
            button->SetBitmaps(skin_, 0, 0, rect.width(), rect.height(), normal, hover, hover, normal);
        button->SetCaptionFont(face, kMainWindowFontHeight, QFont::Normal);
        button->SetAlignment(CBitmapBtn::AlignCentre);
        if (caption >= 0)
            button->SetCaption(Text(caption));
        button->installEventFilter(this);
        return button;
    };
    // The close button looks like the main window's: its owner gives it the images.
    close_ = makeButton(kProfilePaneCloseRect, nullptr, nullptr, -1);
    new_ = makeButton(kProfilePaneNewRect, kNewNormalImage, kNewHoverImage, kTextProfileNew);
    delete_ = makeButton(kProfilePaneDeleteRect, kDeleteNormalImage, kDeleteHoverImage, kTextProfileDelete);
    connect(close_, &QAbstractButton::clicked, this, &CConfigDialog::OnClose);
    connect(new_, &QAbstractButton::clicked, this, &CConfigDialog::OnNew);
    connect(delete_, &QAbstractButton::clicked, this, &CConfigDialog::OnDelete);

    list_ = new CListBoxPro(this);
    list_->SetListId(kProfileListId);
    list_->setGeometry(kProfilePaneListRect);
    list_->setFrameShape(QFrame::NoFrame);
    QFont listFont(face);
    listFont.setPixelSize(kMainWindowFontHeight);
    list_->setFont(listFont);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { OnItemClicked(list_->row(item)); });

    showMessage_ = [this](const QString& caption, const QString& message) {
        const MessageTexts texts{caption, message, Text(kTextOk), Text(kTextCancel),
                                 QString::fromUtf8(MainWindowFontFace(languageCode_).data())};
        CMessageBox box(skin_, MessageButtons::Ok, texts, this);
        box.exec();
    };
    model_.emplace(std::vector<std::string>{}, "", ProfileSession{}, languageCode_);
}

CConfigDialog::~CConfigDialog() = default;

CLBEditorWnd* CConfigDialog::Editor() const { return editor_.data(); }

QString CConfigDialog::Text(int id) const { return QString::fromStdString(text_[id]); }

void CConfigDialog::SetModel(ProfileListModel model)
{
    model_.emplace(std::move(model));
    Fill();
}

void CConfigDialog::ListWritten() { model_->Committed(); }

void CConfigDialog::Imported(int position)
{
    model_->Imported(position);
    Fill();
}

void CConfigDialog::Fill()
{
    const QSignalBlocker block(list_);
    list_->clear();
    for (const auto& name : model_->Names())
        list_->addItem(QString::fromStdString(name));
    if (const auto selected = model_->Selected())
        list_->setCurrentRow(*selected);
    else
        list_->clearSelection();
}

void CConfigDialog::OnNew()
{
    if (model_->New() == ProfileListModel::NewResult::LimitReached) {
        showMessage_(Text(kTextProfileAttention), Text(kTextProfileLimit));
        return;
    }
    Fill();
}

void CConfigDialog::OnDelete()
{
    if (model_->Delete())
        Fill();
}

void CConfigDialog::OnItemClicked(int row)
{
    if (model_->Click(row))
        StartRename(row);
}

void CConfigDialog::StartRename(int row)
{
    if (editor_ || row < 0 || row >= model_->Count())
        return;
    editor_ = CLBEditorWnd::Open(list_, row, CLBEditorWnd::Mode::Text, kProfileListId);
    if (!editor_)
        return;
    editor_->installEventFilter(this);
    connect(editor_, &CLBEditorWnd::editEnded, this, [this](int, int row) { OnEditEnded(row); });
}

void CConfigDialog::OnEditEnded(int row)
{
    if (QListWidgetItem* item = list_->item(row))
        model_->Rename(row, item->text().toStdString());
    Fill();
}

void CConfigDialog::OnMenuCommand(ProfileMenuCommand command)
{
    switch (command) {
    case ProfileMenuCommand::Delete:
        OnDelete();
        break;
    case ProfileMenuCommand::Edit:
        if (const auto selected = model_->Selected())
            StartRename(*selected);
        break;
    case ProfileMenuCommand::Copy:
        if (model_->Copy())
            Fill();
        break;
    case ProfileMenuCommand::Load:
        if (const auto selected = model_->Selected())
            emit importRequested(*selected, model_->Commit());
        break;
    case ProfileMenuCommand::Save:
        emit exportRequested(model_->Selected().value_or(0));
        break;
    }
}

void CConfigDialog::OnClose()
{
    if (editor_)
        editor_->AcceptEdit();
    emit closeRequested(model_->Close());
}

std::vector<std::pair<ProfileMenuCommand, QString>> CConfigDialog::MenuItems() const
{
    std::vector<std::pair<ProfileMenuCommand, QString>> items;
    for (const auto& entry : kMenu)
        items.emplace_back(entry.command, Text(entry.text));
    return items;
}

void CConfigDialog::OpenMenu(const QPoint& globalPosition)
{
    CExMenu menu(this);
    for (const auto& [command, text] : MenuItems())
        menu.AppendItem(int(command), text);
    if (const int chosen = menu.TrackPopup(globalPosition))
        OnMenuCommand(ProfileMenuCommand(chosen));
}

void CConfigDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (background_.isNull())
        painter.fillRect(rect(), QColor::fromRgb(kPaneColour));
    else
        skin_.Draw(painter, kBackgroundImage, 0, 0);
}

bool CConfigDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (IsKeyEvent(event)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // The editor takes blanks (names have them); Enter and Escape never
        // end an edit: Tab or a click outside does.
        const bool inEditor = editor_ && watched == editor_.data();
        if (ProfilePaneSwallowsKey(key) && !(inEditor && key == Qt::Key_Space)) {
            event->accept();
            return true;
        }
    }
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            OpenMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    if (watched == list_ && event->type() == QEvent::ContextMenu)
        return true; // the menu opened on the press already
    return QWidget::eventFilter(watched, event);
}

void CConfigDialog::keyPressEvent(QKeyEvent* event)
{
    if (ProfilePaneSwallowsKey(event->key()))
        return event->accept();
    QWidget::keyPressEvent(event);
}

void CConfigDialog::keyReleaseEvent(QKeyEvent* event)
{
    if (ProfilePaneSwallowsKey(event->key()))
        return event->accept();
    QWidget::keyReleaseEvent(event);
}

} // namespace lumeno
