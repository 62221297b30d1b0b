#include "settings/Dlgadvance.h"

#include "flows/AppContext.h"
#include "flows/PointerSettings.h"
#include "ui/BitmapBtn.h"
#include "ui/SkinImages.h"
#include "ui/SkinScrollBar.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QWheelEvent>

namespace lumeno {

namespace {

constexpr char kScrollBarSkin[] = "Skins/ScrollBar.png";
constexpr int kHeaderCaptionIndent = 8;

bool IsDialogKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Space ||
           key == Qt::Key_F1;
}

// A row without its pane yet: the pane's background at its size.
class PlaceholderPane final : public SettingsPane {
public:
    PlaceholderPane(const SkinImages& skin, const char* background, QWidget* parent)
        : SettingsPane(parent), skin_(skin), background_(background)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        skin_.Draw(painter, background_, 0, 0);
    }

private:
    const SkinImages& skin_;
    const char* background_;
};

// The list's own surface under the headers and panes: transparent over the
// backdrop; a left click on it clears the main window's highlight.
class ColumnContent final : public QWidget {
public:
    ColumnContent(ConfigCommands& commands, QWidget* parent) : QWidget(parent), commands_(commands) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            commands_.ClearHighlight();
    }

private:
    ConfigCommands& commands_;
};

} // namespace

CDlgadvance::CDlgadvance(PaneContext context, const std::vector<SettingsPaneRow>& rows, QWidget* parent)
    : QAbstractScrollArea(parent), context_(context), accordion_(std::vector<AccordionItem>{})
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
    content_ = new ColumnContent(context_.commands, viewport());

    std::vector<AccordionItem> items;
    for (const auto& row : rows) {
        items.push_back({kSettingsHeaderHeight, context_.skin.Height(row.background), row.shown});

        auto* header = new CBitmapBtn(content_);
        header->SetBitmaps(context_.skin, 0, 0, kSettingsHeaderWidth, kSettingsHeaderHeight, kSettingsHeaderImage,
                           kSettingsHeaderImage, kSettingsHeaderImage, kSettingsHeaderImage);
        header->SetAlignment(CBitmapBtn::AlignLeft, kHeaderCaptionIndent);
        header->SetCaption(QString::fromStdString(context_.text[row.title]));
        header->setVisible(row.shown);
        const int item = int(headers_.size());
        connect(header, &QAbstractButton::clicked, this, [this, item] { Toggle(item); });
        headers_.push_back(header);

        SettingsPane* pane =
            row.create ? row.create(context_, content_) : new PlaceholderPane(context_.skin, row.background, content_);
        pane->setFixedSize(kSettingsHeaderWidth, items.back().paneHeight);
        pane->hide();
        panes_.push_back(pane);
    }
    accordion_ = SettingsAccordion(std::move(items));

    installEventFilter(this);
    viewport()->installEventFilter(this);
    content_->installEventFilter(this);
    for (QWidget* child : content_->findChildren<QWidget*>())
        child->installEventFilter(this);

    verticalScrollBar()->setSingleStep(kSettingsLineStep);
    Relayout();
}

void CDlgadvance::PlaceInFrame(const QRect& rect)
{
    setGeometry(rect);
    frame_ = CSkinScrollWnd::Wrap(this, context_.skin.Load(kScrollBarSkin).value_or(QImage()));
}

void CDlgadvance::Toggle(int item)
{
    setUpdatesEnabled(false);
    context_.commands.ClearHighlight();
    accordion_.Toggle(item);
    Relayout();
    setUpdatesEnabled(true);
    update();
}

void CDlgadvance::CollapseAll()
{
    accordion_.CollapseAll();
    Relayout();
}

void CDlgadvance::RefreshPanes()
{
    for (auto* pane : panes_) {
        pane->RefreshFromImage();
        pane->update();
    }
    viewport()->update();
}

void CDlgadvance::MouseFound()
{
    for (auto* pane : panes_)
        pane->MouseFound();
}

int CDlgadvance::ScrollPosition() const { return verticalScrollBar()->value(); }

WheelSetting CDlgadvance::WheelSettingInForce() const
{
    const AppContext& ctx = context_.ctx;
    if (ctx.pointerSettings && ctx.pointerSettings->WheelSettingApplied())
        return {ctx.image.wheelPageMode != 0, ctx.image.wheelLines};
    return {false, QGuiApplication::styleHints()->wheelScrollLines()};
}

void CDlgadvance::Relayout()
{
    const AccordionModel& layout = accordion_.Layout();
    for (int i = 0; i < layout.Count(); ++i) {
        headers_[size_t(i)]->setGeometry(0, layout.HeaderTop(i), kSettingsHeaderWidth, kSettingsHeaderHeight);
        panes_[size_t(i)]->move(0, layout.PaneTop(i));
        panes_[size_t(i)]->setVisible(layout.Open(i));
    }
    UpdateScrollRange();
    content_->update();
}

void CDlgadvance::UpdateScrollRange()
{
    const int visible = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(visible);
    bar->setRange(0, accordion_.ScrollMaximum(visible));
    content_->setGeometry(0, -bar->value(), viewport()->width(),
                          std::max(accordion_.ViewHeight(), accordion_.Layout().Bottom()));
}

void CDlgadvance::scrollContentsBy(int, int) { content_->move(0, -verticalScrollBar()->value()); }

void CDlgadvance::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void CDlgadvance::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    context_.skin.Draw(painter, kSettingsBackdropImage, 0, 0);
}

void CDlgadvance::wheelEvent(QWheelEvent* event)
{
    event->accept();
    QScrollBar* bar = verticalScrollBar();
    if (bar->maximum() <= bar->minimum())
        return;
    const int notches = TakeWholeNotches(wheelRest_, event->angleDelta().y());
    if (notches == 0)
        return;
    bar->setValue(bar->value() + WheelScrollPixels(notches, WheelSettingInForce(), viewport()->height()));
}

bool CDlgadvance::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QAbstractScrollArea::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (!IsDialogKey(key))
        return false;
    // An entry box commits on Enter; what it passes on stops at its pane.
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    return !(enter && qobject_cast<QLineEdit*>(watched));
}

} // namespace lumeno
