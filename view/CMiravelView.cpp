#include "view/CMiravelView.h"

#include "controls/CommandDispatcher.h"
#include "controls/KeyMap.h"
#include "controls/SelectionCommands.h"
#include "editing/CanvasLayer.h"
#include "editing/Picker.h"
#include "editing/SelectionEditing.h"
#include "model/CMiravelDoc.h"
#include "resources/MiravelResources.h"
#include "scene/Camera.h"
#include "render/MirrorCue.h"
#include "render/SceneRenderer.h"

#include <QApplication>
#include <QFocusEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QOpenGLContext>
#include <QProgressDialog>
#include <GL/gl.h>
#include <algorithm>

CMiravelView::CMiravelView(QWidget* parent) : QOpenGLWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_referenceRenderer = qEnvironmentVariable("MIRAVEL_RENDERER") == QLatin1String("reference");
    // A large model's geometry is built over several frames, each showing
    // what is ready, rather than in one long pause; edits are never delayed.
    m_fastCubes.SetBuildBudget(m_buildBudgetMs);

    // The palette, then the buttons with their images, tooltips, commands
    // and the swatches the defaults give.
    m_state.m_edit.m_palette.assign(kInitialPalette.begin(), kInitialPalette.end());
    InitMiravelResources();
    m_buttons.CreateButtons(this, &m_commandOwner, m_state);
    // Smaller, the buttons would cover each other or leave the view; the
    // main window around it keeps this much room. (The help button's image,
    // and so the size, is the same for every view.)
    static const QSize minimum =
        MinimumClientSize(QSize(m_buttons.m_btnHelp.m_nFrameWidth, m_buttons.m_btnHelp.m_nFrameHeight));
    setMinimumSize(minimum);

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
    // Another model: nothing of the last one stays selected or floating.
    m_state.m_edit.m_selection = {};
    if (m_doc)
        CanvasLayer::KeepInsideGrid(m_state.m_edit, m_state.m_pointer, *m_doc);
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

void CMiravelView::OnChunksChanged(const std::vector<ChunkKey>& chunks)
{
    if (m_doc)
        m_fastCubes.ChunksChanged(*m_doc, chunks);
}

void CMiravelView::OnModelReset()
{
    m_fastCubes.Reset();
    // Another grid size: lattices and positions follow on the next paint.
    if (m_doc) {
        CanvasLayer::KeepInsideGrid(m_state.m_edit, m_state.m_pointer, *m_doc);
        // The selection always lies inside the grid.
        CSelectionState& selection = m_state.m_edit.m_selection;
        if (selection.m_box)
            selection.m_box = SelectionTools::ClipToGrid(*m_doc, *selection.m_box);
    }
    update();
    UpdateStatus();
}

bool CMiravelView::ExecuteCommand(const QString& name)
{
    const std::optional<CommandId> id = CommandRegistry::Find(name);
    if (!id)
        return false;
    ExecuteCommand(*id);
    return true;
}

void CMiravelView::ExecuteCommand(CommandId id)
{
    CommandContext ctx{m_state, m_doc, m_commandUi};
    CCommandDispatcher::Execute(id, ctx);
    // A command may have chosen another tool: the one left lets go now, not
    // at the next press.
    if (m_doc) {
        ToolContext tools = Tools();
        m_tools.Follow(tools);
    }
    UpdateStatus();
    emit CommandRan(id);
}

void CMiravelView::UpdateStatus()
{
    const QString text = m_doc && m_state.m_edit.m_tool == DrawingTool::Select
                             ? SelectionEditing::StatusText(m_state.m_edit.m_selection)
                             : QString();
    if (text != m_statusText) {
        m_statusText = text;
        emit StatusTextChanged(text);
    }
}

void CMiravelView::RefreshButtons()
{
    CommandContext ctx{m_state, m_doc, m_commandUi};
    CCommandDispatcher::RefreshSwatches(ctx);
    m_commandUi.ShowControlButtons(m_state.m_prefs.m_showControl);
    m_commandUi.ShowColorButtons(m_state.m_prefs.m_showColor);
    m_commandUi.LayoutButtons();
    m_commandUi.InvalidateChildren();
}

// ---- Picking --------------------------------------------------------------

void CMiravelView::PickSight(int x, int y)
{
    CPointerState& p = m_state.m_pointer;
    p.m_sightX = p.m_sightY = p.m_sightZ = -1;
    if (!m_doc)
        return;
    m_viewWidth = width();
    m_viewHeight = height();
    const CUBEPOS c = Picker::PickSight(m_state.m_camera, {m_viewWidth, m_viewHeight}, m_state.m_edit, *m_doc,
                                        x + 0.5, m_viewHeight - y - 0.5);
    p.m_sightX = c.x;
    p.m_sightY = c.y;
    p.m_sightZ = c.z;
}

