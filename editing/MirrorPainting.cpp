#include "editing/MirrorPainting.h"

#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "scene/EditState.h"

#include <algorithm>

namespace MirrorPainting {

std::vector<CUBEPOS> Cells(const CMiravelDoc& doc, CUBEPOS cell, bool acrossX, bool acrossZ)
{
    std::vector<CUBEPOS> cells{cell};
    const auto add = [&cells](CUBEPOS p) {
        if (std::find(cells.begin(), cells.end(), p) == cells.end())
            cells.push_back(p);
    };
    const std::int32_t mx = doc.m_sizeX - 1 - cell.x, mz = doc.m_sizeZ - 1 - cell.z;
    if (acrossX)
        add({mx, cell.y, cell.z});
    if (acrossZ)
        add({cell.x, cell.y, mz});
    if (acrossX && acrossZ)
        add({mx, cell.y, mz});
    return cells;
}

void Paint(const CEditState& edit, CMiravelDoc& doc, CUBEPOS cell, COLORREF color)
{
    if (!edit.m_mirrorX && !edit.m_mirrorZ) {
        if (color == CLR_NONE)
            doc.RemoveCube(cell.x, cell.y, cell.z);
        else
            doc.SetCube(cell.x, cell.y, cell.z, color);
        return;
    }
    doc.ApplyAction(ModelTools::Paint(Cells(doc, cell, edit.m_mirrorX != 0, edit.m_mirrorZ != 0), color).changes);
}

} // namespace MirrorPainting
