#include "Art.h"

#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace skin {

QImage NewImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QColor WithAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QColor Lighter(QColor c, int percent)
{
    auto up = [&](int v) { return std::clamp(v + (255 - v) * percent / 100, 0, 255); };
    auto down = [&](int v) { return std::clamp(v * (100 + percent) / 100, 0, 255); };
    if (percent >= 0)
        return QColor(up(c.red()), up(c.green()), up(c.blue()), c.alpha());
    return QColor(down(c.red()), down(c.green()), down(c.blue()), c.alpha());
}

QImage BoxBlur(const QImage& source, int radius)
{
    if (radius <= 0)
        return source;
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    std::vector<int> line;
    auto pass = [&](bool horizontal) {
        const int count = horizontal ? h : w;
        const int length = horizontal ? w : h;
        line.assign(static_cast<size_t>(length) * 4, 0);
        for (int i = 0; i < count; ++i) {
            auto pixel = [&](int j) -> QRgb& {
                return horizontal ? reinterpret_cast<QRgb*>(image.scanLine(i))[j]
                                  : reinterpret_cast<QRgb*>(image.scanLine(j))[i];
            };
            for (int j = 0; j < length; ++j) {
                const QRgb c = pixel(j);
                line[j * 4 + 0] = qAlpha(c);
                line[j * 4 + 1] = qRed(c);
                line[j * 4 + 2] = qGreen(c);
                line[j * 4 + 3] = qBlue(c);
            }
            int sum[4] = {0, 0, 0, 0};
            const int window = 2 * radius + 1;
            for (int j = -radius - 1; j < length; ++j) {
                const int add = j + radius;
                const int remove = j - radius - 1;
                if (add < length && add >= 0)
                    for (int k = 0; k < 4; ++k)
                        sum[k] += line[add * 4 + k];
                if (remove >= 0)
                    for (int k = 0; k < 4; ++k)
                        sum[k] -= line[remove * 4 + k];
                if (j >= 0)
                    pixel(j) = qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window);
            }
        }
    };
    for (int n = 0; n < 2; ++n) {
        pass(true);
        pass(false);
    }
    return image;
}

void Glow(QPainter& p, const QPainterPath& path, QColor colour, int radius, int passes)
{
    const QSize size(p.device()->width(), p.device()->height());
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setTransform(p.transform());
        lp.fillPath(path, colour);
    }
    QImage blurred = BoxBlur(layer, radius);
    p.save();
    p.resetTransform();
    for (int i = 0; i < passes; ++i)
        p.drawImage(0, 0, blurred);
    p.restore();
}

