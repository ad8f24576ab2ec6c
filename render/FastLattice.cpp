#include "render/FastLattice.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <cstdint>

namespace {

bool Visible(const Mat4& mvp, const std::array<int, 3>& lo, const std::array<int, 3>& hi)
{
    // A few pixels of margin for wide lines, in a view of at least 100.
    constexpr double kMargin = 0.1;
    const double c[3] = {(lo[0] + hi[0]) / 2.0, (lo[1] + hi[1]) / 2.0, (lo[2] + hi[2]) / 2.0};
    const double h[3] = {(hi[0] - lo[0]) / 2.0, (hi[1] - lo[1]) / 2.0, (hi[2] - lo[2]) / 2.0};
    const auto p = mvp.Apply(c[0], c[1], c[2]);
    for (int r = 0; r < 3; ++r) {
        const double e = std::abs(mvp(r, 0)) * h[0] + std::abs(mvp(r, 1)) * h[1] + std::abs(mvp(r, 2)) * h[2];
        const double m = r < 2 ? kMargin : 0.0;
        if (p[std::size_t(r)] - e > 1.0 + m || p[std::size_t(r)] + e < -1.0 - m)
            return false;
    }
    return true;
}

} // namespace

void CFastLattice::Upload(Set& set, const std::vector<LatticeBlocks::Block>& lines,
                          const std::vector<LatticeBlocks::Block>& posts)
{
    std::vector<LatticeBlocks::Vertex> all;
    for (const auto* blocks : {&lines, &posts})
        for (const auto& b : *blocks) {
            auto& ranges = blocks == &lines ? set.lines : set.posts;
            ranges.push_back({std::int32_t(all.size()), std::int32_t(b.ends.size()), b.lo, b.hi});
            all.insert(all.end(), b.ends.begin(), b.ends.end());
        }
    set.bytes = all.size() * sizeof(LatticeBlocks::Vertex);
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(set.bytes), all.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    set.buffer = name;
}

void CFastLattice::Draw(const Set& set, const std::vector<Range>& ranges, const Mat4& mvp)
{
    glBindBuffer(GL_ARRAY_BUFFER, set.buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_SHORT, sizeof(LatticeBlocks::Vertex), nullptr);
    for (const Range& r : ranges)
        if (Visible(mvp, r.lo, r.hi))
            glDrawArrays(GL_LINES, r.first, r.count);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void CFastLattice::Delete(Set& set)
{
    if (set.buffer) {
        const GLuint name = set.buffer;
        glDeleteBuffers(1, &name);
    }
    set = {};
}

void CFastLattice::DrawFrame(int sx, int sy, int sz, const Mat4& mvp, ViewSize)
{
    const std::array<int, 4> key{sx, sy, sz, -1};
    if (m_frame.key != key || !m_frame.buffer) {
        Delete(m_frame);
        Upload(m_frame, LatticeBlocks::Frame(sx, sy, sz), {});
        m_frame.key = key;
    }
    Draw(m_frame, m_frame.lines, mvp);
}

void CFastLattice::DrawCanvas(int axis, int sx, int sy, int sz, const Mat4& mvp, ViewSize device)
{
    const std::array<int, 4> key{sx, sy, sz, axis};
    if (m_canvas.key != key || !m_canvas.buffer) {
        Delete(m_canvas);
        const LatticeBlocks::Canvas c = LatticeBlocks::CanvasSlab(axis, sx, sy, sz);
        Upload(m_canvas, c.lines, c.posts);
        m_canvas.key = key;
    }
    Draw(m_canvas, m_canvas.lines, mvp);
    // How long a post is on the screen: every one is the same unit step.
    const auto d = mvp.Apply(axis == 0, axis == 1, axis == 2, 0.0);
    const double length = std::hypot(d[0] * device.width / 2.0, d[1] * device.height / 2.0);
    if (length >= 0.5)
        Draw(m_canvas, m_canvas.posts, mvp);
}

void CFastLattice::ReleaseGL()
{
    Delete(m_frame);
    Delete(m_canvas);
}

void CFastLattice::ForgetGL()
{
    m_frame = {};
    m_canvas = {};
}
