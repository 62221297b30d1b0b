#include "ui/ColourChooser.h"

#include <QColorDialog>

namespace lumeno {

std::optional<QColor> DesktopColourChooser(QWidget* parent, const QString& title)
{
    const QColor colour = QColorDialog::getColor(Qt::white, parent, title);
    return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
}

} // namespace lumeno
