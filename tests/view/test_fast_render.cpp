// The fast cube drawing against the literal one: random models and views,
// both drawn, pixels compared.
//
// A pixel matches when each channel is within one step. Beyond that, pixels
// differ only where the literal drawing is decided by rounding (each cube has
// its own matrix; wireframe lines end where GL rounds them; a black edge and
// the canvas lattice on the same grid line, or an edge and the face it
// borders, lie at the same depth, and the fast drawing joins edges into
// longer lines whose depths round differently). Measured over hundreds of
// random scenes: filled 0.03% on average (at most 1.7%), black edges 0.4%
// (at most 2.1%), wireframes 1% (8% nearly along an axis). Edge-on views, with both faces
// of a pair in front, are checked edge by edge in the wireframe runs test.
#include "tests/view/RenderHelpers.h"
#include "render/FastCubeRenderer.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>

namespace {

constexpr int W = 320, H = 240;
constexpr int kFilledLimit = W * H * 2 / 100;
constexpr int kEdgesLimit = W * H * 3 / 100;
constexpr int kWireLimit = W * H * 10 / 100;
// Filled cubes of which no two touch: no shared edges and no hidden faces,
// so only the rounding of single lines and face borders remains.
constexpr int kLoneLimit = W * H / 200;

// Keeps a fast drawer in step with a document, as the view does.
struct Tracker : CDocView {
    CFastCubeRenderer fast;
    CMiravelDoc& doc;
    explicit Tracker(CMiravelDoc& d) : doc(d) { doc.AddView(this); }
    ~Tracker() override { doc.RemoveView(this); }
    void OnUpdate(CDocView*, long) override {}
    void OnCubeChanged(const CUBEPOS& p) override { fast.CellChanged(doc, p); }
    void OnModelReset() override { fast.Reset(); }
    void OnChunksChanged(const std::vector<ChunkKey>& chunks) override { fast.ChunksChanged(doc, chunks); }
};

class FastRender : public ::testing::Test {
protected:
    OffscreenGL gl{W, H};
    std::mt19937 rng{99};
    long total = 0;
    int frames = 0;

