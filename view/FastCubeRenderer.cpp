#include "view/FastCubeRenderer.h"

#include "model/CMiravelDoc.h"
#include "view/Camera.h"
#include "view/SceneGeometry.h"
#include "view/ViewState.h"

#include <GL/gl.h>
#include <tuple>

namespace {

const std::array<SceneGeometry::Face, 6> kFaces = SceneGeometry::CubeFaces();

// The face of a cube on one side of an axis: axis 0 (x): x = 0 is face 3,
// x = 1 face 1; axis 1 (y): faces 4 and 5; axis 2 (z): faces 0 and 2.
constexpr int kFaceOnSide[3][2] = {{3, 1}, {4, 5}, {0, 2}};

void DrawVertices(const std::vector<CubeMesh::Vertex>& v, GLenum primitive, bool colours)
{
    if (v.empty())
        return;
    glVertexPointer(3, GL_SHORT, sizeof(CubeMesh::Vertex), &v[0].x);
    if (colours)
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(CubeMesh::Vertex), &v[0].r);
    glDrawArrays(primitive, 0, GLsizei(v.size()));
}

void Normal(int face)
{
    const auto& n = kFaces[size_t(face)].normal;
    glNormal3d(n.x, n.y, n.z);
}

} // namespace

void CFastCubeRenderer::Reset()
{
    m_resetPending = true;
}

void CFastCubeRenderer::CellChanged(const CMiravelDoc& doc, const CUBEPOS& p)
{
    if (m_resetPending || !m_grid.InBox(p.x, p.y, p.z))
        return;
    m_grid.Update(doc, p);
    // Filled: the cell's faces and the neighbours' faces it covers or uncovers.
    for (int x = p.x - 1; x <= p.x + 1; ++x)
        if (x >= 0 && x < int(m_dirty.size()))
            m_dirty[size_t(x)] = 1;
    // Wireframe: the cell's edges, and those of the layer before it whose
    // last painter it may now be or have been.
    for (int x = p.x - 1; x <= p.x; ++x)
        if (x >= 0 && x < int(m_wireDirty.size()))
            m_wireDirty[size_t(x)] = 1;
}

void CFastCubeRenderer::EnsureGrid(const CMiravelDoc& doc)
{
    if (!m_resetPending)
        return;
    m_grid.Rebuild(doc);
    const size_t layers = size_t(m_grid.SizeX());
    m_slabs.assign(layers, {});
    m_dirty.assign(layers, 1);
    m_wire.clear();
    m_wireDirty.assign(layers, 1);
    m_resetPending = false;
}

void CFastCubeRenderer::Prepare(const CViewState& v, const CMiravelDoc& doc)
{
    EnsureGrid(doc);
    if (v.m_wireFrame == 2)
        PrepareWire(CurrentWireKey(v, doc));
    else
        PrepareFilled();
}

std::size_t CFastCubeRenderer::MemoryBytes() const
{
    std::size_t n = m_grid.MemoryBytes() + m_layerFaces.capacity() * sizeof(CubeMesh::Vertex);
    for (const auto& s : m_slabs)
        n += s.MemoryBytes();
    for (const auto& w : m_wire)
        for (const auto& l : w.lines)
            n += l.capacity() * sizeof(CubeMesh::Vertex);
    return n;
}

void CFastCubeRenderer::PrepareFilled()
{
    for (size_t x = 0; x < m_slabs.size(); ++x)
        if (m_dirty[x]) {
            CubeMesh::BuildExposedFaces(m_grid, int(x), m_slabs[x]);
            m_dirty[x] = 0;
        }
    // The wireframe's edges are not kept while the cubes are drawn filled.
    if (!m_wire.empty()) {
        m_wire.clear();
        m_wireDirty.assign(m_wireDirty.size(), 1);
    }
}

