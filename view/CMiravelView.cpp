#include "view/CMiravelView.h"

#include "controls/CommandDispatcher.h"
#include "controls/ContextMenus.h"
#include "controls/KeyMap.h"
#include "controls/ToolCommands.h"
#include "dialogs/CCubeRateDlg.h"
#include "dialogs/CCubeSizeDlg.h"
#include "dialogs/CLineWidthDlg.h"
#include "dialogs/CProgressWindow.h"
#include "editing/CanvasLayer.h"
#include "editing/Picker.h"
#include "images/ScreenshotExport.h"
#include "images/ScreenshotFormats.h"
#include "model/CMiravelDoc.h"
#include "resources/MiravelResources.h"
#include "scene/Camera.h"
#include "render/MirrorCue.h"
#include "render/SceneRenderer.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QUrl>
#include <GL/gl.h>
#include <algorithm>
#include <cstring>

namespace {

const QString kMessageTitle = QStringLiteral("MIRA-VEL");

// Builds a real menu from its description, runs it at the pointer and
// returns the chosen identifier; 0 when the menu is dismissed.
int RunMenu(const std::vector<ContextMenus::MenuEntry>& entries, QWidget* owner)
{
    QMenu menu(owner);
    std::function<void(QMenu&, const std::vector<ContextMenus::MenuEntry>&)> fill =
        [&fill](QMenu& m, const std::vector<ContextMenus::MenuEntry>& list) {
            for (const auto& e : list) {
                switch (e.kind) {
                case ContextMenus::MenuEntry::Separator:
                    m.addSeparator();
                    break;
                case ContextMenus::MenuEntry::Submenu:
                    fill(*m.addMenu(e.text), e.children);
                    break;
                case ContextMenus::MenuEntry::Item: {
                    QAction* a = m.addAction(e.text);
                    a->setData(e.id);
                    if (e.checked) {
                        a->setCheckable(true);
                        a->setChecked(true);
                    }
                    break;
                }
                }
            }
        };
    fill(menu, entries);
    const QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : 0;
}

// The save dialog of the screenshots. The name is completed with the
// format's extension before the dialog's own check for an existing file, so
// that "shot" and "shot." ask before replacing shot.bmp.
class CImageSaveDialog : public QFileDialog {
public:
    CImageSaveDialog(QWidget* parent, const QString& extension) : QFileDialog(parent), m_extension(extension) {}

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !QFileInfo(files.constFirst()).isDir()) {
            const QString named = WithDefaultExtension(files.constFirst(), m_extension);
            if (named != files.constFirst())
                selectFile(named);
        }
        QFileDialog::accept();
    }

private:
    QString m_extension;
};

} // namespace

CMiravelView::CMiravelView(QWidget* parent) : QOpenGLWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_openUrl = [](const QString& url) { return QDesktopServices::openUrl(QUrl(url)); };
    m_referenceRenderer = qEnvironmentVariable("MIRAVEL_RENDERER") == QLatin1String("reference");

    // The palette, then the buttons with their images, tooltips, commands
    // and the swatches the defaults give.
    m_palette.assign(kInitialPalette.begin(), kInitialPalette.end());
    InitMiravelResources();
    CreateButtons(this, this, *this);

    // Keys reach the view before anything else handles them, also while one
    // of its buttons has the focus; they are never consumed here.
    qApp->installEventFilter(this);
}

CMiravelView::~CMiravelView()
{
    qApp->removeEventFilter(this);
    if (m_doc)
        m_doc->RemoveView(this);
    ReleaseGL();
    // The base class destroys the context later, when this is no longer a
    // view: its last signal must not reach us.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
}

void CMiravelView::SetDocument(CMiravelDoc* doc)
{
    WatchDocument(this, m_doc, doc);
    OnInitialUpdate();
}

void CMiravelView::OnInitialUpdate()
{
    m_fastCubes.Reset();
    if (m_doc)
        CanvasLayer::KeepInsideGrid(*this, *m_doc);
    RebuildDisplayLists();
    ExecuteCommand(CommandId::SettingDefault);
}

void CMiravelView::OnUpdate(CDocView*, long)
{
    update();
}

void CMiravelView::OnCubeChanged(const CUBEPOS& pos)
{
    if (m_doc)
        m_fastCubes.CellChanged(*m_doc, pos);
}

void CMiravelView::OnModelReset()
{
    m_fastCubes.Reset();
    // Another grid size: lattices and positions follow on the next paint.
    if (m_doc)
        CanvasLayer::KeepInsideGrid(*this, *m_doc);
    update();
}

bool CMiravelView::ExecuteCommand(const QString& name)
{
    CommandContext ctx{*this, m_doc, *this};
    return CCommandDispatcher::Execute(name, ctx);
}

