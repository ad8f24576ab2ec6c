// Decoding, creating and reading pixels of the image object; the button blend.
#include "ImageTestUtil.h"
#include "images/AlphaBlend.h"
#include "images/CImage.h"

#include <gtest/gtest.h>

#include <array>

using ImageTest::Encode;
using ImageTest::PaletteBmp;

namespace {

std::array<std::uint8_t, 4> BGRA(const CImage& image, int x, int y)
{
    std::array<std::uint8_t, 4> p{0, 0, 0, 0};
    EXPECT_TRUE(image.GetPixelBGRA(x, y, p.data())) << x << "," << y;
    return p;
}

using Px = std::array<std::uint8_t, 4>;

} // namespace

TEST(ImageDecode, PngWithAlphaKeepsStraightColours)
{
    // A strip two pixels wide, three high; each pixel differs so that a
    // flipped or mirrored decode shows.
    QImage source(2, 3, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(200, 100, 50, 64));
    source.setPixel(1, 0, qRgba(10, 20, 30, 0));
    source.setPixel(0, 1, qRgba(255, 255, 255, 255));
    source.setPixel(1, 1, qRgba(1, 2, 3, 128));
    source.setPixel(0, 2, qRgba(90, 80, 70, 1));
    source.setPixel(1, 2, qRgba(0, 0, 0, 255));

    CImage image;
    ASSERT_TRUE(image.Load(Encode(source, "png")));
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(image.GetHeight(), 3);
    EXPECT_EQ(image.GetBPP(), 32);
    EXPECT_TRUE(image.HasAlpha());
    // Premultiplying would have turned 200,100,50 at alpha 64 into 50,25,12
    // and the colour at alpha 0 into black.
    EXPECT_EQ(BGRA(image, 0, 0), (Px{50, 100, 200, 64}));
    EXPECT_EQ(BGRA(image, 1, 0), (Px{30, 20, 10, 0}));
    EXPECT_EQ(BGRA(image, 0, 1), (Px{255, 255, 255, 255}));
    EXPECT_EQ(BGRA(image, 1, 1), (Px{3, 2, 1, 128}));
    EXPECT_EQ(BGRA(image, 0, 2), (Px{70, 80, 90, 1}));
    EXPECT_EQ(BGRA(image, 1, 2), (Px{0, 0, 0, 255}));
    // The raw row holds the same bytes, blue first.
    const std::uint8_t* row0 = image.GetRow(0);
    ASSERT_NE(row0, nullptr);
    EXPECT_EQ(row0[0], 50);
    EXPECT_EQ(row0[1], 100);
    EXPECT_EQ(row0[2], 200);
    EXPECT_EQ(row0[3], 64);
    EXPECT_EQ(image.GetPixel(0, 0), RGB(200, 100, 50));
}

TEST(ImageDecode, OpaqueAndPaletteImages)
{
    QImage rgb(5, 2, QImage::Format_RGB888);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            rgb.setPixel(x, y, qRgb(x * 50, y * 200, 7));
    CImage image;
    ASSERT_TRUE(image.Load(Encode(rgb, "png")));
    EXPECT_EQ(image.GetBPP(), 24);
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_TRUE(image.GetColorTable().empty());
    EXPECT_EQ(image.GetPitch() % 4, 0);
    EXPECT_GE(image.GetPitch(), 15);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(BGRA(image, x, y), (Px{7, std::uint8_t(y * 200), std::uint8_t(x * 50), 255}));
    const std::uint8_t* row1 = image.GetRow(1);
    ASSERT_NE(row1, nullptr);
    EXPECT_EQ(row1[3 * 4 + 0], 7); // blue, green, red of pixel (4, 1)
    EXPECT_EQ(row1[3 * 4 + 1], 200);
    EXPECT_EQ(row1[3 * 4 + 2], 200);

    // A palette image keeps its depth and table.
    const std::vector<std::uint32_t> palette{0x000000FF, 0x0000FF00, 0x00FF0000};
    ASSERT_TRUE(image.Load(PaletteBmp(4, palette, {{0, 1, 2, 0}, {2, 2, 1, 1}})));
    EXPECT_EQ(image.GetBPP(), 8);
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(image.GetColorTable(),
              (std::vector<COLORREF>{RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0)}));
    EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(image.GetPixel(0, 1), RGB(255, 0, 0));
    // Pixels of a palette image are indices; a colour cannot be set.
    EXPECT_FALSE(image.SetPixel(0, 0, RGB(1, 2, 3)));
}

