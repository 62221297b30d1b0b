#pragma once
// Draws one skin image by its inventory name into an image of the
// inventory's size. False when no painter knows the name.
#include <QImage>
#include <QString>

namespace skin {

bool PaintSkinImage(const QString& name, QImage& image);

} // namespace skin
