#include "app/CMainFrame.h"

#include "app/AppLooks.h"
#include "app/CFrameOwner.h"
#include "app/ExchangeTexts.h"
#include "app/ExportMenu.h"
#include "app/RecentFileList.h"
#include "app/ShellPrompts.h"
#include "app/ShellTexts.h"
#include "app/ToolMenu.h"
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
#include <QSettings>
#include <QWindow>

namespace {

const QString kWorkspaceGroup = QStringLiteral("Workspace");

QString PrintFailedMessage() { return QCoreApplication::translate("CMainFrame", "印刷を開始できませんでした。"); }

} // namespace

CMainFrame::CMainFrame(CFrameOwner& owner)
    : m_owner(owner),
      m_appLook(QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication())
                    .value(ShellTexts::AppLookKey(), kDefaultAppLook)
                    .toInt()),
      m_office2007Colour(ID_VIEW_APPLOOK_OFF_2007_BLUE)
{
    // A hand-edited or foreign value that names no look is not kept.
    if (!IsAppLookId(m_appLook))
        m_appLook = kDefaultAppLook;
    setWindowTitle(FrameTitle(ShellTexts::DefaultDocumentName(), false));
    m_view = new CMiravelView(this);
    setCentralWidget(m_view);
    CreateActions();
    CreateMenus();
    {
        QSettings store(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication());
        ToolMenu::LoadMirrors(*m_view, store, m_actions.data());
    }
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
    qApp->removeEventFilter(this);
    if (m_doc)
        m_doc->RemoveView(this);
}

void CMainFrame::CreateActions()
{
    for (const ShellCommandRow& row : kShellCommands) {
        auto* action = new QAction(QCoreApplication::translate("ShellCommands", row.text), this);
        action->setData(row.entryId);
        action->setCheckable(row.checkable);
        // A key lives on the window, not only in its menu: a menu's shortcuts
        // die with the menu bar when the bar is hidden.
        if (row.key != 0) {
            action->setShortcut(QKeySequence(row.key));
            addAction(action);
        }
        const ShellCommand command = row.command;
        if (command == ShellCommand::MenuBar) {
            // The menu bar follows its entry's check mark, also when the mark
            // is set from the stored workspace.
            action->setChecked(true);
            connect(action, &QAction::toggled, this, &CMainFrame::SetMenuBarShown);
        } else {
            connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        }
        m_actions[std::size_t(command)] = action;
    }
}

QAction* CMainFrame::CommandAction(int entryId) const
{
    for (const ShellCommandRow& row : kShellCommands)
        if (row.entryId == entryId)
            return Action(row.command);
    return nullptr;
}

void CMainFrame::RunCommand(ShellCommand command)
{
    const int entryId = kShellCommands[std::size_t(command)].entryId;
    if (const auto viewCommand = ToolMenu::ViewCommand(command)) {
        if (CMiravelView* view = GetActiveView())
            ToolMenu::Run(*view, *viewCommand, m_actions.data());
        return;
    }
    switch (command) {
    case ShellCommand::FileNew:
        m_owner.OnFileNew();
        break;
    case ShellCommand::FileOpen:
        m_owner.OnFileOpen();
        break;
    case ShellCommand::FileSave:
        m_owner.OnFileSave();
        break;
    case ShellCommand::FileSaveAs:
        m_owner.OnFileSaveAs();
        break;
    case ShellCommand::FileImport:
        m_owner.OnFileImport();
        break;
    case ShellCommand::ExportVox:
    case ShellCommand::ExportGltf:
    case ShellCommand::ExportGlb:
    case ShellCommand::ExportObj:
    case ShellCommand::ExportPly:
    case ShellCommand::ExportStl:
        m_owner.OnFileExport(entryId);
        break;
    case ShellCommand::AppExit:
        close();
        break;
    case ShellCommand::FilePrint:
        OnFilePrint();
        break;
    case ShellCommand::MenuBar:
        break;  // follows the check mark
    case ShellCommand::LookWin2000:
    case ShellCommand::LookOffXp:
    case ShellCommand::LookWinXp:
    case ShellCommand::LookOff2003:
    case ShellCommand::LookVs2005:
    case ShellCommand::LookVs2008:
    case ShellCommand::LookOff2007Blue:
    case ShellCommand::LookOff2007Black:
    case ShellCommand::LookOff2007Silver:
    case ShellCommand::LookOff2007Aqua:
        OnApplicationLook(entryId);
        break;
    case ShellCommand::AppAbout:
        m_owner.OnAppAbout();
        break;
    case ShellCommand::HelpPage:
        OnHelpPage();
        break;
    case ShellCommand::ToolEyedropper:
    case ShellCommand::ToolMirrorX:
    case ShellCommand::ToolMirrorZ:
    case ShellCommand::ToolFill:
    case ShellCommand::ToolReplaceColor:
    case ShellCommand::ToolMovePlusX:
    case ShellCommand::ToolMoveMinusX:
    case ShellCommand::ToolMovePlusY:
    case ShellCommand::ToolMoveMinusY:
    case ShellCommand::ToolMovePlusZ:
    case ShellCommand::ToolMoveMinusZ:
    case ShellCommand::ToolTurnRight:
    case ShellCommand::ToolTurnLeft:
    case ShellCommand::ToolFlipX:
    case ShellCommand::ToolFlipZ:
    case ShellCommand::ToolFitGrid:
    case ShellCommand::Redo:
        break;  // sent to the view above
    }
}