QPainterPath RoundedRect(QRectF r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void FillPanel(QPainter& p, QRectF r, QColor fill, QColor border, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(border.alpha() ? QPen(border, 1) : Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void PaneBackground(QPainter& p, int width, int height, QColor fill)
{
    p.fillRect(0, 0, width, height, fill);
    p.fillRect(0, 0, width, 1, WithAlpha(Qt::white, 14));
    p.fillRect(0, height - 1, width, 1, WithAlpha(Qt::black, 90));
    p.fillRect(0, 0, 2, std::min(height, 18), kAccent);
}

void DialogBackground(QPainter& p, int width, int height, int titleHeight)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, height);
    body.setColorAt(0, QColor(24, 25, 29));
    body.setColorAt(1, QColor(16, 17, 20));
    p.fillRect(0, 0, width, height, body);
    QLinearGradient title(0, 0, 0, titleHeight);
    title.setColorAt(0, QColor(40, 42, 49));
    title.setColorAt(1, QColor(30, 32, 37));
    p.fillRect(0, 0, width, titleHeight, title);
    // Accent rule under the title, bright at the left and fading out.
    QLinearGradient rule(0, 0, width, 0);
    rule.setColorAt(0, kAccentBright);
    rule.setColorAt(0.45, kAccent);
    rule.setColorAt(1, WithAlpha(kAccent, 40));
    p.fillRect(0, titleHeight - 1, width, 1, rule);
    p.fillRect(0, titleHeight, width, 6, QColor(0, 0, 0, 50));
    p.setPen(QPen(QColor(60, 63, 72), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, width - 1, height - 1));
    p.fillRect(0, 0, width, 1, kAccent);
    p.restore();
}

void ButtonFace(QPainter& p, QRectF r, Look look, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (look == Look::Disabled)
        p.setOpacity(0.4);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    QColor border;
    switch (look) {
    case Look::Normal:
    case Look::Disabled:
        g.setColorAt(0, QColor(50, 53, 62));
        g.setColorAt(1, QColor(34, 36, 42));
        border = QColor(66, 70, 81);
        break;
    case Look::Hover:
        g.setColorAt(0, QColor(64, 67, 78));
        g.setColorAt(1, QColor(44, 47, 55));
        border = kAccentBright;
        break;
    case Look::Pressed:
        g.setColorAt(0, QColor(150, 36, 36));
        g.setColorAt(1, QColor(100, 30, 30));
        border = QColor(190, 60, 58);
        break;
    }
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (look == Look::Disabled) {
        g.setColorAt(0, QColor(46, 47, 50));
        g.setColorAt(1, QColor(36, 37, 40));
        border = QColor(70, 71, 74);
    }
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawRoundedRect(body, radius, radius);
    // Top sheen and, for hover, an accent underline.
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::white, look == Look::Pressed ? 10 : 22));
    p.drawRoundedRect(QRectF(body.left() + 1, body.top() + 1, body.width() - 2, 1.2), 0.6, 0.6);
    if (look == Look::Hover) {
        QLinearGradient u(body.left(), 0, body.right(), 0);
        u.setColorAt(0, WithAlpha(kAccentBright, 0));
        u.setColorAt(0.5, kAccentBright);
        u.setColorAt(1, WithAlpha(kAccentBright, 0));
        p.fillRect(QRectF(body.left() + 2, body.bottom() - 2, body.width() - 4, 1.5), u);
    }
    if (look == Look::Pressed) {
        p.setBrush(WithAlpha(Qt::black, 60));
        p.drawRoundedRect(QRectF(body.left() + 1, body.top() + 1, body.width() - 2, 2), 1, 1);
    }
    p.restore();
}

void Well(QPainter& p, QRectF r, qreal radius)
{
    FillPanel(p, r, kWell, QColor(58, 61, 70), radius);
    p.save();
    p.fillRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, 1), QColor(0, 0, 0, 120));
    p.restore();
}

static QPen GlyphPen(QColor c, qreal width)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void GlyphClose(QPainter& p, QRectF r, QColor c, qreal width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(GlyphPen(c, width));
    const qreal s = std::min(r.width(), r.height()) * 0.5;
    const QPointF m = r.center();
    p.drawLine(QPointF(m.x() - s / 2, m.y() - s / 2), QPointF(m.x() + s / 2, m.y() + s / 2));
    p.drawLine(QPointF(m.x() + s / 2, m.y() - s / 2), QPointF(m.x() - s / 2, m.y() + s / 2));
    p.restore();
}

void GlyphMinus(QPainter& p, QRectF r, QColor c, qreal width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(GlyphPen(c, width));
    const qreal s = std::min(r.width(), r.height()) * 0.5;
    const QPointF m = r.center() + QPointF(0, s * 0.35);
    p.drawLine(QPointF(m.x() - s / 2, m.y()), QPointF(m.x() + s / 2, m.y()));
    p.restore();
}

void GlyphPlus(QPainter& p, QRectF r, QColor c, qreal width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(GlyphPen(c, width));
    const qreal s = std::min(r.width(), r.height()) * 0.55;
    const QPointF m = r.center();
    p.drawLine(QPointF(m.x() - s / 2, m.y()), QPointF(m.x() + s / 2, m.y()));
    p.drawLine(QPointF(m.x(), m.y() - s / 2), QPointF(m.x(), m.y() + s / 2));
    p.restore();
}

void GlyphHelp(QPainter& p, QRectF r, QColor c, qreal width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(GlyphPen(c, width));
    const qreal s = std::min(r.width(), r.height());
    const QPointF m = r.center();
    QPainterPath hook;
    const qreal rad = s * 0.2;
    hook.arcMoveTo(QRectF(m.x() - rad, m.y() - s * 0.36, 2 * rad, 2 * rad), 160);
    hook.arcTo(QRectF(m.x() - rad, m.y() - s * 0.36, 2 * rad, 2 * rad), 160, -220);
    hook.lineTo(m.x(), m.y() + s * 0.1);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(m.x(), m.y() + s * 0.28), width * 0.65, width * 0.65);
    p.restore();
}

