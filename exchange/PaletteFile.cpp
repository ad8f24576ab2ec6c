#include "exchange/PaletteFile.h"

#include "exchange/ExchangeMessages.h"
#include "exchange/FileFormats.h"
#include "model/FileErrorText.h"
#include "model/PaletteMatch.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

#include <cerrno>
#include <optional>
#include <unordered_set>

namespace {

// Text palettes of 255 colours are a few KiB; images get more room.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
// An image of more pixels is refused before it is decoded.
constexpr qint64 kMaxImagePixels = 4096 * 4096;

QString Tr(const char* text) { return QCoreApplication::translate("PaletteFile", text); }

PaletteReadResult Refuse(const QString& message)
{
    PaletteReadResult r;
    r.message = message;
    return r;
}

PaletteReadResult TooMany(qsizetype count)
{
    return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "パレットの色が %1 色あります。読み込めるのは %2 色までです。")).arg(count).arg(kMaxPaletteColors));
}

PaletteReadResult BadLine(int line)
{
    return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "パレットファイルの %1 行目が読めません。")).arg(line));
}

PaletteReadResult Done(std::vector<COLORREF> colors)
{
    if (colors.empty())
        return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "パレットファイルに色がありません。")));
    if (colors.size() > std::size_t(kMaxPaletteColors))
        return TooMany(qsizetype(colors.size()));
    PaletteReadResult r;
    r.ok = true;
    r.colors = std::move(colors);
    return r;
}

// The lines of a text file, without their ends and surrounding blanks. A
// file that is not text (a NUL byte) gives none.
std::optional<QList<QByteArray>> Lines(const QByteArray& bytes)
{
    if (bytes.contains('\0'))
        return std::nullopt;
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& l : lines)
        l = l.trimmed();
    return lines;
}

// Exactly `digits` hex digits; -1 for anything else.
qint64 Hex(const QByteArray& text, int digits)
{
    if (text.size() != digits)
        return -1;
    qint64 v = 0;
    for (const char c : text) {
        const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

COLORREF FromRgb(quint32 rgb) { return RGB(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)); }

// Lines of `digits` hex digits (after an optional '#'), the low six of which
// are RRGGBB; blank lines and those starting with `comment` are skipped.
PaletteReadResult ReadHexLines(const QByteArray& bytes, int digits, char comment)
{
    const auto lines = Lines(bytes);
    if (!lines)
        return BadLine(1);
    std::vector<COLORREF> colors;
    for (int i = 0; i < lines->size(); ++i) {
        QByteArray line = lines->at(i);
        if (line.isEmpty() || line.startsWith(comment))
            continue;
        if (line.startsWith('#'))
            line.remove(0, 1);
        const qint64 v = Hex(line, digits);
        if (v < 0)
            return BadLine(i + 1);
        // Counting on past the limit only to say how many there are.
        colors.push_back(FromRgb(quint32(v & 0xFFFFFF)));
    }
    return Done(std::move(colors));
}

} // namespace

namespace PaletteFormats {

PaletteReadResult ReadGpl(const QByteArray& bytes)
{
    const auto lines = Lines(bytes);
    if (!lines || lines->isEmpty() || lines->at(0) != "GIMP Palette")
        return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "GIMP パレットファイルではありません。")));
    std::vector<COLORREF> colors;
    for (int i = 1; i < lines->size(); ++i) {
        const QByteArray& line = lines->at(i);
        if (line.isEmpty() || line.startsWith('#') || line.startsWith("Name:") || line.startsWith("Columns:"))
            continue;
        // "R G B" then an optional name, which may hold blanks.
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() < 3)
            return BadLine(i + 1);
        int rgb[3];
        for (int k = 0; k < 3; ++k) {
            bool ok = false;
            rgb[k] = words[k].toInt(&ok);
            if (!ok || rgb[k] < 0 || rgb[k] > 255)
                return BadLine(i + 1);
        }
        colors.push_back(RGB(std::uint8_t(rgb[0]), std::uint8_t(rgb[1]), std::uint8_t(rgb[2])));
    }
    return Done(std::move(colors));
}

PaletteReadResult ReadImage(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid())
        return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "画像として読めません。")));
    if (qint64(size.width()) * size.height() > kMaxImagePixels)
        return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "画像が大きすぎます (%1×%2 ピクセル)。")).arg(size.width()).arg(size.height()));
    reader.setAllocationLimit(256);
    QImage image;
    if (!reader.read(&image))
        return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "画像として読めません。")));
    image = image.convertToFormat(QImage::Format_ARGB32);
    // The distinct colours in reading order; see-through pixels are no
    // colour, and partly see-through ones count as opaque.
    std::vector<COLORREF> colors;
    std::unordered_set<COLORREF> seen;
    qsizetype distinct = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            const COLORREF c = RGB(std::uint8_t(qRed(row[x])), std::uint8_t(qGreen(row[x])), std::uint8_t(qBlue(row[x])));
            if (!seen.insert(c).second)
                continue;
            ++distinct;
            if (colors.size() <= std::size_t(kMaxPaletteColors))
                colors.push_back(c);
        }
    }
    if (distinct > kMaxPaletteColors)
        return TooMany(distinct);
    return Done(std::move(colors));
}

