#include "render/MirrorCue.h"

#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "scene/ViewState.h"

#include <GL/gl.h>

namespace MirrorCue {

namespace {

// Magenta: no default colour of the scene uses it.
constexpr GLubyte kRed = 255, kGreen = 0, kBlue = 255;
constexpr GLubyte kSheetAlpha = 48;
constexpr GLubyte kRimAlpha = 220;
constexpr double kRimWidth = 2.0;

struct Corner {
    double x, y, z;
};

// The plane across axis (0 X, 2 Z) through the middle of the box, in grid units.
void PlaneCorners(int axis, int sizeX, int sizeY, int sizeZ, Corner out[4])
{
    const double X = sizeX, Y = sizeY, Z = sizeZ;
    if (axis == 0) {
        const double m = X / 2;
        out[0] = {m, 0, 0}, out[1] = {m, Y, 0}, out[2] = {m, Y, Z}, out[3] = {m, 0, Z};
    } else {
        const double m = Z / 2;
        out[0] = {0, 0, m}, out[1] = {X, 0, m}, out[2] = {X, Y, m}, out[3] = {0, Y, m};
    }
}

} // namespace

void DrawPlanes(const CViewState& v, const CMiravelDoc& doc, const SceneRenderer::Target& t)
{
    if (!v.m_edit.m_mirrorX && !v.m_edit.m_mirrorZ)
        return;
    glViewport(0, 0, t.deviceWidth, t.deviceHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(Camera::Projection(t.view.width, t.view.height).m.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(Camera::LookAtMatrix(v.m_camera).m.data());
    glMultMatrixd(Camera::ModelMatrix(v.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ).m.data());

    // Cubes in front hide the planes; the planes hide nothing.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(SceneRenderer::DeviceLineWidth(kRimWidth, t));
    for (int axis : {0, 2}) {
        if (!(axis == 0 ? v.m_edit.m_mirrorX : v.m_edit.m_mirrorZ))
            continue;
        Corner c[4];
        PlaneCorners(axis, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ, c);
        glColor4ub(kRed, kGreen, kBlue, kSheetAlpha);
        glBegin(GL_QUADS);
        for (const Corner& p : c)
            glVertex3d(p.x, p.y, p.z);
        glEnd();
        glColor4ub(kRed, kGreen, kBlue, kRimAlpha);
        glBegin(GL_LINE_LOOP);
        for (const Corner& p : c)
            glVertex3d(p.x, p.y, p.z);
        glEnd();
    }
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(1.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

} // namespace MirrorCue
