#pragma once

#include "model/CubeTypes.h"

#include <cstdint>
#include <vector>

class CMiravelDoc;

// A dense copy of the grid box: one colour per cell, CLR_NONE for empty.
// The document's ordered store stays the truth (it also keeps cubes outside
// the box); this copy only makes walking the box cheap. The view keeps it
// current from the document's change notifications.
class CCubeGridMirror {
public:
    void Rebuild(const CMiravelDoc& doc);
    // One cell changed in the document; cells outside the box are ignored.
    void Update(const CMiravelDoc& doc, const CUBEPOS& pos);

    int SizeX() const { return m_sx; }
    int SizeY() const { return m_sy; }
    int SizeZ() const { return m_sz; }
    bool InBox(int x, int y, int z) const
    {
        return x >= 0 && y >= 0 && z >= 0 && x < m_sx && y < m_sy && z < m_sz;
    }
    // CLR_NONE for an empty cell or one outside the box.
    COLORREF At(int x, int y, int z) const
    {
        return InBox(x, y, z) ? m_cells[Index(x, y, z)] : CLR_NONE;
    }
    bool Filled(int x, int y, int z) const { return At(x, y, z) != CLR_NONE; }
    std::size_t MemoryBytes() const { return m_cells.capacity() * sizeof(COLORREF); }

private:
    std::size_t Index(int x, int y, int z) const
    {
        return (std::size_t(x) * std::size_t(m_sy) + std::size_t(y)) * std::size_t(m_sz) + std::size_t(z);
    }

    int m_sx = 0, m_sy = 0, m_sz = 0;
    std::vector<COLORREF> m_cells;
};
