// Camera arithmetic without a window: zoom to fit and the edge cases of the
// inverse the picker uses. (The matrices are pinned against GL's own in the render tests, the
// steps and resets through the command table.)
#include "scene/Camera.h"

#include <gtest/gtest.h>

namespace {

TEST(Camera, FitScaleTable)
{
    // The shorter side of the view holds D = side / 10 units.
    const struct { int maxSide, w, h; double scale; } rows[] = {
        {60, 800, 600, 1.0}, {30, 800, 600, 1.0}, {29, 800, 600, 2.0},  // equal to D; 2 x 30 is not inside 60
        {1, 800, 600, 32.0}, {64000, 800, 600, 1.0 / 2048},
        {40, 0, 0, 1.0 / 64},  // too small for one unit: counts as one
    };
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(Camera::FitScale(r.maxSide, r.w, r.h), r.scale) << r.maxSide << " in " << r.w << "x" << r.h;
    EXPECT_GT(Camera::FitScale(64000, 1, 1), 0.0);
}

TEST(Camera, InverseOfSingularAndPivotingMatrices)
{
    // The picker's random scenes invert ordinary camera matrices; here the
    // cases they never reach.
    Mat4 inv;
    EXPECT_FALSE(Mat4{}.Invert(inv));
    Mat4 swap;  // zeros on the diagonal: the inverse must pivot
    swap(0, 1) = swap(1, 0) = swap(2, 2) = swap(3, 3) = 1;
    ASSERT_TRUE(swap.Invert(inv));
    EXPECT_EQ(inv.m, swap.m);
}

} // namespace
