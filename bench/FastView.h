#pragma once

#include "model/CMiravelDoc.h"
#include "model/Document.h"
#include "render/FastCubeRenderer.h"

namespace bench {

// Keeps a fast drawer in step with the document, as the view does.
struct FastView : CDocView {
    CFastCubeRenderer fast;
    const CMiravelDoc* doc = nullptr;
    void OnUpdate(CDocView*, long) override {}
    void OnCubeChanged(const CUBEPOS& p) override { fast.CellChanged(*doc, p); }
    void OnModelReset() override { fast.Reset(); }
    void OnChunksChanged(const std::vector<ChunkKey>& chunks) override { fast.ChunksChanged(*doc, chunks); }
};

} // namespace bench
