#pragma once
// The one table of the settings column's rows (CDlgadvance): adding a pane
// is one row in SettingsPaneRows() (SettingsPanes.cpp).
#include "settings/Dlgadvance.h"

#include <vector>

namespace lumeno {

const std::vector<SettingsPaneRow>& SettingsPaneRows();

} // namespace lumeno
