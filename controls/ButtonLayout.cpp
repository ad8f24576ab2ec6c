#include "controls/ButtonLayout.h"

#include "controls/ButtonIds.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Cells of one block, (column, row) -> button id.
using Block = std::map<std::pair<double, double>, int>;

Block CanvasBlock(ControlColumn controlPos)
{
    Block block = {
        {{0, 0}, ButtonCanvasSwitch},
        {{1, 0}, ButtonCanvasDown},
        {{2, 0}, ButtonCanvasUp},
        {{1, 1}, ButtonDrawSwitch},
    };
    // The light button sits on the outer edge of the view on either side.
    if (controlPos == ControlColumn::Left) {
        block[{0, 1}] = ButtonLight;
        block[{2, 1}] = ButtonCube;
    } else {
        block[{0, 1}] = ButtonCube;
        block[{2, 1}] = ButtonLight;
    }
    return block;
}

const Block& ToggleBlock()
{
    static const Block block = {
        {{0, 0}, ButtonFrame},   {{1, 0}, ButtonCanvas},
        {{0, 1}, ButtonGround},  {{1, 1}, ButtonSight},
        {{0, 2}, ButtonAxis},    {{1, 2}, ButtonBack},
        {{0, 3}, ButtonCopy},    {{1, 3}, ButtonPaste},
        {{0, 4}, ButtonCubeBack}, {{1, 4}, ButtonCubeForward},
        {{0, 5}, ButtonScaleDown}, {{1, 5}, ButtonScaleUp},
    };
    return block;
}

const Block& MovePad()
{
    static const Block block = {
        {{1, 0}, ButtonMoveUp},
        {{0, 1}, ButtonMoveLeft},
        {{2, 1}, ButtonMoveRight},
        {{1, 2}, ButtonMoveDown},
    };
    return block;
}

const Block& RotatePad()
{
    static const Block block = {
        {{1, 0}, ButtonRotateXBack},
        {{0, 1}, ButtonRotateYBack},
        {{2, 1}, ButtonRotateYForward},
        {{1, 2}, ButtonRotateXForward},
    };
    return block;
}

const Block& PaletteBlock()
{
    static const Block block = [] {
        Block b;
        for (int i = 0; i < 8; ++i) {
            b[{double(i), 0.0}] = ButtonColor1 + i;
            b[{double(i), 1.0}] = ButtonColor1 + 8 + i;
        }
        return b;
    }();
    return block;
}

const Block& SettingsPair()
{
    static const Block block = {
        {{0, 0}, ButtonSetting},
        {{1, 0}, ButtonScreenShot},
    };
    return block;
}

void PlaceBlock(ButtonRects& rects, const Block& block, double x0, double y0)
{
    for (const auto& [cell, id] : block) {
        auto it = rects.find(id);
        if (it == rects.end())
            continue;  // no window for this button
        const int left = int(x0 + kButtonCell * cell.first);
        const int top = int(y0 + kButtonCell * cell.second);
        it->second = QRect(left, top, kButtonCell, kButtonCell);
    }
}

} // namespace

ButtonRects ComputeButtonLayout(const ButtonLayoutInput& in, const ButtonRects& current)
{
    ButtonRects rects = current;
    const double W = in.clientWidth;
    const double H = in.clientHeight;
    using Corner = PaletteCorner;
    const ControlColumn control = in.controlPos;
    const Corner color = in.colorPos;
    const bool left = control == ControlColumn::Left, right = control == ControlColumn::Right;

    if (left) {
        PlaceBlock(rects, CanvasBlock(control), 5, 5);
        PlaceBlock(rects, ToggleBlock(), 5, 65);
        PlaceBlock(rects, MovePad(), 5, 260);
        PlaceBlock(rects, RotatePad(), 5, 353);
    } else if (right) {
        PlaceBlock(rects, CanvasBlock(control), W - 95, 5);
        PlaceBlock(rects, ToggleBlock(), W - 65, 65);
        PlaceBlock(rects, MovePad(), W - 95, 260);
        PlaceBlock(rects, RotatePad(), W - 95, 353);
    }

    // The lowest point of the control column, measured where the rotate pad's
    // bottom button now is (or still is, when the column was not placed).
    // Window rectangles end one past their last pixel row.
    int R = 0;
    if (auto it = rects.find(ButtonRotateXForward); it != rects.end())
        R = it->second.y() + it->second.height();

    int s = 0;
    if ((color == Corner::TopLeft && left) || (color == Corner::TopRight && right))
        s = kControlColumnWidth;
    else if (color == Corner::BottomLeft && left && H - 65 < R)
        s = kControlColumnWidth;
    else if (color == Corner::BottomRight && right && H - 100 < R)
        s = kControlColumnWidth;

    switch (color) {
    case Corner::TopLeft: PlaceBlock(rects, PaletteBlock(), 5 + s, 5); break;
    case Corner::BottomLeft: PlaceBlock(rects, PaletteBlock(), 5 + s, H - 65); break;
    case Corner::BottomRight: PlaceBlock(rects, PaletteBlock(), W - s - 245, H - 100); break;
    case Corner::TopRight: PlaceBlock(rects, PaletteBlock(), W - s - 245, 5); break;
    default: break;
    }

    const int s2 = (right && H - 35 < R) ? kControlColumnWidth : 0;
    PlaceBlock(rects, SettingsPair(), W - s2 - 65, H - 35);

    if (auto it = rects.find(ButtonHelp); it != rects.end()) {
        const int fw = in.helpFrameSize.width();
        const int fh = in.helpFrameSize.height();
        it->second = QRect(int(W - s2 - 70 - fw), int(H - 3 - fh), fw, fh);
    }
    return rects;
}

namespace {

// Whether every placement of the groups leaves all buttons whole and apart.
bool EveryPlacementFits(int width, int height, const QSize& helpFrameSize, const ButtonRects& all)
{
    const QRect client(0, 0, width, height);
    std::vector<QRect> rects;
    rects.reserve(all.size());
    for (ControlColumn control : {ControlColumn::Left, ControlColumn::Right})
        for (int corner = 0; corner < 4; ++corner) {
            rects.clear();
            for (const auto& [id, rect] :
                 ComputeButtonLayout({width, height, control, PaletteCorner(corner), helpFrameSize}, all)) {
                if (!client.contains(rect))
                    return false;
                rects.push_back(rect);
            }
            // Sorted by their left edges, a button can only meet those that
            // start before it ends.
            std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
            for (std::size_t i = 0; i < rects.size(); ++i)
                for (std::size_t j = i + 1; j < rects.size() && rects[j].left() <= rects[i].right(); ++j)
                    if (rects[i].intersects(rects[j]))
                        return false;
        }
    return true;
}

} // namespace

QSize MinimumClientSize(const QSize& helpFrameSize)
{
    ButtonRects all;
    for (int id = kFirstButtonId; id < kFirstButtonId + kButtonCount; ++id)
        all[id] = QRect(0, 0, kButtonCell, kButtonCell);
    // Far beyond anything the layout spans; from there down to the first
    // size that no longer fits, first in height, then in width.
    constexpr int kLarge = 1024;
    int height = kLarge;
    while (height > 1 && EveryPlacementFits(kLarge, height - 1, helpFrameSize, all))
        --height;
    int width = kLarge;
    while (width > 1 && EveryPlacementFits(width - 1, height, helpFrameSize, all))
        --width;
    return {width, height};
}