TEST(ImageDecode, BadInputFailsAndLeavesAnEmptyImage)
{
    CImage image;
    ASSERT_TRUE(image.Create(4, 4, 24));
    EXPECT_FALSE(image.Load(QByteArray()));
    EXPECT_TRUE(image.IsNull());

    ASSERT_TRUE(image.Create(4, 4, 24));
    EXPECT_FALSE(image.Load(QByteArray("this is not any image format at all")));
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(image.GetBPP(), 0);
    EXPECT_FALSE(image.HasAlpha());
    // An empty image refuses every pixel operation.
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(image.SetPixel(0, 0, 0));
    EXPECT_EQ(image.GetPixel(0, 0), CLR_NONE);
    EXPECT_FALSE(image.CopyBGRA(0, 0, 1, 1, bytes));
    EXPECT_EQ(image.GetRow(0), nullptr);

    // A PNG cut off in the middle of its pixel data.
    QImage noise(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noise.setPixel(x, y, qRgb((x * 37) & 255, (y * 91) & 255, (x * y) & 255));
    const QByteArray png = Encode(noise, "png");
    ASSERT_GT(png.size(), 200);
    EXPECT_FALSE(image.Load(png.left(png.size() / 2)));
    EXPECT_TRUE(image.IsNull());

    // Pixels that name palette entries past the end of the table.
    EXPECT_FALSE(image.Load(PaletteBmp(4, {0x00FFFFFF, 0x00000000}, {{0, 1, 5, 1}})));
    EXPECT_TRUE(image.IsNull());
    EXPECT_TRUE(image.Load(PaletteBmp(4, {0x00FFFFFF, 0x00000000}, {{0, 1, 1, 1}})));

    // Loading a missing file is a failure, not an exception.
    EXPECT_FALSE(image.LoadFromFile(QStringLiteral("/nonexistent/dir/face.png")));
    EXPECT_TRUE(image.IsNull());
}

TEST(ImageCreate, SizesDepthsAndLimits)
{
    CImage image;
    ASSERT_TRUE(image.Create(803, 600, 24));
    EXPECT_EQ(image.GetWidth(), 803);
    EXPECT_EQ(image.GetHeight(), 600);
    EXPECT_EQ(image.GetBPP(), 24);
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(image.GetPitch(), 2412); // 803 * 3 = 2409, padded to a multiple of 4
    EXPECT_EQ(image.GetPixel(802, 599), RGB(0, 0, 0));

    ASSERT_TRUE(image.Create(3, 2, 32));
    EXPECT_EQ(image.GetBPP(), 32);
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(BGRA(image, 2, 1), (Px{0, 0, 0, 255}));

    for (auto [w, h, bpp] : {std::array{0, 10, 24}, std::array{10, 0, 24}, std::array{-1, 5, 24},
                             std::array{5, -3, 24}, std::array{CImage::kMaxDimension + 1, 1, 24},
                             std::array{1, CImage::kMaxDimension + 1, 24},
                             std::array{CImage::kMaxDimension, CImage::kMaxDimension, 24},
                             std::array{4, 4, 16}, std::array{4, 4, 8}}) {
        EXPECT_FALSE(image.Create(w, h, bpp)) << w << "x" << h << "x" << bpp;
        EXPECT_TRUE(image.IsNull());
    }
}

TEST(ImagePixels, SetAndReadBackTopRowFirst)
{
    for (int bpp : {24, 32}) {
        CImage image;
        ASSERT_TRUE(image.Create(7, 3, bpp));
        ASSERT_TRUE(image.SetPixel(0, 0, RGB(255, 0, 0)));
        ASSERT_TRUE(image.SetPixel(6, 2, RGB(1, 2, 3)));
        ASSERT_TRUE(image.SetPixel(3, 1, 0x00ABCDEF));
        EXPECT_EQ(image.GetPixel(0, 0), RGB(255, 0, 0)) << bpp;
        EXPECT_EQ(image.GetPixel(6, 2), RGB(1, 2, 3)) << bpp;
        EXPECT_EQ(image.GetPixel(3, 1), 0x00ABCDEFu) << bpp;
        EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 0, 0)) << bpp;
        // Row 0 is the top row of the picture Qt sees too.
        EXPECT_EQ(image.GetQImage().pixel(0, 0), qRgb(255, 0, 0)) << bpp;
        EXPECT_EQ(image.GetQImage().pixel(6, 2), qRgb(1, 2, 3)) << bpp;
        const int bytes = bpp / 8;
        const std::uint8_t* row2 = image.GetRow(2);
        ASSERT_NE(row2, nullptr);
        EXPECT_EQ(row2[6 * bytes + 0], 3); // blue
        EXPECT_EQ(row2[6 * bytes + 2], 1); // red

        for (auto [x, y] : {std::array{-1, 0}, std::array{0, -1}, std::array{7, 0},
                            std::array{0, 3}}) {
            EXPECT_FALSE(image.SetPixel(x, y, RGB(9, 9, 9)));
            EXPECT_EQ(image.GetPixel(x, y), CLR_NONE);
        }
        EXPECT_EQ(image.GetRow(3), nullptr);
        EXPECT_EQ(image.GetRow(-1), nullptr);
    }

    // An image with straight alpha: setting a colour makes the pixel opaque.
    QImage clear(2, 1, QImage::Format_ARGB32);
    clear.fill(qRgba(0, 0, 0, 0));
    CImage image;
    ASSERT_TRUE(image.Load(Encode(clear, "png")));
    ASSERT_TRUE(image.HasAlpha());
    ASSERT_TRUE(image.SetPixel(1, 0, RGB(10, 20, 30)));
    EXPECT_EQ(BGRA(image, 1, 0), (Px{30, 20, 10, 255}));
    EXPECT_EQ(BGRA(image, 0, 0), (Px{0, 0, 0, 0}));
}

