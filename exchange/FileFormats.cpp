#include "exchange/FileFormats.h"

#include "exchange/VoxFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

// The writers of the formats below, each defined with its format's code;
// format gives the options.
ExportResult WriteVoxModel(const ModelData& model, const FileFormat& format, const QString& path,
                           const ExportProgress& progress);
ExportResult WriteMeshModel(const ModelData& model, const FileFormat& format, const QString& path,
                            const ExportProgress& progress);

namespace {

ModelReadResult ReadVoxModel(const QString& path, const WorkProgress& progress)
{
    VoxReadResult read = ReadVoxFile(path, progress);
    return {read.ok, read.message, std::move(read.model), read.cancelled};
}

using F = FormatKind;
using X = ExchangeFormat;

// Every format, in the order the dialogs, the menu and the help list them.
constexpr FileFormat kFormats[] = {
    // "mvf" in 16-bit units.
    {.kind = F::Model, .suffixes = "mvf", .filter = "MiravelFile(*.mvf)", .id = X::Mvf,
     .magic = std::string_view("m\0v\0f\0", 6)},
    {.kind = F::Voxels, .suffixes = "vox", .filter = "VoxFile(*.vox)",
     .label = QT_TRANSLATE_NOOP("FileFormats", "VOX 形式 (*.vox)(&V)..."), .read = ReadVoxModel, .write = WriteVoxModel,
     .id = X::Vox, .magic = "VOX "},
    {.kind = F::Mesh, .suffixes = "gltf", .filter = "glTFFile(*.gltf)",
     .label = QT_TRANSLATE_NOOP("FileFormats", "glTF 形式 (*.gltf)(&G)..."), .write = WriteMeshModel, .id = X::Gltf},
    {.kind = F::Mesh, .suffixes = "glb", .filter = "GLBFile(*.glb)",
     .label = QT_TRANSLATE_NOOP("FileFormats", "glTF バイナリ形式 (*.glb)(&B)..."), .write = WriteMeshModel, .id = X::Glb},
    {.kind = F::Mesh, .suffixes = "obj", .filter = "OBJFile(*.obj)",
     .label = QT_TRANSLATE_NOOP("FileFormats", "OBJ 形式 (*.obj)(&O)..."), .write = WriteMeshModel, .id = X::Obj},
    {.kind = F::Mesh, .suffixes = "ply", .filter = "PLYFile(*.ply)",
     .label = QT_TRANSLATE_NOOP("FileFormats", "PLY 形式 (*.ply)(&P)..."), .write = WriteMeshModel, .id = X::Ply},
    // Slicers take z as up, and a print has no colours.
    {.kind = F::Mesh, .suffixes = "stl", .filter = "STLFile(*.stl)",
     .label = QT_TRANSLATE_NOOP("FileFormats", "STL 形式 (*.stl)(&S)..."), .write = WriteMeshModel, .id = X::Stl,
     .zUp = true, .colors = false},
    {.kind = F::Picture, .suffixes = "png", .filter = "PNG File(*.png)", .id = X::Png, .image = ImageFormat::PNG},
    {.kind = F::Picture, .suffixes = "jpg jpeg", .filter = "JPEG File(*.jpg)", .id = X::Jpeg, .image = ImageFormat::JPEG},
    {.kind = F::Picture, .suffixes = "bmp", .filter = "BMP File(*.bmp)", .id = X::Bmp, .image = ImageFormat::BMP},
    {.kind = F::Picture, .suffixes = "gif", .filter = "GIF File(*.gif)", .image = ImageFormat::GIF, .commandLine = false},
    {.kind = F::Picture, .suffixes = "tiff", .filter = "TIFF File(*.tiff)", .image = ImageFormat::TIFF, .commandLine = false},
    {.kind = F::Picture, .suffixes = "exif", .filter = "EXIF File(*.exif)", .image = ImageFormat::EXIF, .commandLine = false},
    {.kind = F::Picture, .suffixes = "ico", .filter = "ICON File(*.ico)", .image = ImageFormat::Icon, .commandLine = false},
    // Palettes. Reading a .png takes any image's distinct colours; the
    // others are read as their writers make them.
    {.kind = F::Palette, .suffixes = "gpl", .filter = "GIMP Palette(*.gpl)",
     .readPalette = PaletteFormats::ReadGpl, .writePalette = PaletteFormats::WriteGpl, .commandLine = false},
    {.kind = F::Palette, .suffixes = "png", .filter = "PNG Palette(*.png)",
     .readPalette = PaletteFormats::ReadImage, .writePalette = PaletteFormats::WritePng, .commandLine = false},
    {.kind = F::Palette, .suffixes = "act", .filter = "Adobe Color Table(*.act)",
     .readPalette = PaletteFormats::ReadAct, .writePalette = PaletteFormats::WriteAct, .commandLine = false},
    {.kind = F::Palette, .suffixes = "txt", .filter = "Paint.NET Palette(*.txt)",
     .readPalette = PaletteFormats::ReadPaintNet, .writePalette = PaletteFormats::WritePaintNet, .commandLine = false},
    {.kind = F::Palette, .suffixes = "hex", .filter = "HEX Palette(*.hex)",
     .readPalette = PaletteFormats::ReadHex, .writePalette = PaletteFormats::WriteHex, .commandLine = false},
};

// The formats that pass, in the registry's order.
template <typename Pred>
std::vector<const FileFormat*> Where(Pred pred)
{
    std::vector<const FileFormat*> formats;
    for (const FileFormat& f : kFormats)
        if (pred(f))
            formats.push_back(&f);
    return formats;
}

} // namespace

