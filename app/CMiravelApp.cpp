#include "app/CMiravelApp.h"

#include "render/GLFormat.h"

#include "app/AppResources.h"
#include "app/CAboutDlg.h"
#include "commandline/CommandLine.h"
#include "app/CMainFrame.h"
#include "app/CSplashDlg.h"
#include "app/ExchangeCommands.h"
#include "app/ExchangeTexts.h"
#include "exchange/ImportedModel.h"
#include "recovery/RecoveryKeeper.h"
#include "app/ShellTexts.h"
#include "app/WindowPaint.h"
#include "dialogs/CDelayedProgress.h"
#include "i18n/Language.h"
#include "exchange/FileFormats.h"
#include "model/CMiravelDoc.h"
#include "view/CMiravelView.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QSurfaceFormat>

#include <algorithm>
#include <clocale>

namespace {

QSettings UserStore()
{
    return QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication());
}

// The undo history's memory limit in MiB (key HistoryLimitMiB), 16 MiB to
// 64 GiB; the document's own default when unset or not a number.
std::size_t HistoryLimit(const QSettings& store)
{
    bool ok = false;
    const qlonglong mib = store.value(QStringLiteral("HistoryLimitMiB")).toLongLong(&ok);
    if (!ok)
        return CMiravelDoc::kDefaultHistoryLimit;
    return std::size_t(std::clamp<qlonglong>(mib, 16, 64 * 1024)) << 20;
}

} // namespace

void CMiravelApp::PrepareSurfaceFormat()
{
    SetDefaultGLFormat();
}

CMiravelApp::CMiravelApp()
    : m_prompts(CShellPrompts::Interactive()), m_recentFiles(kRecentFileCount),
      m_recovery(std::make_unique<CRecoveryKeeper>())
{
}

CMiravelApp::~CMiravelApp()
{
    // A splash hidden by its own input filter is only scheduled for deletion;
    // without a running event loop that would never happen.
    delete m_splash.data();
    m_pMainWnd.reset();
    m_recovery.reset();
    m_doc.reset();
}

bool CMiravelApp::InitInstance(const QStringList& arguments)
{
    // Number formatting of the settings file follows the user's locale.
    std::setlocale(LC_ALL, "");
    // The interface language: the user's choice, else the system's when the
    // program speaks it. Every text made from here on is in it.
    Language::Install(Language::Choose(UserStore(), QLocale::system().uiLanguages()));
    emit startupStep(StepLocale);

    // The splash picture and the icon are compiled-in resources.
    InitAppResources();

    m_splash = new CSplashDlg;
    connect(m_splash, &CSplashDlg::hidden, this, &CMiravelApp::OnSplashHidden);
    m_splash->ShowSplashScreen();
    emit startupStep(StepSplash);
    m_splash->StartTimer();
    emit startupStep(StepSplashTimer);

    QCoreApplication::setOrganizationName(ShellTexts::StoreOrganization());
    QCoreApplication::setApplicationName(ShellTexts::StoreApplication());
    emit startupStep(StepUserStore);

    {
        QSettings store = UserStore();
        m_recentFiles.ReadList(store);
    }
    emit startupStep(StepRecentFiles);

    m_doc = std::make_unique<CMiravelDoc>();
    m_doc->SetDefaultTitle(ShellTexts::DefaultDocumentName());
    m_doc->SetHistoryLimit(HistoryLimit(UserStore()));
    m_recovery->Watch(m_doc.get());
    emit startupStep(StepDocument);

    // The main window and its view exist before the model is read, as the
    // view is attached to it right after.
    m_pMainWnd = std::make_unique<CMainFrame>(*this);
    {
        QSettings store = UserStore();
        m_pMainWnd->RestoreWorkspace(store);
    }
    m_pMainWnd->SetRecentFiles(m_recentFiles.Files());
    if (const QString file = CommandLine::EditorFile(arguments); !file.isEmpty()) {
        // Kept absolute, so that a later save goes to the same file even if
        // the working folder changes.
        const QString path = QFileInfo(file).absoluteFilePath();
        const bool import = ExchangeCommands::IsImportPath(path);
        DocResult result;
        if (import) {
            // Another program's file comes in as a new, untitled model.
            ExchangeCommands::ImportRead read = ExchangeCommands::ReadForImport(path, ReadProgress(path, true));
            if (read.cancelled)
                result = DocResult::Cancelled();
            else if (!read.model || !m_doc->OnNewDocument())
                result = DocResult::Fail(read.message);
            else
                ImportedModel::PutInDocument(*read.model, *m_doc);
        } else {
            result = m_doc->OnOpenDocument(path, ReadProgress(path, false));
        }
        // A file whose reading the user stopped leaves a new, empty model.
        if (result.cancelled && m_doc->OnNewDocument())
            result = DocResult::Ok();
        if (!result.ok) {
            // The splash stays above every window; the message must not hide
            // behind it.
            HideSplash();
            if (!result.message.isEmpty())
                m_prompts.showError(nullptr, result.message);
            m_pMainWnd.reset();
            return false;
        }
        if (!import && !m_doc->GetPathName().isEmpty())
            AddToRecentFiles(path);
    } else if (!m_doc->OnNewDocument()) {
        m_pMainWnd.reset();
        return false;
    }
    m_pMainWnd->AttachDocument(m_doc.get());
    emit startupStep(StepCommandLine);

    // The splash's three seconds count from the moment the main window exists.
    if (m_splash)
        m_splash->StartTimer();
    emit startupStep(StepSplashTimerAgain);

    ShowAndPaintNow(m_pMainWnd.get());
    m_pMainWnd->activateWindow();
    // Without a window manager nothing keeps the splash above the window
    // mapped after it.
    if (m_splash)
        m_splash->raise();
    emit startupStep(StepMainWindowShown);

    m_pMainWnd->LoadSettings();
    emit startupStep(StepSettingsLoaded);

    OfferRecovery();
    return true;
}

