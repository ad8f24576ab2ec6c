#include "editing/FillTool.h"

#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "scene/ViewState.h"

bool CFillTool::Press(ToolContext& c, const PointerEvent& e)
{
    c.host.TakeFocus();
    c.host.Pick(e.x, e.y);
    if (!c.view.m_pointer.HasSight())
        return false;
    FillAtSight(c.view.m_edit, c.view.m_pointer, c.doc);
    // The model changed under the pointer.
    c.host.Pick(e.x, e.y);
    c.host.Invalidate();
    return true;
}

bool CFillTool::FillAtSight(const CEditState& edit, const CPointerState& pointer, CMiravelDoc& doc)
{
    return doc.ApplyAction(ModelTools::Paint(Region(edit, pointer, doc), edit.m_cubeColor).changes);
}

std::vector<CUBEPOS> CFillTool::Region(const CEditState& edit, const CPointerState& pointer, const CMiravelDoc& doc)
{
    if (!pointer.HasSight())
        return {};
    const CUBEPOS seed{pointer.m_sightX, pointer.m_sightY, pointer.m_sightZ};
    if (edit.m_drawMode == DrawMode::Canvas)
        return ModelTools::LayerRegion(doc, seed, edit.AxisIndex());
    return ModelTools::ColorRegion(doc, seed);
}
