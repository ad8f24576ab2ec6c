#include "exchange/ModelExport.h"

#include "exchange/ExchangeMessages.h"
#include "exchange/MeshBuilder.h"
#include "exchange/MeshExport.h"
#include "exchange/VoxFile.h"
#include "model/FileErrorText.h"

#include <QSaveFile>

#include <cerrno>

namespace {

ExportResult SaveWhole(const QString& path, const QByteArray& bytes)
{
    ExportResult result;
    QSaveFile file(path);
    errno = 0;
    // The flush is where a full disk shows with its reason.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        result.message = ExchangeMessages::CannotWrite(path, FileErrorText::OfFailedCall(file));
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace

ExportResult ExportModel(const ModelData& model, ExchangeFormat format, const QString& path,
                         const ExportProgress& progress)
{
    ExportResult result;
    if (format == ExchangeFormat::Vox) {
        const VoxWriteResult vox = WriteVox(model);
        if (!vox.ok) {
            result.message = vox.message;
            return result;
        }
        if (progress && !progress(1, 2)) {
            result.message = ExchangeMessages::Cancelled();
            return result;
        }
        result = SaveWhole(path, vox.bytes);
        if (result.ok && vox.paletteColors < vox.distinctColors)
            result.notice = ExchangeMessages::ColorsReduced(vox.distinctColors, vox.paletteColors);
        return result;
    }
    if (IsMeshFormat(format)) {
        // STL is read by slicers for printing, which take z as up: it gets
        // the same turn as .vox so that the print stands upright.
        const MeshAxes axes = format == ExchangeFormat::Stl ? MeshAxes::ZUp : MeshAxes::YUp;
        // STL has no colours: faces of all colours merge alike.
        const MeshColours colours = format == ExchangeFormat::Stl ? MeshColours::One : MeshColours::OfCubes;
        CubeMesh mesh;
        if (!BuildCubeMesh(model, axes, mesh, progress, kMaxMeshTriangles, colours)) {
            result.message = mesh.refusedTriangles > 0
                                 ? ExchangeMessages::MeshTooLarge(mesh.refusedTriangles, kMaxMeshTriangles)
                                 : ExchangeMessages::Cancelled();
            return result;
        }
        // An empty mesh is no use to anyone, and an empty glTF buffer is
        // not even valid.
        if (mesh.TriangleCount() == 0) {
            result.message = ExchangeMessages::NoCubes();
            return result;
        }
        return ExportMesh(mesh, format, path);
    }
    // The model file has its own save; pictures need the view to render.
    result.message = ExchangeMessages::NotExportable();
    return result;
}

QStringList ExportedFiles(ExchangeFormat format, const QString& path)
{
    QStringList files{path};
    if (const QString companion = CompanionPath(format, path); !companion.isEmpty())
        files << companion;
    return files;
}
