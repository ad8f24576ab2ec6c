// The catalogue of on-view buttons: identities, commands, timings, swatches
// and groups.
#include "controls/ButtonCatalogue.h"
#include "view/ViewState.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const ButtonSpec& Spec(int id)
{
    const ButtonSpec* row = FindButtonSpec(id);
    EXPECT_NE(row, nullptr) << id;
    static const ButtonSpec none;
    return row ? *row : none;
}

TEST(ButtonCatalogue, FortyFiveRowsWithConsecutiveIds)
{
    const auto& rows = ButtonCatalogue();
    ASSERT_EQ(rows.size(), 45u);
    std::set<QString> members;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].id, 10001 + int(i));
        EXPECT_EQ(FindButtonSpec(rows[i].id), &rows[i]);
        EXPECT_FALSE(rows[i].command.isEmpty()) << rows[i].id;
        EXPECT_FALSE(rows[i].tooltip.isEmpty()) << rows[i].id;
        members.insert(rows[i].member);
    }
    EXPECT_EQ(members.size(), 45u);
    EXPECT_EQ(FindButtonSpec(10000), nullptr);
    EXPECT_EQ(FindButtonSpec(10046), nullptr);
    EXPECT_EQ(Spec(ButtonFrame).member, "m_btnFrame");
    EXPECT_EQ(Spec(ButtonColor1 + 4).member, "m_btnColor[4]");
    EXPECT_EQ(Spec(ButtonLight).member, "m_btnLight");
}

TEST(ButtonCatalogue, PaletteButtonsFormatTheirCommands)
{
    const CViewState state;  // palette not filled yet: the start-up colours
    for (int n = 1; n <= 16; ++n) {
        const ButtonSpec& s = Spec(ButtonColor1 + n - 1);
        EXPECT_EQ(s.command, QStringLiteral("Cube:Color") + QString::number(n));
        EXPECT_EQ(s.command2, QStringLiteral("Cube:ChangeColor") + QString::number(n));
        EXPECT_EQ(s.pngResource, 322);
        EXPECT_EQ(s.repeatInterval, 0);
        EXPECT_EQ(s.clickWait, 0);
        EXPECT_EQ(s.tooltip, QString::fromUtf8("[ キューブ ]\n左クリック - 色選択\n左ダブルクリック - 色変更\n右クリック - 色変更"));
        EXPECT_EQ(InitialSwatch(s, state), kInitialPalette[std::size_t(n - 1)]);
    }
    EXPECT_EQ(Spec(ButtonColor1).command, "Cube:Color1");
    EXPECT_EQ(InitialSwatch(Spec(ButtonColor1), state), 0x000000u);
    EXPECT_EQ(Spec(ButtonColor16).command2, "Cube:ChangeColor16");
    EXPECT_EQ(InitialSwatch(Spec(ButtonColor16), state), 0x0000FFu);

    // Once the view holds its palette, the buttons take its entries.
    CViewState custom;
    custom.m_palette.assign(kInitialPalette.begin(), kInitialPalette.end());
    custom.m_palette[15] = 0x123456;
    EXPECT_EQ(InitialSwatch(Spec(ButtonColor16), custom), 0x123456u);
}

TEST(ButtonCatalogue, RepeatAndWaitTimings)
{
    struct Row {
        int id;
        int repeat;
        int wait;
    };
    const Row rows[] = {
        {ButtonRotateXBack, 50, 0}, {ButtonMoveDown, 100, 0}, {ButtonScaleUp, 30, 0},
        {ButtonScaleDown, 10, 0}, {ButtonCubeForward, 10, 0}, {ButtonCanvasSwitch, 500, 0},
        {ButtonCanvasUp, 20, 0}, {ButtonAxis, 0, 0}, {ButtonHelp, 0, 0}, {ButtonLight, 0, 400},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Spec(row.id).repeatInterval, row.repeat) << row.id;
        EXPECT_EQ(Spec(row.id).clickWait, row.wait) << row.id;
    }

    // Buttons with a second command that wait for a double-click: rows 13,
    // 15 to 21 and 45 exactly. No button both repeats and waits.
    std::set<int> waiting;
    for (const ButtonSpec& s : ButtonCatalogue()) {
        EXPECT_FALSE(s.repeatInterval > 0 && s.clickWait > 0) << s.id;
        if (s.clickWait > 0) {
            EXPECT_EQ(s.clickWait, 400) << s.id;
            EXPECT_FALSE(s.command2.isEmpty()) << s.id;
            waiting.insert(s.id - kFirstButtonId + 1);
        }
    }
    EXPECT_EQ(waiting, (std::set<int>{13, 15, 16, 17, 18, 19, 20, 21, 45}));
    EXPECT_TRUE(Spec(ButtonAxis).command2.isEmpty());
    EXPECT_EQ(Spec(ButtonSight).command, "Focus:Show");
    EXPECT_EQ(Spec(ButtonSight).command2, "Focus:Color");
    EXPECT_EQ(Spec(ButtonHelp).command, "Orvendale");
}

