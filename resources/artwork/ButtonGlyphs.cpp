// The symbols of the on-view buttons. Each is drawn in a 30 x 30 frame (the
// help button in 200 x 30) on top of the plate that ArtKit draws.
//
// Buttons over the bare scene get a glass plate and filled, accent-coloured
// symbols. Buttons that carry a colour swatch get a bezel around a clear
// window and symbols made of light strokes with a dark outline, so the symbol
// reads on whatever colour fills the window (black when the element is hidden).

#include "Artwork.h"
#include "resources/ButtonStrips.h"

#include <QFontMetricsF>
#include <QtMath>

#include <cmath>

namespace Art {

namespace {

constexpr QPointF kCentre(15, 15);

// Accent pairs of the button groups.
const QColor kRotateTop(120, 232, 150), kRotateBottom(24, 150, 70);
const QColor kHistoryTop(255, 204, 84), kHistoryBottom(212, 120, 16);
const QColor kSilverTop(244, 247, 250), kSilverBottom(150, 162, 176);

// Strokes of the swatch buttons: a one-pixel light line between one-pixel
// dark edges. Straight lines lie on pixel centres (.5) so they stay crisp and
// leave the rest of the window clear for the colour.
constexpr qreal kLineWidth = 1.0;
constexpr qreal kLineOutline = 1.0;

void Line(QPainter& p, const Ink& ink, const QPainterPath& path, qreal width = kLineWidth)
{
    StrokeOutlined(p, path, width, ink.light, ink.dark, kLineOutline);
}

// Inner detail lines: a light line with a dark shadow line below and to the
// right of it. Two pixels instead of three, yet readable on light colours
// (by the shadow) and on dark ones (by the light line).
void FineLine(QPainter& p, const Ink& ink, const QPainterPath& path)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink.dark, 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(path.translated(1, 1));
    p.setPen(QPen(ink.light, 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(path);
}

QPainterPath Polyline(std::initializer_list<QPointF> points, bool closed = false)
{
    QPainterPath path;
    auto it = points.begin();
    path.moveTo(*it);
    for (++it; it != points.end(); ++it)
        path.lineTo(*it);
    if (closed)
        path.closeSubpath();
    return path;
}

// Rotates (and optionally mirrors) the painter about the frame centre.
void Orient(QPainter& p, qreal degrees, bool mirrorX = false, bool mirrorY = false)
{
    p.translate(kCentre);
    p.rotate(degrees);
    p.scale(mirrorX ? -1 : 1, mirrorY ? -1 : 1);
    p.translate(-kCentre);
}

// --- camera buttons -------------------------------------------------------

// A straight arrow pointing up, turned to its direction.
GlyphPainter MoveArrow(qreal degrees)
{
    return [degrees](QPainter& p, const Ink& ink) {
        Orient(p, degrees);
        const QPainterPath arrow = Polyline(
            {{15, 4}, {24, 14}, {18.2, 14}, {18.2, 25}, {11.8, 25}, {11.8, 14}, {6, 14}}, true);
        FillOutlined(p, arrow, AccentBrush(ink, {15, 4}, {15, 25}), ink.dark, 1.0);
        // A light edge on the head catches the eye like the plate's sheen.
        p.setPen(QPen(QColor(255, 255, 255, 120), 1.0));
        p.drawLine(QPointF(15, 5.8), QPointF(8.6, 12.9));
    };
}

// A curved arrow sweeping up along the near side of an orbit, the far side
// of the orbit dashed: a turn, where the move buttons have straight arrows.
GlyphPainter RotateArrow(qreal degrees, bool mirrorX, bool mirrorY)
{
    return [=](QPainter& p, const Ink& ink) {
        Orient(p, degrees, mirrorX, mirrorY);
        const qreal cx = 13.5, cy = 16, rx = 6.5, ry = 9;
        auto at = [&](qreal t) {
            const qreal r = qDegreesToRadians(t);
            return QPointF(cx + rx * std::cos(r), cy - ry * std::sin(r));
        };

        QPainterPath far;
        far.moveTo(at(105));
        for (qreal t = 110; t <= 255; t += 5)
            far.lineTo(at(t));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink.dark, 3.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(far);
        p.setPen(QPen(ink.Tint(QColor(180, 196, 210)), 1.2, Qt::DashLine, Qt::RoundCap));
        p.drawPath(far);

        QPainterPath near;
        near.moveTo(at(-100));
        for (qreal t = -95; t <= 32; t += 5)
            near.lineTo(at(t));
        const QPainterPath arrow = CurvedArrow(near, 4.2, 6.5, 5.6);
        FillOutlined(p, arrow,
                     GradientBrush(ink.Tint(kRotateTop), ink.Tint(kRotateBottom), {20, 4}, {12, 26}),
                     ink.dark, 1.0);
    };
}

// A magnifier with a plus or a minus on its lens.
GlyphPainter Magnifier(bool plus)
{
    return [plus](QPainter& p, const Ink& ink) {
        const QPointF lens(12.8, 12.8);
        const qreal r = 7.4;
        QPainterPath handle = Polyline({{18.2, 18.2}, {24, 24}});
        StrokeOutlined(p, handle, 4.6, ink.Tint(QColor(200, 208, 218)), ink.dark, 1.0);

        QPainterPath glass;
        glass.addEllipse(lens, r, r);
        FillOutlined(p, glass, AccentBrush(ink, lens - QPointF(r, r), lens + QPointF(r, r)),
                     ink.dark, 1.0);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink.light, 1.6));
        p.drawEllipse(lens, r - 0.8, r - 0.8);

        QPainterPath sign = Polyline({lens - QPointF(3.6, 0), lens + QPointF(3.6, 0)});
        if (plus)
            sign.addPath(Polyline({lens - QPointF(0, 3.6), lens + QPointF(0, 3.6)}));
        StrokeOutlined(p, sign, 2.2, ink.light, QColor(0, 40, 90, 200), 0.6);
    };
}

// A U-turn arrow: back in the edit history when it points left.
GlyphPainter HistoryArrow(bool forward)
{
    return [forward](QPainter& p, const Ink& ink) {
        Orient(p, 0, forward);
        QPainterPath curve;
        curve.moveTo(17, 24.5);
        curve.lineTo(18, 24.5);
        curve.cubicTo(27, 24.5, 27, 10.5, 18, 10.5);
        curve.lineTo(12.5, 10.5);
        const QPainterPath arrow = CurvedArrow(curve, 4.2, 7.5, 6.2);
        FillOutlined(p, arrow,
                     GradientBrush(ink.Tint(kHistoryTop), ink.Tint(kHistoryBottom), {15, 4}, {15, 26}),
                     ink.dark, 1.0);
    };
}

// --- layer and canvas buttons ---------------------------------------------

// A sheet with a 3 x 3 grid: one layer of the cube grid.
void LayerSheet(QPainter& p, const Ink& ink, const QRectF& r, bool filled)
{
    QPainterPath sheet;
    sheet.addRoundedRect(r, 1.2, 1.2);
    if (filled)
        FillOutlined(p, sheet, AccentBrush(ink, r.topLeft(), r.bottomRight()), ink.dark, 1.0);
    else
        FillOutlined(p, sheet, QColor(16, 22, 30, 200), ink.dark, 1.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(filled ? QColor(255, 255, 255, 170) : ink.light, 1.0));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 1.0, 1.0);
    if (!filled)
        return;
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.9));
    for (int i = 1; i < 3; ++i) {
        const qreal x = r.left() + r.width() * i / 3.0;
        const qreal y = r.top() + r.height() * i / 3.0;
        p.drawLine(QPointF(x, r.top() + 1), QPointF(x, r.bottom() - 1));
        p.drawLine(QPointF(r.left() + 1, y), QPointF(r.right() - 1, y));
    }
}

