#pragma once

#include <QString>
#include <QStringList>

struct CShellPrompts;
struct FileFormat;

// What the main window hands on to the application object: the file
// commands, the about box and the decisions around closing. The frame holds
// the menus; the application holds the document and the per-user store.
class CFrameOwner {
public:
    virtual void OnFileNew() = 0;
    virtual void OnFileOpen() = 0;
    virtual bool OnFileSave() = 0;
    virtual bool OnFileSaveAs() = 0;
    virtual void OnOpenRecentFile(const QString& path) = 0;
    // Another program's model file as a new, untitled model.
    virtual void OnFileImport() = 0;
    // The model written in another program's format.
    virtual void OnFileExport(const FileFormat& format) = 0;
    // Model files dropped on the window: the first one opens as Open would.
    virtual void OnDropFiles(const QStringList& paths) = 0;
    virtual void OnAppAbout() = 0;
    // The user asked to close the main window: true when it may close, that
    // is, once any unsaved changes have been saved or given up.
    virtual bool CanCloseFrame() = 0;
    // The close is certain: keep what outlives the run.
    virtual void OnFrameClosing() = 0;
    virtual CShellPrompts& Prompts() = 0;

protected:
    ~CFrameOwner() = default;
};
