#include "ui/LBEditorWnd.h"

#include "ui/ListEditRules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

#include <string>
#include <vector>

namespace lumeno {

CLBEditorWnd::CLBEditorWnd(QListWidget* list, int row, Mode mode, int listId)
    : QLineEdit(list->viewport()), list_(list), row_(row), mode_(mode), listId_(listId)
{
    setFont(list->font());
    setFrame(true);
    if (mode_ == Mode::Numeric)
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    qApp->installEventFilter(this);
}

CLBEditorWnd* CLBEditorWnd::Open(QListWidget* list, int row, Mode mode, int listId)
{
    QListWidgetItem* item = list ? list->item(row) : nullptr;
    if (!item)
        return nullptr;
    auto* editor = new CLBEditorWnd(list, row, mode, listId);
    editor->setGeometry(list->visualItemRect(item).adjusted(-1, -1, 1, 1));
    editor->setText(item->text());
    editor->selectAll();
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    return editor;
}

void CLBEditorWnd::AcceptEdit()
{
    if (outcome_ != Outcome::Open)
        return;
    QListWidgetItem* item = list_ ? list_->item(row_) : nullptr;
    if (!item) {
        Finish(Outcome::Refused);
        return;
    }
    const std::string typed = text().toStdString();
    if (mode_ == Mode::Numeric) {
        item->setText(QString::fromStdString(AcceptedDelayText(typed)));
        Finish(Outcome::Accepted);
        return;
    }
    std::vector<std::string> items;
    for (int i = 0; i < list_->count(); ++i)
        items.push_back(list_->item(i)->text().toStdString());
    if (std::optional<std::string> accepted = AcceptedNameText(typed, items, row_)) {
        item->setText(QString::fromStdString(*accepted));
        Finish(Outcome::Accepted);
    } else {
        Finish(Outcome::Refused);
    }
}

void CLBEditorWnd::CancelEdit()
{
    if (outcome_ != Outcome::Open)
        return;
    Finish(Outcome::Cancelled);
}

void CLBEditorWnd::Finish(Outcome outcome)
{
    outcome_ = outcome;
    qApp->removeEventFilter(this);
    hide();
    emit editEnded(listId_, row_);
    deleteLater();
}

bool CLBEditorWnd::event(QEvent* event)
{
    // Tab ends the edit instead of moving the focus on.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            AcceptEdit();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CLBEditorWnd::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        AcceptEdit();
        return;
    case Qt::Key_Escape:
        CancelEdit();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CLBEditorWnd::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        AcceptEdit();
}

bool CLBEditorWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (outcome_ == Outcome::Open && event->type() == QEvent::MouseButtonPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget != this && !isAncestorOf(widget))
            AcceptEdit();
    }
    return QLineEdit::eventFilter(watched, event);
}

} // namespace lumeno
