#include "app/CMainFrame.h"

#include "app/AppLooks.h"
#include "app/CFrameOwner.h"
#include "app/RecentFileList.h"
#include "app/ShellPrompts.h"
#include "app/CPalettePanel.h"
#include "app/ShellTexts.h"
#include "app/ToolBarIcons.h"
#include "controls/ToolCommands.h"
#include "exchange/FileFormats.h"
#include "i18n/Language.h"
#include "model/CMiravelDoc.h"
#include "settings/SettingsFile.h"
#include "view/CMiravelView.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QSettings>
#include <QToolBar>
#include <QWindow>

namespace {

const QString kWorkspaceGroup = QStringLiteral("Workspace");
const QString kToolBarKey = QStringLiteral("Tools/ToolBar");

QString PrintFailedMessage() { return QCoreApplication::translate("CMainFrame", "印刷を開始できませんでした。"); }

} // namespace

CMainFrame::CMainFrame(CFrameOwner& owner)
    : m_owner(owner),
      m_appLook(QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication())
                    .value(ShellTexts::AppLookKey(), kDefaultAppLook)
                    .toInt()),
      m_office2007Colour(kLookOff2007Blue)
{
    // A hand-edited or foreign value that names no look is not kept.
    if (!IsAppLookId(m_appLook))
        m_appLook = kDefaultAppLook;
    setWindowTitle(FrameTitle(ShellTexts::DefaultDocumentName(), false));
    m_view = new CMiravelView(this);
    setCentralWidget(m_view);
    // Hidden until the user shows it: the view keeps the whole window.
    m_palettePanel = new CPalettePanel(*m_view, this);
    addDockWidget(Qt::RightDockWidgetArea, m_palettePanel);
    m_palettePanel->hide();
    // The status bar shows only while there is something to say (the select
    // tool's selection): with the other tools the view keeps the window.
    connect(m_view, &CMiravelView::StatusTextChanged, this, [this](const QString& text) {
        if (text.isEmpty() && !m_statusBarMade)
            return;
        m_statusBarMade = true;
        statusBar()->showMessage(text);
        statusBar()->setVisible(!text.isEmpty());
    });
    BindHandlers();
    // Every command with a shortcut of the window has its action, whether a
    // menu shows it or not (printing, redo's second key).
    for (const CommandRow* row : CommandRegistry::All())
        for (const KeyChord& key : row->keys)
            if (key.route == KeyRoute::Window)
                ActionFor(row->id);
    CreateMenus();
    CreateToolBar();
    // The check marks of the view's commands follow them whichever way they
    // ran: a menu, a key of the view, a button.
    connect(m_view, &CMiravelView::CommandRan, this,
            [this](CommandId id) { ShowViewChecks(&CommandRegistry::Row(id)); });
    // The entry follows the panel, also when its own close button hides it.
    connect(m_palettePanel, &QDockWidget::visibilityChanged, this, [this] {
        if (QAction* toggle = Action(CommandId::PalettePanel))
            toggle->setChecked(!m_palettePanel->isHidden());
    });
    RestoreStoredChecks();
    OnApplicationLook(m_appLook);

    // Without a stored placement the window takes a good part of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        QRect r(0, 0, qMax(640, avail.width() * 3 / 4), qMax(480, avail.height() * 3 / 4));
        r = r.intersected(QRect(QPoint(0, 0), avail.size()));
        r.moveCenter(avail.center());
        setGeometry(r);
    }
    m_view->setFocus();
    // Model files dropped anywhere on the window open as with Open.
    setAcceptDrops(true);
    // A hidden menu bar comes back with a lone Alt key (watched in eventFilter).
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame()
{
    // The widget's own destructor hides the panel after this object is gone.
    disconnect(m_palettePanel, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    if (m_doc)
        m_doc->RemoveView(this);
}

void CMainFrame::BindHandlers()
{
    using C = CommandId;
    const auto bind = [this](C command, std::function<void()> handler) {
        m_handlers[std::size_t(command)] = std::move(handler);
    };
    bind(C::FileNew, [this] { m_owner.OnFileNew(); });
    bind(C::FileOpen, [this] { m_owner.OnFileOpen(); });
    bind(C::FileSave, [this] { m_owner.OnFileSave(); });
    bind(C::FileSaveAs, [this] { m_owner.OnFileSaveAs(); });
    bind(C::FileImport, [this] { m_owner.OnFileImport(); });
    bind(C::FilePrint, [this] { OnFilePrint(); });
    bind(C::AppExit, [this] { close(); });
    bind(C::AppAbout, [this] { m_owner.OnAppAbout(); });
    bind(C::MenuBar, [] {});  // follows the check mark (see ActionFor)
    bind(C::PalettePanel, [this] { m_palettePanel->setVisible(Action(C::PalettePanel)->isChecked()); });
    bind(C::ToolBar, [this] {
        const bool shown = Action(C::ToolBar)->isChecked();
        ShowToolBar(shown);
        QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication()).setValue(kToolBarKey, shown);
    });
    bind(C::PaletteOpen, [this] { m_palettePanel->OpenPalette(); });
    bind(C::PaletteSave, [this] { m_palettePanel->SavePalette(); });
    bind(C::PaletteRemap, [this] { m_palettePanel->RemapModel(); });
    bind(C::PaletteToButtons, [this] { m_palettePanel->ColorsToButtons(); });
    bind(C::PaletteFromButtons, [this] { m_palettePanel->ButtonsToUserPalette(); });
    for (const CommandRow* row : CommandRegistry::All())
        if (const auto look = AppLookOfCommand(row->id))
            bind(row->id, [this, id = *look] { OnApplicationLook(id); });
}

