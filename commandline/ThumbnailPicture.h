#pragma once

#include "commandline/DefaultViewPicture.h"
#include "exchange/ModelData.h"

#include <cstdint>

// The small picture a file manager shows for a model file: the model's cubes
// as the editor's first view shows them (same rotation, light and cube
// style), on a transparent background without the frame, canvas, ground or
// sight, fitted to the box of the cubes so that the model fills the square.
namespace ThumbnailPicture {

// Above this many cubes a model is shown as the outline of its box, drawn
// without GL: a file manager asks for pictures of a whole folder, and drawing
// a quarter of a million cubes on a software rasteriser takes longer than a
// glance at a folder should wait.
inline constexpr std::int64_t kMostCubesDrawn = std::int64_t(1) << 18;

// A size x size picture (1 to DefaultViewPicture::kMaxSide).
DefaultViewPicture::Result Render(const ModelData& model, int size);

} // namespace ThumbnailPicture
