#include "images/CImage.h"

#include "images/ImageEncoders.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QSaveFile>

namespace {

// A palette image is usable only when its table has 1 to 256 entries and
// every pixel names an entry that exists; anything else would make readers of
// the pixels look past the table.
bool PaletteUsable(const QImage& image)
{
    const qsizetype colours = image.colorCount();
    if (colours < 1 || colours > 256)
        return false;
    if (image.format() == QImage::Format_Indexed8) {
        for (int y = 0; y < image.height(); ++y) {
            const uchar* row = image.constScanLine(y);
            for (int x = 0; x < image.width(); ++x)
                if (row[x] >= colours)
                    return false;
        }
        return true;
    }
    if (colours >= 2)
        return true;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelIndex(x, y) != 0)
                return false;
    return true;
}

} // namespace

bool CImage::IsSizeAllowed(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxDimension && height <= kMaxDimension &&
           std::int64_t(width) * std::int64_t(height) <= kMaxPixels;
}

bool CImage::Load(const QByteArray& encoded)
{
    Destroy();
    if (encoded.isEmpty())
        return false;
    QBuffer buffer;
    buffer.setData(encoded);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&buffer);
    // Refuse a huge picture from its header before any pixels are allocated.
    const QSize announced = reader.size();
    if (announced.isValid() && !IsSizeAllowed(announced.width(), announced.height()))
        return false;
    QImage decoded;
    if (!reader.read(&decoded))
        return false;
    return Adopt(std::move(decoded));
}

bool CImage::LoadFromFile(const QString& path)
{
    Destroy();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return Load(file.readAll());
}

bool CImage::Adopt(QImage decoded)
{
    if (decoded.isNull() || !IsSizeAllowed(decoded.width(), decoded.height()))
        return false;
    QImage target;
    bool alpha = false;
    if (decoded.hasAlphaChannel()) {
        // Straight alpha: the colour bytes stay as the file has them, so the
        // button blend can weigh them itself.
        target = decoded.convertToFormat(QImage::Format_ARGB32);
        alpha = true;
    } else {
        switch (decoded.format()) {
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
        case QImage::Format_Indexed8:
            if (!PaletteUsable(decoded))
                return false;
            target = decoded.format() == QImage::Format_MonoLSB
                         ? decoded.convertToFormat(QImage::Format_Mono)
                         : decoded;
            break;
        case QImage::Format_RGB32:
        case QImage::Format_RGB888:
        case QImage::Format_BGR888:
        case QImage::Format_RGBX8888:
        case QImage::Format_RGB16:
        case QImage::Format_RGB555:
        case QImage::Format_RGB444:
        case QImage::Format_RGB666:
        case QImage::Format_Grayscale8:
            // Opaque, at most 8 bits a channel: 24 bits hold it exactly.
            target = decoded.convertToFormat(QImage::Format_BGR888);
            break;
        default:
            // Deeper channels (16-bit PNG and the like) are narrowed to 32 bpp.
            target = decoded.convertToFormat(QImage::Format_RGB32);
            break;
        }
    }
    if (target.isNull())
        return false;
    m_image = std::move(target);
    m_hasAlpha = alpha;
    return true;
}

bool CImage::Create(int width, int height, int bpp)
{
    Destroy();
    if (!IsSizeAllowed(width, height))
        return false;
    QImage::Format format;
    if (bpp == 24)
        format = QImage::Format_BGR888;
    else if (bpp == 32)
        format = QImage::Format_RGB32;
    else
        return false;
    QImage image(width, height, format);
    if (image.isNull()) // out of memory
        return false;
    image.fill(Qt::black);
    m_image = std::move(image);
    return true;
}

void CImage::Destroy()
{
    m_image = QImage();
    m_hasAlpha = false;
}

int CImage::GetBPP() const
{
    switch (m_image.format()) {
    case QImage::Format_Invalid: return 0;
    case QImage::Format_BGR888: return 24;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32: return 32;
    case QImage::Format_Indexed8: return 8;
    case QImage::Format_Mono: return 1;
    default: return m_image.depth();
    }
}

const std::uint8_t* CImage::GetRow(int y) const
{
    if (IsNull() || y < 0 || y >= m_image.height())
        return nullptr;
    return m_image.constScanLine(y);
}

std::uint8_t* CImage::GetRow(int y)
{
    if (IsNull() || y < 0 || y >= m_image.height())
        return nullptr;
    return m_image.scanLine(y);
}

std::vector<COLORREF> CImage::GetColorTable() const
{
    std::vector<COLORREF> table;
    for (QRgb c : m_image.colorTable())
        table.push_back(RGB(std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c))));
    return table;
}

bool CImage::SetPixel(int x, int y, COLORREF color)
{
    if (IsNull() || x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return false;
    uchar* row = m_image.scanLine(y);
    switch (m_image.format()) {
    case QImage::Format_BGR888:
        row[3 * x] = GetBValue(color);
        row[3 * x + 1] = GetGValue(color);
        row[3 * x + 2] = GetRValue(color);
        return true;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        reinterpret_cast<QRgb*>(row)[x] = qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
        return true;
    default:
        return false;
    }
}

COLORREF CImage::GetPixel(int x, int y) const
{
    std::uint8_t bgra[4];
    if (!GetPixelBGRA(x, y, bgra))
        return CLR_NONE;
    return RGB(bgra[2], bgra[1], bgra[0]);
}

bool CImage::GetPixelBGRA(int x, int y, std::uint8_t bgra[4]) const
{
    if (IsNull() || x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return false;
    const uchar* row = m_image.constScanLine(y);
    QRgb c;
    switch (m_image.format()) {
    case QImage::Format_BGR888:
        bgra[0] = row[3 * x];
        bgra[1] = row[3 * x + 1];
        bgra[2] = row[3 * x + 2];
        bgra[3] = 255;
        return true;
    case QImage::Format_RGB32:
        c = reinterpret_cast<const QRgb*>(row)[x] | 0xFF000000u;
        break;
    case QImage::Format_ARGB32:
        c = reinterpret_cast<const QRgb*>(row)[x];
        break;
    default:
        c = m_image.pixel(x, y); // palette lookup
        break;
    }
    bgra[0] = std::uint8_t(qBlue(c));
    bgra[1] = std::uint8_t(qGreen(c));
    bgra[2] = std::uint8_t(qRed(c));
    bgra[3] = std::uint8_t(qAlpha(c));
    return true;
}

bool CImage::CopyBGRA(int x, int y, int width, int height, std::vector<std::uint8_t>& out) const
{
    if (IsNull() || x < 0 || y < 0 || width <= 0 || height <= 0 ||
        std::int64_t(x) + width > m_image.width() || std::int64_t(y) + height > m_image.height())
        return false;
    out.resize(std::size_t(width) * std::size_t(height) * 4);
    std::uint8_t* p = out.data();
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col, p += 4)
            GetPixelBGRA(x + col, y + row, p);
    return true;
}

bool CImage::Save(const QString& path, ImageFormat format) const
{
    if (IsNull() || path.isEmpty())
        return false;
    // Without an encoder nothing is opened, so no file appears.
    const ImageEncoder* encoder = FindImageEncoder(format);
    if (!encoder)
        return false;
    const QImage handed = m_hasAlpha ? m_image.convertToFormat(QImage::Format_ARGB32) : m_image;
    if (handed.isNull())
        return false;
    // The encoder writes a temporary beside the target; only a complete file
    // takes the target's place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!encoder->encode(handed, file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