void CopyLayer(QPainter& p, const Ink& ink)
{
    LayerSheet(p, ink, QRectF(11, 4.5, 13, 13), false);
    LayerSheet(p, ink, QRectF(6, 12, 13, 13), true);
}

void PasteLayer(QPainter& p, const Ink& ink)
{
    QPainterPath board;
    board.addRoundedRect(QRectF(6, 6, 18, 20.5), 2.5, 2.5);
    FillOutlined(p, board,
                 GradientBrush(ink.Tint(QColor(214, 160, 98)), ink.Tint(QColor(150, 96, 44)), {6, 6},
                               {24, 26}),
                 ink.dark, 1.0);
    LayerSheet(p, ink, QRectF(9, 10.5, 12, 12.5), true);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(10.5, 3.5, 9, 5), 1.5, 1.5);
    FillOutlined(p, clip, GradientBrush(ink.Tint(kSilverTop), ink.Tint(kSilverBottom), {15, 3.5}, {15, 8.5}),
                 ink.dark, 1.0);
}

// Three faces of a box with the top one lit, and an arrow going round it:
// the canvas turns to the next axis.
void CanvasSwitch(QPainter& p, const Ink& ink)
{
    const IsoView iso{QPointF(15, 15), 9.0}; // the unit cube projects around the origin
    auto P = [&](qreal x, qreal y, qreal z) { return iso.Project(x, y, z); };
    const QPolygonF top{P(0, 1, 0), P(1, 1, 0), P(1, 1, 1), P(0, 1, 1)};
    const QPolygonF left{P(0, 1, 1), P(1, 1, 1), P(1, 0, 1), P(0, 0, 1)};
    const QPolygonF right{P(1, 1, 0), P(1, 1, 1), P(1, 0, 1), P(1, 0, 0)};

    QPainterPath faces;
    faces.addPolygon(top);
    faces.addPolygon(left);
    faces.addPolygon(right);
    p.setPen(QPen(ink.dark, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(faces);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 26, 34, 210));
    p.drawPolygon(left);
    p.drawPolygon(right);
    p.setBrush(AccentBrush(ink, top.boundingRect().topLeft(), top.boundingRect().bottomRight()));
    p.drawPolygon(top);
    p.setPen(QPen(ink.light, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(left);
    p.drawPolygon(right);

    // The cycle arrow hugs the lower right of the box.
    QPainterPath curve;
    const qreal cx = 15, cy = 15.5, r = 10.2;
    for (qreal t = 200; t <= 330; t += 5) {
        const qreal a = qDegreesToRadians(t);
        const QPointF pt(cx + r * std::cos(a), cy - r * std::sin(a));
        if (t == 200)
            curve.moveTo(pt);
        else
            curve.lineTo(pt);
    }
    const QPainterPath arrow = CurvedArrow(curve, 2.6, 5.0, 4.0);
    FillOutlined(p, arrow, GradientBrush(ink.Tint(kRotateTop), ink.Tint(kRotateBottom), {5, 16}, {25, 27}),
                 ink.dark, 1.0);
}

// The canvas as the lit layer of a stack of layers, with an arrow: one layer
// up, towards the viewer, or down, away from the viewer.
GlyphPainter CanvasMove(bool up)
{
    return [up](QPainter& p, const Ink& ink) {
        const qreal left = 3.5, right = 19, half = 5;
        const qreal mid = (left + right) / 2;
        const qreal centres[3] = {21.5, 15, 8.5}; // bottom to top
        auto layerAt = [&](qreal cy) {
            return Polyline({{left, cy}, {mid, cy - half}, {right, cy}, {mid, cy + half}}, true);
        };
        // The layers above and below are bare outlines, so the lit one shows whole.
        QPainterPath others = layerAt(centres[0]);
        others.addPath(layerAt(centres[2]));
        StrokeOutlined(p, others, 1.1, ink.Tint(QColor(176, 190, 206)), ink.dark, 0.8);

        const QPointF l(left, centres[1]), t(mid, centres[1] - half), r(right, centres[1]),
            b(mid, centres[1] + half);
        FillOutlined(p, layerAt(centres[1]), AccentBrush(ink, t, b), ink.dark, 1.0);
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.9));
        for (int k = 1; k < 3; ++k) {
            const qreal f = k / 3.0;
            p.drawLine(l + (t - l) * f, b + (r - b) * f);
            p.drawLine(l + (b - l) * f, t + (r - t) * f);
        }
        const QPainterPath shaft =
            up ? Polyline({{23.5, 24.5}, {23.5, 12}}) : Polyline({{23.5, 5.5}, {23.5, 18}});
        FillOutlined(p, CurvedArrow(shaft, 3.0, 6.0, 4.2), QBrush(ink.light), ink.dark, 1.0);
    };
}

