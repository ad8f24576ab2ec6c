#pragma once

#include "images/ImageFormat.h"

#include <QString>

#include <span>

// One of the "Image:..." commands: what the save dialog offers and the
// format the picture is written in.
struct ScreenshotFormat {
    const char* command;    // "Image:BMP"
    const char* extension;  // default extension without the dot: "bmp"
    const char* filterText; // file-dialog filter: "BMP File(*.bmp)"
    ImageFormat format;
};

// All seven, in the order BMP, PNG, GIF, TIFF, EXIF, JPEG, ICON.
std::span<const ScreenshotFormat> ScreenshotFormats();

// The entry of an exact, case-sensitive command name, or nullptr.
const ScreenshotFormat* FindScreenshotFormat(const QString& command);

// The path with ".<extension>" appended when its file name has no extension
// of its own (a name typed as "shot" is saved as "shot.png").
QString WithDefaultExtension(const QString& path, const ScreenshotFormat& format);
QString WithDefaultExtension(const QString& path, const QString& extension);
