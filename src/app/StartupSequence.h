#pragma once
// The fixed order of start-up. Each step is the implementer's; the order,
// and where start-up stops early, is this file's.
namespace lumeno {

class StartupSteps {
public:
    virtual ~StartupSteps() = default;

    virtual void SetIcons() = 0;
    virtual void ShowSplash() = 0; // returns when the splash has closed
    virtual void SetTitle() = 0;
    // The connection check, the event reader and the arrival and removal
    // notices. False when the program cannot listen to the mouse: start-up
    // stops here and the window runs without controls.
    virtual bool StartDeviceSession() = 0;
    // The profile (configuration with its macros, snapshot), the language
    // and its texts, the captions and the first-run rule.
    virtual void LoadProfileFiles() = 0;
    // Skin, fonts, controls and panes, the left column collapsed, the top
    // view, the tray icon.
    virtual void CreateWindow() = 0;
    // With the mouse: captions, sliders, the DPI pane in 100-step mode.
    // Without it: the tray icon goes again.
    virtual void ShowMouseState() = 0;
    virtual void ApplyPointerSettings() = 0;
    // Tells the companion program's window, if there is one.
    virtual void NotifyCompanion() = 0;
    // What a desktop without a notification area needs to reach the window.
    virtual void Finish() = 0;
};

// Runs the steps in their order. False when it stopped early.
bool RunStartupSequence(StartupSteps& steps);

} // namespace lumeno
