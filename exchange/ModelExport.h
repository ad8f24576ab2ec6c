#pragma once

#include "exchange/ExchangeFormat.h"
#include "exchange/ModelData.h"

#include <QString>
#include <QStringList>
#include <functional>

struct ExportResult {
    bool ok = false;
    QString message; // why it failed, for the user
    QString notice;  // something the user should know although it worked
};

// Called now and then during long work; false asks to stop (the export then
// fails and leaves nothing behind).
using ExportProgress = std::function<bool(int done, int total)>;

// Writes the model in a format of the registry (FileFormats.h) that has a
// writer: .vox or a mesh format. Every file (with a .gltf's .bin,
// an .obj's .mtl) is complete or absent: a failed export leaves no partial
// file and keeps one that was there.
ExportResult ExportModel(const ModelData& model, ExchangeFormat format, const QString& path,
                         const ExportProgress& progress = {});

struct FileFormat;
// Every file an export to path writes: path, and its .bin or .mtl.
QStringList ExportedFiles(const FileFormat& format, const QString& path);
