#include "buttons/AssignmentMenuView.h"

#include "ui/ExMenu.h"

#include <QWidget>

namespace lumeno {

namespace {

constexpr int kAnchorGap = 5;

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), int(text.size())); }

} // namespace

QPoint AssignmentMenuAnchor(const QWidget& box) { return box.mapToGlobal(QPoint(box.width() + kAnchorGap, 0)); }

int RunAssignmentMenu(const AssignmentMenuContent& content, const QPoint& anchor, const QFont& font, QWidget* parent,
                      QPointer<QMenu>* open)
{
    CExMenu top(parent);
    top.setFont(font);
    for (const AssignmentMenuItem& item : content.items) {
        if (item.submenu < 0) {
            top.AppendItem(item.id, Utf8(item.text));
            continue;
        }
        const AssignmentSubmenu& rows = content.submenus[size_t(item.submenu)];
        auto* submenu = new CExMenu(&top); // destroyed with the top level
        submenu->setFont(font);
        for (const AssignmentMenuItem& row : rows.items)
            submenu->AppendItem(row.id, Utf8(row.text));
        submenu->SetItemWidth(rows.itemWidth);
        top.AppendItem(item.id, Utf8(item.text), submenu);
    }
    top.SetItemWidth(content.itemWidth);
    if (open)
        *open = &top;
    // On this platform a release of the right button chooses an item too.
    const int chosen = top.TrackPopup(anchor);
    if (open)
        *open = nullptr;
    return chosen;
}

} // namespace lumeno
