// Saving through the encoder table: formats, replacement, failures, GIF.
#include "ImageTestUtil.h"
#include "images/CImage.h"
#include "images/ColorQuantizer.h"
#include "images/ImageEncoders.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

using ImageTest::Encode;

namespace {

// A few flat colours with a red band along the top and a blue band down the
// left, so that an upside-down or mirrored file shows.
COLORREF FewColours(int x, int y, int w, int h)
{
    if (y < 4)
        return RGB(255, 0, 0);
    if (x < 4)
        return RGB(0, 0, 255);
    if (x < w / 2)
        return y < h / 2 ? RGB(0, 200, 0) : RGB(30, 60, 90);
    return y < h / 2 ? RGB(250, 250, 250) : RGB(0, 0, 0);
}

// Whether the picture is one flat colour within r pixels of (x, y); lossy
// codecs are only judged there.
bool FlatAround(int x, int y, int r, int w, int h)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const int nx = std::clamp(x + dx, 0, w - 1);
            const int ny = std::clamp(y + dy, 0, h - 1);
            if (FewColours(nx, ny, w, h) != FewColours(x, y, w, h))
                return false;
        }
    return true;
}

CImage MakeFewColourImage(int w, int h)
{
    CImage image;
    EXPECT_TRUE(image.Create(w, h, 24));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixel(x, y, FewColours(x, y, w, h));
    return image;
}

// Far more than 256 colours: red along x, green along y, blue against both.
QRgb Gradient(int x, int y)
{
    return qRgb(x & 255, (y * 4) & 255, (255 - x + y) & 255);
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

struct Decoded {
    QByteArray format;
    QImage image;
};

Decoded ReadBack(const QString& path)
{
    QImageReader reader(path);
    Decoded d;
    d.format = reader.format();
    d.image = reader.read();
    return d;
}

int ChannelError(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QRgb ToQRgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

TEST(ImageEncoders, TableHasEveryFormatButExif)
{
    for (ImageFormat f : {ImageFormat::BMP, ImageFormat::PNG, ImageFormat::GIF, ImageFormat::TIFF,
                          ImageFormat::JPEG, ImageFormat::Icon}) {
        const ImageEncoder* encoder = FindImageEncoder(f);
        ASSERT_NE(encoder, nullptr) << ImageFormatName(f);
        EXPECT_EQ(encoder->format, f);
        EXPECT_TRUE(bool(encoder->encode));
    }
    EXPECT_EQ(FindImageEncoder(ImageFormat::EXIF), nullptr);
    std::set<ImageFormat> seen;
    for (const ImageEncoder& e : InstalledImageEncoders())
        EXPECT_TRUE(seen.insert(e.format).second) << "two encoders for " << ImageFormatName(e.format);
}

TEST(ImageSave, EveryFormatReadsBackAtItsSizeTopRowFirst)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int w = 37; // odd: rows need padding in every format that pads
    const int h = 23;
    const CImage image = MakeFewColourImage(w, h);
    struct Case {
        ImageFormat format;
        const char* expectedReader;
        bool lossless;
    };
    for (const Case& c : {Case{ImageFormat::BMP, "bmp", true}, Case{ImageFormat::PNG, "png", true},
                          Case{ImageFormat::GIF, "gif", true}, Case{ImageFormat::TIFF, "tiff", true},
                          Case{ImageFormat::Icon, "ico", true},
                          Case{ImageFormat::JPEG, "jpeg", false}}) {
        SCOPED_TRACE(ImageFormatName(c.format));
        const QString path = dir.filePath(QStringLiteral("shot.") + ImageFormatName(c.format));
        ASSERT_TRUE(image.Save(path, c.format));
        const Decoded d = ReadBack(path);
        EXPECT_EQ(d.format, QByteArray(c.expectedReader));
        ASSERT_FALSE(d.image.isNull());
        EXPECT_EQ(d.image.size(), QSize(w, h));
        int mismatches = 0;
        int judged = 0;
        long long errorSum = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb want = ToQRgb(FewColours(x, y, w, h));
                const QRgb got = d.image.pixel(x, y);
                if (c.lossless) {
                    if ((got | 0xFF000000u) != want || qAlpha(got) != 255)
                        ++mismatches;
                } else if (FlatAround(x, y, 2, w, h)) {
                    // Away from edges a JPEG stays near the flat colour;
                    // chroma subsampling still bleeds a little across the
                    // bands, a flipped picture would miss by 200 and more.
                    const int error = ChannelError(got, want);
                    if (error > 60)
                        ++mismatches;
                    errorSum += error;
                    ++judged;
                }
            }
        EXPECT_EQ(mismatches, 0);
        if (!c.lossless) {
            ASSERT_GT(judged, w * h / 4) << "too little of the picture was compared";
            EXPECT_LE(double(errorSum) / judged, 8.0);
        }
    }
}