CFastCubeRenderer::WireKey CFastCubeRenderer::CurrentWireKey(const CViewState& v, const CMiravelDoc& doc) const
{
    WireKey key;
    // The projection is orthographic, so all faces of one direction face the
    // same way. A face seen exactly edge-on counts as facing the viewer, as
    // GL may take it either way.
    const Mat4 mvp = Camera::Projection(std::max(1, v.m_viewWidth), std::max(1, v.m_viewHeight)) *
                     Camera::ModelView(v, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
    for (size_t f = 0; f < 6; ++f) {
        double p[4][2];
        for (size_t i = 0; i < 4; ++i) {
            const auto& c = kFaces[f].corners[i];
            const auto q = mvp.Apply(c.x, c.y, c.z);
            p[i][0] = q[0] / q[3];
            p[i][1] = q[1] / q[3];
        }
        double area = 0;  // counter-clockwise in window coordinates: front-facing
        for (size_t i = 0; i < 4; ++i)
            area += p[i][0] * p[(i + 1) % 4][1] - p[(i + 1) % 4][0] * p[i][1];
        key.front[f] = area > -1e-9;
    }
    key.showCanvas = v.m_showCanvas != 0;
    key.axis = key.showCanvas ? v.m_canvasAxis : -1;
    key.pos = key.showCanvas ? v.m_canvasPos : -1;
    return key;
}

bool CFastCubeRenderer::DrawsLines(int x, int y, int z) const
{
    if (!m_grid.Filled(x, y, z))
        return false;
    // Cubes of the shown canvas layer are drawn filled instead.
    const int along = m_wireKey.axis == 0 ? x : m_wireKey.axis == 1 ? y : z;
    return !(m_wireKey.showCanvas && along == m_wireKey.pos);
}

void CFastCubeRenderer::PrepareWire(const WireKey& key)
{
    if (!(key == m_wireKey)) {
        m_wireKey = key;
        m_wireDirty.assign(m_wireDirty.size(), 1);
    }
    if (m_wire.size() != m_wireDirty.size())
        m_wire.assign(m_wireDirty.size(), {});
    for (size_t x = 0; x < m_wire.size(); ++x)
        if (m_wireDirty[x]) {
            BuildWireSlab(int(x), m_wire[x]);
            m_wireDirty[x] = 0;
        }
}

void CFastCubeRenderer::BuildWireSlab(int x, WireSlab& slab) const
{
    for (auto& l : slab.lines)
        l.clear();
    const auto& front = m_wireKey.front;
    for (int y = 0; y < m_grid.SizeY(); ++y)
        for (int z = 0; z < m_grid.SizeZ(); ++z) {
            if (!DrawsLines(x, y, z))
                continue;
            const int cell[3] = {x, y, z};
            const COLORREF color = m_grid.At(x, y, z);
            for (int f = 0; f < 6; ++f) {
                if (!front[size_t(f)])
                    continue;
                const auto& corners = kFaces[size_t(f)].corners;
                // The face's edges in the order a polygon outline runs.
                for (size_t e = 0; e < 4; ++e) {
                    const auto& a = corners[e];
                    const auto& b = corners[(e + 1) % 4];
                    const int axis = a.x != b.x ? 0 : a.y != b.y ? 1 : 2;
                    const int at[3] = {int(a.x), int(a.y), int(a.z)};  // 0 or 1 on the other axes
                    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
                    // Painted later by this cube's other face on the edge?
                    bool later = false;
                    for (int other : {a1, a2}) {
                        const int g = kFaceOnSide[other][at[other]];
                        if (g > f && front[size_t(g)])
                            later = true;
                    }
                    // Or by a later cube around the edge?
                    for (int s = 1; s < 4 && !later; ++s) {
                        int n[3] = {cell[0], cell[1], cell[2]};
                        const bool across1 = s & 1, across2 = s & 2;
                        if (across1)
                            n[a1] += at[a1] ? 1 : -1;
                        if (across2)
                            n[a2] += at[a2] ? 1 : -1;
                        if (std::tie(n[0], n[1], n[2]) < std::tie(cell[0], cell[1], cell[2]) ||
                            !DrawsLines(n[0], n[1], n[2]))
                            continue;
                        const int side1 = across1 ? 1 - at[a1] : at[a1];
                        const int side2 = across2 ? 1 - at[a2] : at[a2];
                        later = front[size_t(kFaceOnSide[a1][side1])] || front[size_t(kFaceOnSide[a2][side2])];
                    }
                    if (later)
                        continue;
                    auto& out = slab.lines[size_t(f)];
                    for (const auto* p : {&a, &b})
                        out.push_back({std::int16_t(x + int(p->x)), std::int16_t(y + int(p->y)),
                                       std::int16_t(z + int(p->z)), 0, GetRValue(color), GetGValue(color),
                                       GetBValue(color), 255});
                }
            }
        }
    for (auto& l : slab.lines)
        l.shrink_to_fit();
}

void CFastCubeRenderer::DrawCubes(const CViewState& v, const CMiravelDoc& doc, const SceneRenderer::Target& t)
{
    Prepare(v, doc);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushMatrix();
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glLineWidth(SceneRenderer::DeviceLineWidth(v.m_cubeLineWidth, t));
    glEnableClientState(GL_VERTEX_ARRAY);
    if (v.m_wireFrame == 2)
        DrawWire(v);
    else
        DrawFilled(v);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_CULL_FACE);
    glPopMatrix();
}

