#include "scene/Camera.h"

#include "scene/CameraState.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Mat4 Mat4::Identity()
{
    Mat4 r;
    r(0, 0) = r(1, 1) = r(2, 2) = r(3, 3) = 1.0;
    return r;
}

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a(i, k) * b(k, j);
            r(i, j) = sum;
        }
    return r;
}

std::array<double, 4> Mat4::Apply(double x, double y, double z, double w) const
{
    const Mat4& a = *this;
    return {a(0, 0) * x + a(0, 1) * y + a(0, 2) * z + a(0, 3) * w,
            a(1, 0) * x + a(1, 1) * y + a(1, 2) * z + a(1, 3) * w,
            a(2, 0) * x + a(2, 1) * y + a(2, 2) * z + a(2, 3) * w,
            a(3, 0) * x + a(3, 1) * y + a(3, 2) * z + a(3, 3) * w};
}

bool Mat4::Invert(Mat4& out) const
{
    // Gauss-Jordan with partial pivoting on a copy.
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = (*this)(r, c);
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::abs(a[r][col]) > std::abs(a[pivot][col]))
                pivot = r;
        if (a[pivot][col] == 0.0)
            return false;
        if (pivot != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[pivot][c], a[col][c]);
        const double inv = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] *= inv;
        for (int r = 0; r < 4; ++r)
            if (r != col && a[r][col] != 0.0) {
                const double f = a[r][col];
                for (int c = 0; c < 8; ++c)
                    a[r][c] -= f * a[col][c];
            }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out(r, c) = a[r][c + 4];
    return true;
}

namespace Camera {

Mat4 Ortho(double l, double r, double b, double t, double n, double f)
{
    Mat4 m = Mat4::Identity();
    m(0, 0) = 2.0 / (r - l);
    m(1, 1) = 2.0 / (t - b);
    m(2, 2) = -2.0 / (f - n);
    m(0, 3) = -(r + l) / (r - l);
    m(1, 3) = -(t + b) / (t - b);
    m(2, 3) = -(f + n) / (f - n);
    return m;
}

Mat4 LookAt(double ex, double ey, double ez, double cx, double cy, double cz, double ux, double uy,
            double uz)
{
    double f[3] = {cx - ex, cy - ey, cz - ez};
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& v : f)
        v /= fl;
    // side = forward x up, normalised; up' = side x forward.
    double s[3] = {f[1] * uz - f[2] * uy, f[2] * ux - f[0] * uz, f[0] * uy - f[1] * ux};
    const double sl = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    for (double& v : s)
        v /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                         s[0] * f[1] - s[1] * f[0]};
    Mat4 m = Mat4::Identity();
    for (int c = 0; c < 3; ++c) {
        m(0, c) = s[c];
        m(1, c) = u[c];
        m(2, c) = -f[c];
    }
    return m * Translate(-ex, -ey, -ez);
}

Mat4 Rotate(double degrees, double x, double y, double z)
{
    const double len = std::sqrt(x * x + y * y + z * z);
    if (len == 0.0)
        return Mat4::Identity();
    x /= len;
    y /= len;
    z /= len;
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    Mat4 m = Mat4::Identity();
    m(0, 0) = x * x * t + c;
    m(0, 1) = x * y * t - z * s;
    m(0, 2) = x * z * t + y * s;
    m(1, 0) = y * x * t + z * s;
    m(1, 1) = y * y * t + c;
    m(1, 2) = y * z * t - x * s;
    m(2, 0) = x * z * t - y * s;
    m(2, 1) = y * z * t + x * s;
    m(2, 2) = z * z * t + c;
    return m;
}

Mat4 Scale(double x, double y, double z)
{
    Mat4 m = Mat4::Identity();
    m(0, 0) = x;
    m(1, 1) = y;
    m(2, 2) = z;
    return m;
}

Mat4 Translate(double x, double y, double z)
{
    Mat4 m = Mat4::Identity();
    m(0, 3) = x;
    m(1, 3) = y;
    m(2, 3) = z;
    return m;
}

