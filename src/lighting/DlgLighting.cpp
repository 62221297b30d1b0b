#include "lighting/DlgLighting.h"

#include "flows/AppContext.h"
#include "ui/DMarker.h"
#include "ui/SkinImages.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <QStyleHints>
#include <algorithm>

namespace lumeno {

namespace {

constexpr char kMouseBackground[] = "skins/Lighting/BK_Lighting.png";
constexpr char kPadBackground[] = "skins/Lighting/BK_PADLighting.png";
constexpr char kRadioOnImage[] = "Skins/Enable.png";
constexpr char kRadioOffImage[] = "Skins/Disable.png";
constexpr char kMultiColourImage[] = "Skins/MultiColor.png";
constexpr char kTrackEmptyImage[] = "skins/StageSlider/1.png";
constexpr char kTrackFilledImage[] = "skins/StageSlider/10.png";
// The part of each track image the sliders show: (1,0)-(128,11).
constexpr int kTrackX1 = 1;
constexpr int kTrackY1 = 0;
constexpr int kTrackX2 = 128;
constexpr int kTrackY2 = 11;

constexpr int kLabelGap = 5;        // label starts right of the radio
constexpr int kLabelReach = 70;     // and ends this far right of it
constexpr int kScaleStep = 30;      // scale marks, from the slider's left edge
constexpr int kScaleDrop = 5;       // below the slider
constexpr int kSwatchRowMargin = 2; // repainted around the swatch row
constexpr int kCaptionX = 24;
constexpr int kCaptionY = 166;
constexpr int kCaptionWidth = 74;
constexpr int kLargestLabelPixels = 13;
constexpr int kSmallestLabelPixels = 9;
constexpr int kScalePixels = 9;
const QColor kTextColour(253, 253, 253);
const QColor kScaleColour(200, 200, 200);
const QColor kFrameColour(255, 255, 255);

const char* const kBrightnessScale[] = {"0%", "25%", "50%", "75%", "100%"};
const char* const kSpeedScale[] = {"1", "2", "3", "4", "5"};

QRect ToQRect(const LightingRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QRect LabelRect(int row)
{
    const LightingRect radio = LightingRadioRect(row);
    // Centred on the radio, tall enough for the text.
    const int middle = (radio.top + radio.bottom) / 2;
    return QRect(radio.right + kLabelGap, middle - 8, kLabelReach - kLabelGap, 16);
}

QRect SwatchRowRect()
{
    return ToQRect(LightingSwatchRect(0))
        .united(ToQRect(LightingSwatchRect(kLightingSwatchCount - 1)))
        .adjusted(-kSwatchRowMargin, -kSwatchRowMargin, kSwatchRowMargin, kSwatchRowMargin);
}

} // namespace

CDlgLighting::CDlgLighting(PaneContext& context, QWidget* parent)
    : CDlgLighting(context, MouseLightingFields(), kMouseBackground, parent)
{
}

CDlgLighting::CDlgLighting(PaneContext& context, const LightingFields& fields, const char* background, QWidget* parent)
    : SettingsPane(parent), context_(context),
      model_(context.ctx.image, fields, [this] { context_.commands.Apply(ApplyGroup::Lighting); }),
      background_(background)
{
    setFocusPolicy(Qt::ClickFocus);
    const QString face = QString::fromUtf8(MainWindowFontFace(context.ctx.languageCode).data());

    // One label size for all rows: the largest at which every label fits.
    int pixels = kLargestLabelPixels;
    for (; pixels > kSmallestLabelPixels; --pixels) {
        QFont font(face);
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (const LightingRow& row : fields.rows)
            fits = fits && metrics.horizontalAdvance(QString::fromStdString(context.text[row.labelTextId])) <=
                               kLabelReach - kLabelGap;
        if (fits)
            break;
    }
    labelFont_ = QFont(face);
    labelFont_.setPixelSize(pixels);
    scaleFont_ = QFont(face);
    scaleFont_.setPixelSize(kScalePixels);

    const auto empty = context.skin.Load(kTrackEmptyImage);
    const auto filled = context.skin.Load(kTrackFilledImage);
    for (size_t r = 0; r < fields.rows.size(); ++r) {
        auto* slider = new CDMarker(this);
        slider->Create(ToQRect(LightingSliderRect(int(r))), kFirstLightingSliderId + fields.rows[r].effect - 1);
        slider->SetRange(kLightingLevelMin, kLightingLevelMax);
        slider->SetTrackImages(empty ? RegionCopy(*empty, kTrackX1, kTrackY1, kTrackX2, kTrackY2) : QImage(),
                               filled ? RegionCopy(*filled, kTrackX1, kTrackY1, kTrackX2, kTrackY2) : QImage());
        connect(slider, &CDMarkerBase::sliderReleased, this,
                [this](int position, int identifier) { model_.SliderReleased(identifier, position); });
        sliders_.push_back(slider);
    }

    model_.SelectEffect(model_.Effect());
    ShowSliders();
}

void CDlgLighting::RefreshFromImage()
{
    model_.SelectEffect(model_.Effect());
    ShowSliders();
    update();
}

void CDlgLighting::ShowSliders()
{
    const auto& state = model_.Sliders();
    for (size_t r = 0; r < sliders_.size(); ++r) {
        sliders_[r]->setEnabled(state[r].enabled);
        sliders_[r]->SetPosOrMinimum(state[r].position);
    }
}

void CDlgLighting::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    // The second press of a double click is the double click, not another
    // click: a double click acts as one click and then as a double click.
    const QStyleHints* hints = QGuiApplication::styleHints();
    const bool secondOfDouble = lastPress_ &&
                                event->timestamp() - lastPress_->time < quint64(hints->mouseDoubleClickInterval()) &&
                                (at - lastPress_->at).manhattanLength() <= hints->mouseDoubleClickDistance();
    lastPress_ = secondOfDouble ? std::nullopt : std::optional<Press>(Press{event->timestamp(), at});
    if (secondOfDouble)
        return;
    model_.LeftClick(at.x(), at.y());
    ShowSliders();
    update();
}

void CDlgLighting::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const auto entry = model_.DoubleClickTarget(at.x(), at.y());
    if (!entry)
        return;
    const auto colour = chooser_(this, QString::fromStdString(context_.text[kTextChooseColour]));
    if (!colour)
        return;
    model_.Recolour(*entry, Rgb{uint8_t(colour->red()), uint8_t(colour->green()), uint8_t(colour->blue())});
    update(SwatchRowRect());
}

