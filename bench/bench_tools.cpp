// The model tools on a full 40 x 40 x 40 model, each until the geometry of
// the next frame is ready: a fill of one whole layer, a quarter turn, and a
// move (of a model that fills the grid but for one layer, as a full one
// cannot move).
#include "bench/BenchUtil.h"
#include "bench/FastView.h"
#include "editing/FillTool.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "render/FastCubeRenderer.h"
#include "scene/ViewState.h"

namespace {

using bench::FastView;

// Every cell a colour of its own, so that a turn or a move changes them all.
void Fill(CMiravelDoc& doc, int layersX)
{
    doc.SetGridSize(40, 40, 40);
    doc.m_cubes.Clear();
    for (int x = 0; x < layersX; ++x)
        for (int y = 0; y < 40; ++y)
            for (int z = 0; z < 40; ++z)
                doc.m_cubes.Set({x, y, z}, RGB(x * 6, y * 6, z * 6));
}


const bench::Register reg("tools", [] {
    CMiravelDoc doc;
    FastView fv;
    fv.doc = &doc;
    doc.AddView(&fv);
    CViewState v;
    const ViewSize size{800, 600};

    Fill(doc, 40);
    // The layer y = 20 in one colour, then filled alternately in two others.
    for (int x = 0; x < 40; ++x)
        for (int z = 0; z < 40; ++z)
            doc.m_cubes.Set({x, 20, z}, RGB(1, 2, 3));
    fv.fast.Reset();
    fv.fast.Prepare(v, size, doc);
    v.m_edit.m_canvasAxis = CanvasAxis::Y;
    v.m_pointer.m_sightX = 5, v.m_pointer.m_sightY = 20, v.m_pointer.m_sightZ = 5;
    int round = 0;
    bench::Report("fill_layer_full40_ms", bench::MedianMs(21, nullptr, [&] {
        v.m_edit.m_cubeColor = ++round % 2 ? RGB(200, 0, 0) : RGB(0, 200, 0);
        Apply(doc, ModelTools::Paint(CFillTool::Region(v.m_edit, v.m_pointer, doc), v.m_edit.m_cubeColor));
        fv.fast.Prepare(v, size, doc);
    }), "ms");

    fv.fast.Prepare(v, size, doc);
    bench::Report("rotate_full40_ms", bench::MedianMs(21, nullptr, [&] {
        Apply(doc, ModelTools::Turn(doc, true));
        fv.fast.Prepare(v, size, doc);
    }), "ms");

    Fill(doc, 39);
    fv.fast.Reset();
    fv.fast.Prepare(v, size, doc);
    round = 0;
    bench::Report("move_full40_ms", bench::MedianMs(21, nullptr, [&] {
        Apply(doc, *ModelTools::Move(doc, ++round % 2 ? 1 : -1, 0, 0));
        fv.fast.Prepare(v, size, doc);
    }), "ms");
    doc.RemoveView(&fv);
});

} // namespace
