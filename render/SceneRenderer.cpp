#include "render/SceneRenderer.h"

#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "scene/SceneGeometry.h"
#include "scene/ViewState.h"

#include <GL/gl.h>
#include <algorithm>

namespace SceneRenderer {

namespace {

// Directions the light shines from, toward the origin; fixed relative to the
// camera. Entry 3 lies in the plane of the screen.
const double kLightTable[8][3] = {
    {-0.5, 0.5, 0.5},  {0.5, 0.5, 0.5},   {0.5, 0.5, -0.5},  {-0.5, 0.5, 0.0},
    {-0.5, -0.5, 0.5}, {0.5, -0.5, 0.5},  {0.5, -0.5, -0.5}, {-0.5, -0.5, -0.5},
};

constexpr GLubyte kFrameAlpha = 120;
constexpr GLubyte kSightAlpha = 50;
constexpr GLubyte kAttachAlpha = 100;
constexpr GLubyte kGroundAlpha = 170;

void Color(COLORREF c) { glColor3ub(GetRValue(c), GetGValue(c), GetBValue(c)); }
void Color(COLORREF c, GLubyte alpha) { glColor4ub(GetRValue(c), GetGValue(c), GetBValue(c), alpha); }

void Vertex(const SceneGeometry::Vec3& v) { glVertex3d(v.x, v.y, v.z); }

void LineVertex(const std::array<int, 3>& p) { glVertex3d(p[0], p[1], p[2]); }

template <class Visit>
void CompileLines(Visit&& visit)
{
    glBegin(GL_LINES);
    visit([](const std::array<int, 3>& a, const std::array<int, 3>& b) {
        LineVertex(a);
        LineVertex(b);
    });
    glEnd();
}

void CompileCube()
{
    glBegin(GL_QUADS);
    for (const SceneGeometry::Face& face : SceneGeometry::CubeFaces()) {
        if (face.hasNormal)
            glNormal3d(face.normal.x, face.normal.y, face.normal.z);
        for (const auto& corner : face.corners)
            Vertex(corner);
    }
    glEnd();
}

void CompileGround(int sx, int sz)
{
    glBegin(GL_QUADS);
    for (const auto& corner : SceneGeometry::GroundQuad(sx, sz))
        Vertex(corner);
    glEnd();
}

bool Compile(std::uint32_t& name, auto&& body)
{
    name = glGenLists(1);
    if (name == 0)
        return false;
    glNewList(name, GL_COMPILE);
    body();
    glEndList();
    return true;
}

void LineWidth(double width, const Target& t) { glLineWidth(DeviceLineWidth(width, t)); }

// Translation by pos along the canvas axis.
void TranslateAlongAxis(int axis, double pos)
{
    glTranslated(axis == 0 ? pos : 0.0, axis == 1 ? pos : 0.0, axis == 2 ? pos : 0.0);
}

void DrawCubes(const CViewState& v, const Lists& l, const CMiravelDoc& doc, const Target& t)
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushMatrix();
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    LineWidth(v.m_cubeLineWidth, t);
    for (int x = 0; x < doc.m_sizeX; ++x)
        for (int y = 0; y < doc.m_sizeY; ++y)
            for (int z = 0; z < doc.m_sizeZ; ++z) {
                const COLORREF c = doc.GetCube(x, y, z);
                if (c == CLR_NONE)
                    continue;
                GLenum front = GL_FILL;
                if (v.m_prefs.m_wireFrame == CubeStyle::Wireframe) {
                    const int axis = v.m_edit.AxisIndex();
                    const int along = axis == 0 ? x : axis == 1 ? y : z;
                    front = v.m_prefs.m_showCanvas && along == v.m_edit.m_canvasPos ? GL_FILL : GL_LINE;
                }
                glPolygonMode(GL_FRONT, front);
                glPushMatrix();
                glTranslated(x, y, z);
                Color(c);
                glCallList(l.m_listCube);
                if (v.m_prefs.m_wireFrame == CubeStyle::FilledBlackEdges) {
                    glPolygonMode(GL_FRONT, GL_LINE);
                    glColor3ub(0, 0, 0);
                    glCallList(l.m_listCube);
                }
                glPopMatrix();
            }
    glDisable(GL_CULL_FACE);
    glPopMatrix();
}

void DrawFrame(const CViewState& v, const Lists& l, const CMiravelDoc& doc, const Target& t, ICubeDrawer* fast)
{
    if (!v.m_prefs.m_showFrame)
        return;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushMatrix();
    glEnable(GL_BLEND);
    Color(v.m_prefs.m_frameColor, kFrameAlpha);
    LineWidth(v.m_prefs.m_frameLineWidth, t);
    if (!(fast && fast->DrawFrameLattice(v, doc, t)) && l.m_listFrame)
        glCallList(l.m_listFrame);
    glDisable(GL_BLEND);
    glPopMatrix();
}

void DrawLayerLattice(const CViewState& v, const Lists& l, const CMiravelDoc& doc, int layer, COLORREF color,
                      const Target& t, ICubeDrawer* fast)
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushMatrix();
    TranslateAlongAxis(v.m_edit.AxisIndex(), layer);
    LineWidth(v.m_prefs.m_canvasLineWidth, t);
    Color(color);
    if (!(fast && fast->DrawLayerLattice(v, doc, layer, t)) && l.m_listCanvas)
        glCallList(l.m_listCanvas);
    glPopMatrix();
}

