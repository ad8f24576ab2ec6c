// Drawing and picking the landscape of LargeModels.h at 800 x 600 in the
// default view: the first frame after the model arrives (built over several
// frames, as the view does), steady frames in each cube style, one edit until
// its geometry is ready, picks, and the process's peak memory once all three
// styles have been drawn. Listed first in the benchmark, so that the peak is
// its own.
#include "bench/BenchUtil.h"
#include "bench/FastView.h"
#include "bench/LargeModels.h"
#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "render/FastCubeRenderer.h"
#include "render/SceneRenderer.h"
#include "scene/Camera.h"
#include "scene/ViewState.h"
#include "tests/support/OffscreenGL.h"

#include <GL/gl.h>
#include <QFile>
#include <chrono>
#include <ctime>
#include <random>

namespace {

double PeakRssMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

const bench::Register reg("large_view", [] {
    OffscreenGL gl(800, 600);
    if (!gl.IsValid()) {
        std::printf("large_view: no GL context\n");
        return;
    }
    const ViewSize size{gl.Width(), gl.Height()};
    const SceneRenderer::Target target{gl.Width(), gl.Height(), 1.0, size};
    CMiravelDoc doc;
    bench::FastView fv;
    fv.doc = &doc;
    doc.AddView(&fv);
    bench::BuildLandscape(doc);
    CViewState v;
    v.m_camera.m_scale = Camera::FitScale(v.m_camera, 256, 256, 256, size.width, size.height);
    fv.fast.SetBuildBudget(100);
    std::printf("large_view_scale: %g\n", v.m_camera.m_scale);
    gl.MakeCurrent();
    SceneRenderer::Lists lists;
    auto frame = [&] {
        SceneRenderer::DrawScene(v, lists, doc, target, &fv.fast);
        glFinish();
    };

    // The model is in the document: the lists for its size, then frames
    // until every chunk is drawn.
    const auto t0 = std::chrono::steady_clock::now();
    SceneRenderer::BuildLists(lists, v.m_edit.m_canvasAxis, doc);
    int frames = 0;
    do {
        frame();
        ++frames;
    } while (fv.fast.HasPendingWork());
    bench::Report("large_first_frame_256_ms",
                  std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count(), "ms");
    std::printf("large_first_frame_256_frames: %d\n", frames);

    for (int mode : {1, 0, 2}) {
        v.m_prefs.m_wireFrame = CubeStyle(mode);
        const auto b0 = std::chrono::steady_clock::now();
        do
            frame();
        while (fv.fast.HasPendingWork());
        const double build = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - b0).count();
        const std::string name = "large_frame_256_mode" + std::to_string(mode);
        const double c0 = CpuMs();
        bench::Report(name + "_ms", bench::MedianMs(7, nullptr, frame), "ms");
        // All threads' processor time per frame, which a busy machine does
        // not stretch as it does the wall time.
        std::printf("%s_cpu_ms: %.4g ms\n", name.c_str(), (CpuMs() - c0) / 7);
        std::printf("%s_switch_ms: %.4g ms (%zu chunks, %zu faces, %zu lines, %.1f MiB)\n", name.c_str(), build,
                    fv.fast.LastFrame().chunks, fv.fast.LastFrame().faces, fv.fast.LastFrame().lines,
                    double(fv.fast.MemoryBytes()) / (1024.0 * 1024.0));
    }
    bench::Report("large_peak_rss_mib", PeakRssMiB(), "MiB");

    // One cell edited, until the geometry of the next frame is ready.
    v.m_prefs.m_wireFrame = CubeStyle::Filled;
    frame();
    std::mt19937 rng(11);
    const double edit = bench::MedianMs(41, nullptr, [&] {
        const int x = int(rng() % 256), y = int(rng() % 128), z = int(rng() % 256);
        if (doc.GetCube(x, y, z) == CLR_NONE)
            doc.SetCube(x, y, z, RGB(200, 10, 10));
        else
            doc.RemoveCube(x, y, z);
        fv.fast.Prepare(v, size, doc);
    });
    bench::Report("large_edit_to_frame_256_ms", edit, "ms");
    SceneRenderer::DeleteLists(lists);
    fv.fast.ReleaseGL();
    gl.DoneCurrent();

    // Picks at random points over the picture, in attach mode (the sight cube
    // and the empty cell in front of it) and in canvas mode.
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 400; ++i)
        points.push_back({200 + rng() % 400 + 0.5, 100 + rng() % 400 + 0.5});
    for (int mode : {1, 0}) {
        v.m_edit.m_drawMode = DrawMode(mode);
        std::vector<double> times;
        for (const auto& [x, y] : points)
            times.push_back(bench::MedianMs(1, nullptr, [&, x = x, y = y] {
                const CUBEPOS s = Picker::PickSight(v.m_camera, size, v.m_edit, doc, x, y);
                v.m_pointer.m_sightX = s.x;
                v.m_pointer.m_sightY = s.y;
                v.m_pointer.m_sightZ = s.z;
                Picker::PickAttach(v.m_camera, size, v.m_edit, v.m_pointer, doc, x, y);
            }));
        std::sort(times.begin(), times.end());
        if (mode == 1)
            bench::Report("large_pick_256_ms", bench::Median(times), "ms");
        std::printf("large_pick_256_%s: median %.4g ms, slowest %.4g ms\n", mode ? "attach" : "canvas",
                    bench::Median(times), times.back());
    }
    doc.RemoveView(&fv);
});

} // namespace
