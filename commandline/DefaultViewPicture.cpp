#include "commandline/DefaultViewPicture.h"

#include "editing/CanvasLayer.h"
#include "model/CMiravelDoc.h"
#include "render/FastCubeRenderer.h"
#include "render/HeadlessGL.h"
#include "render/SceneRenderer.h"
#include "scene/Camera.h"

#include <QCoreApplication>
#include <QOpenGLContext>

namespace DefaultViewPicture {

CViewState FirstView(const CMiravelDoc& doc, int width, int height)
{
    CViewState view;
    CanvasLayer::KeepInsideGrid(view.m_edit, view.m_pointer, doc);
    view.m_pointer.m_sightX = view.m_pointer.m_sightY = view.m_pointer.m_sightZ = -1;
    Camera::ResetRotation(view.m_camera);
    Camera::ResetLookAt(view.m_camera);
    view.m_camera.m_scale = Camera::FitScale(view.m_camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ, width, height);
    return view;
}

Result Draw(const CViewState& view, const CMiravelDoc& doc, int width, int height, bool transparentBackground)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return {{}, QCoreApplication::translate("DefaultViewPicture", "画像の大きさは一辺 1 から %1 ピクセルです").arg(kMaxSide)};
    // A window's context current on this thread would keep EGL from making
    // its own current; nothing relies on one staying current between pieces
    // of GL work.
    if (QOpenGLContext* current = QOpenGLContext::currentContext())
        current->doneCurrent();

    CHeadlessGL gl;
    if (!gl.Start(width, height))
        return {{}, gl.Error()};
    // The same cube drawer as the editor's view, so the same picture.
    CFastCubeRenderer cubes;
    SceneRenderer::Lists lists;
    SceneRenderer::BuildLists(lists, view.m_edit.m_canvasAxis, doc);
    SceneRenderer::DrawScene(view, lists, doc, {width, height, 1.0, {width, height}}, &cubes);
    Result result{gl.Read(transparentBackground), {}};
    SceneRenderer::DeleteLists(lists);
    cubes.ReleaseGL();
    gl.Stop();
    if (result.image.isNull())
        result.error = QCoreApplication::translate("DefaultViewPicture", "描いた画像を読み出せません");
    return result;
}

Result Render(const CMiravelDoc& doc, int width, int height)
{
    return Draw(FirstView(doc, width, height), doc, width, height, false);
}

} // namespace DefaultViewPicture