// --- settings, screenshot, help --------------------------------------------

void Gear(QPainter& p, const Ink& ink)
{
    constexpr int kTeeth = 8;
    const qreal outer = 10.3, root = 7.6, hole = 3.3;
    QPainterPath gear;
    for (int i = 0; i < kTeeth; ++i) {
        const qreal base = 360.0 / kTeeth * i;
        const qreal corners[4][2] = {{base - 17, root}, {base - 9, outer}, {base + 9, outer},
                                     {base + 17, root}};
        for (int k = 0; k < 4; ++k) {
            const qreal a = qDegreesToRadians(corners[k][0]);
            const QPointF pt = kCentre + QPointF(std::cos(a), std::sin(a)) * corners[k][1];
            if (i == 0 && k == 0)
                gear.moveTo(pt);
            else
                gear.lineTo(pt);
        }
    }
    gear.closeSubpath();
    QPainterPath hub;
    hub.addEllipse(kCentre, hole, hole);
    gear = gear.subtracted(hub);
    FillOutlined(p, gear, GradientBrush(ink.Tint(kSilverTop), ink.Tint(kSilverBottom), {15, 5}, {15, 25}),
                 ink.dark, 1.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 100, 112), 1.0));
    p.drawEllipse(kCentre, 5.6, 5.6);
}

