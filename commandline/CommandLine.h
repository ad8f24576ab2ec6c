#pragma once

#include "commandline/ModelOperations.h"
#include "exchange/FileFormats.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

// The program's command line. Without any of the options below it is the
// editor's (no argument: a new model; a file: that model), exactly as before;
// with them it is a converter that needs no window:
//
//   miravel [OPERATION]... --export OUT IN
//   miravel [OPERATION]... --export-dir DIR --format FORMAT [--size WxH] IN...
//     (either with --palette FILE: every cube takes the nearest colour of it)
//   miravel [OPERATION]... --export-palette OUT IN
//   miravel [OPERATION]... --info [--json] IN...
//   miravel --thumbnail IN OUT SIZE
//   miravel --help | --version
//   miravel [--] FILE
namespace CommandLine {

// One file to convert.
struct ConvertJob {
    QString input;
    QString output;
    const FileFormat* format = &FileFormats::Model();
    // A thumbnail: a PNG of this many pixels square, whatever OUT's name
    // (a file manager's thumbnailer names its own temporary file); 0 for a
    // conversion to the format.
    int thumbnail = 0;
};

struct Request {
    // Info: the jobs name only their inputs, and nothing is written.
    enum class Mode { Editor, Help, Version, Convert, Info, Error };
    Mode mode = Mode::Editor;
    QString error;                // Error: one line saying what is wrong
    std::vector<ConvertJob> jobs; // Convert: in the order given
    QString outputDir;            // Convert many: where the outputs go
    QSize imageSize{800, 600};    // pictures: width and height in pixels
    // What is done to every model after it is read, in this order.
    std::vector<ModelOperations::Operation> operations;
    bool json = false;            // Info: one JSON array instead of lines
    QString palette;              // Convert: the palette file the models are remapped to
};

// Whether the arguments (the program's name first) ask for the converter
// rather than the editor: any option but the toolkit's before a "--" does,
// an unknown one included (it is then a usage error).
bool IsToolRun(const QStringList& arguments);
// The file the editor opens: the first argument that is not one of the
// toolkit's options, after a "--" when there is one; empty for none.
QString EditorFile(const QStringList& arguments);
Request Parse(const QStringList& arguments);

QString HelpText();
// The program's name and the version the about box shows.
QString VersionText();

// Exit codes of the converter.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a file could not be read or written
inline constexpr int kExitUsage = 2;   // the command line itself is wrong

} // namespace CommandLine
