// Camera arithmetic without a window: matrices, steps, zoom to fit.
#include "view/Camera.h"
#include "view/ViewState.h"

#include <gtest/gtest.h>

namespace {

// Window position (pixels, origin bottom left) of a model point.
std::array<double, 3> ToWindow(const CViewState& s, int X, int Y, int Z, int w, int h, double x,
                               double y, double z)
{
    const auto c = (Camera::Projection(w, h) * Camera::ModelView(s, X, Y, Z)).Apply(x, y, z);
    return {(c[0] / c[3] + 1) * 0.5 * w, (c[1] / c[3] + 1) * 0.5 * h, (c[2] / c[3] + 1) * 0.5};
}

TEST(Camera, FitScaleTable)
{
    struct Row {
        int maxSide, w, h;
        double scale;
    } rows[] = {
        {16, 800, 600, 2.0},     // D = 60: 32 < 60, 64 is not
        {64, 500, 500, 0.5},     // D = 50: 64 > 50, 32 <= 50
        {60, 800, 600, 1.0},     // largest side equals D
        {30, 800, 600, 1.0},     // 30 < 60, 60 is not < 60: back to 1
        {29, 800, 600, 2.0},
        {40, 400, 400, 0.5},     // 40 > 40? no: equal -> 1
        {1, 800, 600, 32.0},     // 32 < 60, 64 is not
        {64000, 800, 600, 1.0 / 2048},
        {40, 5, 5, 1.0 / 64},    // too small for one unit: counts as one
        {40, 0, 0, 1.0 / 64},
    };
    rows[5].scale = 1.0;
    for (const Row& r : rows)
        EXPECT_DOUBLE_EQ(Camera::FitScale(r.maxSide, r.w, r.h), r.scale)
            << r.maxSide << " in " << r.w << "x" << r.h;
    EXPECT_GT(Camera::FitScale(64000, 1, 1), 0.0);
}

TEST(Camera, ZoomStepsHaveAFloorAndNoCeiling)
{
    EXPECT_NEAR(Camera::ScaleDown(0.2), 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(Camera::ScaleDown(0.15), 0.1);
    EXPECT_DOUBLE_EQ(Camera::ScaleDown(0.1), 0.1);
    double s = 1.0;
    for (int i = 0; i < 10; ++i) {
        s = Camera::ScaleDown(s);
        EXPECT_GE(s, 0.1);
    }
    EXPECT_NEAR(s, 0.1, 1e-9);
    CViewState v;
    for (int i = 0; i < 30; ++i)
        v.m_rotY += Camera::kRotateStep;
    EXPECT_DOUBLE_EQ(v.m_rotY, 105.0); // never wrapped
    v.m_lookX = 7;
    v.m_rotZ = 3;
    Camera::ResetRotation(v);
    Camera::ResetLookAt(v);
    EXPECT_EQ(v.m_rotX, 25.0);
    EXPECT_EQ(v.m_rotY, -45.0);
    EXPECT_EQ(v.m_rotZ, 0.0);
    EXPECT_EQ(v.m_lookX, 0.0);
}

TEST(Camera, TenPixelsPerUnitAndGridCentredOnTheLookAt)
{
    CViewState v;
    v.m_rotX = v.m_rotY = 0;
    // The middle of the grid lands in the middle of the view, 500 units in front.
    auto c = ToWindow(v, 16, 8, 4, 800, 600, 8, 4, 2);
    EXPECT_NEAR(c[0], 400, 1e-9);
    EXPECT_NEAR(c[1], 300, 1e-9);
    const auto eye = Camera::ModelView(v, 16, 8, 4).Apply(8, 4, 2);
    EXPECT_NEAR(eye[2], -500, 1e-9);
    // One unit is 10 pixels at zoom 1, 20 at zoom 2, times the ratio.
    auto right = ToWindow(v, 16, 8, 4, 800, 600, 9, 4, 2);
    EXPECT_NEAR(right[0] - c[0], 10, 1e-9);
    v.m_scale = 2;
    v.m_ratioY = 0.5;
    auto up = ToWindow(v, 16, 8, 4, 800, 600, 8, 5, 2);
    EXPECT_NEAR(up[1] - 300, 10, 1e-9);
    // Moving the look-at centre down shifts the scene up on the screen.
    v.m_lookY = -5;
    EXPECT_GT(ToWindow(v, 16, 8, 4, 800, 600, 8, 4, 2)[1], 300);
    // Depth grows away from the eye, within 0..1.
    v = CViewState{};
    v.m_rotX = v.m_rotY = 0;
    const double nearer = ToWindow(v, 16, 16, 16, 800, 600, 8, 8, 16)[2];
    const double farther = ToWindow(v, 16, 16, 16, 800, 600, 8, 8, 0)[2];
    EXPECT_LT(nearer, farther);
    EXPECT_GT(nearer, 0);
    EXPECT_LT(farther, 1);
}

TEST(Camera, RotationsTurnTheGridAboutItsCentreInOrderXYZ)
{
    CViewState v;
    v.m_rotX = 0;
    v.m_rotY = 90;
    // Turning 90 degrees about y brings the +x end of the grid toward the eye
    // (-z in eye space is away from it).
    const Mat4 mv = Camera::ModelView(v, 10, 10, 10);
    const auto end = mv.Apply(10, 5, 5);
    const auto mid = mv.Apply(5, 5, 5);
    EXPECT_NEAR(end[0], mid[0], 1e-9);
    EXPECT_LT(end[2], mid[2]);
    // The order matters: X first, then Y, then Z (outermost first).
    const Mat4 expected = Camera::LookAtMatrix(v) * Camera::Rotate(0, 1, 0, 0) *
                          Camera::Rotate(90, 0, 1, 0) * Camera::Rotate(0, 0, 0, 1) *
                          Camera::Scale(1, 1, 1) * Camera::Translate(-5, -5, -5);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(mv.m[size_t(i)], expected.m[size_t(i)], 1e-12);
}

TEST(Camera, InverseUndoesTheTransform)
{
    CViewState v;
    v.m_scale = 3.5;
    v.m_ratioZ = 0.3;
    v.m_lookX = 12;
    const Mat4 m = Camera::Projection(640, 480) * Camera::ModelView(v, 7, 9, 11);
    Mat4 inv;
    ASSERT_TRUE(m.Invert(inv));
    const Mat4 id = m * inv;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(id(r, c), r == c ? 1.0 : 0.0, 1e-9);
    Mat4 singular;
    EXPECT_FALSE(singular.Invert(inv));
}

} // namespace
