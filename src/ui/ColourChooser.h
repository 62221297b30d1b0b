#pragma once
// The system colour chooser behind a small interface, so that tests can
// answer it. A pane asks it for a colour and gets nothing back when the user
// cancels.
#include <QColor>
#include <QString>

#include <optional>

class QWidget;

namespace lumeno {

class ColourChooser {
public:
    virtual ~ColourChooser() = default;
    // Modal; returns the chosen colour, or nullopt when the user cancelled.
    virtual std::optional<QColor> Choose(QWidget* parent, const QString& title) = 0;
};

// QColorDialog with its default options and no initial colour of ours.
class QtColourChooser final : public ColourChooser {
public:
    std::optional<QColor> Choose(QWidget* parent, const QString& title) override;
};

} // namespace lumeno