void CMiravelView::ExecuteCommand(CommandId id)
{
    CommandContext ctx{*this, m_doc, *this};
    CCommandDispatcher::Execute(id, ctx);
}

void CMiravelView::RefreshButtons()
{
    CommandContext ctx{*this, m_doc, *this};
    CCommandDispatcher::RefreshSwatches(ctx);
    ShowControlButtons(m_showControl);
    ShowColorButtons(m_showColor);
    LayoutButtons();
    InvalidateChildren();
}

// ---- Picking --------------------------------------------------------------

void CMiravelView::PickSight(int x, int y)
{
    m_sightX = m_sightY = m_sightZ = -1;
    if (!m_doc)
        return;
    m_viewWidth = width();
    m_viewHeight = height();
    const CUBEPOS c = Picker::PickSight(*this, *m_doc, x + 0.5, m_viewHeight - y - 0.5);
    m_sightX = c.x;
    m_sightY = c.y;
    m_sightZ = c.z;
}

void CMiravelView::PickAttach(int x, int y)
{
    m_attachX = m_attachY = m_attachZ = -1;
    if (!m_doc)
        return;
    m_viewWidth = width();
    m_viewHeight = height();
    const CUBEPOS c = Picker::PickAttach(*this, *m_doc, x + 0.5, m_viewHeight - y - 0.5);
    m_attachX = c.x;
    m_attachY = c.y;
    m_attachZ = c.z;
}

// ---- Commands' window services --------------------------------------------

void CMiravelView::InvalidateView() { update(); }

void CMiravelView::InvalidateButton(int buttonId)
{
    if (CCommandButton* b = ButtonById(buttonId))
        b->update();
}

void CMiravelView::InvalidateChildren()
{
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->update();
}

COLORREF CMiravelView::Swatch(int buttonId) const
{
    const CCommandButton* b = ButtonById(buttonId);
    return b ? b->m_crColor : CLR_NONE;
}

void CMiravelView::SetSwatch(int buttonId, COLORREF color)
{
    if (CCommandButton* b = ButtonById(buttonId))
        b->SetSwatch(color);
}

void CMiravelView::ShowControlButtons(bool show)
{
    m_showControl = show;
    ShowControlGroup(show);
}

void CMiravelView::ShowColorButtons(bool show)
{
    m_showColor = show;
    ShowColorGroup(show);
}

void CMiravelView::LayoutButtons()
{
    LayoutButtonWidgets(width(), height(), m_controlPos, m_colorPos);
    InvalidateChildren();
}

void CMiravelView::RebuildDisplayLists()
{
    m_listsDirty = true;
    update();
}

bool CMiravelView::ListsMatchModel() const
{
    return m_doc && m_listsSizeX == m_doc->m_sizeX && m_listsSizeY == m_doc->m_sizeY &&
           m_listsSizeZ == m_doc->m_sizeZ && m_listsAxis == m_canvasAxis;
}

void CMiravelView::FitZoom()
{
    if (!m_doc)
        return;
    if (!isVisible() || width() <= 0 || height() <= 0) {
        m_fitPending = true;
        return;
    }
    ApplyFit();
    update();
}

void CMiravelView::ApplyFit()
{
    m_fitPending = false;
    m_scale = Camera::FitScale(std::max({m_doc->m_sizeX, m_doc->m_sizeY, m_doc->m_sizeZ}), width(),
                               height());
}

bool CMiravelView::PickColor(COLORREF& color)
{
    const QColor chosen = QColorDialog::getColor(
        QColor(GetRValue(color), GetGValue(color), GetBValue(color)), window());
    if (!chosen.isValid())
        return false;
    color = RGB(std::uint8_t(chosen.red()), std::uint8_t(chosen.green()), std::uint8_t(chosen.blue()));
    return true;
}

bool CMiravelView::Confirm(const QString& question)
{
    QMessageBox box(QMessageBox::Question, kMessageTitle, question,
                    QMessageBox::Ok | QMessageBox::Cancel, window());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void CMiravelView::Warn(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, kMessageTitle, message, QMessageBox::Ok, window());
    box.exec();
}

bool CMiravelView::RunCubeSizeDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z)
{
    CCubeSizeDlg dlg(window());
    dlg.m_sizeX = x;
    dlg.m_sizeY = y;
    dlg.m_sizeZ = z;
    if (dlg.DoModal() != IDOK)
        return false;
    x = dlg.m_sizeX;
    y = dlg.m_sizeY;
    z = dlg.m_sizeZ;
    return true;
}

