#include "ArtKit.h"

#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace Art {

namespace {

constexpr QColor kOuterEdge(0, 0, 0, 200);
constexpr QColor kFocusRing(255, 184, 48);

struct PlateColours {
    QColor top, bottom;           // plate or bezel gradient
    QColor bevelTop, bevelBottom; // the 1-pixel rim inside the outer edge
    int gloss;                    // alpha of the white sheen on the upper half
};

PlateColours PlateFor(Face face, ButtonState state)
{
    const bool glass = face == Face::Glass;
    switch (state) {
    case ButtonState::Hover:
        return glass ? PlateColours{{82, 100, 124, 228}, {32, 42, 56, 236},
                                    {200, 240, 255, 255}, {90, 160, 205, 220}, 34}
                     : PlateColours{{196, 228, 248}, {84, 126, 158},
                                    {236, 250, 255}, {120, 170, 205}, 0};
    case ButtonState::Pressed:
        // Light from below: the plate looks sunk in.
        return glass ? PlateColours{{14, 18, 24, 240}, {44, 54, 68, 228},
                                    {10, 12, 16, 230}, {120, 136, 152, 190}, 0}
                     : PlateColours{{40, 46, 56}, {112, 124, 140},
                                    {20, 24, 30}, {150, 162, 176}, 0};
    default:
        return glass ? PlateColours{{62, 74, 90, 218}, {22, 28, 36, 232},
                                    {168, 188, 208, 210}, {64, 74, 88, 140}, 20}
                     : PlateColours{{132, 146, 162}, {54, 62, 74},
                                    {196, 208, 220}, {70, 80, 92}, 0};
    }
}

QPainterPath RoundedRect(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void DrawGlassPlate(QPainter& p, const QRectF& frame, ButtonState state)
{
    const PlateColours c = PlateFor(Face::Glass, state);
    const qreal radius = std::min<qreal>(6.0, frame.height() / 5.0);
    const QRectF outer = frame.adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF inner = frame.adjusted(1.5, 1.5, -1.5, -1.5);

    p.setPen(Qt::NoPen);
    p.setBrush(GradientBrush(c.top, c.bottom, frame.topLeft(), frame.bottomLeft()));
    p.drawPath(RoundedRect(outer, radius));

    if (c.gloss > 0) {
        QRectF sheen = inner.adjusted(0.5, 0.5, -0.5, 0);
        sheen.setHeight(inner.height() * 0.45);
        p.setBrush(QColor(255, 255, 255, c.gloss));
        p.drawPath(RoundedRect(sheen, radius - 1.5));
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOuterEdge, 1.0));
    p.drawPath(RoundedRect(outer, radius));
    p.setPen(QPen(GradientBrush(c.bevelTop, c.bevelBottom, frame.topLeft(), frame.bottomLeft()), 1.0));
    p.drawPath(RoundedRect(inner, radius - 1.0));
}

// The bezel of a swatch button. The corners outside the rounded outline are
// filled opaque, because the swatch covers the whole button rectangle and
// would otherwise show as coloured corners.
void DrawWindowBezel(QPainter& p, const QRectF& frame, ButtonState state)
{
    const PlateColours c = PlateFor(Face::Window, state);
    const qreal radius = 6.0;
    const QRectF outer = frame.adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF window = frame.adjusted(4, 4, -4, -4);

    QPainterPath corners;
    corners.addRect(frame);
    corners = corners.subtracted(RoundedRect(outer, radius));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 10, 13));
    p.drawPath(corners);

    QPainterPath ring = RoundedRect(outer, radius).subtracted(RoundedRect(window, 3.0));
    p.setBrush(GradientBrush(c.top, c.bottom, frame.topLeft(), frame.bottomLeft()));
    p.drawPath(ring);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOuterEdge, 1.0));
    p.drawPath(RoundedRect(outer, radius));
    p.setPen(QPen(GradientBrush(c.bevelTop, c.bevelBottom, frame.topLeft(), frame.bottomLeft()), 1.0));
    p.drawPath(RoundedRect(frame.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.0));
    // A thin dark lip around the window separates the bezel from any swatch.
    p.setPen(QPen(QColor(0, 0, 0, 220), 1.0));
    p.drawPath(RoundedRect(window.adjusted(-0.5, -0.5, 0.5, 0.5), 3.5));

    if (state == ButtonState::Pressed) {
        // Inner shadow along the top and left edges of the window.
        QPainterPath shadow;
        shadow.addRect(QRectF(window.left(), window.top(), window.width(), 2.0));
        shadow.addRect(QRectF(window.left(), window.top(), 2.0, window.height()));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 110));
        p.drawPath(shadow.simplified().intersected(RoundedRect(window, 3.0)));
    }
}

void DrawFocusRing(QPainter& p, const QRectF& frame, Face face)
{
    p.setBrush(Qt::NoBrush);
    if (face == Face::Glass) {
        const qreal radius = std::min<qreal>(6.0, frame.height() / 5.0) - 2.0;
        p.setPen(QPen(kFocusRing, 1.25));
        p.drawPath(RoundedRect(frame.adjusted(2.75, 2.75, -2.75, -2.75), radius));
    } else {
        // On the bezel, so that the window stays clear for the swatch.
        p.setPen(QPen(kFocusRing, 1.6));
        p.drawPath(RoundedRect(frame.adjusted(2.2, 2.2, -2.2, -2.2), 4.5));
    }
}

} // namespace

QColor Ink::Tint(const QColor& color) const
{
    switch (state) {
    case ButtonState::Hover:
        return color.lighter(125);
    case ButtonState::Pressed:
        return color.darker(118);
    default:
        return color;
    }
}

