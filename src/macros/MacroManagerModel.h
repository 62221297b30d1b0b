#pragma once
// The macro manager's rules, apart from its window: the name list, the
// sequence of the selected macro, the options, the recorder, and what each
// command does to "record.ini", to the encoded copy and to the bindings of
// the current profile. The window paints this state and forwards commands.
#include "config/ConfigImage.h"
#include "macros/MacroEncoder.h"
#include "macros/MacroLibraryFile.h"
#include "macros/MacroRecorder.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumeno {

class Pacer;
class ProfileIni;

inline constexpr uint8_t kMacroButtonFunction = 11;

// The recorder's hook on the platform: a desktop-wide keyboard hook that feeds
// MacroManagerModel::OnKeyboardEvent while installed.
class RecorderHook {
public:
    virtual ~RecorderHook() = default;
    // Installs the hook. False when the platform refuses; errorCode then
    // holds the platform's error number.
    virtual bool Install(int& errorCode) = 0;
    // Removes the hook; harmless when none is installed.
    virtual void Remove() = 0;
};

enum class MouseClickKind { Left, Middle, Right };

// Keyboard messages as the manager's key filter sees them.
enum class KeyMessageKind { KeyDown, KeyUp, SystemKeyDown, SystemKeyUp, Other };

// True for the keys the manager swallows before any control sees them: the
// Windows keys in any message, and Enter, Space, Escape and F1 going down or
// up, so that none of them closes the dialog or reaches an editor.
bool ManagerDiscardsKey(KeyMessageKind kind, uint32_t virtualKey);

class MacroManagerModel {
public:
    enum class AddResult { Added, LimitReached };
    enum class DeleteResult { Deleted, NothingSelected, Bound };
    struct StartResult {
        bool started = false;
        std::string errorMessage; // set when the hook could not be installed
    };

    // languageCode chooses the word of default names ("Macro", "Makro", ...).
    MacroManagerModel(ProfileIni& ini, std::filesystem::path libraryFile, Pacer& pacer, RecorderHook& hook,
                      std::string_view languageCode);
    ~MacroManagerModel();
    MacroManagerModel(const MacroManagerModel&) = delete;
    MacroManagerModel& operator=(const MacroManagerModel&) = delete;

    // Opening: the current profile's seven captions and its image, whose
    // macro bindings a deletion keeps pointing at their macros (may be null).
    // Re-reads the library and selects the first macro.
    void Open(const std::array<std::string, kButtonCount>& captions, ConfigImage* image);

    // --- what the window shows
    const std::vector<std::string>& Names() const { return names_; }
    std::optional<size_t> SelectedMacro() const { return selected_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    std::optional<size_t> SelectedLine() const { return selectedLine_; }
    bool DelayOption() const { return delayOption_; }
    bool LoopOption() const { return loopOption_; }
    bool LoopFieldEnabled() const { return loopFieldEnabled_; }
    const std::string& LoopText() const { return loopText_; }
    bool Recording() const { return recorder_.Recording(); }
    // True once a deletion moved a binding of the current profile; the image
    // then needs saving and sending, whether the manager ends with OK or not.
    bool BindingsRepointed() const { return bindingsRepointed_; }

    // --- name list
    void SelectMacro(size_t index);
    AddResult New();
    DeleteResult Delete();
    // The text the name editor opens with; nullopt when nothing is selected.
    std::optional<std::string> BeginRename() const;
    // typed is nullopt when the edit was cancelled. A refused name keeps the
    // old one; either way the selected macro is stored again.
    void EndRename(std::optional<std::string_view> typed);

    // --- options
    void ToggleDelayOption();
    void ToggleLoopOption();
    // The loop-count rule, run on every change of the field's text.
    void SetLoopCountText(std::string_view typed);

    // --- sequence list
    // A click (selection change or double click) on a line. True when the
    // delay editor opens on it: a delay line clicked a second time.
    bool ClickLine(size_t index);
    // typed is nullopt when the edit was cancelled.
    void EndDelayEdit(std::optional<std::string_view> typed);
    // Stops recording; true when the context menu may open (a line is selected).
    bool OpenContextMenu();
    void InsertClick(MouseClickKind kind);
    void InsertDelay();
    void DeleteLine();

    // --- recorder
    StartResult StartRecording();
    void StopRecording();
    // Record button: starts when idle, stops when recording.
    StartResult ToggleRecording();
    // The hook's decision for one desktop keyboard event.
    HookDecision OnKeyboardEvent(const KeyboardEvent& event) { return recorder_.RecordHook(event); }
    // The manager's handling of a report the hook queued; nowMs is the tick count.
    void OnRecordedKey(const RecordedKey& key, uint64_t nowMs);

    // --- closing
    // Stops recording, stores the selected macro and encodes the library into
    // the copy the main window then takes into the image.
    const ManagerMacroCopy& Ok();
    void Cancel();
    const ManagerMacroCopy& EncodedCopy() const { return copy_; }

private:
    void StoreSelected();         // the store of the macro being edited
    void StoreAfterInPlaceEdit(); // the same, writing an empty sequence too
    void InterruptRecording();
    void ShowEmptyLibrary();
    bool IsBound(size_t index) const;
    void RepointBindingsAfter(size_t deleted);
    bool SectionSharedByOthers(std::string_view name, std::optional<size_t> except) const;

    ProfileIni& ini_;
    MacroLibraryFile library_;
    RecorderHook& hook_;
    std::string word_;

    std::array<std::string, kButtonCount> captions_;
    ConfigImage* image_ = nullptr;

    std::vector<std::string> names_;
    std::optional<size_t> selected_;
    std::vector<std::string> lines_;
    std::optional<size_t> selectedLine_;
    std::optional<size_t> lastClickedLine_;
    std::optional<size_t> editingLine_;
    bool delayOption_ = false;
    bool loopOption_ = false;
    bool loopFieldEnabled_ = false;
    std::string loopText_;
    bool bindingsRepointed_ = false;

    MacroRecorder recorder_;
    ManagerMacroCopy copy_{};
};

} // namespace lumeno
