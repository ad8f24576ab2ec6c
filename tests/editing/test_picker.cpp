// Ray-cast picking against selection-mode picking in a real GL context.
#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "tests/editing/SelectionOracle.h"
#include "tests/support/OffscreenGL.h"
#include "view/Camera.h"
#include "view/SceneRenderer.h"
#include "view/ViewState.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>

// How gtest prints a cell in failure messages.
void PrintTo(const CUBEPOS& c, std::ostream* os)
{
    *os << "(" << c.x << ", " << c.y << ", " << c.z << ")";
}

namespace {

constexpr int W = 200, H = 150;
// The reference picks with a tiny square, so that both sample the same point.
constexpr double kBox = 1e-3;

class PickerTest : public ::testing::Test {
protected:
    OffscreenGL gl{W, H};
    CMiravelDoc doc;
    CViewState v;

    void SetUp() override
    {
        ASSERT_TRUE(gl.IsValid());
        v.m_viewWidth = W;
        v.m_viewHeight = H;
    }
    void TearDown() override
    {
        gl.MakeCurrent();
        SceneRenderer::DeleteLists(v);
        gl.DoneCurrent();
    }
    OracleResult OracleSight(double wx, double wy, double box = kBox)
    {
        gl.MakeCurrent();
        if (!v.m_listCube)
            SceneRenderer::BuildLists(v, doc);
        return OraclePickSight(v, doc, wx, wy, box);
    }
    OracleResult OracleAttach(double wx, double wy)
    {
        gl.MakeCurrent();
        if (!v.m_listCube)
            SceneRenderer::BuildLists(v, doc);
        return OraclePickAttach(v, doc, wx, wy, kBox);
    }
    // Pixel (x, y) from the top left, the way the view calls the picker.
    CUBEPOS Sight(int x, int y) { return Picker::PickSight(v, doc, x + 0.5, H - y - 0.5); }
};

TEST_F(PickerTest, AgreesWithSelectionOnRandomScenes)
{
    std::mt19937 rng(42);
    auto uni = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    int compared = 0, sightHits = 0, attachCompared = 0, attachHits = 0, nearTies = 0;
    for (int scene = 0; scene < 200; ++scene) {
        doc = CMiravelDoc();
        doc.SetGridSize(1 + int(rng() % 6), 1 + int(rng() % 6), 1 + int(rng() % 6));
        const int fill = int(rng() % 70);
        for (int x = 0; x < doc.m_sizeX; ++x)
            for (int y = 0; y < doc.m_sizeY; ++y)
                for (int z = 0; z < doc.m_sizeZ; ++z)
                    if (int(rng() % 100) < fill)
                        doc.m_cubes[{x, y, z}] = RGB(1, 2, 3);
        v.m_rotX = scene % 5 == 0 ? 5.0 * int(rng() % 72) : uni(-180, 180);
        v.m_rotY = scene % 5 == 0 ? 5.0 * int(rng() % 72) : uni(-180, 180);
        v.m_rotZ = scene % 3 == 0 ? uni(-30, 30) : 0.0;
        v.m_lookX = uni(-8, 8);
        v.m_lookY = uni(-8, 8);
        v.m_scale = uni(1.0, 4.0);
        v.m_ratioX = scene % 4 == 0 ? 0.5 : 1.0;
        v.m_ratioZ = scene % 7 == 0 ? 0.3 : 1.0;
        v.m_drawMode = int(rng() % 2);
        v.m_canvasAxis = int(rng() % 3);
        const int along[3] = {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
        v.m_canvasPos = int(rng() % unsigned(along[v.m_canvasAxis]));
        gl.MakeCurrent();
        SceneRenderer::BuildLists(v, doc);

        // Most points fall on the grid's picture, the rest anywhere.
        const Mat4 mvp = Camera::Projection(W, H) * Camera::ModelView(v, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
        double lo[2] = {1e9, 1e9}, hi[2] = {-1e9, -1e9};
        for (int c = 0; c < 8; ++c) {
            const auto p = mvp.Apply(c & 1 ? doc.m_sizeX : 0, c & 2 ? doc.m_sizeY : 0, c & 4 ? doc.m_sizeZ : 0);
            const double sx = (p[0] / p[3] + 1) * 0.5 * W, sy = H - (p[1] / p[3] + 1) * 0.5 * H;
            lo[0] = std::min(lo[0], sx), hi[0] = std::max(hi[0], sx);
            lo[1] = std::min(lo[1], sy), hi[1] = std::max(hi[1], sy);
        }
        for (int i = 0; i < 60; ++i) {
            int px = int(rng() % W), py = int(rng() % H);
            if (i % 4 != 0) {
                px = std::clamp(int(uni(lo[0], hi[0])), 0, W - 1);
                py = std::clamp(int(uni(lo[1], hi[1])), 0, H - 1);
            }
            const double wx = px + 0.5, wy = H - py - 0.5;
            const OracleResult o = OracleSight(wx, wy);
            if (o.overflow)
                continue;
            const CUBEPOS mine = Picker::PickSight(v, doc, wx, wy);
            if (mine != o.cell && o.NearTie(mine)) {
                ++nearTies;
                continue;
            }
            ASSERT_EQ(mine, o.cell) << "scene " << scene << " pixel " << px << "," << py << " mode "
                                    << v.m_drawMode << " axis " << v.m_canvasAxis << " pos " << v.m_canvasPos
                                    << " size " << doc.m_sizeX << "x" << doc.m_sizeY << "x" << doc.m_sizeZ
                                    << " hits " << o.hits;
            ++compared;
            if (mine.x == -1)
                continue;
            ++sightHits;
            if (v.m_drawMode == 1) {
                v.m_sightX = mine.x;
                v.m_sightY = mine.y;
                v.m_sightZ = mine.z;
                const OracleResult oa = OracleAttach(wx, wy);
                const CUBEPOS target = Picker::PickAttach(v, doc, wx, wy);
                if (target != oa.cell && oa.NearTie(target)) {
                    ++nearTies;
                    continue;
                }
                ASSERT_EQ(target, oa.cell)
                    << "scene " << scene << " pixel " << px << "," << py;
                ++attachCompared;
                attachHits += oa.cell.x != -1;
            }
        }
    }
    // Enough of each kind was compared for the agreement to mean something.
    EXPECT_GT(compared, 10000);
    EXPECT_GT(sightHits, 3000);
    EXPECT_GT(attachCompared, 1000);
    EXPECT_GT(attachHits, 400);
    // Ties closer than GL's own precision may go either way, but only rarely.
    EXPECT_LT(nearTies, compared / 200);
}

TEST_F(PickerTest, EqualDepthsGoToTheLaterCandidate)
{
    // Looking straight down the z axis, cell edges fall on whole pixels; a
    // point on the edge between two cells meets both at the same depth.
    doc.SetGridSize(4, 4, 4);
    v.m_rotX = v.m_rotY = 0;
    v.m_scale = 1;
    v.m_canvasAxis = 2;
    v.m_canvasPos = 1;
    // The grid spans window x 80..120 and y 55..95; cell x = 1 | 2 meets at x = 100.
    const double onEdge = 100.0, midRow = 55 + 15;
    EXPECT_EQ(Picker::PickSight(v, doc, onEdge, midRow), (CUBEPOS{2, 1, 1}));
    EXPECT_EQ(OracleSight(onEdge, midRow).cell, (CUBEPOS{2, 1, 1}));
    EXPECT_EQ(Picker::PickSight(v, doc, onEdge - 0.5, midRow), (CUBEPOS{1, 1, 1}));
    // A corner shared by cells (0..1, 0..1, 1): the last of the four.
    EXPECT_EQ(Picker::PickSight(v, doc, 90.0, 65.0), (CUBEPOS{1, 1, 1}));
    EXPECT_EQ(OracleSight(90.0, 65.0).cell, (CUBEPOS{1, 1, 1}));
}

TEST_F(PickerTest, CanvasModeNamesLayerCellsEmptyOrNot)
{
    doc.SetGridSize(8, 8, 8);
    v.m_rotX = 90;  // looking straight down onto the y layers
    v.m_rotY = 0;
    v.m_scale = 1;
    v.m_canvasAxis = 1;
    v.m_canvasPos = 5;
    doc.m_cubes[{6, 7, 6}] = RGB(9, 9, 9);  // above the layer: not a candidate
    const CUBEPOS c = Sight(W / 2 + 5, H / 2 + 5);
    EXPECT_EQ(c.y, 5);
    EXPECT_GE(c.x, 0);
    EXPECT_EQ(Sight(W / 2 + 25, H / 2 + 25), (CUBEPOS{6, 5, 6}));
    // Outside the layer: nothing.
    EXPECT_EQ(Sight(2, 2), Picker::kNone);
    // No client area, no pick.
    v.m_viewWidth = 0;
    EXPECT_EQ(Sight(W / 2, H / 2), Picker::kNone);
}

TEST_F(PickerTest, AttachTargetIsTheEmptyCellInFrontOfThePointedFace)
{
    doc.SetGridSize(5, 5, 5);
    v.m_drawMode = 1;
    v.m_rotX = v.m_rotY = 0;  // looking along -z: the z + 1 faces face the viewer
    v.m_scale = 1;
    doc.m_cubes[{2, 2, 2}] = RGB(1, 1, 1);
    const double wx = 100 - 0.5 * 5 * 10 + 2.5 * 10, wy = 75 - 25 + 2.5 * 10;  // centre of cell (2, 2)
    v.m_viewWidth = W;
    auto pick = [&] {
        const CUBEPOS s = Picker::PickSight(v, doc, wx, wy);
        v.m_sightX = s.x;
        v.m_sightY = s.y;
        v.m_sightZ = s.z;
        return std::pair{s, Picker::PickAttach(v, doc, wx, wy)};
    };
    auto [sight, attach] = pick();
    EXPECT_EQ(sight, (CUBEPOS{2, 2, 2}));
    EXPECT_EQ(attach, (CUBEPOS{2, 2, 3}));
    EXPECT_EQ(OracleAttach(wx, wy).cell, attach);

    // Stacking toward the viewer up to the edge of the grid.
    doc.m_cubes[{2, 2, 3}] = doc.m_cubes[{2, 2, 4}] = RGB(1, 1, 1);
    std::tie(sight, attach) = pick();
    EXPECT_EQ(sight, (CUBEPOS{2, 2, 4}));
    EXPECT_EQ(attach, Picker::kNone);  // (2, 2, 5) lies outside the box
    EXPECT_EQ(OracleAttach(wx, wy).cell, Picker::kNone);

    // Empty space: neither.
    const CUBEPOS none = Picker::PickSight(v, doc, 5, 5);
    EXPECT_EQ(none, Picker::kNone);
    v.m_sightX = v.m_sightY = v.m_sightZ = -1;
    EXPECT_EQ(Picker::PickAttach(v, doc, 5, 5), Picker::kNone);
    // Canvas mode never has an attach target.
    v.m_drawMode = 0;
    v.m_sightX = v.m_sightY = v.m_sightZ = 2;
    EXPECT_EQ(Picker::PickAttach(v, doc, wx, wy), Picker::kNone);
}

TEST_F(PickerTest, OccupiedNeighbourInFrontLeavesAnotherOrNone)
{
    doc.SetGridSize(5, 5, 5);
    v.m_drawMode = 1;
    v.m_rotX = 20;
    v.m_rotY = -30;
    v.m_scale = 3;
    doc.m_cubes[{2, 2, 2}] = RGB(1, 1, 1);
    v.m_sightX = v.m_sightY = v.m_sightZ = 2;
    // Walk the pixels over the sight cube; wherever its +z neighbour was the
    // target, filling that neighbour must move the target elsewhere.
    int moved = 0;
    for (int py = 0; py < H; py += 3)
        for (int px = 0; px < W; px += 3) {
            const double wx = px + 0.5, wy = H - py - 0.5;
            doc.m_cubes.erase({2, 2, 3});
            if (Picker::PickAttach(v, doc, wx, wy) != (CUBEPOS{2, 2, 3}))
                continue;
            doc.m_cubes[{2, 2, 3}] = RGB(1, 1, 1);
            const CUBEPOS other = Picker::PickAttach(v, doc, wx, wy);
            EXPECT_NE(other, (CUBEPOS{2, 2, 3}));
            EXPECT_EQ(other, OracleAttach(wx, wy).cell);
            ++moved;
        }
    EXPECT_GT(moved, 10);
}

TEST_F(PickerTest, LongRowsOfCubesArePickedWhereSelectionOverflows)
{
    // A full 40 x 40 x 40 model seen from a corner: with a one-pixel pick
    // square hundreds of candidates lie under the pointer and the selection
    // buffer overflows, so selection would pick nothing. The ray still finds
    // the front cube.
    doc.SetGridSize(40, 40, 40);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 40; ++y)
            for (int z = 0; z < 40; ++z)
                doc.m_cubes[{x, y, z}] = RGB(1, 1, 1);
    v.m_drawMode = 1;
    v.m_scale = 0.25;
    EXPECT_TRUE(OracleSight(W / 2, H / 2, 1.0).overflow);
    const CUBEPOS front = Picker::PickSight(v, doc, W / 2 + 0.5, H / 2 + 0.5);
    EXPECT_NE(front, Picker::kNone);
    // Seen from the default corner the nearest cells have the largest x and z.
    EXPECT_TRUE(front.x == 39 || front.y == 39 || front.z == 39) << front.x << "," << front.y << "," << front.z;

    // Straight down the z axis: the front cube of the centre column.
    v.m_rotX = 0;
    v.m_rotY = 0;
    // Straight down -z the front cube of the column is at z = 39.
    const CUBEPOS c = Picker::PickSight(v, doc, W / 2 + 0.5, H / 2 + 0.5);
    EXPECT_EQ(c.z, 39);
    EXPECT_EQ(c.x, 20);
    EXPECT_EQ(c.y, 20);
    // Remove that one: the next one behind it.
    doc.m_cubes.erase(c);
    EXPECT_EQ(Picker::PickSight(v, doc, W / 2 + 0.5, H / 2 + 0.5), (CUBEPOS{20, 20, 38}));
}

} // namespace
