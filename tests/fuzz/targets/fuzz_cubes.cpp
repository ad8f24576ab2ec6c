// The clipboard's cubes on arbitrary bytes: refused, or read so that they
// write back to the same cubes, every one inside its box.
#include "tests/fuzz/FuzzCheck.h"
#include "exchange/CubeClipboard.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const CubeClipboard::DecodeResult read = CubeClipboard::Decode(bytes);
    if (!read.ok) {
        FUZZ_CHECK(!read.message.isEmpty());
        return 0;
    }
    const GridSize s = read.block.size;
    std::size_t inside = 0;
    read.block.cubes.ForEachCubeIn({0, 0, 0}, {s.x, s.y, s.z}, [&](const CUBEPOS&, COLORREF c) {
        FUZZ_CHECK((c >> 24) == 0);
        ++inside;
    });
    FUZZ_CHECK(inside == read.block.cubes.Count());
    FUZZ_CHECK(std::size_t(size) == 28 + 9 * inside);
    const CubeClipboard::DecodeResult again = CubeClipboard::Decode(CubeClipboard::Encode(read.block));
    FUZZ_CHECK(again.ok && again.block.size == s && again.block.cubes == read.block.cubes);
    return 0;
}