void Camera(QPainter& p, const Ink& ink)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(4.5, 9.5, 21, 14.5), 2.5, 2.5);
    body.addRoundedRect(QRectF(10, 6.5, 8, 5), 1.2, 1.2);
    body = body.simplified();
    FillOutlined(p, body, GradientBrush(ink.Tint(kSilverTop), ink.Tint(kSilverBottom), {15, 6}, {15, 24}),
                 ink.dark, 1.0);
    const QPointF lens(15, 16.6);
    QPainterPath ring;
    ring.addEllipse(lens, 5.6, 5.6);
    FillOutlined(p, ring, QColor(30, 36, 44), ink.dark, 0.5);
    QPainterPath glass;
    glass.addEllipse(lens, 3.7, 3.7);
    p.setPen(Qt::NoPen);
    p.setBrush(AccentBrush(ink, lens - QPointF(3, 3), lens + QPointF(3, 3)));
    p.drawPath(glass);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(lens + QPointF(-1.3, -1.3), 1.1, 1.1);
    p.setBrush(ink.Tint(QColor(255, 190, 60)));
    p.drawRoundedRect(QRectF(20.5, 11.3, 3, 2), 0.6, 0.6);
}

void Globe(QPainter& p, const Ink& ink, QPointF c, qreal r)
{
    QPainterPath ball;
    ball.addEllipse(c, r, r);
    FillOutlined(p, ball, AccentBrush(ink, c - QPointF(r, r), c + QPointF(r, r)), ink.dark, 1.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.drawEllipse(c, r * 0.42, r - 0.4);
    p.drawLine(c - QPointF(0, r - 0.4), c + QPointF(0, r - 0.4));
    p.drawLine(c - QPointF(r - 0.4, 0), c + QPointF(r - 0.4, 0));
    p.drawLine(c + QPointF(-r * 0.8, -r * 0.5), c + QPointF(r * 0.8, -r * 0.5));
    p.drawLine(c + QPointF(-r * 0.8, r * 0.5), c + QPointF(r * 0.8, r * 0.5));
}

void HelpButton(QPainter& p, const Ink& ink)
{
    Globe(p, ink, QPointF(17, 15), 8.2);

    // The maker's name, centred in the space between the globe and the tag.
    const QFont font = ArtFont(14, true);
    const QFontMetricsF metrics(font);
    const QString caption = HelpCaption();
    const qreal textWidth = metrics.horizontalAdvance(caption);
    const QPointF origin(100 - textWidth / 2, 15 + (metrics.ascent() - metrics.descent()) / 2);
    QPainterPath text;
    text.addText(origin, font, caption);
    p.setPen(QPen(ink.dark, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.light);
    p.drawPath(text);

    // "HP" on an accent tag at the right end.
    const QRectF tag(166, 8, 24, 14);
    QPainterPath tagPath;
    tagPath.addRoundedRect(tag, 3, 3);
    FillOutlined(p, tagPath, AccentBrush(ink, tag.topLeft(), tag.bottomLeft()), ink.dark, 1.0);
    const QFont tagFont = ArtFont(11, true);
    const QFontMetricsF tagMetrics(tagFont);
    QPainterPath hp;
    hp.addText(QPointF(tag.center().x() - tagMetrics.horizontalAdvance("HP") / 2,
                       tag.center().y() + (tagMetrics.ascent() - tagMetrics.descent()) / 2),
               tagFont, "HP");
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(hp);
}

// --- swatch buttons ---------------------------------------------------------

// The palette button is all window: only a sheen hints at glass.
void PaletteWindow(QPainter& p, const Ink& ink)
{
    QPainterPath sheen;
    sheen.moveTo(6.5, 13);
    sheen.quadTo(6.5, 6.5, 13, 6.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, ink.state == ButtonState::Hover ? 190 : 130), 1.4,
                  Qt::SolidLine, Qt::RoundCap));
    p.drawPath(sheen);
}

