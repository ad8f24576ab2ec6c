#pragma once

#include <QImage>

class QIODevice;

// Writes image as a single-frame GIF to device. Pictures of at most 256
// colours (255 with transparency) keep their colours exactly; others are
// reduced by median cut, without dithering. With an alpha channel, pixels
// less than half opaque become the transparent colour.
bool EncodeGif(const QImage& image, QIODevice& device);
