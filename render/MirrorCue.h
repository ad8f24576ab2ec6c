#pragma once

#include "render/SceneRenderer.h"

// While mirror painting is on, the mirror planes show through the middle of
// the grid box: a faint sheet with a bright rim, across X and/or across Z.
// An editing aid like the sight marker, but drawn over a finished frame by
// the view only, so that screenshots and prints show the model without it.
namespace MirrorCue {

// Draws the planes of the view's mirror flags over the frame DrawScene has
// just drawn (its depth buffer still in place); nothing when both are off.
void DrawPlanes(const CViewState& view, const CMiravelDoc& doc, const SceneRenderer::Target& target);

} // namespace MirrorCue
