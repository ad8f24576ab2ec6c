// Camera arithmetic without a window: matrices, steps, zoom to fit.
#include "scene/Camera.h"
#include "scene/CameraState.h"

#include <gtest/gtest.h>

namespace {

// Window position (pixels, origin bottom left) of a model point in an
// 800 x 600 view of a 16 x 8 x 4 grid. (The rotations, their order and the
// depth range are pinned by the comparison with GL's own matrices in the
// render tests.)
std::array<double, 2> ToWindow(const CCameraState& s, double x, double y, double z)
{
    const auto c = (Camera::Projection(800, 600) * Camera::ModelView(s, 16, 8, 4)).Apply(x, y, z);
    return {(c[0] / c[3] + 1) * 400, (c[1] / c[3] + 1) * 300};
}

TEST(Camera, FitScaleTable)
{
    // The shorter side of the view holds D = side / 10 units.
    const struct { int maxSide, w, h; double scale; } rows[] = {
        {16, 800, 600, 2.0},  {64, 500, 500, 0.5},  {60, 800, 600, 1.0},   // largest side equals D
        {30, 800, 600, 1.0},  {29, 800, 600, 2.0},  {40, 400, 400, 1.0},   // 2 x 30 is not inside 60
        {1, 800, 600, 32.0},  {64000, 800, 600, 1.0 / 2048},
        {40, 5, 5, 1.0 / 64}, {40, 0, 0, 1.0 / 64},  // too small for one unit: counts as one
    };
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(Camera::FitScale(r.maxSide, r.w, r.h), r.scale) << r.maxSide << " in " << r.w << "x" << r.h;
    EXPECT_GT(Camera::FitScale(64000, 1, 1), 0.0);
}

TEST(Camera, ZoomHasAFloorAndResetsRestoreTheStartView)
{
    EXPECT_NEAR(Camera::ScaleDown(0.2), 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(Camera::ScaleDown(0.15), 0.1);
    EXPECT_DOUBLE_EQ(Camera::ScaleDown(0.1), 0.1);
    EXPECT_NEAR(Camera::ScaleDown(1000.0), 999.9, 1e-9);
    CCameraState v;
    v.m_rotY = 105;
    v.m_lookX = 7;
    v.m_rotZ = 3;
    Camera::ResetRotation(v);
    Camera::ResetLookAt(v);
    EXPECT_EQ(std::tuple(v.m_rotX, v.m_rotY, v.m_rotZ, v.m_lookX), std::tuple(25.0, -45.0, 0.0, 0.0));
}

TEST(Camera, TenPixelsPerUnitAndGridCentredOnTheLookAt)
{
    CCameraState v;
    v.m_rotX = v.m_rotY = 0;
    // The middle of the grid lands in the middle of the view, 500 units in front.
    const auto c = ToWindow(v, 8, 4, 2);
    EXPECT_NEAR(c[0], 400, 1e-9);
    EXPECT_NEAR(c[1], 300, 1e-9);
    EXPECT_NEAR(Camera::ModelView(v, 16, 8, 4).Apply(8, 4, 2)[2], -500, 1e-9);
    // One unit is 10 pixels at zoom 1, 20 at zoom 2, times the ratio.
    EXPECT_NEAR(ToWindow(v, 9, 4, 2)[0] - 400, 10, 1e-9);
    v.m_scale = 2;
    v.m_ratioY = 0.5;
    EXPECT_NEAR(ToWindow(v, 8, 5, 2)[1] - 300, 10, 1e-9);
    // Moving the look-at centre down shifts the scene up on the screen.
    v.m_lookY = -5;
    EXPECT_GT(ToWindow(v, 8, 4, 2)[1], 300);
}

TEST(Camera, InverseUndoesTheTransform)
{
    CCameraState v;
    v.m_scale = 3.5;
    v.m_ratioZ = 0.3;
    v.m_lookX = 12;
    const Mat4 m = Camera::Projection(640, 480) * Camera::ModelView(v, 7, 9, 11);
    Mat4 inv;
    ASSERT_TRUE(m.Invert(inv));
    const Mat4 id = m * inv;
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(id.m[size_t(i)], i % 5 == 0 ? 1.0 : 0.0, 1e-9);
    EXPECT_FALSE(Mat4{}.Invert(inv));
    Mat4 swap;  // zeros on the diagonal: the inverse must pivot
    swap(0, 1) = swap(1, 0) = swap(2, 2) = swap(3, 3) = 1;
    ASSERT_TRUE(swap.Invert(inv));
    EXPECT_EQ(inv.m, swap.m);
}

} // namespace
