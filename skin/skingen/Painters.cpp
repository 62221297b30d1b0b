#include "Painters.h"

#include "Art.h"
#include "MouseArt.h"

#include <QConicalGradient>
#include <QRegularExpression>

#include <cmath>
#include <functional>
#include <map>

namespace skin {
namespace {

using Painter = std::function<void(QPainter&, int w, int h)>;

Look LookOf(const QString& state)
{
    if (state == "over")
        return Look::Hover;
    if (state == "leave")
        return Look::Pressed;
    return Look::Normal;
}

// ---- Main window -----------------------------------------------------------

void MainWindow(QPainter& p, int w, int h)
{
    p.fillRect(0, 0, w, h, kWindow);
    // Title strip with the accent rule under the logo column.
    QLinearGradient title(0, 0, 0, 28);
    title.setColorAt(0, QColor(30, 32, 37));
    title.setColorAt(1, QColor(22, 23, 27));
    p.fillRect(0, 0, w, 28, title);
    p.fillRect(0, 27, w, 1, QColor(40, 43, 50));
    QLinearGradient rule(0, 0, w, 0);
    rule.setColorAt(0, kAccentBright);
    rule.setColorAt(0.3, kAccent);
    rule.setColorAt(0.7, WithAlpha(kAccent, 60));
    rule.setColorAt(1, WithAlpha(kAccent, 0));
    p.fillRect(0, 0, w, 2, rule);
    // Right column frame behind the settings list.
    FillPanel(p, QRectF(731, 29, 267, 567), QColor(14, 15, 17), QColor(40, 43, 50), 4);
    // Bottom bar.
    p.fillRect(0, 596, w, h - 596, QColor(22, 23, 27));
    p.fillRect(0, 596, w, 1, QColor(40, 43, 50));
    p.fillRect(0, 597, w, 1, QColor(0, 0, 0, 120));
    // Track behind the view tabs.
    FillPanel(p, QRectF(429, 522, 144, 39), QColor(24, 26, 30), QColor(40, 43, 50), 6);
    // Window border.
    p.setPen(QPen(QColor(54, 57, 66), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.fillRect(0, 0, w, 1, kAccentBright);
    // Corner brackets, a quiet frame accent.
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(4, h - 4), QPointF(22, h - 4));
    p.drawLine(QPointF(4, h - 4), QPointF(4, h - 22));
    p.drawLine(QPointF(w - 4, h - 4), QPointF(w - 22, h - 4));
    p.drawLine(QPointF(w - 4, h - 4), QPointF(w - 4, h - 22));
}

void MainMid(QPainter& p, int w, int h)
{
    p.fillRect(0, 0, w, h, kWindow);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient spot(QPointF(256, 250), 300);
    spot.setColorAt(0, QColor(46, 30, 33));
    spot.setColorAt(0.5, QColor(28, 23, 26));
    spot.setColorAt(1, kWindow);
    p.fillRect(0, 0, w, h, spot);
    // Faint measuring rings round the mouse.
    p.setBrush(Qt::NoBrush);
    for (int r = 120; r <= 240; r += 60) {
        p.setPen(QPen(QColor(255, 255, 255, r == 180 ? 12 : 7), 1));
        p.drawEllipse(QPointF(256, 250), r, r);
    }
    p.setPen(QPen(QColor(255, 255, 255, 10), 1, Qt::DotLine));
    p.drawLine(QPointF(256, 10), QPointF(256, 490));
    p.drawLine(QPointF(10, 250), QPointF(w - 10, 250));
    // Floor glow.
    QRadialGradient floor(QPointF(256, 470), 200);
    floor.setColorAt(0, WithAlpha(kAccent, 50));
    floor.setColorAt(1, WithAlpha(kAccent, 0));
    p.save();
    p.translate(256, 470);
    p.scale(1, 0.12);
    p.translate(-256, -470);
    p.fillRect(QRectF(56, 270, 400, 400), floor);
    p.restore();
}

void LeftColumn(QPainter& p, int w, int h)
{
    FillPanel(p, QRectF(0, 0, w, h), kPanel, QColor(44, 47, 55), 4);
    p.fillRect(4, 0, w - 8, 1, kAccent);
    QLinearGradient fade(0, h - 120, 0, h);
    fade.setColorAt(0, WithAlpha(kPanel, 0));
    fade.setColorAt(1, QColor(22, 23, 27));
    p.fillRect(QRectF(1, h - 120, w - 2, 119), fade);
}

void RightColumn(QPainter& p, int w, int h)
{
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(22, 23, 27));
    g.setColorAt(1, QColor(16, 17, 20));
    p.fillRect(0, 0, w, h, g);
    p.setPen(QPen(QColor(255, 255, 255, 6), 1));
    for (int y = 4; y < h; y += 4)
        p.drawLine(0, y, w, y);
}

void Header(QPainter& p, int w, int h)
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(50, 53, 62));
    g.setColorAt(1, QColor(36, 39, 46));
    p.fillRect(0, 0, w, h, g);
    p.fillRect(0, 0, w, 1, QColor(255, 255, 255, 20));
    p.fillRect(0, h - 1, w, 1, kAccent);
    p.fillRect(0, 0, 3, h, kAccentBright);
    GlyphChevron(p, QRectF(w - 20, 0, 16, h), QColor(170, 174, 184), 1.5, 0);
}

