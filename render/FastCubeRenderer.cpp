#include "render/FastCubeRenderer.h"

#include "model/CMiravelDoc.h"
#include "model/GridLimits.h"
#include "scene/Camera.h"
#include "scene/SceneGeometry.h"
#include "scene/ViewState.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const std::array<SceneGeometry::Face, 6> kFaces = SceneGeometry::CubeFaces();
const std::array<std::array<std::array<int, 3>, 6>, 6> kTriangles = [] {
    std::array<std::array<std::array<int, 3>, 6>, 6> t{};
    for (int f = 0; f < 6; ++f)
        t[std::size_t(f)] = ChunkFaces::TriangleCorners(f);
    return t;
}();
constexpr int kSide = CChunkCells::kSide;
// The widest texture the wireframe's colours take (16 KiB a row): drivers
// hold it, and a longer run of colours is drawn in pieces.
constexpr int kMostWireTexels = 4096;

void Normal(int face)
{
    const auto& n = kFaces[std::size_t(face)].normal;
    glNormal3d(n.x, n.y, n.z);
}

const void* Offset(std::size_t bytes) { return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(bytes)); }

template <class T>
void Append(std::vector<unsigned char>& out, const std::vector<T>& v)
{
    const std::size_t at = out.size();
    out.resize(at + v.size() * sizeof(T));
    if (!v.empty())
        std::memcpy(&out[at], v.data(), v.size() * sizeof(T));
}

std::uint32_t NewBuffer(const std::vector<unsigned char>& bytes)
{
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes.size()), bytes.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return name;
}

// Puts a face mesh into one buffer: each direction's corners, then its
// triangles, then its outlines.
template <class Range>
std::size_t LayOut(const ChunkFaces::Mesh& mesh, std::array<Range, 6>& parts, std::vector<unsigned char>& bytes)
{
    std::size_t faces = 0;
    for (std::size_t f = 0; f < 6; ++f) {
        const ChunkFaces::Part& p = mesh.parts[f];
        Range& r = parts[f];
        r.vertexOffset = std::uint32_t(bytes.size());
        Append(bytes, p.vertices);
        r.triangleOffset = std::uint32_t(bytes.size());
        r.triangleCount = std::uint32_t(p.triangles.size());
        Append(bytes, p.triangles);
        r.edgeOffset = std::uint32_t(bytes.size());
        r.edgeCount = std::uint32_t(p.edges.size());
        Append(bytes, p.edges);
        faces += p.triangles.size() / 6;
    }
    return faces;
}

} // namespace

CFastCubeRenderer::CFastCubeRenderer() = default;
CFastCubeRenderer::~CFastCubeRenderer() = default;

CFastCubeRenderer::Chunk& CFastCubeRenderer::ChunkAt(int x, int y, int z)
{
    return m_chunks[(std::size_t(x) * std::size_t(m_count[1]) + std::size_t(y)) * std::size_t(m_count[2]) +
                    std::size_t(z)];
}

CFastCubeRenderer::Column& CFastCubeRenderer::ColumnOf(int axis, const int chunk[3])
{
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    return m_columns[std::size_t(axis)][std::size_t(chunk[a1]) * std::size_t(m_count[std::size_t(a2)]) +
                                       std::size_t(chunk[a2])];
}

void CFastCubeRenderer::Reset()
{
    m_resetPending = true;
    m_pending = true;
}

