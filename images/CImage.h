#pragma once

#include "images/ImageFormat.h"
#include "model/CubeTypes.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

// A raster image as the editor uses it: button faces decoded from PNG (with
// their alpha channel kept straight) and the 24-bit picture a screenshot is
// built in. Every operation reports failure by its result and never throws;
// an empty image fails every operation that needs pixels.
//
// Depths and how they are held:
//   24 bpp: bytes blue, green, red per pixel;
//   32 bpp: bytes blue, green, red and a fourth byte; with the alpha flag that
//           byte is straight (not premultiplied) alpha, without it it is 255;
//    8 bpp and 1 bpp: indices into a colour table of 1 to 256 entries.
// Rows are counted from the top (row 0 is the top of the picture) and each is
// padded to a multiple of four bytes.
class CImage {
public:
    // Larger pictures are refused outright instead of asking for gigabytes.
    static constexpr int kMaxDimension = 16384;
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 26;
    // Whether an image of that size may be created: both sides positive and
    // within the limits above.
    static bool IsSizeAllowed(int width, int height);

    CImage() = default;

    // Decodes an encoded image (PNG in practice, any format the codecs read).
    // An image with an alpha channel becomes 32 bpp with the alpha flag; an
    // opaque truecolour image 24 bpp; a palette image keeps its palette (a
    // palette of 0 or more than 256 entries is refused). Whatever the image
    // held before is dropped, also on failure.
    bool Load(const QByteArray& encoded);
    // Reads a file (a Qt resource path too) and decodes it as above.
    bool LoadFromFile(const QString& path);

    // A new image of that size and depth (24 or 32), all pixels black, no
    // alpha flag.
    bool Create(int width, int height, int bpp);
    void Destroy();

    bool IsNull() const { return m_image.isNull(); }
    int GetWidth() const { return m_image.width(); }
    int GetHeight() const { return m_image.height(); }
    // 0 for an empty image.
    int GetBPP() const;
    bool HasAlpha() const { return m_hasAlpha; }
    // Bytes from one row to the next; 0 for an empty image.
    int GetPitch() const { return IsNull() ? 0 : int(m_image.bytesPerLine()); }
    // The raw bytes of row y (0 = top), or nullptr outside the image.
    const std::uint8_t* GetRow(int y) const;
    std::uint8_t* GetRow(int y);
    // The colour table of a palette image (0x00BBGGRR entries); empty otherwise.
    std::vector<COLORREF> GetColorTable() const;

    // Sets the pixel at column x, row y (0 = top) to an opaque colour. Works on
    // 24 and 32 bpp images; fails outside the image and on palette images.
    bool SetPixel(int x, int y, COLORREF color);
    // The colour at (x, y), CLR_NONE outside the image or on an empty one.
    COLORREF GetPixel(int x, int y) const;
    // The pixel at (x, y) as straight blue, green, red, alpha; alpha is 255 for
    // images without the alpha flag.
    bool GetPixelBGRA(int x, int y, std::uint8_t bgra[4]) const;
    // The rectangle (x, y, width, height) as rows of straight BGRA pixels, top
    // row first, tightly packed. Fails unless the rectangle lies inside.
    bool CopyBGRA(int x, int y, int width, int height, std::vector<std::uint8_t>& out) const;

    // Writes the image to path with the encoder of format. An image with the
    // alpha flag goes to the encoder as 32-bit ARGB, any other as it is. An
    // existing file is replaced, but only once the new one is complete: no
    // encoder for the format, an encoder error or a failed write leaves the
    // old file (or no file) in place.
    bool Save(const QString& path, ImageFormat format) const;

    // The pixels as a QImage (Format_BGR888, _RGB32, _ARGB32, _Indexed8 or
    // _Mono), for drawing with Qt.
    const QImage& GetQImage() const { return m_image; }

private:
    bool Adopt(QImage decoded);

    QImage m_image;
    bool m_hasAlpha = false;
};
