// The view's set of buttons: creation from the catalogue, groups and layout
// applied to real widgets.
#include "ButtonTestSupport.h"
#include "controls/CViewButtons.h"
#include "view/ViewState.h"

#include <gtest/gtest.h>

namespace {

// Stands for the view: a widget that owns the buttons as members.
class FakeView : public QWidget, public CViewButtons {
public:
    FakeView() { resize(800, 600); }
};

class ViewButtonsTest : public ::testing::Test {
protected:
    FakeView view;
    RecordingOwner owner;
    CViewState state;

    void SetUp() override
    {
        state.m_palette.assign(kInitialPalette.begin(), kInitialPalette.end());
        view.CreateButtons(&view, &owner, state);
    }
    std::vector<int> NotHidden() const
    {
        std::vector<int> ids;
        for (int id = kFirstButtonId; id < kFirstButtonId + kButtonCount; ++id)
            if (!view.ButtonById(id)->isHidden())
                ids.push_back(id);
        return ids;
    }
};

TEST_F(ViewButtonsTest, CreationFollowsTheCatalogue)
{
    ASSERT_TRUE(view.IsCreated());
    for (const ButtonSpec& row : ButtonCatalogue()) {
        const CCommandButton* b = view.ButtonById(row.id);
        ASSERT_NE(b, nullptr) << row.id;
        EXPECT_EQ(b->m_nId, row.id);
        EXPECT_EQ(b->objectName(), row.member);
        EXPECT_EQ(b->parentWidget(), &view);
        EXPECT_EQ(b->m_pOwner, &owner);
        EXPECT_EQ(b->m_strCommand, row.command);
        EXPECT_EQ(b->m_strCommand2, row.command2);
        EXPECT_EQ(b->m_nRepeatInterval, row.repeatInterval);
        EXPECT_EQ(b->m_nClickWait, row.clickWait);
        EXPECT_EQ(b->TooltipText(), row.tooltip);
        EXPECT_FALSE(b->isHidden());
        // No strips are linked into this test: no image, no size yet.
        EXPECT_FALSE(b->HasImage());
        EXPECT_EQ(b->geometry(), QRect(0, 0, 0, 0));
    }
    EXPECT_EQ(view.ButtonById(ButtonFrame), &view.m_btnFrame);
    EXPECT_EQ(view.ButtonById(ButtonLight), &view.m_btnLight);
    EXPECT_EQ(view.ButtonById(ButtonColor1 + 5), &view.m_btnColor[5]);
    EXPECT_EQ(view.ButtonById(10000), nullptr);
    EXPECT_EQ(view.ButtonById(10046), nullptr);

    ASSERT_EQ(view.m_colorButtons.size(), 16u);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(view.m_colorButtons[i], &view.m_btnColor[i]);

    EXPECT_EQ(view.m_btnColor[0].m_crColor, 0x000000u);
    EXPECT_EQ(view.m_btnColor[0].m_strCommand, "Cube:Color1");
    EXPECT_EQ(view.m_btnColor[15].m_crColor, 0x0000FFu);
    EXPECT_EQ(view.m_btnColor[15].m_strCommand2, "Cube:ChangeColor16");
    EXPECT_EQ(view.m_btnLight.m_crColor, state.m_cubeColor);
    EXPECT_EQ(view.m_btnSight.m_crColor, state.m_sightColor);
    EXPECT_EQ(view.m_btnDrawSwitch.m_crColor, 0x00FFFFu);
    EXPECT_EQ(view.m_btnAxis.m_crColor, CLR_NONE);
    EXPECT_EQ(view.m_btnHelp.m_crColor, CLR_NONE);
}

TEST_F(ViewButtonsTest, HidingBothGroupsLeavesTheBottomRightThree)
{
    view.LayoutButtonWidgets(800, 600, 3, 3);
    const ButtonRects before = view.CurrentRects();
    view.ShowControlGroup(false);
    view.ShowColorGroup(false);
    EXPECT_EQ(NotHidden(), (std::vector<int>{ButtonSetting, ButtonHelp, ButtonScreenShot}));
    EXPECT_EQ(view.CurrentRects(), before);

    view.ShowColorGroup(true);
    EXPECT_EQ(NotHidden().size(), 19u);
    view.ShowControlGroup(true);
    EXPECT_EQ(NotHidden().size(), 45u);
    EXPECT_EQ(view.CurrentRects(), before);
}

TEST_F(ViewButtonsTest, LayoutMovesTheWidgets)
{
    ASSERT_TRUE(view.m_btnHelp.LoadPngImage(SolidStrip(200, 30, qRgba(0, 0, 0, 255))));
    view.LayoutButtonWidgets(800, 600, 3, 3);
    EXPECT_EQ(view.m_btnFrame.geometry(), QRect(735, 65, 30, 30));
    EXPECT_EQ(view.m_btnColor[0].geometry(), QRect(460, 5, 30, 30));
    EXPECT_EQ(view.m_btnColor[15].geometry(), QRect(670, 35, 30, 30));
    EXPECT_EQ(view.m_btnLight.geometry(), QRect(765, 35, 30, 30));
    EXPECT_EQ(view.m_btnHelp.geometry(), QRect(530, 567, 200, 30));

    // A hidden column is still measured, and still moved.
    view.ShowControlGroup(false);
    view.LayoutButtonWidgets(800, 450, 3, 3);
    EXPECT_EQ(view.m_btnRotateXForward.geometry(), QRect(735, 413, 30, 30));
    EXPECT_EQ(view.m_btnSetting.geometry(), QRect(640, 415, 30, 30));
    EXPECT_EQ(view.m_btnHelp.geometry(), QRect(435, 417, 200, 30));

    // Invalid positions leave the blocks where the last layout put them.
    view.LayoutButtonWidgets(1000, 700, 7, 7);
    EXPECT_EQ(view.m_btnRotateXForward.geometry(), QRect(735, 413, 30, 30));
    EXPECT_EQ(view.m_btnColor[0].geometry(), QRect(460, 5, 30, 30));
    EXPECT_EQ(view.m_btnSetting.geometry(), QRect(935, 665, 30, 30));
}

TEST_F(ViewButtonsTest, CreatedButtonsSendTheirCommands)
{
    view.LayoutButtonWidgets(800, 600, 2, 0);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::mouseClick(&view.m_btnColor[2], Qt::LeftButton);
    QTest::mouseClick(&view.m_btnColor[2], Qt::RightButton);
    QTest::mouseClick(&view.m_btnSetting, Qt::LeftButton);
    EXPECT_EQ(owner.Names(), (std::vector<QString>{"Cube:Color3", "Cube:ChangeColor3", "Setting"}));
}

TEST(ViewButtonsLifetime, ButtonsAsMembersOfTheViewAreFreedOnce)
{
    RecordingOwner owner;
    CViewState state;
    auto* view = new FakeView;
    view->CreateButtons(view, &owner, state);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QPointer<CCommandButton> light(&view->m_btnLight);
    // Palette buttons take the start-up colours when the state has none yet.
    EXPECT_EQ(view->m_btnColor[7].m_crColor, kInitialPalette[7]);
    delete view;
    EXPECT_TRUE(light.isNull());
}

} // namespace
