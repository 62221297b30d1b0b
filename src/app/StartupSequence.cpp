#include "app/StartupSequence.h"

namespace lumeno {

bool RunStartupSequence(StartupSteps& steps)
{
    steps.SetIcons();
    steps.ShowSplash();
    steps.SetTitle();
    if (!steps.StartDeviceSession())
        return false;
    steps.LoadProfileFiles();
    steps.CreateWindow();
    steps.ShowMouseState();
    steps.ApplyPointerSettings();
    steps.NotifyCompanion();
    steps.Finish();
    return true;
}

} // namespace lumeno
