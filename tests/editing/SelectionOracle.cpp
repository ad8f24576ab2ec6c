#include "tests/editing/SelectionOracle.h"
#include "tests/support/LibraryCamera.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

OracleResult Select(const OracleView& view, const CMiravelDoc& doc, double wx, double wy, double box,
                    const std::vector<CUBEPOS>& candidates)
{
    GLuint buffer[1024] = {};
    glSelectBuffer(1024, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    GLint viewport[4] = {0, 0, view.size.width, view.size.height};
    gluPickMatrix(wx, wy, box, box, viewport);
    MultLibraryProjection(view.size.width, view.size.height);
    LoadLibraryModelView(view.state.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
    for (const CUBEPOS& c : candidates) {
        for (int n : {c.x, c.y, c.z})
            glPushName(GLuint(n));
        glPushMatrix();
        glTranslated(c.x, c.y, c.z);
        glCallList(view.cubeList);
        glPopMatrix();
        for (int i = 0; i < 3; ++i)
            glPopName();
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    OracleResult r;
    const GLint n = glRenderMode(GL_RENDER);
    r.overflow = n < 0;
    const GLuint* p = buffer;
    for (GLint i = 0; i < n; p += 3 + p[0], ++i) {
        const OracleResult::Hit hit{{GLint(p[3]), GLint(p[4]), GLint(p[5])}, float(double(p[1]) / 4294967296.0)};
        r.all.push_back(hit);
        if (i == 0 || hit.depth <= r.depth)
            r.cell = hit.cell, r.depth = hit.depth;
    }
    return r;
}

} // namespace

OracleResult OraclePickSight(const OracleView& view, const CMiravelDoc& doc, double wx, double wy, double box)
{
    const CViewState& v = view.state;
    // Canvas mode offers every cell of the canvas layer, attach mode every cube.
    std::vector<CUBEPOS> candidates;
    for (int x = 0; x < doc.m_sizeX; ++x)
        for (int y = 0; y < doc.m_sizeY; ++y)
            for (int z = 0; z < doc.m_sizeZ; ++z) {
                const int along[3] = {x, y, z};
                const bool canvas = v.m_edit.m_drawMode == DrawMode::Canvas;
                if (canvas ? along[v.m_edit.AxisIndex()] == v.m_edit.m_canvasPos : doc.GetCube(x, y, z) != CLR_NONE)
                    candidates.push_back({x, y, z});
            }
    return Select(view, doc, wx, wy, box, candidates);
}
