// The command table without a window: every name, every state change, the
// nested commands and the swatch rules.
#include "controls/CommandDispatcher.h"
#include "model/CMiravelDoc.h"
#include "tests/controls/FakeCommandUi.h"

#include <gtest/gtest.h>
#include <set>

namespace {

class Commands : public ::testing::Test {
protected:
    CViewState view;
    CMiravelDoc doc;
    FakeCommandUi ui{view};
    CommandContext ctx{view, &doc, ui};

    bool Run(const char* name) { return CCommandDispatcher::Execute(QString::fromUtf8(name), ctx); }
};

TEST_F(Commands, TheVocabularyIsExactlyNinetyFourCaseSensitiveNames)
{
    const auto& table = CCommandDispatcher::Table();
    std::set<QString> names;
    for (const auto& e : table)
        names.insert(e.name);
    EXPECT_EQ(table.size(), 94u);
    EXPECT_EQ(names.size(), 94u);
    for (const char* n : {"Setting", "ScreenShot", "Orvendale", "Cube:Color16", "Cube:ChangeColor1",
                          "Image:EXIF", "Image:ICON", "Back:Show", "Button:Button"})
        EXPECT_TRUE(names.count(QString::fromLatin1(n))) << n;

    EXPECT_FALSE(Run(""));
    EXPECT_FALSE(Run("Canvas:up"));
    EXPECT_FALSE(Run("canvas:Up"));
    EXPECT_FALSE(Run("Canvas:Up "));
    EXPECT_FALSE(Run("Cube:Color17"));
    EXPECT_FALSE(Run("Cube:Color01"));
    EXPECT_FALSE(Run("Image:bmp"));
    // Every name of the table is handled, whatever the dialogs answer.
    for (const auto& e : table)
        EXPECT_TRUE(CCommandDispatcher::Execute(e.name, ctx)) << e.name.toStdString();
}

TEST_F(Commands, CameraStepsAndTheDefaultView)
{
    ASSERT_TRUE(Run("RotateX:Back"));
    Run("RotateY:Forward");
    Run("Move:Up");
    Run("Move:Left");
    Run("Scale:Up");
    EXPECT_DOUBLE_EQ(view.m_rotX, 20.0);
    EXPECT_DOUBLE_EQ(view.m_rotY, -40.0);
    EXPECT_DOUBLE_EQ(view.m_lookY, -5.0);
    EXPECT_DOUBLE_EQ(view.m_lookX, 5.0);
    EXPECT_NEAR(view.m_scale, 1.1, 1e-12);
    EXPECT_EQ(ui.viewInvalidations, 5);

    view.m_scale = 0.15;
    Run("Scale:Down");
    EXPECT_DOUBLE_EQ(view.m_scale, 0.1);
    Run("Scale:Down");
    EXPECT_DOUBLE_EQ(view.m_scale, 0.1);

    view.m_ratioX = 0.5;
    ui.clientWidth = 500;
    ui.clientHeight = 500;
    ui.gridMaxSide = 64;
    Run("Setting:Default");  // D (the "Setting" menu entry's key)
    EXPECT_EQ(ui.fits, 1);
    EXPECT_DOUBLE_EQ(view.m_scale, 0.5);
    EXPECT_EQ(view.m_rotX, 25.0);
    EXPECT_EQ(view.m_rotY, -45.0);
    EXPECT_EQ(view.m_rotZ, 0.0);
    EXPECT_EQ(view.m_lookX, 0.0);
    EXPECT_EQ(view.m_lookY, 0.0);
    EXPECT_EQ(view.m_ratioX, 0.5);  // the ratio is not part of the camera reset
}

TEST_F(Commands, ButtonPlacementAndGroups)
{
    for (int from : {0, 1, 3}) {
        view.m_controlPos = from;
        Run("Control:Pos");
        EXPECT_EQ(view.m_controlPos, 2) << from;
    }
    Run("Control:Pos");
    EXPECT_EQ(view.m_controlPos, 3);
    view.m_colorPos = 0;
    for (int expected : {1, 2, 3, 0}) {
        Run("Color:Pos");
        EXPECT_EQ(view.m_colorPos, expected);
    }
    view.m_colorPos = 7;
    Run("Color:Pos");
    EXPECT_EQ(view.m_colorPos, 7);
    EXPECT_EQ(ui.layouts, 9);

    Run("Control:Button");
    EXPECT_EQ(view.m_showControl, 0);
    Run("Color:Button");
    EXPECT_EQ(view.m_showColor, 0);
    // Button:Button: both groups hidden, then both shown again.
    view.m_showControl = view.m_showColor = 1;
    Run("Button:Button");
    EXPECT_EQ(view.m_showButtons, 0);
    EXPECT_EQ(view.m_showControl, 0);
    EXPECT_EQ(view.m_showColor, 0);
    Run("Button:Button");
    EXPECT_EQ(view.m_showButtons, 1);
    EXPECT_EQ(view.m_showControl, 1);
    EXPECT_EQ(view.m_showColor, 1);

    Run("Setting");
    Run("ScreenShot");
    EXPECT_EQ(ui.menus, (std::vector<QString>{QStringLiteral("Setting"), QStringLiteral("ScreenShot")}));
}

TEST_F(Commands, TogglesKeepTheirButtonSwatches)
{
    Run("Frame:Show");
    EXPECT_EQ(view.m_showFrame, 0);
    EXPECT_EQ(ui.Swatch(ButtonFrame), 0x000000u);
    Run("Frame:Show");
    EXPECT_EQ(ui.Swatch(ButtonFrame), view.m_frameColor);
    Run("Focus:Show");
    EXPECT_EQ(view.m_showSight, 1);
    EXPECT_EQ(ui.Swatch(ButtonSight), view.m_sightColor);
    Run("Axis:Show");
    EXPECT_EQ(ui.Swatch(ButtonAxis), 0x0000FFu);  // red while shown
    Run("Axis:Show");
    EXPECT_EQ(ui.Swatch(ButtonAxis), 0x000000u);
    Run("Light:Switch");
    EXPECT_EQ(view.m_lightEnable, 0);
    EXPECT_EQ(ui.Swatch(ButtonLight), 0xFFFFFFu);
    Run("Light:Switch");
    EXPECT_EQ(ui.Swatch(ButtonLight), 0x00FFFFu);
    EXPECT_EQ(std::count(ui.buttonInvalidations.begin(), ui.buttonInvalidations.end(), int(ButtonLight)), 2);

    const CViewState before = view;
    const int invalidations = ui.viewInvalidations;
    EXPECT_TRUE(Run("Back:Show"));
    EXPECT_EQ(view.m_backColor, before.m_backColor);
    EXPECT_EQ(ui.viewInvalidations, invalidations);

    // A new colour for a hidden element keeps its button black.
    view.m_showGround = 0;
    ui.colorAnswer = 0x123456;
    Run("Ground:Color");
    EXPECT_EQ(view.m_groundColor, 0x123456u);
    EXPECT_EQ(ui.Swatch(ButtonGround), 0x000000u);
    Run("Ground:Show");
    EXPECT_EQ(ui.Swatch(ButtonGround), 0x123456u);
    Run("Back:Color");
    EXPECT_EQ(ui.Swatch(ButtonBack), 0x123456u);

    view.m_wireFrame = 1;
    for (int expected : {2, 0, 1}) {
        Run("Cube:Polygon");
        EXPECT_EQ(view.m_wireFrame, expected);
    }
    view.m_wireFrame = 7;
    Run("Cube:Polygon");
    EXPECT_EQ(view.m_wireFrame, 0);
    view.m_lightPos = 7;
    Run("Light:Position");
    EXPECT_EQ(view.m_lightPos, 0);
    Run("Light:Position");
    EXPECT_EQ(view.m_lightPos, 1);
}

TEST_F(Commands, PaletteAndCurrentColour)
{
    Run("Cube:Color16");
    EXPECT_EQ(view.m_cubeColor, 0x0000FFu);
    EXPECT_EQ(ui.Swatch(ButtonCube), 0x0000FFu);
    // Changing palette colour 3 with the dialog cancelled still copies the
    // current colour into palette button 3.
    ui.colorAnswer.reset();
    Run("Cube:ChangeColor3");
    EXPECT_EQ(ui.colorDialogStart, 0x0000FFu);
    EXPECT_EQ(ui.Swatch(ButtonColor1 + 2), 0x0000FFu);
    ui.colorAnswer = 0x00AA55;
    Run("Cube:ChangeColor3");
    EXPECT_EQ(view.m_cubeColor, 0x00AA55u);
    EXPECT_EQ(ui.Swatch(ButtonColor1 + 2), 0x00AA55u);
    EXPECT_EQ(ui.Swatch(ButtonCube), 0x00AA55u);
    Run("Cube:Color1");
    EXPECT_EQ(view.m_cubeColor, 0x000000u);
    Run("Cube:Color3");
    EXPECT_EQ(view.m_cubeColor, 0x00AA55u);

    Run("Draw:Switch");
    EXPECT_EQ(view.m_drawMode, 1);
    EXPECT_EQ(ui.Swatch(ButtonDrawSwitch), 0x000000u);
    Run("Draw:Switch");
    EXPECT_EQ(view.m_drawMode, 0);
    EXPECT_EQ(ui.Swatch(ButtonDrawSwitch), 0x00FFFFu);
}

TEST_F(Commands, CanvasThroughTheDispatcher)
{
    doc.SetGridSize(4, 5, 6);
    view.m_canvasAxis = 1;
    view.m_canvasPos = 4;
    Run("Canvas:Up");
    EXPECT_EQ(view.m_canvasPos, 4);  // last layer
    view.m_canvasPos = 0;
    Run("Canvas:Down");
    EXPECT_EQ(view.m_canvasPos, 0);
    view.m_sightX = 3;
    view.m_sightY = 2;
    view.m_sightZ = 5;
    Run("Canvas:Copy");
    EXPECT_EQ(view.m_copyLayer, 0);
    Run("Canvas:Switch");
    EXPECT_EQ(view.m_canvasAxis, 2);
    EXPECT_EQ(view.m_canvasPos, 5);
    EXPECT_EQ(view.m_copyLayer, -1);
    EXPECT_EQ(ui.rebuilds, 1);

    // Paste all: asked, then applied; without a copy nothing is asked.
    Run("Canvas:PasteAll");
    EXPECT_TRUE(ui.questions.empty());
    view.m_canvasAxis = 1;
    view.m_canvasPos = 0;
    doc.SetCube(1, 0, 1, RGB(1, 2, 3));
    Run("Canvas:Copy");
    ui.confirmAnswer = false;
    Run("Canvas:PasteAll");
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], QStringLiteral("選択されたレイヤーを全てのレイヤーに適用しますか？"));
    EXPECT_EQ(doc.m_cubes.size(), 1u);
    ui.confirmAnswer = true;
    Run("Canvas:PasteAll");
    EXPECT_EQ(doc.m_cubes.size(), 5u);
    EXPECT_EQ(doc.m_history.size(), 5u);

    Run("Canvas:ClearCopy");
    EXPECT_EQ(view.m_copyLayer, -1);
}

