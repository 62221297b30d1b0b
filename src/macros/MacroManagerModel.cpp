#include "macros/MacroManagerModel.h"

#include "buttons/KeyTables.h"
#include "config/ProfileIni.h"
#include "macros/MacroLine.h"
#include "macros/MacroNames.h"

#include <algorithm>
#include <cstdio>

namespace lumeno {

namespace {

constexpr char kHookErrorFormat[] = "JournalRecordHook Install error code :%d\n";

struct ClickNames {
    MouseClickKind kind;
    std::string_view keyName;
};
constexpr ClickNames kClickNames[] = {
    {MouseClickKind::Left, "L-Button"},
    {MouseClickKind::Middle, "M-Button"},
    {MouseClickKind::Right, "R-Button"},
};

constexpr uint32_t kKeysDiscardedAlways[] = {kVkLeftWindows, kVkRightWindows};
constexpr uint32_t kKeysDiscardedDownUp[] = {kVkEnter, kVkSpace, kVkEscape, kVkF1};

std::string_view ClickKeyName(MouseClickKind kind)
{
    for (const ClickNames& c : kClickNames)
        if (c.kind == kind)
            return c.keyName;
    return {};
}

} // namespace

bool ManagerDiscardsKey(KeyMessageKind kind, uint32_t virtualKey)
{
    if (std::ranges::find(kKeysDiscardedAlways, virtualKey) != std::end(kKeysDiscardedAlways))
        return true;
    return kind != KeyMessageKind::Other &&
           std::ranges::find(kKeysDiscardedDownUp, virtualKey) != std::end(kKeysDiscardedDownUp);
}

MacroManagerModel::MacroManagerModel(ProfileIni& ini, std::filesystem::path libraryFile, Pacer& pacer,
                                     RecorderHook& hook, std::string_view languageCode)
    : ini_(ini), library_(ini, std::move(libraryFile), &pacer), hook_(hook), word_(MacroWordForLanguage(languageCode))
{
}

MacroManagerModel::~MacroManagerModel()
{
    if (recorder_.Recording())
        hook_.Remove();
}

void MacroManagerModel::Open(const std::array<std::string, kButtonCount>& captions, ConfigImage* image)
{
    if (recorder_.Recording())
        hook_.Remove();
    recorder_.Reset();
    captions_ = captions;
    image_ = image;
    bindingsRepointed_ = false;
    delayOption_ = false;
    loopOption_ = false;
    names_ = library_.LoadNames();
    if (names_.empty())
        ShowEmptyLibrary();
    else
        SelectMacro(0);
}

void MacroManagerModel::ShowEmptyLibrary()
{
    selected_.reset();
    lines_.clear();
    selectedLine_.reset();
    lastClickedLine_.reset();
    loopFieldEnabled_ = false;
}

// --- name list -------------------------------------------------------------

void MacroManagerModel::SelectMacro(size_t index)
{
    if (index >= names_.size())
        return;
    if (recorder_.Recording())
        InterruptRecording();
    selected_ = index;
    const StoredMacro macro = library_.LoadMacro(names_[index]);
    SetLoopCountText(macro.loopTimes);
    lines_ = macro.lines;
    selectedLine_.reset();
    lastClickedLine_.reset();
    delayOption_ = ParseLeadingInt(macro.delayStatus) == 1;
    loopOption_ = LoopCountOf(loopText_) > 1;
    loopFieldEnabled_ = loopOption_;
}

MacroManagerModel::AddResult MacroManagerModel::New()
{
    StopRecording();
    StoreSelected();
    if (names_.size() >= size_t(kMacroSlotCount))
        return AddResult::LimitReached;
    names_.push_back(DefaultMacroName(names_, word_));
    selected_ = names_.size() - 1;
    lines_.clear();
    selectedLine_.reset();
    lastClickedLine_.reset();
    delayOption_ = false;
    loopOption_ = false;
    loopFieldEnabled_ = false;
    SetLoopCountText("1"); // creates "record.ini" for the first macro
    // In the index at once, so the new macro is kept even when the manager is
    // then cancelled.
    library_.WriteIndex(names_);
    return AddResult::Added;
}

bool MacroManagerModel::IsBound(size_t index) const
{
    const std::string& name = names_[index];
    for (const std::string& caption : captions_)
        if (const auto bound = MacroNameOfCaption(caption); bound && *bound == name)
            return true;
    if (image_) {
        for (int b = 0; b < kButtonCount; ++b)
            if (image_->buttonFunction[b] == kMacroButtonFunction && image_->macroIndex[b] == index)
                return true;
    }
    return false;
}

void MacroManagerModel::RepointBindingsAfter(size_t deleted)
{
    if (!image_)
        return;
    for (int b = 0; b < kButtonCount; ++b) {
        if (image_->buttonFunction[b] == kMacroButtonFunction && image_->macroIndex[b] > deleted) {
            --image_->macroIndex[b];
            bindingsRepointed_ = true;
        }
    }
}

bool MacroManagerModel::SectionSharedByOthers(std::string_view name, std::optional<size_t> except) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (i != except && SameSection(names_[i], name))
            return true;
    return false;
}

