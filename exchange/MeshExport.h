#pragma once

#include "exchange/ExchangeFormat.h"
#include "exchange/MeshBuilder.h"
#include "exchange/ModelExport.h"

// Writes a built mesh as glTF (.gltf with its .bin, or .glb), OBJ (with its
// .mtl), binary PLY or binary STL through Assimp's exporters. Every file is
// written through a temporary that replaces the old one only when complete.
ExportResult ExportMesh(const CubeMesh& mesh, ExchangeFormat format, const QString& path);

// The file written beside the main one: a .gltf's buffer, an .obj's material
// library; empty for the formats that have none. A .gltf's buffer name needs
// no escapes in the URI that refers to it.
QString CompanionPath(ExchangeFormat format, const QString& path);