// The frame drawn around the grid: a box in wire lines.
void FrameBox(QPainter& p, const Ink& ink)
{
    const QRectF front(6.5, 11.5, 12, 12);
    const QPointF d(5, -5);
    QPainterPath box;
    box.addRect(front);
    box.addPath(Polyline({front.topLeft(), front.topLeft() + d, front.topRight() + d,
                          front.bottomRight() + d, front.bottomRight()}));
    box.addPath(Polyline({front.topRight(), front.topRight() + d}));
    Line(p, ink, box);
}

// The canvas: a grid of 3 x 3 cells.
void CanvasGrid(QPainter& p, const Ink& ink)
{
    const qreal lines[4] = {7.5, 12.5, 17.5, 22.5};
    QPainterPath inner;
    for (int i = 1; i < 3; ++i) {
        inner.addPath(Polyline({{lines[i], lines[0]}, {lines[i], lines[3]}}));
        inner.addPath(Polyline({{lines[0], lines[i]}, {lines[3], lines[i]}}));
    }
    FineLine(p, ink, inner);
    QPainterPath outer;
    outer.addRect(QRectF(QPointF(lines[0], lines[0]), QPointF(lines[3], lines[3])));
    Line(p, ink, outer);
}

// The ground: a floor running off towards the horizon.
void GroundPlane(QPainter& p, const Ink& ink)
{
    const QPointF bl(5.5, 22.5), br(24.5, 22.5), tl(10.5, 11.5), tr(19.5, 11.5);
    QPainterPath inner = Polyline({(bl * 2 + br) / 3, (tl * 2 + tr) / 3});
    inner.addPath(Polyline({(bl + br * 2) / 3, (tl + tr * 2) / 3}));
    inner.addPath(Polyline({{7.5, 17.5}, {22.5, 17.5}}));
    FineLine(p, ink, inner);
    Line(p, ink, Polyline({bl, br, tr, tl}, true));
}

// The sight: a cross-hair.
void CrossHair(QPainter& p, const Ink& ink)
{
    const QPointF c(14.5, 14.5);
    QPainterPath sight;
    sight.addEllipse(c, 6, 6);
    sight.addPath(Polyline({{14.5, 6}, {14.5, 11}}));
    sight.addPath(Polyline({{14.5, 18}, {14.5, 23}}));
    sight.addPath(Polyline({{6, 14.5}, {11, 14.5}}));
    sight.addPath(Polyline({{18, 14.5}, {23, 14.5}}));
    Line(p, ink, sight);
    QPainterPath dot;
    dot.addRect(QRectF(14, 14, 1, 1));
    FillOutlined(p, dot, ink.light, ink.dark, 0.5);
}

