// Drawing and picking: one frame at 800 x 600 for an empty grid, a half
// filled 16 x 16 x 16 model and a full 40 x 40 x 40 model, with the literal
// drawing (reference) and the fast one side by side; an edit, a canvas
// sweep step and the undo of a paste into every layer on the full grid;
// picks in both modes.
#include "bench/BenchUtil.h"
#include "bench/FastView.h"
#include "editing/CanvasLayer.h"
#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "tests/support/OffscreenGL.h"
#include "scene/Camera.h"
#include "render/FastCubeRenderer.h"
#include "render/SceneRenderer.h"
#include "scene/ViewState.h"

#include <GL/gl.h>
#include <random>

namespace {

void Fill(CMiravelDoc& doc, int n, int percent)
{
    doc.SetGridSize(n, n, n);
    std::mt19937 rng(7);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            for (int z = 0; z < n; ++z)
                if (int(rng() % 100) < percent)
                    doc.m_cubes.Set({x, y, z}, RGB(x * 6, y * 6, z * 6));
}

using bench::FastView;

using Lists = SceneRenderer::Lists;

void Frame(OffscreenGL& gl, const CViewState& v, const Lists& lists, const CMiravelDoc& doc,
           SceneRenderer::ICubeDrawer* cubes)
{
    SceneRenderer::DrawScene(v, lists, doc, {gl.Width(), gl.Height(), 1.0, {gl.Width(), gl.Height()}}, cubes);
    glFinish();
}

double FrameMs(OffscreenGL& gl, CViewState& v, const Lists& lists, const CMiravelDoc& doc,
               SceneRenderer::ICubeDrawer* cubes, int reps)
{
    Frame(gl, v, lists, doc, cubes);  // warm up: caches filled, driver ready
    return bench::MedianMs(reps, nullptr, [&] { Frame(gl, v, lists, doc, cubes); });
}

constexpr double kFullGridScale = 1.0;

void Setup(OffscreenGL& gl, CViewState& v, Lists& lists, const CMiravelDoc& doc)
{
    v.m_camera.m_scale = Camera::FitScale(v.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ, gl.Width(), gl.Height());
    SceneRenderer::BuildLists(lists, v.m_edit.m_canvasAxis, doc);
}

const bench::Register reg("view", [] {
    OffscreenGL gl(800, 600);
    if (!gl.IsValid()) {
        std::printf("view: no GL context\n");
        return;
    }
    gl.MakeCurrent();
    const ViewSize size{gl.Width(), gl.Height()};
    Lists lists;
    {
        CViewState v;
        CMiravelDoc empty;
        Setup(gl, v, lists, empty);
        bench::Report("frame_empty16_reference_ms", FrameMs(gl, v, lists, empty, nullptr, 21), "ms");
        SceneRenderer::DeleteLists(lists);

        CMiravelDoc half;
        Fill(half, 16, 50);
        Setup(gl, v, lists, half);
        CFastCubeRenderer fast;
        bench::Report("frame_half16_reference_ms", FrameMs(gl, v, lists, half, nullptr, 15), "ms");
        bench::Report("frame_half16_fast_ms", FrameMs(gl, v, lists, half, &fast, 15), "ms");
        SceneRenderer::DeleteLists(lists);
    }

    CMiravelDoc full;
    Fill(full, 40, 100);
    FastView fv;
    fv.doc = &full;
    full.AddView(&fv);
    CViewState v;
    Setup(gl, v, lists, full);
    // The full grid's figures have always been taken at zoom 1, where its
    // top corner just leaves the picture; the fitted zoom is half that.
    v.m_camera.m_scale = kFullGridScale;
    for (int mode : {1, 0, 2}) {
        v.m_prefs.m_wireFrame = CubeStyle(mode);
        const std::string name = "frame_full40_mode" + std::to_string(mode);
        bench::Report(name + "_reference_ms", FrameMs(gl, v, lists, full, nullptr, 5), "ms");
        bench::Report(name + "_fast_ms", FrameMs(gl, v, lists, full, &fv.fast, 15), "ms");
    }
    // The cached geometry: faces for filled cubes; edges while a wireframe
    // is shown (the filled faces are dropped then, and the other way round).
    v.m_prefs.m_wireFrame = CubeStyle::Wireframe;
    fv.fast.Prepare(v, size, full);
    bench::Report("wire_prepare_unchanged_ms", bench::MedianMs(11, nullptr, [&] { fv.fast.Prepare(v, size, full); }), "ms");
    bench::Report("mesh_memory_full40_wireframe_kib", double(fv.fast.MemoryBytes()) / 1024.0, "KiB");
    v.m_prefs.m_wireFrame = CubeStyle::Filled;
    fv.fast.Prepare(v, size, full);
    bench::Report("mesh_memory_full40_kib", double(fv.fast.MemoryBytes()) / 1024.0, "KiB");

    // One cell edited, until the geometry of the next frame is ready; then
    // the same with the frame drawn.
    std::mt19937 rng(11);
    const double edit = bench::MedianMs(41, nullptr, [&] {
        const int x = int(rng() % 40), y = int(rng() % 40), z = int(rng() % 40);
        if (full.GetCube(x, y, z) == CLR_NONE)
            full.SetCube(x, y, z, RGB(200, 10, 10));
        else
            full.RemoveCube(x, y, z);
        fv.fast.Prepare(v, size, full);
    });
    bench::Report("edit_to_frame_ms", edit, "ms");
    const double editFrame = bench::MedianMs(21, nullptr, [&] {
        const int x = int(rng() % 40), y = int(rng() % 40), z = int(rng() % 40);
        full.RemoveCube(x, y, z);
        Frame(gl, v, lists, full, &fv.fast);
    });
    bench::Report("edit_and_frame_ms", editFrame, "ms");
    // The same in a wireframe, whose edges and their texture follow the edit.
    v.m_prefs.m_wireFrame = CubeStyle::Wireframe;
    Frame(gl, v, lists, full, &fv.fast);
    auto toggleCell = [&] {
        const int x = int(rng() % 40), y = int(rng() % 40), z = int(rng() % 40);
        if (full.GetCube(x, y, z) == CLR_NONE)
            full.SetCube(x, y, z, RGB(200, 10, 10));
        else
            full.RemoveCube(x, y, z);
    };
    bench::Report("edit_to_frame_wireframe_ms", bench::MedianMs(41, nullptr, [&] {
        toggleCell();
        fv.fast.Prepare(v, size, full);
    }), "ms");
    bench::Report("edit_and_frame_wireframe_ms", bench::MedianMs(21, nullptr, [&] {
        toggleCell();
        Frame(gl, v, lists, full, &fv.fast);
    }), "ms");
    // Moving the canvas layer changes which cubes a wireframe fills: every
    // edge is worked out again.
    bench::Report("canvas_move_wireframe_ms", bench::MedianMs(11, nullptr, [&] {
        v.m_edit.m_canvasPos = (v.m_edit.m_canvasPos + 1) % 40;
        Frame(gl, v, lists, full, &fv.fast);
    }), "ms");
    v.m_prefs.m_wireFrame = CubeStyle::Filled;
    const double paste = bench::MedianMs(11, nullptr, [&] {
        // A layer of 1600 cells pasted: one record per cell, as the paste does.
        const COLORREF c = RGB(rng() % 256, 0, 0);
        for (int x = 0; x < 40; ++x)
            for (int z = 0; z < 40; ++z)
                full.SetCube(x, 20, z, c);
        fv.fast.Prepare(v, size, full);
    });
    bench::Report("edit_paste_layer_ms", paste, "ms");
    {
        // A full 40 x 40 layer pasted into all 40 layers, 62,400 cells each
        // a step of their own, taken back by one undo of the whole stroke
        // until the next frame's geometry is ready.
        CMiravelDoc pasted;
        pasted.SetGridSize(40, 40, 40);
        for (int x = 0; x < 40; ++x)
            for (int z = 0; z < 40; ++z)
                pasted.m_cubes.Set({x, 0, z}, RGB(x * 6, 100, z * 6));
        FastView pv;
        pv.doc = &pasted;
        pasted.AddView(&pv);
        CEditState layer;  // the canvas across y, at layer 0, copied
        CanvasLayer::Copy(layer);
        const double strokeUndo = bench::MedianMs(
            5,
            [&] {
                CanvasLayer::PasteLayerToAll(layer, pasted, [] { return true; });
                pv.fast.Prepare(v, size, pasted);
            },
            [&] {
                pasted.StrokeBack();
                pv.fast.Prepare(v, size, pasted);
            });
        if (pasted.m_cubes.Count() != 1600)
            std::fprintf(stderr, "stroke undo left %zu cubes\n", pasted.m_cubes.Count());
        bench::Report("stroke_undo_paste_all40_ms", strokeUndo, "ms");
        pasted.RemoveView(&pv);
    }

    // A canvas sweep: each mouse move picks, paints one cell and redraws.
    v.m_edit.m_canvasPos = 39;
    const double sweep = bench::MedianMs(41, nullptr, [&] {
        const double wx = 300 + rng() % 200 + 0.5, wy = 200 + rng() % 200 + 0.5;
        const CUBEPOS s = Picker::PickSight(v.m_camera, size, v.m_edit, full, wx, wy);
        if (s.x != -1)
            full.SetCube(s.x, s.y, s.z, RGB(rng() % 256, 200, 0));
        Frame(gl, v, lists, full, &fv.fast);
    });
    bench::Report("sweep_move_ms", sweep, "ms");
    SceneRenderer::DeleteLists(lists);
    gl.DoneCurrent();

    // Picks at random points over the picture of the full grid.
    v.m_camera.m_scale = kFullGridScale;
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 400; ++i)
        points.push_back({200 + rng() % 400 + 0.5, 100 + rng() % 400 + 0.5});
    for (int mode : {0, 1}) {
        v.m_edit.m_drawMode = DrawMode(mode);
        std::vector<double> times;
        for (const auto& [x, y] : points)
            times.push_back(bench::MedianMs(1, nullptr, [&, x = x, y = y] {
                const CUBEPOS s = Picker::PickSight(v.m_camera, size, v.m_edit, full, x, y);
                v.m_pointer.m_sightX = s.x;
                v.m_pointer.m_sightY = s.y;
                v.m_pointer.m_sightZ = s.z;
                Picker::PickAttach(v.m_camera, size, v.m_edit, v.m_pointer, full, x, y);
            }));
        bench::Report(mode == 0 ? "pick_full40_canvas_ms" : "pick_full40_attach_ms", bench::Median(times), "ms");
    }
    full.RemoveView(&fv);
});

} // namespace