TEST_F(Commands, ModelCommands)
{
    doc.SetCube(1, 1, 1, RGB(9, 9, 9));
    doc.SetCube(2, 1, 1, RGB(9, 9, 9));
    Run("Cube:Back");
    EXPECT_EQ(doc.GetCube(2, 1, 1), CLR_NONE);
    Run("Cube:Forward");
    EXPECT_EQ(doc.GetCube(2, 1, 1), RGB(9, 9, 9));

    ui.confirmAnswer = false;
    Run("Cube:Clear");
    EXPECT_EQ(ui.questions.back(), QStringLiteral("全てのキューブを消去しますか？"));
    EXPECT_EQ(doc.m_cubes.size(), 2u);
    EXPECT_EQ(doc.m_history.size(), 2u);
    ui.confirmAnswer = true;
    Run("Cube:Clear");
    EXPECT_TRUE(doc.m_cubes.empty());
    EXPECT_EQ(doc.m_historyPos, -1);

    // Size: cancelled, refused, then accepted.
    doc.SetModifiedFlag(false);
    view.m_sightX = view.m_sightY = view.m_sightZ = 7;
    view.m_canvasPos = 9;
    view.m_copyLayer = 12;
    Run("Cube:Size");
    EXPECT_EQ(doc.m_sizeX, 16);
    ui.sizeAnswer = std::array<std::int32_t, 3>{4096, 1048577, 1};  // wraps to 4096 in 32 bits
    Run("Cube:Size");
    EXPECT_EQ(doc.m_sizeX, 16);
    ui.gridMaxSide = 32;
    ui.sizeAnswer = std::array<std::int32_t, 3>{32, 8, 2};
    Run("Cube:Size");
    EXPECT_EQ(doc.m_sizeX, 32);
    EXPECT_EQ(doc.m_sizeY, 8);
    EXPECT_EQ(doc.m_sizeZ, 2);
    EXPECT_EQ(view.m_sightX, 1);
    EXPECT_EQ(view.m_sightZ, 1);
    EXPECT_EQ(view.m_canvasPos, 0);
    EXPECT_EQ(view.m_copyLayer, -1);  // layer 12 no longer exists along y
    EXPECT_EQ(ui.rebuilds, 1);
    EXPECT_EQ(ui.fits, 1);
    EXPECT_TRUE(doc.IsModified());
    // A grid too thin for the sight cell (1,1,1) leaves no sight at all.
    ui.sizeAnswer = std::array<std::int32_t, 3>{40, 1, 40};
    Run("Cube:Size");
    EXPECT_FALSE(view.HasSight());

    ui.rateAnswer = std::array<double, 3>{1.0, 0.5, 0.1};
    Run("Cube:Rate");
    EXPECT_EQ(view.m_ratioY, 0.5);
    EXPECT_EQ(view.m_ratioZ, 0.1);
    ui.rateAnswer.reset();
    Run("Cube:Rate");
    EXPECT_EQ(view.m_ratioY, 0.5);
}

