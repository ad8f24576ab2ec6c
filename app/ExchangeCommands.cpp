#include "app/ExchangeCommands.h"

#include "app/ExchangeTexts.h"
#include "exchange/CubeClipboard.h"
#include "exchange/ImportedModel.h"
#include "app/ShellPrompts.h"
#include "dialogs/CProgressWindow.h"
#include "exchange/FileFormats.h"
#include "model/CMiravelDoc.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

// Most exports end before anybody would notice; the window shows only for
// the ones that take a while.
class CLazyProgress {
public:
    CLazyProgress(QWidget* owner, const QString& fileName, int delayMs)
        : m_window(owner), m_fileName(fileName), m_delayMs(delayMs)
    {
        m_timer.start();
    }

    bool Step(int done, int total)
    {
        if (!m_shown && m_timer.elapsed() >= m_delayMs) {
            m_shown = true;
            if (m_window.Create()) {
                m_window.SetTitle(ExchangeTexts::ProgressTitle());
                m_window.Start();
                m_window.SetLine(1, ExchangeTexts::ProgressExporting());
                m_window.SetLine(2, m_fileName);
            }
        }
        if (m_shown)
            m_window.SetProgress(done, total);
        // There is no cancel button: the export always runs to its end.
        return true;
    }

private:
    CProgressWindow m_window;
    QString m_fileName;
    int m_delayMs;
    QElapsedTimer m_timer;
    bool m_shown = false;
};

// The current file's name with the format's extension, or the title's.
QString SuggestedPath(const CMiravelDoc& doc, const QString& suffix)
{
    if (doc.GetPathName().isEmpty())
        return doc.GetTitle() + QLatin1Char('.') + suffix;
    const QFileInfo info(doc.GetPathName());
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + suffix);
}

} // namespace

namespace ExchangeCommands {

ImportRead ReadForImport(const QString& path, const WorkProgress& progress)
{
    const FileFormat* format = FileFormats::ForPath(path);
    if (!format || !format->read)
        return {std::nullopt, ExchangeTexts::ImportFailed(path, {})};
    ModelReadResult read = format->read(path, progress);
    if (read.cancelled)
        return {std::nullopt, {}, true};
    if (!read.ok)
        return {std::nullopt, ExchangeTexts::ImportFailed(path, read.message)};
    if (!ImportedModel::FitsDocument(read.model))
        return {std::nullopt, ExchangeTexts::ImportFailed(path, ExchangeTexts::ModelTooLarge())};
    return {std::move(read.model), {}};
}

bool IsImportPath(const QString& path)
{
    const FileFormat* format = FileFormats::ForPath(path);
    return format && format->read;
}

void Export(const CMiravelDoc& doc, const FileFormat& format, CShellPrompts& prompts,
            QWidget* parent, int progressDelayMs, const std::optional<CellBox>& selection)
{
    QString path = prompts.askExportPath(parent, format.Filter(), format.Suffix(),
                                         SuggestedPath(doc, format.Suffix()));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + format.Suffix();

    ExportResult result;
    {
        CLazyProgress progress(parent, QFileInfo(path).fileName(), progressDelayMs);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const ModelData model = selection ? CubeClipboard::ToModel(SelectionTools::Copy(doc, *selection), doc)
                                          : ModelFromDocument(doc);
        result = format.write(model, format, path,
                              [&progress](int done, int total) { return progress.Step(done, total); });
        QGuiApplication::restoreOverrideCursor();
    }
    if (!result.ok)
        prompts.showError(parent, ExchangeTexts::ExportFailed(path, result.message));
    else if (!result.notice.isEmpty())
        prompts.showNotice(parent, result.notice);
}

} // namespace ExchangeCommands
