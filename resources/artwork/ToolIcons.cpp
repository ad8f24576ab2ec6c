// The tool bar's pictures: the drawing tools and the hollow toggle, drawn on
// a 24-unit square at twice that size, in the colours of the splash's cubes
// with the icon's dark outline, so that they read on light and dark bars.

#include "Artwork.h"
#include "resources/ToolIcons.h"

#include <cstring>

namespace Art {

namespace {

const QColor kOutline(16, 26, 40);
const QColor kYellow(255, 210, 63), kBlue(47, 128, 237), kCyan(63, 197, 240), kRed(232, 72, 85),
    kGreen(64, 192, 112);

// One cell of a pixel-art figure on the 24-unit square: 3 units a side.
void Cell(QPainter& p, int col, int row, const QColor& color)
{
    const QRectF r(1.5 + col * 3, 1.5 + row * 3, 3, 3);
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(color);
    p.drawRect(r);
}

// Cells of a 7 x 7 figure, row by row: '#' a cell, anything else none.
void Figure(QPainter& p, const char* rows, const QColor& color)
{
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            if (rows[row * 7 + col] == '#')
                Cell(p, col, row, color);
}

void Pen(QPainter& p)
{
    // A pencil leaning right, its tip at the bottom left.
    QPainterPath body;
    body.moveTo(3, 21);
    body.lineTo(5, 14);
    body.lineTo(16, 3);
    body.lineTo(21, 8);
    body.lineTo(10, 19);
    body.closeSubpath();
    FillOutlined(p, body, GradientBrush(kYellow, QColor(212, 150, 20), {5, 5}, {19, 19}), kOutline, 1.0);
    QPainterPath tip;
    tip.moveTo(3, 21);
    tip.lineTo(4.2, 16.6);
    tip.lineTo(7.4, 19.8);
    tip.closeSubpath();
    FillOutlined(p, tip, QBrush(kOutline), kOutline, 0.5);
    QPainterPath cap;
    cap.moveTo(16, 3);
    cap.lineTo(21, 8);
    cap.lineTo(19, 10);
    cap.lineTo(14, 5);
    cap.closeSubpath();
    FillOutlined(p, cap, QBrush(kRed), kOutline, 1.0);
}

void Box(QPainter& p)
{
    const IsoView iso{QPointF(12, 17), 7.5};
    for (int x = 0; x < 2; ++x)
        for (int z = 0; z < 2; ++z)
            for (int y = 0; y < 2; ++y)
                DrawIsoCube(p, iso, x, y, z, kBlue, 0.8);
}

} // namespace

QImage DrawToolIcon(const char* name)
{
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    if (std::strcmp(name, "pen") == 0)
        Pen(p);
    else if (std::strcmp(name, "box") == 0)
        Box(p);
    else if (std::strcmp(name, "line") == 0)
        Figure(p, "     ##"
                  "    ## "
                  "   ##  "
                  "  ##   "
                  " ##    "
                  "##     "
                  "#      ", kGreen);
    else if (std::strcmp(name, "ellipse") == 0)
        Figure(p, "  ###  "
                  " ##### "
                  "#######"
                  "#######"
                  "#######"
                  " ##### "
                  "  ###  ", kCyan);
    else if (std::strcmp(name, "select") == 0)
        // A box of marching ants.
        Figure(p, "## # ##"
                  "#     #"
                  "       "
                  "#     #"
                  "       "
                  "#     #"
                  "## # ##", kRed);
    else if (std::strcmp(name, "hollow") == 0)
        Figure(p, "#######"
                  "#     #"
                  "#     #"
                  "#     #"
                  "#     #"
                  "#     #"
                  "#######", kYellow);
    else
        image = QImage();
    return image;
}

} // namespace Art
