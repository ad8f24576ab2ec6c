#include "scene/CubeGridMirror.h"

#include "model/CMiravelDoc.h"

void CCubeGridMirror::Rebuild(const CMiravelDoc& doc)
{
    m_sx = std::max(0, doc.m_sizeX);
    m_sy = std::max(0, doc.m_sizeY);
    m_sz = std::max(0, doc.m_sizeZ);
    m_cells.assign(std::size_t(m_sx) * std::size_t(m_sy) * std::size_t(m_sz), CLR_NONE);
    // Walk the store's chunks rather than looking up every cell of the box.
    doc.m_cubes.ForEachCubeIn({0, 0, 0}, {m_sx, m_sy, m_sz},
                              [&](const CUBEPOS& p, COLORREF color) { m_cells[Index(p.x, p.y, p.z)] = color; });
}

void CCubeGridMirror::Update(const CMiravelDoc& doc, const CUBEPOS& p)
{
    if (InBox(p.x, p.y, p.z))
        m_cells[Index(p.x, p.y, p.z)] = doc.GetCube(p.x, p.y, p.z);
}