void CFastCubeRenderer::EnsureTables(const CMiravelDoc& doc)
{
    const GridSize box{std::max(0, doc.m_sizeX), std::max(0, doc.m_sizeY), std::max(0, doc.m_sizeZ)};
    if (!m_resetPending && box == m_box)
        return;
    for (Chunk& c : m_chunks) {
        Trash(c.facesGL);
        Trash(c.layerGL);
    }
    for (auto& columns : m_columns)
        for (Column& c : columns)
            Trash(c.gl);
    m_box = box;
    // Wide enough for a run along the longest side of most grids; long
    // enough rows that a column takes few of them.
    m_atlas.SetWidth(std::min(kMostWireTexels, ChunkWire::TextureWidth(std::max({box.x, box.y, box.z, 254}))),
                     m_trashTextures);
    // Grids the size dialog takes are drawn face by face, as the literal
    // drawing is; beyond them faces of one colour are merged.
    m_merge = std::int64_t(box.x) * box.y * box.z > GridLimits::kSizeDialogCells;
    const auto chunks = [](int side) { return side <= 0 ? 0 : (side + kSide - 1) / kSide; };
    m_count = {chunks(box.x), chunks(box.y), chunks(box.z)};
    m_chunks.clear();
    m_chunks.resize(std::size_t(m_count[0]) * std::size_t(m_count[1]) * std::size_t(m_count[2]));
    m_chunks.shrink_to_fit();
    for (int a = 0; a < 3; ++a) {
        m_columns[std::size_t(a)].clear();
        m_columns[std::size_t(a)].resize(std::size_t(m_count[std::size_t((a + 1) % 3)]) *
                                         std::size_t(m_count[std::size_t((a + 2) % 3)]));
        m_columns[std::size_t(a)].shrink_to_fit();
    }
    m_wireHeld = false;
    m_resetPending = false;
}

void CFastCubeRenderer::MarkChunk(int x, int y, int z)
{
    if (x < 0 || y < 0 || z < 0 || x >= m_count[0] || y >= m_count[1] || z >= m_count[2])
        return;
    Chunk& c = ChunkAt(x, y, z);
    c.faces = c.layer = State::Edited;
    const int chunk[3] = {x, y, z};
    for (int a = 0; a < 3; ++a)
        ColumnOf(a, chunk).state = State::Edited;
}

void CFastCubeRenderer::CellChanged(const CMiravelDoc&, const CUBEPOS& p)
{
    if (m_resetPending || p.x < 0 || p.y < 0 || p.z < 0 || p.x >= m_box.x || p.y >= m_box.y || p.z >= m_box.z)
        return;
    // The faces the cell covers or uncovers and the edges whose last painter
    // it may be lie in its chunk or, at the chunk's border, in the next ones.
    const ChunkKey k = CCubeChunk::KeyOf(p);
    const auto near = [](int c) {
        return CCubeChunk::Local(c) == 0 ? -1 : CCubeChunk::Local(c) == kSide - 1 ? 1 : 0;
    };
    const int d[3] = {near(p.x), near(p.y), near(p.z)};
    for (int dx = std::min(0, d[0]); dx <= std::max(0, d[0]); ++dx)
        for (int dy = std::min(0, d[1]); dy <= std::max(0, d[1]); ++dy)
            for (int dz = std::min(0, d[2]); dz <= std::max(0, d[2]); ++dz)
                MarkChunk(k.x + dx, k.y + dy, k.z + dz);
    m_pending = true;
}

void CFastCubeRenderer::ChunksChanged(const CMiravelDoc&, const std::vector<ChunkKey>& chunks)
{
    if (m_resetPending)
        return;
    for (const ChunkKey& k : chunks)
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz)
                    MarkChunk(k.x + dx, k.y + dy, k.z + dz);
    m_pending = true;
}

