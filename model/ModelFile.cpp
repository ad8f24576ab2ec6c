// Reading and writing the .mvf model file (see ModelFile.h for the layout).
#include "model/CMiravelDoc.h"
#include "model/ModelFile.h"
#include "model/ModelMessages.h"

#include <QtEndian>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <vector>

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

// Only the ranges of the masks matter to a reader; any generator serves. One
// draw gives the bytes of a whole cell word.
class CMaskSource {
public:
    explicit CMaskSource(std::uint32_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t m_state;
};

std::uint32_t EncodeCell(COLORREF color, std::uint64_t r)
{
    if (color != CLR_NONE)
        return ModelFile::EncodeCube(color, std::uint8_t(1 + (r & 0xFF) % 239));
    return ModelFile::EncodeEmpty(std::uint8_t(241 + (r & 0xFF) % 15), std::uint8_t(1 + (r >> 8 & 0xFF) % 255),
                                  std::uint8_t(1 + (r >> 16 & 0xFF) % 255), std::uint8_t(1 + (r >> 24 & 0xFF) % 255));
}

// Cell words pass through the archive in blocks, not four bytes at a time.
constexpr int kBlockWords = 16384;

// Writes the words in the file's byte order; they are not used afterwards.
void PutWords(CArchive& ar, std::uint32_t* words, int count)
{
    if (count <= 0)
        return;
    for (int i = 0; i < count; ++i)
        words[i] = qToLittleEndian(words[i]);
    ar.Write(words, qsizetype(ModelFile::kCellSize) * count);
}

// The whole file: the header, then every cell of the box.
DocResult StoreModel(CArchive& ar, const CCubeStore& cubes, const GridSize& size, std::optional<std::uint32_t> seed)
{
    unsigned char header[ModelFile::kHeaderSize] = {'m', 0, 'v', 0, 'f', 0, 0, 0};
    PutInt32(header + 8, size.x);
    PutInt32(header + 12, size.y);
    PutInt32(header + 16, size.z);
    ar.ExpectBytes(ModelFile::kHeaderSize + qint64(ModelFile::kCellSize) * size.x * size.y * size.z);
    ar.Write(header, sizeof header);

    CMaskSource masks(seed ? *seed : FreshSeed());
    std::vector<std::uint32_t> block(kBlockWords);
    int used = 0;
    // Whole rows of chunks in the file's order; cubes outside the box are
    // never reached.
    cubes.ForEachRow(size, [&](std::int32_t, std::int32_t, std::int32_t, const COLORREF* cells, int count) {
        // Nothing more reaches a broken or cancelled file.
        if (ar.Failed())
            return;
        if (used + count > kBlockWords) {
            PutWords(ar, block.data(), used);
            used = 0;
        }
        for (int i = 0; i < count; ++i)
            block[std::size_t(used++)] = EncodeCell(cells ? cells[i] : CLR_NONE, masks.Next());
    });
    PutWords(ar, block.data(), used);
    return DocResult::Ok();
}

class CModelSnapshot : public CDocSnapshot {
public:
    CModelSnapshot(CCubeStore cubes, const GridSize& size, std::optional<std::uint32_t> seed)
        : m_cubes(std::move(cubes)), m_size(size), m_seed(seed)
    {
    }
    DocResult Store(CArchive& ar) const override { return StoreModel(ar, m_cubes, m_size, m_seed); }

private:
    CCubeStore m_cubes;
    GridSize m_size;
    std::optional<std::uint32_t> m_seed;
};

} // namespace

DocResult CMiravelDoc::Serialize(CArchive& ar)
{
    return ar.IsStoring() ? StoreModel(ar, m_cubes, {m_sizeX, m_sizeY, m_sizeZ}, m_saveSeed) : Load(ar);
}

std::shared_ptr<const CDocSnapshot> CMiravelDoc::TakeSnapshot() const
{
    return std::make_shared<CModelSnapshot>(m_cubes, GridSize{m_sizeX, m_sizeY, m_sizeZ}, m_saveSeed);
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
    // Checked before anything is allocated or applied, so a short file never
    // leaves the model half replaced. Bytes after the last cell are ignored.
    const qint64 cells = qint64(sx) * sy * sz;
    if (ar.BytesLeft() < cells * ModelFile::kCellSize)
        return DocResult::Fail(ModelMessages::Truncated());

    // Read into a store of its own: the file replaces the whole model, and
    // cubes of the previous model outside this box must not survive hidden
    // (growing the grid would bring them back, and the next save would write
    // them into this file).
    CCubeStore cubes;
    std::vector<unsigned char> block(std::size_t(4 * kBlockWords));
    std::size_t have = 0, next = 0;
    COLORREF row[CCubeChunk::kSide];
    for (std::int32_t x = 0; x < sx; ++x)
        for (std::int32_t y = 0; y < sy; ++y)
            for (std::int32_t z0 = 0; z0 < sz; z0 += CCubeChunk::kSide) {
                const int count = int(std::min<std::int32_t>(CCubeChunk::kSide, sz - z0));
                bool any = false;
                for (int i = 0; i < count; ++i) {
                    if (next == have) {
                        const qint64 left = (cells - (qint64(x) * sy + y) * sz - z0 - i) * ModelFile::kCellSize;
                        have = std::size_t(ar.Read(block.data(), qsizetype(std::min<qint64>(left, qint64(block.size())))));
                        have -= have % ModelFile::kCellSize;
                        next = 0;
                        if (have == 0)
                            return DocResult::Fail(ModelMessages::Truncated());
                    }
                    row[i] = ModelFile::Decode(std::uint32_t(GetInt32(block.data() + next)));
                    next += ModelFile::kCellSize;
                    any = any || row[i] != CLR_NONE;
                }
                if (any)
                    cubes.SetRow(x, y, z0, row, count);
            }

    m_sizeX = sx;
    m_sizeY = sy;
    m_sizeZ = sz;
    m_cubes = std::move(cubes);
    m_palette.clear();
    // The history belongs to the model it was made on.
    ClearHistory();
    NotifyModelReset();
    UpdateAllViews();
    return DocResult::Ok();
}
