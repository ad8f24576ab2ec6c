#include "editing/SelectionEditing.h"

#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"

#include <QCoreApplication>

namespace SelectionEditing {

namespace {

bool Record(CMiravelDoc& doc, const ModelTools::Edit& edit, const WorkProgress& progress)
{
    return ModelTools::Apply(doc, edit, edit.transform ? progress : WorkProgress());
}

// The block's cubes mapped by a whole-model transform of a grid of its size.
CubeBlock Transformed(const CubeBlock& block, const ModelTransform& t, const GridSize& size)
{
    CubeBlock out{size, {}};
    CCubeStore::CFiller fill(out.cubes);
    block.cubes.ForEachCube([&](const CUBEPOS& p, COLORREF c) { fill.Put(t.Map(p), c); });
    return out;
}

} // namespace

void SelectAll(CSelectionState& s, CMiravelDoc& doc)
{
    PutDown(s, doc);
    s.m_box = SelectionTools::WholeGrid(doc);
}

bool Drop(CSelectionState& s)
{
    s.m_lastDropped.reset();
    if (s.m_paste) {
        s.m_paste.reset();
        return true;
    }
    if (s.m_box) {
        s.m_box.reset();
        return true;
    }
    return false;
}

bool Delete(CSelectionState& s, CMiravelDoc& doc)
{
    if (s.m_paste) {
        s.m_paste.reset();
        return true;
    }
    return s.m_box && Record(doc, SelectionTools::Erase(doc, *s.m_box), {});
}

bool Fill(CSelectionState& s, CMiravelDoc& doc, COLORREF color)
{
    PutDown(s, doc);
    return s.m_box && Record(doc, SelectionTools::Fill(doc, *s.m_box, color), {});
}

Outcome Move(CSelectionState& s, CMiravelDoc& doc, int dx, int dy, int dz, const WorkProgress& progress)
{
    if (s.m_paste) {
        FloatingPaste moved = *s.m_paste;
        moved.at = {moved.at.x + dx, moved.at.y + dy, moved.at.z + dz};
        // The paste may hang over the grid's sides, but not leave it.
        if (!SelectionTools::ClipToGrid(doc, moved.Box()))
            return Outcome::Refused;
        s.m_paste = std::move(moved);
        return Outcome::Done;
    }
    if (!s.m_box)
        return Outcome::Nothing;
    std::optional<SelectionTools::Moved> moved = SelectionTools::Move(doc, *s.m_box, dx, dy, dz);
    if (!moved)
        return Outcome::Refused;
    // A selection of empty cells moves without an edit.
    if (!moved->edit.changes.empty() || moved->edit.transform) {
        if (!Record(doc, moved->edit, progress) && moved->edit.transform)
            return Outcome::Nothing;
    }
    s.m_box = moved->box;
    return Outcome::Done;
}

Outcome Turn(CSelectionState& s, CMiravelDoc& doc, bool clockwise, const WorkProgress& progress)
{
    if (s.m_paste) {
        const GridSize g = s.m_paste->block.size;
        const ModelTransform t{clockwise ? ModelTransform::Kind::TurnRight : ModelTransform::Kind::TurnLeft, g.x, 0, g.z};
        s.m_paste->block = Transformed(s.m_paste->block, t, {g.z, g.y, g.x});
        return Outcome::Done;
    }
    if (!s.m_box)
        return Outcome::Nothing;
    std::optional<SelectionTools::Moved> turned = SelectionTools::Turn(doc, *s.m_box, clockwise);
    if (!turned)
        return Outcome::Refused;
    if (!Record(doc, turned->edit, progress) && turned->edit.transform)
        return Outcome::Nothing;
    s.m_box = turned->box;
    return Outcome::Done;
}

bool Flip(CSelectionState& s, CMiravelDoc& doc, int axis, const WorkProgress& progress)
{
    if (s.m_paste) {
        const GridSize g = s.m_paste->block.size;
        s.m_paste->block = Transformed(s.m_paste->block, {ModelTransform::Kind::Flip, axis, axis == 0 ? g.x : g.z, 0}, g);
        return true;
    }
    return s.m_box && Record(doc, SelectionTools::Flip(doc, *s.m_box, axis).edit, progress);
}

bool Crop(CSelectionState& s, CMiravelDoc& doc, const WorkProgress& progress)
{
    PutDown(s, doc);
    if (!s.m_box)
        return false;
    std::optional<SelectionTools::Moved> cropped = SelectionTools::Crop(doc, *s.m_box);
    if (!cropped || !Record(doc, cropped->edit, progress))
        return false;
    s.m_box = cropped->box;
    return true;
}

std::optional<CubeBlock> Copy(const CSelectionState& s, const CMiravelDoc& doc)
{
    if (s.m_paste)
        return s.m_paste->block;
    if (s.m_box)
        return SelectionTools::Copy(doc, *s.m_box);
    return std::nullopt;
}

std::optional<CubeBlock> Cut(CSelectionState& s, CMiravelDoc& doc)
{
    std::optional<CubeBlock> block = Copy(s, doc);
    if (block)
        Delete(s, doc);
    return block;
}

void StartPaste(CSelectionState& s, CMiravelDoc& doc, CubeBlock block, const CUBEPOS* sight)
{
    PutDown(s, doc);
    s.m_lastDropped.reset();
    const CUBEPOS at = s.m_box ? s.m_box->lo : sight ? *sight : CUBEPOS{0, 0, 0};
    s.m_paste = FloatingPaste{std::move(block), at};
}

std::optional<PutDownResult> PutDown(CSelectionState& s, CMiravelDoc& doc)
{
    if (!s.m_paste)
        return std::nullopt;
    const FloatingPaste paste = std::move(*s.m_paste);
    s.m_paste.reset();
    SelectionTools::Placed placed = SelectionTools::Place(doc, paste.block, paste.at);
    PutDownResult result;
    result.placed = placed.edit.changes.size();
    result.dropped = placed.dropped;
    result.changed = Record(doc, placed.edit, {});
    s.m_box = SelectionTools::ClipToGrid(doc, paste.Box());
    s.m_lastDropped = result.dropped;
    return result;
}

ToolPreview Preview(const CSelectionState& s)
{
    ToolPreview preview;
    const std::optional<CellBox> box = s.m_paste ? std::optional<CellBox>(s.m_paste->Box()) : s.m_box;
    if (!box)
        return preview;
    preview.hasOutline = true;
    preview.outlineLo = box->lo;
    preview.outlineHi = box->hi;
    preview.outlineOverCubes = true;
    preview.outlineColor = s.m_paste ? RGB(255, 255, 255) : RGB(0, 255, 255);
    if (s.m_paste) {
        // Enough cells to show the paste's shape; a large one shows its box.
        constexpr std::size_t kMaxCells = 4096;
        preview.color = RGB(255, 255, 255);
        const CUBEPOS at = s.m_paste->at;
        s.m_paste->block.cubes.ForEachCube([&](const CUBEPOS& p, COLORREF) {
            if (preview.cells.size() < kMaxCells)
                preview.cells.push_back({at.x + p.x, at.y + p.y, at.z + p.z});
        });
    }
    return preview;
}

QString StatusText(const CSelectionState& s)
{
    const auto size = [](const GridSize& g) { return QStringLiteral("%1×%2×%3").arg(g.x).arg(g.y).arg(g.z); };
    if (s.m_paste)
        return QCoreApplication::translate("SelectionEditing",
                                           "貼り付け %1 (キューブ %2 個): Ctrl+Shift+矢印、PageUp、PageDown かドラッグで動かし、"
                                           "Enter で置きます。Esc で取り消します。")
            .arg(size(s.m_paste->block.size))
            .arg(s.m_paste->block.cubes.Count());
    QString text;
    if (s.m_box) {
        const GridSize g = s.m_box->Size();
        text = QCoreApplication::translate("SelectionEditing", "選択範囲 %1 (%2 セル)")
                   .arg(size(g))
                   .arg(qint64(g.x) * g.y * g.z);
    } else {
        text = QCoreApplication::translate("SelectionEditing", "ドラッグで範囲を選択します。Ctrl+A で全体を選択します。");
    }
    if (s.m_lastDropped && *s.m_lastDropped > 0)
        text += QStringLiteral("  ") +
                QCoreApplication::translate("SelectionEditing",
                                            "貼り付けたキューブのうち %1 個はグリッドの外に出たため置きませんでした。")
                    .arg(*s.m_lastDropped);
    return text;
}

} // namespace SelectionEditing
