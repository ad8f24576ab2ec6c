#include "app/CommandLine.h"

#include "app/DefaultViewPicture.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace CommandLine {

namespace {

// The names that make the command line the converter's. Qt's own options
// (-platform, -style...) and a plain file path keep it the editor's.
bool IsToolOption(const QString& arg)
{
    static const QStringList names = {QStringLiteral("-h"), QStringLiteral("--help"),
                                      QStringLiteral("-v"), QStringLiteral("--version"),
                                      QStringLiteral("--export"), QStringLiteral("--export-dir"),
                                      QStringLiteral("--format"), QStringLiteral("--size")};
    const QString name = arg.section(QLatin1Char('='), 0, 0);
    return names.contains(name);
}

Request Fail(const QString& error)
{
    Request r;
    r.mode = Request::Mode::Error;
    r.error = error;
    return r;
}

QString FormatList() { return QStringLiteral("mvf vox gltf glb obj ply stl png jpg bmp"); }

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
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--"))
            return false;
        if (IsToolOption(arguments[i]))
            return true;
    }
    return false;
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
    parser.addOptions({help, version, exportTo, exportDir, format, size});
    if (!parser.parse(arguments))
        return Fail(parser.errorText());

    Request r;
    if (parser.isSet(help)) {
        r.mode = Request::Mode::Help;
        return r;
    }
    if (parser.isSet(version)) {
        r.mode = Request::Mode::Version;
        return r;
    }
    for (const QCommandLineOption* once : {&exportTo, &exportDir, &format, &size})
        if (parser.values(*once).size() > 1)
            return Fail(QStringLiteral("--%1 given more than once").arg(once->names().constFirst()));
    if (parser.isSet(size) && !ParseSize(parser.value(size), r.imageSize))
        return Fail(QStringLiteral("--size wants WIDTHxHEIGHT, each 1 to %1 (e.g. 800x600), not \"%2\"")
                        .arg(DefaultViewPicture::kMaxSide)
                        .arg(parser.value(size)));

    const QStringList inputs = parser.positionalArguments();
    if (parser.isSet(exportTo) && parser.isSet(exportDir))
        return Fail(QStringLiteral("--export and --export-dir do not go together"));
    if (!parser.isSet(exportTo) && !parser.isSet(exportDir))
        return Fail(QStringLiteral("nothing to do: use --export OUT IN or --export-dir DIR --format FORMAT IN..."));

    if (parser.isSet(exportTo)) {
        if (parser.isSet(format))
            return Fail(QStringLiteral("--export takes the format from OUT's extension; --format goes with --export-dir"));
        if (inputs.size() != 1)
            return Fail(QStringLiteral("--export OUT takes exactly one input file (use --export-dir for many)"));
        const QString out = parser.value(exportTo);
        const std::optional<ExchangeFormat> f = FormatForPath(out);
        if (out.isEmpty() || !f)
            return Fail(QStringLiteral("%1: unknown output format (extensions: %2)").arg(out, FormatList()));
        r.jobs.push_back({inputs.constFirst(), out, *f});
    } else {
        if (!parser.isSet(format))
            return Fail(QStringLiteral("--export-dir needs --format FORMAT (%1)").arg(FormatList()));
        // A bare name: "glb", not "x.glb" or ".glb".
        const QString name = parser.value(format).toLower();
        const std::optional<ExchangeFormat> f = FormatForPath(QStringLiteral("x.") + name);
        if (name.isEmpty() || name.contains(QLatin1Char('.')) || name.contains(QLatin1Char('/')) || !f)
            return Fail(QStringLiteral("%1: unknown format (formats: %2)").arg(parser.value(format), FormatList()));
        if (inputs.isEmpty())
            return Fail(QStringLiteral("--export-dir DIR --format FORMAT needs at least one input file"));
        r.outputDir = parser.value(exportDir);
        if (r.outputDir.isEmpty())
            return Fail(QStringLiteral("--export-dir needs a folder"));
        const QDir dir(r.outputDir);
        for (const QString& in : inputs)
            r.jobs.push_back({in, dir.filePath(QFileInfo(in).completeBaseName() + QLatin1Char('.') + FormatSuffix(*f)), *f});
    }
    r.mode = Request::Mode::Convert;
    return r;
}

QString HelpText()
{
    return QStringLiteral(
               "Usage: miravel [FILE]\n"
               "       miravel --export OUT IN\n"
               "       miravel --export-dir DIR --format FORMAT [--size WxH] IN...\n"
               "\n"
               "Without options, opens the editor: on FILE (.mvf, or .vox as a new model)\n"
               "or on a new model.\n"
               "\n"
               "Options:\n"
               "  --export OUT         Convert the model file IN to OUT without a window.\n"
               "                       OUT's extension picks the format.\n"
               "  --export-dir DIR     Convert every IN into the folder DIR (made if missing),\n"
               "                       each named after its input with the format's extension.\n"
               "                       A file that fails is reported and the others go on.\n"
               "  --format FORMAT      The format for --export-dir: %1.\n"
               "  --size WxH           Size of pictures (png, jpg, bmp); default 800x600.\n"
               "  -h, --help           Show this help.\n"
               "  -v, --version        Show the version.\n"
               "\n"
               "Inputs are .mvf model files and .vox files. The model and mesh formats\n"
               "(mvf vox gltf glb obj ply stl) need no display. Pictures (png jpg bmp) show\n"
               "the model as the editor does right after opening it, with its default\n"
               "settings and view; drawing them needs an X display (DISPLAY set; xvfb-run\n"
               "will do).\n"
               "\n"
               "Exit status: 0 when every file was converted; 1 when any file failed, each\n"
               "reported as one line \"FILE: reason\" on standard error (no output file is\n"
               "left for it, and a file that was there stays as it was); 2 when the command\n"
               "line is wrong.\n")
        .arg(FormatList());
}

QString VersionText()
{
    // The about box's "MIRA-VEL, Version 1.1".
    return QStringLiteral("MIRA-VEL 1.1");
}

} // namespace CommandLine
