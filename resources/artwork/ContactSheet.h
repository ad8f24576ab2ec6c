#pragma once

// Contact sheets for looking the artwork over: every strip enlarged over the
// scene colours and swatches it meets, and a mock-up of the button columns
// at their real size.

#include "ArtKit.h"

#include <QImage>
#include <QString>

#include <vector>

namespace Sheet {

struct Strip {
    int resource;
    Art::Face face;
    QImage image;
};

// Writes the sheets into `folder`; returns an error message, empty on success.
QString Write(const QString& folder, const std::vector<Strip>& strips, const QImage& splash,
              const std::vector<QImage>& icons);

} // namespace Sheet