int CMiravelApp::ExitInstance()
{
    WriteRecentFiles();
    delete m_splash.data();
    m_pMainWnd.reset();
    m_recovery.reset();
    m_doc.reset();
    return 0;
}

CSplashDlg* CMiravelApp::Splash() const
{
    return m_splash.data();
}

void CMiravelApp::HideSplash()
{
    if (m_splash)
        m_splash->HideSplash();
}

void CMiravelApp::OnSplashHidden()
{
    CSplashDlg* splash = m_splash.data();
    m_splash.clear();
    if (splash)
        splash->deleteLater();
    // The place where the splash stood is the main window's again.
    if (m_pMainWnd && m_pMainWnd->isVisible())
        m_pMainWnd->repaint();
}

// ---- the document's file commands ----------------------------------------

WorkProgress CMiravelApp::ReadProgress(const QString& path, bool import) const
{
    // Stopped, an open or import leaves everything as it was.
    return CDelayedProgress::Owned(m_pMainWnd.get(),
                                   import ? ExchangeTexts::ImportDialogTitle() : ShellTexts::OpenDialogTitle(),
                                   ShellTexts::ReadingFile(QFileInfo(path).fileName()), true, m_progressDelayMs);
}

bool CMiravelApp::SaveModified()
{
    if (!m_doc || !m_doc->IsModified())
        return true;
    switch (m_prompts.askSaveChanges(m_pMainWnd.get(), m_doc->GetTitle())) {
    case SaveChangesAnswer::Yes:
        return OnFileSave();
    case SaveChangesAnswer::No:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void CMiravelApp::OnFileNew()
{
    if (!SaveModified())
        return;
    if (!m_doc->OnNewDocument())
        return;
    m_recovery->Discard();
    m_pMainWnd->AttachDocument(m_doc.get());
}

void CMiravelApp::OnFileOpen()
{
    const QString path = m_prompts.askOpenPath(m_pMainWnd.get());
    if (!path.isEmpty())
        OpenFile(path);
}

bool CMiravelApp::OpenDocumentFile(const QString& path)
{
    return OpenFile(path) == OpenResult::Opened;
}

CMiravelApp::OpenResult CMiravelApp::OpenFile(const QString& path)
{
    if (ExchangeCommands::IsImportPath(path))
        return ImportFile(path);
    if (!SaveModified())
        return OpenResult::Cancelled;
    const DocResult result = m_doc->OnOpenDocument(path, ReadProgress(path, false));
    if (result.cancelled)
        return OpenResult::Cancelled;
    if (!result.ok) {
        // The document is as it was, path and title included.
        m_prompts.showError(m_pMainWnd.get(), result.message);
        return OpenResult::Failed;
    }
    m_recovery->Discard();
    AddToRecentFiles(path);
    m_pMainWnd->AttachDocument(m_doc.get());
    return OpenResult::Opened;
}

CMiravelApp::OpenResult CMiravelApp::ImportFile(const QString& path)
{
    // The import replaces the model as an open does: the question first.
    if (!SaveModified())
        return OpenResult::Cancelled;
    ExchangeCommands::ImportRead read = ExchangeCommands::ReadForImport(path, ReadProgress(path, true));
    if (read.cancelled)
        return OpenResult::Cancelled;
    if (!read.model) {
        // The model, path and title are as they were.
        m_prompts.showError(m_pMainWnd.get(), read.message);
        return OpenResult::Failed;
    }
    // The copy of the model being replaced goes; the imported model is
    // unsaved from the start, so its own copy falls due as after an edit.
    m_recovery->Discard();
    ImportedModel::PutInDocument(*read.model, *m_doc);
    // The view's initial update, as after an open: lists, default camera.
    m_pMainWnd->AttachDocument(m_doc.get());
    return OpenResult::Opened;
}

void CMiravelApp::OnFileImport()
{
    const QString path = m_prompts.askImportPath(m_pMainWnd.get());
    if (!path.isEmpty())
        ImportFile(path);
}

void CMiravelApp::OnFileExport(const FileFormat& format)
{
    // While the select tool holds a selection, only the selection is written.
    std::optional<CellBox> selection;
    if (const CMiravelView* view = m_pMainWnd ? m_pMainWnd->GetActiveView() : nullptr)
        selection = view->m_state.m_edit.m_selection.m_box;
    ExchangeCommands::Export(*m_doc, format, m_prompts, m_pMainWnd.get(), m_exportProgressDelayMs, selection);
}

void CMiravelApp::OnDropFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        const FileFormat* format = FileFormats::ForPath(path);
        if (format && format->Readable()) {
            // Kept absolute, as from the command line.
            OpenFile(QFileInfo(path).absoluteFilePath());
            return;
        }
    }
}

