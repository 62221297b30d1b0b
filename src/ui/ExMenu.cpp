#include "ui/ExMenu.h"

#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace lumeno {
namespace {

constexpr const char* kIdProperty = "lumenoMenuId";
constexpr const char* kAlternateProperty = "lumenoMenuAlternate";
constexpr const char* kTrademarkProperty = "lumenoMenuTrademark";

QColor ToQColor(MenuRgb c) { return QColor(c.r, c.g, c.b); }

} // namespace

// Sizes the items by the menu's rules; the painting is the menu's own.
class CExMenu::Style : public QProxyStyle {
public:
    explicit Style(const CExMenu* menu) : menu_(menu) {}

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type == CT_MenuItem) {
            const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            const bool separator = item && item->menuItemType == QStyleOptionMenuItem::Separator;
            return QSize(menu_->ItemWidth(), separator ? kMenuSeparatorHeight : kMenuItemBaseHeight + kMenuItemPadding);
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_MenuPanelWidth:
            return kMenuFrameWidth;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_MenuDesktopFrameWidth:
        case PM_MenuTearoffHeight:
            return 0;
        case PM_SubMenuOverlap:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

private:
    const CExMenu* menu_;
};

CExMenu::CExMenu(QWidget* parent) : QMenu(parent), style_(std::make_unique<Style>(this)) { setStyle(style_.get()); }

CExMenu::~CExMenu()
{
    setStyle(nullptr); // the proxy style dies with the menu; detach first
}

QAction* CExMenu::AppendItem(int id, const QString& text, CExMenu* submenu)
{
    QAction* action = nullptr;
    if (id == kMenuSeparatorId) {
        action = addSeparator();
    } else if (submenu) {
        submenu->setTitle(text);
        action = addMenu(submenu);
    } else {
        action = addAction(text);
    }
    action->setProperty(kIdProperty, id);
    if (id == kMenuHiddenId)
        action->setVisible(false); // takes no height
    return action;
}

void CExMenu::SetItemMarks(int id, bool alternateColour, bool trademark)
{
    if (QAction* action = ActionFor(id)) {
        action->setProperty(kAlternateProperty, alternateColour);
        action->setProperty(kTrademarkProperty, trademark);
        update();
    }
}

void CExMenu::SetItemWidth(int width)
{
    fixedWidth_ = width;
    adjustSize();
}

int CExMenu::ItemWidth() const { return MenuWidth(Items(), fixedWidth_); }

int CExMenu::IdOf(const QAction* action) { return action ? action->property(kIdProperty).toInt() : 0; }

QAction* CExMenu::ActionFor(int id) const
{
    for (QAction* action : actions()) {
        if (IdOf(action) == id)
            return action;
    }
    return nullptr;
}

std::vector<MenuItem> CExMenu::Items() const
{
    std::vector<MenuItem> items;
    for (const QAction* action : actions()) {
        MenuItem item;
        item.id = IdOf(action);
        item.text = action->text().toStdString();
        item.hasSubmenu = action->menu() != nullptr;
        item.alternateColour = action->property(kAlternateProperty).toBool();
        item.trademark = action->property(kTrademarkProperty).toBool();
        items.push_back(std::move(item));
    }
    return items;
}

int CExMenu::TrackPopup(const QPoint& globalPosition)
{
    QAction* chosen = exec(globalPosition);
    return IdOf(chosen);
}

void CExMenu::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, ToQColor(kMenuBackground));
    for (const QAction* action : actions()) {
        if (!action->isVisible())
            continue;
        const QRect r = actionGeometry(const_cast<QAction*>(action));
        if (r.isEmpty())
            continue;
        if (action->isSeparator()) {
            painter.fillRect(r, ToQColor(kMenuBackground));
            painter.fillRect(QRect(r.left(), r.top() + r.height() / 2, r.width(), 1), ToQColor(kMenuSeparatorLine));
            continue;
        }
        const bool selected = action == activeAction() && action->isEnabled();
        painter.fillRect(r, ToQColor(selected ? kMenuSelectedBackground : kMenuBackground));
        QColor text = ToQColor(selected ? kMenuSelectedText : kMenuText);
        if (action->property(kAlternateProperty).toBool())
            text = ToQColor(kMenuAlternateText);
        if (!action->isEnabled())
            text = QColor(170, 150, 150);
        painter.setPen(text);
        painter.setFont(font());
        const QRect textRect = r.adjusted(kMenuTextLeft, 0, 0, 0);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, action->text());
        if (action->property(kTrademarkProperty).toBool()) {
            const int textWidth = painter.fontMetrics().horizontalAdvance(action->text());
            QFont small = font();
            small.setPixelSize(kMenuTrademarkFontHeight);
            painter.setFont(small);
            painter.drawText(QRect(textRect.left() + textWidth, r.top(), 20, r.height() / 2),
                             Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("TM"));
        }
        if (action->menu()) { // the submenu arrow
            const int cx = r.right() - 8;
            const int cy = r.center().y();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(text);
            const QPointF arrow[3] = {QPointF(cx - 3, cy - 4), QPointF(cx + 2, cy), QPointF(cx - 3, cy + 4)};
            painter.drawPolygon(arrow, 3);
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
    }
    // Border: one accent frame outside, two darker frames inside it.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(ToQColor(kMenuOuterFrame));
    painter.drawRect(all.adjusted(0, 0, -1, -1));
    painter.setPen(ToQColor(kMenuInnerFrame));
    painter.drawRect(all.adjusted(1, 1, -2, -2));
    painter.drawRect(all.adjusted(2, 2, -3, -3));
}

} // namespace lumeno