// The background: a landscape under a sun.
void Landscape(QPainter& p, const Ink& ink)
{
    QPainterPath land = Polyline({{6.5, 21.5}, {11.5, 13.5}, {15, 18}, {18, 15}, {23.5, 21.5}});
    land.addPath(Polyline({{6.5, 21.5}, {23.5, 21.5}}));
    land.addEllipse(QPointF(19.5, 9.5), 2.5, 2.5);
    Line(p, ink, land);
}

// The cube: faces shaded over the swatch, so the button shows a cube of the
// current colour.
void ShadedCube(QPainter& p, const Ink& ink)
{
    const IsoView iso{QPointF(15, 15.5), 9.6}; // the unit cube projects around the origin
    auto P = [&](qreal x, qreal y, qreal z) { return iso.Project(x, y, z); };
    const QPolygonF top{P(0, 1, 0), P(1, 1, 0), P(1, 1, 1), P(0, 1, 1)};
    const QPolygonF right{P(1, 1, 0), P(1, 1, 1), P(1, 0, 1), P(1, 0, 0)};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, ink.state == ButtonState::Hover ? 130 : 105));
    p.drawPolygon(top);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPolygon(right);
    QPainterPath edges;
    edges.addPolygon(top);
    edges.closeSubpath();
    edges.addPath(Polyline({P(0, 1, 1), P(0, 0, 1), P(1, 0, 1), P(1, 0, 0), P(1, 1, 0)}));
    edges.addPath(Polyline({P(1, 1, 1), P(1, 0, 1)}));
    Line(p, ink, edges);
}

// The coordinate axes: three arrows from one origin.
void Axes(QPainter& p, const Ink& ink)
{
    const QPointF o(11.5, 18.5);
    const QPointF ends[3] = {{24.5, 18.5}, {11.5, 5.5}, {5, 25}};
    QPainterPath lines;
    for (const QPointF& e : ends)
        lines.addPath(Polyline({o, e - (e - o) / std::hypot((e - o).x(), (e - o).y()) * 3.0}));
    Line(p, ink, lines);
    for (const QPointF& e : ends)
        FillOutlined(p, ArrowHead(e, e - o, 5.0, 2.8), ink.light, ink.dark, kLineOutline);
}

// The drawing mode: a pencil over a two-way arrow (canvas and attach modes).
void DrawModeSwitch(QPainter& p, const Ink& ink)
{
    p.save();
    p.translate(14, 12);
    p.rotate(45);
    // Pencil along the x axis, tip at the left.
    QPainterPath body;
    body.addRect(QRectF(-4, -2.5, 12, 5));
    QPainterPath tip = Polyline({{-4, -2.5}, {-9.5, 0}, {-4, 2.5}}, true);
    Line(p, ink, body.united(tip));
    p.setPen(Qt::NoPen);
    p.setBrush(ink.light);
    p.drawPolygon(QPolygonF{QPointF(-7.4, -0.9), QPointF(-9.5, 0), QPointF(-7.4, 0.9)});
    p.restore();

    Line(p, ink, Polyline({{9.5, 22.5}, {20.5, 22.5}}));
    FillOutlined(p, ArrowHead({6, 22.5}, {-1, 0}, 4, 2.5), ink.light, ink.dark, kLineOutline);
    FillOutlined(p, ArrowHead({24, 22.5}, {1, 0}, 4, 2.5), ink.light, ink.dark, kLineOutline);
}