TEST(ImagePixels, CopyBGRAOfOneFrameOfAStrip)
{
    // A strip of three frames of 2 x 2, frame f filled with alpha 80 * f.
    QImage strip(2, 6, QImage::Format_ARGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 2; ++x)
            strip.setPixel(x, y, qRgba(x * 100, y * 40, 5, (y / 2) * 80));
    CImage image;
    ASSERT_TRUE(image.Load(Encode(strip, "png")));
    std::vector<std::uint8_t> frame;
    ASSERT_TRUE(image.CopyBGRA(0, 2, 2, 2, frame));
    ASSERT_EQ(frame.size(), 16u);
    const std::vector<std::uint8_t> expected{5, 80, 0,   80, 5, 80,  100, 80,
                                             5, 120, 0, 80, 5, 120, 100, 80};
    EXPECT_EQ(frame, expected);
    EXPECT_FALSE(image.CopyBGRA(0, 5, 2, 2, frame)); // runs past the bottom
    EXPECT_FALSE(image.CopyBGRA(1, 0, 2, 1, frame)); // runs past the right
    EXPECT_FALSE(image.CopyBGRA(0, 0, 0, 1, frame));

    // Opaque images read as alpha 255, so the same blend draws them opaque.
    QImage opaque(1, 1, QImage::Format_RGB32);
    opaque.fill(qRgb(9, 8, 7));
    ASSERT_TRUE(image.Load(Encode(opaque, "png")));
    ASSERT_TRUE(image.CopyBGRA(0, 0, 1, 1, frame));
    EXPECT_EQ(frame, (std::vector<std::uint8_t>{7, 8, 9, 255}));
}

TEST(AlphaBlend, ChannelArithmetic)
{
    struct Row {
        std::uint8_t image, background, alpha, expected;
    };
    const Row rows[] = {
        {200, 37, 0, 37},     // transparent: background unchanged
        {200, 37, 255, 200},  // opaque: image colour
        {255, 0, 128, 128},   // 255 * 128 / 255
        {0, 255, 128, 127},   // 255 * 127 / 255
        {100, 200, 51, 180},  // (5100 + 40800) / 255 = 180
        {1, 0, 254, 0},       // 254 / 255 truncates to 0
        {255, 255, 1, 255},
    };
    for (const Row& r : rows) {
        // The same values in blue, green and red, and a marker in the
        // destination's fourth byte.
        std::uint8_t dst[4] = {r.background, r.background, r.background, 0x5A};
        const std::uint8_t src[4] = {r.image, r.image, r.image, r.alpha};
        BlendStraightAlpha(dst, src, 1);
        EXPECT_EQ(dst[0], r.expected) << int(r.image) << " over " << int(r.background) << " at "
                                      << int(r.alpha);
        EXPECT_EQ(dst[1], r.expected);
        EXPECT_EQ(dst[2], r.expected);
        EXPECT_EQ(dst[3], 0x5A);
    }
}

TEST(AlphaBlend, ChannelsAndPixelsStaySeparate)
{
    std::uint8_t dst[12] = {10, 20, 30, 1, 40, 50, 60, 2, 70, 80, 90, 3};
    const std::uint8_t src[12] = {255, 0, 128, 255, 255, 0, 128, 0, 0, 255, 51, 128};
    BlendStraightAlpha(dst, src, 2); // the third pixel is outside the count
    const std::uint8_t expected[12] = {255, 0, 128, 1, 40, 50, 60, 2, 70, 80, 90, 3};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(dst[i], expected[i]) << "byte " << i;
}
