// The recovery copy of a full 40 x 40 x 40 model: serialising it and writing
// it through the copy's whole-file replacement; and the part of that the
// editor's user-interface thread waits for.
#include "recovery/RecoveryStore.h"
#include "bench/BenchUtil.h"
#include "bench/FullModel.h"
#include "model/CMiravelDoc.h"

#include <QTemporaryDir>

namespace {

const bench::Register reg("recovery", [] {
    CMiravelDoc doc;
    bench::FillFull40(doc);
    doc.SetModifiedFlag();

    QTemporaryDir dir;
    CRecoveryStore store(dir.filePath(QStringLiteral("recovery")));
    bool written = store.Write(doc); // the first write also makes the folder and takes the lock
    const double ms = bench::MedianMs(21, {}, [&] { written = store.Write(doc) && written; });
    if (!written)
        std::printf("autosave: writing the copy failed\n");
    bench::Report("autosave_full40_ms", ms, "ms");

    // What the editor itself waits for: the disk is written on another thread.
    const double ui = bench::MedianMs(21, {}, [&] { written = store.Prepare(doc).has_value() && written; });
    bench::Report("autosave_ui_full40_ms", ui, "ms");
});

} // namespace
