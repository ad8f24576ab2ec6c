#include "commandline/BatchConvert.h"

#include "commandline/ConvertTexts.h"
#include "commandline/DefaultViewPicture.h"
#include "commandline/ModelInfo.h"
#include "commandline/ThumbnailPicture.h"
#include "exchange/ImportedModel.h"
#include "exchange/ModelData.h"
#include "exchange/ModelExport.h"
#include "exchange/PaletteFile.h"
#include "exchange/FileFormats.h"
#include "i18n/Language.h"
#include "images/ImageEncoders.h"
#include "model/CMiravelDoc.h"
#include "model/FileErrorText.h"
#include "model/PaletteMatch.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QCoreApplication>
#include <QLocale>
#include <QSaveFile>
#include <QSettings>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <sys/stat.h>

namespace BatchConvert {

namespace {

// Messages meant for a message box may run over several lines; a report is one.
QString OneLine(const QString& text) { return text.simplified(); }

Outcome Failure(const QString& file, const QString& reason)
{
    return {false, file, OneLine(reason), {}};
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// The system's reason in the interface's language, or its own words for one
// that has no translation here.
QString SystemReason(int errnum)
{
    const QString reason = FileErrorText::ForErrno(errnum);
    return reason.isEmpty() ? QString::fromLocal8Bit(std::strerror(errnum)) : reason;
}

// What stands at a path, through its links: 0 and its status, or the error
// number.
int Stat(const QString& path, struct stat& st)
{
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? 0 : errno;
}

// Plain words for the commonest reasons, before a reader or writer gives its own.
QString InputProblem(const QString& path)
{
    struct stat st{};
    if (const int e = Stat(path, st)) {
        if (e == ENOENT) {
            struct stat link{};
            return ::lstat(QFile::encodeName(path).constData(), &link) == 0 ? ConvertTexts::LinkToNothing(Native(path))
                                                                           : ConvertTexts::NoSuchFile();
        }
        return e == ELOOP ? ConvertTexts::LinkLoop(Native(path)) : SystemReason(e);
    }
    if (S_ISDIR(st.st_mode))
        return ConvertTexts::InputIsFolder();
    // A pipe or a device could keep the converter waiting for ever.
    if (!S_ISREG(st.st_mode))
        return ConvertTexts::NotRegularFile();
    if (!QFileInfo(path).isReadable())
        return ConvertTexts::Unreadable();
    return {};
}

// Why a folder cannot hold the outputs: it is a file, a link loop, missing
// (or, when make is set, cannot be made), looked at from the top down.
QString FolderProblem(const QString& folder, bool make)
{
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    struct stat st{};
    if (Stat(absolute, st) == 0 && S_ISDIR(st.st_mode))
        return {};
    if (make && QDir().mkpath(absolute))
        return {};
    QString prefix;
    for (const QString& part : absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        prefix += QLatin1Char('/') + part;
        const int e = Stat(prefix, st);
        if (e == 0) {
            if (!S_ISDIR(st.st_mode))
                return ConvertTexts::FolderIsFile(Native(prefix));
            continue;
        }
        if (e == ELOOP)
            return ConvertTexts::LinkLoop(Native(prefix));
        struct stat link{};
        if (e == ENOENT && ::lstat(QFile::encodeName(prefix).constData(), &link) == 0)
            return ConvertTexts::LinkToNothing(Native(prefix));
        if (e == ENOENT && !make)
            return ConvertTexts::FolderMissing(Native(absolute));
        if (e == ENOENT && ::mkdir(QFile::encodeName(prefix).constData(), 0777) == 0)
            continue;
        const int why = e == ENOENT ? errno : e;  // the mkdir's, or the stat's
        return ConvertTexts::FolderNotMade(Native(absolute), SystemReason(why));
    }
    return ConvertTexts::FolderNotMade(Native(absolute), SystemReason(EIO));
}

QString OutputProblem(const QString& path)
{
    if (QFileInfo(path).isDir())
        return ConvertTexts::OutputIsFolder();
    return FolderProblem(QFileInfo(path).absolutePath(), false);
}

// Which file a path names, for telling an output that is an input apart:
// the path with its folder's links resolved, and the file's device and
// inode when it exists (a hard link or a symbolic link to it has the same).
struct FileIdentity {
    QString path;
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;

    explicit FileIdentity(const QString& file)
    {
        const QFileInfo info(file);
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        path = QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName());
        struct stat st{};
        if (Stat(file, st) == 0) {
            exists = true;
            device = st.st_dev;
            inode = st.st_ino;
        }
    }
    bool SameFileAs(const FileIdentity& other) const
    {
        return path == other.path || (exists && other.exists && device == other.device && inode == other.inode);
    }
};

// A model read from a file; the document only where the model file gave one.
struct Loaded {
    ModelData model;
    std::unique_ptr<CMiravelDoc> doc;
};

// The input format a file's first bytes show, for a name whose extension
// says none (a file manager asks for thumbnails by content type).
const FileFormat* FormatByContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? FileFormats::ForContent(file.read(16)) : nullptr;
}

Outcome Load(const QString& path, Loaded& loaded)
{
    if (const QString problem = InputProblem(path); !problem.isEmpty())
        return Failure(path, problem);
    const FileFormat* format = FileFormats::ForPath(path);
    if (!format || !format->Readable())
        format = FormatByContent(path);
    if (format && format->kind == FormatKind::Model) {
        loaded.doc = std::make_unique<CMiravelDoc>();
        const DocResult result = loaded.doc->OnOpenDocument(path);
        if (!result.ok)
            return Failure(path, result.message);
        loaded.model = ModelFromDocument(*loaded.doc);
        return {true, path, {}, {}};
    }
    if (format && format->read) {
        ModelReadResult result = format->read(path, {});
        if (!result.ok)
            return Failure(path, result.message.isEmpty() ? ConvertTexts::NotReadable(format->Suffix()) : result.message);
        loaded.model = std::move(result.model);
        return {true, path, {}, {}};
    }
    QStringList inputs;
    for (const FileFormat* f : FileFormats::Readable())
        inputs << QLatin1Char('.') + f->Suffix();
    return Failure(path, ConvertTexts::NotInputFormat(inputs.join(QStringLiteral(", "))));
}

// The document for the outputs that go through it (the model file, pictures).
// A .vox model joins it only when the editor's grid can hold it.
Outcome EnsureDocument(const QString& input, Loaded& loaded)
{
    if (loaded.doc)
        return {true, input, {}, {}};
    auto doc = std::make_unique<CMiravelDoc>();
    if (!ImportedModel::PutInDocument(loaded.model, *doc))
        return Failure(input, ConvertTexts::TooBigForGrid(loaded.model.sizeX, loaded.model.sizeY, loaded.model.sizeZ));
    loaded.doc = std::move(doc);
    return {true, input, {}, {}};
}

// The model read, with the operations applied to it in order: a refused one
// is the input's failure, and nothing is written for it.
Outcome Prepare(const QString& input, const std::vector<ModelOperations::Operation>& operations, Loaded& loaded)
{
    Outcome read = Load(input, loaded);
    if (!read.ok || operations.empty())
        return read;
    if (Outcome doc = EnsureDocument(input, loaded); !doc.ok)
        return doc;
    for (const ModelOperations::Operation& operation : operations)
        if (const QString refusal = ModelOperations::Apply(operation, *loaded.doc); !refusal.isEmpty())
            return Failure(input, refusal);
    loaded.model = ModelFromDocument(*loaded.doc);
    return {true, input, {}, {}};
}

Outcome WritePicture(const DefaultViewPicture::Result& picture, const FileFormat& format, const QString& path)
{
    if (picture.image.isNull())
        return Failure(path, picture.error);
    const ImageEncoder* encoder = FindImageEncoder(format.image);
    if (!encoder)
        return Failure(path, ConvertTexts::NoEncoder(format.Suffix()));
    // Written beside the target; only a complete file takes its place. The
    // flush is where a full disk shows with its reason.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return Failure(path, FileErrorText::OfFailedCall(file));
    errno = 0;
    if (!encoder->encode(picture.image, file) || !file.flush()) {
        const bool system = file.error() != QFileDevice::NoError;
        const QString reason = system ? FileErrorText::OfFailedCall(file) : ConvertTexts::PictureNotWritten();
        file.cancelWriting();
        return Failure(path, reason);
    }
    errno = 0;
    if (!file.commit())
        return Failure(path, FileErrorText::OfFailedCall(file));
    return {true, path, {}, {}};
}

} // namespace