void CMainFrame::CreateMenus()
{
    using S = ShellCommand;
    QMenuBar* bar = menuBar();

    m_fileMenu = bar->addMenu(QCoreApplication::translate("CMainFrame", "ファイル(&F)"));
    m_fileMenu->addActions({Action(S::FileNew), Action(S::FileOpen), Action(S::FileSave), Action(S::FileSaveAs)});
    // Other programs' formats, beside the model file's own commands.
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(S::FileImport));
    m_exportMenu = m_fileMenu->addMenu(ExchangeTexts::ExportMenu());
    for (std::size_t i = 0; i < kExportMenu.size(); ++i)
        m_exportMenu->addAction(Action(ExportCommand(i)));
    m_fileMenu->addSeparator();
    m_recentEnd = m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(S::AppExit));
    SetRecentFiles({});

    QMenu* viewMenu = bar->addMenu(QCoreApplication::translate("CMainFrame", "表示(&V)"));
    QMenu* bars = viewMenu->addMenu(QCoreApplication::translate("CMainFrame", "ツール バーとドッキング ウィンドウ(&T)"));
    bars->addAction(MenuBarToggle());

    QMenu* looks = viewMenu->addMenu(QCoreApplication::translate("CMainFrame", "アプリケーションの外観(&A)"));
    m_lookGroup = new QActionGroup(this);
    m_lookGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (S look : {S::LookWin2000, S::LookOffXp, S::LookWinXp, S::LookOff2003, S::LookVs2005, S::LookVs2008})
        looks->addAction(m_lookGroup->addAction(Action(look)));
    QMenu* office2007 = looks->addMenu(QStringLiteral("Office 2007(&7)"));
    for (S look : {S::LookOff2007Blue, S::LookOff2007Black, S::LookOff2007Silver, S::LookOff2007Aqua})
        office2007->addAction(m_lookGroup->addAction(Action(look)));

    QMenu* languages = viewMenu->addMenu(ShellTexts::LanguageMenu());
    m_languageGroup = new QActionGroup(this);
    m_languageGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    // The check mark shows the language of the next start.
    const QString stored = Language::Stored(QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication()));
    const QString chosen = stored.isEmpty() ? Language::Current() : stored;
    for (const auto& [language, name] : {std::pair{Language::kJapanese, ShellTexts::JapaneseName()},
                                         std::pair{Language::kEnglish, ShellTexts::EnglishName()}}) {
        QAction* a = languages->addAction(name);
        a->setCheckable(true);
        a->setChecked(language == chosen);
        a->setData(language);
        m_languageGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, language = language] { OnLanguage(language); });
    }

    QMenu* tools = bar->addMenu(QCoreApplication::translate("CMainFrame", "ツール(&T)"));
    ToolMenu::Fill(*tools, m_actions.data());

    QMenu* help = bar->addMenu(QCoreApplication::translate("CMainFrame", "ヘルプ(&H)"));
    help->addActions({Action(S::AppAbout), Action(S::HelpPage)});
}

void CMainFrame::SetRecentFiles(const QStringList& files)
{
    for (QAction* a : std::as_const(m_recentActions)) {
        m_fileMenu->removeAction(a);
        delete a;
    }
    m_recentActions.clear();

    if (files.isEmpty()) {
        // The place of the list shows its name, greyed, while it is empty.
        auto* placeholder = new QAction(QCoreApplication::translate("CMainFrame", "最近使ったファイル"), this);
        placeholder->setEnabled(false);
        m_fileMenu->insertAction(m_recentEnd, placeholder);
        m_recentActions.append(placeholder);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        auto* a = new QAction(CRecentFileList::MenuText(i, files[i]), this);
        a->setData(ID_FILE_MRU_FILE1 + i);
        const QString path = files[i];
        connect(a, &QAction::triggered, this, [this, path] { m_owner.OnOpenRecentFile(path); });
        m_fileMenu->insertAction(m_recentEnd, a);
        m_recentActions.append(a);
    }
}

void CMainFrame::AttachDocument(CMiravelDoc* doc)
{
    WatchDocument(this, m_doc, doc);
    m_view->SetDocument(doc);
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
        a->setChecked(a->data().toInt() == m_appLook);
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

void CMainFrame::OnHelpPage()
{
    if (CMiravelView* view = GetActiveView())
        view->ExecuteCommand(CommandId::Orvendale);
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
    store.endGroup();
}

void CMainFrame::RestoreWorkspace(QSettings& store)
{
    store.beginGroup(kWorkspaceGroup);
    const QByteArray geometry = store.value(QStringLiteral("Geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    MenuBarToggle()->setChecked(store.value(QStringLiteral("MenuBar"), true).toBool());
    store.endGroup();
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
        const std::optional<ExchangeFormat> format = FormatForPath(path);
        if (format == ExchangeFormat::Mvf || format == ExchangeFormat::Vox)
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
