#pragma once

#include "exchange/ExchangeFormat.h"
#include "exchange/ModelExport.h"
#include "exchange/PaletteFile.h"
#include "images/ImageFormat.h"
#include "model/WorkProgress.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// What a file format is to the program.
enum class FormatKind : std::uint8_t {
    Model,    // the program's own model file, opened and saved by the document
    Voxels,   // another program's voxel model: imported and exported
    Mesh,     // surfaces for other programs: exported
    Picture,  // a picture of the view: the screenshots, and on the command
              // line the model as the editor first shows it, drawn with GL
              // without a display
    Palette,  // a list of colours: the palette panel's and the command
              // line's palette files. A model is never read from or written
              // to one, so a path's model format never is a palette.
};

struct ModelReadResult {
    bool ok = false;
    QString message;  // why the file was refused, for the user
    ModelData model;
    bool cancelled = false;  // progress asked to stop: nothing to tell
};

// One file format: how paths name it, what the file dialogs and the export
// menu call it, and what reads and writes it. Every place that offers,
// recognises, reads or writes formats (the open, import and export dialogs,
// the export menu, dropped files, the command line and its converter) reads
// this registry; a new format is its row in FileFormats.cpp and its writer.
// The screenshot commands take their pictures' filters and extensions here.
struct FileFormat {
    FormatKind kind;
    // Lower-case extensions, space-separated; files are written with the
    // first, and a path's extension is read as any of them, in any case.
    const char* suffixes;
    const char* filter = nullptr;  // the file dialogs' filter: "VoxFile(*.vox)"
    // The export menu's entry (UTF-8, translated in the context
    // "FileFormats"); null when the menu does not offer the format.
    const char* label = nullptr;
    // Reads another program's model for the import; null when not read (the
    // model file is opened by the document).
    // progress hears how far it has come and may stop it.
    ModelReadResult (*read)(const QString& path, const WorkProgress& progress) = nullptr;
    // Writes the model; null when it is written elsewhere (the model file by
    // the document, pictures by drawing the view).
    ExportResult (*write)(const ModelData& model, const FileFormat& format, const QString& path,
                          const ExportProgress& progress) = nullptr;
    // A palette file's reader and writer, on its bytes.
    PaletteReadResult (*readPalette)(const QByteArray& bytes) = nullptr;
    QByteArray (*writePalette)(std::span<const COLORREF> colors) = nullptr;
    // The name code uses for the formats it treats on their own; none for
    // the formats that only the registry knows.
    std::optional<ExchangeFormat> id = std::nullopt;
    // Default options. Meshes: which way is up and whether faces keep their
    // colours (a printer's STL has none). Pictures: the encoder.
    bool zUp = false;
    bool colors = true;
    ImageFormat image = ImageFormat::PNG;
    // Whether the command line converts to it; the pictures only the
    // screenshots write are not.
    bool commandLine = true;
    // The first bytes of every such file, which tell the format of a file
    // whose name does not (a file manager's thumbnailer names its own
    // copies); empty for none.
    std::string_view magic{};

    QString Suffix() const;
    QStringList Suffixes() const;
    QString Filter() const { return filter ? QString::fromLatin1(filter) : QString(); }
    QString Label() const;
    // Opened as a model: the model file itself, or an import.
    bool Readable() const { return kind == FormatKind::Model || read; }
    bool IsPicture() const { return kind == FormatKind::Picture; }
    // What the command line can write it from a model: the model file, a
    // format with a writer, a picture.
    bool CommandLineOutput() const
    {
        return commandLine && (kind == FormatKind::Model || kind == FormatKind::Picture || write);
    }
};

namespace FileFormats {

std::span<const FileFormat> All();
// The format a path's extension names; null for none.
// Palette files are not model formats: ".png" names a picture here.
const FileFormat* ForPath(const QString& path);
// The readable format whose magic a file's first bytes hold; null for none.
const FileFormat* ForContent(const QByteArray& head);
// The format of a bare extension ("glb", "JPEG"); null for none.
const FileFormat* ForSuffix(const QString& suffix);
const FileFormat& Get(ExchangeFormat id);
// The program's own model file.
inline const FileFormat& Model() { return Get(ExchangeFormat::Mvf); }

// The formats a file can be opened from, the model file first.
std::vector<const FileFormat*> Readable();
// The formats the export menu offers, in its order.
std::vector<const FileFormat*> Exported();
// The formats the command line converts to, in the order it lists them.
std::vector<const FileFormat*> CommandLineOutputs();
// The palette formats, in the order the palette dialogs list them, and the
// one a path's extension names (null for none).
std::vector<const FileFormat*> Palettes();
const FileFormat* PaletteForPath(const QString& path);
// The palette file dialogs' filter: every palette format, then each.
QString PaletteFilter();

// The picture format written with that encoder; null for none.
const FileFormat* ForImage(ImageFormat image);

} // namespace FileFormats

// The path with ".<extension>" appended when its file name has no extension
// of its own (a name typed as "shot" is saved as "shot.png").
QString WithDefaultExtension(const QString& path, const QString& extension);
