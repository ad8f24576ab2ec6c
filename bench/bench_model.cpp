// The document on a full 40 x 40 x 40 model: saving, loading and editing.
#include "bench/BenchUtil.h"
#include "bench/FullModel.h"
#include "model/CMiravelDoc.h"

namespace {

const bench::Register reg("model", [] {
    CMiravelDoc doc;
    bench::FillFull40(doc);
    QByteArray bytes;
    const double save = bench::MedianMs(
        21, [&] { bytes.clear(); },
        [&] {
            CArchive ar(bytes, CArchive::store);
            doc.Serialize(ar);
        });
    bench::Report("model_save_full40_ms", save, "ms");

    CMiravelDoc target;
    const double load = bench::MedianMs(
        21, [&] { target.m_cubes.Clear(); },
        [&] {
            QByteArray copy = bytes;
            CArchive ar(copy, CArchive::load);
            target.Serialize(ar);
        });
    bench::Report("model_load_full40_ms", load, "ms");

    CMiravelDoc edit;
    edit.SetGridSize(40, 40, 40);
    const double setCubes = bench::MedianMs(
        11, [&] { edit.ClearAllCubes(); },
        [&] {
            for (int x = 0; x < 40; ++x)
                for (int y = 0; y < 40; ++y)
                    for (int z = 0; z < 40; ++z)
                        edit.SetCube(x, y, z, RGB(255, 0, 0));
        });
    bench::Report("model_setcube_64000_ms", setCubes, "ms");
});

} // namespace
