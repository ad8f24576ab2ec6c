// Drawing and picking: one frame at 800 x 600 for an empty grid, a half
// filled 16 x 16 x 16 model and a full 40 x 40 x 40 model; picks on the full
// grid in both modes.
#include "bench/BenchUtil.h"
#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "tests/support/OffscreenGL.h"
#include "view/Camera.h"
#include "view/SceneRenderer.h"
#include "view/ViewState.h"

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
                    doc.m_cubes[{x, y, z}] = RGB(x * 6, y * 6, z * 6);
}

double FrameMs(OffscreenGL& gl, CViewState& v, const CMiravelDoc& doc, int reps)
{
    gl.MakeCurrent();
    v.m_viewWidth = gl.Width();
    v.m_viewHeight = gl.Height();
    v.m_scale = Camera::FitScale(std::max({doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}), gl.Width(), gl.Height());
    SceneRenderer::BuildLists(v, doc);
    const double ms = bench::MedianMs(reps, nullptr, [&] {
        SceneRenderer::DrawScene(v, doc, {gl.Width(), gl.Height(), 1.0});
        glFinish();
    });
    SceneRenderer::DeleteLists(v);
    gl.DoneCurrent();
    return ms;
}

const bench::Register reg("view", [] {
    OffscreenGL gl(800, 600);
    if (!gl.IsValid()) {
        std::printf("view: no GL context\n");
        return;
    }
    CViewState v;
    CMiravelDoc empty;
    bench::Report("frame_empty16_ms", FrameMs(gl, v, empty, 21), "ms");
    CMiravelDoc half;
    Fill(half, 16, 50);
    bench::Report("frame_half16_ms", FrameMs(gl, v, half, 15), "ms");
    CMiravelDoc full;
    Fill(full, 40, 100);
    for (int mode : {1, 0, 2}) {
        v.m_wireFrame = mode;
        bench::Report("frame_full40_mode" + std::to_string(mode) + "_reference_ms", FrameMs(gl, v, full, 7), "ms");
    }
    v.m_wireFrame = 1;

    // Picks at random points over the picture of the full grid.
    v.m_viewWidth = 800;
    v.m_viewHeight = 600;
    v.m_scale = Camera::FitScale(40, 800, 600);
    std::mt19937 rng(3);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 400; ++i)
        points.push_back({200 + rng() % 400 + 0.5, 100 + rng() % 400 + 0.5});
    for (int mode : {0, 1}) {
        v.m_drawMode = mode;
        std::vector<double> times;
        for (const auto& [x, y] : points) {
            times.push_back(bench::MedianMs(1, nullptr, [&, x = x, y = y] {
                const CUBEPOS s = Picker::PickSight(v, full, x, y);
                v.m_sightX = s.x;
                v.m_sightY = s.y;
                v.m_sightZ = s.z;
                Picker::PickAttach(v, full, x, y);
            }));
        }
        bench::Report(mode == 0 ? "pick_full40_canvas_ms" : "pick_full40_attach_ms", bench::Median(times), "ms");
    }
});

} // namespace
