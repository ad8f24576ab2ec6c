// Button placement for client sizes and position fields, as rows of
// (inputs, expected rectangles).
#include "controls/ButtonIds.h"
#include "controls/ButtonLayout.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Every button with a window, where creation leaves it: one frame at (0, 0).
ButtonRects FreshRects()
{
    ButtonRects rects;
    for (int id = kFirstButtonId; id < kFirstButtonId + kButtonCount; ++id)
        rects[id] = QRect(0, 0, 30, 30);
    rects[ButtonHelp] = QRect(0, 0, 200, 30);
    return rects;
}

// Distinct, recognisable old positions, to see what a layout leaves alone.
ButtonRects ScatteredRects()
{
    ButtonRects rects;
    for (int id = kFirstButtonId; id < kFirstButtonId + kButtonCount; ++id)
        rects[id] = QRect((id % 13) * 7, (id % 11) * 5 + 1, 30, 30);
    rects[ButtonHelp] = QRect(3, 4, 200, 30);
    return rects;
}

ButtonRects Layout(int w, int h, int controlPos, int colorPos, const ButtonRects& from = FreshRects(),
                   QSize help = QSize(200, 30))
{
    return ComputeButtonLayout({w, h, controlPos, colorPos, help}, from);
}

QRect Cell(int x, int y) { return QRect(x, y, 30, 30); }

TEST(ButtonLayout, DefaultsIn800x600PlaceEveryButton)
{
    const ButtonRects r = Layout(800, 600, 3, 3);
    const ButtonRects expected = {
        // canvas block, x 705..795, y 5..65
        {ButtonCanvasSwitch, Cell(705, 5)}, {ButtonCanvasDown, Cell(735, 5)}, {ButtonCanvasUp, Cell(765, 5)},
        {ButtonCube, Cell(705, 35)}, {ButtonDrawSwitch, Cell(735, 35)}, {ButtonLight, Cell(765, 35)},
        // toggle block, x 735..795, y 65..245
        {ButtonFrame, Cell(735, 65)}, {ButtonCanvas, Cell(765, 65)},
        {ButtonGround, Cell(735, 95)}, {ButtonSight, Cell(765, 95)},
        {ButtonAxis, Cell(735, 125)}, {ButtonBack, Cell(765, 125)},
        {ButtonCopy, Cell(735, 155)}, {ButtonPaste, Cell(765, 155)},
        {ButtonCubeBack, Cell(735, 185)}, {ButtonCubeForward, Cell(765, 185)},
        {ButtonScaleDown, Cell(735, 215)}, {ButtonScaleUp, Cell(765, 215)},
        // move pad, x 705..795, y 260..350
        {ButtonMoveUp, Cell(735, 260)}, {ButtonMoveLeft, Cell(705, 290)},
        {ButtonMoveRight, Cell(765, 290)}, {ButtonMoveDown, Cell(735, 320)},
        // rotate pad, x 705..795, y 353..443
        {ButtonRotateXBack, Cell(735, 353)}, {ButtonRotateYBack, Cell(705, 383)},
        {ButtonRotateYForward, Cell(765, 383)}, {ButtonRotateXForward, Cell(735, 413)},
        // palette, shifted off the column: x 460..700, y 5..65
        {ButtonColor1 + 0, Cell(460, 5)}, {ButtonColor1 + 1, Cell(490, 5)},
        {ButtonColor1 + 2, Cell(520, 5)}, {ButtonColor1 + 3, Cell(550, 5)},
        {ButtonColor1 + 4, Cell(580, 5)}, {ButtonColor1 + 5, Cell(610, 5)},
        {ButtonColor1 + 6, Cell(640, 5)}, {ButtonColor1 + 7, Cell(670, 5)},
        {ButtonColor1 + 8, Cell(460, 35)}, {ButtonColor1 + 9, Cell(490, 35)},
        {ButtonColor1 + 10, Cell(520, 35)}, {ButtonColor1 + 11, Cell(550, 35)},
        {ButtonColor1 + 12, Cell(580, 35)}, {ButtonColor1 + 13, Cell(610, 35)},
        {ButtonColor1 + 14, Cell(640, 35)}, {ButtonColor1 + 15, Cell(670, 35)},
        // bottom right
        {ButtonSetting, Cell(735, 565)}, {ButtonScreenShot, Cell(765, 565)},
        {ButtonHelp, QRect(530, 567, 200, 30)},
    };
    ASSERT_EQ(r.size(), std::size_t(kButtonCount));
    for (const auto& [id, rect] : expected)
        EXPECT_EQ(r.at(id), rect) << "button " << id;
}