QAction* CMainFrame::ActionFor(CommandId command)
{
    QAction*& action = m_actions[std::size_t(command)];
    if (action)
        return action;
    const CommandRow& row = CommandRegistry::Row(command);
    action = new QAction(CommandRegistry::Label(row), this);
    action->setCheckable(row.checkable);
    QList<QKeySequence> shortcuts;
    for (const KeyChord& key : row.keys)
        if (key.route == KeyRoute::Window)
            shortcuts.append(QKeySequence(key.combined));
    // A key lives on the window, not only in its menu: a menu's shortcuts
    // die with the menu bar when the bar is hidden.
    if (!shortcuts.isEmpty()) {
        action->setShortcuts(shortcuts);
        addAction(action);
    }
    if (command == CommandId::MenuBar) {
        // The menu bar follows its entry's check mark, also when the mark
        // is set from the stored workspace.
        action->setChecked(true);
        connect(action, &QAction::toggled, this, &CMainFrame::SetMenuBarShown);
    } else {
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    }
    return action;
}

void CMainFrame::RunCommand(CommandId command)
{
    const CommandRow& row = CommandRegistry::Row(command);
    if (!row.run) {
        if (const auto& handler = m_handlers[std::size_t(command)])
            handler();
        return;
    }
    // The check marks follow through the view's CommandRan.
    if (CMiravelView* view = GetActiveView())
        view->ExecuteCommand(command);
}

void CMainFrame::ShowViewChecks(const CommandRow* ran)
{
    const CViewState& state = m_view->m_state;
    for (const CommandRow* row : CommandRegistry::All())
        if (QAction* action = Action(row->id); action && row->checked)
            action->setChecked(row->checked(state));
    if (ran && ran->storeKey)
        QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication())
            .setValue(QString::fromLatin1(ran->storeKey), ran->checked(state));
}

void CMainFrame::RestoreStoredChecks()
{
    const QSettings store(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication());
    for (const CommandRow* row : CommandRegistry::All())
        if (row->storeKey && store.value(QString::fromLatin1(row->storeKey), false).toBool() != row->checked(m_view->m_state))
            m_view->ExecuteCommand(row->id);
    ShowViewChecks(nullptr);
}

