#include "app/SettingsPanes.h"

#include "app/MainWindowSkin.h"
#include "lighting/DlgLighting.h"
#include "settings/DlgDoubleClick.h"
#include "settings/DlgMouseSpeed.h"
#include "settings/DlgMouseWheelSpeed.h"
#include "ui/BitmapBtn.h"
#include "ui/SkinImages.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumeno {

namespace {

constexpr int kColumnTop = 2;
constexpr int kHeaderGap = 5;
// The headers are the left column's section headers.
constexpr int kHeaderWidth = kSectionHeaderSkin.rect.Width();
constexpr int kHeaderHeight = kSectionHeaderSkin.rect.Height();
constexpr const ButtonImages& kHeaderImages = kSectionHeaderSkin.images;

// The speed and double-click panes share their background.
constexpr char kMouseAttributeBackground[] = "skins/MouseAttribute/BK_MouseAttribute.png";

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

} // namespace

const std::vector<SettingsPaneRow>& SettingsPaneRows()
{
    static const std::vector<SettingsPaneRow> rows{
        {kTextPaneDpi, "skins/DPISetting/BK_DPISetting.png", true, {}},
        {kTextPaneLighting, "skins/Lighting/BK_Lighting.png", true,
         [](PaneContext& c, QWidget* p) -> SettingsPane* { return new CDlgLighting(c, p); }},
        {kTextPanePadLighting, "skins/Lighting/BK_PADLighting.png", false,
         [](PaneContext& c, QWidget* p) -> SettingsPane* { return new CDlgLightingPad(c, p); }},
        {kTextPanePollingRate, "skins/USBReportRate/BK_USBReportRate.png", true, {}},
        {kTextPaneMouseSpeed, kMouseAttributeBackground, true,
         [](PaneContext& c, QWidget* p) -> SettingsPane* { return new CDlgMouseSpeed(c, p); }},
        {kTextPaneDoubleClick, kMouseAttributeBackground, true,
         [](PaneContext& c, QWidget* p) -> SettingsPane* { return new CDlgDoubleClick(c, p); }},
        {kTextPaneScrollSpeed, "skins/MouseAttribute/BK_ScrollSpeed.png", true,
         [](PaneContext& c, QWidget* p) -> SettingsPane* { return new CDlgMouseWheelSpeed(c, p); }},
        {kTextPaneAngleSnap, "skins/AngleSnap/BK_AngleSnap.png", false, {}},
    };
    return rows;
}

CSettingsPaneHost::CSettingsPaneHost(PaneContext context, const std::vector<SettingsPaneRow>& rows, QWidget* parent)
    : QWidget(parent), context_(context), layout_(kColumnTop, kHeaderGap, {})
{
    std::vector<AccordionItem> items;
    for (const auto& row : rows) {
        items.push_back({kHeaderHeight, context.skin.Height(row.background), row.shown});

        auto* header = new CBitmapBtn(this);
        header->SetBitmaps(context.skin, 0, 0, kHeaderWidth, kHeaderHeight, kHeaderImages.normal, kHeaderImages.hover,
                           kHeaderImages.pressed, kHeaderImages.disabled);
        header->SetAlignment(CBitmapBtn::AlignLeft, 8);
        header->SetCaption(QString::fromStdString(context.text[row.title]));
        header->setVisible(row.shown);
        const int item = int(headers_.size());
        connect(header, &QAbstractButton::clicked, this, [this, item] { Toggle(item); });
        headers_.push_back(header);

        SettingsPane* pane =
            row.create ? row.create(context_, this) : new PlaceholderPane(context.skin, row.background, this);
        pane->setFixedSize(kHeaderWidth, items.back().paneHeight);
        pane->hide();
        panes_.push_back(pane);
    }
    layout_ = AccordionModel(kColumnTop, kHeaderGap, std::move(items));
    Relayout();
}

void CSettingsPaneHost::Toggle(int item)
{
    context_.commands.ClearHighlight();
    layout_.Toggle(item);
    Relayout();
}

void CSettingsPaneHost::CollapseAll()
{
    layout_.CollapseAll();
    Relayout();
}

void CSettingsPaneHost::RefreshPanes()
{
    for (auto* pane : panes_)
        pane->RefreshFromImage();
    update();
}

void CSettingsPaneHost::MouseFound()
{
    for (auto* pane : panes_)
        pane->MouseFound();
}

void CSettingsPaneHost::Relayout()
{
    for (int i = 0; i < layout_.Count(); ++i) {
        headers_[size_t(i)]->setGeometry(0, layout_.HeaderTop(i), kHeaderWidth, kHeaderHeight);
        panes_[size_t(i)]->move(0, layout_.PaneTop(i));
        panes_[size_t(i)]->setVisible(layout_.Open(i));
    }
    update();
}

void CSettingsPaneHost::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    context_.skin.Draw(painter, kSettingsColumnImage.name, kSettingsColumnImage.position.x,
                       kSettingsColumnImage.position.y);
}

void CSettingsPaneHost::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        context_.commands.ClearHighlight();
}

} // namespace lumeno
