#pragma once

#include <QSurfaceFormat>

// The scene draws with fixed-function GL (display lists, lighting, GLU), so
// every context must be a compatibility one; single-sampled, so that the
// picture is exactly reproducible. Must be the default before the application
// object exists.
inline QSurfaceFormat MiravelGLFormat()
{
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setSamples(0);
    return format;
}

inline void SetDefaultGLFormat() { QSurfaceFormat::setDefaultFormat(MiravelGLFormat()); }
