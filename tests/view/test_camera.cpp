// Camera arithmetic without a window: zoom to fit and the edge cases of the
// inverse the picker uses. (The matrices are pinned against GL's own in the render tests, the
// steps and resets through the command table.)
#include "scene/Camera.h"
#include "scene/CameraState.h"

#include <gtest/gtest.h>

namespace {

TEST(Camera, FitScaleTable)
{
    // The power of two of the largest side against the shorter side of the
    // view (D = side / 10 units), halved until the turned box lies inside.
    const CCameraState turned;  // the default rotation, 25 about x and -45 about y
    CCameraState faceOn;
    faceOn.m_rotX = faceOn.m_rotY = 0;
    CCameraState stretched;
    stretched.m_ratioX = 1e6;
    const struct {
        const CCameraState& pose;
        int x, y, z, w, h;
        double scale;
    } rows[] = {
        {turned, 16, 16, 16, 800, 600, 2.0},   // the side fit already shows it all
        {turned, 64, 10, 10, 500, 500, 0.5},   // so does the shrunk long grid
        {turned, 16, 16, 16, 960, 650, 2.0},   // 4 by the side, but then 96 units tall in 65
        {turned, 3, 4, 3, 960, 650, 8.0},      // 16 by the side
        {turned, 40, 40, 40, 400, 400, 0.5},   // a side equal to D keeps 1 only where it fits
        {faceOn, 60, 60, 60, 600, 600, 1.0},   // ... as face on, corners on the edges
        {turned, 40, 40, 40, 5, 5, 1.0 / 128}, // too small for one unit: counts as one, then halved
        {stretched, 4, 4, 4, 800, 600, Camera::kMinFitScale},
    };
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(Camera::FitScale(r.pose, r.x, r.y, r.z, r.w, r.h), r.scale)
            << r.x << "x" << r.y << "x" << r.z << " in " << r.w << "x" << r.h;
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
