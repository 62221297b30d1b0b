#include "app/QtBusyIndicator.h"

#include <QApplication>
#include <QCursor>

namespace lumeno {

void QtBusyIndicator::ShowBusy() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void QtBusyIndicator::ShowIdle() { QApplication::restoreOverrideCursor(); }

} // namespace lumeno
