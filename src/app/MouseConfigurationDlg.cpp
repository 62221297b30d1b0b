#include "app/MouseConfigurationDlg.h"

#include "app/MainWindowSkin.h"
#include "app/SettingsPanes.h"
#include "buttons/ButtonMap.h"
#include "flows/AppContext.h"
#include "flows/ConfigCommands.h"
#include "platform/DebugOutput.h"
#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"
#include "ui/ExMenu.h"
#include "ui/SkinImages.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace lumeno {

namespace {

constexpr QColor kTextColour{255, 255, 255};
constexpr int kTextWidthRightOfNote = 720; // the note runs up to the reset button
constexpr int kCaptionInset = 5;           // image buttons start their captions this far in
constexpr int kSmallestCaptionHeight = 7;  // smaller captions are no longer legible
constexpr int kScaleLabelWidth = 18;       // wide enough for "10"

// The progress strip of a flow, under the note.
constexpr Rect kProgressRect{194, 632, 914, 646};
constexpr int kProgressTextWidth = 260;
constexpr int kProgressInset = 3;
constexpr QColor kProgressTrack{28, 30, 35};
constexpr QColor kProgressEmpty{38, 41, 48};
constexpr QColor kProgressFilled{143, 32, 32};

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// Keys that a dialog would take as OK, Cancel, a button press or help.
bool IsClosingKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Space ||
           key == Qt::Key_F1;
}

// Centres a caption by hand: the centred form keeps the inset on both sides,
// the left-aligned one only on the left, so a long caption has more room.
void CentreCaption(CBitmapBtn* button)
{
    const int textWidth = QFontMetrics(button->CaptionFont(), button).horizontalAdvance(button->Caption());
    button->SetAlignment(CBitmapBtn::AlignLeft, std::max(0, (button->width() - textWidth) / 2 - kCaptionInset));
}

void DrawPlaced(const SkinImages& skin, QPainter& painter, const PlacedImage& image)
{
    skin.Draw(painter, image.name, image.position.x, image.position.y);
}

} // namespace

CMouseConfigurationDlg::CMouseConfigurationDlg(MainWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), s_(services)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    installEventFilter(this);
    setWindowTitle(kMainWindowTitle);
}

CMouseConfigurationDlg::~CMouseConfigurationDlg()
{
    if (progress_)
        ShowFlowProgress(std::nullopt);
}

QString CMouseConfigurationDlg::Text(int id) const { return QString::fromStdString(s_.text[id]); }

void CMouseConfigurationDlg::Build()
{
    if (built_)
        return;
    built_ = true;
    LoadSkinAndFonts();
    CreateControls();
    layout_.CollapseAll();
    Relayout();
    SelectView(MouseView::Top);
}

void CMouseConfigurationDlg::LoadSkinAndFonts()
{
    if (auto image = s_.skin.Load(kMainBackgroundImage.name))
        background_ = *image;
    const QSize size = background_.isNull() ? QSize(1000, 650) : background_.size();
    setFixedSize(size);
    move(0, 0);
    layout_ = MainWindowLayout(s_.skin.Height(kAssignmentSectionImage), s_.skin.Height(kAxisSectionImage));

    font_ = QFont(QString::fromUtf8(MainWindowFontFace(s_.ctx.languageCode).data()));
    font_.setPixelSize(kMainWindowFontHeight);
    font_.setWeight(QFont::Normal);
}

