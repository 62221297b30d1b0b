#pragma once
// The mouse seen from above and from its left side, and the seven button
// overlays of each view. Everything is drawn in the main window's client
// coordinates, where the window places these images; callers translate the
// painter to the image's origin.
#include <QPainter>
#include <QPoint>

namespace skin {

inline constexpr QPoint kFrontOrigin(395, 85);
inline constexpr QPoint kSideOrigin(300, 226);
// Overlay origins, buttons 1..7 (index 0 unused).
inline constexpr QPoint kFrontOverlay[8] = {{0, 0},     {350, 102}, {550, 102}, {498, 190},
                                            {350, 247}, {350, 315}, {498, 255}, {498, 285}};
inline constexpr QPoint kSideOverlay[8] = {{0, 0},     {400, 155}, {335, 155}, {410, 248},
                                           {490, 270}, {545, 265}, {460, 158}, {487, 158}};

void DrawMouseTop(QPainter& p);
void DrawMouseSide(QPainter& p);
void DrawTopOverlay(QPainter& p, int button, bool over);
void DrawSideOverlay(QPainter& p, int button, bool over);

} // namespace skin
