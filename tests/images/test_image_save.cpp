// Saving through the encoders: every format, replacing files, failures.
#include "images/CImage.h"
#include "images/ImageEncoders.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

using Colour = QRgb (*)(int x, int y, int w, int h);

// Flat colours with a red band along the top and a blue band down the left,
// so that an upside-down or mirrored file shows.
QRgb FewColours(int x, int y, int w, int h)
{
    if (y < 4)
        return qRgb(255, 0, 0);
    if (x < 4)
        return qRgb(0, 0, 255);
    if (x < w / 2)
        return y < h / 2 ? qRgb(0, 200, 0) : qRgb(30, 60, 90);
    return y < h / 2 ? qRgb(250, 250, 250) : qRgb(0, 0, 0);
}
// Exactly 256 distinct colours on 32 x 8, the most a GIF palette holds, and
// close together, so that any reduction would merge some.
QRgb Colours256(int x, int y, int, int) { return qRgb(x * 2, y, 100); }
// Thousands of colours.
QRgb Gradient(int x, int y, int, int) { return qRgb(x & 255, (y * 4) & 255, (255 - x + y) & 255); }

CImage Picture(int w, int h, Colour colour)
{
    CImage image;
    EXPECT_TRUE(image.Create(w, h, 24));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = colour(x, y, w, h);
            image.SetPixel(x, y, RGB(qRed(c), qGreen(c), qBlue(c)));
        }
    return image;
}

int ChannelError(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The largest channel error of the file at path against the colours (at the
// given points only, when there are some), or -1 when it does not read back
// in that format at that size.
int WorstError(const QString& path, const char* readerFormat, int w, int h, Colour colour,
               const QList<QPoint>& only = {})
{
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray(readerFormat)); // asked before reading empties it
    const QImage back = reader.read();
    if (back.size() != QSize(w, h))
        return -1;
    int worst = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (only.isEmpty() || only.contains(QPoint(x, y)))
                worst = std::max(worst, ChannelError(back.pixel(x, y), colour(x, y, w, h)));
    return worst;
}

class ImageSaveTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString File(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QByteArray Contents(const char* name) const
    {
        QFile f(File(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Write(const char* name, const QByteArray& bytes) const
    {
        QFile f(File(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
};

TEST_F(ImageSaveTest, EveryFormatReadsBackAtItsSizeTopRowFirst)
{
    const int w = 37; // odd: rows need padding in every format that pads
    const int h = 23;
    const CImage image = Picture(w, h, FewColours);
    // JPEG is judged inside the flat areas only, one point in each: chroma
    // subsampling bleeds a little, a flipped picture misses by 200 and more.
    const QList<QPoint> flat = {{20, 1}, {1, 15}, {10, 8}, {10, 20}, {30, 8}, {30, 20}};
    const std::tuple<ImageFormat, const char*, const char*, int> cases[] = {
        {ImageFormat::BMP, "bmp", "a.bmp", 0}, {ImageFormat::PNG, "png", "a.png", 0},
        {ImageFormat::GIF, "gif", "a.gif", 0}, {ImageFormat::TIFF, "tiff", "a.tif", 0},
        {ImageFormat::Icon, "ico", "a.ico", 0}, {ImageFormat::JPEG, "jpeg", "a.jpg", 60}};
    for (const auto& [format, reader, name, tolerance] : cases) {
        ASSERT_TRUE(image.Save(File(name), format)) << name;
        const int worst = WorstError(File(name), reader, w, h, FewColours, tolerance ? flat : QList<QPoint>());
        EXPECT_GE(worst, 0) << name;
        EXPECT_LE(worst, tolerance) << name;
    }
}

TEST_F(ImageSaveTest, GifKeepsUpTo256ColoursExactlyAndMoreClosely)
{
    ASSERT_TRUE(Picture(32, 8, Colours256).Save(File("256.gif"), ImageFormat::GIF));
    EXPECT_EQ(WorstError(File("256.gif"), "gif", 32, 8, Colours256), 0);
    ASSERT_TRUE(Picture(256, 64, Gradient).Save(File("many.gif"), ImageFormat::GIF));
    const int worst = WorstError(File("many.gif"), "gif", 256, 64, Gradient);
    EXPECT_GE(worst, 0);
    EXPECT_LE(worst, 24);
}

TEST_F(ImageSaveTest, ReplacesAFileOnlyWithACompleteOne)
{
    const CImage image = Picture(12, 9, FewColours);
    Write("shot.png", QByteArray(5000, 'x'));
    ASSERT_TRUE(image.Save(File("shot.png"), ImageFormat::PNG));
    EXPECT_EQ(WorstError(File("shot.png"), "png", 12, 9, FewColours), 0);

    // Nothing writes EXIF: no file appears and an existing one stays.
    EXPECT_FALSE(image.Save(File("new.exif"), ImageFormat::EXIF));
    Write("old.exif", "earlier contents");
    EXPECT_FALSE(image.Save(File("old.exif"), ImageFormat::EXIF));
    EXPECT_EQ(Contents("old.exif"), "earlier contents");
    // An encoder that refuses its input: an icon holds at most 256 a side,
    // and shrinking the picture to fit would be a wrong result.
    Write("big.ico", "an older icon");
    const CImage big = Picture(kMaxIconSide + 1, 10, FewColours);
    EXPECT_FALSE(big.Save(File("big.ico"), ImageFormat::Icon));
    EXPECT_EQ(Contents("big.ico"), "an older icon");
    // Paths that cannot be written.
    EXPECT_FALSE(image.Save(File("missing/sub/shot.png"), ImageFormat::PNG));
    EXPECT_FALSE(image.Save(dir.path(), ImageFormat::PNG));

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"big.ico", "old.exif", "shot.png"}));
}

} // namespace
