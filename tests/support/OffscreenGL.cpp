#include "tests/support/OffscreenGL.h"

#include "render/GLFormat.h"

#include <QDir>

OffscreenGL::OffscreenGL(int width, int height) : m_width(width), m_height(height)
{
    const QSurfaceFormat format = MiravelGLFormat();
    m_surface.setFormat(format);
    m_surface.create();
    m_context.setFormat(format);
    if (!m_context.create() || !m_context.makeCurrent(&m_surface))
        return;
    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
    fboFormat.setSamples(0);
    m_fbo = std::make_unique<QOpenGLFramebufferObject>(width, height, fboFormat);
    m_fbo->bind();
}

OffscreenGL::~OffscreenGL()
{
    if (m_context.makeCurrent(&m_surface))
        m_fbo.reset();
    m_context.doneCurrent();
}

void OffscreenGL::MakeCurrent()
{
    m_context.makeCurrent(&m_surface);
    if (m_fbo)
        m_fbo->bind();
}

void OffscreenGL::DoneCurrent()
{
    m_context.doneCurrent();
}

QImage OffscreenGL::Read()
{
    MakeCurrent();
    return m_fbo->toImage().convertToFormat(QImage::Format_RGB32);
}

QString SaveEvidence(const QImage& img, const QString& name)
{
    QString dir = qEnvironmentVariable("MIRAVEL_TEST_OUTPUT");
    if (dir.isEmpty())
        dir = QDir::currentPath() + QStringLiteral("/test-output");
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    img.save(path);
    return path;
}
