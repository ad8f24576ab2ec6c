// The splash picture and the application icon.

#include "Artwork.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>

namespace Art {

namespace {

struct Voxel {
    int x, y, z;
    QColor color;
};

// A small stepped sculpture of coloured cubes for the splash.
std::vector<Voxel> SplashSculpture()
{
    const QColor yellow(255, 210, 63), red(232, 72, 85), blue(47, 128, 237), green(64, 192, 112),
        cyan(63, 197, 240), magenta(200, 90, 220), white(236, 240, 245);
    std::vector<Voxel> cubes = {
        {0, 0, 0, blue},  {1, 0, 0, blue},   {2, 0, 0, cyan},    {0, 0, 1, blue}, {1, 0, 1, cyan},
        {2, 0, 1, green}, {0, 0, 2, cyan},   {1, 0, 2, green},   {2, 0, 2, yellow},
        {0, 1, 0, red},   {1, 1, 0, magenta}, {0, 1, 1, magenta}, {1, 1, 1, yellow},
        {0, 2, 0, white}, {0, 1, 2, red},    {2, 1, 0, yellow},
    };
    std::sort(cubes.begin(), cubes.end(), [](const Voxel& a, const Voxel& b) {
        return a.x + a.y + a.z < b.x + b.y + b.z;
    });
    return cubes;
}

// Biggest pixel size, at most `start`, at which `text` fits in `width`.
QFont FitFont(const QString& text, int start, qreal width, bool bold)
{
    for (int size = start; size > 8; --size) {
        const QFont font = ArtFont(size, bold);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width)
            return font;
    }
    return ArtFont(8, bold);
}

// The icon: a cube of 2 x 2 x 2 coloured blocks with the block nearest the
// viewer taken out, so it reads as a cube at 16 pixels and as one built of
// blocks when larger. Faces are given in a unit square, back to front.
struct IconFace {
    QPolygonF polygon;
    QColor color;
};

const QColor kIconOutline(16, 26, 40);

std::vector<IconFace> IconFaces()
{
    // Total cube edge 0.47 of the icon; the corner nearest the viewer,
    // (2, 2, 2), projects onto the centre.
    const IsoView iso{QPointF(0.5, 0.5), 0.235};
    const std::vector<Voxel> blocks = {
        {0, 0, 0, QColor(47, 128, 237)},  {1, 0, 0, QColor(47, 128, 237)},
        {0, 0, 1, QColor(232, 72, 85)},   {1, 0, 1, QColor(64, 192, 112)},
        {0, 1, 0, QColor(255, 210, 63)},  {1, 1, 0, QColor(47, 128, 237)},
        {0, 1, 1, QColor(232, 72, 85)},
    };
    std::vector<IconFace> faces;
    for (const Voxel& v : blocks) { // already back to front
        auto P = [&](int dx, int dy, int dz) { return iso.Project(v.x + dx, v.y + dy, v.z + dz); };
        faces.push_back({QPolygonF{P(0, 1, 0), P(1, 1, 0), P(1, 1, 1), P(0, 1, 1)}, v.color.lighter(128)});
        faces.push_back({QPolygonF{P(0, 1, 1), P(1, 1, 1), P(1, 0, 1), P(0, 0, 1)}, v.color});
        faces.push_back({QPolygonF{P(1, 1, 0), P(1, 1, 1), P(1, 0, 1), P(1, 0, 0)}, v.color.darker(145)});
    }
    return faces;
}

// The outline of the whole figure, in the unit square.
QPainterPath IconSilhouette()
{
    QPainterPath all;
    for (const IconFace& f : IconFaces()) {
        QPainterPath face;
        face.addPolygon(f.polygon);
        face.closeSubpath();
        all = all.united(face);
    }
    return all.simplified();
}

QString SvgPathData(const QPainterPath& path, qreal scale)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        d += QString("%1%2,%3 ")
                 .arg(e.isMoveTo() ? "M" : "L")
                 .arg(e.x * scale, 0, 'f', 2)
                 .arg(e.y * scale, 0, 'f', 2);
        const bool lastOfSubpath = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        if (lastOfSubpath)
            d += "Z ";
    }
    return d.trimmed();
}

} // namespace

QString SplashTitle()
{
    return QStringLiteral("MIRA-VEL");
}

QString SplashSubtitle()
{
    return QStringLiteral("Powered by Orvendale");
}

