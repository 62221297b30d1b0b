#pragma once
// The rules of the key capture dialog (CSingleDialog): its texts and font by
// language, its layout, and what a captured key event shows and writes to
// the debug output.
#include "platform/KeyboardHook.h"
#include "ui/CloseButtonSkin.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumeno {

struct KeyCaptureRect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Client rectangles of the dialog.
inline constexpr KeyCaptureRect kKeyCaptureTitleRect{34, 103, 220, 123};
inline constexpr KeyCaptureRect kKeyNameBoxRect{74, 129, 150, 143};
inline constexpr KeyCaptureRect kKeyCaptureCloseRect{352, 6, 370, 24};
inline constexpr KeyCaptureRect kKeyCaptureOkRect{244, 250, 308, 275};
inline constexpr KeyCaptureRect kKeyCaptureCancelRect{314, 250, 378, 275};
inline constexpr int kKeyNameBoxId = 502;

// Images, as the dialog names them.
inline constexpr char kKeyCaptureBackground[] = "skins/single-key.png";
inline constexpr const char* kKeyCaptureCloseNormal = kCloseButtonNormalImage;
inline constexpr const char* kKeyCaptureCloseOver = kCloseButtonOverImage;
inline constexpr char kKeyCaptureButtonNormal[] = "Skins\\MacroManagement\\button-cancel-normal.png";
inline constexpr char kKeyCaptureButtonOver[] = "Skins\\/MacroManagement/button-cancel-over.png";

// Size of the dialog when its background image cannot be loaded: room for
// every element, so OK and Cancel still work.
inline constexpr int kKeyCaptureFallbackWidth = 392;
inline constexpr int kKeyCaptureFallbackHeight = 288;

// The two messages of a failed start.
inline constexpr char kBackgroundFailedText[] = "error";
inline constexpr char kBackgroundFailedCaption[] = "Single Key Dialog Load background image failed!!!";
inline constexpr char kHookInstallError[] = "JournalRecordHook Install error code :%d\n";

struct KeyCaptureTexts {
    std::string_view ok;
    std::string_view cancel;
    std::string_view title;
    std::string_view fontFace; // UTF-8
    int fontHeight;
};
inline constexpr int kKeyCaptureFontWeight = 400;

// "CHS", "CHT", "DE", or English for every other code. The simplified
// Chinese face is "黑体", the face the main window's Chinese texts use.
KeyCaptureTexts KeyCaptureTextsFor(std::string_view languageCode);

// What one hook event does: the name the box shows (empty for a key without
// a name) and the debug line "vk code=%x,scan code=%x,key flag=%x\n".
struct CapturedKey {
    uint32_t virtualKey = 0; // the keypad Enter reads as kVkNumEnter
    std::string name;
    std::string debugLine;
};
CapturedKey CaptureKeyEvent(const KeyboardEvent& event);

} // namespace lumeno
