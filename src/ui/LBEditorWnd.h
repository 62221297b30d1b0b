#pragma once
// The in-place editor over a list item (CLBEditorWnd), used to rename
// profiles and macros (text mode) and to change delays (numeric mode). Tab,
// Enter, a click outside the editor or the loss of focus accepts; Escape
// cancels. Accepting applies the mode's rule to the item (see
// ListEditRules.h); then, accepted, refused or cancelled, the editor sends
// editEnded(listId, row) and closes itself.
#include <QLineEdit>
#include <QPointer>

class QListWidget;

namespace lumeno {

class CLBEditorWnd : public QLineEdit {
    Q_OBJECT
public:
    enum class Mode { Numeric, Text };
    enum class Outcome { Open, Accepted, Refused, Cancelled };

    // Opens the editor over item `row` of `list`, enlarged by 1 px on each
    // side, with the list's font, the item's text selected and the focus.
    static CLBEditorWnd* Open(QListWidget* list, int row, Mode mode, int listId);

    int Row() const { return row_; }
    Mode EditMode() const { return mode_; }
    Outcome Result() const { return outcome_; }

    void AcceptEdit();
    void CancelEdit();

signals:
    void editEnded(int listId, int row);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CLBEditorWnd(QListWidget* list, int row, Mode mode, int listId);
    void Finish(Outcome outcome);

    QPointer<QListWidget> list_;
    int row_ = -1;
    Mode mode_;
    int listId_ = 0;
    Outcome outcome_ = Outcome::Open;
};

} // namespace lumeno