ChunkWire::Key CFastCubeRenderer::CurrentWireKey(const CViewState& v, ViewSize size, const CMiravelDoc& doc) const
{
    ChunkWire::Key key;
    // The projection is orthographic, so all faces of one direction face the
    // same way. A face seen exactly edge-on counts as facing the viewer, as
    // GL may take it either way.
    const Mat4 mvp = Camera::Projection(std::max(1, size.width), std::max(1, size.height)) *
                     Camera::ModelView(v.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
    for (std::size_t f = 0; f < 6; ++f) {
        double p[4][2];
        for (std::size_t i = 0; i < 4; ++i) {
            const auto& c = kFaces[f].corners[i];
            const auto q = mvp.Apply(c.x, c.y, c.z);
            p[i][0] = q[0] / q[3];
            p[i][1] = q[1] / q[3];
        }
        double area = 0;  // counter-clockwise in window coordinates: front-facing
        for (std::size_t i = 0; i < 4; ++i)
            area += p[i][0] * p[(i + 1) % 4][1] - p[(i + 1) % 4][0] * p[i][1];
        key.front[f] = area > -1e-9;
    }
    if (v.m_prefs.m_showCanvas) {
        key.axis = v.m_edit.AxisIndex();
        key.pos = v.m_edit.m_canvasPos;
    }
    return key;
}

void CFastCubeRenderer::DropWire()
{
    for (Chunk& c : m_chunks) {
        c.layer = State::Missing;
        c.layerAxis = c.layerPos = -1;
        c.layerMesh.reset();
        Trash(c.layerGL);
    }
    for (auto& columns : m_columns)
        for (Column& c : columns) {
            c.state = State::Missing;
            c.mesh.reset();
            Trash(c.gl);
        }
    m_wireHeld = false;
}

bool CFastCubeRenderer::Build(const CViewState& v, ViewSize size, const CMiravelDoc& doc, double budgetMs)
{
    EnsureTables(doc);
    const bool wire = v.m_prefs.m_wireFrame == CubeStyle::Wireframe;
    // The wireframe's edges are not kept while the cubes are filled.
    if (!wire && m_wireHeld)
        DropWire();
    m_wireHeld = m_wireHeld || wire;
    const ChunkWire::Key key = wire ? CurrentWireKey(v, size, doc) : ChunkWire::Key{};
    const auto start = std::chrono::steady_clock::now();
    const auto overBudget = [&] {
        return budgetMs > 0 &&
               std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() > budgetMs;
    };
    // Edited chunks first, whatever the budget: an edit shows in the next
    // frame. Then the rest, for as long as the budget allows, but at least
    // one piece a frame so that the build always comes to an end.
    bool builtOne = false;
    for (int pass = 0; pass < 2; ++pass) {
        if (!wire) {
            for (std::size_t i = 0; i < m_chunks.size(); ++i) {
                Chunk& c = m_chunks[i];
                if (pass == 0 ? c.faces != State::Edited : c.faces == State::Built)
                    continue;
                if (pass == 1 && builtOne && overBudget())
                    return NoteBuilt(false, key);
                builtOne = pass == 1;
                const int z = int(i % std::size_t(m_count[2])), y = int(i / std::size_t(m_count[2]) % std::size_t(m_count[1])),
                          x = int(i / (std::size_t(m_count[2]) * std::size_t(m_count[1])));
                c.faces = State::Built;
                c.facesMesh.reset();
                Trash(c.facesGL);  // replaced by the new mesh at the upload, or by nothing
                if (m_cells.Gather(doc.m_cubes, m_box, {x, y, z})) {
                    auto mesh = std::make_unique<ChunkFaces::Mesh>();
                    ChunkFaces::BuildExposed(m_cells, *mesh, m_merge);
                    if (!mesh->Empty())
                        c.facesMesh = std::move(mesh);
                }
            }
            continue;
        }
        for (int a = 0; a < 3; ++a) {
            auto& columns = m_columns[std::size_t(a)];
            const int a1 = (a + 1) % 3, a2 = (a + 2) % 3;
            for (std::size_t i = 0; i < columns.size(); ++i) {
                Column& c = columns[i];
                int chunk[3];
                chunk[a] = 0;
                chunk[a1] = int(i / std::size_t(m_count[std::size_t(a2)]));
                chunk[a2] = int(i % std::size_t(m_count[std::size_t(a2)]));
                const ChunkKey k{chunk[0], chunk[1], chunk[2]};
                const ChunkWire::Key columnKey = ChunkWire::KeyFor(key, a, CCubeChunk::Origin(k));
                if (pass == 0 ? c.state != State::Edited : (c.state == State::Built && c.key == columnKey))
                    continue;
                if (pass == 1 && builtOne && overBudget())
                    return NoteBuilt(true, key);
                builtOne = pass == 1;
                c.state = State::Built;
                c.key = columnKey;
                c.mesh = std::make_unique<ChunkWire::Mesh>();
                ChunkWire::Build(doc.m_cubes, m_box, a, k, columnKey, *c.mesh, m_atlas.Width());
                if (c.mesh->Empty())
                    c.mesh.reset();
                Trash(c.gl);
            }
        }
        if (pass == 1)
            continue;
        // The canvas layer's filled cubes: few, and they move with the canvas.
        for (std::size_t i = 0; i < m_chunks.size(); ++i) {
            Chunk& c = m_chunks[i];
            const int z = int(i % std::size_t(m_count[2])), y = int(i / std::size_t(m_count[2]) % std::size_t(m_count[1])),
                      x = int(i / (std::size_t(m_count[2]) * std::size_t(m_count[1])));
            const int at[3] = {x, y, z};
            const bool crossed = key.axis >= 0 && key.axis <= 2 && key.pos >= 0 &&
                                 key.pos / kSide == at[key.axis];
            const int axis = crossed ? key.axis : -1, pos = crossed ? key.pos : -1;
            if (c.layer == State::Built && c.layerAxis == axis && c.layerPos == pos)
                continue;
            c.layer = State::Built;
            c.layerAxis = axis;
            c.layerPos = pos;
            c.layerMesh.reset();
            Trash(c.layerGL);
            if (crossed && m_cells.Gather(doc.m_cubes, m_box, {x, y, z})) {
                auto mesh = std::make_unique<ChunkFaces::Mesh>();
                ChunkFaces::BuildLayer(m_cells, axis, pos, *mesh, m_merge);
                if (!mesh->Empty())
                    c.layerMesh = std::move(mesh);
            }
        }
    }
    return true;
}

bool CFastCubeRenderer::NoteBuilt(bool wire, const ChunkWire::Key& key)
{
    std::size_t built = 0, total = 0;
    if (!wire) {
        total = m_chunks.size();
        for (const Chunk& c : m_chunks)
            built += c.faces == State::Built;
    }
    for (int a = 0; wire && a < 3; ++a) {
        const auto& columns = m_columns[std::size_t(a)];
        const int a1 = (a + 1) % 3, a2 = (a + 2) % 3;
        total += columns.size();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            int chunk[3];
            chunk[a] = 0;
            chunk[a1] = int(i / std::size_t(m_count[std::size_t(a2)]));
            chunk[a2] = int(i % std::size_t(m_count[std::size_t(a2)]));
            const ChunkWire::Key columnKey =
                ChunkWire::KeyFor(key, a, CCubeChunk::Origin(ChunkKey{chunk[0], chunk[1], chunk[2]}));
            built += columns[i].state == State::Built && columns[i].key == columnKey;
        }
    }
    m_builtFraction = total ? double(built) / double(total) : 1.0;
    return false;
}

