// The palette readers on arbitrary bytes. The first byte picks the reader
// (GIMP, image, Adobe table, Paint.NET, hex list), the rest is the file. A
// palette read must hold 1 to 255 colours, and the same format must write
// it so that it reads back the same (an image's, as a strip of the same
// distinct colours).
#include "exchange/PaletteFile.h"
#include "model/PaletteMatch.h"
#include "../FuzzCheck.h"

#include <cstddef>
#include <cstdint>

namespace {

struct Format {
    PaletteReadResult (*read)(const QByteArray&);
    QByteArray (*write)(std::span<const COLORREF>);
};

constexpr Format kFormats[] = {
    {PaletteFormats::ReadGpl, PaletteFormats::WriteGpl},
    {PaletteFormats::ReadImage, PaletteFormats::WritePng},
    {PaletteFormats::ReadAct, PaletteFormats::WriteAct},
    {PaletteFormats::ReadPaintNet, PaletteFormats::WritePaintNet},
    {PaletteFormats::ReadHex, PaletteFormats::WriteHex},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const Format& format = kFormats[data[0] % std::size(kFormats)];
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const PaletteReadResult read = format.read(bytes);
    if (!read.ok) {
        FUZZ_CHECK(!read.message.isEmpty());
        return 0;
    }
    FUZZ_CHECK(!read.colors.empty() && read.colors.size() <= std::size_t(kMaxPaletteColors));
    for (const COLORREF c : read.colors)
        FUZZ_CHECK((c & 0xFF000000u) == 0);
    const PaletteReadResult again = format.read(format.write(read.colors));
    FUZZ_CHECK(again.ok && again.colors == read.colors);
    return 0;
}
