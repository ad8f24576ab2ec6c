// The shape tools: a solid 40^3 box drawn as one action until the next
// frame's geometry is ready, a 256 x 256 x 64 box on the landscape, and one
// drag step of a 256 x 256 box's preview over the landscape, pick included.
#include "bench/BenchUtil.h"
#include "bench/FastView.h"
#include "bench/LargeModels.h"
#include "editing/Picker.h"
#include "editing/ShapeTool.h"
#include "editing/ToolBox.h"
#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "scene/ViewState.h"
#include "tests/support/OffscreenGL.h"

#include <cstdio>

namespace {

// A host whose picks cost what the view's do; the cell they find is then
// replaced by the scripted one, so that the drag spans the whole grid.
struct PickingHost : IToolHost {
    CViewState* view = nullptr;
    CMiravelDoc* doc = nullptr;
    ViewSize size{800, 600};
    CUBEPOS scripted{-1, -1, -1};
    void TakeFocus() override {}
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void Pick(int x, int y) override
    {
        CPointerState& p = view->m_pointer;
        const double wx = x + 0.5, wy = size.height - y - 0.5;
        const CUBEPOS s = Picker::PickSight(view->m_camera, size, view->m_edit, *doc, wx, wy);
        p.m_sightX = s.x, p.m_sightY = s.y, p.m_sightZ = s.z;
        const CUBEPOS a = Picker::PickAttach(view->m_camera, size, view->m_edit, p, *doc, wx, wy);
        p.m_attachX = a.x, p.m_attachY = a.y, p.m_attachZ = a.z;
        if (scripted.x >= 0)
            p.m_sightX = scripted.x, p.m_sightY = scripted.y, p.m_sightZ = scripted.z;
    }
    void Invalidate() override {}
    void RebuildDisplayLists() override {}
    void TakeColor(COLORREF) override {}
};

Shapes::Spec SolidBox(CUBEPOS a, CUBEPOS b) { return {Shapes::Kind::Box, false, 1, a, b}; }

const bench::Register reg("shapes", [] {
    OffscreenGL gl(800, 600);
    if (!gl.IsValid()) {
        std::printf("shapes: no GL context\n");
        return;
    }
    gl.MakeCurrent();
    const ViewSize size{gl.Width(), gl.Height()};
    CViewState v;
    {
        CMiravelDoc doc;
        doc.SetGridSize(40, 40, 40);
        bench::FastView fv;
        fv.doc = &doc;
        doc.AddView(&fv);
        v.m_camera.m_scale = Camera::FitScale(v.m_camera, 40, 40, 40, size.width, size.height);
        fv.fast.Prepare(v, size, doc);
        const double full40 = bench::MedianMs(9, [&] {
            doc.ClearAllCubes();
            fv.fast.Prepare(v, size, doc);
        }, [&] {
            doc.ApplyAction(CShapeTool::Changes(SolidBox({0, 0, 0}, {39, 39, 39}), v.m_edit, doc, RGB(200, 40, 40)));
            fv.fast.Prepare(v, size, doc);
        });
        bench::Report("shape_box_full40_ms", full40, "ms");
        doc.RemoveView(&fv);
    }

    CMiravelDoc land;
    bench::BuildLandscape(land);
    bool drawn = false;
    const double box256 = bench::MedianMs(5, [&] {
        if (drawn)
            land.HistoryBack();
    }, [&] {
        drawn = land.ApplyAction(
            CShapeTool::Changes(SolidBox({0, 64, 0}, {255, 127, 255}), v.m_edit, land, RGB(10, 20, 200)));
    });
    bench::Report("shape_box_256_ms", box256, "ms");

    // A drag over the canvas at layer 100 of the landscape from one corner,
    // the pointer stepping between the far corner and a cell beside it.
    v.m_camera.m_scale = Camera::FitScale(v.m_camera, 256, 256, 256, size.width, size.height);
    v.m_edit.m_tool = DrawingTool::Box;
    v.m_edit.m_canvasPos = 100;
    PickingHost host;
    host.view = &v;
    host.doc = &land;
    host.size = size;
    CToolBox tools;
    ToolContext ctx{v, land, host, size};
    const int px = size.width / 2, py = size.height / 2;
    host.scripted = {0, 100, 0};
    host.Pick(px, py);
    tools.Press(ctx, {px, py, PointerButton::Left, true});
    bool far = false;
    std::size_t outlines = 0;
    const double step = bench::MedianMs(41, nullptr, [&] {
        far = !far;
        host.scripted = far ? CUBEPOS{255, 100, 255} : CUBEPOS{254, 100, 255};
        tools.Move(ctx, {px, py, PointerButton::None, true});
        outlines += tools.Preview().hasOutline;
    });
    tools.Release(ctx, {0, 0, PointerButton::None});
    bench::Report("shape_preview_step_ms", step, "ms");
    if (outlines != 41)
        std::printf("shapes: the drag showed no preview\n");
});

} // namespace
