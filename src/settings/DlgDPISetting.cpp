#include "settings/DlgDPISetting.h"

#include "flows/AppContext.h"
#include "ui/DMarker.h"
#include "ui/SkinImages.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegularExpressionValidator>

namespace lumeno {

namespace {

constexpr char kBackground[] = "Skins\\DPISetting\\BK_DPISetting.png";
constexpr char kValueBackground[] = "Skins\\DPISetting\\BK-DPIValue.png";
constexpr char kTrackEmpty[] = "\\skins\\DPISetting\\DPIStage\\0.png";
constexpr char kTrackFilled[] = "\\skins\\DPISetting\\DPIStage\\82.png";
constexpr char kEnabledImage[] = "Skins\\Enable.png";
constexpr char kDisabledImage[] = "Skins\\Disable.png";
constexpr int kTrackWidth = 7;
constexpr int kTrackHeight = 169;
constexpr int kValueFontPixels = 9;
// White text on black over a graphite box.
const QColor kEntryText{255, 255, 255};
const QColor kEntryTextBackground{0, 0, 0};
const QColor kEntryBox{40, 40, 40};

QRect ToQRect(const PaneRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

} // namespace

CDlgDPISetting::CDlgDPISetting(PaneContext& context, QWidget* parent)
    : SettingsPane(parent), context_(context), editor_(context.ctx.image, context.ctx.snapshot),
      chooser_(DesktopColourChooser)
{
    const auto empty = context_.skin.Load(kTrackEmpty);
    const auto filled = context_.skin.Load(kTrackFilled);
    const QImage emptyTrack = empty ? RegionCopy(*empty, 0, 0, kTrackWidth, kTrackHeight) : QImage();
    const QImage filledTrack = filled ? RegionCopy(*filled, 0, 0, kTrackWidth, kTrackHeight) : QImage();
    const auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    QPalette boxColours;
    boxColours.setColor(QPalette::Text, kEntryText);
    boxColours.setColor(QPalette::Base, kEntryBox);
    boxColours.setColor(QPalette::Highlight, kEntryTextBackground);
    boxColours.setColor(QPalette::HighlightedText, kEntryText);
    for (int k = 0; k < kStageCount; ++k) {
        auto* slider = new CDMarkerV(this);
        slider->Create(ToQRect(DpiStageRect(kDpiSliderRect, k)), kDpiSliderIdBase + k);
        slider->SetRange(kDpiCodeMinimum, editor_.SliderMaximum());
        slider->SetTrackImages(emptyTrack, filledTrack);
        connect(slider, &CDMarkerBase::sliderReleased, this, &CDlgDPISetting::OnSliderReleased);
        sliders_[size_t(k)] = slider;

        auto* box = new QLineEdit(this);
        box->setObjectName(QString::number(kDpiEntryIdBase + k));
        box->setGeometry(ToQRect(DpiStageRect(kDpiEntryRect, k)));
        box->setMaxLength(kDpiEntryMaxLength);
        box->setValidator(digits);
        box->setAlignment(Qt::AlignCenter);
        box->setFrame(false);
        box->setPalette(boxColours);
        box->hide();
        box->installEventFilter(this);
        boxes_[size_t(k)] = box;
    }
    RefreshFromImage();
}

void CDlgDPISetting::SetStepMode(bool hundredStep)
{
    editor_.SetStepMode(hundredStep);
    for (auto* slider : sliders_)
        slider->SetRange(kDpiCodeMinimum, editor_.SliderMaximum());
    RefreshFromImage();
}

void CDlgDPISetting::RefreshFromImage()
{
    for (int k = 0; k < kStageCount; ++k)
        sliders_[size_t(k)]->SetPos(editor_.StageCode(k));
    // A box left open over the old values is dropped, never committed later.
    editor_.CloseEntry();
    HideEntryBoxes();
    update();
}

void CDlgDPISetting::OnSliderReleased(int position, int identifier)
{
    const int stage = identifier - kDpiSliderIdBase;
    if (stage < 0 || stage >= kStageCount)
        return;
    HideEntryBoxes();
    editor_.SliderReleased(stage, position);
    update(ToQRect(DpiStageRect(kDpiToggleRect, stage)));
    update(ToQRect(DpiStageRect(kDpiValueRect, stage)));
    RequestWrite();
}

bool CDlgDPISetting::Commit(int stage)
{
    QLineEdit* box = boxes_[size_t(stage)];
    const auto commit = editor_.CommitEntry(stage, box->text().toStdString());
    if (!commit)
        return false;
    box->setText(QString::fromStdString(commit->text));
    sliders_[size_t(stage)]->SetPos(commit->code);
    HideEntryBoxes();
    update();
    RequestWrite();
    return true;
}

void CDlgDPISetting::HideEntryBoxes()
{
    for (auto* box : boxes_)
        box->hide();
}

void CDlgDPISetting::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = int(event->position().x());
    const int y = int(event->position().y());
    if (const int open = editor_.OpenEntryStage(); open >= 0) {
        Commit(open);
        editor_.CloseEntry();
    }
    HideEntryBoxes();
    for (int k = 0; k < kStageCount; ++k) {
        if (DpiStageRect(kDpiToggleRect, k).Contains(x, y)) {
            editor_.ToggleStage(k);
            update(ToQRect(DpiStageRect(kDpiToggleRect, k)));
            RequestWrite();
        }
    }
    for (int k = 0; k < kStageCount; ++k)
        if (DpiStageRect(kDpiSwatchRect, k).Contains(x, y) && editor_.ColourChoosable(k))
            ChooseColour(k);
    for (int k = 0; k < kStageCount; ++k) {
        if (DpiStageRect(kDpiValueRect, k).Contains(x, y)) {
            QLineEdit* box = boxes_[size_t(k)];
            box->setText(QString::fromStdString(editor_.OpenEntry(k)));
            box->show();
            box->setFocus();
            box->selectAll();
        }
    }
    update();
}

void CDlgDPISetting::ChooseColour(int stage)
{
    const auto colour = chooser_(this, QString::fromStdString(context_.text[kTextDpiStageColour]));
    if (!colour)
        return;
    editor_.SetColour(stage, {uint8_t(colour->red()), uint8_t(colour->green()), uint8_t(colour->blue())});
    update(ToQRect(DpiStageRect(kDpiSwatchRect, stage)));
    RequestWrite();
}

void CDlgDPISetting::RequestWrite() { context_.commands.Apply(ApplyGroup::Dpi); }

bool CDlgDPISetting::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The open entry stays recorded: the next click in the pane
            // tries the same text again and finds it unchanged.
            for (int k = 0; k < kStageCount; ++k)
                if (watched == boxes_[size_t(k)])
                    Commit(k);
            return true;
        }
    }
    return SettingsPane::eventFilter(watched, event);
}