TEST(ImageSave, AlphaImageGoesOutWithItsAlpha)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage source(3, 2, QImage::Format_ARGB32);
    source.fill(qRgba(0, 0, 0, 0));
    source.setPixel(0, 0, qRgba(200, 100, 50, 64));
    source.setPixel(2, 1, qRgba(10, 20, 30, 255));
    CImage image;
    ASSERT_TRUE(image.Load(Encode(source, "png")));
    ASSERT_TRUE(image.HasAlpha());

    const QString png = dir.filePath(QStringLiteral("face.png"));
    ASSERT_TRUE(image.Save(png, ImageFormat::PNG));
    CImage back;
    ASSERT_TRUE(back.LoadFromFile(png));
    EXPECT_TRUE(back.HasAlpha());
    std::uint8_t px[4];
    ASSERT_TRUE(back.GetPixelBGRA(0, 0, px));
    EXPECT_EQ(px[0], 50);
    EXPECT_EQ(px[2], 200);
    EXPECT_EQ(px[3], 64);

    // GIF has only on/off transparency: clear pixels become the transparent
    // colour, opaque ones keep their colour.
    const QString gif = dir.filePath(QStringLiteral("face.gif"));
    ASSERT_TRUE(image.Save(gif, ImageFormat::GIF));
    const QImage g = ReadBack(gif).image;
    ASSERT_EQ(g.size(), QSize(3, 2));
    EXPECT_EQ(qAlpha(g.pixel(1, 0)), 0);
    EXPECT_EQ(g.pixel(2, 1), qRgba(10, 20, 30, 255));
}

TEST(ImageSave, GifKeepsFewColoursExactlyAndManyClosely)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // Exactly 256 distinct colours still fit without loss.
    CImage full;
    ASSERT_TRUE(full.Create(32, 8, 24));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 32; ++x)
            full.SetPixel(x, y, RGB(std::uint8_t(x * 8), std::uint8_t(y * 32), std::uint8_t(x ^ y)));
    const QString fullPath = dir.filePath(QStringLiteral("full.gif"));
    ASSERT_TRUE(full.Save(fullPath, ImageFormat::GIF));
    const QImage fullBack = ReadBack(fullPath).image;
    ASSERT_EQ(fullBack.size(), QSize(32, 8));
    int wrong = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 32; ++x)
            wrong += (fullBack.pixel(x, y) | 0xFF000000u) != ToQRgb(full.GetPixel(x, y));
    EXPECT_EQ(wrong, 0);

    // A gradient of thousands of colours comes back close everywhere.
    const int w = 256;
    const int h = 64;
    CImage gradient;
    ASSERT_TRUE(gradient.Create(w, h, 24));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = Gradient(x, y);
            gradient.SetPixel(x, y, RGB(std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)),
                                        std::uint8_t(qBlue(c))));
        }
    const QString path = dir.filePath(QStringLiteral("gradient.gif"));
    ASSERT_TRUE(gradient.Save(path, ImageFormat::GIF));
    const QImage back = ReadBack(path).image;
    ASSERT_EQ(back.size(), QSize(w, h));
    int worst = 0;
    long long total = 0;
    std::set<QRgb> colours;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int e = ChannelError(back.pixel(x, y), Gradient(x, y));
            worst = std::max(worst, e);
            total += e;
            colours.insert(back.pixel(x, y));
        }
    EXPECT_LE(colours.size(), 256u);
    EXPECT_GT(colours.size(), 200u); // the palette is put to use
    EXPECT_LE(worst, 24);
    EXPECT_LE(double(total) / (w * h), 8.0);
}

