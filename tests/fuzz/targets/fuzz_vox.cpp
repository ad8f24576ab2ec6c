// The .vox reader on arbitrary bytes: it must answer, never crash, read out
// of bounds or allocate without bound.
#include "exchange/VoxFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    ReadVox(bytes);
    return 0;
}