Mat4 Projection(int w, int h)
{
    const double hw = w * 0.5 / kPixelsPerUnit;
    const double hh = h * 0.5 / kPixelsPerUnit;
    return Ortho(-hw, hw, -hh, hh, kNear, kFar);
}

Mat4 LookAtMatrix(const CCameraState& s)
{
    return LookAt(0.0, 0.0, kEyeZ, s.m_lookX, s.m_lookY, s.m_lookZ, 0.0, 1.0, 0.0);
}

Mat4 ModelMatrix(const CCameraState& s, int sizeX, int sizeY, int sizeZ)
{
    return Rotate(s.m_rotX, 1, 0, 0) * Rotate(s.m_rotY, 0, 1, 0) * Rotate(s.m_rotZ, 0, 0, 1) *
           Scale(s.m_ratioX * s.m_scale, s.m_ratioY * s.m_scale, s.m_ratioZ * s.m_scale) *
           Translate(-0.5 * sizeX, -0.5 * sizeY, -0.5 * sizeZ);
}

Mat4 ModelView(const CCameraState& s, int sizeX, int sizeY, int sizeZ)
{
    return LookAtMatrix(s) * ModelMatrix(s, sizeX, sizeY, sizeZ);
}

namespace {

// The power of two fitted to the largest side alone: strictly smaller than
// the shorter side of the view when growing, at most equal when shrinking.
double SideFitScale(int maxGridSide, int clientWidth, int clientHeight)
{
    const double m = maxGridSide;
    const int d = std::max(1, std::min(clientWidth, clientHeight) / 10);
    double scale = 1.0;
    if (m * scale < d) {
        while (m * scale < d)
            scale *= 2.0;
        return scale / 2.0;
    }
    if (m == d)
        return 1.0;
    while (m * scale > d)
        scale /= 2.0;
    return scale;
}

// Whether the eight corners of the grid box, seen at this zoom, lie inside
// the view's projection, depth included.
bool BoxInView(const CCameraState& pose, int sizeX, int sizeY, int sizeZ, double scale, int w, int h)
{
    CCameraState s = pose;
    s.m_scale = scale;
    s.m_lookX = s.m_lookY = s.m_lookZ = 0.0;
    const Mat4 m = Projection(w, h) * ModelView(s, sizeX, sizeY, sizeZ);
    // Rounding must not push a corner that lies on the edge out of view.
    constexpr double kSlack = 1e-9;
    for (int corner = 0; corner < 8; ++corner) {
        const auto p = m.Apply(corner & 1 ? sizeX : 0, corner & 2 ? sizeY : 0, corner & 4 ? sizeZ : 0);
        for (int axis = 0; axis < 3; ++axis)
            if (std::abs(p[std::size_t(axis)]) > p[3] * (1.0 + kSlack))
                return false;
    }
    return true;
}

} // namespace

double FitScale(const CCameraState& pose, int sizeX, int sizeY, int sizeZ, int clientWidth, int clientHeight)
{
    const int side = std::max({sizeX, sizeY, sizeZ});
    if (side < 1)
        return 1.0;
    double scale = SideFitScale(side, clientWidth, clientHeight);
    // A view without an area has no box to fit into.
    if (clientWidth < 1 || clientHeight < 1)
        return scale;
    while (scale > kMinFitScale && !BoxInView(pose, sizeX, sizeY, sizeZ, scale, clientWidth, clientHeight))
        scale /= 2.0;
    return scale;
}

double ScaleDown(double scale)
{
    scale -= kScaleStep;
    return scale < kMinScale ? kMinScale : scale;
}

void ResetRotation(CCameraState& s)
{
    s.m_rotX = 25.0;
    s.m_rotY = -45.0;
    s.m_rotZ = 0.0;
}

void ResetLookAt(CCameraState& s)
{
    s.m_lookX = s.m_lookY = s.m_lookZ = 0.0;
}

} // namespace Camera
