#pragma once
// CMacroProgramDialog: the macro manager, a modal, borderless window over its
// skin image. It shows the name list, the sequence of the selected macro,
// the record button, the two option boxes and the loop-count field, and
// hands every command to MacroManagerModel, which keeps "record.ini" up to
// date as the user goes. While recording, the desktop's key events reach
// the recorder through the keyboard hook and nothing else.
//
// Enter, Space, Escape, F1 and the Windows keys are swallowed before any of
// its controls (an open in-place editor included) sees them, so none of
// them closes the window. Dragging the background moves it.
#include "macros/KeyboardRecorderHook.h"
#include "macros/MacroManagerModel.h"
#include "macros/MacroTexts.h"
#include "ui/LBEditorWnd.h"
#include "ui/WindowDrag.h"

#include <QDialog>
#include <QImage>
#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

class QLineEdit;

namespace lumeno {

class CBitmapBtn;
class CExMenu;
class CListBoxPro;
class DebugOutput;
class KeyboardHook;
class Pacer;
class ProfileIni;
class SkinImages;

struct MacroManagerServices {
    ProfileIni& ini;
    std::filesystem::path libraryFile; // "record.ini"
    Pacer& pacer;                      // pauses after writes; the recorder's millisecond clock
    KeyboardHook* keyboard;            // null: recording cannot start
    std::string languageCode;
    const SkinImages& skin;
    DebugOutput* debug = nullptr;
};

inline constexpr char kMacroManagerBackground[] = "MacroManagement/MacroManagement.png";

class CMacroProgramDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNameListId = 151;
    static constexpr int kSequenceListId = 1006;
    static constexpr int kLoopFieldId = 149;
    static constexpr int kContextMenuWidth = 140;
    enum MenuCommand : int {
        kMenuDeleteLine = 32771,
        kMenuInsertLeft = 32772,
        kMenuInsertMiddle = 32773,
        kMenuInsertRight = 32774,
        kMenuInsertDelay = 32786,
    };

    explicit CMacroProgramDialog(MacroManagerServices services, QWidget* parent = nullptr);
    ~CMacroProgramDialog() override;

    // Reads the library again and selects the first macro. captions are the
    // current profile's, image its configuration (bindings a deletion moves
    // are repointed in it).
    void Open(const std::array<std::string, kButtonCount>& captions, ConfigImage* image);
    // Closes as cancelled, as when the mouse goes away: a recording ends and
    // keeps what it took.
    void Destroy();

    MacroManagerModel& Model() { return model_; }
    const MacroManagerTexts& Texts() const { return texts_; }

    // Runs the sequence list's context menu; the chosen command, 0 for none.
    // Tests answer it; by default the menu is shown at the cursor.
    using MenuRunner = std::function<int(CExMenu& menu, const QPoint& globalPosition)>;
    void SetMenuRunner(MenuRunner runner) { menuRunner_ = std::move(runner); }
    // Shows a message box; tests read it instead.
    using MessageSink = std::function<void(const QString& caption, const QString& text)>;
    void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }

    // --- controls, for the shell and tests
    CListBoxPro* NameList() const { return names_; }
    CListBoxPro* SequenceList() const { return sequence_; }
    CBitmapBtn* RecordButton() const { return record_; }
    CBitmapBtn* DelayBox() const { return delayBox_; }
    CBitmapBtn* LoopBox() const { return loopBox_; }
    QLineEdit* LoopField() const { return loopField_; }
    CBitmapBtn* NewButton() const { return new_; }
    CBitmapBtn* DeleteButton() const { return delete_; }
    CBitmapBtn* OkButton() const { return ok_; }
    CBitmapBtn* CancelButton() const { return cancel_; }
    CBitmapBtn* CloseButton() const { return close_; }
    CLBEditorWnd* OpenEditor() const { return editor_; }

public slots:
    void reject() override;

signals:
    // A recorded key's lines are in the sequence list.
    void recordedKeyShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    CBitmapBtn* MakeButton(const QRect& rect, const char* normal, const char* over, std::string_view caption);
    CBitmapBtn* MakeTickBox(const QRect& rect);

    void Refresh();
    void RefreshNames();
    void RefreshSequence();
    void RefreshOptions();
    void ShowMessage(std::string_view caption, const QString& text);

    void OnOk();
    void OnNew();
    void OnDelete();
    void OnRecord();
    void OnNameSelected(int row);
    void OnRename();
    void OnLineClicked(int row);
    void OnSequenceRightPress(const QPoint& globalPosition);
    void OnMenuCommand(int command);
    void OnLoopEdited(const QString& text);
    void OnEditEnded(CLBEditorWnd* editor, int listId);
    void OnRecordedKey(const RecordedKey& key, uint64_t nowMs);
    bool IsOwnWidget(QObject* object) const;

    MacroManagerServices s_;
    const MacroManagerTexts& texts_;
    KeyboardRecorderHook hook_;
    MacroManagerModel model_;
    QImage background_;
    QFont font_;

    CListBoxPro* names_ = nullptr;
    CListBoxPro* sequence_ = nullptr;
    CBitmapBtn* record_ = nullptr;
    CBitmapBtn* delayBox_ = nullptr;
    CBitmapBtn* loopBox_ = nullptr;
    QLineEdit* loopField_ = nullptr;
    CBitmapBtn* new_ = nullptr;
    CBitmapBtn* delete_ = nullptr;
    CBitmapBtn* ok_ = nullptr;
    CBitmapBtn* cancel_ = nullptr;
    CBitmapBtn* close_ = nullptr;
    QPointer<CLBEditorWnd> editor_;

    MenuRunner menuRunner_;
    MessageSink messageSink_;
    bool refreshing_ = false;
    WindowDrag drag_;
};

} // namespace lumeno