void Logo(QPainter& p, int, int h)
{
    p.setRenderHint(QPainter::Antialiasing);
    BrandMark(p, QRectF(2, 10, 46, 46), true);
    const QPainterPath name = Lettering("LUMENO", QPointF(56, 14), 24, 4.2, 4, 0.12);
    Glow(p, name, QColor(0, 0, 0, 200), 2);
    p.fillPath(name, QColor(244, 244, 246));
    const QPainterPath model = Lettering("KV580 PRO", QPointF(58, 46), 10, 1.8, 3, 0.12);
    p.fillPath(model, QColor(170, 174, 184));
    const qreal mw = LetteringWidth("KV580 PRO", 10, 3);
    p.fillRect(QRectF(64 + mw, 50, 92 - mw + 60, 2), kAccent);
    p.fillRect(QRectF(56, h - 6, 180, 1), QColor(255, 255, 255, 16));
}

void ModelBadge(QPainter& p, int w, int h)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath plate;
    plate.moveTo(10, 8);
    plate.lineTo(w - 2, 8);
    plate.lineTo(w - 12, h - 8);
    plate.lineTo(0, h - 8);
    plate.closeSubpath();
    p.fillPath(plate, QColor(22, 23, 27));
    p.setPen(QPen(QColor(54, 57, 66), 1));
    p.drawPath(plate);
    QPainterPath slash;
    slash.moveTo(14, 8);
    slash.lineTo(24, 8);
    slash.lineTo(14, h - 8);
    slash.lineTo(4, h - 8);
    slash.closeSubpath();
    Glow(p, slash, kAccentBright, 3);
    p.fillPath(slash, kAccentBright);
    const QPainterPath text = Lettering("KV580 PRO", QPointF(36, 20), 16, 2.8, 4, 0.14);
    p.fillPath(text, QColor(236, 236, 240));
}

void Splash(QPainter& p, int w, int h)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 0, w, h, QColor(12, 12, 14));
    QRadialGradient glow(QPointF(360, 190), 330);
    glow.setColorAt(0, QColor(90, 26, 28));
    glow.setColorAt(0.45, QColor(40, 18, 20));
    glow.setColorAt(1, QColor(12, 12, 14));
    p.fillRect(0, 0, w, h, glow);
    // Speed lines.
    for (int i = 0; i < 9; ++i) {
        QLinearGradient l(0, 0, w, 0);
        l.setColorAt(0, WithAlpha(kAccentBright, 0));
        l.setColorAt(0.6, WithAlpha(kAccentBright, 30 + 10 * (i % 3)));
        l.setColorAt(1, WithAlpha(kAccentBright, 0));
        p.fillRect(QRectF(0, 60 + i * 26 + (i % 2) * 7, w, 1), l);
    }
    // The mouse, from above, turned towards the viewer.
    p.save();
    p.translate(372, 196);
    p.rotate(-24);
    p.scale(0.62, 0.62);
    p.translate(-518, -292);
    DrawMouseTop(p);
    for (int b = 1; b <= 7; ++b)
        if (b == 3)
            DrawTopOverlay(p, b, true);
    p.restore();
    // Name plate.
    QLinearGradient plate(0, 300, 0, h);
    plate.setColorAt(0, QColor(12, 12, 14, 0));
    plate.setColorAt(0.35, QColor(12, 12, 14, 230));
    plate.setColorAt(1, QColor(10, 10, 12));
    p.fillRect(QRectF(0, 300, w, h - 300), plate);
    BrandMark(p, QRectF(34, 326, 54, 54), true);
    const QPainterPath name = Lettering("LUMENO", QPointF(100, 332), 40, 6.5, 7, 0.12);
    Glow(p, name, QColor(0, 0, 0, 255), 3);
    p.fillPath(name, QColor(246, 246, 248));
    const QPainterPath model = Lettering("KV580 PRO", QPointF(102, 386), 14, 2.4, 5, 0.12);
    p.fillPath(model, QColor(200, 60, 56));
    const qreal mw = LetteringWidth("KV580 PRO", 14, 5);
    QLinearGradient rule(110 + mw, 0, w - 30, 0);
    rule.setColorAt(0, kAccentBright);
    rule.setColorAt(1, WithAlpha(kAccent, 0));
    p.fillRect(QRectF(118 + mw, 392, w - 148 - mw, 2), rule);
    p.setPen(QPen(QColor(60, 63, 72), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.fillRect(0, 0, w, 2, kAccentBright);
}

void TitleButton(QPainter& p, int w, int h, const QString& kind, bool over)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, w, h);
    if (over) {
        Glow(p, RoundedRect(r.adjusted(2, 2, -2, -2), 3), WithAlpha(kAccentBright, 200), 1, 1);
        FillPanel(p, r, kind == "close" ? QColor(190, 44, 40) : kAccent, QColor(220, 80, 72), 3);
    }
    const QColor c = over ? QColor(255, 255, 255) : QColor(150, 154, 164);
    if (kind == "close")
        GlyphClose(p, r, c, 1.6);
    else if (kind == "min")
        GlyphMinus(p, r, c, 1.6);
    else
        GlyphHelp(p, r, c, 1.5);
}