void CFastCubeRenderer::Prepare(const CViewState& v, ViewSize size, const CMiravelDoc& doc)
{
    m_pending = !Build(v, size, doc, 0);
}

std::size_t CFastCubeRenderer::MemoryBytes() const
{
    std::size_t n = m_chunks.capacity() * sizeof(Chunk) + m_lattice.MemoryBytes();
    for (const Chunk& c : m_chunks) {
        n += c.facesGL.bytes + c.layerGL.bytes;
        n += c.facesMesh ? c.facesMesh->Bytes() : 0;
        n += c.layerMesh ? c.layerMesh->Bytes() : 0;
    }
    for (const auto& columns : m_columns) {
        n += columns.capacity() * sizeof(Column);
        for (const Column& c : columns)
            n += c.gl.bytes + (c.mesh ? c.mesh->Bytes() : 0);
    }
    return n + m_atlas.Bytes();
}

void CFastCubeRenderer::Trash(FacesGL& gl)
{
    if (gl.buffer)
        m_trashBuffers.push_back(gl.buffer);
    gl = {};
}

void CFastCubeRenderer::Trash(LinesGL& gl)
{
    if (gl.buffer)
        m_trashBuffers.push_back(gl.buffer);
    m_atlas.Free(gl.colors);
    gl = {};
}