QString FileFormat::Suffix() const
{
    return Suffixes().constFirst();
}

QStringList FileFormat::Suffixes() const
{
    return QString::fromLatin1(suffixes).split(QLatin1Char(' '));
}

QString FileFormat::Label() const
{
    return label ? QCoreApplication::translate("FileFormats", label) : QString();
}

namespace FileFormats {

std::span<const FileFormat> All()
{
    return kFormats;
}

const FileFormat* ForSuffix(const QString& suffix)
{
    const QString lower = suffix.toLower();
    for (const FileFormat& f : kFormats)
        if (f.kind != FormatKind::Palette && f.Suffixes().contains(lower))
            return &f;
    return nullptr;
}

const FileFormat* ForContent(const QByteArray& head)
{
    for (const FileFormat& f : kFormats)
        if (f.Readable() && !f.magic.empty() && head.startsWith(QByteArrayView(f.magic.data(), qsizetype(f.magic.size()))))
            return &f;
    return nullptr;
}

const FileFormat* ForPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.isEmpty() ? nullptr : ForSuffix(suffix);
}

const FileFormat& Get(ExchangeFormat id)
{
    return *std::find_if(std::begin(kFormats), std::end(kFormats), [id](const FileFormat& f) { return f.id == id; });
}

std::vector<const FileFormat*> Readable()
{
    return Where([](const FileFormat& f) { return f.Readable(); });
}

std::vector<const FileFormat*> CommandLineOutputs()
{
    return Where([](const FileFormat& f) { return f.CommandLineOutput(); });
}

std::vector<const FileFormat*> Palettes()
{
    return Where([](const FileFormat& f) { return f.kind == FormatKind::Palette; });
}

const FileFormat* PaletteForPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const FileFormat* f : Palettes())
        if (!suffix.isEmpty() && f->Suffixes().contains(suffix))
            return f;
    return nullptr;
}

QString PaletteFilter()
{
    QStringList all, each;
    for (const FileFormat* f : Palettes()) {
        all << QStringLiteral("*.") + f->Suffix();
        each << f->Filter();
    }
    return QCoreApplication::translate("FileFormats", "パレットファイル") + QStringLiteral(" (") + all.join(QLatin1Char(' ')) +
           QStringLiteral(");;") + each.join(QStringLiteral(";;"));
}

const FileFormat* ForImage(ImageFormat image)
{
    for (const FileFormat& f : kFormats)
        if (f.kind == FormatKind::Picture && f.image == image)
            return &f;
    return nullptr;
}

std::vector<const FileFormat*> Exported()
{
    return Where([](const FileFormat& f) { return f.label && f.write; });
}

} // namespace FileFormats

QString WithDefaultExtension(const QString& path, const QString& extension)
{
    if (path.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    // "shot." and ".hidden" count as names without an extension.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && dot < name.size() - 1)
        return path;
    QString result = path;
    if (!result.endsWith(QLatin1Char('.')))
        result += QLatin1Char('.');
    return result + extension;
}