bool CMiravelView::RunCubeRateDialog(double& x, double& y, double& z)
{
    CCubeRateDlg dlg(window());
    if (dlg.DoModal() != IDOK)
        return false;
    x = dlg.m_rateX;
    y = dlg.m_rateY;
    z = dlg.m_rateZ;
    return true;
}

bool CMiravelView::RunLineWidthDialog(const QString& title, double& width)
{
    CLineWidthDlg dlg(window());
    dlg.m_width = width;
    dlg.m_title = title;
    if (dlg.DoModal() != IDOK)
        return false;
    width = dlg.m_width;
    return true;
}

bool CMiravelView::PromptImagePath(QString& path, const QString& filter, const QString& defaultExt)
{
    CImageSaveDialog dlg(window(), defaultExt);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilter(filter);
    dlg.setDefaultSuffix(defaultExt);  // a name typed without one gets it
    dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
    // A desktop's own dialog would ask about the name as typed, before the
    // extension is added.
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().constFirst();
    return true;
}

void CMiravelView::ShowSettingMenu()
{
    const auto menu = ContextMenus::SettingMenu(*this);
    if (const auto command = ContextMenus::CommandForEntry(menu, RunMenu(menu, this)))
        ExecuteCommand(*command);
}

void CMiravelView::ShowScreenShotMenu()
{
    const auto menu = ContextMenus::ScreenShotMenu();
    if (const auto command = ContextMenus::CommandForEntry(menu, RunMenu(menu, this)))
        ExecuteCommand(*command);
}

bool CMiravelView::ExportImage(const QString& path, ImageFormat format)
{
    // The picture is the scene alone, at the framebuffer's full resolution:
    // on a high-density screen that is more pixels than the logical size.
    CProgressWindow progress(window(), m_exportPauseScale);
    QImage frame;
    const double dpr = devicePixelRatioF();
    const int w = int(width() * dpr + 0.5), h = int(height() * dpr + 0.5);
    const ReadFramePixels read = [&](std::vector<std::uint8_t>& buffer) {
        frame = ScenePicture().convertToFormat(QImage::Format_RGB888);
        if (frame.width() != w || frame.height() != h)
            return false;
        // Rows bottom up, as GL reads them.
        for (int y = 0; y < h; ++y)
            std::memcpy(buffer.data() + size_t(3) * size_t(w) * size_t(h - 1 - y), frame.constScanLine(y),
                        size_t(3) * size_t(w));
        return true;
    };
    return ExportScreenshot(progress, read, w, h, path, format);
}

QImage CMiravelView::ScenePicture()
{
    m_hideEditingAids = true;
    QImage picture = grabFramebuffer();
    m_hideEditingAids = false;
    update();  // the window shows the aids again
    return picture;
}

bool CMiravelView::OpenUrl(const QString& url)
{
    return m_openUrl && m_openUrl(url);
}

// ---- Mouse ----------------------------------------------------------------

void CMiravelView::TakeFocus() { setFocus(Qt::MouseFocusReason); }
void CMiravelView::CaptureMouse() { grabMouse(); }
void CMiravelView::ReleaseMouse()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

void CMiravelView::Pick(int x, int y)
{
    PickSight(x, y);
    PickAttach(x, y);
}

void CMiravelView::Invalidate() { update(); }

void CMiravelView::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    if (!m_doc)
        return;
    switch (e->button()) {
    case Qt::LeftButton:
        m_toolPress = false;
        if (e->modifiers() & Qt::ControlModifier) {
            // Ctrl picks a colour, Ctrl+Shift fills; over empty space the
            // press turns the view as ever.
            CommandContext ctx{*this, m_doc, *this};
            m_toolPress = ToolCommands::LeftClick(ctx, *this, shift, p.x(), p.y());
            if (m_toolPress)
                break;
        }
        m_mouse.LButtonDown(*this, *m_doc, *this, shift, p.x(), p.y());
        break;
    case Qt::RightButton:
        m_mouse.RButtonDown(*this, *m_doc, *this, shift, p.x(), p.y());
        break;
    case Qt::MiddleButton:
        m_mouse.MButtonDown(*this, *this, p.x(), p.y());
        break;
    default:
        break;
    }
}

void CMiravelView::mouseDoubleClickEvent(QMouseEvent* e)
{
    // A second press in quick succession is a press like any other.
    mousePressEvent(e);
}

void CMiravelView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton ||
        e->button() == Qt::MiddleButton) {
        m_toolPress = false;
        m_mouse.ButtonUp(*this, *this);
    }
}