QMenu* CMainFrame::Menu(MenuId id) const
{
    const auto it = m_menus.find(id);
    return it == m_menus.end() ? nullptr : it->second;
}

void CMainFrame::FillMenu(QMenu& menu, const std::vector<CommandMenus::MenuEntry>& entries)
{
    for (const CommandMenus::MenuEntry& e : entries) {
        switch (e.kind) {
        case CommandMenus::MenuEntry::Command:
            menu.addAction(ActionFor(e.command));
            break;
        case CommandMenus::MenuEntry::Separator:
            menu.addSeparator();
            break;
        case CommandMenus::MenuEntry::Submenu: {
            QMenu* sub = menu.addMenu(e.text);
            m_menus[e.menu] = sub;
            FillMenu(*sub, e.children);
            break;
        }
        case CommandMenus::MenuEntry::Slot:
            // The recent files go in before this hidden entry.
            m_recentEnd = menu.addAction(QString());
            m_recentEnd->setVisible(false);
            break;
        }
    }
}

void CMainFrame::CreateMenus()
{
    for (const MenuId id : CommandMenus::MenuBar()) {
        QMenu* menu = menuBar()->addMenu(CommandMenus::Title(id));
        m_menus[id] = menu;
        FillMenu(*menu, CommandMenus::Entries(id));
    }

    // The export formats, which write the model for other programs.
    for (const FileFormat* format : FileFormats::Exported()) {
        QAction* a = ExportMenu()->addAction(format->Label());
        connect(a, &QAction::triggered, this, [this, format] { m_owner.OnFileExport(*format); });
        m_exportActions[format] = a;
    }
    SetRecentFiles({});

    m_lookGroup = new QActionGroup(this);
    m_lookGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const CommandRow* row : CommandRegistry::All())
        if (AppLookOfCommand(row->id))
            m_lookGroup->addAction(ActionFor(row->id));

    m_languageGroup = new QActionGroup(this);
    m_languageGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    // The check mark shows the language of the next start.
    const QString stored = Language::Stored(QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication()));
    const QString chosen = stored.isEmpty() ? Language::Current() : stored;
    for (const auto& [language, name] : {std::pair{Language::kJapanese, ShellTexts::JapaneseName()},
                                         std::pair{Language::kEnglish, ShellTexts::EnglishName()}}) {
        QAction* a = Menu(MenuId::ViewLanguage)->addAction(name);
        a->setCheckable(true);
        a->setChecked(language == chosen);
        a->setData(language);
        m_languageGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, language = language] { OnLanguage(language); });
    }
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(QCoreApplication::translate("CMainFrame", "ツール バー"), this);
    // Named, so that the window's saved layout can hold it.
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // The drawing tools and the hollow toggle: the rows of their two groups
    // of the tool menu, in order.
    for (const std::uint8_t group : {ToolCommands::kDrawingToolGroup, std::uint8_t(ToolCommands::kDrawingToolGroup + 1)}) {
        if (!m_toolBar->actions().isEmpty())
            m_toolBar->addSeparator();
        for (const CommandRow* row : CommandRegistry::All())
            if (row->place.menu == MenuId::Tools && row->place.group == group) {
                QAction* action = ActionFor(row->id);
                action->setIcon(ToolBarIcon(row->id));
                m_toolBar->addAction(action);
            }
    }
    // The entry follows the bar, also when the window's own menu hides it.
    connect(m_toolBar, &QToolBar::visibilityChanged, this, [this] {
        if (QAction* toggle = Action(CommandId::ToolBar))
            toggle->setChecked(!m_toolBar->isHidden());
    });
    ShowToolBar(QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication()).value(kToolBarKey, false).toBool());
}