void CFastCubeRenderer::EmptyTrash()
{
    if (!m_trashBuffers.empty())
        glDeleteBuffers(GLsizei(m_trashBuffers.size()), m_trashBuffers.data());
    if (!m_trashTextures.empty())
        glDeleteTextures(GLsizei(m_trashTextures.size()), m_trashTextures.data());
    m_trashBuffers.clear();
    m_trashTextures.clear();
}

void CFastCubeRenderer::ReleaseGL()
{
    m_lattice.ReleaseGL();
    // What was in GL must be built again for the next context.
    for (Chunk& c : m_chunks) {
        if (c.facesGL.buffer)
            c.faces = State::Missing;
        if (c.layerGL.buffer)
            c.layer = State::Missing;
        Trash(c.facesGL);
        Trash(c.layerGL);
    }
    for (auto& columns : m_columns)
        for (Column& c : columns) {
            if (c.gl.buffer)
                c.state = State::Missing;
            Trash(c.gl);
        }
    EmptyTrash();
    m_atlas.Release();
}

void CFastCubeRenderer::ForgetGL()
{
    m_lattice.ForgetGL();
    m_atlas.Forget();
    m_trashBuffers.clear();
    m_trashTextures.clear();
    for (Chunk& c : m_chunks) {
        if (c.facesGL.buffer)
            c.faces = State::Missing;
        if (c.layerGL.buffer)
            c.layer = State::Missing;
        c.facesGL = c.layerGL = {};
    }
    for (auto& columns : m_columns)
        for (Column& c : columns) {
            if (c.gl.buffer)
                c.state = State::Missing;
            c.gl = {};
        }
}

void CFastCubeRenderer::Upload()
{
    std::vector<unsigned char> bytes;
    const auto faces = [&](std::unique_ptr<ChunkFaces::Mesh>& mesh, FacesGL& gl) {
        if (!mesh)
            return;
        bytes.clear();
        LayOut(*mesh, gl.parts, bytes);
        gl.buffer = NewBuffer(bytes);
        gl.bytes = bytes.size();
        mesh.reset();
    };
    for (Chunk& c : m_chunks) {
        faces(c.facesMesh, c.facesGL);
        faces(c.layerMesh, c.layerGL);
    }
    // The rows waiting, so that a new page holds them all if it can.
    int waiting = 0;
    for (const auto& columns : m_columns)
        for (const Column& c : columns)
            waiting += c.mesh ? c.mesh->textureRows : 0;
    for (auto& columns : m_columns)
        for (Column& c : columns) {
            if (!c.mesh)
                continue;
            ChunkWire::Mesh& m = *c.mesh;
            LinesGL& gl = c.gl;
            gl.colors = m_atlas.Place(m.textureRows, waiting, m.texels.data());
            waiting -= m.textureRows;
            // The rows' texture coordinates, from the column's own texture to
            // its place in the page.
            const float rows = float(m.textureRows);
            const float page = gl.colors ? float(m_atlas.PageRows(gl.colors.page)) : rows;
            for (auto& lines : m.lines)
                for (ChunkWire::LineVertex& v : lines)
                    v.t = (v.t * rows + float(gl.colors.row)) / page;
            bytes.clear();
            for (std::size_t f = 0; f < 6; ++f) {
                gl.first[f] = std::uint32_t(bytes.size() / sizeof(ChunkWire::LineVertex));
                gl.count[f] = std::uint32_t(m.lines[f].size());
                Append(bytes, m.lines[f]);
            }
            gl.buffer = NewBuffer(bytes);
            gl.bytes = bytes.size();
            c.mesh.reset();
        }
    m_atlas.Collect();
}

