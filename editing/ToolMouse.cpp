#include "editing/ToolMouse.h"

#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "scene/ViewState.h"


namespace ToolMouse {

std::optional<COLORREF> ColorUnder(const CViewState& view, const CMiravelDoc& doc, int x, int y)
{
    CViewState probe = view;
    probe.m_drawMode = 1;
    const CUBEPOS c = Picker::PickSight(probe, doc, x + 0.5, view.m_viewHeight - y - 0.5);
    const COLORREF color = c == Picker::kNone ? CLR_NONE : doc.GetCube(c.x, c.y, c.z);
    if (color == CLR_NONE)
        return std::nullopt;
    return color;
}

std::vector<CUBEPOS> FillRegion(const CViewState& view, const CMiravelDoc& doc)
{
    if (!view.HasSight())
        return {};
    const CUBEPOS seed{view.m_sightX, view.m_sightY, view.m_sightZ};
    if (view.m_drawMode == 0)
        return ModelTools::LayerRegion(doc, seed, view.m_canvasAxis);
    return ModelTools::ColorRegion(doc, seed);
}

} // namespace ToolMouse