void DrawCanvas(const CViewState& v, const Lists& l, const CMiravelDoc& doc, const Target& t, ICubeDrawer* fast)
{
    if (v.m_prefs.m_showCanvas)
        DrawLayerLattice(v, l, doc, v.m_edit.m_canvasPos, v.m_prefs.m_canvasColor, t, fast);
}

void DrawCopiedLayer(const CViewState& v, const Lists& l, const CMiravelDoc& doc, const Target& t, ICubeDrawer* fast)
{
    if (v.m_edit.m_copyLayer == -1)
        return;
    const COLORREF c = v.m_prefs.m_canvasColor;
    DrawLayerLattice(v, l, doc, v.m_edit.m_copyLayer,
                     RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)), t, fast);
}

void DrawAxes(const CViewState& v, const CMiravelDoc& doc, const Target& t)
{
    if (!v.m_prefs.m_showAxis)
        return;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushMatrix();
    LineWidth(v.m_prefs.m_axisLineWidth, t);
    glBegin(GL_LINES);
    glColor3ub(255, 0, 0);
    glVertex3d(0, 0, 0);
    glVertex3d(doc.m_sizeX + 1, 0, 0);
    glColor3ub(0, 255, 0);
    glVertex3d(0, 0, 0);
    glVertex3d(0, doc.m_sizeY + 1, 0);
    glColor3ub(0, 0, 255);
    glVertex3d(0, 0, 0);
    glVertex3d(0, 0, doc.m_sizeZ + 1);
    glEnd();
    glPopMatrix();
}

void DrawSight(const CViewState& v, const Lists& l, const CMiravelDoc& doc, const Target& t, ICubeDrawer* cubes)
{
    if (!v.m_pointer.HasSight())
        return;
    const double sx = v.m_pointer.m_sightX, sy = v.m_pointer.m_sightY, sz = v.m_pointer.m_sightZ;
    const double X = doc.m_sizeX, Y = doc.m_sizeY, Z = doc.m_sizeZ;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    Color(v.m_prefs.m_sightColor);
    // Over a cube in the same cell the sight wins the depth test at equal
    // depth, which needs the depth computed the same way for both.
    if (cubes) {
        cubes->DrawCellCube(v.m_pointer.m_sightX, v.m_pointer.m_sightY, v.m_pointer.m_sightZ);
    } else {
        glPushMatrix();
        glTranslated(sx, sy, sz);
        glCallList(l.m_listCube);
        glPopMatrix();
    }
    if (!v.m_prefs.m_showSight)
        return;

    glEnable(GL_BLEND);
    Color(v.m_prefs.m_sightColor, kSightAlpha);
    // Translucent copies just outside each face of the grid, half a unit away.
    const double copies[6][3] = {
        {X + 0.5, sy, sz}, {-1.5, sy, sz}, {sx, Y + 0.5, sz},
        {sx, -1.5, sz},    {sx, sy, Z + 0.5}, {sx, sy, -1.5},
    };
    for (const auto& p : copies) {
        glPushMatrix();
        glTranslated(p[0], p[1], p[2]);
        glCallList(l.m_listCube);
        glPopMatrix();
    }
    // Guide lines through the sight cube between the inner faces of the copies.
    glPushMatrix();
    glTranslated(sx + 0.5, sy + 0.5, sz + 0.5);
    LineWidth(v.m_prefs.m_sightLineWidth, t);
    glBegin(GL_LINES);
    glVertex3d(-1 - sx, 0, 0);
    glVertex3d(X - sx, 0, 0);
    glVertex3d(0, -1 - sy, 0);
    glVertex3d(0, Y - sy, 0);
    glVertex3d(0, 0, -1 - sz);
    glVertex3d(0, 0, Z - sz);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
}

