#pragma once

#include "app/CFrameOwner.h"
#include "app/RecentFileList.h"
#include "app/ShellPrompts.h"
#include "model/WorkProgress.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class CMainFrame;
class CMiravelDoc;
class CRecoveryKeeper;
class CSplashDlg;

// The application object: runs the start-up in its fixed order, owns the one
// document, the main window and the splash, and carries the commands that
// replace the document (new, open) or write it (save, save as).
//
// It lives beside a QApplication, which must exist first.
class CMiravelApp : public QObject, public CFrameOwner {
    Q_OBJECT

public:
    // The steps of the start-up that others may watch (startupStep()).
    enum StartupStep {
        StepLocale = 1,
        StepSplash = 2,
        StepSplashTimer = 3,
        StepUserStore = 8,
        StepRecentFiles = 9,
        StepDocument = 10,
        StepCommandLine = 11,
        StepSplashTimerAgain = 12,
        StepMainWindowShown = 13,
        StepSettingsLoaded = 14,
    };

    // The GL surface every window gets: compatibility profile for the
    // fixed-function drawing. Must run before the QApplication exists.
    static void PrepareSurfaceFormat();

    CMiravelApp();
    ~CMiravelApp() override;

    // The whole start-up. arguments are the program's (name first); a second
    // argument is a model file to open. False when the start-up failed (the
    // model could not be opened): the caller ends the process.
    bool InitInstance(const QStringList& arguments);
    // After the event loop: writes what the store keeps, then lets the window
    // and the document go. Returns the process's exit code.
    int ExitInstance();

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }
    CMiravelDoc* Document() const { return m_doc.get(); }
    // The splash while it shows, else null.
    CSplashDlg* Splash() const;
    void HideSplash();
    const CRecentFileList& RecentFiles() const { return m_recentFiles; }
    CShellPrompts& Prompts() override { return m_prompts; }
    // Keeps the recovery copy of the unsaved model; null after ExitInstance.
    CRecoveryKeeper* Recovery() const { return m_recovery.get(); }

    // Opens a model file in place of the current one, after the question
    // about unsaved changes. A failed open is reported and keeps the current
    // model, path and title. False when nothing was opened. A .vox file
    // comes in as an import: a new, untitled and modified model.
    bool OpenDocumentFile(const QString& path);
    // The question about unsaved changes: true when the caller may go on.
    bool SaveModified();
    // Called as the main window closes: window placement and the settings file.
    void SaveCustomState();

    void OnFileNew() override;
    void OnFileOpen() override;
    bool OnFileSave() override;
    bool OnFileSaveAs() override;
    void OnOpenRecentFile(const QString& path) override;
    void OnFileImport() override;
    void OnFileExport(const FileFormat& format) override;
    void OnDropFiles(const QStringList& paths) override;
    void OnAppAbout() override;
    bool CanCloseFrame() override;
    void OnFrameClosing() override;

    // How long an export runs before its progress window shows (tests set 0).
    int m_exportProgressDelayMs = 400;
    // The same for an open, an import or a save.
    int m_progressDelayMs = 400;

signals:
    void startupStep(int step);
    // The main window has closed for good; the event loop may end.
    void mainFrameClosed();

private:
    enum class OpenResult { Opened, Cancelled, Failed };
    OpenResult OpenFile(const QString& path);
    OpenResult ImportFile(const QString& path);
    bool DoSave(const QString& path);
    // The progress window of reading a file to open or import.
    WorkProgress ReadProgress(const QString& path, bool import) const;
    void AddToRecentFiles(const QString& path);
    void RemoveFromRecentFiles(const QString& path);
    void WriteRecentFiles() const;
    void OnSplashHidden();
    // The question about copies left by runs that ended abnormally
    // (CMiravelAppRecovery.cpp).
    void OfferRecovery();

    CShellPrompts m_prompts;
    CRecentFileList m_recentFiles;
    // The document outlives the window: the view leaves it on destruction.
    std::unique_ptr<CMiravelDoc> m_doc;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    std::unique_ptr<CRecoveryKeeper> m_recovery;
    QPointer<CSplashDlg> m_splash;
};
