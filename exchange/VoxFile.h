#pragma once

#include "exchange/ModelData.h"
#include "model/WorkProgress.h"

#include <QByteArray>
#include <QString>

// The common voxel exchange format (.vox): a RIFF-like file, magic "VOX ",
// chunks MAIN, SIZE, XYZI, RGBA and the scene graph chunks; z is up there, y
// is up here.
struct VoxReadResult {
    bool ok = false;
    QString message; // why the file was refused, for the user
    ModelData model; // the grid is the bounding box of the voxels
    bool cancelled = false; // progress asked to stop: nothing to tell
};
// progress hears of the voxels placed and may stop the reading.
VoxReadResult ReadVox(const QByteArray& bytes, const WorkProgress& progress = {});
// Reads at most what a sane file can hold; a huge stray file is refused.
VoxReadResult ReadVoxFile(const QString& path, const WorkProgress& progress = {});

struct VoxWriteResult {
    bool ok = false;
    QString message;          // why it cannot be written, for the user
    QByteArray bytes;
    int distinctColors = 0;   // in the model
    int paletteColors = 0;    // in the file; fewer when colours were reduced
};
VoxWriteResult WriteVox(const ModelData& model);