// Origins of every block, read off representative buttons.
struct Origins {
    QPoint canvas, toggle, move, rotate;
    std::optional<QPoint> palette;
    QPoint settings;
    QPoint help;
};

Origins OriginsOf(const ButtonRects& r)
{
    Origins o;
    o.canvas = r.at(ButtonCanvasSwitch).topLeft();
    o.toggle = r.at(ButtonFrame).topLeft();
    o.move = QPoint(r.at(ButtonMoveLeft).x(), r.at(ButtonMoveUp).y());
    o.rotate = QPoint(r.at(ButtonRotateYBack).x(), r.at(ButtonRotateXBack).y());
    o.palette = r.at(ButtonColor1).topLeft();
    o.settings = r.at(ButtonSetting).topLeft();
    o.help = r.at(ButtonHelp).topLeft();
    return o;
}

struct OriginRow {
    int w, h, controlPos, colorPos;
    QPoint canvas, toggle, move, rotate, palette, settings, help;
};

TEST(ButtonLayout, BlockOriginsForPositionsAndSizes)
{
    const OriginRow rows[] = {
        // column left, palette top left: pushed right past the column
        {800, 600, 2, 0, {5, 5}, {5, 65}, {5, 260}, {5, 353}, {100, 5}, {735, 565}, {530, 567}},
        // column left, palette bottom left: a short view pushes it (415 < 443) ...
        {800, 480, 2, 1, {5, 5}, {5, 65}, {5, 260}, {5, 353}, {100, 415}, {735, 445}, {530, 447}},
        // ... a tall one does not (535 >= 443)
        {800, 600, 2, 1, {5, 5}, {5, 65}, {5, 260}, {5, 353}, {5, 535}, {735, 565}, {530, 567}},
        // the boundary: 508 - 65 = 443 is not below the column's bottom, 507 is
        {800, 508, 2, 1, {5, 5}, {5, 65}, {5, 260}, {5, 353}, {5, 443}, {735, 473}, {530, 475}},
        {800, 507, 2, 1, {5, 5}, {5, 65}, {5, 260}, {5, 353}, {100, 442}, {735, 472}, {530, 474}},
        // column left, palette on the right: never shifted
        {800, 480, 2, 2, {5, 5}, {5, 65}, {5, 260}, {5, 353}, {555, 380}, {735, 445}, {530, 447}},
        {800, 600, 2, 3, {5, 5}, {5, 65}, {5, 260}, {5, 353}, {555, 5}, {735, 565}, {530, 567}},
        // column right, palette left: never shifted
        {800, 600, 3, 0, {705, 5}, {735, 65}, {705, 260}, {705, 353}, {5, 5}, {735, 565}, {530, 567}},
        {800, 480, 3, 1, {705, 5}, {735, 65}, {705, 260}, {705, 353}, {5, 415}, {735, 445}, {530, 447}},
        // column right, palette bottom right: shifted only in a short view
        {800, 600, 3, 2, {705, 5}, {735, 65}, {705, 260}, {705, 353}, {555, 500}, {735, 565}, {530, 567}},
        {800, 500, 3, 2, {705, 5}, {735, 65}, {705, 260}, {705, 353}, {460, 400}, {735, 465}, {530, 467}},
        // column right in a view of height 450: the settings pair and help step left
        {800, 450, 3, 3, {705, 5}, {735, 65}, {705, 260}, {705, 353}, {460, 5}, {640, 415}, {435, 417}},
        // the settings boundary: 478 - 35 = 443 stays, 477 steps aside
        {800, 478, 3, 3, {705, 5}, {735, 65}, {705, 260}, {705, 353}, {460, 5}, {735, 443}, {530, 445}},
        {800, 477, 3, 3, {705, 5}, {735, 65}, {705, 260}, {705, 353}, {460, 5}, {640, 442}, {435, 444}},
        // another width moves everything anchored on the right
        {1024, 768, 3, 3, {929, 5}, {959, 65}, {929, 260}, {929, 353}, {684, 5}, {959, 733}, {754, 735}},
    };
    for (const OriginRow& row : rows) {
        SCOPED_TRACE(testing::Message() << row.w << "x" << row.h << " control " << row.controlPos
                                        << " color " << row.colorPos);
        const Origins o = OriginsOf(Layout(row.w, row.h, row.controlPos, row.colorPos));
        EXPECT_EQ(o.canvas, row.canvas);
        EXPECT_EQ(o.toggle, row.toggle);
        EXPECT_EQ(o.move, row.move);
        EXPECT_EQ(o.rotate, row.rotate);
        EXPECT_EQ(o.palette, row.palette);
        EXPECT_EQ(o.settings, row.settings);
        EXPECT_EQ(o.help, row.help);
    }
}

