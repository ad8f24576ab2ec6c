#pragma once

#include "images/ImageFormat.h"

#include <QImage>

#include <functional>
#include <vector>

class QIODevice;

// One way of writing an image in one format. encode() writes the whole file to
// an open device and reports whether it succeeded; it never closes the device.
struct ImageEncoder {
    ImageFormat format;
    const char* mimeType;
    std::function<bool(const QImage& image, QIODevice& device)> encode;
};

// The encoders this installation has, in a fixed order. Qt's writers join only
// when their plugin is present; GIF is written by the editor itself; no
// encoder writes EXIF.
const std::vector<ImageEncoder>& InstalledImageEncoders();

// The first installed encoder of that format, or nullptr when there is none.
const ImageEncoder* FindImageEncoder(ImageFormat format);

// Icon files record each side in one byte, so nothing larger than this fits.
inline constexpr int kMaxIconSide = 256;
