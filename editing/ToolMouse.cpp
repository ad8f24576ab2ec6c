#include "editing/ToolMouse.h"

#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "scene/CameraState.h"
#include "scene/EditState.h"
#include "scene/PointerState.h"

namespace ToolMouse {

std::optional<COLORREF> ColorUnder(const CCameraState& camera, ViewSize size, const CEditState& edit,
                                   const CMiravelDoc& doc, int x, int y)
{
    CEditState probe = edit;
    probe.m_drawMode = DrawMode::Attach;
    const CUBEPOS c = Picker::PickSight(camera, size, probe, doc, x + 0.5, size.height - y - 0.5);
    const COLORREF color = c == Picker::kNone ? CLR_NONE : doc.GetCube(c.x, c.y, c.z);
    if (color == CLR_NONE)
        return std::nullopt;
    return color;
}

std::vector<CUBEPOS> FillRegion(const CEditState& edit, const CPointerState& pointer, const CMiravelDoc& doc)
{
    if (!pointer.HasSight())
        return {};
    const CUBEPOS seed{pointer.m_sightX, pointer.m_sightY, pointer.m_sightZ};
    if (edit.m_drawMode == DrawMode::Canvas)
        return ModelTools::LayerRegion(doc, seed, edit.AxisIndex());
    return ModelTools::ColorRegion(doc, seed);
}

} // namespace ToolMouse
