#include "render/FastCubeRenderer.h"

#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "scene/SceneGeometry.h"
#include "scene/ViewState.h"

#include <GL/gl.h>

namespace {

const std::array<SceneGeometry::Face, 6> kFaces = SceneGeometry::CubeFaces();

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
    if (m_wireLaidOut)
        m_wire.CellChanged(p.x, p.y, p.z);
}

void CFastCubeRenderer::EnsureGrid(const CMiravelDoc& doc)
{
    if (!m_resetPending)
        return;
    m_grid.Rebuild(doc);
    const size_t layers = size_t(m_grid.SizeX());
    m_slabs.assign(layers, {});
    m_dirty.assign(layers, 1);
    m_wire = {};
    m_wireLaidOut = false;
    m_resetPending = false;
}

void CFastCubeRenderer::Prepare(const CViewState& v, ViewSize size, const CMiravelDoc& doc)
{
    EnsureGrid(doc);
    if (v.m_prefs.m_wireFrame == CubeStyle::Wireframe)
        PrepareWire(CurrentWireKey(v, size, doc));
    else
        PrepareFilled();
}

std::size_t CFastCubeRenderer::MemoryBytes() const
{
    std::size_t n = m_grid.MemoryBytes() + m_layerFaces.capacity() * sizeof(CubeMesh::Vertex) + m_wire.MemoryBytes();
    for (const auto& s : m_slabs)
        n += s.MemoryBytes();
    return n;
}

void CFastCubeRenderer::ReleaseGL()
{
    if (m_texture) {
        const GLuint name = m_texture;
        glDeleteTextures(1, &name);
    }
    m_texture = 0;
    m_textureRows = 0;
}

void CFastCubeRenderer::PrepareFilled()
{
    for (size_t x = 0; x < m_slabs.size(); ++x)
        if (m_dirty[x]) {
            CubeMesh::BuildExposedFaces(m_grid, int(x), m_slabs[x]);
            m_dirty[x] = 0;
        }
    // The wireframe's edges are not kept while the cubes are drawn filled.
    if (m_wireLaidOut) {
        m_wire = {};
        m_wireLaidOut = false;
    }
}

CWireframeRuns::Key CFastCubeRenderer::CurrentWireKey(const CViewState& v, ViewSize size, const CMiravelDoc& doc) const
{
    CWireframeRuns::Key key;
    // The projection is orthographic, so all faces of one direction face the
    // same way. A face seen exactly edge-on counts as facing the viewer, as
    // GL may take it either way.
    const Mat4 mvp = Camera::Projection(std::max(1, size.width), std::max(1, size.height)) *
                     Camera::ModelView(v.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
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
    key.showCanvas = v.m_prefs.m_showCanvas != 0;
    key.axis = key.showCanvas ? v.m_edit.AxisIndex() : -1;
    key.pos = key.showCanvas ? v.m_edit.m_canvasPos : -1;
    return key;
}

void CFastCubeRenderer::PrepareWire(const CWireframeRuns::Key& key)
{
    if (!m_wireLaidOut) {
        m_wire.Reset(m_grid);
        m_wireLaidOut = true;
    }
    m_wire.SetKey(key);
    m_wire.Update(m_grid);
}

void CFastCubeRenderer::DrawCubes(const CViewState& v, const CMiravelDoc& doc, const SceneRenderer::Target& t)
{
    Prepare(v, t.view, doc);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushMatrix();
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glLineWidth(SceneRenderer::DeviceLineWidth(v.m_cubeLineWidth, t));
    glEnableClientState(GL_VERTEX_ARRAY);
    if (v.m_prefs.m_wireFrame == CubeStyle::Wireframe)
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
        if (v.m_prefs.m_wireFrame != CubeStyle::FilledBlackEdges)
            continue;
        glPolygonMode(GL_FRONT, GL_LINE);
        glColor3ub(0, 0, 0);
        for (int f = 0; f < 6; ++f)
            DrawVertices(slab.faces[size_t(f)], GL_QUADS, false);
    }
}

void CFastCubeRenderer::UploadWireTexture()
{
    const int width = CWireframeRuns::kTextureWidth, height = m_wire.TextureHeight();
    auto [first, last] = m_wire.TakeChangedRows();
    if (!m_texture) {
        GLuint name = 0;
        glGenTextures(1, &name);
        m_texture = name;
        m_textureRows = 0;
    }
    glBindTexture(GL_TEXTURE_2D, m_texture);
    if (m_textureRows != height) {
        // Newly laid out (or a new context): the whole texture goes up.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, m_wire.Texels().data());
        m_textureRows = height;
    } else if (first < last) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, first, width, last - first, GL_RGBA, GL_UNSIGNED_BYTE,
                        &m_wire.Texels()[size_t(first) * size_t(width)]);
    }
}

void CFastCubeRenderer::DrawWire(const CViewState& v)
{
    if (m_wire.TextureHeight() > 0) {
        GLint oldAlignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        UploadWireTexture();
        glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
        // The colour comes from the texture, the light from GL as for the
        // cubes: the material is half white, so the lit colour is half the
        // light's factor, which the texture stage doubles again before it
        // clamps: the colour times the factor, as a lit cube gets it.
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_PRIMARY_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
        glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, 2.0f);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
        glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        for (const auto& group : m_wire.Groups())
            for (int f = 0; f < 6; ++f) {
                const auto& lines = group.lines[size_t(f)];
                if (lines.empty())
                    continue;
                Normal(f);
                glVertexPointer(3, GL_FLOAT, sizeof(CWireframeRuns::Vertex), &lines[0].x);
                glTexCoordPointer(2, GL_FLOAT, sizeof(CWireframeRuns::Vertex), &lines[0].s);
                glDrawArrays(GL_LINES, 0, GLsizei(lines.size()));
            }
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, 1.0f);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    }
    glEnableClientState(GL_COLOR_ARRAY);
    if (!v.m_prefs.m_showCanvas)
        return;
    // The canvas layer's cubes stay filled: their faces, except those between
    // two of them.
    const int axis = v.m_edit.AxisIndex();
    const int size[3] = {m_grid.SizeX(), m_grid.SizeY(), m_grid.SizeZ()};
    if (axis < 0 || axis > 2 || v.m_edit.m_canvasPos < 0 || v.m_edit.m_canvasPos >= size[axis])
        return;
    glPolygonMode(GL_FRONT, GL_FILL);
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    for (int f = 0; f < 6; ++f) {
        m_layerFaces.clear();
        const auto& d = CubeMesh::kFaceOffset[size_t(f)];
        for (int i = 0; i < size[a1]; ++i)
            for (int j = 0; j < size[a2]; ++j) {
                int c[3];
                c[axis] = v.m_edit.m_canvasPos;
                c[a1] = i;
                c[a2] = j;
                const COLORREF color = m_grid.At(c[0], c[1], c[2]);
                if (color == CLR_NONE)
                    continue;
                const int n[3] = {c[0] + d[0], c[1] + d[1], c[2] + d[2]};
                if (n[axis] == v.m_edit.m_canvasPos && m_grid.Filled(n[0], n[1], n[2]))
                    continue;
                CubeMesh::AppendFace(m_layerFaces, f, c[0], c[1], c[2], color);
            }
        Normal(f);
        DrawVertices(m_layerFaces, GL_QUADS, true);
    }
}
