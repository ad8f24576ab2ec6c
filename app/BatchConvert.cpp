#include "app/BatchConvert.h"

#include "app/DefaultViewPicture.h"
#include "app/ImportedModel.h"
#include "exchange/ModelExport.h"
#include "exchange/VoxFile.h"
#include "i18n/Language.h"
#include "images/ImageEncoders.h"
#include "model/CMiravelDoc.h"
#include "render/GLFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QSaveFile>
#include <QSettings>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

namespace BatchConvert {

namespace {

// Messages meant for a message box may run over several lines; a report is one.
QString OneLine(const QString& text) { return text.simplified(); }

Outcome Failure(const QString& file, const QString& reason)
{
    return {false, file, OneLine(reason), {}};
}

// Plain words for the commonest reasons, before a reader or writer gives its own.
QString InputProblem(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("is a folder, not a model file");
    // A pipe or a device could keep the converter waiting for ever.
    if (!info.isFile())
        return QStringLiteral("is not a regular file");
    if (!info.isReadable())
        return QStringLiteral("cannot be read (permission denied)");
    return {};
}

QString OutputProblem(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("is a folder; the output must be a file name");
    if (!info.absoluteDir().exists())
        return QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(info.absolutePath()));
    return {};
}

// A model read from a file; the document only where the model file gave one.
struct Loaded {
    ModelData model;
    std::unique_ptr<CMiravelDoc> doc;
};

Outcome Load(const QString& path, Loaded& loaded)
{
    if (const QString problem = InputProblem(path); !problem.isEmpty())
        return Failure(path, problem);
    const std::optional<ExchangeFormat> format = FormatForPath(path);
    if (format == ExchangeFormat::Mvf) {
        loaded.doc = std::make_unique<CMiravelDoc>();
        const DocResult result = loaded.doc->OnOpenDocument(path);
        if (!result.ok)
            return Failure(path, result.message);
        loaded.model = ModelFromDocument(*loaded.doc);
        return {true, path, {}, {}};
    }
    if (format == ExchangeFormat::Vox) {
        VoxReadResult result = ReadVoxFile(path);
        if (!result.ok)
            return Failure(path, result.message.isEmpty() ? QStringLiteral("not a readable .vox file")
                                                          : result.message);
        loaded.model = std::move(result.model);
        return {true, path, {}, {}};
    }
    return Failure(path, QStringLiteral("not an input format (inputs are .mvf and .vox files)"));
}

// The document for the outputs that go through it (the model file, pictures).
// A .vox model joins it only when the editor's grid can hold it.
Outcome EnsureDocument(const QString& input, Loaded& loaded)
{
    if (loaded.doc)
        return {true, input, {}, {}};
    auto doc = std::make_unique<CMiravelDoc>();
    if (!ImportedModel::PutInDocument(loaded.model, *doc))
        return Failure(input, QStringLiteral("the model is %1x%2x%3; the editor's grid holds at most "
                                             "64000 cells (40x40x40)")
                                  .arg(loaded.model.sizeX)
                                  .arg(loaded.model.sizeY)
                                  .arg(loaded.model.sizeZ));
    loaded.doc = std::move(doc);
    return {true, input, {}, {}};
}

ImageFormat PictureFormat(ExchangeFormat format)
{
    switch (format) {
    case ExchangeFormat::Jpeg:
        return ImageFormat::JPEG;
    case ExchangeFormat::Bmp:
        return ImageFormat::BMP;
    default:
        return ImageFormat::PNG;
    }
}

Outcome WritePicture(const CMiravelDoc& doc, ExchangeFormat format, const QString& path, const QSize& size)
{
    if (!CanDrawPictures())
        return Failure(path, QStringLiteral("drawing a picture needs an X display (set DISPLAY; "
                                            "xvfb-run will do)"));
    const DefaultViewPicture::Result picture = DefaultViewPicture::Render(doc, size.width(), size.height());
    if (picture.image.isNull())
        return Failure(path, picture.error);
    const ImageEncoder* encoder = FindImageEncoder(PictureFormat(format));
    if (!encoder)
        return Failure(path, QStringLiteral("no encoder for %1 is installed").arg(FormatSuffix(format)));
    // Written beside the target; only a complete file takes its place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure(path, file.errorString());
    if (!encoder->encode(picture.image, file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Failure(path, reason.isEmpty() || reason == QLatin1String("Unknown error")
                                 ? QStringLiteral("the picture could not be written")
                                 : reason);
    }
    if (!file.commit())
        return Failure(path, file.errorString());
    return {true, path, {}, {}};
}

} // namespace

bool CanDrawPictures()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

bool DisplayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

Outcome Convert(const CommandLine::ConvertJob& job, const QSize& imageSize)
{
    Loaded loaded;
    if (Outcome read = Load(job.input, loaded); !read.ok)
        return read;
    if (const QString problem = OutputProblem(job.output); !problem.isEmpty())
        return Failure(job.output, problem);

    if (job.format == ExchangeFormat::Mvf) {
        if (Outcome doc = EnsureDocument(job.input, loaded); !doc.ok)
            return doc;
        // The document's own save: the same bytes as the editor writes.
        const DocResult saved = loaded.doc->OnSaveDocument(job.output);
        if (!saved.ok)
            return Failure(job.output, saved.message);
        return {true, job.output, {}, {}};
    }
    if (IsImageFormat(job.format)) {
        if (Outcome doc = EnsureDocument(job.input, loaded); !doc.ok)
            return doc;
        return WritePicture(*loaded.doc, job.format, job.output, imageSize);
    }
    const ExportResult written = ExportModel(loaded.model, job.format, job.output);
    if (!written.ok)
        return Failure(job.output, written.message.isEmpty() ? QStringLiteral("could not be written")
                                                             : written.message);
    return {true, job.output, {}, OneLine(written.notice)};
}

int Run(const CommandLine::Request& request, const std::function<void(const QString&)>& report)
{
    if (!request.outputDir.isEmpty()) {
        const QFileInfo dir(request.outputDir);
        if ((dir.exists() && !dir.isDir()) || !QDir().mkpath(request.outputDir)) {
            report(QStringLiteral("%1: the output folder cannot be made").arg(request.outputDir));
            return CommandLine::kExitFailed;
        }
    }
    bool failed = false;
    // Two inputs of the same name would write the same output: the second
    // would silently replace the first one's.
    std::map<QString, QString> written;
    for (const CommandLine::ConvertJob& job : request.jobs) {
        const QString key = QDir::cleanPath(QFileInfo(job.output).absoluteFilePath());
        if (const auto it = written.find(key); it != written.end()) {
            report(QStringLiteral("%1: not converted; its output %2 is already %3's")
                       .arg(job.input, job.output, it->second));
            failed = true;
            continue;
        }
        const Outcome outcome = Convert(job, request.imageSize);
        if (!outcome.ok) {
            report(outcome.file + QStringLiteral(": ") + outcome.reason);
            failed = true;
            continue;
        }
        written.emplace(key, job.input);
        if (!outcome.notice.isEmpty())
            report(outcome.file + QStringLiteral(": ") + outcome.notice);
    }
    return failed ? CommandLine::kExitFailed : CommandLine::kExitOk;
}

int RunTool(int& argc, char** argv, const QStringList& arguments)
{
    const auto print = [](std::FILE* stream, const QString& line) {
        std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    };
    const CommandLine::Request request = CommandLine::Parse(arguments);
    switch (request.mode) {
    case CommandLine::Request::Mode::Help:
        std::fputs(CommandLine::HelpText().toLocal8Bit().constData(), stdout);
        return CommandLine::kExitOk;
    case CommandLine::Request::Mode::Version:
        print(stdout, CommandLine::VersionText());
        return CommandLine::kExitOk;
    case CommandLine::Request::Mode::Error:
        print(stderr, QStringLiteral("miravel: ") + request.error);
        print(stderr, QStringLiteral("Try 'miravel --help'."));
        return CommandLine::kExitUsage;
    case CommandLine::Request::Mode::Editor:
    case CommandLine::Request::Mode::Convert:
        break;
    }

    // Model and mesh formats need no display at all; only pictures ask for a
    // GUI application, which cannot start without a display server.
    const bool wantsPictures = std::any_of(request.jobs.begin(), request.jobs.end(),
                                           [](const auto& job) { return IsImageFormat(job.format); });
    std::unique_ptr<QCoreApplication> app;
    if (wantsPictures && DisplayAvailable()) {
        SetDefaultGLFormat();
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The reasons of a failed file come from the readers and writers, in the
    // editor's language (its choice is in the editor's per-user store).
    Language::Install(Language::Choose(QSettings(QStringLiteral("Orvendale"), QStringLiteral("MIRA-VEL")),
                                       QLocale::system().uiLanguages()));
    return Run(request, [&print](const QString& line) { print(stderr, line); });
}

} // namespace BatchConvert
