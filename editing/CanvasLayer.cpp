#include "editing/CanvasLayer.h"

#include "model/CMiravelDoc.h"
#include "scene/EditState.h"
#include "scene/PointerState.h"

#include <algorithm>

namespace CanvasLayer {

namespace {

int Along(int axis, int x, int y, int z) { return axis == 0 ? x : axis == 1 ? y : z; }

// (x, y, z) with the coordinate on axis replaced by value.
void WithAxis(int axis, int value, int& x, int& y, int& z)
{
    (axis == 0 ? x : axis == 1 ? y : z) = value;
}

// Makes every cell of [lo, hi) what its source is: the cell with the
// coordinate on axis set to source. In x, y, z order, one recorded edit per
// changed cell, each a step of its own but all one gesture; the views hear
// once. Walks rows of chunks and compares them, so cells that already match
// cost no lookup.
void PasteBox(CMiravelDoc& doc, int axis, int source, const CUBEPOS& lo, const CUBEPOS& hi)
{
    const CMiravelDoc::CGesture gesture(doc);
    const CMiravelDoc::CEditBatch batch(doc);
    COLORREF target[CCubeChunk::kSide], from[CCubeChunk::kSide];
    for (int x = lo.x; x < hi.x; ++x)
        for (int y = lo.y; y < hi.y; ++y)
            for (int z0 = lo.z; z0 < hi.z;) {
                const int count = std::min(hi.z, (z0 & ~CCubeChunk::kMask) + CCubeChunk::kSide) - z0;
                doc.m_cubes.GetRow(x, y, z0, count, target);
                if (axis == 2)
                    std::fill(from, from + count, doc.GetCube(x, y, source));
                else
                    doc.m_cubes.GetRow(axis == 0 ? source : x, axis == 1 ? source : y, z0, count, from);
                for (int i = 0; i < count; ++i) {
                    if (target[i] == from[i])
                        continue;
                    if (from[i] == CLR_NONE)
                        doc.RemoveCube(x, y, z0 + i);
                    else
                        doc.SetCube(x, y, z0 + i, from[i]);
                }
                z0 += count;
            }
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
    const int axis = v.AxisIndex();
    CUBEPOS lo{0, 0, 0}, hi{doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
    WithAxis(axis, v.m_canvasPos, lo.x, lo.y, lo.z);
    WithAxis(axis, v.m_canvasPos + 1, hi.x, hi.y, hi.z);
    PasteBox(doc, axis, v.m_copyLayer, lo, hi);
}

bool PasteLayerToAll(const CEditState& v, CMiravelDoc& doc, const std::function<bool()>& confirm)
{
    if (v.m_copyLayer == -1 || !confirm())
        return false;
    PasteBox(doc, v.AxisIndex(), v.m_copyLayer, {0, 0, 0}, {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ});
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
