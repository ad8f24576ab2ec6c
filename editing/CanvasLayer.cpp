#include "editing/CanvasLayer.h"

#include "model/CMiravelDoc.h"
#include "scene/EditState.h"
#include "scene/PointerState.h"

#include <algorithm>

namespace CanvasLayer {

namespace {

int Along(int axis, int x, int y, int z) { return axis == 0 ? x : axis == 1 ? y : z; }

// Applies one cell of a paste: the target becomes what the source is.
void PasteCell(CMiravelDoc& doc, int sx, int sy, int sz, int tx, int ty, int tz)
{
    const COLORREF source = doc.GetCube(sx, sy, sz);
    if (source == CLR_NONE)
        doc.RemoveCube(tx, ty, tz);
    else
        doc.SetCube(tx, ty, tz, source);
}

// (x, y, z) with the coordinate on axis replaced by value.
void WithAxis(int axis, int value, int& x, int& y, int& z)
{
    (axis == 0 ? x : axis == 1 ? y : z) = value;
}

} // namespace

int LayerCount(const CEditState& v, const CMiravelDoc& doc)
{
    return Along(v.AxisIndex(), doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
}

void SwitchCanvas(CEditState& v, const CPointerState& p, const CMiravelDoc& doc, bool forward)
{
    v.m_copyLayer = -1;
    const auto orZero = [](int c) { return c == -1 ? 0 : c; };
    CanvasAxis axis = CanvasAxis::X;
    int pos = 0;
    switch (v.m_canvasAxis) {
    case CanvasAxis::X:
        axis = forward ? CanvasAxis::Y : CanvasAxis::Z;
        pos = forward ? p.m_sightY : p.m_sightZ;
        break;
    case CanvasAxis::Y:
        axis = forward ? CanvasAxis::Z : CanvasAxis::X;
        pos = forward ? p.m_sightZ : p.m_sightX;
        break;
    default:
        axis = forward ? CanvasAxis::X : CanvasAxis::Y;
        pos = forward ? p.m_sightX : p.m_sightY;
        break;
    }
    v.m_canvasAxis = axis;
    // The sight may still name a cell of an earlier, bigger grid until the
    // pointer moves; the canvas never leaves the grid.
    v.m_canvasPos = std::clamp(orZero(pos), 0, std::max(0, LayerCount(v, doc) - 1));
}

void MoveCanvas(CEditState& v, const CMiravelDoc& doc, bool up)
{
    if (up) {
        const int limit = LayerCount(v, doc);
        if (++v.m_canvasPos >= limit)
            v.m_canvasPos = limit - 1;
    } else if (--v.m_canvasPos < 0) {
        v.m_canvasPos = 0;
    }
}

void Copy(CEditState& v) { v.m_copyLayer = v.m_canvasPos; }

void ClearCopy(CEditState& v) { v.m_copyLayer = -1; }

void PasteLayer(const CEditState& v, CMiravelDoc& doc)
{
    if (v.m_copyLayer == -1)
        return;
    const CMiravelDoc::CEditBatch batch(doc);
    const int axis = v.AxisIndex();
    const int X = axis == 0 ? 1 : doc.m_sizeX;
    const int Y = axis == 1 ? 1 : doc.m_sizeY;
    const int Z = axis == 2 ? 1 : doc.m_sizeZ;
    for (int i = 0; i < X; ++i)
        for (int j = 0; j < Y; ++j)
            for (int k = 0; k < Z; ++k) {
                int sx = i, sy = j, sz = k, tx = i, ty = j, tz = k;
                WithAxis(axis, v.m_copyLayer, sx, sy, sz);
                WithAxis(axis, v.m_canvasPos, tx, ty, tz);
                PasteCell(doc, sx, sy, sz, tx, ty, tz);
            }
}

bool PasteLayerToAll(const CEditState& v, CMiravelDoc& doc, const std::function<bool()>& confirm)
{
    if (v.m_copyLayer == -1 || !confirm())
        return false;
    const CMiravelDoc::CEditBatch batch(doc);
    for (int x = 0; x < doc.m_sizeX; ++x)
        for (int y = 0; y < doc.m_sizeY; ++y)
            for (int z = 0; z < doc.m_sizeZ; ++z) {
                int sx = x, sy = y, sz = z;
                WithAxis(v.AxisIndex(), v.m_copyLayer, sx, sy, sz);
                PasteCell(doc, sx, sy, sz, x, y, z);
            }
    return true;
}

void KeepInsideGrid(CEditState& v, CPointerState& p, const CMiravelDoc& doc)
{
    const int layers = LayerCount(v, doc);
    v.m_canvasPos = std::clamp(v.m_canvasPos, 0, std::max(0, layers - 1));
    // A copy source beyond the grid would paste from hidden cells: forget it.
    if (v.m_copyLayer >= layers)
        v.m_copyLayer = -1;
    if (p.HasSight() && !doc.InBox(p.m_sightX, p.m_sightY, p.m_sightZ))
        p.m_sightX = p.m_sightY = p.m_sightZ = -1;
    if (p.HasAttach() && !doc.InBox(p.m_attachX, p.m_attachY, p.m_attachZ))
        p.m_attachX = p.m_attachY = p.m_attachZ = -1;
}

} // namespace CanvasLayer
