#pragma once

#include <QImage>
#include <QString>

class CMiravelDoc;

// The picture the editor shows of a model right after opening it, with the
// display settings' start-up values and the default camera (zoom fitted to
// the grid), drawn offscreen at width x height pixels.
//
// Needs a QGuiApplication on a platform that gives OpenGL contexts (an X
// display; Xvfb will do).
namespace DefaultViewPicture {

// The largest side the picture may have.
inline constexpr int kMaxSide = 8192;

struct Result {
    QImage image;   // opaque RGB, top row first; null on failure
    QString error;  // why there is no picture
};

Result Render(const CMiravelDoc& doc, int width, int height);

} // namespace DefaultViewPicture