bool CFastCubeRenderer::Visible(const Mat4& mvp, double margin, const int lo[3], const int hi[3]) const
{
    // The box's extent in clip coordinates (the projection is orthographic).
    const double c[3] = {(lo[0] + hi[0]) / 2.0, (lo[1] + hi[1]) / 2.0, (lo[2] + hi[2]) / 2.0};
    const double h[3] = {(hi[0] - lo[0]) / 2.0, (hi[1] - lo[1]) / 2.0, (hi[2] - lo[2]) / 2.0};
    const auto p = mvp.Apply(c[0], c[1], c[2]);
    for (int r = 0; r < 3; ++r) {
        const double e = std::abs(mvp(r, 0)) * h[0] + std::abs(mvp(r, 1)) * h[1] + std::abs(mvp(r, 2)) * h[2];
        const double m = r < 2 ? margin : 0.0;
        if (p[std::size_t(r)] - e > 1.0 + m || p[std::size_t(r)] + e < -1.0 - m)
            return false;
    }
    return true;
}

void CFastCubeRenderer::DrawCubes(const CViewState& v, const CMiravelDoc& doc, const SceneRenderer::Target& t)
{
    m_pending = !Build(v, t.view, doc, m_budgetMs);
    EmptyTrash();
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    Upload();
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);

    const Mat4 mvp = Camera::Projection(std::max(1, t.view.width), std::max(1, t.view.height)) *
                     Camera::ModelView(v.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
    // A few pixels of margin for line widths.
    const double margin = 2.0 * (v.m_cubeLineWidth + 2.0) / std::max(1, std::min(t.view.width, t.view.height));
    m_stats = {};
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushMatrix();
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glLineWidth(SceneRenderer::DeviceLineWidth(v.m_cubeLineWidth, t));
    glEnableClientState(GL_VERTEX_ARRAY);
    // Only the face directions that face the viewer are sent.
    const std::array<bool, 6> front = CurrentWireKey(v, t.view, doc).front;
    if (v.m_prefs.m_wireFrame == CubeStyle::Wireframe)
        DrawWire(v, front, mvp, margin);
    else
        DrawFilled(v, front, mvp, margin);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_CULL_FACE);
    glPopMatrix();
}

void CFastCubeRenderer::DrawCellCube(int x, int y, int z)
{
    // The very triangles the cached faces are made of, so that the depths
    // match to the last bit. Merged faces are larger triangles, whose depths
    // may differ in that bit: there the cube is drawn a step nearer.
    if (m_merge) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(-1.0f, -1.0f);
    }
    glBegin(GL_TRIANGLES);
    for (int f = 0; f < 6; ++f) {
        Normal(f);
        for (const auto& c : kTriangles[std::size_t(f)])
            glVertex3f(float(x + c[0]), float(y + c[1]), float(z + c[2]));
    }
    glEnd();
    glDisable(GL_POLYGON_OFFSET_FILL);
}

namespace {

ViewSize DeviceSize(const SceneRenderer::Target& t) { return {t.deviceWidth, t.deviceHeight}; }

Mat4 WholeTransform(const CViewState& v, const CMiravelDoc& doc, const SceneRenderer::Target& t)
{
    return Camera::Projection(std::max(1, t.view.width), std::max(1, t.view.height)) *
           Camera::ModelView(v.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
}

} // namespace

bool CFastCubeRenderer::DrawFrameLattice(const CViewState& v, const CMiravelDoc& doc, const SceneRenderer::Target& t)
{
    m_lattice.DrawFrame(doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ, WholeTransform(v, doc, t), DeviceSize(t));
    return true;
}

bool CFastCubeRenderer::DrawLayerLattice(const CViewState& v, const CMiravelDoc& doc, int layer,
                                         const SceneRenderer::Target& t)
{
    const int axis = v.m_edit.AxisIndex();
    const Mat4 mvp = WholeTransform(v, doc, t) *
                     Camera::Translate(axis == 0 ? layer : 0, axis == 1 ? layer : 0, axis == 2 ? layer : 0);
    m_lattice.DrawCanvas(axis, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ, mvp, DeviceSize(t));
    return true;
}

void CFastCubeRenderer::DrawFaceParts(const FacesGL& gl, const std::array<bool, 6>& front, bool edges)
{
    glBindBuffer(GL_ARRAY_BUFFER, gl.buffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.buffer);
    for (int f = 0; f < 6; ++f) {
        const FaceRange& r = gl.parts[std::size_t(f)];
        if (!front[std::size_t(f)] || r.triangleCount == 0)
            continue;
        Normal(f);
        glVertexPointer(3, GL_SHORT, sizeof(ChunkFaces::Vertex), Offset(r.vertexOffset));
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(ChunkFaces::Vertex), Offset(r.vertexOffset + 8));
        glDrawElements(GL_TRIANGLES, GLsizei(r.triangleCount), GL_UNSIGNED_SHORT, Offset(r.triangleOffset));
        m_stats.faces += r.triangleCount / 6;
    }
    if (!edges)
        return;
    // The faces' outlines in black, over the faces.
    glDisableClientState(GL_COLOR_ARRAY);
    glColor3ub(0, 0, 0);
    for (int f = 0; f < 6; ++f) {
        const FaceRange& r = gl.parts[std::size_t(f)];
        if (!front[std::size_t(f)] || r.edgeCount == 0)
            continue;
        glVertexPointer(3, GL_SHORT, sizeof(ChunkFaces::Vertex), Offset(r.vertexOffset));
        glDrawElements(GL_LINES, GLsizei(r.edgeCount), GL_UNSIGNED_SHORT, Offset(r.edgeOffset));
        m_stats.lines += r.edgeCount / 2;
    }
    glEnableClientState(GL_COLOR_ARRAY);
}

