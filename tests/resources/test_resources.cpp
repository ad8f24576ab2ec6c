// The compiled-in artwork: every button strip, the splash and the icon must
// be there with the sizes and alpha use the buttons and windows rely on.
#include "resources/MiravelResources.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

const std::vector<int> kStrips = {311, 312, 314, 315, 316, 317, 319, 320, 321, 322,
                                  324, 325, 327, 328, 329, 330, 337, 338, 339, 340,
                                  341, 342, 343, 346, 360, 361, 362, 363, 364, 365};
// Buttons that paint a colour swatch under their image.
const std::vector<int> kSwatchStrips = {322, 324, 325, 327, 328, 329, 341, 346, 360, 365};
constexpr int kHelpStrip = 342, kOpaqueStrip = 311, kFrames = 5;

bool IsSwatchStrip(int n) { return std::count(kSwatchStrips.begin(), kSwatchStrips.end(), n) > 0; }

QImage Load(const QString& path)
{
    InitMiravelResources();
    return QImage(path);
}

QImage Strip(int n) { return Load(MiravelButtonStripPath(n)); }

QImage Frame(const QImage& strip, int k)
{
    const int h = strip.height() / kFrames;
    return strip.copy(0, k * h, strip.width(), h).convertToFormat(QImage::Format_ARGB32);
}

// The sum of f over the pixels: with a test, how many pass it.
double Sum(const QImage& image, const std::function<double(QRgb)>& f)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += f(image.pixel(x, y));
    return sum;
}

// How much of the background shows through, in whole pixels: a clear pixel
// counts one, a half-transparent one half.
double SeeThrough(const QImage& image)
{
    return Sum(image, [](QRgb p) { return (255 - qAlpha(p)) / 255.0; });
}

// Pixels that differ visibly (more than a rounding step in some channel).
int DifferingPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            n += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                           std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))}) > 24;
        }
    return n;
}

// Opaque, strongly coloured pixels: the accent-coloured part of a symbol
// (the plates and outlines are near-grey).
bool IsAccent(QRgb p)
{
    const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
    const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
    return qAlpha(p) > 200 && hi - lo > 70;
}

enum class Way { Up, Down, Left, Right };

// Where the widest cross-section of the coloured symbol lies: for an arrow,
// the base of its head, which sits on the side it points to.
int WidestAt(const QImage& frame, Way way)
{
    const bool rows = way == Way::Up || way == Way::Down;
    int best = -1;
    double bestCount = -1;
    for (int i = 0; i < (rows ? frame.height() : frame.width()); ++i) {
        const double count = Sum(rows ? frame.copy(0, i, frame.width(), 1) : frame.copy(i, 0, 1, frame.height()), IsAccent);
        if (count > bestCount)
            best = i, bestCount = count;
    }
    return best;
}

void ExpectIconShape(const QImage& icon, int size)
{
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(size, size));
    ASSERT_TRUE(icon.hasAlphaChannel());
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
    // A cube standing in a clear square: see-through corners, solid middle.
    for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        EXPECT_EQ(qAlpha(argb.pixel(corner)), 0);
    EXPECT_EQ(qAlpha(argb.pixel(size / 2, size / 4)), 255);
    EXPECT_EQ(qAlpha(argb.pixel(size / 4 + 1, size / 2)), 255);
    EXPECT_EQ(qAlpha(argb.pixel(size * 3 / 4 - 1, size * 3 / 4 - 1)), 255);
}

} // namespace

