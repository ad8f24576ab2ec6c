#include "controls/ToolCommands.h"

#include "controls/ButtonIds.h"
#include "controls/CommandUi.h"
#include "controls/SelectionCommands.h"
#include "editing/CanvasLayer.h"
#include "editing/FillTool.h"
#include "editing/SelectionEditing.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "scene/ViewState.h"

#include <QCoreApplication>

namespace ToolCommands {

namespace {

COLORREF SightCube(const CommandContext& c)
{
    if (!c.doc || !c.view.m_pointer.HasSight())
        return CLR_NONE;
    return c.doc->GetCube(c.view.m_pointer.m_sightX, c.view.m_pointer.m_sightY, c.view.m_pointer.m_sightZ);
}

// Applies one tool action; a new grid size needs new display lists.
void Apply(CommandContext& c, const ModelTools::Edit& edit)
{
    // A whole-model action can take a while on a large grid; stopped, it
    // leaves the model as it was.
    if (!ModelTools::Apply(*c.doc, edit, edit.transform ? c.ui.LongWork(true) : WorkProgress()))
        return;
    if (edit.size)
        c.ui.RebuildDisplayLists();
    c.ui.InvalidateView();
}

template <DrawingTool tool>
bool Chosen(const CViewState& v)
{
    return v.m_edit.m_tool == tool;
}
template <DrawingTool tool>
void Choose(CommandContext& c)
{
    ChooseTool(c, tool);
}
bool Hollow(const CViewState& v) { return v.m_edit.m_shapeHollow != 0; }

bool MirroringX(const CViewState& v) { return v.m_edit.m_mirrorX != 0; }
bool MirroringZ(const CViewState& v) { return v.m_edit.m_mirrorZ != 0; }

using Id = CommandId;
using Ctx = CommandContext;
constexpr MenuPlace Tools(std::uint8_t group) { return {MenuId::Tools, group}; }
constexpr KeyChord CtrlShift(Qt::Key key) { return Shortcut(Qt::CTRL | Qt::SHIFT | key); }

// The tool menu, top to bottom. The eyedropper and the fill are mouse tools
// too (Ctrl+click, Ctrl+Shift+click, said in their labels); from the menu
// they act at the sight cell. Their keys hold Ctrl and Shift together, which
// the view's own keys never do: they are the main window's shortcuts.
constexpr CommandRow kRows[] = {
    {.id = Id::ToolEyedropper, .name = "Tool:Eyedropper", .run = Eyedropper,
     .label = QT_TRANSLATE_NOOP("Commands", "スポイト(&I)\tCtrl+左クリック"), .place = Tools(0)},
    {.id = Id::ToolFill, .name = "Tool:Fill", .run = Fill,
     .label = QT_TRANSLATE_NOOP("Commands", "塗りつぶし(&F)\tCtrl+Shift+左クリック"), .place = Tools(0)},
    {.id = Id::ToolReplaceColor, .name = "Tool:ReplaceColor", .run = ReplaceColor,
     .label = QT_TRANSLATE_NOOP("Commands", "色の置き換え(&R)"), .place = Tools(0)},
    {.id = Id::ToolMirrorX, .name = "Tool:MirrorX", .run = [](Ctx& c) { ToggleMirror(c, MirrorAxis::X); },
     .label = QT_TRANSLATE_NOOP("Commands", "X で鏡写し描画(&X)"), .place = Tools(1), .keys = {CtrlShift(Qt::Key_X)},
     .checkable = true, .checked = MirroringX, .storeKey = "Tools/MirrorX"},
    // Z is taken by redo.
    {.id = Id::ToolMirrorZ, .name = "Tool:MirrorZ", .run = [](Ctx& c) { ToggleMirror(c, MirrorAxis::Z); },
     .label = QT_TRANSLATE_NOOP("Commands", "Z で鏡写し描画(&Z)"), .place = Tools(1), .keys = {CtrlShift(Qt::Key_C)},
     .checkable = true, .checked = MirroringZ, .storeKey = "Tools/MirrorZ"},
    {.id = Id::ModelMovePlusX, .name = "Model:MovePlusX", .run = [](Ctx& c) { MoveModel(c, MoveDirection::PlusX); },
     .label = QT_TRANSLATE_NOOP("Commands", "モデルを移動 +X(&1)"), .place = Tools(2), .keys = {CtrlShift(Qt::Key_Right)}},
    {.id = Id::ModelMoveMinusX, .name = "Model:MoveMinusX", .run = [](Ctx& c) { MoveModel(c, MoveDirection::MinusX); },
     .label = QT_TRANSLATE_NOOP("Commands", "モデルを移動 -X(&2)"), .place = Tools(2), .keys = {CtrlShift(Qt::Key_Left)}},
    {.id = Id::ModelMovePlusY, .name = "Model:MovePlusY", .run = [](Ctx& c) { MoveModel(c, MoveDirection::PlusY); },
     .label = QT_TRANSLATE_NOOP("Commands", "モデルを移動 +Y(&3)"), .place = Tools(2), .keys = {CtrlShift(Qt::Key_PageUp)}},
    {.id = Id::ModelMoveMinusY, .name = "Model:MoveMinusY", .run = [](Ctx& c) { MoveModel(c, MoveDirection::MinusY); },
     .label = QT_TRANSLATE_NOOP("Commands", "モデルを移動 -Y(&4)"), .place = Tools(2), .keys = {CtrlShift(Qt::Key_PageDown)}},
    // +Z runs toward the viewer, down the screen in the usual views.
    {.id = Id::ModelMovePlusZ, .name = "Model:MovePlusZ", .run = [](Ctx& c) { MoveModel(c, MoveDirection::PlusZ); },
     .label = QT_TRANSLATE_NOOP("Commands", "モデルを移動 +Z(&5)"), .place = Tools(2), .keys = {CtrlShift(Qt::Key_Down)}},
    {.id = Id::ModelMoveMinusZ, .name = "Model:MoveMinusZ", .run = [](Ctx& c) { MoveModel(c, MoveDirection::MinusZ); },
     .label = QT_TRANSLATE_NOOP("Commands", "モデルを移動 -Z(&6)"), .place = Tools(2), .keys = {CtrlShift(Qt::Key_Up)}},
    {.id = Id::ModelTurnRight, .name = "Model:TurnRight", .run = [](Ctx& c) { TurnModel(c, TurnDirection::Clockwise); },
     .label = QT_TRANSLATE_NOOP("Commands", "右に 90° 回転(&T)"), .place = Tools(3)},
    {.id = Id::ModelTurnLeft, .name = "Model:TurnLeft", .run = [](Ctx& c) { TurnModel(c, TurnDirection::Anticlockwise); },
     .label = QT_TRANSLATE_NOOP("Commands", "左に 90° 回転(&L)"), .place = Tools(3)},
    {.id = Id::ModelFlipX, .name = "Model:FlipX", .run = [](Ctx& c) { FlipModel(c, FlipAxis::X); },
     .label = QT_TRANSLATE_NOOP("Commands", "X で反転(&H)"), .place = Tools(3)},
    {.id = Id::ModelFlipZ, .name = "Model:FlipZ", .run = [](Ctx& c) { FlipModel(c, FlipAxis::Z); },
     .label = QT_TRANSLATE_NOOP("Commands", "Z で反転(&V)"), .place = Tools(3)},
    {.id = Id::ModelFitGrid, .name = "Model:FitGrid", .run = FitGrid,
     .label = QT_TRANSLATE_NOOP("Commands", "グリッドをモデルに合わせる(&G)"), .place = Tools(4)},
    {.id = Id::ModelGridSize, .name = "Model:GridSize", .run = LargeGridSize,
     .label = QT_TRANSLATE_NOOP("Commands", "大きなグリッドのサイズ(&S)..."), .place = Tools(4)},
    // The drawing tools, one checked at a time, on plain keys of the view.
    // The tool bar shows this group; a new tool is one row here and its
    // class in the tool box.
    {.id = Id::ToolPen, .name = "Tool:Pen", .run = Choose<DrawingTool::Pen>,
     .label = QT_TRANSLATE_NOOP("Commands", "ペン(&P)"), .place = Tools(kDrawingToolGroup), .keys = {Key(Qt::Key_P)},
     .checkable = true, .checked = Chosen<DrawingTool::Pen>},
    {.id = Id::ToolBox, .name = "Tool:Box", .run = Choose<DrawingTool::Box>,
     .label = QT_TRANSLATE_NOOP("Commands", "箱(&K)"), .place = Tools(kDrawingToolGroup), .keys = {Key(Qt::Key_B)},
     .checkable = true, .checked = Chosen<DrawingTool::Box>},
    {.id = Id::ToolLine, .name = "Tool:Line", .run = Choose<DrawingTool::Line>,
     .label = QT_TRANSLATE_NOOP("Commands", "直線(&N)"), .place = Tools(kDrawingToolGroup), .keys = {Key(Qt::Key_N)},
     .checkable = true, .checked = Chosen<DrawingTool::Line>},
    {.id = Id::ToolEllipse, .name = "Tool:Ellipse", .run = Choose<DrawingTool::Ellipse>,
     .label = QT_TRANSLATE_NOOP("Commands", "楕円(&E)"), .place = Tools(kDrawingToolGroup), .keys = {Key(Qt::Key_E)},
     .checkable = true, .checked = Chosen<DrawingTool::Ellipse>},
    {.id = Id::ToolSelect, .name = "Tool:Select", .run = Choose<DrawingTool::Select>,
     .label = QT_TRANSLATE_NOOP("Commands", "範囲選択(&C)"), .place = Tools(kDrawingToolGroup), .keys = {Key(Qt::Key_S)},
     .checkable = true, .checked = Chosen<DrawingTool::Select>},
    {.id = Id::ToolHollow, .name = "Tool:Hollow", .run = ToggleHollow,
     .label = QT_TRANSLATE_NOOP("Commands", "中空の箱と楕円(&W)"), .place = Tools(kDrawingToolGroup + 1),
     .checkable = true, .checked = Hollow, .storeKey = "Tools/ShapeHollow"},
};

} // namespace

QString MoveRefusedMessage()
{
    return QCoreApplication::translate("ToolCommands", "グリッドの外に出るキューブがあるため、モデルを移動できません。");
}

QString SelectionMoveRefusedMessage()
{
    return QCoreApplication::translate("ToolCommands", "グリッドの外に出るキューブがあるため、選択範囲を動かせません。");
}

void TakeColor(CommandContext& c, COLORREF color)
{
    c.view.m_edit.m_cubeColor = color;
    c.ui.SetSwatch(ButtonCube, color);
    c.ui.InvalidateButton(ButtonCube);
}

void Eyedropper(CommandContext& c)
{
    if (const COLORREF color = SightCube(c); color != CLR_NONE)
        TakeColor(c, color);
}

void ChooseTool(CommandContext& c, DrawingTool tool)
{
    c.view.m_edit.m_tool = tool;
    c.ui.InvalidateView();
}

void ToggleHollow(CommandContext& c)
{
    c.view.m_edit.m_shapeHollow = !c.view.m_edit.m_shapeHollow;
}

void ToggleMirror(CommandContext& c, MirrorAxis axis)
{
    std::int32_t& flag = axis == MirrorAxis::X ? c.view.m_edit.m_mirrorX : c.view.m_edit.m_mirrorZ;
    flag = !flag;
    c.ui.InvalidateView();  // the mirror plane shows or goes
}

void Fill(CommandContext& c)
{
    if (c.doc && CFillTool::FillAtSight(c.view.m_edit, c.view.m_pointer, *c.doc))
        c.ui.InvalidateView();
}

void ReplaceColor(CommandContext& c)
{
    if (const COLORREF from = SightCube(c); from != CLR_NONE)
        Apply(c, ModelTools::ReplaceColor(*c.doc, from, c.view.m_edit.m_cubeColor));
}

void RemapToPalette(CommandContext& c, std::span<const COLORREF> palette)
{
    if (c.doc)
        Apply(c, ModelTools::RemapToPalette(*c.doc, palette));
}

void RecolorCubes(CommandContext& c, COLORREF from, COLORREF to)
{
    if (c.doc)
        Apply(c, ModelTools::ReplaceColor(*c.doc, from, to));
}

std::vector<COLORREF> PaletteButtonColors(const CommandContext& c)
{
    std::vector<COLORREF> colors;
    for (int i = 0; i < 16; ++i)
        colors.push_back(c.ui.Swatch(ButtonColor1 + i));
    return colors;
}

void SetPaletteButtons(CommandContext& c, std::span<const COLORREF> colors)
{
    for (std::size_t i = 0; i < colors.size() && i < 16; ++i) {
        c.ui.SetSwatch(ButtonColor1 + int(i), colors[i]);
        c.ui.InvalidateButton(ButtonColor1 + int(i));
    }
}

void MoveModel(CommandContext& c, MoveDirection direction)
{
    if (!c.doc)
        return;
    int dx = 0, dy = 0, dz = 0;
    switch (direction) {
    case MoveDirection::PlusX: dx = 1; break;
    case MoveDirection::MinusX: dx = -1; break;
    case MoveDirection::PlusY: dy = 1; break;
    case MoveDirection::MinusY: dy = -1; break;
    case MoveDirection::PlusZ: dz = 1; break;
    case MoveDirection::MinusZ: dz = -1; break;
    }
    // A selection (or a paste floating) moves instead of the whole model.
    if (SelectionCommands::Active(c)) {
        const auto moved = SelectionEditing::Move(c.view.m_edit.m_selection, *c.doc, dx, dy, dz, c.ui.LongWork(true));
        if (moved == SelectionEditing::Outcome::Refused)
            c.ui.Warn(SelectionMoveRefusedMessage());
        c.ui.InvalidateView();
        return;
    }
    const auto edit = ModelTools::Move(*c.doc, dx, dy, dz);
    if (!edit) {
        c.ui.Warn(MoveRefusedMessage());
        return;
    }
    Apply(c, *edit);
}

void TurnModel(CommandContext& c, TurnDirection direction)
{
    if (SelectionCommands::Active(c)) {
        const bool clockwise = direction == TurnDirection::Clockwise;
        const GridSize before{c.doc->m_sizeX, c.doc->m_sizeY, c.doc->m_sizeZ};
        if (SelectionEditing::Turn(c.view.m_edit.m_selection, *c.doc, clockwise, c.ui.LongWork(true)) ==
            SelectionEditing::Outcome::Refused)
            c.ui.Warn(SelectionMoveRefusedMessage());
        // Turning a whole-grid selection turns the grid.
        if (!(before == GridSize{c.doc->m_sizeX, c.doc->m_sizeY, c.doc->m_sizeZ}))
            c.ui.RebuildDisplayLists();
        c.ui.InvalidateView();
        return;
    }
    if (c.doc)
        Apply(c, ModelTools::Turn(*c.doc, direction == TurnDirection::Clockwise));
}

void FlipModel(CommandContext& c, FlipAxis axis)
{
    if (SelectionCommands::Active(c)) {
        SelectionEditing::Flip(c.view.m_edit.m_selection, *c.doc, axis == FlipAxis::X ? 0 : 2, c.ui.LongWork(true));
        c.ui.InvalidateView();
        return;
    }
    if (c.doc)
        Apply(c, ModelTools::Flip(*c.doc, axis == FlipAxis::X ? 0 : 2));
}

void FitGrid(CommandContext& c)
{
    if (c.doc)
        Apply(c, ModelTools::FitGrid(*c.doc));
}

void LargeGridSize(CommandContext& c)
{
    if (!c.doc)
        return;
    std::int32_t x = c.doc->m_sizeX, y = c.doc->m_sizeY, z = c.doc->m_sizeZ;
    if (c.ui.RunLargeGridDialog(x, y, z))
        SetGridSize(c, x, y, z);
}

void SetGridSize(CommandContext& c, std::int32_t x, std::int32_t y, std::int32_t z)
{
    if (!c.doc || !CMiravelDoc::IsValidGridSize(x, y, z))
        return;
    const bool changed = x != c.doc->m_sizeX || y != c.doc->m_sizeY || z != c.doc->m_sizeZ;
    c.doc->SetGridSize(x, y, z);
    // The grid size is part of the saved model: closing must offer to save it.
    if (changed)
        c.doc->SetModifiedFlag();
    c.view.m_pointer.m_sightX = c.view.m_pointer.m_sightY = c.view.m_pointer.m_sightZ = 1;
    c.view.m_edit.m_canvasPos = 0;
    CanvasLayer::KeepInsideGrid(c.view.m_edit, c.view.m_pointer, *c.doc);
    c.ui.RebuildDisplayLists();
    c.ui.InvalidateView();
    CCommandDispatcher::Execute(CommandId::SettingDefaultScale, c);
}

} // namespace ToolCommands

std::span<const CommandRow> CommandRegistry::ToolRows()
{
    return ToolCommands::kRows;
}
