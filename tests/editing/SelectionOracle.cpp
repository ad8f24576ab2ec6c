#include "tests/editing/SelectionOracle.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>
#include <functional>

namespace {

void CallNamedCube(const CViewState& v, int x, int y, int z)
{
    glPushMatrix();
    glTranslated(x, y, z);
    glCallList(v.m_listCube);
    glPopMatrix();
}

OracleResult Select(const CViewState& v, const CMiravelDoc& doc, double wx, double wy, double box,
                    const std::function<void()>& drawNames)
{
    GLuint buffer[1024] = {};
    glSelectBuffer(1024, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, v.m_viewWidth, v.m_viewHeight);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluPickMatrix(wx, wy, box, box, viewport);
    const double w = v.m_viewWidth, h = v.m_viewHeight;
    glOrtho(-w * 0.5 / 10.0, w * 0.5 / 10.0, -h * 0.5 / 10.0, h * 0.5 / 10.0, -1.0, 3000.0);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 500.0, v.m_lookX, v.m_lookY, v.m_lookZ, 0.0, 1.0, 0.0);
    glRotated(v.m_rotX, 1, 0, 0);
    glRotated(v.m_rotY, 0, 1, 0);
    glRotated(v.m_rotZ, 0, 0, 1);
    glScaled(v.m_ratioX * v.m_scale, v.m_ratioY * v.m_scale, v.m_ratioZ * v.m_scale);
    glTranslated(-0.5 * doc.m_sizeX, -0.5 * doc.m_sizeY, -0.5 * doc.m_sizeZ);

    drawNames();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint n = glRenderMode(GL_RENDER);

    OracleResult r;
    r.hits = n;
    if (n < 0) {
        r.overflow = true;
        return r;
    }
    float bestDepth = 0;
    const GLuint* p = buffer;
    for (GLint i = 0; i < n; ++i) {
        const GLuint count = p[0];
        const float depth = float(double(p[1]) / 4294967296.0);
        if (count == 3) {
            const CUBEPOS cell{GLint(p[3]), GLint(p[4]), GLint(p[5])};
            r.all.push_back({cell, depth});
            if (i == 0 || depth <= bestDepth) {
                bestDepth = depth;
                r.cell = cell;
                r.depth = depth;
            }
        }
        p += 3 + count;
    }
    return r;
}

} // namespace

OracleResult OraclePickSight(const CViewState& v, const CMiravelDoc& doc, double wx, double wy, double box)
{
    return Select(v, doc, wx, wy, box, [&] {
        if (v.m_drawMode == 0) {
            const int X = doc.m_sizeX, Y = doc.m_sizeY, Z = doc.m_sizeZ, pos = v.m_canvasPos;
            const int x0 = v.m_canvasAxis == 0 ? pos : 0, x1 = v.m_canvasAxis == 0 ? pos + 1 : X;
            const int y0 = v.m_canvasAxis == 1 ? pos : 0, y1 = v.m_canvasAxis == 1 ? pos + 1 : Y;
            const int z0 = v.m_canvasAxis == 2 ? pos : 0, z1 = v.m_canvasAxis == 2 ? pos + 1 : Z;
            for (int x = x0; x < x1; ++x) {
                glPushName(GLuint(x));
                for (int y = y0; y < y1; ++y) {
                    glPushName(GLuint(y));
                    for (int z = z0; z < z1; ++z) {
                        glPushName(GLuint(z));
                        CallNamedCube(v, x, y, z);
                        glPopName();
                    }
                    glPopName();
                }
                glPopName();
            }
        } else {
            for (int x = 0; x < doc.m_sizeX; ++x)
                for (int y = 0; y < doc.m_sizeY; ++y)
                    for (int z = 0; z < doc.m_sizeZ; ++z)
                        if (doc.GetCube(x, y, z) != CLR_NONE) {
                            glPushName(GLuint(x));
                            glPushName(GLuint(y));
                            glPushName(GLuint(z));
                            CallNamedCube(v, x, y, z);
                            glPopName();
                            glPopName();
                            glPopName();
                        }
        }
    });
}

OracleResult OraclePickAttach(const CViewState& v, const CMiravelDoc& doc, double wx, double wy, double box)
{
    OracleResult none;
    if (v.m_drawMode != 1)
        return none;
    OracleResult r = Select(v, doc, wx, wy, box, [&] {
        if (!v.HasSight())
            return;
        const int sx = v.m_sightX, sy = v.m_sightY, sz = v.m_sightZ;
        const int n[6][3] = {{sx - 1, sy, sz}, {sx + 1, sy, sz}, {sx, sy - 1, sz},
                             {sx, sy + 1, sz}, {sx, sy, sz - 1}, {sx, sy, sz + 1}};
        for (const auto& c : n)
            if (doc.GetCube(c[0], c[1], c[2]) == CLR_NONE) {
                glPushName(GLuint(c[0]));
                glPushName(GLuint(c[1]));
                glPushName(GLuint(c[2]));
                CallNamedCube(v, c[0], c[1], c[2]);
                glPopName();
                glPopName();
                glPopName();
            }
    });
    if (r.cell != CUBEPOS{-1, -1, -1} && !doc.InBox(r.cell.x, r.cell.y, r.cell.z))
        r.cell = {-1, -1, -1};
    return r;
}
