#pragma once

#include "model/CubeTypes.h"

#include <QByteArray>
#include <QString>

#include <span>
#include <vector>

// Palette files of other programs: a list of at most 255 colours.
struct PaletteReadResult {
    bool ok = false;
    QString message;  // why the file was refused, one line for the user
    std::vector<COLORREF> colors;
};

struct PaletteWriteResult {
    bool ok = false;
    QString message;  // why it was not written, one line for the user
};

// The readers and writers of each format, on the file's bytes. A reader
// takes at most kMaxPaletteColors colours and refuses more with the count.
namespace PaletteFormats {

PaletteReadResult ReadGpl(const QByteArray& bytes);      // GIMP: "R G B name" lines
PaletteReadResult ReadImage(const QByteArray& bytes);    // any image's distinct colours
PaletteReadResult ReadAct(const QByteArray& bytes);      // Adobe: 768 or 772 bytes
PaletteReadResult ReadPaintNet(const QByteArray& bytes); // AARRGGBB lines, ';' comments
PaletteReadResult ReadHex(const QByteArray& bytes);      // RRGGBB lines

QByteArray WriteGpl(std::span<const COLORREF> colors);
QByteArray WritePng(std::span<const COLORREF> colors);   // a strip, one pixel a colour
QByteArray WriteAct(std::span<const COLORREF> colors);   // 772 bytes, with the count
QByteArray WritePaintNet(std::span<const COLORREF> colors);
QByteArray WriteHex(std::span<const COLORREF> colors);

} // namespace PaletteFormats

// The messages say why, not which file: the caller names it.
// The format is the palette format of the path's extension (FileFormats).
// A file over a few MiB (an image's pixels bounded as well) is refused
// before it is read whole.
PaletteReadResult ReadPaletteFile(const QString& path);
// Written through a temporary; an old file is replaced only when the new
// one is complete. An empty palette is refused.
PaletteWriteResult WritePaletteFile(const QString& path, std::span<const COLORREF> colors);

// "#RRGGBB" of a colour, as the tooltips and the .hex files show it.
QString ColorHex(COLORREF color);
