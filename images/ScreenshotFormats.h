#pragma once

#include "images/ImageFormat.h"

#include <QString>

#include <span>

// What one of the image commands ("Image:BMP"...; their names are in the
// command table, which names each entry by its place) offers in the save
// dialog, and the format the picture is written in.
struct ScreenshotFormat {
    const char* extension;  // default extension without the dot: "bmp"
    const char* filterText; // file-dialog filter: "BMP File(*.bmp)"
    ImageFormat format;
};

// All seven, in the order BMP, PNG, GIF, TIFF, EXIF, JPEG, ICON.
std::span<const ScreenshotFormat> ScreenshotFormats();

// The path with ".<extension>" appended when its file name has no extension
// of its own (a name typed as "shot" is saved as "shot.png").
QString WithDefaultExtension(const QString& path, const ScreenshotFormat& format);
QString WithDefaultExtension(const QString& path, const QString& extension);
