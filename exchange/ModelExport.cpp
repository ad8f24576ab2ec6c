#include "exchange/ModelExport.h"

#include "exchange/ExchangeMessages.h"
#include "exchange/FileFormats.h"
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
    const FileFormat& f = FileFormats::Get(format);
    if (!f.write) {
        // The model file has its own save; pictures need the view to render.
        ExportResult result;
        result.message = ExchangeMessages::NotExportable();
        return result;
    }
    return f.write(model, f, path, progress);
}

// The writers of the registry's .vox and mesh formats.
ExportResult WriteVoxModel(const ModelData& model, const FileFormat&, const QString& path, const ExportProgress& progress)
{
    ExportResult result;
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

ExportResult WriteMeshModel(const ModelData& model, const FileFormat& format, const QString& path,
                            const ExportProgress& progress)
{
    ExportResult result;
    // Without colours, faces of all colours merge alike.
    const MeshColours colours = format.colors ? MeshColours::OfCubes : MeshColours::One;
    CubeMesh mesh;
    if (!BuildCubeMesh(model, format.zUp ? MeshAxes::ZUp : MeshAxes::YUp, mesh, progress, kMaxMeshTriangles, colours)) {
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
    return ExportMesh(mesh, *format.id, path);
}

QStringList ExportedFiles(const FileFormat& format, const QString& path)
{
    QStringList files{path};
    if (const QString companion = format.id ? CompanionPath(*format.id, path) : QString(); !companion.isEmpty())
        files << companion;
    return files;
}
