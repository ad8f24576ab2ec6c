#include "controls/SelectionCommands.h"

#include "controls/CommandUi.h"
#include "controls/ToolCommands.h"
#include "editing/SelectionEditing.h"
#include "exchange/CubeClipboard.h"
#include "exchange/VoxFile.h"
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"

#include <QCoreApplication>

namespace SelectionCommands {

namespace {

using Id = CommandId;
using Ctx = CommandContext;

CSelectionState& StateOf(Ctx& c) { return c.view.m_edit.m_selection; }

void PutOnClipboard(Ctx& c, const CubeBlock& block)
{
    std::vector<std::pair<QString, QByteArray>> content{
        {QString::fromLatin1(CubeClipboard::kMimeType), CubeClipboard::Encode(block)}};
    // Other programs get a .vox of the same cubes; one that cannot be
    // written (an empty block) is left out.
    const VoxWriteResult vox = WriteVox(CubeClipboard::ToModel(block, *c.doc));
    if (vox.ok && block.cubes.Count() > 0)
        content.emplace_back(QString::fromLatin1(CubeClipboard::kVoxMimeType), vox.bytes);
    c.ui.SetClipboard(content);
}

// The clipboard's cubes: our own type, else a .vox another program put
// there. None, after telling why, when what is there does not read.
std::optional<CubeBlock> FromClipboard(Ctx& c)
{
    if (const QByteArray ours = c.ui.ClipboardData(QString::fromLatin1(CubeClipboard::kMimeType)); !ours.isEmpty()) {
        CubeClipboard::DecodeResult read = CubeClipboard::Decode(ours);
        if (!read.ok) {
            c.ui.Warn(read.message);
            return std::nullopt;
        }
        return std::move(read.block);
    }
    if (const QByteArray vox = c.ui.ClipboardData(QString::fromLatin1(CubeClipboard::kVoxMimeType)); !vox.isEmpty()) {
        const VoxReadResult read = ReadVox(vox);
        if (!read.ok) {
            c.ui.Warn(read.message);
            return std::nullopt;
        }
        return CubeClipboard::FromModel(read.model);
    }
    return std::nullopt;
}

void Done(Ctx& c, bool resized = false)
{
    if (resized)
        c.ui.RebuildDisplayLists();
    c.ui.InvalidateView();
}

// The menu's select all and paste choose the select tool first: the
// selection and the paste live only under it.
void ChooseSelect(Ctx& c) { ToolCommands::ChooseTool(c, DrawingTool::Select); }

void SelectAll(Ctx& c)
{
    if (!c.doc)
        return;
    ChooseSelect(c);
    SelectionEditing::SelectAll(StateOf(c), *c.doc);
    Done(c);
}

void Copy(Ctx& c)
{
    if (!c.doc)
        return;
    if (const std::optional<CubeBlock> block = SelectionEditing::Copy(StateOf(c), *c.doc))
        PutOnClipboard(c, *block);
}

void Cut(Ctx& c)
{
    if (!c.doc)
        return;
    if (const std::optional<CubeBlock> block = SelectionEditing::Copy(StateOf(c), *c.doc)) {
        PutOnClipboard(c, *block);
        SelectionEditing::Delete(StateOf(c), *c.doc);
        Done(c);
    }
}

void Paste(Ctx& c)
{
    if (!c.doc)
        return;
    std::optional<CubeBlock> block = FromClipboard(c);
    if (!block)
        return;
    ChooseSelect(c);
    const CPointerState& p = c.view.m_pointer;
    const CUBEPOS sight{p.m_sightX, p.m_sightY, p.m_sightZ};
    const bool hasSight = p.HasSight() && c.doc->InBox(sight.x, sight.y, sight.z);
    SelectionEditing::StartPaste(StateOf(c), *c.doc, std::move(*block), hasSight ? &sight : nullptr);
    Done(c);
}

void Delete(Ctx& c)
{
    if (c.doc && SelectionEditing::Delete(StateOf(c), *c.doc))
        Done(c);
}

void Fill(Ctx& c)
{
    if (c.doc && SelectionEditing::Fill(StateOf(c), *c.doc, c.view.m_edit.m_cubeColor))
        Done(c);
}

void Crop(Ctx& c)
{
    if (c.doc && SelectionEditing::Crop(StateOf(c), *c.doc, c.ui.LongWork(true)))
        Done(c, true);
}

void PutDown(Ctx& c)
{
    if (c.doc && SelectionEditing::PutDown(StateOf(c), *c.doc))
        Done(c);
}

constexpr MenuPlace Selection(std::uint8_t group) { return {MenuId::ToolsSelection, group}; }

// The keys are the select tool's alone (CommandForKey): under the other
// tools Ctrl+C and Ctrl+V stay the layer copy and paste. The labels name
// them for that reason.
constexpr CommandRow kRows[] = {
    {.id = Id::SelectAll, .name = "Selection:All", .run = SelectAll,
     .label = QT_TRANSLATE_NOOP("Commands", "すべて選択(&A)\tCtrl+A"), .place = Selection(0)},
    {.id = Id::SelectionCut, .name = "Selection:Cut", .run = Cut,
     .label = QT_TRANSLATE_NOOP("Commands", "切り取り(&T)\tCtrl+X"), .place = Selection(1)},
    {.id = Id::SelectionCopy, .name = "Selection:Copy", .run = Copy,
     .label = QT_TRANSLATE_NOOP("Commands", "コピー(&C)\tCtrl+C"), .place = Selection(1)},
    {.id = Id::SelectionPaste, .name = "Selection:Paste", .run = Paste,
     .label = QT_TRANSLATE_NOOP("Commands", "貼り付け(&P)\tCtrl+V"), .place = Selection(1)},
    {.id = Id::SelectionPutDown, .name = "Selection:PutDown", .run = PutDown,
     .label = QT_TRANSLATE_NOOP("Commands", "貼り付けを置く(&O)\tEnter"), .place = Selection(1)},
    {.id = Id::SelectionDelete, .name = "Selection:Delete", .run = Delete,
     .label = QT_TRANSLATE_NOOP("Commands", "削除(&D)\tDelete"), .place = Selection(2)},
    {.id = Id::SelectionFill, .name = "Selection:Fill", .run = Fill,
     .label = QT_TRANSLATE_NOOP("Commands", "現在の色で塗りつぶす(&F)"), .place = Selection(2)},
    {.id = Id::SelectionCrop, .name = "Selection:Crop", .run = Crop,
     .label = QT_TRANSLATE_NOOP("Commands", "グリッドを選択範囲に切り詰める(&R)"), .place = Selection(2)},
};

} // namespace

std::optional<CommandId> CommandForKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::ControlModifier) {
        switch (qtKey) {
        case Qt::Key_A: return Id::SelectAll;
        case Qt::Key_X: return Id::SelectionCut;
        case Qt::Key_C: return Id::SelectionCopy;
        case Qt::Key_V: return Id::SelectionPaste;
        default: return std::nullopt;
        }
    }
    if (held == Qt::NoModifier) {
        switch (qtKey) {
        case Qt::Key_Delete: return Id::SelectionDelete;
        case Qt::Key_Return:
        case Qt::Key_Enter: return Id::SelectionPutDown;
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

bool Active(const CommandContext& c) { return c.doc && !c.view.m_edit.m_selection.IsEmpty(); }

} // namespace SelectionCommands

std::span<const CommandRow> CommandRegistry::SelectionRows() { return SelectionCommands::kRows; }
