#pragma once

#include "controls/CommandMenus.h"
#include "model/Document.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <map>

class CFrameOwner;
struct FileFormat;
class CMiravelDoc;
class CMiravelView;
class CPalettePanel;
class QActionGroup;
class QMenu;
class QMimeData;
class QPrinter;
class QSettings;
class QToolBar;

// The program's one top-level window: the 3D view as its client area, and a
// menu bar built from the command registry: the file commands, the choice of
// visual style and language, the tools and help. Each command shown or with
// a key of the window has one action; the window's own commands run the
// handlers it binds, the others go to the view.
// It follows the document (a view of it in the document's sense) to keep its
// title in step with the document's name and modified state.
class CMainFrame : public QMainWindow, private CDocView {
    Q_OBJECT

public:
    explicit CMainFrame(CFrameOwner& owner);
    ~CMainFrame() override;

    CMiravelView* GetActiveView() const { return m_view; }
    CPalettePanel* PalettePanel() const { return m_palettePanel; }
    // The drawing tools and the hollow toggle under the menu bar; hidden
    // until the user shows it from the view menu, which is kept per user.
    QToolBar* ToolBar() const { return m_toolBar; }

    // Attaches the document to the view, which runs the view's initial update
    // (display lists, default camera), and takes the document's title.
    void AttachDocument(CMiravelDoc* doc);
    void UpdateFrameTitle();
    // "<document>[*] - MIRA-VEL    Powered by Orvendale"; the star marks
    // unsaved changes.
    static QString FrameTitle(const QString& documentTitle, bool modified);

    // The display preferences of the view, kept in the per-user settings file.
    // Loading then refreshes the buttons and repaints, whatever it read.
    void LoadSettings();
    void SaveSettings();

    // The visual style: read from the per-user store when the frame is built
    // (the default when there is none), applied at once and stored on change.
    void OnApplicationLook(int id);

    // The interface language chosen in the view menu: stored for the next
    // start, which is when it takes effect (the user is told so).
    void OnLanguage(const QString& language);
    QActionGroup* LanguageActions() const { return m_languageGroup; }

    // The one action of a command that the window shows or has a key for;
    // null for the others.
    QAction* Action(CommandId command) const { return m_actions[std::size_t(command)]; }
    QAction* MenuBarToggle() const { return Action(CommandId::MenuBar); }
    // Runs a command as its action does: the window's own handler, or the
    // view's command (then the check marks follow the view).
    void RunCommand(CommandId command);
    // Whether the window has bound a handler for one of its own commands.
    bool Handles(CommandId command) const { return bool(m_handlers[std::size_t(command)]); }
    // Rebuilds the recent-file entries of the file menu.
    void SetRecentFiles(const QStringList& files);
    QList<QAction*> RecentFileActions() const { return m_recentActions; }
    QMenu* ExportMenu() const { return Menu(MenuId::FileExport); }
    QAction* ExportAction(const FileFormat& format) const;
    // The local files among dragged data that open as models, in their order.
    static QStringList DroppedModelFiles(const QMimeData* data);

    // Prints the current picture of the view on one page.
    void OnFilePrint();
    // The picture scaled to fit the page, keeping its proportions, centred.
    static QRect FitPictureRect(const QSize& picture, const QRect& page);

    // Window placement, whether the menu bar shows, and the palette panel's
    // place and state.
    void SaveWorkspace(QSettings& store) const;
    void RestoreWorkspace(QSettings& store);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnUpdate(CDocView* sender, long hint) override;
    void OnModelReset() override;
    void OnModifiedChanged() override;

    void BindHandlers();
    QAction* ActionFor(CommandId command);
    void CreateMenus();
    void FillMenu(QMenu& menu, const std::vector<CommandMenus::MenuEntry>& entries);
    QMenu* Menu(MenuId id) const;
    // The check marks of the view's commands as the view has them, and the
    // ones the store keeps written there.
    void ShowViewChecks(const CommandRow* ran);
    void RestoreStoredChecks();
    void OnUpdateApplicationLook();
    void SetMenuBarShown(bool shown);
    void CreateToolBar();
    void ShowToolBar(bool shown);

    CFrameOwner& m_owner;
    CMiravelView* m_view = nullptr;
    bool m_statusBarMade = false;
    CPalettePanel* m_palettePanel = nullptr;
    QToolBar* m_toolBar = nullptr;
    CMiravelDoc* m_doc = nullptr;
    int m_appLook;
    // The Office 2007 colour that the looks without a colour of their own keep.
    int m_office2007Colour;
    std::array<QAction*, kCommandIdCount> m_actions{};
    std::array<std::function<void()>, kCommandIdCount> m_handlers;
    std::map<MenuId, QMenu*> m_menus;
    std::map<const FileFormat*, QAction*> m_exportActions;
    QActionGroup* m_lookGroup = nullptr;
    QActionGroup* m_languageGroup = nullptr;
    QAction* m_recentEnd = nullptr; // a hidden entry right after the recent files
    QList<QAction*> m_recentActions;
    bool m_altAlone = false;
    bool m_closed = false;
};
