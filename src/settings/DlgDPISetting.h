#pragma once
// CDlgDPISetting: the "DPI Setting" pane. Seven stages side by side, each a
// vertical slider, a value (a click opens its entry box), an on/off toggle
// and a colour swatch. Every change goes into the image at once and asks
// for the DPI group to be written; the rules are DpiStageEditor's.
#include "settings/DpiStageEditor.h"
#include "ui/ColourChooser.h"
#include "ui/SettingsPane.h"

#include <array>

class QLineEdit;

namespace lumeno {

class CDMarkerV;

class CDlgDPISetting : public SettingsPane {
    Q_OBJECT
public:
    CDlgDPISetting(PaneContext& context, QWidget* parent);

    // 100-step (true) or 50-step: the sliders' range and values follow.
    void SetStepMode(bool hundredStep);
    void RefreshFromImage() override;
    void MouseFound() override { SetStepMode(true); }

    // The chooser a swatch click asks: the desktop's unless a test gives its own.
    void SetColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }

    const DpiStageEditor& Editor() const { return editor_; }
    CDMarkerV* Slider(int stage) const { return sliders_[size_t(stage)]; }
    QLineEdit* EntryBox(int stage) const { return boxes_[size_t(stage)]; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSliderReleased(int position, int identifier);
    // Commits a stage's box; true when the value was taken.
    bool Commit(int stage);
    void HideEntryBoxes();
    void ChooseColour(int stage);
    void RequestWrite();

    PaneContext& context_;
    DpiStageEditor editor_;
    std::array<CDMarkerV*, kStageCount> sliders_{};
    std::array<QLineEdit*, kStageCount> boxes_{};
    ColourChooser chooser_;
};

} // namespace lumeno
