#include "render/HeadlessGL.h"

#include <QCoreApplication>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <type_traits>
#include <vector>

namespace {

QString EglErrorName(EGLint code)
{
    switch (code) {
    case EGL_NOT_INITIALIZED: return QStringLiteral("EGL_NOT_INITIALIZED");
    case EGL_BAD_ACCESS: return QStringLiteral("EGL_BAD_ACCESS");
    case EGL_BAD_ALLOC: return QStringLiteral("EGL_BAD_ALLOC");
    case EGL_BAD_ATTRIBUTE: return QStringLiteral("EGL_BAD_ATTRIBUTE");
    case EGL_BAD_CONFIG: return QStringLiteral("EGL_BAD_CONFIG");
    case EGL_BAD_CONTEXT: return QStringLiteral("EGL_BAD_CONTEXT");
    case EGL_BAD_DISPLAY: return QStringLiteral("EGL_BAD_DISPLAY");
    case EGL_BAD_MATCH: return QStringLiteral("EGL_BAD_MATCH");
    case EGL_BAD_PARAMETER: return QStringLiteral("EGL_BAD_PARAMETER");
    default: return QStringLiteral("EGL error 0x%1").arg(code, 0, 16);
    }
}

bool HasExtension(const char* list, const char* name)
{
    if (!list)
        return false;
    const std::size_t n = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)); p += n)
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0'))
            return true;
    return false;
}

QString CannotStart(const QString& detail)
{
    return QCoreApplication::translate("HeadlessGL", "ディスプレイなしで OpenGL を始められません: %1").arg(detail);
}

} // namespace

// The display and the context, made once for the process and kept: a batch
// of pictures pays for starting the driver once, and the driver stays loaded
// until the process ends (unloading it would leave its caches to be reported
// as leaks by the sanitizers, with no name to suppress them by).
struct Driver {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    QString error;  // why there is no context; empty when there is one

    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    Driver() { error = Start(); }

    // The display, initialised, and a compatibility context current on it
    // with no surface. Empty when it worked, else why not.
    QString Start()
    {
        const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
        if (!HasExtension(client, "EGL_MESA_platform_surfaceless"))
            return CannotStart(QStringLiteral("no EGL_MESA_platform_surfaceless (is Mesa's EGL installed?)"));
        display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display == EGL_NO_DISPLAY)
            return CannotStart(QStringLiteral("eglGetPlatformDisplay: %1").arg(EglErrorName(eglGetError())));
        EGLint major = 0, minor = 0;
        if (!eglInitialize(display, &major, &minor))
            return CannotStart(QStringLiteral("eglInitialize: %1").arg(EglErrorName(eglGetError())));
        if (!eglBindAPI(EGL_OPENGL_API))
            return CannotStart(QStringLiteral("eglBindAPI(EGL_OPENGL_API): %1").arg(EglErrorName(eglGetError())));
        // The scene draws with display lists and fixed-function lighting:
        // a compatibility context, as the editor's view has.
        EGLConfig config = EGL_NO_CONFIG_KHR;
        if (!HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_no_config_context")) {
            const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
            EGLint count = 0;
            if (!eglChooseConfig(display, wanted, &config, 1, &count) || count < 1)
                return CannotStart(QStringLiteral("no EGL configuration for OpenGL"));
        }
        const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1,
                                     EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                     EGL_NONE};
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, attributes);
        if (context == EGL_NO_CONTEXT)
            return CannotStart(QStringLiteral("eglCreateContext: %1").arg(EglErrorName(eglGetError())));

        const auto load = [](auto& pointer, const char* name) {
            pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(eglGetProcAddress(name));
            return pointer != nullptr;
        };
        if (!load(genFramebuffers, "glGenFramebuffers") || !load(bindFramebuffer, "glBindFramebuffer") ||
            !load(deleteFramebuffers, "glDeleteFramebuffers") || !load(genRenderbuffers, "glGenRenderbuffers") ||
            !load(bindRenderbuffer, "glBindRenderbuffer") || !load(deleteRenderbuffers, "glDeleteRenderbuffers") ||
            !load(renderbufferStorage, "glRenderbufferStorage") ||
            !load(framebufferRenderbuffer, "glFramebufferRenderbuffer") ||
            !load(checkFramebufferStatus, "glCheckFramebufferStatus"))
            return CannotStart(QStringLiteral("the driver has no framebuffer objects"));
        return {};
    }

    static Driver& Get()
    {
        static Driver driver;
        return driver;
    }
};

