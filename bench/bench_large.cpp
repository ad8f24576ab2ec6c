// Large models: the two 256^3 models of LargeModels.h through the store, the
// model file, the .vox reader and a turn with its history.
#include "exchange/ImportedModel.h"
#include "bench/BenchUtil.h"
#include "bench/LargeModels.h"
#include "exchange/ModelData.h"
#include "exchange/VoxFile.h"
#include "model/ModelTools.h"

#include <QFile>
#include <QTemporaryDir>

#include <malloc.h>

namespace {

// What the heap holds now: the honest count of a structure's memory, with
// the allocator's own overhead.
double HeapMiB()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

const bench::Register reg("large", [] {
    QTemporaryDir dir;
    {
        const double before = HeapMiB();
        const CCubeStore full = bench::BuildFull256();
        bench::Report("large_store_full256_mib", HeapMiB() - before, "MiB");
    }

    CMiravelDoc landscape;
    bench::BuildLandscape(landscape);
    const QString mvf = dir.filePath(QStringLiteral("landscape.mvf"));
    bool ok = true;
    bench::Report("large_mvf_save_256_ms",
                  bench::MedianMs(5, {}, [&] { ok = landscape.OnSaveDocument(mvf).ok && ok; }), "ms");
    CMiravelDoc loaded;
    const double load = bench::MedianMs(5, {}, [&] { ok = loaded.OnOpenDocument(mvf).ok && ok; });
    ok = ok && loaded.m_cubes == landscape.m_cubes;
    bench::Report("large_mvf_load_256_ms", ok ? load : -1, "ms");

    const QString vox = dir.filePath(QStringLiteral("landscape.vox"));
    {
        const VoxWriteResult written = WriteVox(ModelFromDocument(landscape));
        QFile file(vox);
        ok = written.ok && file.open(QIODevice::WriteOnly) && file.write(written.bytes) == written.bytes.size();
    }
    CMiravelDoc imported;
    const double import = bench::MedianMs(5, {}, [&] {
        const VoxReadResult read = ReadVoxFile(vox);
        ok = read.ok && ImportedModel::PutInDocument(read.model, imported) && ok;
    });
    bench::Report("large_import_vox_256_ms", ok ? import : -1, "ms");

    CMiravelDoc full;
    full.ReplaceModel(256, 256, 256, bench::BuildFull256());
    // What the history holds for one turn, and the heap with it.
    const double heap = HeapMiB();
    ok = ModelTools::Apply(full, ModelTools::Turn(full, true));
    std::printf("large_heap_growth_turn_full256: %.4g MiB\n", HeapMiB() - heap);
    bench::Report("large_history_turn_full256_mib", double(full.m_history.MemoryBytes()) / (1024.0 * 1024.0), "MiB");
    const double turn = bench::MedianMs(5, {}, [&] { ok = ModelTools::Apply(full, ModelTools::Turn(full, true)) && ok; });
    bench::Report("large_turn_full256_ms", ok ? turn : -1, "ms");
});

} // namespace