    void SetUp() override { ASSERT_TRUE(gl.IsValid()); }
    double Uni(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); }
    // Sides up to maxSide; also cubes just outside the box, which are never drawn.
    void RandomModel(CMiravelDoc& doc, int maxSide, int fill, int spacing = 1)
    {
        const int X = 1 + int(rng() % unsigned(maxSide)), Y = 1 + int(rng() % unsigned(maxSide)), Z = 1 + int(rng() % unsigned(maxSide));
        const int colours = 1 + int(rng() % 6);
        for (int x = -1; x <= X; x += spacing)
            for (int y = 0; y < Y; y += spacing)
                for (int z = 0; z < Z; z += spacing)
                    if (int(rng() % 100) < fill)
                        doc.m_cubes.Set({x, y, z}, RGB(40 * (rng() % colours), 255 - 30 * (rng() % colours), 90));
        doc.SetGridSize(X, Y, Z);
    }
    CViewState RandomView(const CMiravelDoc& doc, int mode)
    {
        CViewState v;
        v.m_prefs.m_wireFrame = CubeStyle(mode);
        v.m_prefs.m_lightEnable = rng() % 4 != 0;
        v.m_prefs.m_lightPos = int(rng() % 8);
        v.m_camera.m_rotX = Uni(-180, 180);
        v.m_camera.m_rotY = Uni(-180, 180);
        v.m_camera.m_rotZ = rng() % 3 == 0 ? Uni(-20, 20) : 0.0;
        v.m_camera.m_scale = Uni(0.8, 3.0);
        v.m_camera.m_ratioY = rng() % 5 == 0 ? 0.5 : 1.0;
        v.m_edit.m_canvasAxis = CanvasAxis(rng() % 3);
        const int layers[3] = {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
        v.m_edit.m_canvasPos = int(rng() % unsigned(layers[v.m_edit.AxisIndex()]));
        v.m_prefs.m_showCanvas = rng() % 2;
        v.m_cubeLineWidth = 1 + int(rng() % 3);
        return v;
    }
    void Compare(CViewState& v, const CMiravelDoc& doc, int limit, const QString& name)
    {
        CFastCubeRenderer fast;
        const QImage reference = RenderScene(gl, v, doc), quick = RenderScene(gl, v, doc, &fast);
        int diff = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                diff += !Near(reference.pixel(x, y), quick.pixel(x, y), 1);
        EXPECT_LE(diff, limit) << name.toStdString() << " mode " << int(v.m_prefs.m_wireFrame);
        if (diff > limit)
            SaveEvidence(reference, name + "-reference"), SaveEvidence(quick, name + "-fast");
        total += diff;
        frames += 1;
    }
    // The tracked drawer gives the very picture of one built from scratch.
    void ExpectAsFromScratch(CViewState& v, Tracker& t, const char* what)
    {
        CFastCubeRenderer scratch;
        EXPECT_EQ(RenderScene(gl, v, t.doc, &t.fast), RenderScene(gl, v, t.doc, &scratch)) << what << " mode " << int(v.m_prefs.m_wireFrame);
    }
};

TEST_F(FastRender, RandomScenesInEveryModeLookTheSame)
{
    for (int scene = 0; scene < 48; ++scene) {
        CMiravelDoc doc;
        const bool lone = scene % 4 == 3;
        RandomModel(doc, lone ? 9 : 12, lone ? 70 : int(rng() % 100), lone ? 2 : 1);
        CViewState v = RandomView(doc, scene % 3);
        v.m_prefs.m_showCanvas = v.m_prefs.m_showCanvas && !lone;
        const CubeStyle style = v.m_prefs.m_wireFrame;
        const int limit = style == CubeStyle::Wireframe ? kWireLimit
                          : lone                        ? kLoneLimit
                          : style == CubeStyle::FilledBlackEdges ? kEdgesLimit
                                                                 : kFilledLimit;
        Compare(v, doc, limit, QStringLiteral("scene-%1").arg(scene));
    }
    // On average far below the limits.
    EXPECT_LT(total / frames, W * H / 100);
}

TEST_F(FastRender, GridsBeyondTheSizeDialogWithMergedFacesLookTheSame)
{
    // There faces of one colour are merged, drawn nearest first, and the
    // sight (on a cube at the origin) a depth step nearer.
    CMiravelDoc doc;
    for (int x = 0; x < 65; ++x)
        for (int z = 0; z < 32; ++z)
            for (int y = 0; y < 1 + (x / 7 + z / 5) % 9; ++y)
                doc.m_cubes.Set({x, y, z}, RGB(40 + y / 3 * 60, 200 - y / 3 * 50, 90));
    doc.SetGridSize(65, 32, 32);
    for (int mode = 0; mode < 3; ++mode) {
        CViewState v = RandomView(doc, mode);
        v.m_camera.m_scale = Uni(0.3, 0.6);
        const CubeStyle style = v.m_prefs.m_wireFrame;
        Compare(v, doc, style == CubeStyle::Wireframe ? kWireLimit : style == CubeStyle::Filled ? kFilledLimit : kEdgesLimit,
                QStringLiteral("large"));
    }
}

TEST_F(FastRender, TheSightCoversTheCubeInItsCellCompletely)
{
    // Both are drawn at exactly the same depth; the sight, drawn later, wins
    // everywhere, with no speckles of the cube showing through.
    CMiravelDoc doc;
    doc.SetGridSize(8, 8, 8);
    for (int x = 2; x <= 4; ++x)
        doc.m_cubes.Set({x, 3, 3}, RGB(255, 0, 255));
    CViewState v;
    v.m_prefs.m_lightEnable = v.m_prefs.m_showFrame = v.m_prefs.m_showCanvas = v.m_prefs.m_showGround = 0;
    v.m_camera.m_scale = 4;
    v.m_camera.m_rotX = 31.7;
    v.m_camera.m_rotY = -52.3;
    v.m_pointer.m_sightX = v.m_pointer.m_sightY = v.m_pointer.m_sightZ = 3;
    const int grid[3] = {8, 8, 8};
    for (CubeStyle style : {CubeStyle::FilledBlackEdges, CubeStyle::Filled}) {
        v.m_prefs.m_wireFrame = style;
        CFastCubeRenderer fast;
        const QImage img = RenderScene(gl, v, doc, &fast);
        // The middle cube's top face, well inside its edges.
        int magenta = 0, cyan = 0;
        for (double u = 0.2; u <= 0.8; u += 0.05)
            for (double w = 0.2; w <= 0.8; w += 0.05) {
                const QRgb p = img.pixel(ToPixel(v.m_camera, W, H, grid, 3 + u, 4, 3 + w));
                magenta += p == qRgb(255, 0, 255);
                cyan += p == Rgb(v.m_prefs.m_sightColor);
            }
        EXPECT_EQ(magenta, 0) << "mode " << int(style);
        EXPECT_GT(cyan, 100) << "mode " << int(style);
    }
}

TEST_F(FastRender, AfterEditsTheResultIsAsFromScratch)
{
    // Edits reach the cached geometry cell by cell; the picture must be the
    // one a drawer built from scratch makes, to the pixel.
    for (int mode = 0; mode < 3; ++mode) {
        CMiravelDoc doc;
        Tracker t(doc);
        RandomModel(doc, 10, 50);
        CViewState v = RandomView(doc, mode);
        doc.SetGridSize(std::max(doc.m_sizeX, 3), doc.m_sizeY, doc.m_sizeZ);
        for (int x = 0; x < 3; ++x)
            doc.SetCube(x, 0, 0, RGB(200, 60 * x, 0));
        RenderScene(gl, v, doc, &t.fast);  // caches built
        doc.RemoveCube(1, 0, 0);  // uncovers its neighbours' faces
        ExpectAsFromScratch(v, t, "removed");
        for (int i = 0; i < 60; ++i) {
            const int x = int(rng() % unsigned(doc.m_sizeX)), y = int(rng() % unsigned(doc.m_sizeY)),
                      z = int(rng() % unsigned(doc.m_sizeZ));
            // Empty cells are filled; full ones recoloured or emptied in turn.
            if (doc.GetCube(x, y, z) == CLR_NONE || i % 2 == 0)
                doc.SetCube(x, y, z, i % 2 ? RGB(250, 0, 250) : RGB(0, 0, 250));
            else
                doc.RemoveCube(x, y, z);
            if (i % 5 == 0)
                doc.HistoryBack();
        }
        // Seen from both sides, so that the faces on either side of an edited
        // cell face the viewer once.
        ExpectAsFromScratch(v, t, "edited");
        v.m_camera.m_rotY += 180;
        v.m_camera.m_rotX = -v.m_camera.m_rotX;
        ExpectAsFromScratch(v, t, "edited, turned");
        doc.SetGridSize(doc.m_sizeX + 2, doc.m_sizeY, doc.m_sizeZ);
        ExpectAsFromScratch(v, t, "new grid size");
        // Turning the canvas changes which cubes a wireframe fills.
        v.m_prefs.m_showCanvas = 1;
        v.m_edit.m_canvasAxis = CanvasAxis((v.m_edit.AxisIndex() + 1) % 3);
        v.m_edit.m_canvasPos = 0;
        ExpectAsFromScratch(v, t, "canvas turned");
        // The wireframe's texture is made again in full after a release.
        gl.MakeCurrent();
        t.fast.ReleaseGL();
        ExpectAsFromScratch(v, t, "released");
    }
}

TEST_F(FastRender, ALatticeSeenFromAfarLooksTheSameWithoutItsPosts)
{
    // Posts shorter than half a pixel are left out: the slab's own lines,
    // which cross at both of their ends, fill what they would.
    CMiravelDoc doc;
    doc.SetGridSize(300, 300, 300);
    CViewState v;
    v.m_camera.m_scale = 0.05;
    v.m_prefs.m_showFrame = v.m_prefs.m_showGround = 0;
    v.m_edit.m_canvasPos = 100;
    for (int axis = 0; axis < 3; ++axis) {
        v.m_edit.m_canvasAxis = CanvasAxis(axis);
        CFastCubeRenderer fast;
        const QImage reference = RenderScene(gl, v, doc), quick = RenderScene(gl, v, doc, &fast);
        int diff = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                diff += !Near(reference.pixel(x, y), quick.pixel(x, y), 1);
        EXPECT_LE(diff, CountPixels(reference, Rgb(v.m_prefs.m_canvasColor)) / 200) << "axis " << axis;
    }
}

} // namespace
