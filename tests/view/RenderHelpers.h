#pragma once

#include "model/CMiravelDoc.h"
#include "tests/support/OffscreenGL.h"
#include "render/SceneRenderer.h"
#include "scene/Camera.h"
#include "scene/ViewState.h"

#include <QColor>
#include <QImage>

// Draws the scene the way the view does, into an offscreen framebuffer with
// ratio device pixels per logical pixel; cubes null for the literal drawing.
inline QImage RenderScene(OffscreenGL& gl, const CViewState& view, const CMiravelDoc& doc,
                          SceneRenderer::ICubeDrawer* cubes = nullptr, int ratio = 1,
                          const ToolPreview* preview = nullptr)
{
    gl.MakeCurrent();
    SceneRenderer::Lists lists;
    SceneRenderer::BuildLists(lists, view.m_edit.m_canvasAxis, doc);
    const ViewSize size{gl.Width() / ratio, gl.Height() / ratio};
    SceneRenderer::DrawScene(view, lists, doc, {gl.Width(), gl.Height(), double(ratio), size}, cubes, preview);
    QImage img = gl.Read();
    SceneRenderer::DeleteLists(lists);
    gl.DoneCurrent();
    return img;
}

// Pixel (top-left origin) of a model point in a w x h view of the grid.
inline QPoint ToPixel(const CCameraState& v, int w, int h, const int grid[3], double x, double y, double z)
{
    const auto c = (Camera::Projection(w, h) * Camera::ModelView(v, grid[0], grid[1], grid[2])).Apply(x, y, z);
    return QPoint(int((c[0] / c[3] + 1) * 0.5 * w), int(h - (c[1] / c[3] + 1) * 0.5 * h));
}

inline QRgb Rgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Channels within tol of each other.
inline bool Near(QRgb a, QRgb b, int tol = 2)
{
    return std::abs(qRed(a) - qRed(b)) <= tol && std::abs(qGreen(a) - qGreen(b)) <= tol &&
           std::abs(qBlue(a) - qBlue(b)) <= tol;
}

inline int CountPixels(const QImage& img, QRgb color, int tol = 0)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += Near(img.pixel(x, y), color, tol);
    return n;
}