MacroManagerModel::DeleteResult MacroManagerModel::Delete()
{
    StopRecording();
    if (names_.empty() || !selected_)
        return DeleteResult::NothingSelected;
    const size_t index = *selected_;
    if (IsBound(index))
        return DeleteResult::Bound;

    const std::string name = names_[index];
    names_.erase(names_.begin() + std::ptrdiff_t(index));
    RepointBindingsAfter(index);
    library_.WriteIndex(names_);
    if (!SectionSharedByOthers(name, std::nullopt))
        library_.DeleteMacroSection(name);
    if (names_.empty())
        ShowEmptyLibrary();
    else
        SelectMacro(std::min(index, names_.size() - 1));
    return DeleteResult::Deleted;
}

std::optional<std::string> MacroManagerModel::BeginRename() const
{
    if (!selected_)
        return std::nullopt;
    return names_[*selected_];
}

void MacroManagerModel::EndRename(std::optional<std::string_view> typed)
{
    if (!selected_)
        return;
    const size_t index = *selected_;
    const std::string oldName = names_[index];
    if (typed) {
        if (auto accepted = AcceptedMacroRename(names_, index, *typed))
            names_[index] = std::move(*accepted);
    }
    // The old section goes only now, so an edit that never ends loses nothing.
    if (!SameSection(oldName, names_[index]) && !SectionSharedByOthers(oldName, index))
        library_.DeleteMacroSection(oldName);
    StoreAfterInPlaceEdit();
}

// --- options ---------------------------------------------------------------

void MacroManagerModel::ToggleDelayOption() { delayOption_ = !delayOption_; }

void MacroManagerModel::ToggleLoopOption()
{
    StopRecording();
    loopOption_ = !loopOption_;
    loopFieldEnabled_ = loopOption_;
}

void MacroManagerModel::SetLoopCountText(std::string_view typed)
{
    const int n = ParseLeadingInt(typed);
    const bool inRange = n >= kMinLoopCount && n <= kMaxLoopCount;
    if (!selected_) {
        loopText_ = inRange ? std::string(typed) : "1";
        return;
    }
    loopText_ = std::to_string(inRange ? n : kMinLoopCount);
    library_.WriteLoopTimes(names_[*selected_], loopText_);
}

// --- sequence list ---------------------------------------------------------

bool MacroManagerModel::ClickLine(size_t index)
{
    if (index >= lines_.size())
        return false;
    selectedLine_ = index;
    if (IsDelayLine(lines_[index]) && lastClickedLine_ == index) {
        editingLine_ = index;
        return true;
    }
    lastClickedLine_ = index;
    return false;
}

void MacroManagerModel::EndDelayEdit(std::optional<std::string_view> typed)
{
    if (typed && editingLine_ && *editingLine_ < lines_.size()) {
        const int value = std::clamp(ParseLeadingInt(*typed), 0, kMaxDelayMs);
        lines_[*editingLine_] = DelayLine(value);
    }
    editingLine_.reset();
    StoreAfterInPlaceEdit();
}

bool MacroManagerModel::OpenContextMenu()
{
    StopRecording();
    return selectedLine_ && *selectedLine_ < lines_.size();
}

