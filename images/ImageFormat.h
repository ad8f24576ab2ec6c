#pragma once

// The file formats an image can be saved in. An identifier names a format;
// whether anything can actually write it is up to the encoder table
// (ImageEncoders.h). EXIF is a valid identifier with no encoder.
enum class ImageFormat {
    BMP,
    PNG,
    GIF,
    TIFF,
    EXIF,
    JPEG,
    Icon,
};

// A short lower-case name for messages and test output ("bmp", "icon", ...).
const char* ImageFormatName(ImageFormat format);
