// Ray-cast picking against selection-mode picking in a real GL context.
#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "tests/editing/SelectionOracle.h"
#include "tests/support/OffscreenGL.h"
#include "scene/Camera.h"
#include "render/SceneRenderer.h"
#include "scene/ViewState.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <random>

// How gtest prints a cell in failure messages.
void PrintTo(const CUBEPOS& c, std::ostream* os) { *os << "(" << c.x << ", " << c.y << ", " << c.z << ")"; }

namespace {

constexpr int W = 200, H = 150;
// The reference picks with a tiny square, so that both sample the same point.
constexpr double kBox = 1e-3;

class PickerTest : public ::testing::Test {
protected:
    OffscreenGL gl{W, H};
    CMiravelDoc doc;
    CViewState v;
    ViewSize size{W, H};
    SceneRenderer::Lists lists;

    void SetUp() override
    {
        ASSERT_TRUE(gl.IsValid());
        gl.MakeCurrent();
        SceneRenderer::BuildLists(lists, v.m_edit.m_canvasAxis, doc);  // the oracle only needs the unit cube's list
    }
    void TearDown() override { SceneRenderer::DeleteLists(lists); }
    OracleView Oracle() const { return {v, size, lists.m_listCube}; }
    CUBEPOS Attach(double wx, double wy) { return Picker::PickAttach(v.m_camera, size, v.m_edit, v.m_pointer, doc, wx, wy); }
    // The sight at a window point, kept in the view as the view keeps it.
    CUBEPOS Sight(double wx, double wy)
    {
        const CUBEPOS s = Picker::PickSight(v.m_camera, size, v.m_edit, doc, wx, wy);
        std::tie(v.m_pointer.m_sightX, v.m_pointer.m_sightY, v.m_pointer.m_sightZ) = std::tie(s.x, s.y, s.z);
        return s;
    }
};

// The sight against GL selection; the attach target is pinned on the
// hand-made scenes below.
TEST_F(PickerTest, AgreesWithSelectionOnRandomScenes)
{
    std::mt19937 rng(42);
    auto uni = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    int compared = 0, sightHits = 0, nearTies = 0;
    // Ties closer than GL's own precision may go either way.
    auto tied = [&](const CUBEPOS& mine, const OracleResult& o) {
        return mine != o.cell && o.NearTie(mine) && ++nearTies;
    };
    for (int scene = 0; scene < 60; ++scene) {
        doc = CMiravelDoc();
        doc.SetGridSize(1 + int(rng() % 6), 1 + int(rng() % 6), 1 + int(rng() % 6));
        const int fill = int(rng() % 70), X = doc.m_sizeX, Y = doc.m_sizeY, Z = doc.m_sizeZ;
        for (int i = 0; i < X * Y * Z; ++i)
            if (int(rng() % 100) < fill)
                doc.m_cubes.Set({i / (Y * Z), i / Z % Y, i % Z}, RGB(1, 2, 3));
        // Right angles now and then, where faces are seen edge-on.
        v.m_camera.m_rotX = scene % 5 == 0 ? 5.0 * int(rng() % 72) : uni(-180, 180);
        v.m_camera.m_rotY = scene % 5 == 0 ? 5.0 * int(rng() % 72) : uni(-180, 180);
        v.m_camera.m_rotZ = scene % 3 == 0 ? uni(-30, 30) : 0.0;
        v.m_camera.m_lookX = uni(-8, 8);
        v.m_camera.m_lookY = uni(-8, 8);
        v.m_camera.m_scale = uni(1.0, 4.0);
        v.m_camera.m_ratioX = scene % 4 == 0 ? 0.5 : 1.0;
        v.m_camera.m_ratioZ = scene % 7 == 0 ? 0.3 : 1.0;
        v.m_edit.m_drawMode = DrawMode(rng() % 2);
        v.m_edit.m_canvasAxis = CanvasAxis(rng() % 3);
        v.m_edit.m_canvasPos = int(rng() % unsigned(v.m_edit.AxisIndex() == 0 ? X : v.m_edit.AxisIndex() == 1 ? Y : Z));
        const Mat4 mvp = Camera::Projection(W, H) * Camera::ModelView(v.m_camera, X, Y, Z);
        for (int i = 0; i < 60; ++i) {
            // Pixel centres; most fall on the grid's picture, the rest anywhere.
            const auto c = mvp.Apply(uni(0, X), uni(0, Y), uni(0, Z));
            const double wx = (i % 4 ? std::clamp(std::floor((c[0] / c[3] + 1) * 0.5 * W), 0.0, W - 1.0) : rng() % W) + 0.5;
            const double wy = (i % 4 ? std::clamp(std::floor((c[1] / c[3] + 1) * 0.5 * H), 0.0, H - 1.0) : rng() % H) + 0.5;
            const OracleResult o = OraclePickSight(Oracle(), doc, wx, wy, kBox);
            const CUBEPOS mine = Sight(wx, wy);
            if (o.overflow || tied(mine, o))
                continue;
            ASSERT_EQ(mine, o.cell) << "scene " << scene << " at " << wx << "," << wy << " mode " << int(v.m_edit.m_drawMode);
            ++compared;
            sightHits += mine != Picker::kNone;
        }
    }
    // Enough of each kind was compared for the agreement to mean something.
    EXPECT_GT(compared, 3000);
    EXPECT_GT(sightHits, 900);
    EXPECT_LT(nearTies, compared / 200);
}

TEST_F(PickerTest, CanvasModeNamesLayerCellsAndEqualDepthsGoToTheLaterOne)
{
    // Looking straight down the z axis, cell edges fall on whole pixels; a
    // point on the edge between two cells meets both at the same depth.
    doc.SetGridSize(4, 4, 4);
    v.m_camera.m_rotX = v.m_camera.m_rotY = 0;
    v.m_edit.m_canvasAxis = CanvasAxis::Z;
    v.m_edit.m_canvasPos = 1;
    doc.m_cubes.Set({1, 1, 1}, RGB(9, 9, 9));
    doc.m_cubes.Set({3, 3, 3}, RGB(9, 9, 9));  // only the first is on the layer
    // The grid spans window x 80..120 and y 55..95; cells x = 1 | 2 meet at x = 100.
    EXPECT_EQ(Sight(100.0, 70.0), (CUBEPOS{2, 1, 1}));
    EXPECT_EQ(Sight(99.5, 70.0), (CUBEPOS{1, 1, 1}));
    EXPECT_EQ(Sight(119.5, 94.5), (CUBEPOS{3, 3, 1}));
    // A corner shared by cells (0..1, 0..1, 1): the last of the four.
    EXPECT_EQ(Sight(90.0, 65.0), (CUBEPOS{1, 1, 1}));
    EXPECT_EQ(Sight(79.5, 70.0), Picker::kNone);  // beside the layer
    size.width = 0;  // no client area, no pick
    EXPECT_EQ(Sight(100, 70), Picker::kNone);
}

TEST_F(PickerTest, AttachTargetIsTheEmptyNeighbourInFrontOfThePointedFace)
{
    doc.SetGridSize(5, 5, 5);
    v.m_edit.m_drawMode = DrawMode::Attach;
    v.m_camera.m_rotX = v.m_camera.m_rotY = 0;  // looking along -z: the z + 1 faces face the viewer
    doc.m_cubes.Set({2, 2, 2}, RGB(1, 1, 1));
    const double wx = 100, wy = 75;  // the centre of column (2, 2)
    auto attach = [&](CUBEPOS expected) { EXPECT_EQ(Attach(wx, wy), expected); };
    EXPECT_EQ(Sight(wx, wy), (CUBEPOS{2, 2, 2}));
    attach({2, 2, 3});
    // With the sight kept, an occupied neighbour is no target: the ray goes
    // on to the one behind the sight cube, and then to none.
    doc.m_cubes.Set({2, 2, 3}, RGB(1, 1, 1));
    attach({2, 2, 1});
    // Along the edge that neighbours (3, 2, 2) and (2, 1, 2) share, both are
    // met at once: the later one.
    EXPECT_EQ(Attach(105, 70), (CUBEPOS{2, 1, 2}));
    doc.m_cubes.Set({2, 2, 1}, RGB(1, 1, 1));
    attach(Picker::kNone);
    // Stacked up to the edge of the grid: (2, 2, 5) lies outside the box.
    doc.m_cubes.Set({2, 2, 4}, RGB(1, 1, 1));
    EXPECT_EQ(Sight(wx, wy), (CUBEPOS{2, 2, 4}));
    attach(Picker::kNone);
    // Empty space: neither; canvas mode never has an attach target.
    EXPECT_EQ(Sight(5, 5), Picker::kNone);
    EXPECT_EQ(Attach(5, 5), Picker::kNone);
    v.m_edit.m_drawMode = DrawMode::Canvas;
    v.m_pointer.m_sightX = v.m_pointer.m_sightY = v.m_pointer.m_sightZ = 2;
    EXPECT_EQ(Attach(wx, wy), Picker::kNone);
}

TEST_F(PickerTest, LongRowsOfCubesArePickedWhereSelectionOverflows)
{
    // A full 40 x 40 x 40 model: hundreds of candidates under the pointer
    // overflow a selection buffer; the ray still finds the front cube.
    doc.SetGridSize(40, 40, 40);
    for (int i = 0; i < 64000; ++i)
        doc.m_cubes.Set({i / 1600, i / 40 % 40, i % 40}, RGB(1, 1, 1));
    v.m_edit.m_drawMode = DrawMode::Attach;
    v.m_camera.m_rotX = v.m_camera.m_rotY = 0;
    // Straight down -z the front cube of the centre column is at z = 39; the
    // next one behind it once that one is gone.
    EXPECT_EQ(Sight(W / 2 + 0.5, H / 2 + 0.5), (CUBEPOS{20, 20, 39}));
    doc.m_cubes.Set({20, 20, 39}, CLR_NONE);
    EXPECT_EQ(Sight(W / 2 + 0.5, H / 2 + 0.5), (CUBEPOS{20, 20, 38}));
}

} // namespace