// One picture's framebuffer.
struct CHeadlessGL::Framebuffer {
    GLuint framebuffer = 0;
    GLuint color = 0;
    GLuint depth = 0;
    int width = 0;
    int height = 0;
};

CHeadlessGL::CHeadlessGL() = default;

CHeadlessGL::~CHeadlessGL() { Stop(); }

bool CHeadlessGL::Start(int width, int height)
{
    Stop();
    Driver& d = Driver::Get();
    m_error = d.error;
    if (!m_error.isEmpty())
        return false;
    if (!eglMakeCurrent(d.display, EGL_NO_SURFACE, EGL_NO_SURFACE, d.context)) {
        m_error = CannotStart(QStringLiteral("eglMakeCurrent: %1").arg(EglErrorName(eglGetError())));
        return false;
    }
    m_framebuffer = std::make_unique<Framebuffer>();
    Framebuffer& f = *m_framebuffer;
    f.width = width;
    f.height = height;
    d.genRenderbuffers(1, &f.color);
    d.bindRenderbuffer(GL_RENDERBUFFER, f.color);
    d.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    d.genRenderbuffers(1, &f.depth);
    d.bindRenderbuffer(GL_RENDERBUFFER, f.depth);
    d.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    d.genFramebuffers(1, &f.framebuffer);
    d.bindFramebuffer(GL_FRAMEBUFFER, f.framebuffer);
    d.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, f.color);
    d.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, f.depth);
    if (d.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR) {
        m_error = QCoreApplication::translate("HeadlessGL", "%1×%2 のフレームバッファーを作れません").arg(width).arg(height);
        Stop();
        return false;
    }
    return true;
}

QImage CHeadlessGL::Read(bool transparentBackground) const
{
    if (!m_framebuffer)
        return {};
    const int w = m_framebuffer->width, h = m_framebuffer->height;
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    QImage image(w, h, QImage::Format_RGBA8888);
    // GL's rows run bottom to top.
    std::vector<unsigned char> rgba(std::size_t(w) * std::size_t(h) * 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<GLuint> depth;
    if (transparentBackground) {
        depth.resize(std::size_t(w) * std::size_t(h));
        glReadPixels(0, 0, w, h, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth.data());
    }
    for (int y = 0; y < h; ++y) {
        const std::size_t row = std::size_t(h - 1 - y) * std::size_t(w);
        unsigned char* out = image.scanLine(y);
        std::memcpy(out, rgba.data() + row * 4, std::size_t(w) * 4);
        for (int x = 0; x < w; ++x)
            // The clear value 1.0 reads back as all ones; anything drawn is nearer.
            out[x * 4 + 3] = transparentBackground && depth[row + std::size_t(x)] == 0xFFFFFFFFu ? 0 : 255;
    }
    if (!transparentBackground)
        return image.convertToFormat(QImage::Format_RGB888);
    return image;
}

void CHeadlessGL::Stop()
{
    if (!m_framebuffer)
        return;
    Driver& d = Driver::Get();
    d.bindFramebuffer(GL_FRAMEBUFFER, 0);
    d.deleteFramebuffers(1, &m_framebuffer->framebuffer);
    d.deleteRenderbuffers(1, &m_framebuffer->color);
    d.deleteRenderbuffers(1, &m_framebuffer->depth);
    m_framebuffer.reset();
    // Nothing stays current between pieces of GL work.
    eglMakeCurrent(d.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}
