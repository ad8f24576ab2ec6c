#pragma once

#include "model/CubeStore.h"

#include <array>

// What the geometry of one chunk of the grid box depends on: which cells of
// the chunk and of a margin one cell wide around it hold a cube (a face shows
// where the next cell is empty; an edge of a wireframe goes to the last of
// the four cubes around it), and the colours of the chunk's own cubes. Cells
// outside the box count as empty, as they are never drawn.
class CChunkCells {
public:
    static constexpr int kSide = CCubeChunk::kSide;
    static constexpr int kPadded = kSide + 2;

    // Reads the chunk at key and its margin. Returns false when the chunk
    // holds no cube inside the box: it then has no geometry, whatever its
    // neighbours hold.
    bool Gather(const CCubeStore& store, const GridSize& box, const ChunkKey& key);

    const CUBEPOS& Origin() const { return m_origin; }
    // The cells along z at (lx, ly) that hold a cube, bit z + 1 for z from -1
    // to kSide; lx and ly run from -1 to kSide.
    std::uint32_t Row(int lx, int ly) const { return m_rows[std::size_t((lx + 1) * kPadded + ly + 1)]; }
    bool Filled(int lx, int ly, int lz) const { return Row(lx, ly) >> (lz + 1) & 1u; }
    bool Filled(const int c[3]) const { return Filled(c[0], c[1], c[2]); }
    // The colour of a filled cell of the chunk itself (coordinates 0..kSide-1).
    COLORREF At(int lx, int ly, int lz) const { return m_own->At(lx, ly, lz); }
    COLORREF At(const int c[3]) const { return At(c[0], c[1], c[2]); }

private:
    CUBEPOS m_origin;
    const CCubeChunk* m_own = nullptr;
    std::array<std::uint32_t, kPadded * kPadded> m_rows;
};