Outcome Convert(const CommandLine::ConvertJob& job, const QSize& imageSize,
                const std::vector<ModelOperations::Operation>& operations, std::span<const COLORREF> palette)
{
    Loaded loaded;
    if (Outcome read = Prepare(job.input, operations, loaded); !read.ok)
        return read;
    if (const QString problem = OutputProblem(job.output); !problem.isEmpty())
        return Failure(job.output, problem);
    if (!palette.empty()) {
        RemapModel(loaded.model, palette);
        loaded.doc.reset();  // made again from the remapped model where needed
    }
    if (job.thumbnail > 0)
        return WritePicture(ThumbnailPicture::Render(loaded.model, job.thumbnail), *job.format, job.output);

    const FileFormat& format = *job.format;
    if (format.kind == FormatKind::Palette) {
        const std::vector<COLORREF> colors = ModelColors(loaded.model);
        if (colors.size() > std::size_t(kMaxPaletteColors))
            return Failure(job.output, ConvertTexts::TooManyColors(qsizetype(colors.size())));
        const PaletteWriteResult written = WritePaletteFile(job.output, colors);
        if (!written.ok)
            return Failure(job.output, OneLine(written.message));
        return {true, job.output, {}, {}};
    }
    if (format.kind == FormatKind::Model) {
        if (Outcome doc = EnsureDocument(job.input, loaded); !doc.ok)
            return doc;
        // The document's own save: the same bytes as the editor writes.
        const DocResult saved = loaded.doc->OnSaveDocument(job.output);
        if (!saved.ok)
            return Failure(job.output, saved.message);
        return {true, job.output, {}, {}};
    }
    if (format.kind == FormatKind::Picture) {
        if (Outcome doc = EnsureDocument(job.input, loaded); !doc.ok)
            return doc;
        return WritePicture(DefaultViewPicture::Render(*loaded.doc, imageSize.width(), imageSize.height()), format,
                            job.output);
    }
    const ExportResult written = format.write(loaded.model, format, job.output, {});
    if (!written.ok)
        return Failure(job.output, written.message.isEmpty() ? ConvertTexts::NotWritten() : written.message);
    return {true, job.output, {}, OneLine(written.notice)};
}