void CMainFrame::ShowToolBar(bool shown)
{
    m_toolBar->setVisible(shown);
    if (QAction* toggle = Action(CommandId::ToolBar); toggle && toggle->isChecked() != shown)
        toggle->setChecked(shown);
}

QAction* CMainFrame::ExportAction(const FileFormat& format) const
{
    const auto it = m_exportActions.find(&format);
    return it == m_exportActions.end() ? nullptr : it->second;
}

void CMainFrame::SetRecentFiles(const QStringList& files)
{
    QMenu* fileMenu = Menu(MenuId::File);
    for (QAction* a : std::as_const(m_recentActions)) {
        fileMenu->removeAction(a);
        delete a;
    }
    m_recentActions.clear();

    if (files.isEmpty()) {
        // The place of the list shows its name, greyed, while it is empty.
        auto* placeholder = new QAction(QCoreApplication::translate("CMainFrame", "最近使ったファイル"), this);
        placeholder->setEnabled(false);
        fileMenu->insertAction(m_recentEnd, placeholder);
        m_recentActions.append(placeholder);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        auto* a = new QAction(CRecentFileList::MenuText(i, files[i]), this);
        const QString path = files[i];
        connect(a, &QAction::triggered, this, [this, path] { m_owner.OnOpenRecentFile(path); });
        fileMenu->insertAction(m_recentEnd, a);
        m_recentActions.append(a);
    }
}

void CMainFrame::AttachDocument(CMiravelDoc* doc)
{
    WatchDocument(this, m_doc, doc);
    m_view->SetDocument(doc);
    m_palettePanel->SetDocument(doc);
    UpdateFrameTitle();
}

QString CMainFrame::FrameTitle(const QString& documentTitle, bool modified)
{
    return documentTitle + (modified ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") +
           ShellTexts::AppTitle();
}

void CMainFrame::UpdateFrameTitle()
{
    const QString title = m_doc ? FrameTitle(m_doc->GetTitle(), m_doc->IsModified())
                                : FrameTitle(ShellTexts::DefaultDocumentName(), false);
    if (title != windowTitle())
        setWindowTitle(title);
}

void CMainFrame::OnUpdate(CDocView*, long)
{
    UpdateFrameTitle();
}

void CMainFrame::OnModelReset()
{
    UpdateFrameTitle();
}

void CMainFrame::OnModifiedChanged()
{
    UpdateFrameTitle();
}

void CMainFrame::LoadSettings()
{
    CMiravelView* view = GetActiveView();
    if (!view)
        return;
    // Also after a load that stopped early or found no file: the buttons
    // were made with swatches of their own, which must show the state the
    // view is in now (a sight button shown as on while no sight is drawn).
    ::LoadSettings(view->m_state.m_prefs, SettingsFilePath());
    view->RefreshButtons();
    view->update();
}

void CMainFrame::SaveSettings()
{
    if (const CMiravelView* view = GetActiveView())
        ::SaveSettings(view->m_state.m_prefs, SettingsFilePath());
}

void CMainFrame::OnApplicationLook(int id)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_appLook = id;
    if (IsOffice2007ColourId(id))
        m_office2007Colour = id;
    ApplyAppLook(AppLookFor(id, m_office2007Colour));
    OnUpdateApplicationLook();
    if (isVisible())
        repaint();
    QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication())
        .setValue(ShellTexts::AppLookKey(), id);
    QGuiApplication::restoreOverrideCursor();
}

void CMainFrame::OnUpdateApplicationLook()
{
    for (QAction* a : m_lookGroup->actions())
        a->setChecked(false);
    if (const auto command = AppLookCommand(m_appLook))
        Action(*command)->setChecked(true);
}

