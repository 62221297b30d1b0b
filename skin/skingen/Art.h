#pragma once
// Drawing helpers shared by the skin generator's painters: the palette,
// panels, button faces, glyphs, glows and the vector lettering of the
// product name.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace skin {

// Palette: graphite surfaces, a deep red accent, signal yellow for selection.
inline const QColor kWindow(18, 19, 22);
inline const QColor kPanel(28, 30, 35);
inline const QColor kSection(24, 26, 30);
inline const QColor kRaised(38, 41, 48);
inline const QColor kLine(52, 55, 64);
inline const QColor kWell(12, 13, 15);
inline const QColor kMuted(128, 132, 142);
inline const QColor kAccent(143, 32, 32);
inline const QColor kAccentDeep(111, 41, 41);
inline const QColor kAccentBright(214, 54, 50);
inline const QColor kSignal(255, 237, 0);

enum class Look { Normal, Hover, Pressed, Disabled };

QImage NewImage(int width, int height);
QColor WithAlpha(QColor c, int alpha);
QColor Lighter(QColor c, int percent);

// A soft glow of a shape: the path is filled into a scratch layer, blurred
// and laid under or over what is drawn.
void Glow(QPainter& p, const QPainterPath& path, QColor colour, int radius, int passes = 2);
QImage BoxBlur(const QImage& image, int radius);

QPainterPath RoundedRect(QRectF r, qreal radius);
void FillPanel(QPainter& p, QRectF r, QColor fill, QColor border, qreal radius);
// A flat pane background: panel colour, top highlight, a short accent mark.
void PaneBackground(QPainter& p, int width, int height, QColor fill = kPanel);
// Dialog frame: window fill, title strip of the given height, accent rule, border.
void DialogBackground(QPainter& p, int width, int height, int titleHeight);
void ButtonFace(QPainter& p, QRectF r, Look look, qreal radius = 3);
void Well(QPainter& p, QRectF r, qreal radius = 2);

// Glyphs, drawn centred in r.
void GlyphClose(QPainter& p, QRectF r, QColor c, qreal width);
void GlyphMinus(QPainter& p, QRectF r, QColor c, qreal width);
void GlyphHelp(QPainter& p, QRectF r, QColor c, qreal width);
void GlyphChevron(QPainter& p, QRectF r, QColor c, qreal width, int direction); // 0 down 1 up 2 right 3 left
void GlyphCheck(QPainter& p, QRectF r, QColor c, qreal width);
void GlyphPlus(QPainter& p, QRectF r, QColor c, qreal width);
void Radio(QPainter& p, QRectF r, bool on);
void TickBox(QPainter& p, QRectF r, bool on);

// Stroked vector letters for the product name and digits: A-Z subset
// (C E K L M N O P R U V), digits 0-9, '-' and ' '. Returns the outline at
// the given cap height with its top-left at origin; slant shears it.
QPainterPath Lettering(const QString& text, QPointF origin, qreal height, qreal weight, qreal tracking,
                       qreal slant = 0.0);
qreal LetteringWidth(const QString& text, qreal height, qreal tracking);

// The brand mark: a red chevron emblem in a square of the given size.
void BrandMark(QPainter& p, QRectF r, bool glow);

} // namespace skin
