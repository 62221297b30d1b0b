#pragma once
// CSingleDialog: the key capture dialog of "Assign Keyboard Key". A skinned,
// borderless dialog that holds the desktop keyboard hook while it is shown,
// so keys that would act on the desktop (Super, Alt+Tab, Esc, F-keys) are
// captured too; the box shows the name of the last key event (press or
// release) and OK gives that name back. Only the OK, Cancel and close
// elements end it. The hook is taken once the dialog is on screen and
// released on every way out: OK, Cancel, close, hiding, destruction.
//
// Without a hook (a desktop that has no global grab) or when the hook cannot
// start, it reads the keys its own window receives while it has the focus.
#include "buttons/KeyCaptureModel.h"
#include "ui/WindowDrag.h"

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumeno {

class DebugOutput;
class KeyboardHook;
class SkinImages;

class CSingleDialog : public QDialog {
    Q_OBJECT
public:
    // Shows a message with its caption, modally.
    using TellFunction = std::function<void(const QString& caption, const QString& text)>;

    CSingleDialog(const SkinImages& skin, DebugOutput& debug, KeyboardHook* hook, std::string_view languageCode,
                  const std::string& presetName, TellFunction tell, QWidget* parent);
    ~CSingleDialog() override;

    // The name shown: the preset until a key is captured.
    const std::string& KeyName() const { return keyName_; }
    bool BackgroundLoaded() const { return !background_.isNull(); }
    // The element drawn with its "over" image, if any.
    enum class Element { None, Close, Ok, Cancel };
    Element Hovered() const { return hovered_; }
    const QFont& TextFont() const { return font_; }
    const KeyCaptureTexts& Texts() const { return texts_; }
    bool HookHeld() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void StartHook();
    void StopHook();
    void OnKeyEvent(const KeyboardEvent& event);
    void OnOwnKey(QKeyEvent* event, bool release);
    Element ElementAt(const QPoint& pos) const;

    const SkinImages& skin_;
    DebugOutput& debug_;
    KeyboardHook* hook_;
    TellFunction tell_;
    KeyCaptureTexts texts_;
    QFont font_;
    QImage background_;
    std::string keyName_;
    Element hovered_ = Element::None;
    bool hookTried_ = false;
    WindowDrag drag_;
};

} // namespace lumeno
