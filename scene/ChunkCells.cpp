#include "scene/ChunkCells.h"

#include <algorithm>

namespace {

// The local coordinates, -1..kSide, that the chunk d steps away along one
// axis (d in -1..1) lends to the margin, clipped to the box.
bool Span(int d, int origin, int boxSide, int& lo, int& hi)
{
    constexpr int side = CChunkCells::kSide;
    lo = d < 0 ? -1 : d > 0 ? side : 0;
    hi = d < 0 ? -1 : d > 0 ? side : side - 1;
    lo = std::max(lo, -origin);
    hi = std::min(hi, boxSide - 1 - origin);
    return lo <= hi;
}

} // namespace

bool CChunkCells::Gather(const CCubeStore& store, const GridSize& box, const ChunkKey& key)
{
    m_origin = CCubeChunk::Origin(key);
    m_own = store.FindChunk(key);
    if (!m_own)
        return false;
    const int origin[3] = {m_origin.x, m_origin.y, m_origin.z};
    const int boxSide[3] = {box.x, box.y, box.z};
    m_rows.fill(0);
    bool any = false;
    int lo[3], hi[3];
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dz = -1; dz <= 1; ++dz) {
                const int d[3] = {dx, dy, dz};
                bool inside = true;
                for (int a = 0; a < 3 && inside; ++a)
                    inside = Span(d[a], origin[a], boxSide[a], lo[a], hi[a]);
                if (!inside)
                    continue;
                const bool own = dx == 0 && dy == 0 && dz == 0;
                const CCubeChunk* chunk = own ? m_own : store.FindChunk({key.x + dx, key.y + dy, key.z + dz});
                if (!chunk)
                    continue;
                // Bits lo[2]..hi[2] of each row, from the chunk's cells.
                const int z0 = CCubeChunk::Local(lo[2]), n = hi[2] - lo[2] + 1;
                for (int x = lo[0]; x <= hi[0]; ++x)
                    for (int y = lo[1]; y <= hi[1]; ++y) {
                        const COLORREF* cells = chunk->Row(CCubeChunk::Local(x), CCubeChunk::Local(y)) + z0;
                        std::uint32_t bits = 0;
                        for (int i = 0; i < n; ++i)
                            bits |= std::uint32_t(cells[i] != CLR_NONE) << i;
                        m_rows[std::size_t((x + 1) * kPadded + y + 1)] |= bits << (lo[2] + 1);
                        any = any || (own && bits);
                    }
            }
    // A chunk across the box's far side may hold cubes only outside it.
    return any;
}
