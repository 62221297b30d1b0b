#include "ui/ListBoxPro.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace lumeno {
namespace {

constexpr int kTextLeft = 5;

class ListBoxProDelegate : public QStyledItemDelegate {
public:
    explicit ListBoxProDelegate(CListBoxPro* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const bool hovered = index.row() == list_->HoverItem();
        painter->save();
        painter->fillRect(option.rect, QColor::fromRgb(selected || hovered ? kListHighlightColour : kListItemColour));
        const bool enabled = (option.state & QStyle::State_Enabled) && (index.flags() & Qt::ItemIsEnabled);
        painter->setPen(enabled ? option.palette.color(QPalette::Active, QPalette::Text)
                                : option.palette.color(QPalette::Disabled, QPalette::Text));
        painter->setFont(option.font);
        const QRect textRect = option.rect.adjusted(kTextLeft, 0, -2, 0);
        const QString text = index.data(Qt::DisplayRole).toString();
        // Plain text: no mnemonic or prefix processing.
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
        if (option.state & QStyle::State_HasFocus) {
            QPen pen(QColor(0, 0, 0));
            pen.setStyle(Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

private:
    CListBoxPro* list_;
};

} // namespace

CListBoxPro::CListBoxPro(QWidget* parent) : QListWidget(parent)
{
    setMouseTracking(true);
    setItemDelegate(new ListBoxProDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor::fromRgb(kListItemColour));
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
}

QRect CListBoxPro::ItemRect(int row) const
{
    QListWidgetItem* it = item(row);
    return it ? visualItemRect(it) : QRect();
}

int CListBoxPro::RowAt(const QPoint& viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() ? index.row() : -1;
}

void CListBoxPro::SetHoverItem(int row)
{
    if (hoverItem_ == row)
        return;
    hoverItem_ = row;
    viewport()->update();
    if (row >= 0)
        emit hoverNotice(row, listId_);
}

void CListBoxPro::mouseMoveEvent(QMouseEvent* event)
{
    SetHoverItem(RowAt(event->position().toPoint()));
    QListWidget::mouseMoveEvent(event);
}

void CListBoxPro::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit hoverNotice(RowAt(event->position().toPoint()), listId_);
}

void CListBoxPro::leaveEvent(QEvent* event)
{
    SetHoverItem(-1);
    QListWidget::leaveEvent(event);
}

void CListBoxPro::keyPressEvent(QKeyEvent* event)
{
    // '&' and '(' would jump to items by their text; the list swallows them.
    if (event->text() == QStringLiteral("&") || event->text() == QStringLiteral("(")) {
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace lumeno