void CMiravelView::PickAttach(int x, int y)
{
    CPointerState& p = m_state.m_pointer;
    p.m_attachX = p.m_attachY = p.m_attachZ = -1;
    if (!m_doc)
        return;
    m_viewWidth = width();
    m_viewHeight = height();
    const CUBEPOS c = Picker::PickAttach(m_state.m_camera, {m_viewWidth, m_viewHeight}, m_state.m_edit, p, *m_doc,
                                         x + 0.5, m_viewHeight - y - 0.5);
    p.m_attachX = c.x;
    p.m_attachY = c.y;
    p.m_attachZ = c.z;
}

void CMiravelView::RebuildDisplayLists()
{
    m_listsDirty = true;
    update();
}

bool CMiravelView::ListsMatchModel() const
{
    return m_doc && m_listsSizeX == m_doc->m_sizeX && m_listsSizeY == m_doc->m_sizeY &&
           m_listsSizeZ == m_doc->m_sizeZ && m_listsAxis == m_state.m_edit.m_canvasAxis;
}

void CMiravelView::FitZoom(const CCameraState& pose)
{
    if (!m_doc)
        return;
    m_fitPose = pose;
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
    m_state.m_camera.m_scale =
        Camera::FitScale(m_fitPose, m_doc->m_sizeX, m_doc->m_sizeY, m_doc->m_sizeZ, width(), height());
}

QImage CMiravelView::ScenePicture()
{
    m_hideEditingAids = true;
    // A picture for a file shows the whole model, however long it takes.
    m_fastCubes.SetBuildBudget(0);
    QImage picture = grabFramebuffer();
    m_fastCubes.SetBuildBudget(m_buildBudgetMs);
    m_hideEditingAids = false;
    update();  // the window shows the aids again
    return picture;
}

// ---- Mouse ----------------------------------------------------------------

ToolContext CMiravelView::Tools()
{
    return {m_state, *m_doc, m_toolHost, {m_viewWidth, m_viewHeight}};
}

namespace {

PointerButton ButtonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return PointerButton::Left;
    case Qt::RightButton:
        return PointerButton::Right;
    case Qt::MiddleButton:
        return PointerButton::Middle;
    default:
        return PointerButton::None;
    }
}

PointerEvent EventOf(const QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    PointerEvent pe;
    pe.x = p.x();
    pe.y = p.y();
    pe.button = ButtonOf(e->button());
    pe.left = e->buttons() & Qt::LeftButton;
    pe.right = e->buttons() & Qt::RightButton;
    pe.middle = e->buttons() & Qt::MiddleButton;
    pe.shift = e->modifiers() & Qt::ShiftModifier;
    pe.ctrl = e->modifiers() & Qt::ControlModifier;
    return pe;
}

} // namespace

void CMiravelView::mousePressEvent(QMouseEvent* e)
{
    if (!m_doc)
        return;
    const PointerEvent pe = EventOf(e);
    if (pe.button == PointerButton::None)
        return;
    ToolContext ctx = Tools();
    m_tools.Press(ctx, pe);
    UpdateStatus();
}

void CMiravelView::mouseDoubleClickEvent(QMouseEvent* e)
{
    // A second press in quick succession is a press like any other.
    mousePressEvent(e);
}

void CMiravelView::mouseReleaseEvent(QMouseEvent* e)
{
    if (!m_doc)
        return;
    ToolContext ctx = Tools();
    m_tools.Release(ctx, EventOf(e));
    UpdateStatus();
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
    if (m_state.m_pointer.m_dragMode == DragMode::None && (!visibleRegion().contains(p) || childAt(p)))
        return;
    ToolContext ctx = Tools();
    m_tools.Move(ctx, EventOf(e));
    UpdateStatus();
}

void CMiravelView::wheelEvent(QWheelEvent* e)
{
    if (!m_doc)
        return;
    const int delta = e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
    ToolContext ctx = Tools();
    m_tools.Wheel(ctx, {delta >= 0, bool(e->modifiers() & Qt::ControlModifier), bool(e->buttons() & Qt::RightButton)});
    UpdateStatus();
    e->accept();
}

