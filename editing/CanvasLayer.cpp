#include "editing/CanvasLayer.h"

#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"

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

int LayerCount(const CViewState& v, const CMiravelDoc& doc)
{
    return Along(v.m_canvasAxis, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
}

void SwitchCanvas(CViewState& v, const CMiravelDoc& doc, bool forward)
{
    v.m_copyLayer = -1;
    const auto orZero = [](int c) { return c == -1 ? 0 : c; };
    int axis = 0, pos = 0;
    switch (v.m_canvasAxis) {
    case 0:
        axis = forward ? 1 : 2;
        pos = forward ? v.m_sightY : v.m_sightZ;
        break;
    case 1:
        axis = forward ? 2 : 0;
        pos = forward ? v.m_sightZ : v.m_sightX;
        break;
    default:
        axis = forward ? 0 : 1;
        pos = forward ? v.m_sightX : v.m_sightY;
        break;
    }
    v.m_canvasAxis = axis;
    // The sight may still name a cell of an earlier, bigger grid until the
    // pointer moves; the canvas never leaves the grid.
    v.m_canvasPos = std::clamp(orZero(pos), 0, std::max(0, LayerCount(v, doc) - 1));
}

void MoveCanvas(CViewState& v, const CMiravelDoc& doc, bool up)
{
    if (up) {
        const int limit = LayerCount(v, doc);
        if (++v.m_canvasPos >= limit)
            v.m_canvasPos = limit - 1;
    } else if (--v.m_canvasPos < 0) {
        v.m_canvasPos = 0;
    }
}

void Copy(CViewState& v) { v.m_copyLayer = v.m_canvasPos; }

void ClearCopy(CViewState& v) { v.m_copyLayer = -1; }

void PasteLayer(const CViewState& v, CMiravelDoc& doc)
{
    if (v.m_copyLayer == -1)
        return;
    const int axis = v.m_canvasAxis;
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

bool PasteLayerToAll(const CViewState& v, CMiravelDoc& doc, const std::function<bool()>& confirm)
{
    if (v.m_copyLayer == -1 || !confirm())
        return false;
    for (int x = 0; x < doc.m_sizeX; ++x)
        for (int y = 0; y < doc.m_sizeY; ++y)
            for (int z = 0; z < doc.m_sizeZ; ++z) {
                int sx = x, sy = y, sz = z;
                WithAxis(v.m_canvasAxis, v.m_copyLayer, sx, sy, sz);
                PasteCell(doc, sx, sy, sz, x, y, z);
            }
    return true;
}

void KeepInsideGrid(CViewState& v, const CMiravelDoc& doc)
{
    const int layers = LayerCount(v, doc);
    v.m_canvasPos = std::clamp(v.m_canvasPos, 0, std::max(0, layers - 1));
    // A copy source beyond the grid would paste from hidden cells: forget it.
    if (v.m_copyLayer >= layers)
        v.m_copyLayer = -1;
    if (v.HasSight() && !doc.InBox(v.m_sightX, v.m_sightY, v.m_sightZ))
        v.m_sightX = v.m_sightY = v.m_sightZ = -1;
    if (v.HasAttach() && !doc.InBox(v.m_attachX, v.m_attachY, v.m_attachZ))
        v.m_attachX = v.m_attachY = v.m_attachZ = -1;
}

} // namespace CanvasLayer
