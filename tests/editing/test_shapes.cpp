// The shapes' cells, and the shape tools driven through the tool box as the
// view drives them, in both drawing modes.
#include "editing/ShapeTool.h"
#include "editing/ToolBox.h"
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"
#include "tests/editing/ToolTestSupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <map>

namespace {

using Shapes::Kind;

TEST(Shapes, CellsOfEachShape)
{
    const GridSize grid{8, 8, 8};
    const struct {
        Shapes::Spec shape;
        std::size_t cells;
    } rows[] = {
        {{Kind::Box, false, 1, {1, 2, 1}, {3, 2, 0}}, 6},    // corners in any order
        {{Kind::Box, true, 1, {0, 0, 0}, {2, 0, 2}}, 8},     // one layer: the outline
        {{Kind::Box, true, 1, {0, 0, 0}, {2, 2, 2}}, 26},    // deeper: closed by both end layers
        {{Kind::Box, true, 1, {0, 0, 0}, {4, 0, 0}}, 5},     // one cell wide: nothing inside
        {{Kind::Box, false, 0, {6, 6, 6}, {9, 9, 9}}, 8},    // beyond the grid: skipped
        {{Kind::Ellipse, false, 1, {0, 0, 0}, {4, 0, 4}}, 21},  // rows of 3, 5, 5, 5, 3
        {{Kind::Ellipse, true, 1, {0, 0, 0}, {4, 0, 4}}, 12},
        {{Kind::Ellipse, false, 2, {0, 0, 0}, {4, 4, 2}}, 63},  // the same across Z on three layers
        {{Kind::Line, false, 1, {0, 0, 0}, {5, 0, 2}}, 6},
        {{Kind::Line, false, 1, {7, 7, 7}, {0, 0, 0}}, 8},
        {{Kind::Line, false, 1, {-3, 0, 0}, {3, 0, 0}}, 4},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Shapes::Cells(r.shape, grid).size(), r.cells) << int(r.shape.kind) << " " << r.shape.hollow;
    for (const Kind kind : {Kind::Box, Kind::Line, Kind::Ellipse})
        EXPECT_EQ(Shapes::Cells({kind, true, 0, {3, 4, 5}, {3, 4, 5}}, grid), (std::vector<CUBEPOS>{{3, 4, 5}}));

    // A line runs from one end to the other, one step along its longest
    // axis at a time, touching by faces, edges or corners.
    const std::vector<CUBEPOS> line = Shapes::Cells({Kind::Line, false, 1, {7, 1, 0}, {0, 4, 2}}, grid);
    ASSERT_EQ(line.size(), 8u);
    EXPECT_EQ(line.front(), (CUBEPOS{7, 1, 0}));
    EXPECT_EQ(line.back(), (CUBEPOS{0, 4, 2}));
    for (std::size_t i = 1; i < line.size(); ++i) {
        EXPECT_EQ(line[i].x, line[i - 1].x - 1);
        EXPECT_LE(std::abs(line[i].y - line[i - 1].y) + std::abs(line[i].z - line[i - 1].z), 2);
    }
    // An ellipse is symmetric about its centre.
    const std::vector<CUBEPOS> ring = Shapes::Cells({Kind::Ellipse, true, 1, {0, 0, 0}, {6, 0, 3}}, grid);
    for (const CUBEPOS& p : ring)
        EXPECT_NE(std::find(ring.begin(), ring.end(), CUBEPOS{6 - p.x, 0, 3 - p.z}), ring.end());
}

class ShapeTools : public ToolTest {
protected:
    // The pixel (x, y) picks the cell of the layer the canvas is on at x, z = y;
    // in attach mode, the top face of the cube there.
    void SetUp() override
    {
        host.onPick = [this](int x, int y) {
            CPointerState& p = v.m_pointer;
            const int layer = v.m_edit.m_drawMode == DrawMode::Canvas ? v.m_edit.m_canvasPos : 3;
            p.m_sightX = x, p.m_sightY = layer, p.m_sightZ = y;
            p.m_attachX = x, p.m_attachY = layer + 1, p.m_attachZ = y;
        };
    }
    void Drag(int x0, int y0, int x1, int y1, bool shift = false, std::function<void()> during = {})
    {
        host.onPick(x0, y0);
        tools.Press(ctx, {x0, y0, PointerButton::Left, true, false, false, shift, false});
        tools.Move(ctx, {x1, y1, PointerButton::None, true, false, false, shift, false});
        if (during)
            during();
        tools.Release(ctx, {x1, y1, PointerButton::Left});
    }
    void Wheel(bool forward) { tools.Wheel(ctx, {forward, false, false}); }
    std::size_t Cubes() const { return doc.m_cubes.Count(); }
};

TEST_F(ShapeTools, CanvasModeDragsWheelsErasesMirrorsAndCancels)
{
    v.m_edit.m_tool = DrawingTool::Box;
    // The wheel carries the box across layers 0..2, then back below its start.
    Drag(1, 1, 3, 2, false, [&] { Wheel(true), Wheel(true); });
    EXPECT_EQ(Cubes(), 3u * 2 * 3);
    EXPECT_EQ(v.m_edit.m_canvasPos, 2);
    Drag(5, 5, 6, 6, false, [&] { Wheel(false), Wheel(false), Wheel(false); });  // stops at layer 0
    EXPECT_EQ(Cubes(), 18u + 2 * 2 * 3);
    // One undo step each.
    doc.HistoryBack();
    EXPECT_EQ(Cubes(), 18u);
    // Shift erases; mirror painting repeats the shape across X.
    v.m_edit.m_canvasPos = 1;
    Drag(0, 0, 7, 7, true);
    EXPECT_EQ(Cubes(), 12u);
    v.m_edit.m_mirrorX = 1;
    v.m_edit.m_tool = DrawingTool::Line;
    Drag(0, 10, 3, 10);
    EXPECT_EQ(doc.GetCube(15, 1, 10), v.m_edit.m_cubeColor);
    EXPECT_EQ(Cubes(), 12u + 8);

    // Escape, or choosing another tool, abandons the shape; the release then
    // does nothing.
    const std::int32_t steps = doc.m_historyPos;
    Drag(0, 12, 5, 14, false, [&] { EXPECT_TRUE(tools.Key(ctx, ToolKey::Escape)); });
    v.m_edit.m_tool = DrawingTool::Ellipse;
    Drag(0, 12, 5, 14, false, [&] {
        EXPECT_FALSE(tools.Preview().IsEmpty());
        v.m_edit.m_tool = DrawingTool::Pen;
        tools.Follow(ctx);
        EXPECT_TRUE(tools.Preview().IsEmpty());
    });
    EXPECT_EQ(doc.m_historyPos, steps);
    // A press the shape does not take keeps the pen's meaning: the right
    // button removes at once.
    v.m_edit.m_tool = DrawingTool::Box;
    host.onPick(15, 10);
    tools.Press(ctx, {15, 10, PointerButton::Right, false, true, false, false, false});
    EXPECT_EQ(doc.GetCube(15, 1, 10), CLR_NONE);
}

TEST_F(ShapeTools, AttachModePlacesOutwardAndErasesInward)
{
    // A floor of cubes on layer 3; the shapes stand on its top faces.
    std::vector<CellChange> floor;
    for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z)
            floor.push_back({{x, 3, z}, RGB(1, 2, 3)});
    doc.ApplyAction(floor);
    v.m_edit.m_drawMode = DrawMode::Attach;
    v.m_edit.m_tool = DrawingTool::Ellipse;
    v.m_edit.m_shapeHollow = 1;
    Drag(0, 0, 4, 4, false, [&] { Wheel(true), Wheel(true); });
    // Three layers above the floor: a closed shell of rings 12, 21 inside the
    // middle layer left out, 12 again.
    EXPECT_EQ(Cubes(), 256u + 21 + 12 + 21);
    EXPECT_NE(doc.GetCube(2, 4, 2), CLR_NONE);
    EXPECT_EQ(doc.GetCube(2, 5, 2), CLR_NONE);
    // Shift takes the floor cubes under the faces, growing down.
    v.m_edit.m_tool = DrawingTool::Box;
    v.m_edit.m_shapeHollow = 0;
    Drag(10, 10, 12, 11, true, [&] { Wheel(true); });
    EXPECT_EQ(Cubes(), 256u + 54 - 6);
    EXPECT_EQ(doc.GetCube(11, 3, 11), CLR_NONE);
    // A selection over the top faces takes the cubes behind them, the wheel
    // going deeper (and back), Ctrl+wheel zooming as ever.
    v.m_edit.m_tool = DrawingTool::Select;
    const double scale = v.m_camera.m_scale;
    Drag(1, 2, 5, 3, false, [&] {
        Wheel(true), Wheel(true), Wheel(true), Wheel(false);
        tools.Wheel(ctx, {true, true, false});
    });
    ASSERT_TRUE(v.m_edit.m_selection.m_box);
    EXPECT_EQ(v.m_edit.m_selection.m_box->lo, (CUBEPOS{1, 1, 2}));
    EXPECT_EQ(v.m_edit.m_selection.m_box->hi, (CUBEPOS{5, 3, 3}));
    EXPECT_NE(v.m_camera.m_scale, scale);
}

} // namespace