void CMiravelView::focusOutEvent(QFocusEvent* e)
{
    // Another window took over in the middle of a drag: its button release
    // will never reach us, so the drag ends here rather than on the next move.
    if (m_doc && (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)) {
        ToolContext ctx = Tools();
        m_tools.LoseCapture(ctx);
    }
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
            // The select tool's keys come first: there Ctrl+C and Ctrl+V are
            // the clipboard's, not the layer copy's.
            const auto selectionCommand = m_doc && m_state.m_edit.m_tool == DrawingTool::Select
                                              ? SelectionCommands::CommandForKey(qtKey, key->modifiers())
                                              : std::nullopt;
            if (selectionCommand) {
                ExecuteCommand(*selectionCommand);
            } else if (const auto command = KeyMap::CommandForKey(qtKey, key->modifiers())) {
                ExecuteCommand(*command);
            } else if (qtKey == Qt::Key_Escape && m_doc) {
                // Abandons a tool's gesture under way.
                ToolContext ctx = Tools();
                m_tools.Key(ctx, ToolKey::Escape);
                UpdateStatus();
            }
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
    m_lists.m_listFrame = m_lists.m_listCube = m_lists.m_listCanvas = m_lists.m_listGround = 0;
    m_fastCubes.ForgetGL();
    m_listsDirty = true;
}

void CMiravelView::ReleaseGL()
{
    if (!context() || !isValid())
        return;
    makeCurrent();
    SceneRenderer::DeleteLists(m_lists);
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
        m_commandUi.LayoutButtons();
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
        SceneRenderer::BuildLists(m_lists, m_state.m_edit.m_canvasAxis, *m_doc, m_referenceRenderer);
        m_listsSizeX = m_doc->m_sizeX;
        m_listsSizeY = m_doc->m_sizeY;
        m_listsSizeZ = m_doc->m_sizeZ;
        m_listsAxis = m_state.m_edit.m_canvasAxis;
        m_listsDirty = false;
    }
    const double dpr = devicePixelRatioF();
    SceneRenderer::Target target;
    target.deviceWidth = int(m_viewWidth * dpr + 0.5);
    target.deviceHeight = int(m_viewHeight * dpr + 0.5);
    target.devicePixelRatio = dpr;
    target.view = {m_viewWidth, m_viewHeight};
    ToolPreview preview = m_hideEditingAids ? ToolPreview{} : m_tools.Preview();
    if (!m_hideEditingAids && preview.IsEmpty())
        preview = SelectionEditing::Preview(m_state.m_edit.m_selection);
    SceneRenderer::DrawScene(m_state, m_lists, *m_doc, target, m_referenceRenderer ? nullptr : &m_fastCubes,
                             preview.IsEmpty() ? nullptr : &preview);
    if (!m_hideEditingAids)
        MirrorCue::DrawPlanes(m_state, *m_doc, target);
    // More geometry to build: the next frame comes as soon as the events
    // waiting now have been handled.
    if (!m_referenceRenderer && m_fastCubes.HasPendingWork())
        QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
    TrackBuild();
}

void CMiravelView::SetBuildPacing(double budgetMs, int progressDelayMs)
{
    m_buildBudgetMs = budgetMs;
    m_buildProgressDelayMs = progressDelayMs;
    m_fastCubes.SetBuildBudget(budgetMs);
}

void CMiravelView::TrackBuild()
{
    if (m_referenceRenderer || !m_fastCubes.HasPendingWork()) {
        m_buildStarted.invalidate();
        delete m_buildProgress;
        return;
    }
    if (!m_buildStarted.isValid()) {
        m_buildStarted.start();
        return;
    }
    // The window only tells: the view keeps drawing what is ready and takes
    // every input meanwhile (an edit is shown at once), so the window is
    // neither modal nor given the focus, and has nothing to cancel.
    if (!m_buildProgress && m_buildStarted.elapsed() >= m_buildProgressDelayMs) {
        m_buildProgress = new QProgressDialog(
            QCoreApplication::translate("CMiravelView", "表示を準備しています..."), QString(), 0, 100, window());
        m_buildProgress->setWindowTitle(QCoreApplication::applicationName());
        m_buildProgress->setWindowModality(Qt::NonModal);
        m_buildProgress->setAttribute(Qt::WA_ShowWithoutActivating);
        m_buildProgress->setAttribute(Qt::WA_DeleteOnClose);
        m_buildProgress->setAutoReset(false);
        m_buildProgress->setAutoClose(false);
        m_buildProgress->setMinimumDuration(0);
        m_buildProgress->show();
    }
    if (m_buildProgress)
        m_buildProgress->setValue(int(m_fastCubes.BuiltFraction() * 100.0));
}
