#pragma once
// The assignment menu's macro picker: opens CMacroDialog modally over the
// library of the program's data folder, in the interface language, and
// hands back what was chosen.
#include "buttons/MacroChoice.h"

#include <QPointer>
#include <QWidget>

namespace lumeno {

class SkinImages;
struct ProfileStore;

class QtMacroChooser final : public MacroChooser {
public:
    // store gives the INI engine, the path of "record.ini" and the language
    // code, all read when the picker opens.
    QtMacroChooser(QWidget* parent, ProfileStore& store, const SkinImages& skin);

    bool Choose(const MacroChoice& preset, MacroChoice& choice) override;

private:
    QPointer<QWidget> parent_;
    ProfileStore& store_;
    const SkinImages& skin_;
};

} // namespace lumeno
