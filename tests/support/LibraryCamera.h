#pragma once

// The view's camera built the way fixed-function GL code would, with glOrtho,
// gluLookAt, glRotated, glScaled and glTranslated: an independent reference
// for the editor's own matrices. Multiplies into the current projection (the
// caller may have loaded a pick matrix first) and loads the model-view.
#include "scene/CameraState.h"

#include <GL/gl.h>
#include <GL/glu.h>

inline void MultLibraryProjection(int w, int h)
{
    glOrtho(-w * 0.5 / 10.0, w * 0.5 / 10.0, -h * 0.5 / 10.0, h * 0.5 / 10.0, -1.0, 3000.0);
}

inline void LoadLibraryModelView(const CCameraState& v, int sizeX, int sizeY, int sizeZ)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 500.0, v.m_lookX, v.m_lookY, v.m_lookZ, 0.0, 1.0, 0.0);
    glRotated(v.m_rotX, 1, 0, 0);
    glRotated(v.m_rotY, 0, 1, 0);
    glRotated(v.m_rotZ, 0, 0, 1);
    glScaled(v.m_ratioX * v.m_scale, v.m_ratioY * v.m_scale, v.m_ratioZ * v.m_scale);
    glTranslated(-0.5 * sizeX, -0.5 * sizeY, -0.5 * sizeZ);
}