void CFastCubeRenderer::DrawFilled(const CViewState& v, const std::array<bool, 6>& front, const Mat4& mvp,
                                   double margin)
{
    const bool edges = v.m_prefs.m_wireFrame == CubeStyle::FilledBlackEdges;
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnableClientState(GL_COLOR_ARRAY);
    std::vector<Placed> order = InViewOrder(mvp, margin, 3);
    if (m_merge)
        NearestFirst(order);
    for (const Placed& p : order) {
        ++m_stats.chunks;
        DrawFaceParts(m_chunks[p.index].facesGL, front, edges);
    }
}

void CFastCubeRenderer::NearestFirst(std::vector<Placed>& order)
{
    // What lies behind then fails the depth test before the rasteriser
    // shades it. Only on large grids: ties of equal depth go by the order,
    // which the grids compared with the literal drawing keep.
    std::stable_sort(order.begin(), order.end(), [](const Placed& a, const Placed& b) { return a.depth < b.depth; });
}

std::vector<CFastCubeRenderer::Placed> CFastCubeRenderer::InViewOrder(const Mat4& mvp, double margin, int axis) const
{
    std::vector<Placed> out;
    const int side[3] = {m_box.x, m_box.y, m_box.z};
    const auto add = [&](std::size_t index, const int lo[3], const int hi[3]) {
        if (!Visible(mvp, margin, lo, hi))
            return;
        const auto c = mvp.Apply((lo[0] + hi[0]) / 2.0, (lo[1] + hi[1]) / 2.0, (lo[2] + hi[2]) / 2.0);
        out.push_back({c[2] / c[3], axis == 3 ? -1 : axis, index});
    };
    if (axis == 3) {
        for (int x = 0; x < m_count[0]; ++x)
            for (int y = 0; y < m_count[1]; ++y)
                for (int z = 0; z < m_count[2]; ++z) {
                    const std::size_t i = (std::size_t(x) * std::size_t(m_count[1]) + std::size_t(y)) *
                                              std::size_t(m_count[2]) + std::size_t(z);
                    const int lo[3] = {x * kSide, y * kSide, z * kSide};
                    const int hi[3] = {lo[0] + kSide, lo[1] + kSide, lo[2] + kSide};
                    if (m_chunks[i].facesGL.buffer)
                        add(i, lo, hi);
                }
    } else {
        const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
        const auto& columns = m_columns[std::size_t(axis)];
        for (std::size_t i = 0; i < columns.size(); ++i) {
            int lo[3], hi[3];
            lo[axis] = 0, hi[axis] = side[axis];
            lo[a1] = int(i / std::size_t(m_count[std::size_t(a2)])) * kSide, hi[a1] = lo[a1] + kSide;
            lo[a2] = int(i % std::size_t(m_count[std::size_t(a2)])) * kSide, hi[a2] = lo[a2] + kSide;
            if (columns[i].gl.buffer)
                add(i, lo, hi);
        }
    }
    return out;
}