void CMiravelApp::OnOpenRecentFile(const QString& path)
{
    // An entry that no longer opens (moved, deleted, damaged) leaves the list.
    if (OpenFile(path) == OpenResult::Failed)
        RemoveFromRecentFiles(path);
}

bool CMiravelApp::OnFileSave()
{
    if (m_doc->GetPathName().isEmpty())
        return OnFileSaveAs();
    return DoSave(m_doc->GetPathName());
}

bool CMiravelApp::OnFileSaveAs()
{
    const QString suggested = m_doc->GetPathName().isEmpty()
                                  ? m_doc->GetTitle() + QLatin1Char('.') + FileFormats::Model().Suffix()
                                  : m_doc->GetPathName();
    QString path = m_prompts.askSavePath(m_pMainWnd.get(), suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + FileFormats::Model().Suffix();
    return DoSave(path);
}

bool CMiravelApp::DoSave(const QString& path)
{
    // Stopped, the save leaves the old file as it was, and the model unsaved.
    const DocResult result = m_doc->OnSaveDocument(
        path, CDelayedProgress::Owned(m_pMainWnd.get(), ShellTexts::MessageCaption(),
                                      ShellTexts::SavingFile(QFileInfo(path).fileName()), true, m_progressDelayMs));
    if (!result.ok) {
        if (!result.cancelled)
            m_prompts.showError(m_pMainWnd.get(), result.message);
        return false;
    }
    m_recovery->Discard();
    AddToRecentFiles(path);
    m_pMainWnd->UpdateFrameTitle();
    return true;
}

void CMiravelApp::OnAppAbout()
{
    CAboutDlg about(m_pMainWnd.get());
    about.exec();
}

// ---- closing ---------------------------------------------------------------

bool CMiravelApp::CanCloseFrame()
{
    return SaveModified();
}

void CMiravelApp::OnFrameClosing()
{
    HideSplash();
    // The changes were saved, or the user gave them up: no copy outlives a
    // close.
    m_recovery->Discard();
    SaveCustomState();
    emit mainFrameClosed();
}

void CMiravelApp::SaveCustomState()
{
    if (!m_pMainWnd)
        return;
    {
        QSettings store = UserStore();
        m_pMainWnd->SaveWorkspace(store);
    }
    m_pMainWnd->SaveSettings();
}

// ---- the recent-file list --------------------------------------------------

void CMiravelApp::AddToRecentFiles(const QString& path)
{
    m_recentFiles.Add(path);
    WriteRecentFiles();
    if (m_pMainWnd)
        m_pMainWnd->SetRecentFiles(m_recentFiles.Files());
}

void CMiravelApp::RemoveFromRecentFiles(const QString& path)
{
    m_recentFiles.Remove(path);
    WriteRecentFiles();
    if (m_pMainWnd)
        m_pMainWnd->SetRecentFiles(m_recentFiles.Files());
}

void CMiravelApp::WriteRecentFiles() const
{
    QSettings store = UserStore();
    m_recentFiles.WriteList(store);
}