void CMouseConfigurationDlg::CreateControls()
{
    const QString face = font_.family();

    // The images are cut to the button's size from their top-left corner.
    auto makeButton = [this, &face](const SkinnedButton& look) {
        const ButtonImages& images = look.images;
        auto* button = new CBitmapBtn(this);
        button->resize(look.rect.Width(), look.rect.Height()); // its caption is fitted before the layout places it
        button->SetBitmaps(s_.skin, 0, 0, look.rect.Width(), look.rect.Height(), images.normal, images.hover,
                           images.pressed, images.disabled);
        button->SetCaptionFont(face, kMainWindowFontHeight, QFont::Normal);
        return button;
    };
    auto place = [](QWidget* w, const Rect& r) { w->setGeometry(ToQRect(r)); };

    for (auto [button, look] :
         {std::pair{&help_, &kHelpButtonSkin}, {&minimise_, &kMinimiseButtonSkin}, {&close_, &kCloseButtonSkin}}) {
        *button = makeButton(*look);
        place(*button, look->rect);
    }
    connect(help_, &QAbstractButton::clicked, this, [this] {
        ClearHighlight();
        raise();
        activateWindow();
        CExMenu menu(this);
        menu.AppendItem(int(HelpCommand::WebSite), Text(kTextMakerAddress));
        menu.AppendItem(int(HelpCommand::Update), Text(kTextFirmwareUpdate));
        menu.AppendItem(int(HelpCommand::Version), kVersionText);
        // Items are 100 px wide, or as wide as the web address needs.
        menu.SetItemWidth(std::max(kHelpMenuItemWidth, menu.ItemWidth()));
        emit helpCommandChosen(HelpCommand(menu.TrackPopup(QCursor::pos())));
    });
    connect(minimise_, &QAbstractButton::clicked, this, [this] {
        ClearHighlight();
        showMinimized();
    });
    connect(close_, &QAbstractButton::clicked, this, [this] {
        ClearHighlight();
        CloseToTray();
    });

    for (auto& header : headers_) {
        header = makeButton(kSectionHeaderSkin);
        header->SetAlignment(CBitmapBtn::AlignLeft, 8);
        header->SetCaptionFont(face, kMainWindowFontHeight); // headers stand out in the default weight
    }
    connect(headers_[0], &QAbstractButton::clicked, this, [this] {
        ClearHighlight();
        ToggleAssignmentSection();
    });
    connect(headers_[1], &QAbstractButton::clicked, this, [this] {
        ClearHighlight();
        emit macroManagerRequested();
    });
    connect(headers_[2], &QAbstractButton::clicked, this, [this] {
        ClearHighlight();
        ToggleAxisSection();
    });
    // The lift-off header never gets a size: it is neither seen nor clicked,
    // only its place is kept for the switch areas.
    liftOffHeader_ = new QWidget(this);
    liftOffHeader_->setGeometry(0, 0, 0, 0);
    liftOffHeader_->hide();

    for (int row = 1; row <= kButtonCount; ++row) {
        const int index = ButtonIndexOfRow(row);
        auto* box = makeButton(kAssignmentBoxSkin);
        box->SetIdentifier(index);
        box->SetToggleMode(true);
        box->SetAlignment(CBitmapBtn::AlignLeft, 2);
        place(box, MainWindowLayout::AssignmentBox(row));
        box->hide();
        connect(box, &CBitmapBtn::toggleCommand, this, [this](int id) { OnAssignmentBox(id); });
        boxes_[static_cast<size_t>(index)] = box;
    }

    topTab_ = makeButton(kTopViewTabSkin);
    sideTab_ = makeButton(kSideViewTabSkin);
    for (auto* tab : {topTab_, sideTab_}) {
        tab->SetToggleMode(true);
    }
    place(topTab_, kTopViewTabSkin.rect);
    place(sideTab_, kSideViewTabSkin.rect);
    connect(topTab_, &CBitmapBtn::toggleCommand, this, [this] {
        ClearHighlight();
        SelectView(MouseView::Top);
    });
    connect(sideTab_, &CBitmapBtn::toggleCommand, this, [this] {
        ClearHighlight();
        SelectView(MouseView::Side);
    });

    profile_ = makeButton(kProfileButtonSkin);
    profile_->SetAlignment(CBitmapBtn::AlignCentre);
    place(profile_, kProfileButtonSkin.rect);
    connect(profile_, &QAbstractButton::clicked, this, [this] {
        ClearHighlight();
        emit profilePaneRequested();
    });

    reset_ = makeButton(kResetButtonSkin);
    reset_->SetAlignment(CBitmapBtn::AlignCentre);
    place(reset_, kResetButtonSkin.rect);
    connect(reset_, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::resetRequested);

    const auto empty = s_.skin.Load(kAxisTrackEmptyImage);
    const auto filled = s_.skin.Load(kAxisTrackFilledImage);
    for (auto [slider, id] : {std::pair{&xSlider_, kXSensitivitySliderId}, {&ySlider_, kYSensitivitySliderId}}) {
        *slider = new CDMarker(this);
        (*slider)->Create(QRect(0, 0, kSliderWidth, kSliderHeight), id);
        (*slider)->SetRange(kAxisSliderMin, kAxisSliderMax);
        (*slider)->SetTrackImages(empty ? RegionCopy(*empty, 0, 0, kSliderWidth, kSliderHeight) : QImage(),
                                  filled ? RegionCopy(*filled, 0, 0, kSliderWidth, kSliderHeight) : QImage());
        (*slider)->hide();
        connect(*slider, &CDMarkerBase::sliderReleased, this, &CMouseConfigurationDlg::OnSliderReleased);
    }

    ApplyTexts();

    // The window's own controls never act on the dialog keys. Panes of other
    // parts are not filtered: they handle these keys themselves first (the
    // DPI pane commits its entry box on Enter).
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);

    settings_ = new CDlgadvance({s_.ctx, s_.commands, s_.text, s_.skin}, SettingsPaneRows(), this);
    settings_->PlaceInFrame(ToQRect(kSettingsPaneRect));
}