PaletteReadResult ReadAct(const QByteArray& bytes)
{
    if (bytes.size() != 768 && bytes.size() != 772)
        return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "Adobe カラーテーブルは 768 か 772 バイトです (このファイルは %1 バイト)。")).arg(bytes.size()));
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    int count = 256;
    if (bytes.size() == 772) {
        count = (b[768] << 8) | b[769];
        if (count < 1 || count > 256)
            return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "Adobe カラーテーブルの色数 %1 が正しくありません。")).arg(count));
    }
    std::vector<COLORREF> colors;
    for (int i = 0; i < count; ++i)
        colors.push_back(RGB(b[3 * i], b[3 * i + 1], b[3 * i + 2]));
    // A table without its count is always 256 entries long; the unused tail
    // repeats one colour (black, mostly), which is not part of the palette.
    if (bytes.size() == 768)
        while (colors.size() > 1 && colors[colors.size() - 1] == colors[colors.size() - 2])
            colors.pop_back();
    return Done(std::move(colors));
}

PaletteReadResult ReadPaintNet(const QByteArray& bytes) { return ReadHexLines(bytes, 8, ';'); }

PaletteReadResult ReadHex(const QByteArray& bytes) { return ReadHexLines(bytes, 6, ';'); }

QByteArray WriteGpl(std::span<const COLORREF> colors)
{
    QByteArray out = "GIMP Palette\nName: MIRA-VEL\nColumns: 16\n#\n";
    for (const COLORREF c : colors)
        out += QStringLiteral("%1 %2 %3\t%4\n")
                   .arg(GetRValue(c), 3)
                   .arg(GetGValue(c), 3)
                   .arg(GetBValue(c), 3)
                   .arg(ColorHex(c))
                   .toLatin1();
    return out;
}

QByteArray WritePng(std::span<const COLORREF> colors)
{
    QImage strip(int(colors.size()), 1, QImage::Format_RGB32);
    for (int i = 0; i < int(colors.size()); ++i) {
        const COLORREF c = colors[std::size_t(i)];
        strip.setPixel(i, 0, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    strip.save(&buffer, "PNG");
    return out;
}

QByteArray WriteAct(std::span<const COLORREF> colors)
{
    QByteArray out(772, '\0');
    for (std::size_t i = 0; i < colors.size() && i < 256; ++i) {
        out[qsizetype(3 * i)] = char(GetRValue(colors[i]));
        out[qsizetype(3 * i + 1)] = char(GetGValue(colors[i]));
        out[qsizetype(3 * i + 2)] = char(GetBValue(colors[i]));
    }
    out[768] = char(colors.size() >> 8);
    out[769] = char(colors.size() & 0xFF);
    out[770] = out[771] = char(0xFF);  // no transparent entry
    return out;
}

QByteArray WritePaintNet(std::span<const COLORREF> colors)
{
    QByteArray out = "; paint.net Palette File\n; Colors: " + QByteArray::number(qsizetype(colors.size())) + "\n";
    for (const COLORREF c : colors)
        out += "FF" + ColorHex(c).mid(1).toLatin1() + "\n";
    return out;
}

QByteArray WriteHex(std::span<const COLORREF> colors)
{
    QByteArray out;
    for (const COLORREF c : colors)
        out += ColorHex(c).mid(1).toLower().toLatin1() + "\n";
    return out;
}

} // namespace PaletteFormats

PaletteReadResult ReadPaletteFile(const QString& path)
{
    const FileFormat* format = FileFormats::PaletteForPath(path);
    if (!format)
        return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "パレットファイルの形式が分かりません。")));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(FileErrorText::OfFailedCall(file));
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Refuse(FileErrorText::OfFailedCall(file));
    if (bytes.size() > kMaxFileBytes)
        return Refuse(Tr(QT_TRANSLATE_NOOP("PaletteFile", "ファイルが大きすぎます。")));
    return format->readPalette(bytes);
}

PaletteWriteResult WritePaletteFile(const QString& path, std::span<const COLORREF> colors)
{
    PaletteWriteResult result;
    const FileFormat* format = FileFormats::PaletteForPath(path);
    if (!format) {
        result.message = Tr(QT_TRANSLATE_NOOP("PaletteFile", "パレットファイルの形式が分かりません。"));
        return result;
    }
    if (colors.empty() || colors.size() > std::size_t(kMaxPaletteColors)) {
        result.message = colors.empty() ? Tr(QT_TRANSLATE_NOOP("PaletteFile", "パレットに色がありません。"))
                                        : Tr(QT_TRANSLATE_NOOP("PaletteFile", "パレットの色が %1 色あります。書き出せるのは %2 色までです。"))
                                              .arg(qsizetype(colors.size()))
                                              .arg(kMaxPaletteColors);
        return result;
    }
    const QByteArray bytes = format->writePalette(colors);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        result.message = FileErrorText::OfFailedCall(file);
        return result;
    }
    result.ok = true;
    return result;
}

QString ColorHex(COLORREF color)
{
    return QStringLiteral("#%1%2%3")
        .arg(GetRValue(color), 2, 16, QLatin1Char('0'))
        .arg(GetGValue(color), 2, 16, QLatin1Char('0'))
        .arg(GetBValue(color), 2, 16, QLatin1Char('0'))
        .toUpper();
}