TEST(ButtonCatalogue, TooltipsKeepTheirExactText)
{
    // Spaces around the help text, an empty line, shared toggle wording.
    EXPECT_EQ(Spec(ButtonHelp).tooltip, QString::fromUtf8("  オルヴェンデイル  "));
    EXPECT_EQ(Spec(ButtonDrawSwitch).tooltip,
              QString::fromUtf8("[ 描画モード切替 ]\nキャンバスモード⇔アタッチモード\n\n"
                                "キャンバスモード：絵をキャンバスに描くようにキューブを配置\n"
                                "アタッチモード：キューブ同士をくっつけてキューブを配置"));
    EXPECT_EQ(Spec(ButtonCanvas).tooltip,
              QString::fromUtf8("[ キャンバス ]\n左クリック - 表示・非表示切替\n左ダブルクリック - 色変更\n右クリック - 色変更"));
    EXPECT_EQ(Spec(ButtonLight).tooltip,
              QString::fromUtf8("[ 照明 ]\n左クリック - 照明ON/OFF\n左ダブルクリック - 照明位置切り替え\n右クリック - 照明位置切り替え"));
}

TEST(ButtonCatalogue, InitialSwatchesFollowTheStateAtCreation)
{
    CViewState state;
    EXPECT_EQ(InitialSwatch(Spec(ButtonSight), state), 0x00FFFF00u);
    EXPECT_EQ(InitialSwatch(Spec(ButtonGround), state), 0x0080FF57u);
    EXPECT_EQ(InitialSwatch(Spec(ButtonFrame), state), 0x0000FFFFu);
    EXPECT_EQ(InitialSwatch(Spec(ButtonBack), state), 0x00000000u);
    EXPECT_EQ(InitialSwatch(Spec(ButtonCanvas), state), 0x000000FFu);
    EXPECT_EQ(InitialSwatch(Spec(ButtonCube), state), 0x0000FFFFu);
    EXPECT_EQ(InitialSwatch(Spec(ButtonLight), state), 0x0000FFFFu);
    EXPECT_EQ(InitialSwatch(Spec(ButtonDrawSwitch), state), 0x0000FFFFu);
    for (int id : {int(ButtonAxis), int(ButtonRotateXBack), int(ButtonCopy), int(ButtonPaste),
                   int(ButtonSetting), int(ButtonHelp), int(ButtonCanvasSwitch)})
        EXPECT_EQ(InitialSwatch(Spec(id), state), CLR_NONE) << id;

    // Field swatches read the value present when the buttons are made.
    state.m_cubeColor = 0x00102030;
    state.m_sightColor = 0x00405060;
    state.m_backColor = 0x00ABCDEF;
    EXPECT_EQ(InitialSwatch(Spec(ButtonCube), state), 0x00102030u);
    EXPECT_EQ(InitialSwatch(Spec(ButtonLight), state), 0x00102030u);
    EXPECT_EQ(InitialSwatch(Spec(ButtonSight), state), 0x00405060u);
    EXPECT_EQ(InitialSwatch(Spec(ButtonBack), state), 0x00ABCDEFu);
    EXPECT_EQ(InitialSwatch(Spec(ButtonDrawSwitch), state), 0x0000FFFFu);
}

TEST(ButtonCatalogue, GroupsCoverEveryButtonOnce)
{
    std::set<int> control, color, always;
    for (const ButtonSpec& s : ButtonCatalogue()) {
        EXPECT_EQ(int(s.controlGroup) + int(s.colorGroup) + int(s.alwaysShown), 1) << s.id;
        if (s.controlGroup)
            control.insert(s.id);
        if (s.colorGroup)
            color.insert(s.id);
        if (s.alwaysShown)
            always.insert(s.id);
    }
    EXPECT_EQ(always, (std::set<int>{ButtonSetting, ButtonHelp, ButtonScreenShot}));
    EXPECT_EQ(color.size(), 16u);
    EXPECT_EQ(*color.begin(), int(ButtonColor1));
    EXPECT_EQ(*color.rbegin(), int(ButtonColor16));

    // The show / hide order names the control group, each button once.
    const auto& order = ShowControlButtonOrder();
    const std::set<int> ordered(order.begin(), order.end());
    EXPECT_EQ(ordered.size(), order.size());
    EXPECT_EQ(ordered, control);
    EXPECT_EQ(order.front(), int(ButtonCube));
    EXPECT_EQ(order[1], int(ButtonCanvasSwitch));
    EXPECT_EQ(order[4], int(ButtonRotateXBack));
    EXPECT_EQ(order[23], int(ButtonAxis));
    EXPECT_EQ(order.back(), int(ButtonLight));
}

} // namespace
