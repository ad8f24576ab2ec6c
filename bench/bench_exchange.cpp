// Other programs' formats on a full 40 x 40 x 40 model with a colour per
// cube, and the mesh of the bundled sample.
#include "bench/BenchUtil.h"
#include "exchange/MeshBuilder.h"
#include "exchange/ModelExport.h"
#include "exchange/VoxFile.h"
#include "model/CMiravelDoc.h"

#include <QTemporaryDir>

namespace {

ModelData FullModel()
{
    ModelData m{40, 40, 40, {}};
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 40; ++y)
            for (int z = 0; z < 40; ++z)
                m.cubes.Set({x, y, z}, RGB(std::uint8_t(x * 6), std::uint8_t(y * 6), std::uint8_t(z * 6)));
    return m;
}

const bench::Register reg("exchange", [] {
    QTemporaryDir dir;
    const ModelData full = FullModel();
    const QString vox = dir.filePath(QStringLiteral("full.vox"));
    bool ok = true;
    const double exportVox =
        bench::MedianMs(11, {}, [&] { ok = ExportModel(full, ExchangeFormat::Vox, vox).ok && ok; });
    bench::Report("export_vox_full40_ms", ok ? exportVox : -1, "ms");

    const double importVox = bench::MedianMs(11, {}, [&] { ok = ReadVoxFile(vox).ok && ok; });
    bench::Report("import_vox_full40_ms", ok ? importVox : -1, "ms");

    const QString glb = dir.filePath(QStringLiteral("full.glb"));
    const double exportGlb =
        bench::MedianMs(5, {}, [&] { ok = ExportModel(full, ExchangeFormat::Glb, glb).ok && ok; });
    bench::Report("export_glb_full40_ms", ok ? exportGlb : -1, "ms");

    CMiravelDoc doc;
    doc.OnOpenDocument(QStringLiteral(MIRAVEL_SOURCE_DIR "/resources/samples/sample.mvf"));
    const ModelData sample = ModelFromDocument(doc);
    CubeMesh mesh;
    BuildCubeMesh(sample, MeshAxes::YUp, mesh);
    bench::Report("mesh_triangles_sample", double(mesh.TriangleCount()), "triangles");
    bench::Report("mesh_quads_unmerged_sample", double(mesh.exposedFaces), "quads");
    // STL carries no colour, so faces of every colour merge.
    BuildCubeMesh(sample, MeshAxes::ZUp, mesh, {}, kMaxMeshTriangles, MeshColours::One);
    bench::Report("mesh_triangles_sample_stl", double(mesh.TriangleCount()), "triangles");
});

} // namespace
