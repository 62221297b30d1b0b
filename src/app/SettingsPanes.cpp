#include "app/SettingsPanes.h"

#include "lighting/DlgLighting.h"
#include "settings/DlgAngleSnap.h"
#include "settings/DlgDPISetting.h"
#include "settings/DlgDoubleClick.h"
#include "settings/DlgMouseSpeed.h"
#include "settings/DlgMouseWheelSpeed.h"
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
        {kTextPaneLighting, "skins/Lighting/BK_Lighting.png", true, Make<CDlgLighting>},
        {kTextPanePadLighting, "skins/Lighting/BK_PADLighting.png", false, Make<CDlgLightingPad>},
        {kTextPanePollingRate, "skins/USBReportRate/BK_USBReportRate.png", true, Make<CDlgUSBReportRate>},
        {kTextPaneMouseSpeed, kMouseAttributeBackground, true, Make<CDlgMouseSpeed>},
        {kTextPaneDoubleClick, kMouseAttributeBackground, true, Make<CDlgDoubleClick>},
        {kTextPaneScrollSpeed, "skins/MouseAttribute/BK_ScrollSpeed.png", true, Make<CDlgMouseWheelSpeed>},
        {kTextPaneAngleSnap, "skins/AngleSnap/BK_AngleSnap.png", false, Make<CDlgAngleSnap>},
    };
    return rows;
}

} // namespace lumeno