void CFastCubeRenderer::DrawCellCube(int x, int y, int z)
{
    // Corners at whole grid positions, as in the cached faces.
    glBegin(GL_QUADS);
    for (const auto& face : kFaces) {
        glNormal3d(face.normal.x, face.normal.y, face.normal.z);
        for (const auto& c : face.corners)
            glVertex3f(float(x + int(c.x)), float(y + int(c.y)), float(z + int(c.z)));
    }
    glEnd();
}

void CFastCubeRenderer::DrawFilled(const CViewState& v)
{
    // Layer by layer, as the literal drawing goes: the faces in their
    // colours and, with black edges, then the edges of the front faces.
    for (const CubeMesh::Slab& slab : m_slabs) {
        glPolygonMode(GL_FRONT, GL_FILL);
        glEnableClientState(GL_COLOR_ARRAY);
        for (int f = 0; f < 6; ++f) {
            Normal(f);
            DrawVertices(slab.faces[size_t(f)], GL_QUADS, true);
        }
        glDisableClientState(GL_COLOR_ARRAY);
        if (v.m_wireFrame != 0)
            continue;
        glPolygonMode(GL_FRONT, GL_LINE);
        glColor3ub(0, 0, 0);
        for (int f = 0; f < 6; ++f)
            DrawVertices(slab.faces[size_t(f)], GL_QUADS, false);
    }
}

void CFastCubeRenderer::DrawWire(const CViewState& v)
{
    glEnableClientState(GL_COLOR_ARRAY);
    for (const WireSlab& slab : m_wire)
        for (int f = 0; f < 6; ++f) {
            Normal(f);
            DrawVertices(slab.lines[size_t(f)], GL_LINES, true);
        }
    if (!v.m_showCanvas)
        return;
    // The canvas layer's cubes stay filled: their faces, except those between
    // two of them.
    const int axis = v.m_canvasAxis;
    const int size[3] = {m_grid.SizeX(), m_grid.SizeY(), m_grid.SizeZ()};
    if (axis < 0 || axis > 2 || v.m_canvasPos < 0 || v.m_canvasPos >= size[axis])
        return;
    glPolygonMode(GL_FRONT, GL_FILL);
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    for (int f = 0; f < 6; ++f) {
        m_layerFaces.clear();
        const auto& d = CubeMesh::kFaceOffset[size_t(f)];
        for (int i = 0; i < size[a1]; ++i)
            for (int j = 0; j < size[a2]; ++j) {
                int c[3];
                c[axis] = v.m_canvasPos;
                c[a1] = i;
                c[a2] = j;
                const COLORREF color = m_grid.At(c[0], c[1], c[2]);
                if (color == CLR_NONE)
                    continue;
                const int n[3] = {c[0] + d[0], c[1] + d[1], c[2] + d[2]};
                if (n[axis] == v.m_canvasPos && m_grid.Filled(n[0], n[1], n[2]))
                    continue;
                CubeMesh::AppendFace(m_layerFaces, f, c[0], c[1], c[2], color);
            }
        Normal(f);
        DrawVertices(m_layerFaces, GL_QUADS, true);
    }
}