void MacroManagerModel::InsertClick(MouseClickKind kind)
{
    if (!selectedLine_ || *selectedLine_ >= lines_.size())
        return;
    const size_t at = *selectedLine_;
    const bool afterDelay = IsDelayLine(lines_[at]);
    const std::string_view key = ClickKeyName(kind);
    lines_.insert(lines_.begin() + std::ptrdiff_t(at + 1), {PressLine(key), ReleaseLine(key)});
    selectedLine_ = afterDelay ? at + 1 : at + 2;
    StoreSelected();
}

void MacroManagerModel::InsertDelay()
{
    if (!selectedLine_ || *selectedLine_ == 0 || *selectedLine_ >= lines_.size())
        return;
    const size_t at = *selectedLine_;
    if (IsDelayLine(lines_[at]) || IsDelayLine(lines_[at - 1]))
        return;
    lines_.insert(lines_.begin() + std::ptrdiff_t(at), DelayLine(kDefaultEventDelayMs));
    selectedLine_ = at + 1;
    StoreSelected();
}

void MacroManagerModel::DeleteLine()
{
    if (!selectedLine_ || *selectedLine_ >= lines_.size())
        return;
    lines_.erase(lines_.begin() + std::ptrdiff_t(*selectedLine_));
    selectedLine_.reset();
    lastClickedLine_.reset();
    StoreSelected();
}

// --- recorder --------------------------------------------------------------

MacroManagerModel::StartResult MacroManagerModel::StartRecording()
{
    if (!selected_ || recorder_.Recording())
        return {};
    recorder_.Start(names_[*selected_], delayOption_, loopText_);
    hook_.Remove();
    std::vector<std::string> shown = std::move(lines_);
    lines_.clear();
    selectedLine_.reset();
    lastClickedLine_.reset();
    int error = 0;
    if (!hook_.Install(error)) {
        recorder_.Stop();
        // Nothing was recorded: keep showing (and later storing) the macro's
        // own lines rather than an empty sequence.
        lines_ = std::move(shown);
        char text[64];
        std::snprintf(text, sizeof text, kHookErrorFormat, error);
        return {false, text};
    }
    return {true, {}};
}

void MacroManagerModel::StopRecording()
{
    if (!recorder_.Recording())
        return;
    hook_.Remove();
    recorder_.Stop();
    StoreSelected();
}

MacroManagerModel::StartResult MacroManagerModel::ToggleRecording()
{
    if (recorder_.Recording()) {
        StopRecording();
        return {};
    }
    return StartRecording();
}

void MacroManagerModel::OnRecordedKey(const RecordedKey& key, uint64_t nowMs)
{
    RecordOutcome outcome = recorder_.OnRecordedKey(key, nowMs, delayOption_);
    if (outcome.stopRecording) {
        StopRecording();
        return;
    }
    if (outcome.lines.empty())
        return;
    lines_.insert(lines_.end(), outcome.lines.begin(), outcome.lines.end());
    selectedLine_ = lines_.size() - 1;
}

void MacroManagerModel::InterruptRecording()
{
    hook_.Remove();
    recorder_.Stop();
    const std::vector<std::string>& buffer = recorder_.RecordingBuffer();
    if (buffer.size() < 3 || !library_.Exists())
        return;
    library_.WriteIndex(names_);
    const std::vector<std::string> recorded(buffer.begin() + 3, buffer.end());
    library_.WriteMacroSection(buffer[0], buffer[1], buffer[2], recorded);
}

// --- stores and closing ----------------------------------------------------

void MacroManagerModel::StoreSelected()
{
    if (!library_.Exists() || names_.empty())
        return;
    library_.WriteIndex(names_);
    if (!selected_)
        return;
    library_.WriteMacro(names_[*selected_], delayOption_, loopText_, lines_);
}

void MacroManagerModel::StoreAfterInPlaceEdit()
{
    if (!library_.Exists() || names_.empty() || !selected_)
        return;
    library_.WriteIndex(names_);
    library_.WriteMacroSection(names_[*selected_], delayOption_ ? "1" : "0", loopText_, lines_);
    library_.PauseAfterWrite();
}

const ManagerMacroCopy& MacroManagerModel::Ok()
{
    StopRecording();
    StoreSelected();
    EncodeForManager(ini_, library_.Path(), copy_);
    return copy_;
}

void MacroManagerModel::Cancel() { StopRecording(); }

} // namespace lumeno
