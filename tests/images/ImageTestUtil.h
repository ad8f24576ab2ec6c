#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <cstdint>
#include <vector>

namespace ImageTest {

// Encodes with Qt's own writer, independent of the code under test.
inline QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

inline void Put16(QByteArray& b, std::uint16_t v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

inline void Put32(QByteArray& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// An 8-bit palette BMP, width a multiple of 4, rows given top first.
inline QByteArray PaletteBmp(int width, const std::vector<std::uint32_t>& paletteBGRX,
                             const std::vector<std::vector<std::uint8_t>>& rowsTopFirst)
{
    const int height = int(rowsTopFirst.size());
    const std::uint32_t paletteBytes = std::uint32_t(4 * paletteBGRX.size());
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    QByteArray b("BM");
    Put32(b, offset + std::uint32_t(width * height));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, std::uint32_t(width));
    Put32(b, std::uint32_t(height));
    Put16(b, 1);
    Put16(b, 8);
    Put32(b, 0);
    Put32(b, std::uint32_t(width * height));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, std::uint32_t(paletteBGRX.size()));
    Put32(b, 0);
    for (std::uint32_t c : paletteBGRX)
        Put32(b, c);
    for (int y = height - 1; y >= 0; --y) // BMP rows are stored bottom-up
        for (std::uint8_t i : rowsTopFirst[std::size_t(y)])
            b.append(char(i));
    return b;
}

} // namespace ImageTest
