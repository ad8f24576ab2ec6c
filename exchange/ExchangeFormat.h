#pragma once

// The file formats that code names on their own (the model file, .vox, the
// meshes' exporters, the converter's pictures). Everything else about a
// format, and the formats only the registry knows, is in FileFormats.h.
enum class ExchangeFormat { Mvf, Vox, Gltf, Glb, Obj, Ply, Stl, Png, Jpeg, Bmp };