TEST_F(Commands, LineWidthsImagesAndHelp)
{
    ui.widthAnswer = 7;
    Run("Frame:LineWidth");
    EXPECT_EQ(ui.lastWidthTitle, QStringLiteral("フレーム"));
    EXPECT_EQ(view.m_frameLineWidth, 7.0);
    ui.widthAnswer.reset();
    Run("Axis:LineWidth");
    EXPECT_EQ(ui.lastWidthTitle, QStringLiteral("座標軸"));
    EXPECT_EQ(view.m_axisLineWidth, 5.0);

    // Cancelled save dialog: no export, no message, buttons repainted.
    Run("Image:PNG");
    EXPECT_EQ(ui.lastFilter, QStringLiteral("PNG File(*.png)"));
    EXPECT_EQ(ui.lastDefaultExt, QStringLiteral("png"));
    EXPECT_FALSE(ui.exportedFormat.has_value());
    EXPECT_EQ(ui.childInvalidations, 1);
    ui.pathAnswer = QStringLiteral("/tmp/shot");
    Run("Image:JPEG");
    EXPECT_EQ(ui.exportedPath, QStringLiteral("/tmp/shot.jpg"));
    EXPECT_EQ(ui.exportedFormat, ImageFormat::JPEG);
    EXPECT_TRUE(ui.warnings.empty());
    ui.exportSucceeds = false;
    Run("Image:EXIF");
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_EQ(ui.warnings[0], QStringLiteral("出力できませんでした"));
    EXPECT_EQ(ui.childInvalidations, 3);

    Run("Orvendale");
    ASSERT_EQ(ui.urls.size(), 1u);
    EXPECT_TRUE(ui.urls[0].endsWith(QStringLiteral("?MIRA-VEL")));
}

TEST_F(Commands, WithoutADocumentNothingBreaks)
{
    CommandContext noDoc{view, nullptr, ui};
    ui.confirmAnswer = true;
    ui.sizeAnswer = std::array<std::int32_t, 3>{8, 8, 8};
    for (const char* n : {"Canvas:Switch", "Canvas:Up", "Canvas:Paste", "Canvas:PasteAll", "Cube:Clear",
                          "Cube:Back", "Cube:Forward", "Cube:Size"})
        EXPECT_TRUE(CCommandDispatcher::Execute(QString::fromLatin1(n), noDoc)) << n;
}

} // namespace