void CDlgDPISetting::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    context_.skin.Draw(painter, kBackground, 0, 0);
    // Five-digit values get a pixel less where they would not fit the plate.
    QFont font = painter.font();
    font.setPixelSize(kValueFontPixels);
    QFont narrow = font;
    narrow.setPixelSize(kValueFontPixels - 1);
    const QFontMetrics metrics(font);
    painter.setPen(Qt::white);
    const ConfigImage& image = context_.ctx.image;
    for (int k = 0; k < kStageCount; ++k) {
        const PaneRect value = DpiStageRect(kDpiValueRect, k);
        context_.skin.Draw(painter, kValueBackground, value.left, value.top);
        const QString text = QString::number(editor_.ShownDpi(k));
        painter.setFont(metrics.horizontalAdvance(text) > value.Width() ? narrow : font);
        painter.drawText(ToQRect(value), Qt::AlignCenter, text);
        const PaneRect toggle = DpiStageRect(kDpiToggleRect, k);
        context_.skin.Draw(painter, editor_.StageEnabled(k) ? kEnabledImage : kDisabledImage, toggle.left, toggle.top);
        const Rgb c = image.stageColor[k];
        painter.fillRect(ToQRect(DpiStageRect(kDpiSwatchRect, k)), QColor(c.red, c.green, c.blue));
    }
}

} // namespace lumeno
