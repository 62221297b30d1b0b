#pragma once
// The assignment menu on screen: the top-level CExMenu with its four
// submenus, built from the menu's content, shown at an anchor and run.
#include "buttons/AssignmentMenu.h"

#include <QFont>
#include <QPoint>
#include <QPointer>

class QMenu;
class QWidget;

namespace lumeno {

// The anchor of buttonIndex's menu: right edge of its box + 5, box top.
QPoint AssignmentMenuAnchor(const QWidget& box);

// Shows the menu at anchor (screen coordinates) and runs it, the right
// button selecting as well as the left; the chosen command id, or 0 when it
// closed without a choice. While it runs, *open points at it, so that it can
// be closed from outside; the menus are destroyed when it returns.
int RunAssignmentMenu(const AssignmentMenuContent& content, const QPoint& anchor, const QFont& font, QWidget* parent,
                      QPointer<QMenu>* open = nullptr);

} // namespace lumeno
