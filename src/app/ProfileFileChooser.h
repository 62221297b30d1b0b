#pragma once
// The file chooser of profile import and export, for "*.bin" profile files:
// Qt's own dialog, sized and placed to fit the screen it opens on (a
// desktop's own chooser opens at a size of its own choosing, which can be
// taller than a small screen). Behind an interface so that tests name the
// files.
#include <filesystem>
#include <optional>

class QWidget;

namespace lumeno {

class UiText;

inline constexpr char kProfileFileFilter[] = "Gaming Mouse Profile(*.bin)";

class ProfileFileChooser {
public:
    virtual ~ProfileFileChooser() = default;
    // An existing file to import; nullopt when cancelled. start: the folder
    // and file name the chooser opens with.
    virtual std::optional<std::filesystem::path> ChooseImport(QWidget* parent, const std::filesystem::path& start) = 0;
    // A file to export to, its overwriting confirmed; nullopt when cancelled.
    virtual std::optional<std::filesystem::path> ChooseExport(QWidget* parent, const std::filesystem::path& start) = 0;
};

class QtProfileFileChooser final : public ProfileFileChooser {
public:
    explicit QtProfileFileChooser(const UiText& text) : text_(text) {}
    std::optional<std::filesystem::path> ChooseImport(QWidget* parent, const std::filesystem::path& start) override;
    std::optional<std::filesystem::path> ChooseExport(QWidget* parent, const std::filesystem::path& start) override;

private:
    const UiText& text_;
};

} // namespace lumeno