void Dropdown(QPainter& p, int w, int h, bool over)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, w, h);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, over ? QColor(50, 53, 62) : QColor(40, 42, 48));
    g.setColorAt(1, over ? QColor(40, 42, 49) : QColor(30, 32, 37));
    p.setPen(QPen(over ? kAccentBright : QColor(66, 70, 81), 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    const QRectF button(w - h - 2, 1, h + 1, h - 2);
    p.fillRect(QRectF(button.left(), 2, 1, h - 4), QColor(0, 0, 0, 120));
    if (over)
        p.fillRect(QRectF(button.left() + 1, 1, button.width(), h - 2), WithAlpha(kAccent, 200));
    GlyphChevron(p, button.adjusted(1, 0, 0, 0), over ? Qt::white : QColor(160, 164, 174), 1.4, 0);
}

// ---- Sections and panes ---------------------------------------------------

void ButtonAssignmentPanel(QPainter& p, int w, int h)
{
    p.fillRect(0, 0, w, h, kSection);
    p.fillRect(0, h - 1, w, 1, QColor(0, 0, 0, 90));
    for (int k = 0; k < 7; ++k) {
        const int y = 27 + 20 * k;
        if (k % 2 == 0)
            p.fillRect(QRectF(4, y - 2, w - 8, 20), QColor(255, 255, 255, 5));
        p.fillRect(QRectF(6, y + 3, 2, 10), k == 0 ? kAccentBright : QColor(70, 74, 84));
    }
}

void AxisPanel(QPainter& p, int w, int h)
{
    p.fillRect(0, 0, w, h, kSection);
    p.fillRect(0, h - 1, w, 1, QColor(0, 0, 0, 90));
    for (int y : {25, 85}) {
        p.fillRect(QRectF(6, y - 16, 2, 10), kAccentBright);
        for (int i = 0; i < 10; ++i)
            p.fillRect(QRectF(17 + 2 + 21 * i, y + 10, 1, 2), QColor(110, 114, 124));
    }
}

// Opaque slider tracks: the groove sits on the flat colour of the panel below.
void TrackHorizontal(QPainter& p, int w, int h, QColor under, QRectF groove, bool filled)
{
    p.fillRect(0, 0, w, h, under);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal radius = groove.height() / 2;
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(kWell);
    p.drawRoundedRect(groove, radius, radius);
    if (filled) {
        QLinearGradient g(groove.topLeft(), groove.topRight());
        g.setColorAt(0, kAccentDeep);
        g.setColorAt(1, QColor(228, 62, 54));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(groove.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        p.fillRect(QRectF(groove.left() + 1, groove.top() + 1, groove.width() - 2, 1), QColor(255, 200, 190, 90));
    } else {
        p.setPen(QPen(QColor(70, 74, 84), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(groove.adjusted(-0.5, -0.5, 0.5, 0.5), radius + 0.5, radius + 0.5);
    }
}

void TrackVertical(QPainter& p, int w, int h, bool filled)
{
    p.fillRect(0, 0, w, h, kPanel);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF groove(1, 0.5, w - 2, h - 1);
    p.setPen(QPen(filled ? QColor(0, 0, 0, 160) : QColor(70, 74, 84), 1));
    p.setBrush(kWell);
    p.drawRoundedRect(groove, 2.5, 2.5);
    if (filled) {
        QLinearGradient g(0, h, 0, 0);
        g.setColorAt(0, kAccentDeep);
        g.setColorAt(1, QColor(232, 64, 56));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(groove.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        p.fillRect(QRectF(2, 1, 1, h - 2), QColor(255, 200, 190, 80));
    }
}

void DpiPane(QPainter& p, int w, int h)
{
    PaneBackground(p, w, h);
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < 7; ++k) {
        const int x = 30 * k;
        // Scale marks beside each stage's track.
        for (int i = 0; i <= 10; ++i) {
            const qreal y = 3 + 170.0 * i / 10;
            p.fillRect(QRectF(x + 35, y, i % 5 == 0 ? 4 : 2, 1), QColor(90, 94, 104));
        }
        FillPanel(p, QRectF(x + 24, 214, 12, 12), Qt::transparent, QColor(90, 94, 104), 1.5);
    }
    p.fillRect(QRectF(14, 199, w - 28, 1), QColor(255, 255, 255, 10));
}

void ValuePlate(QPainter& p, int w, int h)
{
    FillPanel(p, QRectF(0, 0, w, h), kWell, QColor(70, 74, 84), 2);
    p.fillRect(QRectF(2, h - 1.5, w - 4, 1), WithAlpha(kAccent, 200));
}

void Toggle(QPainter& p, int w, int h, bool on) { Radio(p, QRectF(0, 0, w, h), on); }

void ReportRateDial(QPainter& p, int, int, int hz)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(64, 61);
    // Quadrants in screen angles (degrees, counter-clockwise from the right).
    struct Q {
        int hz;
        qreal start;
    };
    const Q quads[4] = {{1000, 0}, {125, 90}, {250, 180}, {500, 270}};
    QPainterPath ring;
    ring.addEllipse(c, 62, 62);
    QPainterPath hole;
    hole.addEllipse(c, 37, 37);
    p.fillPath(ring.subtracted(hole), QColor(14, 15, 17, 235));
    p.setPen(QPen(QColor(60, 63, 72), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 62, 62);
    for (const Q& q : quads) {
        QPainterPath seg;
        const QRectF outer(c.x() - 58, c.y() - 58, 116, 116);
        const QRectF inner(c.x() - 41, c.y() - 41, 82, 82);
        seg.arcMoveTo(outer, q.start + 4);
        seg.arcTo(outer, q.start + 4, 82);
        seg.arcTo(inner, q.start + 86, 0);
        seg.arcTo(inner, q.start + 86, -82);
        seg.closeSubpath();
        const bool lit = q.hz == hz;
        if (lit) {
            Glow(p, seg, WithAlpha(kAccentBright, 230), 4);
            QRadialGradient g(c, 60);
            g.setColorAt(0.6, kAccent);
            g.setColorAt(1, QColor(232, 64, 56));
            p.fillPath(seg, g);
        } else {
            p.fillPath(seg, QColor(40, 43, 50));
        }
        // Rate numerals in each quadrant.
        const qreal mid = qDegreesToRadians(q.start + 45);
        const QPointF at = c + QPointF(std::cos(mid), -std::sin(mid)) * 49.5;
        const QString label = QString::number(q.hz);
        const qreal lh = 7;
        const qreal lw = LetteringWidth(label, lh, 1.2);
        p.fillPath(Lettering(label, at - QPointF(lw / 2, lh / 2), lh, 1.3, 1.2),
                   lit ? QColor(255, 255, 255) : QColor(140, 144, 154));
    }
    // Hub with a pointer towards the chosen quadrant.
    QRadialGradient hub(c + QPointF(-6, -8), 34);
    hub.setColorAt(0, QColor(66, 69, 80));
    hub.setColorAt(1, QColor(24, 25, 29));
    p.setPen(QPen(QColor(8, 8, 10), 1.2));
    p.setBrush(hub);
    p.drawEllipse(c, 30, 30);
    qreal angle = 45;
    for (const Q& q : quads)
        if (q.hz == hz)
            angle = q.start + 45;
    const qreal a = qDegreesToRadians(angle);
    const QPointF tip = c + QPointF(std::cos(a), -std::sin(a)) * 26;
    const QPointF side(std::sin(a) * 3.5, std::cos(a) * 3.5);
    QPainterPath needle;
    needle.moveTo(tip);
    needle.lineTo(c + side);
    needle.lineTo(c - side);
    needle.closeSubpath();
    Glow(p, needle, WithAlpha(kAccentBright, 220), 2);
    p.fillPath(needle, QColor(240, 76, 66));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 21, 24));
    p.drawEllipse(c, 6, 6);
    p.setBrush(QColor(200, 204, 212));
    p.drawEllipse(c, 2, 2);
}

void SpeedDial(QPainter& p, int, int, int level)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(71, 71);
    QPainterPath band;
    const QRectF outer(c.x() - 69, c.y() - 69, 138, 138);
    const QRectF inner(c.x() - 45, c.y() - 45, 90, 90);
    band.arcMoveTo(outer, 0);
    band.arcTo(outer, 0, 180);
    band.arcTo(inner, 180, 0);
    band.arcTo(inner, 180, -180);
    band.closeSubpath();
    p.fillPath(band, QColor(14, 15, 17, 235));
    // Ten segments of 18 degrees; segment j (from the right) stands for level 11 - j.
    for (int j = 0; j < 10; ++j) {
        const int segLevel = 11 - j;
        const bool lit = segLevel <= level && level >= 2;
        QPainterPath seg;
        const QRectF o(c.x() - 66, c.y() - 66, 132, 132);
        const QRectF i(c.x() - 48, c.y() - 48, 96, 96);
        const qreal start = 18 * j + 1.5;
        seg.arcMoveTo(o, start);
        seg.arcTo(o, start, 15);
        seg.arcTo(i, start + 15, 0);
        seg.arcTo(i, start + 15, -15);
        seg.closeSubpath();
        if (lit) {
            const qreal f = (9 - j) / 9.0; // 0 at the slow end, 1 at the fast end
            p.fillPath(seg, QColor(int(111 + 125 * f), int(41 + 25 * f), int(41 + 17 * f)));
        } else {
            p.fillPath(seg, QColor(40, 43, 50));
        }
    }
    // Needle.
    const qreal g = level >= 2 ? 18.0 * (11 - level) + 9 : 179;
    const qreal a = qDegreesToRadians(g);
    const QPointF dir(std::cos(a), -std::sin(a));
    const QPointF side(-dir.y() * 3, dir.x() * 3);
    QPainterPath needle;
    needle.moveTo(c + dir * 64);
    needle.lineTo(c + side);
    needle.lineTo(c - side);
    needle.closeSubpath();
    Glow(p, needle, WithAlpha(kAccentBright, 200), 2);
    p.fillPath(needle, QColor(244, 80, 70));
    QRadialGradient hub(c + QPointF(-3, -3), 12);
    hub.setColorAt(0, QColor(80, 84, 96));
    hub.setColorAt(1, QColor(24, 25, 29));
    p.setPen(QPen(QColor(8, 8, 10), 1));
    p.setBrush(hub);
    p.drawEllipse(c, 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 204, 212));
    p.drawEllipse(c, 2.2, 2.2);
}

