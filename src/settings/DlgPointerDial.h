#pragma once
// The dial pane shared by the pointer speed and double-click panes: the
// background, the dial at the image's level and the "Slow" and "Fast"
// words; a left click sets the level by its angle (PointerDial.h) and asks
// for the pointer settings to be applied.
#include "ui/SettingsPane.h"

#include <cstdint>

namespace lumeno {

struct ConfigImage;
struct DialClick;
class DebugOutput;

class CDlgPointerDial : public SettingsPane {
public:
    // level: the image field the dial edits.
    CDlgPointerDial(PaneContext& context, uint8_t ConfigImage::*level, QWidget* parent);

    void RefreshFromImage() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A click that set the level (on the ring or not).
    virtual void Clicked(const DialClick&) {}
    DebugOutput& Debug() const;

    PaneContext context_;

private:
    uint8_t& level_;
};

} // namespace lumeno
