#include "app/SettingsPanes.h"

#include "settings/DlgAngleSnap.h"
#include "settings/DlgDPISetting.h"
#include "settings/DlgUSBReportRate.h"

namespace lumeno {

namespace {

// The speed and double-click panes share their background.
constexpr char kMouseAttributeBackground[] = "skins/MouseAttribute/BK_MouseAttribute.png";

template <class Pane>
SettingsPane* Make(PaneContext& context, QWidget* parent)
{
    return new Pane(context, parent);
}

} // namespace

const std::vector<SettingsPaneRow>& SettingsPaneRows()
{
    static const std::vector<SettingsPaneRow> rows{
        {kTextPaneDpi, "skins/DPISetting/BK_DPISetting.png", true, Make<CDlgDPISetting>},
        {kTextPaneLighting, "skins/Lighting/BK_Lighting.png", true, {}},
        {kTextPanePadLighting, "skins/Lighting/BK_PADLighting.png", false, {}},
        {kTextPanePollingRate, "skins/USBReportRate/BK_USBReportRate.png", true, Make<CDlgUSBReportRate>},
        {kTextPaneMouseSpeed, kMouseAttributeBackground, true, {}},
        {kTextPaneDoubleClick, kMouseAttributeBackground, true, {}},
        {kTextPaneScrollSpeed, "skins/MouseAttribute/BK_ScrollSpeed.png", true, {}},
        {kTextPaneAngleSnap, "skins/AngleSnap/BK_AngleSnap.png", false, Make<CDlgAngleSnap>},
    };
    return rows;
}

} // namespace lumeno