void ScrollLines(QPainter& p, int, int h)
{
    Well(p, QRectF(0, 0, 37, h), 2);
    FillPanel(p, QRectF(40, 0, 11, 7), QColor(44, 47, 55), QColor(70, 74, 84), 1.5);
    FillPanel(p, QRectF(40, 8, 11, 7), QColor(44, 47, 55), QColor(70, 74, 84), 1.5);
    GlyphChevron(p, QRectF(40, 0, 11, 7), QColor(200, 204, 212), 1.2, 1);
    GlyphChevron(p, QRectF(40, 8, 11, 7), QColor(200, 204, 212), 1.2, 0);
}

void LightingPane(QPainter& p, int w, int h, bool pad)
{
    PaneBackground(p, w, h);
    const int rows[5] = {20, 49, 78, 107, 136};
    for (int i = 0; i < (pad ? 4 : 5); ++i) {
        const int y = rows[i];
        p.fillRect(QRectF(6, y - 6, w - 12, 26), QColor(255, 255, 255, 4));
        p.fillRect(QRectF(6, y + 20, w - 12, 1), QColor(0, 0, 0, 70));
    }
    p.fillRect(QRectF(6, 158, w - 12, 1), QColor(255, 255, 255, 12));
    for (int i = 0; i < 6; ++i)
        FillPanel(p, QRectF(100 + 22 * i - 2, 164, 22, 21), QColor(0, 0, 0, 80), QColor(70, 74, 84), 2);
}