void GlyphChevron(QPainter& p, QRectF r, QColor c, qreal width, int direction)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(GlyphPen(c, width));
    const qreal s = std::min(r.width(), r.height()) * 0.5;
    const QPointF m = r.center();
    QPolygonF v;
    switch (direction) {
    case 0:
        v << QPointF(-s / 2, -s / 4) << QPointF(0, s / 4) << QPointF(s / 2, -s / 4);
        break;
    case 1:
        v << QPointF(-s / 2, s / 4) << QPointF(0, -s / 4) << QPointF(s / 2, s / 4);
        break;
    case 2:
        v << QPointF(-s / 4, -s / 2) << QPointF(s / 4, 0) << QPointF(-s / 4, s / 2);
        break;
    default:
        v << QPointF(s / 4, -s / 2) << QPointF(-s / 4, 0) << QPointF(s / 4, s / 2);
        break;
    }
    v.translate(m);
    p.drawPolyline(v);
    p.restore();
}

void GlyphCheck(QPainter& p, QRectF r, QColor c, qreal width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(GlyphPen(c, width));
    const qreal s = std::min(r.width(), r.height());
    const QPointF m = r.center();
    QPolygonF v;
    v << QPointF(m.x() - s * 0.3, m.y()) << QPointF(m.x() - s * 0.08, m.y() + s * 0.22)
      << QPointF(m.x() + s * 0.32, m.y() - s * 0.24);
    p.drawPolyline(v);
    p.restore();
}

void Radio(QPainter& p, QRectF r, bool on)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal d = std::min(r.width(), r.height());
    const QRectF c(r.center().x() - d / 2 + 0.6, r.center().y() - d / 2 + 0.6, d - 1.2, d - 1.2);
    p.setPen(QPen(on ? kSignal : QColor(112, 116, 126), 1.1));
    p.setBrush(kWell);
    p.drawEllipse(c);
    if (on) {
        const qreal inner = d * 0.24;
        QRadialGradient g(r.center(), inner * 1.4);
        g.setColorAt(0, QColor(255, 250, 170));
        g.setColorAt(0.6, kSignal);
        g.setColorAt(1, WithAlpha(kSignal, 200));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(r.center(), inner, inner);
    }
    p.restore();
}

void TickBox(QPainter& p, QRectF r, bool on)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(on ? kSignal : QColor(112, 116, 126), 1));
    p.setBrush(kWell);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    if (on)
        GlyphCheck(p, r.adjusted(1, 1, -1, -1), kSignal, std::max(1.4, r.width() / 7.0));
    p.restore();
}

// Glyph outlines on a unit cap height; x runs to the glyph's advance.
struct Glyph {
    qreal advance;
    std::vector<std::vector<QPointF>> strokes;
    bool closedFirst = false;
};

static const std::map<QChar, Glyph>& Glyphs()
{
    static const std::map<QChar, Glyph> glyphs = [] {
        std::map<QChar, Glyph> g;
        const std::vector<QPointF> box = {{0.14, 0}, {0.5, 0},  {0.64, 0.14}, {0.64, 0.86}, {0.5, 1},
                                          {0.14, 1}, {0, 0.86}, {0, 0.14},    {0.14, 0}};
        g[QChar('L')] = {0.58, {{{0, 0}, {0, 1}, {0.56, 1}}}};
        g[QChar('U')] = {0.68, {{{0, 0}, {0, 0.84}, {0.16, 1}, {0.48, 1}, {0.64, 0.84}, {0.64, 0}}}};
        g[QChar('M')] = {0.86, {{{0, 1}, {0, 0}, {0.42, 0.56}, {0.84, 0}, {0.84, 1}}}};
        g[QChar('E')] = {0.6, {{{0.58, 0}, {0, 0}, {0, 1}, {0.58, 1}}, {{0, 0.5}, {0.44, 0.5}}}};
        g[QChar('N')] = {0.7, {{{0, 1}, {0, 0}, {0.66, 1}, {0.66, 0}}}};
        g[QChar('O')] = {0.68, {box}};
        g[QChar('0')] = {0.68, {box, {{0.16, 0.72}, {0.48, 0.28}}}};
        g[QChar('C')] = {0.62,
                         {{{0.6, 0.1}, {0.5, 0}, {0.14, 0}, {0, 0.14}, {0, 0.86}, {0.14, 1}, {0.5, 1}, {0.6, 0.9}}}};
        g[QChar('K')] = {0.66, {{{0, 0}, {0, 1}}, {{0.62, 0}, {0.04, 0.56}}, {{0.24, 0.38}, {0.64, 1}}}};
        g[QChar('V')] = {0.74, {{{0, 0}, {0.36, 1}, {0.72, 0}}}};
        g[QChar('P')] = {0.64, {{{0, 1}, {0, 0}, {0.48, 0}, {0.62, 0.13}, {0.62, 0.41}, {0.48, 0.54}, {0, 0.54}}}};
        g[QChar('R')] = {0.66,
                         {{{0, 1}, {0, 0}, {0.48, 0}, {0.62, 0.13}, {0.62, 0.41}, {0.48, 0.54}, {0, 0.54}},
                          {{0.3, 0.54}, {0.64, 1}}}};
        g[QChar('5')] = {
            0.64, {{{0.6, 0}, {0.02, 0}, {0.02, 0.46}, {0.48, 0.46}, {0.62, 0.6}, {0.62, 0.86}, {0.48, 1}, {0, 1}}}};
        g[QChar('8')] = {0.66, {box, {{0, 0.48}, {0.64, 0.48}}}};
        g[QChar('1')] = {0.42, {{{0.06, 0.16}, {0.28, 0}, {0.28, 1}}}};
        g[QChar('2')] = {0.64, {{{0, 0.12}, {0.12, 0}, {0.5, 0}, {0.62, 0.12}, {0.62, 0.4}, {0, 1}, {0.64, 1}}}};
        g[QChar('-')] = {0.46, {{{0.04, 0.52}, {0.42, 0.52}}}};
        g[QChar(' ')] = {0.36, {}};
        return g;
    }();
    return glyphs;
}

