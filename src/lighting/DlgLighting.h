#pragma once
// The lighting panes of the settings column: CDlgLighting edits the mouse's
// lighting and sends every change to the mouse; CDlgLightingPad is its twin
// on the pad fields, without the finger-tapping row, and sends nothing. Both
// paint the model's state and forward clicks, double clicks and slider
// releases to it (LightingModel.h holds the rules and the geometry).
#include "lighting/LightingModel.h"
#include "ui/ColourChooser.h"
#include "ui/SettingsPane.h"

#include <QFont>

#include <optional>
#include <vector>

namespace lumeno {

class CDMarker;

class CDlgLighting : public SettingsPane {
    Q_OBJECT
public:
    CDlgLighting(PaneContext& context, QWidget* parent);

    // Runs the effect stored in the image again, which sends the lighting.
    void RefreshFromImage() override;

    // The chooser double clicks ask: the desktop's unless a test gives its own.
    void SetColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }

    const LightingModel& Model() const { return model_; }
    // The slider of a row (screen order).
    CDMarker* Slider(int row) const { return sliders_[size_t(row)]; }

protected:
    CDlgLighting(PaneContext& context, const LightingFields& fields, const char* background, QWidget* parent);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowSliders();
    void PaintRow(QPainter& painter, int row);
    void PaintSwatches(QPainter& painter);

    PaneContext context_;
    LightingModel model_;
    const char* background_;
    std::vector<CDMarker*> sliders_;
    struct Press {
        quint64 time;
        QPoint at;
    };
    std::optional<Press> lastPress_; // the last press taken as a click
    ColourChooser chooser_ = DesktopColourChooser;
    QFont labelFont_;
    QFont scaleFont_;
};

class CDlgLightingPad final : public CDlgLighting {
    Q_OBJECT
public:
    CDlgLightingPad(PaneContext& context, QWidget* parent);
};

} // namespace lumeno
