#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct CCameraState;

// 4 x 4 matrices in the layout OpenGL loads them (column-major, double).
struct Mat4 {
    std::array<double, 16> m{};

    static Mat4 Identity();
    double& operator()(int row, int col) { return m[std::size_t(col * 4 + row)]; }
    double operator()(int row, int col) const { return m[std::size_t(col * 4 + row)]; }
    friend Mat4 operator*(const Mat4& a, const Mat4& b);
    // Transforms the point (x, y, z, w).
    std::array<double, 4> Apply(double x, double y, double z, double w = 1.0) const;
    // False when the matrix is singular.
    bool Invert(Mat4& out) const;
};

// The camera: an orthographic projection sized from the client area, a
// look-at whose centre the user moves, three rotations, the per-axis scale
// (cube ratio times zoom) and a shift that centres the grid on the origin.
// The frame and picking both build their matrices here, so that what is
// picked is what is drawn.
namespace Camera {

// One grid unit covers this many pixels at zoom 1.
inline constexpr double kPixelsPerUnit = 10.0;
inline constexpr double kEyeZ = 500.0;
inline constexpr double kNear = -1.0;
inline constexpr double kFar = 3000.0;

// The same matrices as glOrtho, gluLookAt, glRotated, glScaled, glTranslated.
Mat4 Ortho(double left, double right, double bottom, double top, double zNear, double zFar);
Mat4 LookAt(double eyeX, double eyeY, double eyeZ, double cx, double cy, double cz, double upX,
            double upY, double upZ);
Mat4 Rotate(double degrees, double x, double y, double z);
Mat4 Scale(double x, double y, double z);
Mat4 Translate(double x, double y, double z);

// Projection for a client area of w x h (logical) pixels.
Mat4 Projection(int w, int h);
// Eye at (0, 0, 500) looking at the look-at centre, y up.
Mat4 LookAtMatrix(const CCameraState& s);
// Rotations X, Y, Z, then ratio x zoom, then minus half the grid size.
Mat4 ModelMatrix(const CCameraState& s, int sizeX, int sizeY, int sizeZ);
// Look-at times model transform: what the frame has in the model-view matrix
// while it draws the scene.
Mat4 ModelView(const CCameraState& s, int sizeX, int sizeY, int sizeZ);

// The zoom "Setting:DefaultScale" fits: the largest power of two that keeps
// the largest grid side strictly inside the shorter side of the view when
// growing, or at most equal to it when shrinking (a view too small to hold
// one unit at zoom 1 counts as one unit), then halved, down to
// kMinFitScale, until the whole grid box lies in the view. The box is
// centred on the origin and seen with the cube ratio and rotation of `pose`
// (its zoom and look-at do not count): the rotation the view will have.
inline constexpr double kMinFitScale = 1.0 / 1024.0;
double FitScale(const CCameraState& pose, int sizeX, int sizeY, int sizeZ, int clientWidth, int clientHeight);

// The camera steps, shared by commands, keys, drags and the wheel.
inline constexpr double kRotateStep = 5.0;
inline constexpr double kMoveStep = 5.0;
inline constexpr double kScaleStep = 0.1;
inline constexpr double kMinScale = 0.1;
double ScaleDown(double scale);
void ResetRotation(CCameraState& s);
void ResetLookAt(CCameraState& s);

} // namespace Camera
