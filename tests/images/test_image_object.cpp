// Decoding into the image object, and the straight-alpha blend of the buttons.
#include "images/AlphaBlend.h"
#include "images/CImage.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <array>

namespace {

using Px = std::array<std::uint8_t, 4>;

// Encodes with Qt's own writer, independent of the code under test.
QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

Px Bgra(QRgb c, int alpha)
{
    return {std::uint8_t(qBlue(c)), std::uint8_t(qGreen(c)), std::uint8_t(qRed(c)),
            std::uint8_t(alpha)};
}

} // namespace

TEST(ImageDecode, PngKeepsStraightAlphaOrBecomes24Bit)
{
    // Every pixel differs, so a flipped or mirrored decode shows; at the low
    // alphas premultiplying would change the colour or lose it.
    const QRgb pixels[6] = {qRgba(200, 100, 50, 64), qRgba(10, 20, 30, 0),
                            qRgba(255, 255, 255, 255), qRgba(1, 2, 3, 128),
                            qRgba(90, 80, 70, 1), qRgba(0, 0, 0, 255)};
    QImage withAlpha(2, 3, QImage::Format_ARGB32);
    QImage opaque(2, 3, QImage::Format_RGB888);
    for (int i = 0; i < 6; ++i) {
        withAlpha.setPixel(i % 2, i / 2, pixels[i]);
        opaque.setPixel(i % 2, i / 2, pixels[i]);
    }
    CImage a;
    CImage o;
    ASSERT_TRUE(a.Load(Encode(withAlpha, "png")));
    ASSERT_TRUE(o.Load(Encode(opaque, "png")));
    EXPECT_EQ(a.GetBPP(), 32);
    EXPECT_TRUE(a.HasAlpha());
    EXPECT_EQ(o.GetBPP(), 24);
    EXPECT_FALSE(o.HasAlpha());
    EXPECT_EQ(o.GetPitch() % 4, 0);
    for (int i = 0; i < 6; ++i) {
        Px p{};
        ASSERT_TRUE(a.GetPixelBGRA(i % 2, i / 2, p.data()));
        EXPECT_EQ(p, Bgra(pixels[i], qAlpha(pixels[i]))) << i;
        ASSERT_TRUE(o.GetPixelBGRA(i % 2, i / 2, p.data()));
        EXPECT_EQ(p, Bgra(pixels[i], 255)) << i;
    }
}

TEST(ImageDecode, BadInputFailsAndLeavesAnEmptyImage)
{
    CImage image;
    ASSERT_TRUE(image.Create(4, 4, 24));
    EXPECT_FALSE(image.Load("this is not any image format at all"));
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(image.GetPixel(0, 0), CLR_NONE);

    // Pixels naming palette entries past the end of the table would make
    // readers look past it.
    QImage palette(4, 1, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    palette.fill(1);
    ASSERT_TRUE(image.Load(Encode(palette, "bmp")));
    EXPECT_EQ(image.GetBPP(), 8);
    EXPECT_EQ(image.GetPixel(3, 0), RGB(0, 0, 0));
    palette.scanLine(0)[2] = 5;
    EXPECT_FALSE(image.Load(Encode(palette, "bmp")));
    EXPECT_TRUE(image.IsNull());
}

TEST(AlphaBlend, StraightAlphaOverABackground)
{
    struct Row { std::uint8_t image, back, alpha, expected; };
    const Row rows[] = {
        {200, 37, 0, 37},    // transparent: the background
        {200, 37, 255, 200}, // opaque: the image
        {0, 255, 128, 127},
        {100, 200, 51, 180}, // (5100 + 40800) / 255
        {1, 0, 254, 0},      // truncates, never rounds up
    };
    for (const Row& r : rows) {
        EXPECT_EQ(BlendAlphaChannel(r.image, r.alpha, r.back), r.expected);
        // Blue carries the row, green and red blend black and white the other
        // way round, the fourth byte is the background's own, and a second
        // pixel lies past the count: a channel or pixel mix-up shows.
        std::array<std::uint8_t, 8> dst = {r.back, 255, 0, 0x5A, 1, 2, 3, 4};
        const std::array<std::uint8_t, 8> src = {r.image, 0, 255, r.alpha, 9, 9, 9, 255};
        BlendStraightAlpha(dst.data(), src.data(), 1);
        const std::uint8_t a = r.alpha;
        const std::array<std::uint8_t, 8> expected = {r.expected, std::uint8_t(255 - a), a, 0x5A,
                                                      1, 2, 3, 4};
        EXPECT_EQ(dst, expected);
    }
}