void CDlgLighting::keyPressEvent(QKeyEvent* event)
{
    // The dialog keys never act on a pane.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
    case Qt::Key_F1:
        event->accept();
        return;
    default:
        SettingsPane::keyPressEvent(event);
    }
}

void CDlgLighting::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    context_.skin.Draw(painter, background_, 0, 0);
    for (int r = 0; r < int(sliders_.size()); ++r)
        PaintRow(painter, r);
    PaintSwatches(painter);
}

void CDlgLighting::PaintRow(QPainter& painter, int row)
{
    const LightingRect radio = LightingRadioRect(row);
    switch (model_.RadioOf(row)) {
    case RadioLook::Selected:
        context_.skin.Draw(painter, kRadioOnImage, radio.left, radio.top);
        break;
    case RadioLook::NotSelected:
        context_.skin.Draw(painter, kRadioOffImage, radio.left, radio.top);
        break;
    case RadioLook::Hidden:
        break;
    }

    const LightingRow& fields = model_.Fields().rows[size_t(row)];
    painter.setPen(kTextColour);
    painter.setFont(labelFont_);
    painter.drawText(LabelRect(row), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromStdString(context_.text[fields.labelTextId]));

    const LightingRect slider = LightingSliderRect(row);
    painter.setPen(kScaleColour);
    painter.setFont(scaleFont_);
    const QFontMetrics metrics(scaleFont_);
    const auto& marks = fields.scale == LevelScale::Brightness ? kBrightnessScale : kSpeedScale;
    for (int k = 0; k < 5; ++k) {
        const QString mark = QString::fromLatin1(marks[k]);
        // "100%" would reach past the pane's edge: it ends there instead.
        const int x = std::min(slider.left + kScaleStep * k, width() - 1 - metrics.horizontalAdvance(mark));
        painter.drawText(x, slider.bottom + kScaleDrop + metrics.ascent(), mark);
    }
}

void CDlgLighting::PaintSwatches(QPainter& painter)
{
    painter.setPen(kTextColour);
    painter.setFont(labelFont_);
    const LightingRect first = LightingSwatchRect(0);
    painter.drawText(QRect(kCaptionX, kCaptionY, kCaptionWidth, first.bottom - first.top),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromStdString(context_.text[kTextMouseColor]));

    for (int i = 0; i < kLightingSwatchCount; ++i) {
        const QRect swatch = ToQRect(LightingSwatchRect(i));
        if (i == kMultiColourSwatch) {
            context_.skin.Draw(painter, kMultiColourImage, swatch.left(), swatch.top());
            continue;
        }
        const Rgb colour = model_.PaletteEntry(i);
        painter.fillRect(swatch, QColor(colour.red, colour.green, colour.blue));
    }
    if (const auto framed = model_.FramedSwatch()) {
        // One pixel outside the swatch.
        // One pixel outside the swatch: a 1 px pen outlines a w x h
        // rectangle over w + 1 x h + 1 pixels.
        painter.setPen(kFrameColour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(ToQRect(LightingSwatchRect(*framed)).adjusted(-1, -1, 0, 0));
    }
}

CDlgLightingPad::CDlgLightingPad(PaneContext& context, QWidget* parent)
    : CDlgLighting(context, PadLightingFields(), kPadBackground, parent)
{
}

} // namespace lumeno