void CMouseConfigurationDlg::ApplyTexts()
{
    headers_[0]->SetCaption(Text(kTextButtonAssignment));
    headers_[1]->SetCaption(Text(kTextMacroManager));
    headers_[2]->SetCaption(Text(kTextAxisSensitivity));
    topTab_->SetCaption(Text(kTextTopView));
    sideTab_->SetCaption(Text(kTextSideView));
    profile_->SetCaption(Text(kTextProfileButton));
    reset_->SetCaption(Text(kTextResetButton));
    // The tabs, profile and reset captions are fitted from the left inset to
    // the right edge, then centred.
    const std::array centred{topTab_, sideTab_, profile_, reset_};
    for (auto* button : centred)
        button->SetAlignment(CBitmapBtn::AlignLeft, 0);
    for (auto* button : {headers_[0], headers_[1], headers_[2], topTab_, sideTab_, profile_, reset_})
        FitCaption(button);
    // The two view tabs share one font: the smaller of their fits.
    const int tabHeight = std::min(topTab_->CaptionFont().pixelSize(), sideTab_->CaptionFont().pixelSize());
    for (auto* tab : {topTab_, sideTab_})
        tab->SetCaptionFont(font_.family(), tabHeight, QFont::Normal);
    for (auto* button : centred)
        CentreCaption(button);
}

void CMouseConfigurationDlg::FitCaption(CBitmapBtn* button) const
{
    // Longer translations ("Zurücksetzen" in a 57 px button) get a smaller
    // font rather than an ellipsis; below the smallest height they are cut
    // off and the tip shows them whole.
    button->FitCaption(kMainWindowFontHeight, kSmallestCaptionHeight);
    button->setToolTip(button->CaptionFits() ? QString() : button->Caption());
}

void CMouseConfigurationDlg::Relayout()
{
    if (!built_)
        return;
    auto place = [](QWidget* w, const Rect& r) { w->setGeometry(ToQRect(r)); };
    place(headers_[0], layout_.AssignmentHeader());
    place(headers_[1], layout_.MacroHeader());
    place(headers_[2], layout_.AxisHeader());
    const Point lift = layout_.LiftOffHeader();
    liftOffHeader_->setGeometry(lift.x, lift.y, 0, 0);

    const bool paneOpen = ProfilePaneOpen();
    for (auto* box : boxes_)
        box->setVisible(layout_.AssignmentBoxesVisible() && !paneOpen);
    place(xSlider_, layout_.XSlider());
    place(ySlider_, layout_.YSlider());
    xSlider_->setVisible(layout_.AxisSlidersVisible() && !paneOpen);
    ySlider_->setVisible(layout_.AxisSlidersVisible() && !paneOpen);
}

void CMouseConfigurationDlg::ToggleAssignmentSection()
{
    const Rect area = layout_.ToggleAssignment();
    Relayout();
    repaint(ToQRect(area));
}

void CMouseConfigurationDlg::ToggleAxisSection()
{
    const Rect area = layout_.ToggleAxis();
    Relayout();
    repaint(ToQRect(area));
}

void CMouseConfigurationDlg::SelectView(MouseView view)
{
    view_ = view;
    if (topTab_) {
        topTab_->SetToggleChecked(view == MouseView::Top);
        sideTab_->SetToggleChecked(view == MouseView::Side);
    }
    update(ToQRect(kPictureRect));
}

void CMouseConfigurationDlg::ClearHighlight()
{
    highlighted_ = -1;
    for (auto* box : boxes_)
        if (box)
            box->SetToggleChecked(false);
    update(ToQRect(kPictureRect));
}

void CMouseConfigurationDlg::OnAssignmentBox(int buttonIndex)
{
    if (buttonIndex < 0 || buttonIndex >= kButtonCount)
        return;
    for (auto* box : boxes_)
        box->SetToggleChecked(box->Identifier() == buttonIndex);
    highlighted_ = buttonIndex;
    lastSelected_ = buttonIndex;
    repaint(ToQRect(kPictureRect));
    emit assignmentMenuRequested(buttonIndex);
}

CBitmapBtn* CMouseConfigurationDlg::AssignmentBox(int buttonIndex) const
{
    if (buttonIndex < 0 || buttonIndex >= kButtonCount)
        return nullptr;
    return boxes_[static_cast<size_t>(buttonIndex)];
}

