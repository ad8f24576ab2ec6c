#include "commandline/ThumbnailPicture.h"

#include "exchange/ImportedModel.h"
#include "model/CMiravelDoc.h"
#include "scene/Camera.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace ThumbnailPicture {

namespace {

struct Box {
    CUBEPOS min{0, 0, 0};
    int sizeX = 0, sizeY = 0, sizeZ = 0;
};

Box CubeBox(const ModelData& model)
{
    bool first = true;
    CUBEPOS lo{}, hi{};
    model.cubes.ForEachCube([&](const CUBEPOS& pos, COLORREF) {
        if (first)
            lo = hi = pos;
        first = false;
        lo = {std::min(lo.x, pos.x), std::min(lo.y, pos.y), std::min(lo.z, pos.z)};
        hi = {std::max(hi.x, pos.x), std::max(hi.y, pos.y), std::max(hi.z, pos.z)};
    });
    return {lo, hi.x - lo.x + 1, hi.y - lo.y + 1, hi.z - lo.z + 1};
}

// The default rotation and cube ratio, zoomed so that the turned box just
// fits a square of `size` pixels: its eight corners, seen along the line of
// sight, lie within the square less a margin for the edges' line width.
CCameraState FittedCamera(const Box& box, int size)
{
    CCameraState camera;
    Camera::ResetRotation(camera);
    Camera::ResetLookAt(camera);
    camera.m_scale = 1.0;
    const Mat4 model = Camera::ModelMatrix(camera, box.sizeX, box.sizeY, box.sizeZ);
    double extent = 0.0;
    for (int corner = 0; corner < 8; ++corner) {
        const auto p = model.Apply(corner & 1 ? box.sizeX : 0, corner & 2 ? box.sizeY : 0, corner & 4 ? box.sizeZ : 0);
        extent = std::max({extent, std::abs(p[0]), std::abs(p[1])});
    }
    const double half = std::max(0.5, size / 2.0 - 2.0);
    camera.m_scale = half / (Camera::kPixelsPerUnit * std::max(extent, 1e-9));
    return camera;
}

// The twelve edges of the box, projected as the view would draw them.
QImage Outline(const Box& box, int size)
{
    const CCameraState camera = FittedCamera(box, size);
    const Mat4 m = Camera::Projection(size, size) * Camera::ModelView(camera, box.sizeX, box.sizeY, box.sizeZ);
    std::array<QPointF, 8> corners;
    for (int c = 0; c < 8; ++c) {
        const auto p = m.Apply(c & 1 ? box.sizeX : 0, c & 2 ? box.sizeY : 0, c & 4 ? box.sizeZ : 0);
        corners[std::size_t(c)] = {(p[0] / p[3] + 1.0) * size / 2.0, (1.0 - p[1] / p[3]) * size / 2.0};
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Grey shows on a light and on a dark background alike.
    painter.setPen(QPen(QColor(140, 140, 140), std::max(1.0, size / 128.0)));
    for (int c = 0; c < 8; ++c)
        for (int bit : {1, 2, 4})
            if (!(c & bit))
                painter.drawLine(corners[std::size_t(c)], corners[std::size_t(c | bit)]);
    painter.end();
    return image;
}

} // namespace

DefaultViewPicture::Result Render(const ModelData& model, int size)
{
    if (size < 1 || size > DefaultViewPicture::kMaxSide)
        return {{}, QCoreApplication::translate("DefaultViewPicture", "画像の大きさは一辺 1 から %1 ピクセルです")
                        .arg(DefaultViewPicture::kMaxSide)};
    // A model without cubes shows where its grid is.
    if (model.cubes.IsEmpty())
        return {Outline({{0, 0, 0}, std::max(1, model.sizeX), std::max(1, model.sizeY), std::max(1, model.sizeZ)}, size), {}};
    const Box box = CubeBox(model);
    if (std::int64_t(model.cubes.Count()) > kMostCubesDrawn)
        return {Outline(box, size), {}};

    ModelData boxed{box.sizeX, box.sizeY, box.sizeZ, {}};
    model.cubes.ForEachCube([&](const CUBEPOS& pos, COLORREF color) {
        boxed.cubes.Set({pos.x - box.min.x, pos.y - box.min.y, pos.z - box.min.z}, color);
    });
    CMiravelDoc doc;
    if (!ImportedModel::PutInDocument(boxed, doc))
        return {Outline(box, size), {}};

    CViewState view;
    view.m_prefs.m_showFrame = view.m_prefs.m_showCanvas = view.m_prefs.m_showGround = view.m_prefs.m_showAxis = 0;
    view.m_pointer.m_sightX = view.m_pointer.m_sightY = view.m_pointer.m_sightZ = -1;
    view.m_camera = FittedCamera(box, size);
    return DefaultViewPicture::Draw(view, doc, size, size, true);
}

} // namespace ThumbnailPicture
