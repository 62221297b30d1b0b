#include "lighting/ColourChooser.h"

#include <QColorDialog>

namespace lumeno {

std::optional<QColor> QtColourChooser::Choose(QWidget* parent, const QString& title)
{
    const QColor colour = QColorDialog::getColor(Qt::white, parent, title);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

} // namespace lumeno