void CMouseConfigurationDlg::ShowCaptions()
{
    for (int i = 0; i < kButtonCount; ++i)
        if (boxes_[static_cast<size_t>(i)])
            boxes_[static_cast<size_t>(i)]->SetCaption(QString::fromStdString(s_.ctx.captions[static_cast<size_t>(i)]));
}

void CMouseConfigurationDlg::SetSlidersFromImage()
{
    if (!xSlider_)
        return;
    xSlider_->SetPosOrMinimum(s_.ctx.image.axisSensitivityX);
    ySlider_->SetPosOrMinimum(s_.ctx.image.axisSensitivityY);
}

void CMouseConfigurationDlg::OnSliderReleased(int position, int identifier)
{
    if (identifier == kXSensitivitySliderId)
        s_.ctx.image.axisSensitivityX = static_cast<uint8_t>(position);
    else if (identifier == kYSensitivitySliderId)
        s_.ctx.image.axisSensitivityY = static_cast<uint8_t>(position);
    else
        return;
    s_.commands.Apply(ApplyGroup::Sensitivity);
}

void CMouseConfigurationDlg::OnBackgroundPress(QPoint clientPos)
{
    if (auto hit = layout_.LiftOffHit(clientPos.x(), clientPos.y())) {
        s_.ctx.image.SetLiftOffEnabled(*hit == LiftOffSwitch::On ? 1 : 0);
        s_.commands.Apply(ApplyGroup::LiftOff);
    }
    ClearHighlight();
}

void CMouseConfigurationDlg::ReshowControls()
{
    for (auto* header : headers_)
        header->show();
    Relayout();
}

void CMouseConfigurationDlg::ShowAfterReset()
{
    layout_.CollapseAll();
    SetSlidersFromImage();
    settings_->CollapseAll();
    settings_->RefreshPanes();
    SelectView(MouseView::Top);
    CloseProfilePane();
    ReshowControls();
    ShowCaptions();
    update();
}

void CMouseConfigurationDlg::OpenProfilePane(QWidget* pane)
{
    SetProfileControlsEnabled(false);
    if (profilePane_ || !pane) {
        delete pane;
        return;
    }
    profilePane_ = pane;
    pane->setParent(this);
    pane->show();
    pane->raise();
    for (auto* header : headers_)
        header->hide();
    Relayout();
}

void CMouseConfigurationDlg::CloseProfilePane()
{
    if (!profilePane_)
        return;
    profilePane_->close();
    profilePane_->deleteLater();
    profilePane_ = nullptr;
    SetProfileControlsEnabled(true);
    ReshowControls();
}

void CMouseConfigurationDlg::SetProfileControlsEnabled(bool enabled)
{
    if (settings_)
        settings_->setEnabled(enabled);
    if (reset_)
        reset_->setEnabled(enabled);
}

// --- Tray ---

void CMouseConfigurationDlg::HideToTray()
{
    hide();
    // Hidden, the window keeps no taskbar entry.
    setWindowFlag(Qt::Tool, true);
    s_.ctx.debug.Write("Main window hidden\n");
}

void CMouseConfigurationDlg::ShowRestored()
{
    move(0, 0);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));

    SetSlidersFromImage();
    ShowCaptions();
    {
        setUpdatesEnabled(false);
        layout_.CollapseAll();
        Relayout();
        settings_->CollapseAll();
        setUpdatesEnabled(true);
    }
    settings_->RefreshPanes();

    setWindowFlag(Qt::Tool, false);
    show();
    raise();
    activateWindow();
    s_.ctx.debug.Write("Main window shown\n");
}

// --- Flows ---

void CMouseConfigurationDlg::ShowFlowProgress(std::optional<double> fraction)
{
    const bool wasBusy = progress_.has_value();
    progress_ = fraction;
    if (fraction && !wasBusy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        qApp->installEventFilter(this);
    } else if (!fraction && wasBusy) {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
    }
    update(ToQRect(kProgressRect));
}

// --- Painting and input ---

void CMouseConfigurationDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(18, 19, 22));
    if (!background_.isNull())
        DrawPreparedImage(painter, background_, kMainBackgroundImage.position.x, kMainBackgroundImage.position.y);
    DrawPlaced(s_.skin, painter, kLogoImage);
    PaintPicture(painter);
    DrawPlaced(s_.skin, painter, kLeftColumnImage);
    DrawPlaced(s_.skin, painter, kMouseLogoImage);
    PaintSections(painter);

    painter.setFont(font_);
    painter.setPen(kTextColour);
    painter.drawText(QRect(kNotePos.x, kNotePos.y, kTextWidthRightOfNote, 20), Qt::AlignLeft | Qt::AlignTop,
                     Text(kTextColourNote));
    PaintProgress(painter);
}