void MultiColour(QPainter& p, int w, int h)
{
    p.setRenderHint(QPainter::Antialiasing);
    QConicalGradient g(QPointF(w / 2.0, h / 2.0), 90);
    const QColor stops[] = {QColor(255, 0, 0), QColor(255, 255, 0), QColor(0, 255, 0), QColor(0, 255, 255),
                            QColor(0, 0, 255), QColor(255, 0, 255), QColor(255, 0, 0)};
    for (int i = 0; i < 7; ++i)
        g.setColorAt(i / 6.0, stops[i]);
    p.fillRect(0, 0, w, h, g);
    QRadialGradient white(QPointF(w / 2.0, h / 2.0), w / 2.0);
    white.setColorAt(0, QColor(255, 255, 255, 200));
    white.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(0, 0, w, h, white);
}

void ScrollBarSkin(QPainter& p, int w, int h)
{
    p.setRenderHint(QPainter::Antialiasing);
    const int cw = w / 9;
    const int ch = h / 3;
    for (int row = 0; row < 3; ++row) {
        const Look look = row == 0 ? Look::Normal : row == 1 ? Look::Hover : Look::Pressed;
        for (int col = 0; col < 9; ++col) {
            const QRectF cell(col * cw, row * ch, cw, ch);
            const bool vertical = col < 4;
            const int part = col % 4;
            p.fillRect(cell, QColor(16, 17, 20));
            if (col == 8)
                continue;    // corner
            if (part == 3) { // track: a hairline groove
                if (vertical)
                    p.fillRect(QRectF(cell.center().x() - 0.5, cell.top(), 1, ch), QColor(40, 43, 50));
                else
                    p.fillRect(QRectF(cell.left(), cell.center().y() - 0.5, cw, 1), QColor(40, 43, 50));
                continue;
            }
            if (part == 2) { // thumb
                const QRectF t = vertical ? cell.adjusted(3, 0.5, -3, -0.5) : cell.adjusted(0.5, 3, -0.5, -3);
                const QColor fill = look == Look::Pressed ? kAccent
                                    : look == Look::Hover ? QColor(92, 96, 108)
                                                          : QColor(62, 65, 75);
                p.setPen(Qt::NoPen);
                p.setBrush(fill);
                p.drawRoundedRect(t, 4, 4);
                continue;
            }
            if (look != Look::Normal)
                FillPanel(p, cell.adjusted(1, 1, -1, -1), look == Look::Pressed ? kAccent : QColor(44, 47, 55),
                          Qt::transparent, 2);
            const int dir = vertical ? (part == 0 ? 1 : 0) : (part == 0 ? 3 : 2);
            GlyphChevron(p, cell, look == Look::Normal ? QColor(130, 134, 144) : Qt::white, 1.5, dir);
        }
    }
}