int Run(const CommandLine::Request& request, const std::function<void(const QString&)>& report)
{
    if (!request.outputDir.isEmpty()) {
        if (const QString problem = FolderProblem(request.outputDir, true); !problem.isEmpty()) {
            report(request.outputDir + QStringLiteral(": ") + problem);
            return CommandLine::kExitFailed;
        }
    }
    // Taken before anything is written: no output may be one of the run's
    // inputs, by name or through a link, whichever job it belongs to.
    std::vector<std::pair<FileIdentity, QString>> inputs;
    for (const CommandLine::ConvertJob& job : request.jobs)
        inputs.emplace_back(FileIdentity(job.input), job.input);
    std::vector<COLORREF> palette;
    if (!request.palette.isEmpty()) {
        inputs.emplace_back(FileIdentity(request.palette), request.palette);
        if (const QString problem = InputProblem(request.palette); !problem.isEmpty()) {
            report(request.palette + QStringLiteral(": ") + problem);
            return CommandLine::kExitFailed;
        }
        const PaletteReadResult read = ReadPaletteFile(request.palette);
        if (!read.ok) {
            report(request.palette + QStringLiteral(": ") + OneLine(read.message));
            return CommandLine::kExitFailed;
        }
        palette = read.colors;
    }
    const auto inputAt = [&inputs](const FileIdentity& output) -> const QString* {
        for (const auto& [identity, name] : inputs)
            if (identity.SameFileAs(output))
                return &name;
        return nullptr;
    };

    bool failed = false;
    // Two inputs of the same name would write the same output: the second
    // would silently replace the first one's.
    std::vector<std::pair<FileIdentity, QString>> written;
    for (const CommandLine::ConvertJob& job : request.jobs) {
        const QStringList files = ExportedFiles(*job.format, job.output);
        std::vector<FileIdentity> outputs;
        QString refusal;
        for (const QString& file : files) {
            outputs.emplace_back(file);
            if (refusal.isEmpty())
                if (const QString* input = inputAt(outputs.back()))
                    refusal = job.input + QStringLiteral(": ") + ConvertTexts::OutputIsInput(file, *input);
            for (const auto& [identity, first] : written)
                if (refusal.isEmpty() && identity.SameFileAs(outputs.back()))
                    refusal = job.input + QStringLiteral(": ") + ConvertTexts::SameOutput(file, first);
        }
        if (!refusal.isEmpty()) {
            report(refusal);
            failed = true;
            continue;
        }
        const Outcome outcome = Convert(job, request.imageSize, request.operations, palette);
        if (!outcome.ok) {
            report(outcome.file + QStringLiteral(": ") + outcome.reason);
            failed = true;
            continue;
        }
        for (FileIdentity& identity : outputs)
            written.emplace_back(std::move(identity), job.input);
        if (!outcome.notice.isEmpty())
            report(outcome.file + QStringLiteral(": ") + outcome.notice);
    }
    return failed ? CommandLine::kExitFailed : CommandLine::kExitOk;
}