void CMouseConfigurationDlg::PaintProgress(QPainter& painter)
{
    if (!progress_ || *progress_ < 0)
        return;
    // A strip under the note: the text of the flow on the left, the bar
    // filling to the right in the menus' accent colour.
    const QRect strip = ToQRect(kProgressRect);
    painter.fillRect(strip, kProgressTrack);
    QRect bar = strip.adjusted(kProgressTextWidth, kProgressInset, -kProgressInset, -kProgressInset);
    painter.fillRect(bar, kProgressEmpty);
    bar.setWidth(int(bar.width() * std::clamp(*progress_, 0.0, 1.0)));
    painter.fillRect(bar, kProgressFilled);
    painter.setPen(kTextColour);
    painter.drawText(strip.adjusted(kProgressInset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     Text(kTextSendingToMouse));
}

void CMouseConfigurationDlg::PaintPicture(QPainter& painter)
{
    painter.save();
    painter.setClipRect(ToQRect(kPictureRect));
    DrawPlaced(s_.skin, painter, kPictureBackgroundImage);
    const Point base = MouseBasePosition(view_);
    s_.skin.Draw(painter, MouseBaseImage(view_), base.x, base.y);
    const int lit = OverlayNumberOfButtonIndex(highlighted_);
    const OverlayImage* overlays = MouseOverlays(view_);
    for (int i = 0; i < kButtonCount; ++i) {
        const auto& overlay = overlays[i];
        s_.skin.Draw(painter, MouseOverlayImage(view_, overlay.number, overlay.number == lit), overlay.position.x,
                     overlay.position.y);
    }
    painter.restore();
}

void CMouseConfigurationDlg::PaintSections(QPainter& painter)
{
    painter.setFont(font_);
    painter.setPen(kTextColour);
    const bool paneOpen = ProfilePaneOpen();
    if (layout_.AssignmentExpanded() && !paneOpen) {
        const Point bg = layout_.AssignmentBackground();
        s_.skin.Draw(painter, kAssignmentSectionImage, bg.x, bg.y);
        for (int row = 1; row <= kButtonCount; ++row)
            painter.drawText(ToQRect(MainWindowLayout::RowLabel(row)), Qt::AlignLeft | Qt::AlignVCenter,
                             Text(kTextButtonRow1 + row - 1));
    }
    if (layout_.AxisExpanded() && !paneOpen) {
        const Point bg = layout_.AxisBackground();
        s_.skin.Draw(painter, kAxisSectionImage, bg.x, bg.y);
        const struct {
            Rect slider;
            int label;
        } axes[] = {{layout_.XSlider(), kTextXAxis}, {layout_.YSlider(), kTextYAxis}};
        for (const auto& axis : axes) {
            painter.drawText(QRect(axis.slider.left, axis.slider.top - 18, 200, 14), Qt::AlignLeft | Qt::AlignVCenter,
                             Text(axis.label));
            for (int n = 1; n <= 10; ++n) {
                const Point at = layout_.ScaleLabel(n, axis.slider.top);
                painter.drawText(QRect(at.x - kScaleLabelWidth / 2, at.y, kScaleLabelWidth, 14),
                                 Qt::AlignHCenter | Qt::AlignTop, QString::number(n));
            }
        }
    }
}

void CMouseConfigurationDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    OnBackgroundPress(event->position().toPoint());
    drag_.Start(*this, *event);
}

void CMouseConfigurationDlg::mouseMoveEvent(QMouseEvent* event) { drag_.Follow(*this, *event); }

void CMouseConfigurationDlg::mouseReleaseEvent(QMouseEvent*) { drag_.Stop(); }

void CMouseConfigurationDlg::closeEvent(QCloseEvent* event)
{
    // The window manager's close hides to the tray like the close button.
    event->ignore();
    ClearHighlight();
    CloseToTray();
}

void CMouseConfigurationDlg::CloseToTray()
{
    if (minimiseOnClose_)
        showMinimized(); // hidden, it could never be brought back
    else
        HideToTray();
}

bool CMouseConfigurationDlg::eventFilter(QObject* watched, QEvent* event)
{
    // While a flow runs the window takes no input, as the wait cursor says;
    // other windows (a message box) still do.
    if (progress_ && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            return true;
        default:
            break;
        }
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
        event->type() == QEvent::ShortcutOverride) {
        if (IsClosingKey(static_cast<QKeyEvent*>(event)->key()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumeno
