#include "images/ImageFormat.h"

const char* ImageFormatName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::BMP: return "bmp";
    case ImageFormat::PNG: return "png";
    case ImageFormat::GIF: return "gif";
    case ImageFormat::TIFF: return "tiff";
    case ImageFormat::EXIF: return "exif";
    case ImageFormat::JPEG: return "jpeg";
    case ImageFormat::Icon: return "icon";
    }
    return "unknown";
}
