#include "commandline/DefaultViewPicture.h"

#include "editing/CanvasLayer.h"
#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "render/FastCubeRenderer.h"
#include "render/GLFormat.h"
#include "render/SceneRenderer.h"
#include "scene/ViewState.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <algorithm>
#include <memory>

namespace DefaultViewPicture {

Result Render(const CMiravelDoc& doc, int width, int height)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return {{}, QCoreApplication::translate("DefaultViewPicture", "画像の大きさは一辺 1 から %1 ピクセルです").arg(kMaxSide)};
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {{}, QCoreApplication::translate("DefaultViewPicture", "画像を描くにはディスプレイが要ります")};

    // What a freshly opened document shows: the start-up values, the canvas
    // kept inside the grid, and "Setting:Default" (rotation and look-at
    // reset, zoom fitted to the client area for that rotation). No pointer
    // exists here, so there is no sight cell to mark.
    CViewState view;
    CanvasLayer::KeepInsideGrid(view.m_edit, view.m_pointer, doc);
    view.m_pointer.m_sightX = view.m_pointer.m_sightY = view.m_pointer.m_sightZ = -1;
    Camera::ResetRotation(view.m_camera);
    Camera::ResetLookAt(view.m_camera);
    view.m_camera.m_scale = Camera::FitScale(view.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ, width, height);

    const QSurfaceFormat format = MiravelGLFormat();
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface))
        return {{}, QCoreApplication::translate("DefaultViewPicture", "OpenGL のコンテキストを作れません (画像には X ディスプレイが要ります)")};

    Result result;
    {
        QOpenGLFramebufferObjectFormat fboFormat;
        fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
        fboFormat.setSamples(0);
        QOpenGLFramebufferObject fbo(width, height, fboFormat);
        if (!fbo.isValid() || !fbo.bind()) {
            result.error = QCoreApplication::translate("DefaultViewPicture", "%1×%2 のフレームバッファーを作れません").arg(width).arg(height);
        } else {
            // The same cube drawer as the editor's view, so the same picture.
            CFastCubeRenderer cubes;
            SceneRenderer::Lists lists;
            SceneRenderer::BuildLists(lists, view.m_edit.m_canvasAxis, doc);
            SceneRenderer::DrawScene(view, lists, doc, {width, height, 1.0, {width, height}}, &cubes);
            result.image = fbo.toImage().convertToFormat(QImage::Format_RGB888);
            SceneRenderer::DeleteLists(lists);
            cubes.ReleaseGL();
            fbo.release();
            if (result.image.isNull())
                result.error = QCoreApplication::translate("DefaultViewPicture", "描いた画像を読み出せません");
        }
    }
    context.doneCurrent();
    return result;
}

} // namespace DefaultViewPicture
