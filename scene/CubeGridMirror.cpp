#include "scene/CubeGridMirror.h"

#include "model/CMiravelDoc.h"

void CCubeGridMirror::Rebuild(const CMiravelDoc& doc)
{
    m_sx = std::max(0, doc.m_sizeX);
    m_sy = std::max(0, doc.m_sizeY);
    m_sz = std::max(0, doc.m_sizeZ);
    m_cells.assign(std::size_t(m_sx) * std::size_t(m_sy) * std::size_t(m_sz), CLR_NONE);
    // Walk the store once rather than looking up every cell of the box.
    for (const auto& [pos, color] : doc.m_cubes)
        if (InBox(pos.x, pos.y, pos.z))
            m_cells[Index(pos.x, pos.y, pos.z)] = color;
}

void CCubeGridMirror::Update(const CMiravelDoc& doc, const CUBEPOS& p)
{
    if (InBox(p.x, p.y, p.z))
        m_cells[Index(p.x, p.y, p.z)] = doc.GetCube(p.x, p.y, p.z);
}