void CMiravelView::mouseMoveEvent(QMouseEvent* e)
{
    if (!m_doc)
        return;
    const QPoint p = e->position().toPoint();
    // Without a drag the mouse is not captured, so the view hears moves only
    // while the pointer is over its visible area: none over an on-view
    // button or beyond the window, and a sweep paints nothing there. X11's
    // implicit grab delivers those moves too; they are dropped here.
    if (m_dragMode == 0 && (!visibleRegion().contains(p) || childAt(p)))
        return;
    CMouseInteraction::Buttons b;
    b.left = (e->buttons() & Qt::LeftButton) && !m_toolPress;
    b.right = e->buttons() & Qt::RightButton;
    b.shift = e->modifiers() & Qt::ShiftModifier;
    m_mouse.MouseMove(*this, *m_doc, *this, b, p.x(), p.y());
}

void CMiravelView::wheelEvent(QWheelEvent* e)
{
    if (!m_doc)
        return;
    const int delta = e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
    m_mouse.Wheel(*this, *m_doc, *this, delta >= 0, e->modifiers() & Qt::ControlModifier,
                  e->buttons() & Qt::RightButton);
    e->accept();
}

void CMiravelView::focusOutEvent(QFocusEvent* e)
{
    // Another window took over in the middle of a drag: its button release
    // will never reach us, so the drag ends here rather than on the next move.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        m_mouse.ButtonUp(*this, *this);
    QOpenGLWidget::focusOutEvent(e);
}

void CMiravelView::contextMenuEvent(QContextMenuEvent* e)
{
    // No menu of its own: the right button edits and zooms.
    e->accept();
}

// ---- Keys -----------------------------------------------------------------

bool CMiravelView::eventFilter(QObject* watched, QEvent* event)
{
    // A key press is first delivered to the focus widget and, if that ignores
    // it, handed on to its parents. The command runs once, on the first
    // delivery to the view or one of its buttons, and the press goes on to
    // its normal handling (shortcuts, the button, the frame).
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        const auto ours = [this](const QWidget* x) { return x && (x == this || isAncestorOf(x)); };
        QWidget* focus = QApplication::focusWidget();
        if (ours(w) && (w == focus || !ours(focus))) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // Keys act by their place on layouts whose top row or letters
            // are not the US ones. Only the X11 and
            // Wayland platforms report XKB key codes as the scan code.
            static const bool xkbCodes = QGuiApplication::platformName() == QLatin1String("xcb") ||
                                         QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
            const int qtKey = KeyMap::LayoutIndependentKey(key->key(), xkbCodes ? key->nativeScanCode() : 0);
            if (const auto command = KeyMap::CommandForKey(qtKey, key->modifiers()))
                ExecuteCommand(*command);
        }
    }
    return QOpenGLWidget::eventFilter(watched, event);
}

// ---- GL -------------------------------------------------------------------

void CMiravelView::initializeGL()
{
    // The context is replaced when the widget moves to another top-level
    // window; its display lists go with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CMiravelView::ReleaseGL,
            Qt::UniqueConnection);
    m_listFrame = m_listCube = m_listCanvas = m_listGround = 0;
    m_fastCubes.ForgetGL();
    m_listsDirty = true;
}

void CMiravelView::ReleaseGL()
{
    if (!context() || !isValid())
        return;
    makeCurrent();
    SceneRenderer::DeleteLists(*this);
    m_fastCubes.ReleaseGL();
    doneCurrent();
    m_listsDirty = true;
}

void CMiravelView::resizeGL(int, int)
{
    // Nothing to do: every paint takes the client size afresh.
}

void CMiravelView::resizeEvent(QResizeEvent* e)
{
    QOpenGLWidget::resizeEvent(e);
    // A minimised window has no client area: nothing to lay out.
    if (width() > 0 && height() > 0)
        LayoutButtons();
}

void CMiravelView::paintGL()
{
    m_viewWidth = width();
    m_viewHeight = height();
    if (!m_doc) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    // A fit asked for before the window had its final size happens now.
    if (m_fitPending)
        ApplyFit();
    if (m_listsDirty || !ListsMatchModel()) {
        SceneRenderer::BuildLists(*this, *m_doc);
        m_listsSizeX = m_doc->m_sizeX;
        m_listsSizeY = m_doc->m_sizeY;
        m_listsSizeZ = m_doc->m_sizeZ;
        m_listsAxis = m_canvasAxis;
        m_listsDirty = false;
    }
    const double dpr = devicePixelRatioF();
    SceneRenderer::Target target;
    target.deviceWidth = int(m_viewWidth * dpr + 0.5);
    target.deviceHeight = int(m_viewHeight * dpr + 0.5);
    target.devicePixelRatio = dpr;
    SceneRenderer::DrawScene(*this, *m_doc, target, m_referenceRenderer ? nullptr : &m_fastCubes);
    if (!m_hideEditingAids)
        MirrorCue::DrawPlanes(*this, *m_doc, target);
}