// Every strip: five frames of its button's size that all look different;
// zoom in is opaque, every other strip uses its alpha. Swatch buttons let
// their colour fill the face and cover their corners (so the colour does not
// show outside the rim); the others show the scene at their corners. No two
// buttons share a picture.
TEST(ButtonStrips, EveryStripHasFiveDistinctFramesOfItsSizeAndAlphaUse)
{
    std::vector<std::pair<int, QImage>> faces; // the first frames but the help strip's
    for (const int n : kStrips) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(QFile::exists(MiravelButtonStripPath(n)));
        const QImage strip = Strip(n);
        ASSERT_FALSE(strip.isNull());
        EXPECT_EQ(strip.width(), n == kHelpStrip ? 200 : 30);
        EXPECT_EQ(strip.height(), 150);
        EXPECT_EQ(strip.hasAlphaChannel(), n != kOpaqueStrip);
        if (n != kHelpStrip)
            faces.push_back({n, Frame(strip, 0)});
        for (int k = 0; k < kFrames; ++k) {
            SCOPED_TRACE(k);
            const QImage frame = Frame(strip, k);
            for (int j = k + 1; j < kFrames; ++j)
                EXPECT_GE(DifferingPixels(frame, Frame(strip, j)), 20) << "against frame " << j;
            if (n == kOpaqueStrip)
                continue;
            // Some of the frame lets the background through, some covers it.
            EXPECT_GT(Sum(frame, [](QRgb p) { return qAlpha(p) == 0; }), 0);
            EXPECT_GT(Sum(frame, [](QRgb p) { return qAlpha(p) == 255; }), 100);
            const int right = frame.width() - 1;
            for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, 29), QPoint(right, 29)})
                EXPECT_EQ(qAlpha(frame.pixel(corner)), IsSwatchStrip(n) ? 255 : 0);
            if (IsSwatchStrip(n)) {
                // A fifth of the button or more shows the colour, so it
                // reads; also in the middle of the face, not only round the
                // symbol.
                EXPECT_GE(SeeThrough(frame), 180.0);
                EXPECT_GE(SeeThrough(frame.copy(8, 8, 14, 14)), 14 * 14 / 4);
            }
        }
    }
    for (size_t a = 0; a < faces.size(); ++a)
        for (size_t b = a + 1; b < faces.size(); ++b)
            EXPECT_GE(DifferingPixels(faces[a].second, faces[b].second), 40) << faces[a].first << " and " << faces[b].first;
    EXPECT_FALSE(QFile::exists(MiravelButtonStripPath(313)));
    // The palette button is nearly all colour.
    EXPECT_GE(SeeThrough(Frame(Strip(322), 0)), 400.0);
}

TEST(ButtonStrips, ArrowsPointTheWayTheirButtonsGo)
{
    const std::pair<int, Way> cases[] = {
        {314, Way::Up},   {315, Way::Down},  {316, Way::Left},  {317, Way::Right}, // move
        {361, Way::Up},   {362, Way::Down},  {363, Way::Left},  {364, Way::Right}, // rotate
    };
    for (const auto& [strip, way] : cases) {
        SCOPED_TRACE(strip);
        const QImage frame = Frame(Strip(strip), 0);
        ASSERT_FALSE(frame.isNull());
        const int widest = WidestAt(frame, way);
        if (way == Way::Up || way == Way::Left)
            EXPECT_LT(widest, 14);
        else
            EXPECT_GT(widest, 15);
    }
}

TEST(HelpStrip, CarriesACaptionAcrossItsWidth)
{
    const QImage frame = Frame(Strip(kHelpStrip), 0);
    ASSERT_EQ(frame.width(), 200);
    // Light caption pixels between the globe at the left and the tag at the right.
    int first = frame.width(), last = -1, light = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 40; x < 160; ++x) {
            const QRgb p = frame.pixel(x, y);
            if (qAlpha(p) == 255 && qGray(p) > 200) {
                first = std::min(first, x);
                last = std::max(last, x);
                ++light;
            }
        }
    EXPECT_GT(last - first, 80);
    EXPECT_GT(light, 150);
}

TEST(Splash, IsA393By150PictureWithAnAlphaChannel)
{
    ASSERT_TRUE(QFile::exists(kMiravelSplashPath));
    const QImage splash = Load(kMiravelSplashPath);
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash.size(), QSize(393, 150));
    EXPECT_TRUE(splash.hasAlphaChannel());
    const QImage argb = splash.convertToFormat(QImage::Format_ARGB32);
    // A window picture: fully opaque, and a picture rather than a flat fill.
    EXPECT_EQ(Sum(argb, [](QRgb p) { return qAlpha(p) != 255; }), 0);
    EXPECT_GT(Sum(argb, [](QRgb p) { return qGray(p) > 200; }), 500); // the light title
    EXPECT_GT(Sum(argb, [](QRgb p) { return qGray(p) < 60; }), 10000); // the dark ground
}

TEST(AppIcon, CompiledInAt256PixelsAndBuiltInEveryInstallableSizeAndScalable)
{
    ASSERT_TRUE(QFile::exists(kMiravelIconPath));
    ExpectIconShape(Load(kMiravelIconPath), 256);
    const QString themeDir = QStringLiteral(MIRAVEL_ICON_THEME_DIR);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QString path = QString("%1/%2x%2/apps/miravel.png").arg(themeDir).arg(size);
        ASSERT_TRUE(QFile::exists(path)) << path.toStdString();
        ExpectIconShape(QImage(path), size);
    }

    QFile svg(themeDir + "/scalable/apps/miravel.svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    int paths = 0;
    bool root = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"svg")
            root = xml.attributes().value("viewBox") == u"0 0 256 256";
        if (xml.name() == u"path")
            ++paths;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(root);
    EXPECT_GE(paths, 10);
}