void CFastCubeRenderer::DrawWire(const CViewState& v, const std::array<bool, 6>& front, const Mat4& mvp,
                                 double margin)
{
    // The colour comes from the texture, the light from GL as for the cubes:
    // the material is half white, so the lit colour is half the light's
    // factor, which the texture stage doubles again before it clamps: the
    // colour times the factor, as a lit cube gets it.
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
    // A shown canvas layer across an axis takes the edges within it away
    // from the lines along that axis: those are drawn twice, once on either
    // side of it.
    const int side[3] = {m_box.x, m_box.y, m_box.z};
    const int layerAxis = v.m_prefs.m_showCanvas ? v.m_edit.AxisIndex() : -1;
    const int pos = v.m_edit.m_canvasPos;
    const bool cut = layerAxis >= 0 && layerAxis <= 2 && pos >= 0 && pos < side[layerAxis];
    const auto clip = [&](int half) {
        GLdouble plane[4] = {0, 0, 0, 0};
        plane[layerAxis] = half == 0 ? -1.0 : 1.0;
        plane[3] = half == 0 ? pos : -(pos + 1.0);
        glClipPlane(GL_CLIP_PLANE0, plane);
        glEnable(GL_CLIP_PLANE0);
    };
    std::uint32_t bound = ~0u;  // none yet: the first column binds its page
    const auto draw = [&](const Placed& p) {
        const LinesGL& gl = m_columns[std::size_t(p.axis)][p.index].gl;
        ++m_stats.chunks;
        glBindBuffer(GL_ARRAY_BUFFER, gl.buffer);
        const std::uint32_t texture = gl.colors ? m_atlas.Texture(gl.colors.page) : 0;
        if (texture != bound)
            glBindTexture(GL_TEXTURE_2D, bound = texture);
        glVertexPointer(3, GL_SHORT, sizeof(ChunkWire::LineVertex), Offset(0));
        glTexCoordPointer(2, GL_FLOAT, sizeof(ChunkWire::LineVertex), Offset(8));
        for (int f = 0; f < 6; ++f) {
            if (gl.count[std::size_t(f)] == 0)
                continue;
            Normal(f);
            glDrawArrays(GL_LINES, GLint(gl.first[std::size_t(f)]), GLsizei(gl.count[std::size_t(f)]));
            m_stats.lines += gl.count[std::size_t(f)] / 2;
        }
    };
    std::vector<Placed> order;
    for (int a = 0; a < 3; ++a) {
        const std::vector<Placed> columns = InViewOrder(mvp, margin, a);
        order.insert(order.end(), columns.begin(), columns.end());
    }
    // All columns nearest first, a cut one in its two halves: what lies
    // behind then mostly fails the depth test before it is shaded, which is
    // most of a wireframe's pixels. Each edge is drawn once, so the order
    // decides only where lines cross, which rounding decides anyway.
    NearestFirst(order);
    for (const Placed& p : order) {
        const bool cutHere = cut && layerAxis == p.axis;
        for (int half = 0; half < (cutHere ? 2 : 1); ++half) {
            if (cutHere)
                clip(half);
            draw(p);
        }
        glDisable(GL_CLIP_PLANE0);
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, 1.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);

    // The canvas layer's cubes stay filled: their faces, except those between
    // two of them.
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnableClientState(GL_COLOR_ARRAY);
    for (int x = 0; x < m_count[0]; ++x)
        for (int y = 0; y < m_count[1]; ++y)
            for (int z = 0; z < m_count[2]; ++z) {
                const FacesGL& gl = ChunkAt(x, y, z).layerGL;
                const int lo[3] = {x * kSide, y * kSide, z * kSide};
                const int hi[3] = {lo[0] + kSide, lo[1] + kSide, lo[2] + kSide};
                if (gl.buffer && Visible(mvp, margin, lo, hi))
                    DrawFaceParts(gl, front, false);
            }
}
