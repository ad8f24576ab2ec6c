#include "scene/WireframeRuns.h"

#include <algorithm>
#include <tuple>

namespace {

// The face of a cube on one side of an axis: axis 0 (x): x = 0 is face 3,
// x = 1 face 1; axis 1 (y): faces 4 and 5; axis 2 (z): faces 0 and 2.
constexpr int kFaceOnSide[3][2] = {{3, 1}, {4, 5}, {0, 2}};

CWireframeRuns::Texel ToTexel(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c), 255}; }

} // namespace

void CWireframeRuns::Reset(const CCubeGridMirror& grid)
{
    const int size[3] = {grid.SizeX(), grid.SizeY(), grid.SizeZ()};
    const bool empty = size[0] < 1 || size[1] < 1 || size[2] < 1;
    int row = 0, group = 0;
    for (int a = 0; a < 3; ++a) {
        AxisLayout& l = m_axes[size_t(a)];
        l = {};
        l.firstRow = row;
        l.firstGroup = group;
        if (empty)
            continue;
        l.length = size[a];
        l.n1 = size[(a + 1) % 3];
        l.n2 = size[(a + 2) % 3];
        l.chunks = (l.length + kChunk - 1) / kChunk;
        // A stretch of n edges needs at most 3n texels: every edge a run of
        // its own between two repeated end colours.
        l.slotWidth = 3 * std::min(l.length, kChunk);
        l.slotsPerRow = kTextureWidth / l.slotWidth;
        const long slots = long(l.n1 + 1) * (l.n2 + 1) * l.chunks;
        row += int((slots + l.slotsPerRow - 1) / l.slotsPerRow);
        group += l.n1 + 1;
    }
    m_textureHeight = std::max(row, 1);
    m_texels.assign(size_t(kTextureWidth) * size_t(m_textureHeight), Texel{0, 0, 0, 255});
    m_texels.shrink_to_fit();
    m_groups.assign(size_t(group), {});
    m_groupDirty.assign(size_t(group), 1);
    m_anyDirty = true;
    m_changedFirst = 0;
    m_changedLast = m_textureHeight;
}

void CWireframeRuns::SetKey(const Key& key)
{
    if (key == m_key)
        return;
    m_key = key;
    std::fill(m_groupDirty.begin(), m_groupDirty.end(), 1);
    m_anyDirty = true;
}

void CWireframeRuns::MarkGroup(int axis, int i)
{
    const AxisLayout& l = m_axes[size_t(axis)];
    if (l.length == 0 || i < 0 || i > l.n1)
        return;
    m_groupDirty[size_t(l.firstGroup + i)] = 1;
    m_anyDirty = true;
}

void CWireframeRuns::CellChanged(int x, int y, int z)
{
    // The cell's edges along each axis lie on the grid lines at its two
    // sides in the first cross direction.
    const int c[3] = {x, y, z};
    for (int a = 0; a < 3; ++a) {
        const int i = c[(a + 1) % 3];
        MarkGroup(a, i);
        MarkGroup(a, i + 1);
    }
}

void CWireframeRuns::Update(const CCubeGridMirror& grid)
{
    if (!m_anyDirty)
        return;
    for (int a = 0; a < 3; ++a) {
        const AxisLayout& l = m_axes[size_t(a)];
        if (l.length == 0)
            continue;
        for (int i = 0; i <= l.n1; ++i)
            if (m_groupDirty[size_t(l.firstGroup + i)]) {
                BuildGroup(grid, a, i);
                m_groupDirty[size_t(l.firstGroup + i)] = 0;
            }
    }
    m_anyDirty = false;
}

std::pair<int, int> CWireframeRuns::TakeChangedRows()
{
    const std::pair<int, int> rows{m_changedFirst, m_changedLast};
    m_changedFirst = m_changedLast = 0;
    return rows;
}

std::pair<int, int> CWireframeRuns::SlotPlace(const AxisLayout& l, int slot) const
{
    return {l.firstRow + slot / l.slotsPerRow, (slot % l.slotsPerRow) * l.slotWidth};
}

bool CWireframeRuns::DrawsLines(const CCubeGridMirror& grid, int x, int y, int z) const
{
    if (!grid.Filled(x, y, z))
        return false;
    // Cubes of the shown canvas layer are drawn filled instead.
    const int along = m_key.axis == 0 ? x : m_key.axis == 1 ? y : z;
    return !(m_key.showCanvas && along == m_key.pos);
}