void Icon(QPainter& p, int w, int)
{
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = w;
    const QRectF r(0, 0, s, s);
    const qreal radius = s * 0.22;
    QLinearGradient g(0, 0, 0, s);
    g.setColorAt(0, QColor(44, 46, 54));
    g.setColorAt(1, QColor(14, 15, 17));
    p.setPen(s >= 32 ? QPen(QColor(70, 30, 30), std::max(1.0, s / 48)) : Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(s * 0.02, s * 0.02, -s * 0.02, -s * 0.02), radius, radius);
    BrandMark(p, r.adjusted(s * 0.12, s * 0.14, -s * 0.12, -s * 0.1), s >= 32);
}

// ---- Dialogs ----------------------------------------------------------------

void ProfilePane(QPainter& p, int w, int h)
{
    DialogBackground(p, w, h, 31);
    p.fillRect(QRectF(0, 31, w, 544), QColor(20, 21, 24));
    p.fillRect(QRectF(0, 575, w, h - 575), QColor(26, 28, 32));
    p.fillRect(QRectF(0, 575, w, 1), kAccent);
    BrandMark(p, QRectF(8, 6, 18, 18), false);
}

void ProfileButton(QPainter& p, int w, int h, bool isNew, bool over)
{
    ButtonFace(p, QRectF(0, 0, w, h), over ? Look::Hover : Look::Normal, 2);
    const QRectF icon(4, 0, h, h);
    if (isNew)
        GlyphPlus(p, icon, over ? Qt::white : kSignal, 1.8);
    else
        GlyphClose(p, icon, over ? Qt::white : QColor(230, 80, 70), 1.8);
}

void KeyCaptureDialog(QPainter& p, int w, int h)
{
    DialogBackground(p, w, h, 30);
    BrandMark(p, QRectF(10, 6, 18, 18), false);
    p.setRenderHint(QPainter::Antialiasing);
    // A keycap, lit from below, on the right.
    const QRectF cap(252, 70, 112, 104);
    Glow(p, RoundedRect(cap.adjusted(6, 20, -6, 6), 14), WithAlpha(kAccentBright, 200), 10);
    FillPanel(p, cap, QColor(26, 27, 31), QColor(10, 10, 12), 14);
    const QRectF top = cap.adjusted(12, 8, -12, -22);
    QLinearGradient g(top.topLeft(), top.bottomLeft());
    g.setColorAt(0, QColor(76, 80, 92));
    g.setColorAt(1, QColor(46, 48, 56));
    p.setPen(QPen(QColor(100, 104, 116), 1));
    p.setBrush(g);
    p.drawRoundedRect(top, 10, 10);
    p.fillRect(QRectF(top.center().x() - 10, top.bottom() - 10, 20, 2), kAccentBright);
    // Frame for the key name box.
    FillPanel(p, QRectF(70, 125, 84, 22), QColor(0, 0, 0, 0), kAccent, 3);
    p.fillRect(QRectF(20, 236, w - 40, 1), QColor(255, 255, 255, 12));
}

void MacroPickerDialog(QPainter& p, int w, int h)
{
    DialogBackground(p, w, h, 30);
    BrandMark(p, QRectF(10, 6, 18, 18), false);
    Well(p, QRectF(36, 122, 121, 28), 3);
    for (int y : {70, 120, 170})
        FillPanel(p, QRectF(212, y - 2, w - 220, 36), QColor(255, 255, 255, 6), QColor(44, 47, 55), 3);
    p.fillRect(QRectF(20, 236, w - 40, 1), QColor(255, 255, 255, 12));
}

