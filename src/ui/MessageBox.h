#pragma once
// CMessageBox: the program's message box in the skin's look: a dark panel
// with a title strip carrying the caption, the message, and OK (with Cancel
// for a question) as image buttons with the texts of the chosen language.
// Unlike the program's other windows it answers the keyboard: Enter takes
// the default button (OK), Esc cancels. Dragging the title strip moves it.
#include "ui/WindowDrag.h"

#include <QDialog>
#include <QString>

namespace lumeno {

class CBitmapBtn;
class SkinImages;

enum class MessageButtons { Ok, OkCancel };

struct MessageTexts {
    QString caption;
    QString message;
    QString ok;
    QString cancel; // unused with MessageButtons::Ok
    QString fontFace;
};

class CMessageBox : public QDialog {
    Q_OBJECT
public:
    CMessageBox(const SkinImages& skin, MessageButtons buttons, const MessageTexts& texts, QWidget* parent);

    CBitmapBtn* OkButton() const { return ok_; }
    CBitmapBtn* CancelButton() const { return cancel_; }
    const QString& Message() const { return texts_.message; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect MessageRect() const;

    MessageTexts texts_;
    CBitmapBtn* ok_ = nullptr;
    CBitmapBtn* cancel_ = nullptr;
    WindowDrag drag_;
};

} // namespace lumeno
