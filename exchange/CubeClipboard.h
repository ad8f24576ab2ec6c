#pragma once

#include "exchange/ModelData.h"
#include "model/SelectionTools.h"

#include <QByteArray>
#include <QString>

class CMiravelDoc;

// Cubes on the system clipboard. Our own type carries a selection between
// editors exactly; a .vox of the same cubes goes beside it for other
// programs.
//
// Layout (little-endian): the magic "MVCUBES" and a zero byte, the version
// (uint32, 1), the box's sizes X, Y, Z (uint32 each, a grid the editor can
// hold), the number of cubes (uint32, at most X*Y*Z), then per cube x, y, z
// (uint16 each, inside the box) and red, green, blue (one byte each), each
// cell at most once. Nothing may follow.
namespace CubeClipboard {

inline constexpr const char* kMimeType = "application/x-miravel-cubes";
// The type the desktop's file types give .vox files.
inline constexpr const char* kVoxMimeType = "application/x-magicavoxel";

QByteArray Encode(const CubeBlock& block);

struct DecodeResult {
    bool ok = false;
    QString message; // why the bytes were refused, for the user
    CubeBlock block;
};
// Treats the bytes as hostile: every size is checked against the bytes
// there before anything is allocated.
DecodeResult Decode(const QByteArray& bytes);

// The same cubes as a model of the box's size, for the .vox and an export of
// the selection; it keeps the document's .vox palette order.
ModelData ToModel(const CubeBlock& block, const CMiravelDoc& doc);
// A .vox read back from the clipboard as a block.
CubeBlock FromModel(const ModelData& model);

} // namespace CubeClipboard
