// Reading and writing the .mvf model file (see ModelFile.h for the layout).
#include "model/CMiravelDoc.h"
#include "model/ModelFile.h"
#include "model/ModelMessages.h"

#include <chrono>
#include <cstring>
#include <random>

namespace {

void PutInt32(unsigned char* p, std::int32_t value)
{
    const auto v = std::uint32_t(value);
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
    p[2] = (v >> 16) & 0xFF;
    p[3] = (v >> 24) & 0xFF;
}

std::int32_t GetInt32(const unsigned char* p)
{
    return std::int32_t(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                        (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24));
}

std::uint32_t FreshSeed()
{
    std::random_device device;
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    return device() ^ std::uint32_t(now) ^ std::uint32_t(std::uint64_t(now) >> 32);
}

} // namespace

qint64 CMiravelDoc::MaxFileBytes() const
{
    return ModelFile::kHeaderSize + ModelFile::kCellSize * kMaxGridCells;
}

DocResult CMiravelDoc::Serialize(CArchive& ar)
{
    return ar.IsStoring() ? Store(ar) : Load(ar);
}

DocResult CMiravelDoc::Store(CArchive& ar)
{
    ar.Flush();
    unsigned char header[ModelFile::kHeaderSize] = {'m', 0, 'v', 0, 'f', 0, 0, 0};
    PutInt32(header + 8, m_sizeX);
    PutInt32(header + 12, m_sizeY);
    PutInt32(header + 16, m_sizeZ);
    ar.Write(header, sizeof header);

    // Only the ranges of the masks matter to a reader; any generator serves.
    std::mt19937 rng(m_saveSeed ? *m_saveSeed : FreshSeed());
    auto draw = [&rng] { return std::uint8_t(rng() & 0xFF); };

    // The store is ordered like the cell section (x, then y, then z), so one
    // walk along it finds every cell's cube without a lookup per cell; the
    // walk passes over cubes outside the box.
    auto next = m_cubes.begin();
    for (std::int32_t x = 0; x < m_sizeX; ++x)
        for (std::int32_t y = 0; y < m_sizeY; ++y)
            for (std::int32_t z = 0; z < m_sizeZ; ++z) {
                const CUBEPOS pos{x, y, z};
                while (next != m_cubes.end() && next->first < pos)
                    ++next;
                const COLORREF color = next != m_cubes.end() && next->first == pos ? next->second : CLR_NONE;
                if (color != CLR_NONE) {
                    const auto mask = std::uint8_t(1 + draw() % 239);
                    ar.WriteUInt32(ModelFile::EncodeCube(color, mask));
                } else {
                    const auto marker = std::uint8_t(241 + draw() % 15);
                    const auto k2 = std::uint8_t(1 + draw() % 255);
                    const auto k1 = std::uint8_t(1 + draw() % 255);
                    const auto k0 = std::uint8_t(1 + draw() % 255);
                    ar.WriteUInt32(ModelFile::EncodeEmpty(marker, k2, k1, k0));
                }
            }
    return DocResult::Ok();
}

DocResult CMiravelDoc::Load(CArchive& ar)
{
    unsigned char header[ModelFile::kHeaderSize];
    std::memset(header, 0, sizeof header);
    ar.Read(header, sizeof header);

    const bool magicOk = header[0] == 'm' && header[1] == 0 && header[2] == 'v' &&
                         header[3] == 0 && header[4] == 'f' && header[5] == 0;
    if (!magicOk)
        return DocResult::Fail(ModelMessages::NotModelFile());

    const std::int32_t sx = GetInt32(header + 8);
    const std::int32_t sy = GetInt32(header + 12);
    const std::int32_t sz = GetInt32(header + 16);
    if (!IsValidGridSize(sx, sy, sz))
        return DocResult::Fail(ModelMessages::BadGridSize());
    // Checked before anything is applied, so a short file never leaves the
    // model half replaced. Bytes after the last cell are ignored.
    const qint64 cells = qint64(sx) * sy * sz;
    if (ar.BytesLeft() < cells * ModelFile::kCellSize)
        return DocResult::Fail(ModelMessages::Truncated());

    m_sizeX = sx;
    m_sizeY = sy;
    m_sizeZ = sz;
    // The file replaces the whole model. Cubes of the previous model outside
    // this box must not survive hidden: growing the grid would bring them
    // back, and the next save would write them into this file.
    m_cubes.clear();
    m_palette.clear();
    for (std::int32_t x = 0; x < sx; ++x)
        for (std::int32_t y = 0; y < sy; ++y)
            for (std::int32_t z = 0; z < sz; ++z) {
                std::uint32_t word = 0;
                ar.ReadUInt32(word);
                const COLORREF color = ModelFile::Decode(word);
                if (color != CLR_NONE)
                    m_cubes[CUBEPOS{x, y, z}] = color;
            }
    // The history belongs to the model it was made on.
    ClearHistory();
    NotifyModelReset();
    UpdateAllViews();
    return DocResult::Ok();
}