void CMainFrame::OnLanguage(const QString& language)
{
    QSettings store(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication());
    const QString before = Language::Stored(store).isEmpty() ? Language::Current() : Language::Stored(store);
    Language::Store(store, language);
    if (language == before)
        return;
    // Said in the language in use and in the one chosen, which the user may
    // read better.
    QString notice = ShellTexts::LanguageAtNextStart();
    const QString inChosen = Language::TextIn(language, "ShellTexts", ShellTexts::kLanguageAtNextStart);
    if (inChosen != notice)
        notice += QStringLiteral("\n\n") + inChosen;
    m_owner.Prompts().showNotice(this, notice);
}

QRect CMainFrame::FitPictureRect(const QSize& picture, const QRect& page)
{
    if (picture.isEmpty() || page.isEmpty())
        return {};
    const QSize fitted = picture.scaled(page.size(), Qt::KeepAspectRatio);
    QRect r(QPoint(0, 0), fitted);
    r.moveCenter(page.center());
    return r;
}

void CMainFrame::OnFilePrint()
{
    CMiravelView* view = GetActiveView();
    if (!view)
        return;
    // The picture is taken before the print dialog covers the view.
    const QImage picture = view->ScenePicture();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_doc ? m_doc->GetTitle() : ShellTexts::DefaultDocumentName());
    if (!m_owner.Prompts().askPrinter(this, printer))
        return;
    QPainter painter;
    if (picture.isNull() || !painter.begin(&printer)) {
        m_owner.Prompts().showError(this, PrintFailedMessage());
        return;
    }
    const QRect page = painter.viewport();
    painter.drawImage(FitPictureRect(picture.size(), page), picture);
    painter.end();
}

void CMainFrame::SaveWorkspace(QSettings& store) const
{
    store.beginGroup(kWorkspaceGroup);
    store.setValue(QStringLiteral("Geometry"), saveGeometry());
    store.setValue(QStringLiteral("MenuBar"), MenuBarToggle()->isChecked());
    store.setValue(QStringLiteral("Docks"), saveState());
    store.endGroup();
}

void CMainFrame::RestoreWorkspace(QSettings& store)
{
    store.beginGroup(kWorkspaceGroup);
    const QByteArray geometry = store.value(QStringLiteral("Geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    MenuBarToggle()->setChecked(store.value(QStringLiteral("MenuBar"), true).toBool());
    if (const QByteArray docks = store.value(QStringLiteral("Docks")).toByteArray(); !docks.isEmpty())
        restoreState(docks);
    store.endGroup();
    // The tool bar's own key wins over the layout saved at the last exit.
    ShowToolBar(store.value(kToolBarKey, false).toBool());
}

void CMainFrame::SetMenuBarShown(bool shown)
{
    menuBar()->setVisible(shown);
    if (MenuBarToggle()->isChecked() != shown)
        MenuBarToggle()->setChecked(shown);
    m_altAlone = false;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Key events reach the window object before any widget in it; watching
    // them there sees each key once, whichever widget has the focus.
    if (menuBar()->isVisible() || watched != windowHandle())
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            m_altAlone = key->key() == Qt::Key_Alt && (key->modifiers() & ~Qt::AltModifier) == 0;
    } else if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt && m_altAlone && !key->isAutoRepeat())
            SetMenuBarShown(true);
        m_altAlone = false;
    } else if (event->type() == QEvent::MouseButtonPress) {
        m_altAlone = false;
    }
    return false;
}

QStringList CMainFrame::DroppedModelFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        const FileFormat* format = FileFormats::ForPath(path);
        if (format && format->Readable())
            files.append(path);
    }
    return files;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedModelFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event)
{
    if (!DroppedModelFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedModelFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag source waits for the drop to finish: the question about unsaved
    // changes and the open come after it, from the event loop.
    QMetaObject::invokeMethod(this, [this, files] { m_owner.OnDropFiles(files); }, Qt::QueuedConnection);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!m_owner.CanCloseFrame()) {
        event->ignore();
        return;
    }
    m_closed = true;
    m_owner.OnFrameClosing();
    event->accept();
    emit closed();
}
