// The catalogue of on-view buttons, and their placement for client sizes and
// position fields.
#include "controls/ButtonIds.h"
#include "controls/ButtonCatalogue.h"
#include "controls/ButtonLayout.h"
#include "scene/ViewState.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Distinct, recognisable old positions, to see what a layout leaves alone.
ButtonRects OldRects()
{
    ButtonRects rects;
    for (int id = kFirstButtonId; id < kFirstButtonId + kButtonCount; ++id)
        rects[id] = QRect((id % 13) * 7, (id % 11) * 5 + 1, 30, 30);
    rects[ButtonHelp] = QRect(3, 4, 200, 30);
    return rects;
}

ButtonRects Layout(int w, int h, int controlPos, int colorPos, QSize help = QSize(200, 30),
                   const ButtonRects& from = OldRects())
{
    return ComputeButtonLayout({w, h, ControlColumn(controlPos), PaletteCorner(colorPos), help}, from);
}

QRect Cell(int x, int y) { return QRect(x, y, 30, 30); }

TEST(ButtonLayout, DefaultsIn800x600PlaceEveryButton)
{
    // Each block as its origin and its cells row by row (0: an empty cell).
    const struct { QPoint origin; int columns; std::vector<int> cells; } blocks[] = {
        {{705, 5}, 3, {ButtonCanvasSwitch, ButtonCanvasDown, ButtonCanvasUp, ButtonCube, ButtonDrawSwitch, ButtonLight}},
        {{735, 65}, 2, {ButtonFrame, ButtonCanvas, ButtonGround, ButtonSight, ButtonAxis, ButtonBack, ButtonCopy,
                        ButtonPaste, ButtonCubeBack, ButtonCubeForward, ButtonScaleDown, ButtonScaleUp}},
        {{705, 260}, 3, {0, ButtonMoveUp, 0, ButtonMoveLeft, 0, ButtonMoveRight, 0, ButtonMoveDown, 0}},
        {{705, 353}, 3, {0, ButtonRotateXBack, 0, ButtonRotateYBack, 0, ButtonRotateYForward, 0, ButtonRotateXForward, 0}},
        {{735, 565}, 2, {ButtonSetting, ButtonScreenShot}},
    };
    const ButtonRects r = Layout(800, 600, 3, 3);
    for (const auto& b : blocks)
        for (int i = 0; i < int(b.cells.size()); ++i)
            EXPECT_TRUE(!b.cells[i] || r.at(b.cells[i]) == Cell(b.origin.x() + 30 * (i % b.columns),
                                                                b.origin.y() + 30 * (i / b.columns)))
                << "button " << b.cells[i];
    // The palette steps aside from the column: two rows of eight at x 460.
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(r.at(ButtonColor1 + i), Cell(460 + 30 * (i % 8), 5 + 30 * (i / 8))) << i;
    EXPECT_EQ(r.at(ButtonHelp), QRect(530, 567, 200, 30));
    // The help button keeps the size of its image's frame.
    EXPECT_EQ(Layout(800, 600, 3, 3, QSize(120, 20)).at(ButtonHelp), QRect(610, 577, 120, 20));

    // On the left the canvas block's second row is mirrored: light on the outer edge.
    const ButtonRects left = Layout(800, 600, 2, 3);
    EXPECT_EQ(left.at(ButtonLight), Cell(5, 35));
    EXPECT_EQ(left.at(ButtonCube), Cell(65, 35));
    EXPECT_EQ(left.at(ButtonMoveLeft), Cell(5, 290));
}

TEST(ButtonLayout, BlockOriginsForPositionsAndSizes)
{
    // Top left of the canvas switch, the frame toggle, the top rotate button,
    // palette colour 1, the settings button and the help button.
    const int blocks[] = {ButtonCanvasSwitch, ButtonFrame, ButtonRotateXBack, ButtonColor1, ButtonSetting, ButtonHelp};
    const struct { int w, h, controlPos, colorPos; std::vector<QPoint> at; } rows[] = {
        // column left, palette top left: pushed right past the column
        {800, 600, 2, 0, {{5, 5}, {5, 65}, {35, 353}, {100, 5}, {735, 565}, {530, 567}}},
        // column left, palette bottom left: a short view pushes it, a tall one does not:
        // at 508 the palette top (443) is not above the column's bottom, at 507 it is
        {800, 508, 2, 1, {{5, 5}, {5, 65}, {35, 353}, {5, 443}, {735, 473}, {530, 475}}},
        {800, 507, 2, 1, {{5, 5}, {5, 65}, {35, 353}, {100, 442}, {735, 472}, {530, 474}}},
        // palette on the far side from the column: never shifted
        {800, 480, 2, 2, {{5, 5}, {5, 65}, {35, 353}, {555, 380}, {735, 445}, {530, 447}}},
        // column right, palette bottom right: shifted only in a short view
        {800, 600, 3, 2, {{705, 5}, {735, 65}, {735, 353}, {555, 500}, {735, 565}, {530, 567}}},
        {800, 500, 3, 2, {{705, 5}, {735, 65}, {735, 353}, {460, 400}, {735, 465}, {530, 467}}},
        // column right: the settings pair and help step left below 478
        {800, 478, 3, 3, {{705, 5}, {735, 65}, {735, 353}, {460, 5}, {735, 443}, {530, 445}}},
        {800, 477, 3, 3, {{705, 5}, {735, 65}, {735, 353}, {460, 5}, {640, 442}, {435, 444}}},
    };
    for (const auto& row : rows) {
        const ButtonRects r = Layout(row.w, row.h, row.controlPos, row.colorPos);
        std::vector<QPoint> at;
        for (int id : blocks)
            at.push_back(r.at(id).topLeft());
        EXPECT_EQ(at, row.at) << row.w << "x" << row.h << " control " << row.controlPos << " color " << row.colorPos;
    }
}

