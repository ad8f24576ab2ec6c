#pragma once

#include <QString>
#include <optional>

// The file kinds a model can be written to or read from, chosen by a path's
// extension (case-insensitive).
enum class ExchangeFormat { Mvf, Vox, Gltf, Glb, Obj, Ply, Stl, Png, Jpeg, Bmp };

std::optional<ExchangeFormat> FormatForPath(const QString& path);
// The extension without its dot, as written by default ("glb", "jpg").
QString FormatSuffix(ExchangeFormat format);
// A mesh format: written through the mesh builder and the mesh exporters.
bool IsMeshFormat(ExchangeFormat format);
// A picture of the model's default view; needs a display to render.
bool IsImageFormat(ExchangeFormat format);