Ink InkFor(ButtonState state)
{
    Ink ink;
    ink.state = state;
    ink.dark = QColor(6, 8, 12, 235);
    switch (state) {
    case ButtonState::Hover:
        ink.light = QColor(255, 255, 255);
        ink.accent = QColor(156, 226, 255);
        ink.accentDark = QColor(48, 150, 240);
        break;
    case ButtonState::Pressed:
        ink.light = QColor(206, 214, 224);
        ink.accent = QColor(70, 168, 232);
        ink.accentDark = QColor(18, 90, 176);
        break;
    default:
        ink.light = QColor(236, 241, 246);
        ink.accent = QColor(104, 200, 255);
        ink.accentDark = QColor(28, 118, 214);
        break;
    }
    return ink;
}

QImage DrawStrip(int frameWidth, int frameHeight, Face face, const GlyphPainter& glyph)
{
    QImage strip(frameWidth, frameHeight * kFrameCount, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    for (int k = 0; k < kFrameCount; ++k) {
        const auto state = ButtonState(k);
        const QRect area(0, k * frameHeight, frameWidth, frameHeight);
        {
            QPainter p(&strip);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.setClipRect(area);
            p.translate(area.topLeft());
            const QRectF frame(0, 0, frameWidth, frameHeight);
            if (face == Face::Glass)
                DrawGlassPlate(p, frame, state);
            else
                DrawWindowBezel(p, frame, state);

            p.save();
            if (state == ButtonState::Pressed)
                p.translate(1, 1);
            glyph(p, InkFor(state));
            p.restore();

            if (state == ButtonState::Focused)
                DrawFocusRing(p, frame, face);
        }
        if (state == ButtonState::Disabled)
            GreyOut(strip, area);
    }
    return strip.convertToFormat(QImage::Format_ARGB32);
}

void GreyOut(QImage& image, const QRect& area)
{
    // Works on premultiplied pixels: scaling all three channels alike keeps
    // them at or below alpha, so the result stays a valid premultiplied pixel.
    Q_ASSERT(image.format() == QImage::Format_ARGB32_Premultiplied);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb px = row[x];
            const int a = qAlpha(px);
            if (a == 0)
                continue;
            const int lum = (qRed(px) * 11 + qGreen(px) * 16 + qBlue(px) * 5) / 32;
            // Flatten the contrast towards a mid grey, in premultiplied terms.
            const int v = std::min(a, (70 * a) / 255 + lum * 45 / 100);
            row[x] = qRgba(v, v, v, a);
        }
    }
}

void StrokeOutlined(QPainter& p, const QPainterPath& path, qreal width, const QColor& light,
                    const QColor& dark, qreal outline)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(dark, width + 2 * outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(light, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void FillOutlined(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& dark,
                  qreal outline)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(dark, 2 * outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

QBrush AccentBrush(const Ink& ink, QPointF from, QPointF to)
{
    return GradientBrush(ink.accent, ink.accentDark, from, to);
}

QBrush GradientBrush(const QColor& a, const QColor& b, QPointF from, QPointF to)
{
    QLinearGradient gradient(from, to);
    gradient.setColorAt(0, a);
    gradient.setColorAt(1, b);
    return QBrush(gradient);
}

QPainterPath ArrowHead(QPointF tip, QPointF direction, qreal length, qreal halfWidth)
{
    const qreal norm = std::hypot(direction.x(), direction.y());
    const QPointF d = direction / norm;
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * length;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + n * halfWidth);
    head.lineTo(base - n * halfWidth);
    head.closeSubpath();
    return head;
}

QPainterPath CurvedArrow(const QPainterPath& curve, qreal width, qreal headLength,
                         qreal headHalfWidth)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath band = stroker.createStroke(curve);

    const QPointF end = curve.pointAtPercent(1.0);
    const qreal angle = curve.angleAtPercent(1.0); // degrees, counter-clockwise, y up
    const QPointF direction(std::cos(qDegreesToRadians(angle)), -std::sin(qDegreesToRadians(angle)));
    // The head starts where the band ends, so the band's flat end hides under it.
    const QPointF tip = end + direction * headLength;
    QPainterPath arrow = band.united(ArrowHead(tip, direction, headLength, headHalfWidth));
    return arrow.simplified();
}

QPointF IsoView::Project(qreal x, qreal y, qreal z) const
{
    constexpr qreal kCos30 = 0.8660254037844386;
    return origin + QPointF((x - z) * edge * kCos30, (x + z) * edge * 0.5 - y * edge);
}

void DrawIsoCube(QPainter& p, const IsoView& view, int x, int y, int z, const QColor& color,
                 qreal edgeWidth)
{
    auto P = [&](int dx, int dy, int dz) { return view.Project(x + dx, y + dy, z + dz); };
    QPolygonF top{P(0, 1, 0), P(1, 1, 0), P(1, 1, 1), P(0, 1, 1)};
    QPolygonF left{P(0, 1, 1), P(1, 1, 1), P(1, 0, 1), P(0, 0, 1)};  // faces +z
    QPolygonF right{P(1, 1, 0), P(1, 1, 1), P(1, 0, 1), P(1, 0, 0)}; // faces +x

    const QPen edge(QColor(0, 0, 0, 150), edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(edgeWidth > 0 ? edge : QPen(Qt::NoPen));
    p.setBrush(color.lighter(135));
    p.drawPolygon(top);
    p.setBrush(color);
    p.drawPolygon(left);
    p.setBrush(color.darker(150));
    p.drawPolygon(right);
}

} // namespace Art
