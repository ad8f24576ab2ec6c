#include "commandline/CommandLine.h"

#include "commandline/DefaultViewPicture.h"
#include "commandline/ThumbnailPicture.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <map>

namespace CommandLine {

namespace {

// The toolkit's own options, which it takes out of the command line before
// the editor sees it (with the value of those that have one). They keep the
// command line the editor's.
bool IsToolkitOption(const QString& arg, bool& takesValue)
{
    static const QStringList withValue = {
        QStringLiteral("platform"),  QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),    QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"), QStringLiteral("session"),         QStringLiteral("display"),
        QStringLiteral("geometry"),  QStringLiteral("title"),              QStringLiteral("name"),
        QStringLiteral("visual"),    QStringLiteral("ncols"),              QStringLiteral("style"),
        QStringLiteral("stylesheet"), QStringLiteral("qmljsdebugger")};
    static const QStringList flags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                      QStringLiteral("nograb"),  QStringLiteral("dograb"),
                                      QStringLiteral("sync"),    QStringLiteral("cmap")};
    // The toolkit takes "-name" and "--name", the value apart or after "=".
    QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    const bool joined = name.contains(QLatin1Char('='));
    name = name.section(QLatin1Char('='), 0, 0);
    if (withValue.contains(name)) {
        takesValue = !joined;
        return true;
    }
    takesValue = false;
    return !joined && flags.contains(name);
}

bool IsOption(const QString& arg) { return arg.size() > 1 && arg.startsWith(QLatin1Char('-')); }

// The arguments without the toolkit's options, up to a "--" (kept, with
// everything after it).
QStringList WithoutToolkitOptions(const QStringList& arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        bool takesValue = false;
        if (arguments[i] == QLatin1String("--")) {
            rest += arguments.mid(i);
            break;
        }
        if (i > 0 && IsOption(arguments[i]) && IsToolkitOption(arguments[i], takesValue)) {
            i += takesValue ? 1 : 0;
            continue;
        }
        rest << arguments[i];
    }
    return rest;
}

Request Fail(const QString& error)
{
    Request r;
    r.mode = Request::Mode::Error;
    r.error = error;
    return r;
}

// The extensions of formats, as the help and the usage errors list them.
QString Suffixes(const std::vector<const FileFormat*>& formats, const QString& prefix, const QString& separator)
{
    QStringList names;
    for (const FileFormat* f : formats)
        names << prefix + f->Suffix();
    return names.join(separator);
}

// Other programs' models, which come in as new models.
std::vector<const FileFormat*> Imports()
{
    std::vector<const FileFormat*> formats;
    for (const FileFormat* f : FileFormats::Readable())
        if (f->kind != FormatKind::Model)
            formats.push_back(f);
    return formats;
}

// The outputs that are pictures, or the others.
std::vector<const FileFormat*> Outputs(bool pictures)
{
    std::vector<const FileFormat*> formats;
    for (const FileFormat* f : FileFormats::CommandLineOutputs())
        if (f->IsPicture() == pictures)
            formats.push_back(f);
    return formats;
}

QString FormatList() { return Suffixes(FileFormats::CommandLineOutputs(), {}, QStringLiteral(" ")); }

QString PaletteList() { return Suffixes(FileFormats::Palettes(), {}, QStringLiteral(" ")); }

// "800x600" within the picture limits.
bool ParseSize(const QString& text, QSize& size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
    if (w < 1 || h < 1 || w > DefaultViewPicture::kMaxSide || h > DefaultViewPicture::kMaxSide)
        return false;
    size = QSize(w, h);
    return true;
}

} // namespace

bool IsToolRun(const QStringList& arguments)
{
    // Any option but the toolkit's is the converter's business, the unknown
    // ones included: they are refused as a usage error, never taken for a
    // file name, and no window opens.
    const QStringList own = WithoutToolkitOptions(arguments);
    for (qsizetype i = 1; i < own.size(); ++i) {
        if (own[i] == QLatin1String("--"))
            return false;
        if (IsOption(own[i]))
            return true;
    }
    return false;
}

QString EditorFile(const QStringList& arguments)
{
    const QStringList own = WithoutToolkitOptions(arguments);
    for (qsizetype i = 1; i < own.size(); ++i)
        if (own[i] != QLatin1String("--"))
            return own[i];
    return {};
}

