// The catalogue of on-view buttons: identities, timings, swatches and groups.
#include "controls/ButtonCatalogue.h"
#include "scene/ViewState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

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
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const ButtonSpec& s) { return s.clickWait > 0; }), 9);
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