TEST(ButtonLayout, PositionsOutsideTheTablesLeaveBlocksWhereTheyWere)
{
    const ButtonRects old = OldRects();
    for (const auto& [controlPos, colorPos] : {std::pair{7, 7}, {0, 4}, {1, -1}}) {
        SCOPED_TRACE(testing::Message() << "control " << controlPos << " color " << colorPos);
        ButtonRects r = Layout(800, 450, controlPos, colorPos, QSize(200, 30), old);
        // The bottom-right buttons are always placed; with no column on the
        // right nothing pushes them aside.
        EXPECT_EQ(r.at(ButtonSetting), Cell(735, 415));
        EXPECT_EQ(r.at(ButtonHelp), QRect(530, 417, 200, 30));
        for (int id : {int(ButtonSetting), int(ButtonScreenShot), int(ButtonHelp)})
            r[id] = old.at(id);
        EXPECT_EQ(r, old);
    }
}

// The smallest view keeps every button whole and apart wherever the groups
// are, and so does any larger one; a pixel less in either direction does not.
TEST(ButtonLayout, TheMinimumSizeKeepsEveryPlacementWholeAndApart)
{
    const auto whole = [](int w, int h) {
        for (int placement = 0; placement < 8; ++placement) {
            const ButtonRects r = Layout(w, h, 2 + placement / 4, placement % 4);
            for (auto a = r.begin(); a != r.end(); ++a)
                for (auto b = a; b != r.end(); ++b)
                    if (!QRect(0, 0, w, h).contains(a->second) || (a != b && a->second.intersects(b->second)))
                        return false;
        }
        return true;
    };
    const QSize min = MinimumClientSize(QSize(200, 30));
    EXPECT_EQ(min, QSize(610, 443));  // the palette beside the help button; the control column's height
    for (auto [dw, dh] : {std::pair{0, 0}, {95, 65}, {0, 400}})
        EXPECT_TRUE(whole(min.width() + dw, min.height() + dh)) << dw << " " << dh;
    EXPECT_FALSE(whole(min.width() - 1, min.height()));
    EXPECT_FALSE(whole(min.width() + 400, min.height() - 1));
}

TEST(ButtonCatalogue, RowsIdsTimingsAndGroups)
{
    const auto& rows = ButtonCatalogue();
    ASSERT_EQ(rows.size(), 45u);
    std::set<int> waiting, control, colour, always;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ButtonSpec& s = rows[i];
        EXPECT_EQ(s.id, 10001 + int(i));
        EXPECT_EQ(FindButtonSpec(s.id), &s);
        // Only two-command buttons wait for a double-click; none both repeats and waits.
        EXPECT_FALSE(s.repeatInterval > 0 && s.clickWait > 0) << s.id;
        if (s.clickWait == 400 && s.command2)
            waiting.insert(int(i) + 1);
        EXPECT_EQ(int(s.controlGroup) + int(s.colorGroup) + int(s.alwaysShown), 1) << s.id;
        (s.controlGroup ? control : s.colorGroup ? colour : always).insert(s.id);
    }
    EXPECT_EQ(FindButtonSpec(10000), nullptr);
    EXPECT_EQ(FindButtonSpec(10046), nullptr);
    EXPECT_EQ(waiting, (std::set<int>{13, 15, 16, 17, 18, 19, 20, 21, 45}));
    EXPECT_EQ(colour.size(), 16u);
    EXPECT_EQ(always, (std::set<int>{ButtonSetting, ButtonHelp, ButtonScreenShot}));
    // The show / hide order names the control group, each button once.
    const auto& order = ShowControlButtonOrder();
    EXPECT_EQ(std::set<int>(order.begin(), order.end()), control);
}

TEST(ButtonCatalogue, PaletteAndSwatches)
{
    CViewState state;  // palette not filled yet: the start-up colours
    const ButtonSpec& last = *FindButtonSpec(ButtonColor16);
    EXPECT_EQ(InitialSwatch(*FindButtonSpec(ButtonColor1), state), 0x000000u);
    EXPECT_EQ(InitialSwatch(last, state), 0x0000FFu);
    // Once the view holds its palette, the buttons take its entries.
    state.m_edit.m_palette.assign(kInitialPalette.begin(), kInitialPalette.end());
    state.m_edit.m_palette[15] = 0x123456;
    EXPECT_EQ(InitialSwatch(last, state), 0x123456u);

    // Field swatches read the state as it is when the buttons are made.
    state.m_edit.m_cubeColor = 0x00102030;
    auto swatch = [&](int id) { return InitialSwatch(*FindButtonSpec(id), state); };
    EXPECT_EQ(swatch(ButtonCube), 0x00102030u);
    EXPECT_EQ(swatch(ButtonLight), 0x00102030u);  // the cube colour, not a fixed one
    EXPECT_EQ(swatch(ButtonDrawSwitch), 0x0000FFFFu);
    EXPECT_EQ(swatch(ButtonAxis), CLR_NONE);
}

} // namespace
