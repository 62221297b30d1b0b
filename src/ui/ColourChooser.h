#pragma once
// The desktop's colour chooser as a function, so that tests can answer it
// in its place. Modal; returns the chosen colour, or nothing when the user
// cancels.
#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace lumeno {

using ColourChooser = std::function<std::optional<QColor>(QWidget* parent, const QString& title)>;

// QColorDialog with its default options, starting from white.
std::optional<QColor> DesktopColourChooser(QWidget* parent, const QString& title);

} // namespace lumeno