QImage DrawSplash()
{
    constexpr int kWidth = 393, kHeight = 150;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.fillRect(image.rect(), GradientBrush(QColor(10, 20, 34), QColor(22, 58, 94), {0, 0}, {kWidth, kHeight}));
    QRadialGradient glow(QPointF(72, 78), 90);
    glow.setColorAt(0, QColor(70, 150, 220, 110));
    glow.setColorAt(1, QColor(70, 150, 220, 0));
    p.fillRect(image.rect(), glow);

    // A floor grid fading towards the horizon.
    const qreal horizon = 104;
    for (int i = -12; i <= 24; ++i) {
        const qreal x = 72 + i * 34;
        QLinearGradient fade(QPointF(0, horizon), QPointF(0, kHeight));
        fade.setColorAt(0, QColor(150, 200, 255, 0));
        fade.setColorAt(1, QColor(150, 200, 255, 46));
        p.setPen(QPen(QBrush(fade), 1.0));
        p.drawLine(QPointF(72 + i * 6, horizon), QPointF(x, kHeight));
    }
    for (qreal t = 0.15; t < 1.0; t *= 1.7) {
        const qreal y = horizon + (kHeight - horizon) * t;
        p.setPen(QPen(QColor(150, 200, 255, int(10 + 40 * t)), 1.0));
        p.drawLine(QPointF(0, y), QPointF(kWidth, y));
    }

    const IsoView iso{QPointF(72, 75), 20};
    for (const Voxel& v : SplashSculpture())
        DrawIsoCube(p, iso, v.x, v.y, v.z, v.color, 1.2);

    const qreal textLeft = 152, textRight = kWidth - 16;
    const QFont titleFont = FitFont(SplashTitle(), 48, textRight - textLeft, true);
    const QFontMetricsF titleMetrics(titleFont);
    QPainterPath title;
    title.addText(QPointF(textLeft, 78), titleFont, SplashTitle());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(title.translated(2, 2));
    p.setBrush(GradientBrush(QColor(255, 255, 255), QColor(150, 214, 255), {0, 78 - titleMetrics.ascent()}, {0, 78}));
    p.drawPath(title);

    const qreal titleWidth = titleMetrics.horizontalAdvance(SplashTitle());
    QLinearGradient bar(QPointF(textLeft, 0), QPointF(textLeft + titleWidth, 0));
    bar.setColorAt(0, QColor(255, 210, 63));
    bar.setColorAt(0.5, QColor(63, 197, 240));
    bar.setColorAt(1, QColor(63, 197, 240, 0));
    p.fillRect(QRectF(textLeft + 1, 88, titleWidth, 2.5), bar);

    const QFont subFont = ArtFont(14, false);
    p.setFont(subFont);
    p.setPen(QColor(200, 216, 232));
    p.drawText(QPointF(textLeft + 1, 112), SplashSubtitle());

    // A hairline border: the splash window has no frame of its own.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 170, 220, 120), 1.0));
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Shrink a little about the centre so the outline is not clipped.
    const qreal outline = std::max(1.0, size / 36.0);
    const qreal scale = size - outline;
    p.translate(outline / 2, outline / 2);
    p.scale(scale, scale);

    // The figure is first filled whole in the outline colour: antialiased
    // face edges that meet would otherwise leave see-through seams.
    const QPainterPath silhouette = IconSilhouette();
    p.setPen(Qt::NoPen);
    p.setBrush(kIconOutline);
    p.drawPath(silhouette);

    // Block edges only where they can be seen; at 16 pixels they would
    // blur the faces into one.
    const bool edges = size >= 24;
    for (const IconFace& f : IconFaces()) {
        p.setBrush(f.color);
        p.setPen(edges ? QPen(QColor(16, 26, 40, 150), std::max(0.7, size / 90.0) / scale)
                       : QPen(f.color, 0.5 / scale));
        p.drawPolygon(f.polygon);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kIconOutline, outline / scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(silhouette);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString AppIconSvg()
{
    constexpr qreal kSize = 256;
    const qreal outline = kSize / 36.0;
    const qreal scale = kSize - outline;
    QString svg = QString("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                          "viewBox=\"0 0 %1 %1\">\n  <g transform=\"translate(%2 %2)\" "
                          "stroke-linejoin=\"round\">\n")
                      .arg(kSize)
                      .arg(outline / 2, 0, 'f', 2);
    const QString silhouette = SvgPathData(IconSilhouette(), scale);
    svg += QString("    <path d=\"%1\" fill=\"%2\"/>\n").arg(silhouette, kIconOutline.name());
    for (const IconFace& f : IconFaces()) {
        QPainterPath face;
        face.addPolygon(f.polygon);
        face.closeSubpath();
        svg += QString("    <path d=\"%1\" fill=\"%2\" stroke=\"%3\" stroke-opacity=\"0.59\" "
                       "stroke-width=\"%4\"/>\n")
                   .arg(SvgPathData(face, scale), f.color.name(), kIconOutline.name())
                   .arg(kSize / 90.0, 0, 'f', 2);
    }
    svg += QString("    <path d=\"%1\" fill=\"none\" stroke=\"%2\" stroke-width=\"%3\"/>\n")
               .arg(silhouette, kIconOutline.name())
               .arg(outline, 0, 'f', 2);
    svg += "  </g>\n</svg>\n";
    return svg;
}

} // namespace Art