void MacroManagerDialog(QPainter& p, int w, int h)
{
    DialogBackground(p, w, h, 50);
    BrandMark(p, QRectF(14, 12, 26, 26), true);
    p.setRenderHint(QPainter::Antialiasing);
    // Close tile: the program draws the close button at (445,22).
    FillPanel(p, QRectF(427, 17, 51, 24), QColor(255, 255, 255, 6), QColor(54, 57, 66), 4);
    GlyphClose(p, QRectF(445, 22, 15, 15), QColor(150, 154, 164), 1.6);
    // Column title strips.
    for (int x : {16, 148, 279}) {
        QLinearGradient g(0, 60, 0, 78);
        g.setColorAt(0, QColor(50, 53, 62));
        g.setColorAt(1, QColor(36, 39, 46));
        p.fillRect(QRectF(x, 60, 118, 18), g);
        p.fillRect(QRectF(x, 77, 118, 1), kAccent);
        p.fillRect(QRectF(x, 60, 2, 18), kAccentBright);
    }
    // List wells and the options panel.
    Well(p, QRectF(18, 80, 115, 276), 2);
    Well(p, QRectF(150, 80, 115, 276), 2);
    FillPanel(p, QRectF(279, 80, 118, 276), QColor(26, 28, 32), QColor(48, 51, 60), 3);
    FillPanel(p, QRectF(285, 122, 106, 44), QColor(255, 255, 255, 5), QColor(44, 47, 55), 3);
    FillPanel(p, QRectF(285, 306, 106, 44), QColor(255, 255, 255, 5), QColor(44, 47, 55), 3);
    Well(p, QRectF(296, 331, 85, 16), 2);
    p.fillRect(QRectF(16, 360, w - 32, 1), QColor(255, 255, 255, 10));
    // Quiet emblem and rule in the free column on the right.
    p.fillRect(QRectF(406, 80, 1, 276), QColor(255, 255, 255, 12));
    p.save();
    p.setOpacity(0.12);
    BrandMark(p, QRectF(416, 180, 68, 68), false);
    p.restore();
}

void RecordButton(QPainter& p, int w, int h, bool over)
{
    ButtonFace(p, QRectF(0, 0, w, h), over ? Look::Hover : Look::Normal, 3);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF dot(w - 11, h / 2.0);
    if (over) {
        QPainterPath d;
        d.addEllipse(dot, 4.5, 4.5);
        Glow(p, d, kAccentBright, 2);
    }
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(over ? QColor(255, 70, 60) : QColor(190, 44, 40));
    p.drawEllipse(dot, 4, 4);
}

using Registry = std::map<QString, Painter>;

Registry Build()
{
    Registry r;
    r["main.png"] = MainWindow;
    r["splash.png"] = Splash;
    r["logo.png"] = Logo;
    r["mlogo.png"] = ModelBadge;
    r["bk_mainleft.png"] = LeftColumn;
    r["bk_mainmid.png"] = MainMid;
    r["bk_mainright.png"] = RightColumn;
    r["itembk.png"] = Header;
    r["itembk-lod.png"] = Header;
    r["enable.png"] = [](QPainter& p, int w, int h) { Toggle(p, w, h, true); };
    r["disable.png"] = [](QPainter& p, int w, int h) { Toggle(p, w, h, false); };
    r["mouseattribute/scrollspeed/enable.png"] = r["enable.png"];
    r["mouseattribute/scrollspeed/disable.png"] = r["disable.png"];
    r["macro-key-radio-on.png"] = r["enable.png"];
    r["macro-key-radio-off.png"] = r["disable.png"];
    r["macromanagement/check-on.png"] = [](QPainter& p, int w, int h) { TickBox(p, QRectF(0, 0, w, h), true); };
    r["macromanagement/check-off.png"] = [](QPainter& p, int w, int h) { TickBox(p, QRectF(0, 0, w, h), false); };
    r["button-save-leave.png"] = [](QPainter& p, int w, int h) { ButtonFace(p, QRectF(0, 0, w, h), Look::Disabled); };
    r["scrollbar.png"] = ScrollBarSkin;
    r["multicolor.png"] = MultiColour;
    r["buttonassignment/bk_buttonassignment.png"] = ButtonAssignmentPanel;
    r["buttonassignment/dropdownbox-normal.png"] = [](QPainter& p, int w, int h) { Dropdown(p, w, h, false); };
    r["buttonassignment/dropdownbox-over.png"] = [](QPainter& p, int w, int h) { Dropdown(p, w, h, true); };
    r["macro-key-dropdown-normal.png"] = r["buttonassignment/dropdownbox-normal.png"];
    r["macro-key-dropdown-over.png"] = r["buttonassignment/dropdownbox-over.png"];
    r["xysensitivity/bk_xysenssetting.png"] = AxisPanel;
    r["xysensitivity/1.png"] = [](QPainter& p, int w, int h) {
        TrackHorizontal(p, w, h, kSection, QRectF(0.5, 2, w - 1, 5), false);
    };
    r["xysensitivity/2.png"] = [](QPainter& p, int w, int h) {
        TrackHorizontal(p, w, h, kSection, QRectF(0.5, 2, w - 1, 5), true);
    };
    // The lighting tracks show in an 8 px high control: the groove sits in rows 1..6.
    r["stageslider/1.png"] = [](QPainter& p, int w, int h) {
        TrackHorizontal(p, w, h, kPanel, QRectF(1.5, 1.5, w - 3, 5), false);
    };
    r["stageslider/10.png"] = [](QPainter& p, int w, int h) {
        TrackHorizontal(p, w, h, kPanel, QRectF(1.5, 1.5, w - 3, 5), true);
    };
    r["dpisetting/dpistage/0.png"] = [](QPainter& p, int w, int h) { TrackVertical(p, w, h, false); };
    r["dpisetting/dpistage/82.png"] = [](QPainter& p, int w, int h) { TrackVertical(p, w, h, true); };
    r["dpisetting/bk_dpisetting.png"] = DpiPane;
    r["dpisetting/bk-dpivalue.png"] = ValuePlate;
    r["usbreportrate/bk_usbreportrate.png"] = [](QPainter& p, int w, int h) { PaneBackground(p, w, h); };
    r["mouseattribute/bk_mouseattribute.png"] = [](QPainter& p, int w, int h) { PaneBackground(p, w, h); };
    r["mouseattribute/bk_scrollspeed.png"] = [](QPainter& p, int w, int h) {
        PaneBackground(p, w, h);
        p.fillRect(QRectF(6, 40, w - 12, 1), QColor(255, 255, 255, 10));
    };
    r["mouseattribute/scrollspeed/scrolllines.png"] = ScrollLines;
    r["anglesnap/bk_anglesnap.png"] = [](QPainter& p, int w, int h) { PaneBackground(p, w, h); };
    r["lighting/bk_lighting.png"] = [](QPainter& p, int w, int h) { LightingPane(p, w, h, false); };
    r["lighting/bk_padlighting.png"] = [](QPainter& p, int w, int h) { LightingPane(p, w, h, true); };
    r["mouse/front/mousefront.png"] = [](QPainter& p, int, int) {
        p.translate(-kFrontOrigin.x(), -kFrontOrigin.y());
        DrawMouseTop(p);
    };
    r["mouse/side/mouseside.png"] = [](QPainter& p, int, int) {
        p.translate(-kSideOrigin.x(), -kSideOrigin.y());
        DrawMouseSide(p);
    };
    r["config/config.png"] = ProfilePane;
    r["config/new-config.png"] = [](QPainter& p, int w, int h) { ProfileButton(p, w, h, true, false); };
    r["config/new-config-over.png"] = [](QPainter& p, int w, int h) { ProfileButton(p, w, h, true, true); };
    r["config/del-config.png"] = [](QPainter& p, int w, int h) { ProfileButton(p, w, h, false, false); };
    r["config/del-config-over.png"] = [](QPainter& p, int w, int h) { ProfileButton(p, w, h, false, true); };
    r["single-key.png"] = KeyCaptureDialog;
    r["macro-key.png"] = MacroPickerDialog;
    r["macromanagement/macromanagement.png"] = MacroManagerDialog;
    r["macromanagement/record-normal.png"] = [](QPainter& p, int w, int h) { RecordButton(p, w, h, false); };
    r["macromanagement/record-over.png"] = [](QPainter& p, int w, int h) { RecordButton(p, w, h, true); };
    return r;
}

} // namespace

