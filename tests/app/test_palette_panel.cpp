// The palette panel in the running editor: a click is a palette button's
// choice, a double click edits only when the dialog says OK, the user's
// palette and the panel survive a restart, and the model's colours go to
// the buttons and back to the user's palette.
#include "app/CPalettePanel.h"
#include "controls/ButtonIds.h"
#include "scene/EditState.h"
#include "tests/app/ShellTestSupport.h"

#include <QListWidget>
#include <gtest/gtest.h>

TEST_F(ShellTest, PaletteSwatchesActLikeThePaletteButtonsAndTheUserPaletteIsKept)
{
    ASSERT_TRUE(StartApp());
    CPalettePanel* panel = Frame().PalettePanel();
    CMiravelView* view = Frame().GetActiveView();
    EXPECT_TRUE(panel->isHidden());
    Command(CommandId::PalettePanel);
    std::deque<COLORREF> picked;
    panel->PanelPrompts().pickColor = [&picked](QWidget*, COLORREF& c) {
        c = picked.empty() ? c : picked.front();
        return !picked.empty();
    };
    const auto current = [view] { return std::pair(view->m_state.m_edit.m_cubeColor, view->CommandUi().Swatch(ButtonCube)); };

    view->ExecuteCommand(QStringLiteral("Cube:Color3"));
    const auto byButton = current();
    view->ExecuteCommand(QStringLiteral("Cube:Color1"));
    QListWidget* list = panel->Swatches();
    emit list->itemClicked(list->item(2));
    EXPECT_EQ(current(), byButton);
    emit list->itemDoubleClicked(list->item(0));  // cancelled
    EXPECT_EQ(panel->UserColors(), std::vector<COLORREF>(kInitialPalette.begin(), kInitialPalette.end()));
    picked = {RGB(1, 2, 3)};
    emit list->itemDoubleClicked(list->item(1));
    list->model()->moveRow({}, 1, {}, 0);  // as a drag does

    // The model's colours, most used first, to the buttons for this run; a
    // swatch's cubes recoloured as one step; the buttons to the user's list.
    Doc().SetCube(0, 0, 0, RGB(250, 10, 10));
    Doc().SetCube(1, 0, 0, RGB(10, 10, 250));
    Doc().SetCube(2, 0, 0, RGB(10, 10, 250));
    panel->ShowList(CPalettePanel::List::Model);
    Command(CommandId::PaletteToButtons);
    EXPECT_EQ(view->CommandUi().Swatch(ButtonColor1), RGB(10, 10, 250));
    EXPECT_EQ(view->CommandUi().Swatch(ButtonColor1 + 2), kInitialPalette[2]);
    view->m_state.m_edit.m_cubeColor = RGB(0, 99, 0);
    panel->RecolorCubes(0);
    EXPECT_EQ(Doc().GetCube(2, 0, 0), RGB(0, 99, 0));
    Doc().HistoryBack();
    EXPECT_EQ(Doc().GetCube(1, 0, 0), RGB(10, 10, 250));
    Command(CommandId::PaletteFromButtons);

    saveAnswers = {SaveChangesAnswer::No};
    Frame().close();
    ASSERT_TRUE(StartApp());
    EXPECT_TRUE(Frame().PalettePanel()->isVisible());
    const std::vector<COLORREF> user = Frame().PalettePanel()->UserColors();
    ASSERT_EQ(user.size(), 32u);
    EXPECT_EQ(user[0], RGB(1, 2, 3));
    EXPECT_EQ(user[16], RGB(10, 10, 250));
    EXPECT_EQ(Frame().GetActiveView()->CommandUi().Swatch(ButtonColor1), kInitialPalette[0]);
}