qreal LetteringWidth(const QString& text, qreal height, qreal tracking)
{
    qreal x = 0;
    for (QChar ch : text) {
        auto it = Glyphs().find(ch);
        x += (it == Glyphs().end() ? 0.5 : it->second.advance) * height + tracking;
    }
    return x - tracking;
}

QPainterPath Lettering(const QString& text, QPointF origin, qreal height, qreal weight, qreal tracking, qreal slant)
{
    QPainterPath centre;
    qreal x = 0;
    for (QChar ch : text) {
        auto it = Glyphs().find(ch);
        if (it == Glyphs().end()) {
            x += 0.5 * height + tracking;
            continue;
        }
        for (const auto& stroke : it->second.strokes) {
            if (stroke.empty())
                continue;
            auto at = [&](QPointF q) {
                const qreal y = q.y() * height;
                return QPointF(origin.x() + x + q.x() * height + (height - y) * slant, origin.y() + y);
            };
            centre.moveTo(at(stroke.front()));
            for (size_t i = 1; i < stroke.size(); ++i)
                centre.lineTo(at(stroke[i]));
        }
        x += it->second.advance * height + tracking;
    }
    QPainterPathStroker stroker;
    stroker.setWidth(weight);
    stroker.setCapStyle(Qt::SquareCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setMiterLimit(3);
    return stroker.createStroke(centre).simplified();
}

void BrandMark(QPainter& p, QRectF r, bool glow)
{
    // Two nested chevrons pointing up, like a cursor tip: the product's emblem.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = std::min(r.width(), r.height());
    const QPointF c = r.center();
    auto chevron = [&](qreal scale, qreal thickness, qreal dy) {
        QPainterPath path;
        const qreal w = s * 0.46 * scale;
        const qreal h = s * 0.34 * scale;
        path.moveTo(c.x(), c.y() - h + dy);
        path.lineTo(c.x() + w, c.y() + h + dy);
        path.lineTo(c.x() + w - thickness * 1.25, c.y() + h + dy);
        path.lineTo(c.x(), c.y() - h + thickness * 1.6 + dy);
        path.lineTo(c.x() - w + thickness * 1.25, c.y() + h + dy);
        path.lineTo(c.x() - w, c.y() + h + dy);
        path.closeSubpath();
        return path;
    };
    const QPainterPath outer = chevron(1.0, s * 0.13, -s * 0.04);
    const QPainterPath inner = chevron(0.5, s * 0.1, s * 0.16);
    if (glow)
        Glow(p, outer.united(inner), WithAlpha(kAccentBright, 200), std::max(2, int(s / 10)));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(236, 70, 62));
    g.setColorAt(1, kAccent);
    p.fillPath(outer, g);
    p.fillPath(inner, QColor(250, 250, 250));
    p.restore();
}

} // namespace skin
