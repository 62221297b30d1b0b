#pragma once
// The shared interface texts of the chosen language, addressed by their fixed
// entry numbers (the system's text ids). Filled once at start-up.
#include <array>
#include <string>
#include <string_view>

namespace lumeno {

// Entry numbers that the program reads by name.
enum UiTextId : int {
    kTextCaptionSection = 0,
    kTextProductName = 6,
    kTextResetButton = 9,
    kTextProfileButton = 12,
    kTextTopView = 13,
    kTextSideView = 14,
    kTextButtonAssignment = 16,
    kTextMacroManager = 17,
    kTextAxisSensitivity = 18,
    kTextPaneDpi = 20,
    kTextPaneLighting = 21,
    kTextPanePadLighting = 22,
    kTextPanePollingRate = 23,
    kTextPaneMouseSpeed = 24,
    kTextPaneDoubleClick = 25,
    kTextPaneScrollSpeed = 26,
    kTextPaneAngleSnap = 27,
    kTextXAxis = 28,
    kTextYAxis = 29,
    kTextButtonRow1 = 30, // rows 1..7 are 30..36
    kTextDpiPlus = 42,
    kTextDpiMinus = 43,
    kTextDpiLoop = 44,
    kTextSlow = 45,
    kTextFast = 46,
    kTextWheelRows = 47,
    kTextWheelScreen = 48,
    kTextLightingStandard = 493,
    kTextLightingRespiration = 494,
    kTextLightingNeon = 495,
    kTextLightingFingerTapping = 496,
    kTextLightingStream = 501,
    kTextMouseColor = 511,
    kTextMenuClick = 512,
    kTextMenuMenu = 513,
    kTextMenuScroll = 514,
    kTextMenuForward = 515,
    kTextMenuBack = 516,
    kTextMenuDpi = 518,
    kTextMenuAdditional = 522,
    kTextMenuMultimedia = 523,
    kTextMenuBasic = 524,
    kTextMenuKeyboardKey = 526,
    kTextMenuMacro = 529,
    kTextMenuDeactivated = 530,
    kTextMenuDoubleClick = 533,
    kTextMenuSnipe = 537,
    kTextLastLeftClick = 538,
    kTextMakerAddress = 539,
    kTextFirmwareUpdate = 540,
    kTextDpiStage1 = 549, // stages 1..8 are 549..556
    kTextTrayExit = 562,
    kTextMouseGone = 563,
    kTextMouseFound = 564,
    kTextResetQuestion = 593,
    kTextAttention = 594,
    kTextColourNote = 603,
    // The program's own messages.
    kTextSaveFailed = 610,
    kTextUpdaterMissing = 611,
    kTextUpdateNeedsMouse = 612,
    kTextSendingToMouse = 613,
    kTextOk = 614,
    kTextCancel = 615,
    kTextDiskFull = 616,
    kTextNotAllowed = 617,
    kTextFolderMissing = 618,
    kTextFolderInTheWay = 619,
    kTextSystemError = 620,
    kTextWaitingForMouse = 621,
    kTextMouseNotAllowed = 622,
    kTextNotAFile = 623,
    // The settings column.
    kTextOn = 650,
    kTextOff = 651,
    kTextDpiStageColour = 652,
    kTextChooseColour = 710, // the lighting panes' colour chooser
    // The profile pane and profile files.
    kTextProfileNew = 720,
    kTextProfileDelete = 721,
    kTextProfileEdit = 722,
    kTextProfileCopy = 723,
    kTextProfileLoad = 724,
    kTextProfileSave = 725,
    kTextProfileLimit = 726,
    kTextProfileAttention = 727,
    kTextNotAProfileFile = 728,
    kTextProfileNotWritten = 729,
    kTextImportTitle = 730,
    kTextExportTitle = 731,
};

inline constexpr int kUiTextCount = 732;
inline constexpr char kMakerAddress[] = "https://lumeno.example/";

class UiText {
public:
    // Entry id's text; empty when the language leaves it empty or id is out of range.
    const std::string& operator[](int id) const;
    void Set(int id, std::string_view text);

private:
    std::array<std::string, kUiTextCount> entries_;
};

// Writes the entries of "CHS", "CHT", "EN" or "DE" (compared exactly, in that
// order); any other code writes nothing, leaving every entry empty.
void FillUiText(UiText& text, std::string_view languageCode);

// True for "CHS" and "CHT": they get the Chinese font faces.
bool IsChineseLanguage(std::string_view languageCode);

// The face of the main window's texts: "黑体" for Chinese, else "Arial".
std::string_view MainWindowFontFace(std::string_view languageCode);
inline constexpr int kMainWindowFontHeight = 13;

} // namespace lumeno
