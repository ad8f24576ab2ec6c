#pragma once

// A GL context with an offscreen framebuffer for render and pick tests: no
// window needed, only an X display (the suite runs under Xvfb).
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <memory>

class OffscreenGL {
public:
    OffscreenGL(int width, int height);
    ~OffscreenGL();
    bool IsValid() const { return m_fbo != nullptr; }
    void MakeCurrent();
    void DoneCurrent();
    // The framebuffer's pixels, top row first, opaque RGB32.
    QImage Read();
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width, m_height;
    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
};

// Writes img to $MIRAVEL_TEST_OUTPUT/<name>.png (or the build folder) and
// returns the path, so a failing test leaves its evidence behind.
QString SaveEvidence(const QImage& img, const QString& name);
