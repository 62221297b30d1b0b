#pragma once
// CMacroDialog: the macro picker, a small modal, borderless window over its
// skin image. A drop-down button shows the chosen macro and opens the list
// of the library's names; three boxes choose the play mode. Every left click
// on the window goes to MacroPickerModel::LeftClick, which tests the
// rectangles in a fixed order; only the opened list takes its own clicks.
// Enter, Escape, Space and F1 never end it.
#include "macros/MacroPickerModel.h"
#include "macros/MacroTexts.h"
#include "ui/WindowDrag.h"

#include <QDialog>
#include <QFont>
#include <QImage>

#include <string>

namespace lumeno {

class CBitmapBtn;
class CListBoxPro;
class SkinImages;

inline constexpr char kMacroPickerBackground[] = "macro-key.png";

class CMacroDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDropDownId = 592;
    static constexpr int kNameListId = 593;

    CMacroDialog(MacroPickerModel& model, std::string_view languageCode, const SkinImages& skin,
                 QWidget* parent = nullptr);
    ~CMacroDialog() override;

    MacroPickerModel& Model() { return model_; }
    const MacroPickerTexts& Texts() const { return texts_; }
    CBitmapBtn* DropDownButton() const { return dropDown_; }
    CListBoxPro* NameList() const { return list_; }
    CBitmapBtn* OkButton() const { return ok_; }
    CBitmapBtn* CancelButton() const { return cancel_; }
    CBitmapBtn* CloseButton() const { return close_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CBitmapBtn* MakeButton(const PickerRect& rect, const char* normal, const char* over, std::string_view caption);
    // A left click at a client point, wherever it landed.
    void OnLeftClick(const QPoint& clientPosition);
    void OnListChoice(int row);
    void Refresh();

    MacroPickerModel& model_;
    const MacroPickerTexts& texts_;
    const SkinImages& skin_;
    QImage background_;
    QFont font_;
    CBitmapBtn* close_ = nullptr;
    CBitmapBtn* ok_ = nullptr;
    CBitmapBtn* cancel_ = nullptr;
    CBitmapBtn* dropDown_ = nullptr;
    CListBoxPro* list_ = nullptr;
    bool refreshing_ = false;
    WindowDrag drag_;
};

} // namespace lumeno
