#include "macros/QtMacroChooser.h"

#include "config/ProfileStore.h"
#include "macros/MacroDialog.h"
#include "macros/MacroLibraryFile.h"

namespace lumeno {

QtMacroChooser::QtMacroChooser(QWidget* parent, ProfileStore& store, const SkinImages& skin)
    : parent_(parent), store_(store), skin_(skin)
{
}

bool QtMacroChooser::Choose(const MacroChoice& preset, MacroChoice& choice)
{
    MacroLibraryFile library(store_.ini, store_.paths.macroLibrary);
    MacroPickerModel model(library, preset);
    CMacroDialog dialog(model, store_.languageCode, skin_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = model.Choice();
    return true;
}

} // namespace lumeno