CWireframeRuns::Edge CWireframeRuns::Painter(const CCubeGridMirror& grid, int axis, int i, int j, int k) const
{
    // The literal drawing goes cube by cube in x, y, z order and, within a
    // cube, face by face; the last front face on the edge paints it.
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    Edge best;
    std::tuple<int, int, int> bestCell{-1, -1, -1};
    for (int d1 = 0; d1 < 2; ++d1)
        for (int d2 = 0; d2 < 2; ++d2) {
            int c[3];
            c[axis] = k;
            c[a1] = i - 1 + d1;
            c[a2] = j - 1 + d2;
            if (!DrawsLines(grid, c[0], c[1], c[2]))
                continue;
            // A cell before the line has the edge on its far side.
            const int f1 = kFaceOnSide[a1][d1 ? 0 : 1], f2 = kFaceOnSide[a2][d2 ? 0 : 1];
            int face = -1;
            if (m_key.front[size_t(f1)])
                face = f1;
            if (m_key.front[size_t(f2)])
                face = std::max(face, f2);
            const std::tuple<int, int, int> cell{c[0], c[1], c[2]};
            if (face < 0 || cell < bestCell)
                continue;
            bestCell = cell;
            best = {true, grid.At(c[0], c[1], c[2]), face};
        }
    return best;
}

void CWireframeRuns::BuildGroup(const CCubeGridMirror& grid, int axis, int i)
{
    const AxisLayout& l = m_axes[size_t(axis)];
    Group& group = m_groups[size_t(l.firstGroup + i)];
    for (auto& v : group.lines)
        v.clear();
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    const float tw = float(kTextureWidth), th = float(m_textureHeight);
    for (int j = 0; j <= l.n2; ++j) {
        float base[3];
        base[axis] = 0;
        base[a1] = float(i);
        base[a2] = float(j);
        for (int chunk = 0; chunk < l.chunks; ++chunk) {
            // Plain names, not a structured binding: the lambda below uses
            // them, which the clang of the fuzz build cannot capture.
            const auto place = SlotPlace(l, (i * (l.n2 + 1) + j) * l.chunks + chunk);
            const auto row = place.first;
            const auto column = place.second;
            Texel* texels = &m_texels[size_t(row) * kTextureWidth + size_t(column)];
            const float t = (float(row) + 0.5f) / th;
            int used = 0;
            int start = -1, face = -1, texStart = 0;
            COLORREF last = CLR_NONE;
            auto close = [&](int end) {
                if (start < 0)
                    return;
                texels[used++] = ToTexel(last);
                Vertex a{base[0], base[1], base[2], float(column + texStart) / tw, t};
                Vertex b = a;
                (&a.x)[axis] = float(start);
                (&b.x)[axis] = float(end);
                b.s = float(column + texStart + end - start) / tw;
                group.lines[size_t(face)].push_back(a);
                group.lines[size_t(face)].push_back(b);
                start = -1;
            };
            const int end = std::min(l.length, (chunk + 1) * kChunk);
            for (int k = chunk * kChunk; k < end; ++k) {
                const Edge e = Painter(grid, axis, i, j, k);
                if (start >= 0 && (!e.drawn || e.face != face))
                    close(k);
                if (!e.drawn)
                    continue;
                if (start < 0) {
                    start = k;
                    face = e.face;
                    texels[used++] = ToTexel(e.color);
                    texStart = used;
                }
                texels[used++] = ToTexel(e.color);
                last = e.color;
            }
            close(end);
        }
    }
    // The texture rows of the group's stretches.
    const int first = SlotPlace(l, i * (l.n2 + 1) * l.chunks).first;
    const int lastRow = SlotPlace(l, ((i + 1) * (l.n2 + 1)) * l.chunks - 1).first + 1;
    if (m_changedFirst == m_changedLast) {
        m_changedFirst = first;
        m_changedLast = lastRow;
    } else {
        m_changedFirst = std::min(m_changedFirst, first);
        m_changedLast = std::max(m_changedLast, lastRow);
    }
}

std::size_t CWireframeRuns::MemoryBytes() const
{
    std::size_t n = m_texels.capacity() * sizeof(Texel) + m_groupDirty.capacity();
    for (const auto& g : m_groups)
        for (const auto& v : g.lines)
            n += v.capacity() * sizeof(Vertex);
    return n;
}