void DrawAttachPreview(const CViewState& v, const Lists& l, const Target& t)
{
    if (v.m_edit.m_drawMode != DrawMode::Attach || !v.m_pointer.HasAttach())
        return;
    glEnable(GL_BLEND);
    glPushMatrix();
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    LineWidth(std::max({v.m_cubeLineWidth, v.m_prefs.m_frameLineWidth, v.m_prefs.m_canvasLineWidth}), t);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glTranslated(v.m_pointer.m_attachX, v.m_pointer.m_attachY, v.m_pointer.m_attachZ);
    Color(v.m_edit.m_cubeColor, kAttachAlpha);
    glCallList(l.m_listCube);
    glPolygonMode(GL_FRONT, GL_LINE);
    glColor4ub(0, 0, 0, kAttachAlpha);
    glCallList(l.m_listCube);
    glDisable(GL_CULL_FACE);
    glPopMatrix();
    glDisable(GL_BLEND);
}

// A tool's preview: its cells as translucent cubes of the colour they
// would take (grey where they would empty), then the outline of its box.
void DrawToolPreview(const CViewState& v, const Lists& l, const ToolPreview& preview, const Target& t)
{
    glEnable(GL_BLEND);
    LineWidth(std::max(v.m_cubeLineWidth, v.m_prefs.m_frameLineWidth), t);
    if (!preview.cells.empty() && l.m_listCube) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        const COLORREF fill = preview.color == CLR_NONE ? RGB(128, 128, 128) : preview.color;
        for (const CUBEPOS& cell : preview.cells) {
            glPushMatrix();
            glTranslated(cell.x, cell.y, cell.z);
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            Color(fill, kAttachAlpha);
            glCallList(l.m_listCube);
            glPolygonMode(GL_FRONT, GL_LINE);
            glColor4ub(0, 0, 0, kAttachAlpha);
            glCallList(l.m_listCube);
            glPopMatrix();
        }
        glDisable(GL_CULL_FACE);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    if (preview.hasOutline) {
        if (preview.outlineOverCubes)
            glDisable(GL_DEPTH_TEST);
        Color(preview.outlineColor);
        glBegin(GL_LINES);
        for (const auto& edge : BoxEdges(preview.outlineLo, preview.outlineHi)) {
            LineVertex(edge[0]);
            LineVertex(edge[1]);
        }
        glEnd();
        glEnable(GL_DEPTH_TEST);
    }
    glDisable(GL_BLEND);
}

void DrawGround(const CViewState& v, const Lists& l)
{
    if (!v.m_prefs.m_showGround)
        return;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushMatrix();
    glEnable(GL_BLEND);
    Color(v.m_prefs.m_groundColor, kGroundAlpha);
    glCallList(l.m_listGround);
    glDisable(GL_BLEND);
    glPopMatrix();
}

} // namespace