TEST(ColorQuantizer, ExactPaletteAndMedianCutLimits)
{
    QImage few(10, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x)
            few.setPixel(x, y, qRgb(x % 5 * 60, y * 100, 0));
    PalettePicture picture;
    ASSERT_TRUE(ReduceToPalette(few, 256, picture));
    EXPECT_EQ(picture.palette.size(), 15u);
    EXPECT_EQ(picture.transparentIndex, -1);
    ASSERT_EQ(picture.indices.size(), 30u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(picture.palette[picture.indices[std::size_t(y * 10 + x)]], few.pixel(x, y));

    QImage ramp(256, 1, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x)
        ramp.setPixel(x, 0, qRgb(x, x, x));
    ASSERT_TRUE(ReduceToPalette(ramp, 16, picture));
    EXPECT_EQ(picture.palette.size(), 16u);
    int worst = 0;
    for (int x = 0; x < 256; ++x)
        worst = std::max(worst, ChannelError(picture.palette[picture.indices[std::size_t(x)]],
                                             ramp.pixel(x, 0)));
    EXPECT_LE(worst, 12); // 16 even steps of a 256 ramp are 16 wide

    // Transparency takes one entry of the limit.
    QImage clear(4, 1, QImage::Format_ARGB32);
    clear.setPixel(0, 0, qRgba(0, 0, 0, 0));
    clear.setPixel(1, 0, qRgba(255, 0, 0, 255));
    clear.setPixel(2, 0, qRgba(0, 255, 0, 200));
    clear.setPixel(3, 0, qRgba(0, 0, 255, 100));
    ASSERT_TRUE(ReduceToPalette(clear, 3, picture));
    ASSERT_GE(picture.transparentIndex, 0);
    EXPECT_LE(picture.palette.size(), 3u);
    EXPECT_EQ(picture.indices[0], picture.transparentIndex);
    EXPECT_EQ(picture.indices[3], picture.transparentIndex);
    EXPECT_NE(picture.indices[1], picture.transparentIndex);
    EXPECT_NE(picture.indices[2], picture.transparentIndex);

    EXPECT_FALSE(ReduceToPalette(QImage(), 256, picture));
    EXPECT_FALSE(ReduceToPalette(few, 1, picture));
    EXPECT_FALSE(ReduceToPalette(few, 257, picture));
}

TEST(ImageSave, ExifHasNoEncoderAndTouchesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CImage image = MakeFewColourImage(8, 8);
    const QString fresh = dir.filePath(QStringLiteral("shot.exif"));
    EXPECT_FALSE(image.Save(fresh, ImageFormat::EXIF));
    EXPECT_FALSE(QFile::exists(fresh));

    const QString existing = dir.filePath(QStringLiteral("old.exif"));
    const QByteArray before("earlier contents");
    ASSERT_TRUE(WriteFile(existing, before));
    EXPECT_FALSE(image.Save(existing, ImageFormat::EXIF));
    EXPECT_EQ(ReadAll(existing), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.exif")});
}

TEST(ImageSave, ReplacesAnExistingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("shot.png"));
    ASSERT_TRUE(WriteFile(path, QByteArray(5000, 'x')));
    const CImage image = MakeFewColourImage(12, 9);
    ASSERT_TRUE(image.Save(path, ImageFormat::PNG));
    const Decoded d = ReadBack(path);
    EXPECT_EQ(d.format, QByteArray("png"));
    EXPECT_EQ(d.image.size(), QSize(12, 9));
    // Saving again over our own file works as well.
    const CImage other = MakeFewColourImage(5, 4);
    ASSERT_TRUE(other.Save(path, ImageFormat::BMP));
    EXPECT_EQ(ReadBack(path).image.size(), QSize(5, 4));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("shot.png")});
}

TEST(ImageSave, FailuresReportAndKeepTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CImage image = MakeFewColourImage(8, 8);

    EXPECT_FALSE(image.Save(dir.filePath(QStringLiteral("missing/sub/shot.png")), ImageFormat::PNG));
    EXPECT_FALSE(image.Save(dir.path(), ImageFormat::PNG)); // a directory, not a file
    EXPECT_FALSE(image.Save(QString(), ImageFormat::PNG));
    EXPECT_FALSE(CImage().Save(dir.filePath(QStringLiteral("empty.png")), ImageFormat::PNG));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("empty.png"))));

    // An encoder that refuses its input leaves the existing file whole: an
    // icon cannot hold more than 256 pixels a side.
    const QString icon = dir.filePath(QStringLiteral("big.ico"));
    const QByteArray before("an older icon");
    ASSERT_TRUE(WriteFile(icon, before));
    const CImage big = MakeFewColourImage(kMaxIconSide + 1, 10);
    EXPECT_FALSE(big.Save(icon, ImageFormat::Icon));
    EXPECT_EQ(ReadAll(icon), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("big.ico")});
    const CImage largest = MakeFewColourImage(kMaxIconSide, kMaxIconSide);
    ASSERT_TRUE(largest.Save(icon, ImageFormat::Icon));
    EXPECT_EQ(ReadBack(icon).image.size(), QSize(kMaxIconSide, kMaxIconSide));
}
