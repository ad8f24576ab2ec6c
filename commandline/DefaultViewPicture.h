#pragma once

#include "scene/ViewState.h"

#include <QImage>
#include <QString>

class CMiravelDoc;

// The picture the editor shows of a model right after opening it, with the
// display settings' start-up values and the default camera (zoom fitted to
// the grid), drawn offscreen at width x height pixels. Needs no display:
// the GL context is one of Mesa's software driver with no window system.
namespace DefaultViewPicture {

// The largest side the picture may have.
inline constexpr int kMaxSide = 8192;

struct Result {
    QImage image;   // top row first; null on failure
    QString error;  // why there is no picture
};

// What a freshly opened document shows in a client area of width x height:
// the start-up values, the canvas kept inside the grid, and "Setting:Default"
// (rotation and look-at reset, zoom fitted). No pointer exists here, so there
// is no sight cell to mark.
CViewState FirstView(const CMiravelDoc& doc, int width, int height);

// The view of the document drawn as the editor's view draws it. Opaque RGB,
// or with transparentBackground the background left out (alpha 0).
Result Draw(const CViewState& view, const CMiravelDoc& doc, int width, int height, bool transparentBackground);

// The first view, opaque.
Result Render(const CMiravelDoc& doc, int width, int height);

} // namespace DefaultViewPicture