std::array<std::array<std::array<int, 3>, 2>, 12> BoxEdges(const CUBEPOS& a, const CUBEPOS& b)
{
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y), z0 = std::min(a.z, b.z);
    const int x1 = std::max(a.x, b.x) + 1, y1 = std::max(a.y, b.y) + 1, z1 = std::max(a.z, b.z) + 1;
    std::array<std::array<std::array<int, 3>, 2>, 12> edges;
    int n = 0;
    for (const int u : {y0, y1})
        for (const int w : {z0, z1})
            edges[n++] = {{{x0, u, w}, {x1, u, w}}};
    for (const int u : {x0, x1})
        for (const int w : {z0, z1})
            edges[n++] = {{{u, y0, w}, {u, y1, w}}};
    for (const int u : {x0, x1})
        for (const int w : {y0, y1})
            edges[n++] = {{{u, w, z0}, {u, w, z1}}};
    return edges;
}

float DeviceLineWidth(double width, const Target& t)
{
    return GLfloat(width * t.devicePixelRatio);
}

const double* LightDirection(int lightPos)
{
    return kLightTable[lightPos >= 0 && lightPos < 8 ? lightPos : 0];
}

void DeleteLists(Lists& l)
{
    for (std::uint32_t* name : {&l.m_listFrame, &l.m_listCanvas, &l.m_listCube, &l.m_listGround})
        if (*name != 0) {
            glDeleteLists(*name, 1);
            *name = 0;
        }
}

bool BuildLists(Lists& l, CanvasAxis axis, const CMiravelDoc& doc, bool lattices)
{
    DeleteLists(l);
    const int sx = doc.m_sizeX, sy = doc.m_sizeY, sz = doc.m_sizeZ;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    const bool ok =
        (!lattices ||
         Compile(l.m_listFrame,
                 [&] { CompileLines([&](auto&& f) { SceneGeometry::VisitFrameLines(sx, sy, sz, f); }); })) &&
        (!lattices || Compile(l.m_listCanvas, [&] {
             CompileLines([&](auto&& f) { SceneGeometry::VisitCanvasLines(int(axis), sx, sy, sz, f); });
         })) &&
        Compile(l.m_listCube, [] { CompileCube(); }) &&
        Compile(l.m_listGround, [&] { CompileGround(sx, sz); });
    glPopMatrix();
    return ok;
}

void DrawScene(const CViewState& v, const Lists& l, const CMiravelDoc& doc, const Target& t, ICubeDrawer* cubes,
               const ToolPreview* preview)
{
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);  // later elements win at equal depth: the sight over a cube
    glViewport(0, 0, t.deviceWidth, t.deviceHeight);

    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(Camera::Projection(t.view.width, t.view.height).m.data());

    glClearColor(GetRValue(v.m_prefs.m_backColor) / 255.0f, GetGValue(v.m_prefs.m_backColor) / 255.0f,
                 GetBValue(v.m_prefs.m_backColor) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The picture is opaque: blending must not eat into the framebuffer's
    // alpha, or the compositor and a read-back would see it as translucent.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);

    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(Camera::LookAtMatrix(v.m_camera).m.data());

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    const GLfloat ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    const double* dir = LightDirection(v.m_prefs.m_lightPos);
    // Set while the model-view holds only the look-at: the light stays put
    // relative to the camera and does not turn with the model.
    const GLfloat position[4] = {GLfloat(dir[0]), GLfloat(dir[1]), GLfloat(dir[2]), 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHT0);
    glShadeModel(GL_FLAT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glMatrixMode(GL_MODELVIEW);
    glMultMatrixd(Camera::ModelMatrix(v.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ).m.data());

    if (v.m_prefs.m_lightEnable)
        glEnable(GL_LIGHTING);
    if (cubes)
        cubes->DrawCubes(v, doc, t);
    else if (l.m_listCube)
        DrawCubes(v, l, doc, t);
    glDisable(GL_LIGHTING);  // only the cubes are ever lit

    DrawFrame(v, l, doc, t, cubes);
    DrawCanvas(v, l, doc, t, cubes);
    DrawCopiedLayer(v, l, doc, t, cubes);
    DrawAxes(v, doc, t);
    if (l.m_listCube) {
        DrawSight(v, l, doc, t, cubes);
        DrawAttachPreview(v, l, t);
    }
    if (preview)
        DrawToolPreview(v, l, *preview, t);
    if (l.m_listGround)
        DrawGround(v, l);

    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_NORMALIZE);
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

} // namespace SceneRenderer