TEST(ButtonLayout, CanvasBlockSecondRowIsMirrored)
{
    const ButtonRects left = Layout(800, 600, 2, 3);
    EXPECT_EQ(left.at(ButtonLight), Cell(5, 35));
    EXPECT_EQ(left.at(ButtonDrawSwitch), Cell(35, 35));
    EXPECT_EQ(left.at(ButtonCube), Cell(65, 35));
    EXPECT_EQ(left.at(ButtonCanvasSwitch), Cell(5, 5));
    EXPECT_EQ(left.at(ButtonCanvasDown), Cell(35, 5));
    EXPECT_EQ(left.at(ButtonCanvasUp), Cell(65, 5));
    // The right side is in the 800 x 600 defaults above.
}

TEST(ButtonLayout, PositionsOutsideTheTablesLeaveBlocksWhereTheyWere)
{
    const ButtonRects old = ScatteredRects();
    const std::pair<int, int> invalid[] = {{7, 7}, {0, 4}, {1, -1}, {-3, 99}};
    for (const auto& [controlPos, colorPos] : invalid) {
        SCOPED_TRACE(testing::Message() << "control " << controlPos << " color " << colorPos);
        const ButtonRects r = Layout(800, 450, controlPos, colorPos, old);
        ASSERT_EQ(r.size(), old.size());
        for (const auto& [id, rect] : old) {
            if (id == ButtonSetting || id == ButtonScreenShot || id == ButtonHelp)
                continue;
            EXPECT_EQ(r.at(id), rect) << "button " << id;
        }
        // The bottom-right buttons are always placed; with no column on the
        // right nothing pushes them aside.
        EXPECT_EQ(r.at(ButtonSetting), Cell(735, 415));
        EXPECT_EQ(r.at(ButtonScreenShot), Cell(765, 415));
        EXPECT_EQ(r.at(ButtonHelp), QRect(530, 417, 200, 30));
    }

    // Only the palette invalid: the column is placed, the palette stays.
    const ButtonRects r = Layout(800, 600, 3, 9, old);
    EXPECT_EQ(r.at(ButtonFrame), Cell(735, 65));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(r.at(ButtonColor1 + i), old.at(ButtonColor1 + i));
}

TEST(ButtonLayout, ButtonsWithoutWindowAreSkipped)
{
    ButtonRects some = FreshRects();
    some.erase(ButtonRotateXForward);
    some.erase(ButtonColor1 + 3);
    some.erase(ButtonHelp);
    const ButtonRects r = Layout(800, 450, 3, 3, some);
    EXPECT_EQ(r.size(), some.size());
    EXPECT_EQ(r.count(ButtonRotateXForward), 0u);
    EXPECT_EQ(r.count(ButtonColor1 + 3), 0u);
    EXPECT_EQ(r.count(ButtonHelp), 0u);
    // Nothing measures the column's bottom, so the settings pair keeps to
    // the corner even in a short view.
    EXPECT_EQ(r.at(ButtonSetting), Cell(735, 415));
    EXPECT_EQ(r.at(ButtonColor1 + 4), Cell(580, 5));
}

TEST(ButtonLayout, HelpButtonKeepsItsFrameSize)
{
    EXPECT_EQ(Layout(800, 600, 3, 3, FreshRects(), QSize(120, 20)).at(ButtonHelp),
              QRect(610, 577, 120, 20));
    EXPECT_EQ(Layout(800, 450, 3, 3, FreshRects(), QSize(120, 20)).at(ButtonHelp),
              QRect(515, 427, 120, 20));
    // A help button without image has no size and sits at the corner point.
    const QRect none = Layout(800, 600, 3, 3, FreshRects(), QSize(0, 0)).at(ButtonHelp);
    EXPECT_EQ(none.topLeft(), QPoint(730, 597));
    EXPECT_TRUE(none.isEmpty());
}

TEST(ButtonLayout, EveryCallStartsFromScratch)
{
    // Laying out again from any earlier result gives the same as from fresh.
    const ButtonRects fresh = Layout(1024, 768, 2, 1);
    const ButtonRects again = Layout(1024, 768, 2, 1, Layout(640, 300, 3, 2));
    EXPECT_EQ(again, fresh);
    EXPECT_EQ(Layout(1024, 768, 2, 1, fresh), fresh);
    // No two placed buttons overlap in the default layout.
    const ButtonRects r = Layout(800, 600, 3, 3);
    for (auto a = r.begin(); a != r.end(); ++a)
        for (auto b = std::next(a); b != r.end(); ++b)
            EXPECT_FALSE(a->second.intersects(b->second)) << a->first << " and " << b->first;
}

} // namespace