Request Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
    const QCommandLineOption exportTo(QStringLiteral("export"), {}, QStringLiteral("OUT"));
    const QCommandLineOption exportDir(QStringLiteral("export-dir"), {}, QStringLiteral("DIR"));
    const QCommandLineOption format(QStringLiteral("format"), {}, QStringLiteral("FORMAT"));
    const QCommandLineOption size(QStringLiteral("size"), {}, QStringLiteral("WxH"));
    const QCommandLineOption thumbnail(QStringLiteral("thumbnail"));
    const QCommandLineOption info(QStringLiteral("info"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption fit(QStringLiteral("fit"));
    const QCommandLineOption turn(QStringLiteral("turn"), {}, QStringLiteral("left|right"));
    const QCommandLineOption flip(QStringLiteral("flip"), {}, QStringLiteral("x|z"));
    const QCommandLineOption move(QStringLiteral("move"), {}, QStringLiteral("X,Y,Z"));
    const QCommandLineOption crop(QStringLiteral("crop"), {}, QStringLiteral("X0,Y0,Z0,X1,Y1,Z1"));
    const QCommandLineOption resize(QStringLiteral("resize"), {}, QStringLiteral("X,Y,Z"));
    const QCommandLineOption palette(QStringLiteral("palette"), {}, QStringLiteral("FILE"));
    const QCommandLineOption exportPalette(QStringLiteral("export-palette"), {}, QStringLiteral("OUT"));
    parser.addOptions({help, version, exportTo, exportDir, format, size, thumbnail, info, json, fit, turn, flip, move,
                       crop, resize, palette, exportPalette});
    // "-frobnicate" is one unknown option, not eleven unknown letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(WithoutToolkitOptions(arguments)))
        return Fail(parser.errorText().section(QLatin1Char('\n'), 0, 0));

    Request r;
    if (parser.isSet(help)) {
        r.mode = Request::Mode::Help;
        return r;
    }
    if (parser.isSet(version)) {
        r.mode = Request::Mode::Version;
        return r;
    }
    for (const QCommandLineOption* once : {&exportTo, &exportDir, &format, &size, &palette, &exportPalette})
        if (parser.values(*once).size() > 1)
            return Fail(QStringLiteral("--%1 given more than once").arg(once->names().constFirst()));
    if (parser.isSet(size) && !ParseSize(parser.value(size), r.imageSize))
        return Fail(QStringLiteral("--size wants WIDTHxHEIGHT, each 1 to %1 (e.g. 800x600), not \"%2\"")
                        .arg(DefaultViewPicture::kMaxSide)
                        .arg(parser.value(size)));

    // The operations in the order given: the parser lists the options it
    // found in order, and the values of each one in order.
    std::map<QString, qsizetype> taken;
    for (const QString& name : parser.optionNames()) {
        const QCommandLineOption* op = nullptr;
        for (const QCommandLineOption* o : {&fit, &turn, &flip, &move, &crop, &resize})
            if (o->names().contains(name))
                op = o;
        if (!op)
            continue;
        const QStringList values = parser.values(*op);
        const QString value = op == &fit ? QString() : values.value(taken[name]++);
        QString error;
        const auto parsed = ModelOperations::Parse(name, value, error);
        if (!parsed)
            return Fail(error);
        r.operations.push_back(*parsed);
    }

    const QStringList inputs = parser.positionalArguments();
    if (parser.isSet(json) && !parser.isSet(info))
        return Fail(QStringLiteral("--json goes with --info"));
    if (parser.isSet(info)) {
        if (parser.isSet(exportTo) || parser.isSet(exportDir) || parser.isSet(format) || parser.isSet(size) ||
            parser.isSet(thumbnail) || parser.isSet(palette) || parser.isSet(exportPalette))
            return Fail(QStringLiteral("--info writes nothing: it goes with no --export, --export-dir, --format, --size or --thumbnail"));
        if (inputs.isEmpty())
            return Fail(QStringLiteral("--info needs at least one input file"));
        for (const QString& in : inputs)
            r.jobs.push_back({in, {}, nullptr});
        r.json = parser.isSet(json);
        r.mode = Request::Mode::Info;
        return r;
    }
    if (parser.isSet(thumbnail)) {
        // What a file manager's thumbnailer entry runs: nothing else goes with it.
        if (parser.isSet(exportTo) || parser.isSet(exportDir) || parser.isSet(format) || parser.isSet(size) ||
            parser.isSet(palette) || parser.isSet(exportPalette) || !r.operations.empty())
            return Fail(QStringLiteral("--thumbnail takes IN OUT SIZE and no other option"));
        if (inputs.size() != 3)
            return Fail(QStringLiteral("--thumbnail takes exactly IN OUT SIZE"));
        bool number = false;
        const int side = inputs[2].toInt(&number);
        if (!number || side < 1 || side > DefaultViewPicture::kMaxSide)
            return Fail(QStringLiteral("--thumbnail SIZE is a number of pixels, 1 to %1, not \"%2\"")
                            .arg(DefaultViewPicture::kMaxSide)
                            .arg(inputs[2]));
        r.jobs.push_back({inputs[0], inputs[1], FileFormats::ForSuffix(QStringLiteral("png")), side});
        r.mode = Request::Mode::Convert;
        return r;
    }
    if (parser.isSet(palette)) {
        r.palette = parser.value(palette);
        if (!FileFormats::PaletteForPath(r.palette))
            return Fail(QStringLiteral("%1: unknown palette format (extensions: %2)").arg(r.palette, PaletteList()));
    }
    if (parser.isSet(exportPalette)) {
        if (parser.isSet(exportTo) || parser.isSet(exportDir) || parser.isSet(format) || parser.isSet(palette))
            return Fail(QStringLiteral("--export-palette OUT IN goes alone"));
        if (inputs.size() != 1)
            return Fail(QStringLiteral("--export-palette OUT takes exactly one input file"));
        const QString out = parser.value(exportPalette);
        const FileFormat* f = FileFormats::PaletteForPath(out);
        if (!f)
            return Fail(QStringLiteral("%1: unknown palette format (extensions: %2)").arg(out, PaletteList()));
        r.jobs.push_back({inputs.constFirst(), out, f});
        r.mode = Request::Mode::Convert;
        return r;
    }
    if (parser.isSet(exportTo) && parser.isSet(exportDir))
        return Fail(QStringLiteral("--export and --export-dir do not go together"));
    if (!parser.isSet(exportTo) && !parser.isSet(exportDir))
        return Fail(QStringLiteral("nothing to do: use --export OUT IN, --export-dir DIR --format FORMAT IN... or --info IN..."));

    if (parser.isSet(exportTo)) {
        if (parser.isSet(format))
            return Fail(QStringLiteral("--export takes the format from OUT's extension; --format goes with --export-dir"));
        if (inputs.size() != 1)
            return Fail(QStringLiteral("--export OUT takes exactly one input file (use --export-dir for many)"));
        const QString out = parser.value(exportTo);
        const FileFormat* f = FileFormats::ForPath(out);
        if (out.isEmpty() || !f || !f->CommandLineOutput())
            return Fail(QStringLiteral("%1: unknown output format (extensions: %2)").arg(out, FormatList()));
        r.jobs.push_back({inputs.constFirst(), out, f});
    } else {
        if (!parser.isSet(format))
            return Fail(QStringLiteral("--export-dir needs --format FORMAT (%1)").arg(FormatList()));
        // A bare name: "glb", not "x.glb" or ".glb".
        const QString name = parser.value(format).toLower();
        const FileFormat* f = FileFormats::ForSuffix(name);
        if (name.isEmpty() || !f || !f->CommandLineOutput())
            return Fail(QStringLiteral("%1: unknown format (formats: %2)").arg(parser.value(format), FormatList()));
        if (inputs.isEmpty())
            return Fail(QStringLiteral("--export-dir DIR --format FORMAT needs at least one input file"));
        r.outputDir = parser.value(exportDir);
        if (r.outputDir.isEmpty())
            return Fail(QStringLiteral("--export-dir needs a folder"));
        const QDir dir(r.outputDir);
        for (const QString& in : inputs)
            r.jobs.push_back({in, dir.filePath(QFileInfo(in).completeBaseName() + QLatin1Char('.') + f->Suffix()), f});
    }
    r.mode = Request::Mode::Convert;
    return r;
}

QString HelpText()
{
    return QStringLiteral(
               "Usage: miravel [FILE]\n"
               "       miravel [OPERATION]... --export OUT IN\n"
               "       miravel [OPERATION]... --export-dir DIR --format FORMAT [--size WxH] IN...\n"
               "       miravel [OPERATION]... --info [--json] IN...\n"
               "       miravel --thumbnail IN OUT SIZE\n"
               "       miravel [OPERATION]... --export-palette OUT IN\n"
               "\n"
               "Without options, opens the editor: on FILE (.mvf, or %2 as a new model)\n"
               "or on a new model.\n"
               "\n"
               "Options:\n"
               "  --export OUT         Convert the model file IN to OUT without a window.\n"
               "                       OUT's extension picks the format.\n"
               "  --export-dir DIR     Convert every IN into the folder DIR (made if missing),\n"
               "                       each named after its input with the format's extension.\n"
               "                       A file that fails is reported and the others go on.\n"
               "  --                   Ends the options: what follows is a file name, even if\n"
               "                       it starts with '-'.\n"
               "  --format FORMAT      The format for --export-dir: %1.\n"
               "  --size WxH           Size of pictures (%3); default 800x600.\n"
               "  --info               Write nothing; print each model's grid size, number of\n"
               "                       cubes and of colours, and the box of its cubes.\n"
               "  --json               With --info: one JSON array, an object per model.\n"
               "  --thumbnail IN OUT SIZE\n"
               "                       Write a SIZE x SIZE PNG of the model IN to OUT, as a\n"
               "                       file manager shows it: the cubes as the editor first\n"
               "                       shows them, filling the square, on a transparent\n"
               "                       background. A model of more than %6 cubes is shown\n"
               "                       as the outline of its box.\n"
               "  --palette FILE       With --export or --export-dir: every cube takes the\n"
               "                       nearest colour of the palette file FILE (%7).\n"
               "  --export-palette OUT Write the distinct colours of the model IN, most used\n"
               "                       first, as the palette file OUT (%7; at most 255).\n"
               "  -h, --help           Show this help.\n"
               "  -v, --version        Show the version.\n"
               "\n"
               "Operations change the model after it is read, in the order given, each as\n"
               "the editor's tool does; the input file is never changed:\n"
               "  --fit                Shrink the grid to the cubes' box, the cubes to its corner.\n"
               "  --turn left|right    A quarter turn about the vertical axis, anticlockwise or\n"
               "                       clockwise seen from above; the grid's X and Z sizes swap.\n"
               "  --flip x|z           Mirror the model across the middle of the grid.\n"
               "  --move=X,Y,Z         Move the cubes that many cells (negative values too).\n"
               "  --crop X0,Y0,Z0,X1,Y1,Z1\n"
               "                       Keep the cells from one corner to the other, both\n"
               "                       included, as the new grid; drop the cubes outside.\n"
               "  --resize X,Y,Z       Give the grid a new size; the cubes stay where they are.\n"
               "A move that would push a cube out of the grid, a crop not inside the grid and\n"
               "a size the grid cannot have or that would leave cubes outside are refused for\n"
               "that file.\n"
               "\n"
               "Examples:\n"
               "  miravel --turn right --export-dir gltf --format glb models/*.mvf\n"
               "  miravel --fit --resize 20,24,20 --move=2,0,2 --export tidy.mvf house.mvf\n"
               "  miravel --info --json models/*.mvf models/*.vox\n"
               "  miravel --thumbnail house.vox house.png 256\n"
               "\n"
               "Inputs are .mvf model files and %2 files. The model and mesh formats\n"
               "(%4) and the pictures (%5) need no display:\n"
               "pictures are drawn by Mesa's software OpenGL without a window system. They\n"
               "show the model as the editor does right after opening it, with its default\n"
               "settings and view.\n"
               "\n"
               "No conversion ever writes over one of its inputs. Before anything is written,\n"
               "every output (with the .bin of a .gltf, the .mtl of an .obj) is checked\n"
               "against every input of the run, by name and through symbolic and hard links;\n"
               "an output that is an input is refused and that input is not converted, while\n"
               "the rest of the batch goes on. Two inputs that would give the same output:\n"
               "the first is converted, the second refused.\n"
               "\n"
               "Exit status: 0 when every file was converted (or shown); 1 when any file\n"
               "failed or was refused, each reported as one line \"FILE: reason\" on standard\n"
               "error (no output file is left for it, and a file that was there stays as it\n"
               "was); 2 when the command line is wrong (nothing is converted then).\n")
        .arg(FormatList(), Suffixes(Imports(), QStringLiteral("."), QStringLiteral(", ")),
             Suffixes(Outputs(true), {}, QStringLiteral(", ")), Suffixes(Outputs(false), {}, QStringLiteral(" ")),
             Suffixes(Outputs(true), {}, QStringLiteral(" ")), QString::number(ThumbnailPicture::kMostCubesDrawn))
        .arg(PaletteList());
}

QString VersionText()
{
    // The about box's "MIRA-VEL, Version 1.1".
    return QStringLiteral("MIRA-VEL 1.1");
}

} // namespace CommandLine
