#pragma once

// Drawing kit shared by the artwork generator: the button plate in its five
// states, outlined strokes and fills, arrows and the small isometric cube
// that several images are built from. Everything is vector drawing with
// QPainter, so the images can be redrawn at any time from this source.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

#include <functional>

namespace Art {

// Frame order of a button strip, top to bottom.
enum class ButtonState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3, Focused = 4 };
inline constexpr int kFrameCount = 5;

// Glass: a translucent dark plate, for buttons drawn straight over the scene.
// Window: a bezel around a fully transparent face; the button's colour swatch,
// painted underneath, becomes the face.
enum class Face { Glass, Window };

// Colours a glyph is drawn with in one state. The light colour carries the
// symbol; the dark outline keeps it readable on any scene or swatch colour.
struct Ink {
    ButtonState state = ButtonState::Normal;
    QColor light;
    QColor dark;
    QColor accent;     // bright end of the glyph's accent gradient
    QColor accentDark; // dark end

    // A fixed colour of a glyph adjusted to the state (brighter on hover,
    // darker when pressed).
    QColor Tint(const QColor& color) const;
};

Ink InkFor(ButtonState state);

using GlyphPainter = std::function<void(QPainter&, const Ink&)>;

// Draws a whole strip: five frames of frameWidth x frameHeight stacked
// vertically, each with the plate of the given face and the glyph on top.
QImage DrawStrip(int frameWidth, int frameHeight, Face face, const GlyphPainter& glyph);

// Greys out a rectangle of an image (the disabled look) keeping its alpha.
void GreyOut(QImage& image, const QRect& area);

// Strokes a path twice: a dark pen 2 * outline wider, then the light pen.
void StrokeOutlined(QPainter& p, const QPainterPath& path, qreal width, const QColor& light,
                    const QColor& dark, qreal outline = 1.0);

// Fills a closed path and rings it with a dark line of the given width
// lying outside the fill.
void FillOutlined(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& dark,
                  qreal outline = 1.0);

// Linear gradient from the accent to its dark end across a box.
QBrush AccentBrush(const Ink& ink, QPointF from, QPointF to);
QBrush GradientBrush(const QColor& a, const QColor& b, QPointF from, QPointF to);

// Triangle arrow head with its tip at `tip`, pointing along `direction`.
QPainterPath ArrowHead(QPointF tip, QPointF direction, qreal length, qreal halfWidth);

// An arrow along a curve: the curve stroked with a flat-ended band of the
// given width, joined to an arrow head placed at the curve's end.
QPainterPath CurvedArrow(const QPainterPath& curve, qreal width, qreal headLength,
                         qreal headHalfWidth);

// One cube of an isometric voxel picture. Cell (x, y, z): x to the right and
// towards the viewer, z to the left and towards the viewer, y up.
struct IsoView {
    QPointF origin; // screen position of the grid point (0, 0, 0)
    qreal edge;     // screen length of one horizontal cube edge
    QPointF Project(qreal x, qreal y, qreal z) const;
};

// Draws the three visible faces of cell (x, y, z): top lit, left face in the
// colour itself, right face shaded. Cubes must be drawn back to front
// (ascending x + y + z).
void DrawIsoCube(QPainter& p, const IsoView& view, int x, int y, int z, const QColor& color,
                 qreal edgeWidth);

} // namespace Art
