// The palette panel in the running editor: a click is a palette button's
// choice, a double click edits only when the dialog says OK, the user's
// palette survives a restart in the per-user store, a broken file leaves it
// as it was, and remapping, recolouring and the buttons go through commands.
#include "app/CPalettePanel.h"
#include "controls/ButtonIds.h"
#include "scene/EditState.h"
#include "tests/app/ShellTestSupport.h"

#include <QListWidget>
#include <gtest/gtest.h>

namespace {

class PalettePanelTest : public ShellTest {
protected:
    CPalettePanel& Panel() { return *Frame().PalettePanel(); }
    CViewState& State() { return Frame().GetActiveView()->m_state; }
    COLORREF CubeSwatch() { return Frame().GetActiveView()->CommandUi().Swatch(ButtonCube); }
    void Answer(CPalettePanel& panel, std::deque<COLORREF>& colors)
    {
        panel.PanelPrompts().pickColor = [&colors](QWidget*, COLORREF& c) {
            if (colors.empty())
                return false;
            c = colors.front();
            colors.pop_front();
            return true;
        };
        panel.PanelPrompts().askOpenPath = [this](QWidget*) { return NextAnswer(paths, QString()); };
        panel.PanelPrompts().showError = [this](QWidget*, const QString& m) { errors << m; };
    }
};

TEST_F(PalettePanelTest, SwatchesActLikeThePaletteButtonsAndTheUserPaletteIsKept)
{
    ASSERT_TRUE(StartApp());
    EXPECT_TRUE(Panel().isHidden());
    Command(CommandId::PalettePanel);
    EXPECT_TRUE(Panel().isVisible());
    std::deque<COLORREF> picked;
    Answer(Panel(), picked);

    // A click: what "Cube:Color3" does with the same colour on its button.
    Frame().GetActiveView()->ExecuteCommand(QStringLiteral("Cube:Color3"));
    const auto byButton = std::pair(State().m_edit.m_cubeColor, CubeSwatch());
    Frame().GetActiveView()->ExecuteCommand(QStringLiteral("Cube:Color1"));
    QListWidget* list = Panel().Swatches();
    emit list->itemClicked(list->item(2));
    EXPECT_EQ(std::pair(State().m_edit.m_cubeColor, CubeSwatch()), byButton);

    // Cancel leaves the swatch; OK changes it, and the next run has it.
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(Panel().UserColors().front(), kInitialPalette[0]);
    picked = {RGB(1, 2, 3)};
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(Panel().UserColors().front(), RGB(1, 2, 3));
    // A palette file that does not read says why and changes nothing.
    QFile bad(Temp(QStringLiteral("bad.hex")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("12345\n");
    bad.close();
    paths = {bad.fileName()};
    Command(CommandId::PaletteOpen);
    EXPECT_EQ(errors.size(), 1);
    Frame().close();
    StopApp();
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Panel().UserColors().front(), RGB(1, 2, 3));
    EXPECT_EQ(Panel().UserColors().size(), kInitialPalette.size());
    EXPECT_TRUE(Panel().isVisible());
}

TEST_F(PalettePanelTest, RemappingRecolouringAndTheButtonsGoThroughCommands)
{
    ASSERT_TRUE(StartApp());
    CMiravelDoc& doc = Doc();
    doc.SetCube(0, 0, 0, RGB(250, 10, 10));
    doc.SetCube(1, 0, 0, RGB(10, 10, 250));
    doc.SetCube(2, 0, 0, RGB(10, 10, 250));
    const std::size_t records = doc.m_history.size();
    Command(CommandId::PaletteRemap);  // the user's palette: the sixteen colours
    EXPECT_EQ(doc.GetCube(0, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(doc.GetCube(1, 0, 0), RGB(0, 0, 255));
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(0, 0, 0), RGB(250, 10, 10));
    EXPECT_EQ(doc.m_historyPos + 1, int(records));

    // The model's list, most used first, to the buttons; recolouring a
    // swatch's cubes with the current colour is one step too.
    Panel().ShowList(CPalettePanel::List::Model);
    Command(CommandId::PaletteToButtons);
    auto& ui = Frame().GetActiveView()->CommandUi();
    EXPECT_EQ(ui.Swatch(ButtonColor1), RGB(10, 10, 250));
    EXPECT_EQ(ui.Swatch(ButtonColor1 + 1), RGB(250, 10, 10));
    EXPECT_EQ(ui.Swatch(ButtonColor1 + 2), kInitialPalette[2]);
    State().m_edit.m_cubeColor = RGB(0, 99, 0);
    Panel().RecolorCubes(0);
    EXPECT_EQ(doc.GetCube(2, 0, 0), RGB(0, 99, 0));
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(1, 0, 0), RGB(10, 10, 250));
    EXPECT_EQ(doc.GetCube(2, 0, 0), RGB(10, 10, 250));
    Command(CommandId::PaletteFromButtons);
    EXPECT_EQ(Panel().UserColors().size(), kInitialPalette.size() + 16);
    EXPECT_EQ(Panel().UserColors()[16], RGB(10, 10, 250));
}

} // namespace