int Info(const CommandLine::Request& request, const std::function<void(const QString&)>& report,
         const std::function<void(const QString&)>& print)
{
    bool failed = false;
    QStringList models;  // compact objects, one a line
    for (const CommandLine::ConvertJob& job : request.jobs) {
        Loaded loaded;
        if (const Outcome read = Prepare(job.input, request.operations, loaded); !read.ok) {
            report(read.file + QStringLiteral(": ") + read.reason);
            failed = true;
            continue;
        }
        const ModelInfo::Info info = ModelInfo::Of(loaded.model);
        if (request.json)
            models << QString::fromUtf8(QJsonDocument(ModelInfo::Json(job.input, info)).toJson(QJsonDocument::Compact));
        else
            print(ModelInfo::Line(job.input, info));
    }
    if (request.json)
        print(models.isEmpty() ? QStringLiteral("[]")
                               : QStringLiteral("[\n") + models.join(QStringLiteral(",\n")) + QStringLiteral("\n]"));
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
    case CommandLine::Request::Mode::Info:
        break;
    }

    // No window system: pictures are drawn with a GL context of their own,
    // so the converter runs the same with a display, without one, or with
    // one that does not answer.
    QCoreApplication app(argc, argv);
    // The reasons of a failed file come from the readers and writers, in the
    // editor's language (its choice is in the editor's per-user store).
    Language::Install(Language::Choose(QSettings(QStringLiteral("Orvendale"), QStringLiteral("MIRA-VEL")),
                                       QLocale::system().uiLanguages()));
    const auto report = [&print](const QString& line) { print(stderr, line); };
    if (request.mode == CommandLine::Request::Mode::Info)
        return Info(request, report, [&print](const QString& line) { print(stdout, line); });
    return Run(request, report);
}

} // namespace BatchConvert
