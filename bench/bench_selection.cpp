// A 20 x 20 x 20 selection in the middle of a full 40 x 40 x 40 model moved
// one cell (back and forth), as one undo step, until the geometry of the
// next frame is ready.
#include "bench/BenchUtil.h"
#include "bench/FullModel.h"
#include "bench/FastView.h"
#include "editing/SelectionEditing.h"
#include "model/CMiravelDoc.h"
#include "render/FastCubeRenderer.h"
#include "scene/ViewState.h"

namespace {

using bench::FastView;

const bench::Register reg("selection", [] {
    CMiravelDoc doc;
    bench::FillFull40(doc);
    FastView fv;
    fv.doc = &doc;
    doc.AddView(&fv);
    CViewState v;
    const ViewSize size{800, 600};
    fv.fast.Reset();
    fv.fast.Prepare(v, size, doc);
    CSelectionState s;
    s.m_box = CellBox{{10, 10, 10}, {29, 29, 29}};
    int round = 0;
    bool moved = true;
    bench::Report("selection_move_full40_ms", bench::MedianMs(21, nullptr, [&] {
        moved = SelectionEditing::Move(s, doc, ++round % 2 ? 1 : -1, 0, 0) == SelectionEditing::Outcome::Done && moved;
        fv.fast.Prepare(v, size, doc);
    }), "ms");
    if (!moved || s.m_box->lo.x != 11)
        std::fprintf(stderr, "selection_move_full40_ms: the selection did not move\n");
    doc.RemoveView(&fv);
});

} // namespace