bool PaintSkinImage(const QString& name, QImage& image)
{
    static const Registry registry = Build();
    const QString key = name.toLower();
    QPainter p(&image);
    const int w = image.width();
    const int h = image.height();
    if (auto it = registry.find(key); it != registry.end()) {
        it->second(p, w, h);
        return true;
    }
    QRegularExpressionMatch m;
    if ((m = QRegularExpression("^button-(help|min|close)-(normal|over)\\.png$").match(key)).hasMatch()) {
        TitleButton(p, w, h, m.captured(1), m.captured(2) == "over");
        return true;
    }
    if ((m = QRegularExpression("^(?:macromanagement/)?button-[a-z]+-(normal|over|leave)\\.png$").match(key))
            .hasMatch()) {
        ButtonFace(p, QRectF(0, 0, w, h), LookOf(m.captured(1)));
        return true;
    }
    if ((m = QRegularExpression("^mouse/front/f-([1-7])-(normal|over)\\.png$").match(key)).hasMatch()) {
        const int b = m.captured(1).toInt();
        p.translate(-kFrontOverlay[b].x(), -kFrontOverlay[b].y());
        DrawTopOverlay(p, b, m.captured(2) == "over");
        return true;
    }
    if ((m = QRegularExpression("^mouse/side/s-([1-7])-(normal|over)\\.png$").match(key)).hasMatch()) {
        const int b = m.captured(1).toInt();
        p.translate(-kSideOverlay[b].x(), -kSideOverlay[b].y());
        DrawSideOverlay(p, b, m.captured(2) == "over");
        return true;
    }
    if ((m = QRegularExpression("^usbreportrate/(\\d+)hz\\.png$").match(key)).hasMatch()) {
        ReportRateDial(p, w, h, m.captured(1).toInt());
        return true;
    }
    if ((m = QRegularExpression("^mouseattribute/speed/(\\d+)\\.png$").match(key)).hasMatch()) {
        SpeedDial(p, w, h, m.captured(1).toInt());
        return true;
    }
    if (key.startsWith("icon/")) {
        Icon(p, w, h);
        return true;
    }
    return false;
}

} // namespace skin