// The light: a bulb whose glass shows the swatch, with rays.
void Bulb(QPainter& p, const Ink& ink)
{
    const QPointF c(15, 12.5);
    QPainterPath bulb;
    bulb.moveTo(12.5, 19.5);
    bulb.cubicTo(12.5, 16.8, 9.0, 16.0, 9.0, 12.5);
    bulb.arcTo(QRectF(c.x() - 6, c.y() - 6, 12, 12), 180, -180);
    bulb.cubicTo(21.0, 16.0, 17.5, 16.8, 17.5, 19.5);
    Line(p, ink, bulb);

    QPainterPath base;
    base.addRoundedRect(QRectF(12, 19.5, 6, 4.5), 1.0, 1.0);
    FillOutlined(p, base, GradientBrush(ink.Tint(kSilverTop), ink.Tint(kSilverBottom), {15, 19.5}, {15, 24}),
                 ink.dark, kLineOutline);
    p.setPen(QPen(QColor(70, 80, 92), 1.0));
    p.drawLine(QPointF(12.5, 21.5), QPointF(17.5, 21.5));

    QPainterPath rays;
    for (qreal deg : {150.0, 112.0, 68.0, 30.0}) {
        const qreal a = qDegreesToRadians(deg);
        const QPointF d(std::cos(a), -std::sin(a));
        rays.addPath(Polyline({c + d * 8.2, c + d * 10.4}));
    }
    Line(p, ink, rays);
}

} // namespace

std::vector<ButtonArt> ButtonCatalogue()
{
    const Face G = Face::Glass, W = Face::Window;
    std::vector<ButtonArt> list = {
        {StripRotateXBack, G, kFrameSize, RotateArrow(0, false, false)},   // rotate up
        {StripRotateXForward, G, kFrameSize, RotateArrow(0, false, true)},    // rotate down
        {StripRotateYBack, G, kFrameSize, RotateArrow(-90, true, false)},  // rotate left
        {StripRotateYForward, G, kFrameSize, RotateArrow(90, false, false)},  // rotate right
        {StripMoveUp, G, kFrameSize, MoveArrow(0)},                   // move up
        {StripMoveDown, G, kFrameSize, MoveArrow(180)},                 // move down
        {StripMoveLeft, G, kFrameSize, MoveArrow(270)},                 // move left
        {StripMoveRight, G, kFrameSize, MoveArrow(90)},                  // move right
        {StripScaleUp, G, kFrameSize, Magnifier(true), true},          // zoom in
        {StripScaleDown, G, kFrameSize, Magnifier(false)},               // zoom out
        {StripCubeBack, G, kFrameSize, HistoryArrow(false)},            // undo
        {StripCubeForward, G, kFrameSize, HistoryArrow(true)},             // redo
        {StripSight, W, kFrameSize, CrossHair},                      // sight
        {StripAxis, W, kFrameSize, Axes},                           // axes
        {StripGround, W, kFrameSize, GroundPlane},                    // ground
        {StripFrame, W, kFrameSize, FrameBox},                       // frame
        {StripBack, W, kFrameSize, Landscape},                      // background
        {StripCanvas, W, kFrameSize, CanvasGrid},                     // canvas
        {StripCopy, G, kFrameSize, CopyLayer},                      // copy layer
        {StripPaste, G, kFrameSize, PasteLayer},                     // paste layer
        {StripCube, W, kFrameSize, ShadedCube},                     // cube mode and colour
        {StripPalette, W, kFrameSize, PaletteWindow},                  // palette colour
        {StripCanvasSwitch, G, kFrameSize, CanvasSwitch},                   // canvas axis
        {StripCanvasUp, G, kFrameSize, CanvasMove(true)},               // canvas up, nearer
        {StripCanvasDown, G, kFrameSize, CanvasMove(false)},              // canvas down, further
        {StripSetting, G, kFrameSize, Gear},                           // settings
        {StripHelp, G, 200, HelpButton},                            // maker's page
        {StripScreenShot, G, kFrameSize, Camera},                         // screenshot
        {StripDrawSwitch, W, kFrameSize, DrawModeSwitch},                 // drawing mode
        {StripLight, W, kFrameSize, Bulb},                           // light
    };
    return list;
}

QString HelpCaption()
{
    return QStringLiteral("オルヴェンデイル");
}

} // namespace Art
