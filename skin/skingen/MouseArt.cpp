#include "MouseArt.h"

#include "Art.h"

#include <QPainterPathStroker>

#include <cmath>

namespace skin {
namespace {

constexpr qreal kCentre = 518; // the body's axis of symmetry in the top view

QPainterPath Mirror(const QPainterPath& left)
{
    QTransform t(-1, 0, 0, 1, 2 * kCentre, 0);
    return t.map(left);
}

// Left half outline of the body from the nose centre round to the tail centre.
QPainterPath TopBody()
{
    QPainterPath half;
    half.moveTo(kCentre, 110);
    half.cubicTo(478, 104, 436, 103, 420, 122);
    half.cubicTo(408, 140, 409, 200, 412, 250);
    half.cubicTo(415, 300, 399, 350, 400, 400);
    half.cubicTo(401, 455, 452, 481, kCentre, 481);
    QPainterPath right = Mirror(half).toReversed();
    QPainterPath body = half;
    body.connectPath(right);
    body.closeSubpath();
    return body;
}

QPainterPath LeftButton()
{
    QPainterPath cut;
    cut.moveTo(380, 90);
    cut.lineTo(483, 90);
    cut.lineTo(483, 244);
    cut.cubicTo(462, 250, 432, 258, 380, 268);
    cut.closeSubpath();
    return TopBody().intersected(cut);
}

QPainterPath RightButton() { return Mirror(LeftButton()); }

QPainterPath Spine() { return TopBody().intersected(RoundedRect(QRectF(487, 92, 62, 236), 16)); }
QRectF WheelRect() { return QRectF(508, 198, 20, 40); }
QRectF DpiRect(int k) { return QRectF(506, 262 + 30 * k, 24, 16); }
// Side buttons straddle the left flank of the top view.
QRectF SideButtonTop(int k)
{
    const qreal top = k == 0 ? 254 : 320;
    const qreal height = k == 0 ? 46 : 46;
    const QPainterPath body = TopBody();
    qreal edge = 420;
    for (qreal x = 395; x < 440; x += 0.5)
        if (body.contains(QPointF(x, top + height / 2))) {
            edge = x;
            break;
        }
    return QRectF(edge - 5, top, 11, height);
}

// Side view, nose to the left.
QPainterPath SideBody()
{
    QPainterPath p;
    p.moveTo(334, 352);
    p.cubicTo(318, 352, 311, 332, 312, 306);
    p.cubicTo(313, 288, 318, 276, 332, 272);
    p.cubicTo(380, 265, 440, 258, 480, 250);
    p.cubicTo(530, 239, 580, 232, 612, 236);
    p.cubicTo(652, 242, 682, 262, 689, 292);
    p.cubicTo(695, 318, 690, 342, 676, 352);
    p.closeSubpath();
    return p;
}
QPointF WheelCentre() { return QPointF(434, 268); }
constexpr qreal kWheelRadius = 17;
QRectF SideButton(int k) { return k == 0 ? QRectF(494, 274, 46, 18) : QRectF(549, 269, 51, 18); }
QRectF DpiNub(int k) { return k == 0 ? QRectF(461, 243, 16, 9) : QRectF(488, 239, 16, 9); }

qreal TopEdgeY(const QPainterPath& path, qreal x)
{
    for (qreal y = 150; y < 400; y += 0.5)
        if (path.contains(QPointF(x, y)))
            return y;
    return 400;
}

QPainterPath Outline(const QPainterPath& shape, qreal width)
{
    QPainterPathStroker s;
    s.setWidth(width);
    s.setJoinStyle(Qt::RoundJoin);
    return s.createStroke(shape);
}

// A callout: a ring at the marker centre, a leader to the button and a dot.
void Callout(QPainter& p, QPointF marker, QPointF target, bool over)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor line = over ? kAccentBright : QColor(120, 124, 134, 170);
    QPointF dir = target - marker;
    const qreal len = std::hypot(dir.x(), dir.y());
    if (len > 0)
        dir /= len;
    const QPointF start = marker + dir * 7.5;
    if (over) {
        QPainterPath glow;
        glow.addEllipse(marker, 8, 8);
        glow.addEllipse(target, 4, 4);
        glow.addPath(Outline(
            [&] {
                QPainterPath l;
                l.moveTo(start);
                l.lineTo(target);
                return l;
            }(),
            2.5));
        Glow(p, glow, WithAlpha(kAccentBright, 230), 3);
    }
    p.setPen(QPen(line, over ? 1.4 : 1.0));
    p.drawLine(start, target);
    p.setPen(QPen(over ? QColor(255, 120, 110) : QColor(150, 154, 164), 1.4));
    p.setBrush(over ? kAccent : QColor(24, 26, 30));
    p.drawEllipse(marker, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(over ? QColor(255, 236, 230) : QColor(150, 154, 164));
    p.drawEllipse(marker, over ? 2.4 : 1.8, over ? 2.4 : 1.8);
    p.setBrush(over ? QColor(255, 200, 190) : QColor(150, 154, 164, 200));
    p.drawEllipse(target, over ? 2.4 : 1.8, over ? 2.4 : 1.8);
    p.restore();
}

// The lit or quiet look of a button shape.
void ButtonOverlay(QPainter& p, const QPainterPath& shape, bool over)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (over) {
        Glow(p, Outline(shape, 3), WithAlpha(kAccentBright, 255), 3);
        const QRectF b = shape.boundingRect();
        QLinearGradient g(b.topLeft(), b.bottomLeft());
        g.setColorAt(0, QColor(220, 50, 46, 150));
        g.setColorAt(1, QColor(143, 32, 32, 110));
        p.fillPath(shape, g);
        p.setPen(QPen(QColor(255, 104, 92), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
    } else {
        p.setPen(QPen(QColor(255, 255, 255, 34), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
    }
    p.restore();
}

} // namespace

void DrawMouseTop(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath body = TopBody();

    // Shadow under the body.
    Glow(p, body.translated(0, 6), QColor(0, 0, 0, 200), 5);

    // Side buttons sit on the left flank and show as small bumps.
    for (int k = 0; k < 2; ++k) {
        QLinearGradient g(SideButtonTop(k).topLeft(), SideButtonTop(k).topRight());
        g.setColorAt(0, QColor(84, 88, 100));
        g.setColorAt(1, QColor(40, 42, 49));
        p.setPen(QPen(QColor(12, 12, 14), 1));
        p.setBrush(g);
        p.drawRoundedRect(SideButtonTop(k), 6, 6);
    }

    QRadialGradient shell(QPointF(505, 300), 230, QPointF(490, 250));
    shell.setColorAt(0, QColor(70, 73, 84));
    shell.setColorAt(0.55, QColor(46, 48, 56));
    shell.setColorAt(1, QColor(24, 25, 29));
    p.fillPath(body, shell);

    // Skirt trim in the accent colour along the rear flanks.
    {
        p.save();
        p.setClipRect(QRectF(380, 300, 280, 190));
        QPen trim(WithAlpha(kAccentBright, 200), 1.4);
        p.setPen(trim);
        p.setBrush(Qt::NoBrush);
        p.drawPath(body);
        p.restore();
    }

    // Main buttons, slightly glossier than the shell.
    for (const QPainterPath& b : {LeftButton(), RightButton()}) {
        QLinearGradient g(QPointF(0, 104), QPointF(0, 262));
        g.setColorAt(0, QColor(78, 81, 93));
        g.setColorAt(1, QColor(50, 52, 60));
        p.fillPath(b, g);
        p.setPen(QPen(QColor(10, 10, 12), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(b);
    }
    // Sheen along the buttons.
    {
        QPainterPath sheen;
        sheen.moveTo(430, 118);
        sheen.cubicTo(422, 150, 420, 190, 424, 230);
        QPainterPathStroker s;
        s.setWidth(10);
        s.setCapStyle(Qt::RoundCap);
        p.fillPath(s.createStroke(sheen), QColor(255, 255, 255, 16));
        p.fillPath(Mirror(s.createStroke(sheen)), QColor(255, 255, 255, 10));
    }

    // Centre spine: recessed channel with a light bar, wheel and DPI buttons.
    const QPainterPath spine = Spine();
    QLinearGradient sg(QPointF(487, 0), QPointF(549, 0));
    sg.setColorAt(0, QColor(14, 15, 17));
    sg.setColorAt(0.5, QColor(26, 27, 31));
    sg.setColorAt(1, QColor(14, 15, 17));
    p.fillPath(spine, sg);
    p.setPen(QPen(QColor(0, 0, 0), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(spine);

    const QPainterPath lightBar = RoundedRect(QRectF(513, 116, 10, 52), 5);
    Glow(p, lightBar, WithAlpha(kAccentBright, 255), 4);
    QLinearGradient lb(QPointF(0, 116), QPointF(0, 168));
    lb.setColorAt(0, QColor(255, 110, 96));
    lb.setColorAt(1, kAccent);
    p.fillPath(lightBar, lb);

    // Wheel: rubber with ridges and a thin lit centre.
    const QPainterPath wheel = RoundedRect(WheelRect(), 9);
    QLinearGradient wg(WheelRect().topLeft(), WheelRect().topRight());
    wg.setColorAt(0, QColor(22, 23, 26));
    wg.setColorAt(0.5, QColor(72, 75, 85));
    wg.setColorAt(1, QColor(22, 23, 26));
    p.fillPath(wheel, wg);
    p.save();
    p.setClipPath(wheel);
    for (qreal y = WheelRect().top() + 2; y < WheelRect().bottom(); y += 3)
        p.fillRect(QRectF(WheelRect().left(), y, WheelRect().width(), 1), QColor(0, 0, 0, 90));
    p.fillRect(QRectF(517, WheelRect().top(), 2, WheelRect().height()), WithAlpha(kAccentBright, 160));
    p.restore();
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.drawPath(wheel);

    for (int k = 0; k < 2; ++k) {
        const QRectF r = DpiRect(k);
        QLinearGradient dg(r.topLeft(), r.bottomLeft());
        dg.setColorAt(0, QColor(82, 86, 98));
        dg.setColorAt(1, QColor(44, 46, 53));
        p.setPen(QPen(QColor(6, 6, 8), 1));
        p.setBrush(dg);
        p.drawRoundedRect(r, 4, 4);
        GlyphChevron(p, r, QColor(170, 174, 184), 1.3, k == 0 ? 1 : 0);
    }

    // Soft highlight on the crown of the palm rest.
    {
        p.save();
        p.setClipPath(body);
        QRadialGradient crown(QPointF(500, 372), 90);
        crown.setColorAt(0, QColor(255, 255, 255, 22));
        crown.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(QRectF(400, 280, 240, 200), crown);
        p.restore();
    }
    // Palm emblem, lit.
    BrandMark(p, QRectF(500, 384, 36, 36), true);
    // Rear seam of the palm rest.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    QPainterPath seam;
    seam.moveTo(424, 452);
    seam.cubicTo(470, 466, 566, 466, 612, 452);
    p.drawPath(seam);
    // Rim highlight on the left of the shell.
    p.save();
    p.setClipRect(QRectF(395, 100, 123, 380));
    p.setPen(QPen(QColor(255, 255, 255, 28), 1.2));
    p.drawPath(body.translated(1.2, 0));
    p.restore();
    p.setPen(QPen(QColor(6, 6, 8), 1.2));
    p.drawPath(body);
    p.restore();
}

void DrawMouseSide(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath body = SideBody();
    Glow(p, RoundedRect(QRectF(320, 346, 360, 12), 6), QColor(0, 0, 0, 220), 5);

    // Wheel disc behind the shell; only its top shows.
    QRadialGradient wg(WheelCentre(), kWheelRadius);
    wg.setColorAt(0, QColor(70, 73, 84));
    wg.setColorAt(0.75, QColor(92, 96, 108));
    wg.setColorAt(1, QColor(40, 42, 48));
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(wg);
    p.drawEllipse(WheelCentre(), kWheelRadius, kWheelRadius);
    p.save();
    QPainterPath disc;
    disc.addEllipse(WheelCentre(), kWheelRadius, kWheelRadius);
    p.setClipPath(disc);
    p.setPen(QPen(QColor(0, 0, 0, 150), 1.2));
    for (int a = 0; a < 360; a += 12) {
        const qreal r = qDegreesToRadians(qreal(a));
        p.drawLine(WheelCentre() + QPointF(std::cos(r), std::sin(r)) * (kWheelRadius - 4),
                   WheelCentre() + QPointF(std::cos(r), std::sin(r)) * kWheelRadius);
    }
    p.restore();
    for (int k = 0; k < 2; ++k) {
        QLinearGradient ng(DpiNub(k).topLeft(), DpiNub(k).bottomLeft());
        ng.setColorAt(0, QColor(90, 94, 106));
        ng.setColorAt(1, QColor(40, 42, 48));
        p.setPen(QPen(QColor(0, 0, 0), 1));
        p.setBrush(ng);
        p.drawRoundedRect(DpiNub(k), 3, 3);
    }

    QLinearGradient shell(QPointF(0, 232), QPointF(0, 352));
    shell.setColorAt(0, QColor(74, 77, 88));
    shell.setColorAt(0.35, QColor(48, 50, 58));
    shell.setColorAt(1, QColor(22, 23, 27));
    p.fillPath(body, shell);

    // Grip panel on the flank.
    p.save();
    p.setClipPath(body);
    const QPainterPath grip = RoundedRect(QRectF(350, 298, 300, 36), 14);
    p.fillPath(grip, QColor(16, 17, 20, 160));
    p.setClipPath(grip, Qt::IntersectClip);
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    for (int x = 330; x < 680; x += 4)
        p.drawLine(QPointF(x, 298), QPointF(x - 14, 334));
    p.restore();

    // Button seam, skirt and the lit strip along it.
    p.save();
    p.setClipPath(body);
    QPainterPath seam;
    seam.moveTo(312, 292);
    seam.cubicTo(380, 286, 440, 283, 470, 281);
    seam.cubicTo(480, 280, 486, 266, 486, 246);
    p.setPen(QPen(QColor(6, 6, 8), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(seam);
    p.fillRect(QRectF(300, 340, 400, 14), QColor(12, 12, 14));
    const QPainterPath strip = RoundedRect(QRectF(330, 338.5, 340, 2.2), 1.1);
    p.restore();
    Glow(p, strip, WithAlpha(kAccentBright, 255), 3);
    p.fillPath(strip, QColor(240, 80, 70));

    // Top edge highlight.
    p.save();
    p.setClipRect(QRectF(300, 226, 400, 40));
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body.translated(0, 1.2));
    p.restore();

    // Side buttons.
    for (int k = 0; k < 2; ++k) {
        const QRectF r = SideButton(k);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(94, 98, 110));
        g.setColorAt(1, QColor(44, 46, 53));
        p.setPen(QPen(QColor(6, 6, 8), 1.2));
        p.setBrush(g);
        p.drawRoundedRect(r, 8, 8);
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.drawLine(QPointF(r.left() + 7, r.top() + 2), QPointF(r.right() - 7, r.top() + 2));
    }
    // Skates.
    p.fillRect(QRectF(338, 352, 90, 2.5), QColor(150, 154, 164, 120));
    p.fillRect(QRectF(580, 352, 80, 2.5), QColor(150, 154, 164, 120));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(6, 6, 8), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    // Small emblem near the tail.
    BrandMark(p, QRectF(630, 300, 18, 18), true);
    p.restore();
}

void DrawTopOverlay(QPainter& p, int button, bool over)
{
    switch (button) {
    case 1:
        ButtonOverlay(p, LeftButton(), over);
        Callout(p, QPointF(362, 150), QPointF(444, 150), over);
        break;
    case 2:
        ButtonOverlay(p, RightButton(), over);
        Callout(p, QPointF(2 * kCentre - 362, 150), QPointF(2 * kCentre - 444, 150), over);
        break;
    case 3:
        ButtonOverlay(p, RoundedRect(WheelRect(), 9), over);
        break;
    case 4:
    case 5: {
        const QRectF r = SideButtonTop(button - 4);
        ButtonOverlay(p, RoundedRect(r, 6), over);
        Callout(p, QPointF(362, r.center().y()), QPointF(r.left() + 4, r.center().y()), over);
        break;
    }
    case 6:
    case 7:
        ButtonOverlay(p, RoundedRect(DpiRect(button - 6), 4), over);
        break;
    default:
        break;
    }
}

void DrawSideOverlay(QPainter& p, int button, bool over)
{
    const QPainterPath body = SideBody();
    auto marker = [&](int b) { return QPointF(kSideOverlay[b]) + QPointF(8, 8); };
    switch (button) {
    case 1:
    case 2: {
        const QPointF m = marker(button);
        Callout(p, m, QPointF(m.x(), TopEdgeY(body, m.x()) + 2), over);
        break;
    }
    case 3: {
        QPainterPath disc;
        disc.addEllipse(WheelCentre(), kWheelRadius, kWheelRadius);
        ButtonOverlay(p, disc.subtracted(body), over);
        break;
    }
    case 4:
    case 5:
        ButtonOverlay(p, RoundedRect(SideButton(button - 4), 8), over);
        break;
    case 6:
    case 7: {
        const QRectF nub = DpiNub(button - 6);
        const QPointF m = marker(button);
        ButtonOverlay(p, RoundedRect(nub, 3).subtracted(body), over);
        Callout(p, m, QPointF(m.x(), nub.top() + 1), over);
        break;
    }
    default:
        break;
    }
}

} // namespace skin
