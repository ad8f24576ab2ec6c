#include "controls/CommandDispatcher.h"

#include "controls/ButtonCatalogue.h"
#include "controls/CommandUi.h"
#include "controls/GuideTexts.h"
#include "controls/ToolCommands.h"
#include "editing/CanvasLayer.h"
#include "i18n/Language.h"
#include "i18n/UserGuide.h"
#include "images/ScreenshotExport.h"
#include "images/ScreenshotFormats.h"
#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "scene/ViewState.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

#include <string_view>

namespace {

using Ctx = CommandContext;
using Id = CommandId;
using Cam = CCameraState;
using P = CViewPreferences;

void Camera(Ctx& c, double CCameraState::*field, double step)
{
    c.view.m_camera.*field += step;
    c.ui.InvalidateView();
}

// The button takes the swatch its element's state gives it.
void UpdateSwatch(Ctx& c, int button)
{
    c.ui.SetSwatch(button, DisplaySwatch(button, c.view));
    c.ui.InvalidateButton(button);
}

void SetShow(Ctx& c, std::int32_t CViewPreferences::*flag, int button, bool show)
{
    c.view.m_prefs.*flag = show;
    UpdateSwatch(c, button);
    c.ui.InvalidateView();
}

void Toggle(Ctx& c, std::int32_t CViewPreferences::*flag, int button)
{
    SetShow(c, flag, button, !(c.view.m_prefs.*flag));
}

// The colour dialog on one of the view's colours; the view repaints whatever
// the answer.
void PickColor(Ctx& c, COLORREF& color)
{
    c.ui.PickColor(color);
    c.ui.InvalidateView();
}

void PickElementColor(Ctx& c, COLORREF CViewPreferences::*color, std::int32_t CViewPreferences::*flag,
                      int button)
{
    PickColor(c, c.view.m_prefs.*color);
    SetShow(c, flag, button, c.view.m_prefs.*flag != 0);
}

// The current-colour button shows the current colour (the eyedropper takes
// a colour through the same rule).
void SetCubeSwatch(Ctx& c)
{
    ToolCommands::TakeColor(c, c.view.m_edit.m_cubeColor);
}

void LineWidth(Ctx& c, double& field, const char* title)
{
    double width = field;
    if (c.ui.RunLineWidthDialog(QCoreApplication::translate("CommandDispatcher", title), width)) {
        field = width;
        c.ui.InvalidateView();
    }
}

void ResizeGrid(Ctx& c, int)
{
    if (!c.doc)
        return;
    std::int32_t x = c.doc->m_sizeX, y = c.doc->m_sizeY, z = c.doc->m_sizeZ;
    if (!c.ui.RunCubeSizeDialog(x, y, z) || !CMiravelDoc::IsValidGridSize(x, y, z))
        return;
    const bool changed = x != c.doc->m_sizeX || y != c.doc->m_sizeY || z != c.doc->m_sizeZ;
    c.doc->SetGridSize(x, y, z);
    // The grid size is part of the saved model: closing must offer to save it.
    if (changed)
        c.doc->SetModifiedFlag();
    c.view.m_pointer.m_sightX = c.view.m_pointer.m_sightY = c.view.m_pointer.m_sightZ = 1;
    c.view.m_edit.m_canvasPos = 0;
    CanvasLayer::KeepInsideGrid(c.view.m_edit, c.view.m_pointer, *c.doc);
    c.ui.RebuildDisplayLists();
    c.ui.InvalidateView();
    CCommandDispatcher::Execute(Id::SettingDefaultScale, c);
}

void ExportImage(Ctx& c, int format)
{
    const ScreenshotFormat& f = ScreenshotFormats()[std::size_t(format)];
    QString path;
    if (c.ui.PromptImagePath(path, QString::fromLatin1(f.filterText), QString::fromLatin1(f.extension))) {
        if (!c.ui.ExportImage(WithDefaultExtension(path, f), f.format))
            c.ui.Warn(ScreenshotTexts::Failed());
    }
    // The dialogs may have covered the buttons and the scene.
    c.ui.InvalidateChildren();
    c.ui.InvalidateView();
}

// The user guide of the interface's language, in the user's browser; where
// none can be started, the user is told where the guide is.
void OpenGuide(Ctx& c)
{
    const QString page = UserGuide::Page(Language::Current());
    if (page.isEmpty())
        c.ui.Warn(GuideTexts::Missing());
    else if (!c.ui.OpenUrl(QUrl::fromLocalFile(page).toString()))
        c.ui.Warn(GuideTexts::NoBrowser(QDir::toNativeSeparators(page)));
}

// The palette is the swatches of the sixteen palette buttons.
void SelectPaletteColor(Ctx& c, int index)
{
    ToolCommands::TakeColor(c, c.ui.Swatch(ButtonColor1 + index));
}

// Whatever the dialog's answer, the palette button takes the current colour.
void ChangePaletteColor(Ctx& c, int index)
{
    PickColor(c, c.view.m_edit.m_cubeColor);
    c.ui.SetSwatch(ButtonColor1 + index, c.view.m_edit.m_cubeColor);
    c.ui.InvalidateButton(ButtonColor1 + index);
    SetCubeSwatch(c);
}

constexpr KeyChord Key(int key) { return {KeyModifier::None, key}; }
constexpr KeyChord Shift(int key) { return {KeyModifier::Shift, key}; }
constexpr KeyChord Alt(int key) { return {KeyModifier::Alt, key}; }
constexpr KeyChord Ctrl(int key) { return {KeyModifier::Ctrl, key}; }

// The command table: one row per command, in id order. A new command is an
// id in CommandIds.h and a row here.
constexpr CommandRow kTable[] = {
    // Camera.
    {Id::RotateXBack, "RotateX:Back", [](Ctx& c, int) { Camera(c, &Cam::m_rotX, -Camera::kRotateStep); }, 0, {Key(Qt::Key_Up)}},
    {Id::RotateXForward, "RotateX:Forward", [](Ctx& c, int) { Camera(c, &Cam::m_rotX, Camera::kRotateStep); }, 0, {Key(Qt::Key_Down)}},
    {Id::RotateYBack, "RotateY:Back", [](Ctx& c, int) { Camera(c, &Cam::m_rotY, -Camera::kRotateStep); }, 0, {Key(Qt::Key_Left)}},
    {Id::RotateYForward, "RotateY:Forward", [](Ctx& c, int) { Camera(c, &Cam::m_rotY, Camera::kRotateStep); }, 0, {Key(Qt::Key_Right)}},
    {Id::MoveUp, "Move:Up", [](Ctx& c, int) { Camera(c, &Cam::m_lookY, -Camera::kMoveStep); }, 0, {Shift(Qt::Key_Up)}},
    {Id::MoveDown, "Move:Down", [](Ctx& c, int) { Camera(c, &Cam::m_lookY, Camera::kMoveStep); }, 0, {Shift(Qt::Key_Down)}},
    {Id::MoveLeft, "Move:Left", [](Ctx& c, int) { Camera(c, &Cam::m_lookX, Camera::kMoveStep); }, 0, {Shift(Qt::Key_Left)}},
    {Id::MoveRight, "Move:Right", [](Ctx& c, int) { Camera(c, &Cam::m_lookX, -Camera::kMoveStep); }, 0, {Shift(Qt::Key_Right)}},
    {Id::ScaleUp, "Scale:Up", [](Ctx& c, int) { Camera(c, &Cam::m_scale, Camera::kScaleStep); }, 0, {Ctrl(Qt::Key_Up)}},
    {Id::ScaleDown, "Scale:Down",
     [](Ctx& c, int) {
         c.view.m_camera.m_scale = Camera::ScaleDown(c.view.m_camera.m_scale);
         c.ui.InvalidateView();
     },
     0, {Ctrl(Qt::Key_Down)}},
    {Id::SettingDefaultScale, "Setting:DefaultScale",
     [](Ctx& c, int) {
         c.ui.FitZoom(c.fitPose ? *c.fitPose : c.view.m_camera);
         c.ui.InvalidateView();
     }},
    {Id::SettingDefaultRotated, "Setting:DefaultRotated",
     [](Ctx& c, int) {
         Camera::ResetRotation(c.view.m_camera);
         c.ui.InvalidateView();
     }},
    {Id::SettingDefaultLookAt, "Setting:DefaultLookAt",
     [](Ctx& c, int) {
         Camera::ResetLookAt(c.view.m_camera);
         c.ui.InvalidateView();
     }},
    {Id::SettingDefault, "Setting:Default",
     [](Ctx& c, int) {
         // The zoom is fitted first, for the rotation set right after it.
         Cam pose = c.view.m_camera;
         Camera::ResetRotation(pose);
         const Cam* outer = c.fitPose;
         c.fitPose = &pose;
         CCommandDispatcher::Execute(Id::SettingDefaultScale, c);
         c.fitPose = outer;
         CCommandDispatcher::Execute(Id::SettingDefaultRotated, c);
         CCommandDispatcher::Execute(Id::SettingDefaultLookAt, c);
     },
     0, {Key(Qt::Key_D)}},

    // Buttons and menus.
    {Id::ControlPos, "Control:Pos",
     [](Ctx& c, int) {
         ControlColumn& pos = c.view.m_prefs.m_controlPos;
         pos = pos == ControlColumn::Left ? ControlColumn::Right : ControlColumn::Left;
         c.ui.LayoutButtons();
     },
     0, {Alt(Qt::Key_9)}},
    {Id::ColorPos, "Color:Pos",
     [](Ctx& c, int) {
         // Positions outside 0..3 (a hand-edited settings file) stay as they are.
         PaletteCorner& pos = c.view.m_prefs.m_colorPos;
         if (int(pos) >= 0 && int(pos) <= 3)
             pos = PaletteCorner((int(pos) + 1) % 4);
         c.ui.LayoutButtons();
     },
     0, {Alt(Qt::Key_0)}},
    {Id::ControlButton, "Control:Button", [](Ctx& c, int) { c.ui.ShowControlButtons(!c.view.m_prefs.m_showControl); }, 0, {Key(Qt::Key_9)}},
    {Id::ColorButton, "Color:Button", [](Ctx& c, int) { c.ui.ShowColorButtons(!c.view.m_prefs.m_showColor); }, 0, {Key(Qt::Key_0)}},
    {Id::ButtonButton, "Button:Button",
     [](Ctx& c, int) {
         c.view.m_showButtons = !c.view.m_showButtons;
         c.view.m_prefs.m_showControl = c.view.m_prefs.m_showColor = !c.view.m_showButtons;
         CCommandDispatcher::Execute(Id::ControlButton, c);
         CCommandDispatcher::Execute(Id::ColorButton, c);
     }},
    {Id::Setting, "Setting", [](Ctx& c, int) { c.ui.ShowSettingMenu(); }, 0, {Key(Qt::Key_Z)}},
    {Id::ScreenShot, "ScreenShot", [](Ctx& c, int) { c.ui.ShowScreenShotMenu(); }},

    // Canvas.
    {Id::CanvasSwitch, "Canvas:Switch",
     [](Ctx& c, int) {
         if (!c.doc)
             return;
         CanvasLayer::SwitchCanvas(c.view.m_edit, c.view.m_pointer, *c.doc, true);
         c.ui.RebuildDisplayLists();
         c.ui.InvalidateView();
     },
     0, {Key(Qt::Key_C), Ctrl(Qt::Key_Space)}},
    {Id::CanvasUp, "Canvas:Up",
     [](Ctx& c, int) {
         if (c.doc)
             CanvasLayer::MoveCanvas(c.view.m_edit, *c.doc, true);
         c.ui.InvalidateView();
     }},
    {Id::CanvasDown, "Canvas:Down",
     [](Ctx& c, int) {
         if (c.doc)
             CanvasLayer::MoveCanvas(c.view.m_edit, *c.doc, false);
         c.ui.InvalidateView();
     }},
    {Id::CanvasCopy, "Canvas:Copy",
     [](Ctx& c, int) {
         CanvasLayer::Copy(c.view.m_edit);
         c.ui.InvalidateView();
     },
     0, {Ctrl(Qt::Key_C)}},
    {Id::CanvasClearCopy, "Canvas:ClearCopy",
     [](Ctx& c, int) {
         CanvasLayer::ClearCopy(c.view.m_edit);
         c.ui.InvalidateView();
     },
     0, {Ctrl(Qt::Key_R)}},
    {Id::CanvasPaste, "Canvas:Paste",
     [](Ctx& c, int) {
         if (c.doc)
             CanvasLayer::PasteLayer(c.view.m_edit, *c.doc);
         c.ui.InvalidateView();
     },
     0, {Ctrl(Qt::Key_V)}},
    {Id::CanvasPasteAll, "Canvas:PasteAll",
     [](Ctx& c, int) {
         if (c.doc)
             CanvasLayer::PasteLayerToAll(c.view.m_edit, *c.doc, [&c] {
                 return c.ui.Confirm(QCoreApplication::translate("CommandDispatcher", "選択されたレイヤーを全てのレイヤーに適用しますか？"));
             });
         c.ui.InvalidateView();
     }},

    // Model and drawing mode.
    {Id::CubeSize, "Cube:Size", ResizeGrid},
    {Id::CubeRate, "Cube:Rate",
     [](Ctx& c, int) {
         double x = 1, y = 1, z = 1;
         if (c.ui.RunCubeRateDialog(x, y, z)) {
             c.view.m_camera.m_ratioX = x;
             c.view.m_camera.m_ratioY = y;
             c.view.m_camera.m_ratioZ = z;
             c.ui.InvalidateView();
         }
     }},
    {Id::CubeClear, "Cube:Clear",
     [](Ctx& c, int) {
         if (c.doc && c.ui.Confirm(QCoreApplication::translate("CommandDispatcher", "全てのキューブを消去しますか？")))
             c.doc->ClearAllCubes();
     }},
    {Id::CubeBack, "Cube:Back",
     [](Ctx& c, int) {
         if (!c.doc)
             return;
         c.doc->HistoryBack();
         c.doc->UpdateAllViews();
     },
     0, {Ctrl(Qt::Key_Z)}},
    {Id::CubeForward, "Cube:Forward",
     [](Ctx& c, int) {
         if (!c.doc)
             return;
         c.doc->HistoryForward();
         c.doc->UpdateAllViews();
     },
     0, {Ctrl(Qt::Key_Y)}},
    {Id::DrawSwitch, "Draw:Switch",
     [](Ctx& c, int) {
         DrawMode& mode = c.view.m_edit.m_drawMode;
         mode = mode == DrawMode::Canvas ? DrawMode::Attach : DrawMode::Canvas;
         UpdateSwatch(c, ButtonDrawSwitch);
         c.ui.InvalidateView();
     },
     0, {Key(Qt::Key_Space), Ctrl(Qt::Key_D)}},
    {Id::CubePolygon, "Cube:Polygon",
     [](Ctx& c, int) {
         // A stored number outside the three goes on to black edges too.
         CubeStyle& style = c.view.m_prefs.m_wireFrame;
         style = style == CubeStyle::FilledBlackEdges ? CubeStyle::Filled
                 : style == CubeStyle::Filled         ? CubeStyle::Wireframe
                                                      : CubeStyle::FilledBlackEdges;
         c.ui.InvalidateView();
     },
     0, {Key(Qt::Key_Q)}},

    // Colours.
    {Id(int(Id::CubeColor1) + 0), "Cube:Color1", SelectPaletteColor, 0},
    {Id(int(Id::CubeColor1) + 1), "Cube:Color2", SelectPaletteColor, 1},
    {Id(int(Id::CubeColor1) + 2), "Cube:Color3", SelectPaletteColor, 2},
    {Id(int(Id::CubeColor1) + 3), "Cube:Color4", SelectPaletteColor, 3},
    {Id(int(Id::CubeColor1) + 4), "Cube:Color5", SelectPaletteColor, 4},
    {Id(int(Id::CubeColor1) + 5), "Cube:Color6", SelectPaletteColor, 5},
    {Id(int(Id::CubeColor1) + 6), "Cube:Color7", SelectPaletteColor, 6},
    {Id(int(Id::CubeColor1) + 7), "Cube:Color8", SelectPaletteColor, 7},
    {Id(int(Id::CubeColor1) + 8), "Cube:Color9", SelectPaletteColor, 8},
    {Id(int(Id::CubeColor1) + 9), "Cube:Color10", SelectPaletteColor, 9},
    {Id(int(Id::CubeColor1) + 10), "Cube:Color11", SelectPaletteColor, 10},
    {Id(int(Id::CubeColor1) + 11), "Cube:Color12", SelectPaletteColor, 11},
    {Id(int(Id::CubeColor1) + 12), "Cube:Color13", SelectPaletteColor, 12},
    {Id(int(Id::CubeColor1) + 13), "Cube:Color14", SelectPaletteColor, 13},
    {Id(int(Id::CubeColor1) + 14), "Cube:Color15", SelectPaletteColor, 14},
    {Id::CubeColor16, "Cube:Color16", SelectPaletteColor, 15},
    {Id(int(Id::CubeChangeColor1) + 0), "Cube:ChangeColor1", ChangePaletteColor, 0},
    {Id(int(Id::CubeChangeColor1) + 1), "Cube:ChangeColor2", ChangePaletteColor, 1},
    {Id(int(Id::CubeChangeColor1) + 2), "Cube:ChangeColor3", ChangePaletteColor, 2},
    {Id(int(Id::CubeChangeColor1) + 3), "Cube:ChangeColor4", ChangePaletteColor, 3},
    {Id(int(Id::CubeChangeColor1) + 4), "Cube:ChangeColor5", ChangePaletteColor, 4},
    {Id(int(Id::CubeChangeColor1) + 5), "Cube:ChangeColor6", ChangePaletteColor, 5},
    {Id(int(Id::CubeChangeColor1) + 6), "Cube:ChangeColor7", ChangePaletteColor, 6},
    {Id(int(Id::CubeChangeColor1) + 7), "Cube:ChangeColor8", ChangePaletteColor, 7},
    {Id(int(Id::CubeChangeColor1) + 8), "Cube:ChangeColor9", ChangePaletteColor, 8},
    {Id(int(Id::CubeChangeColor1) + 9), "Cube:ChangeColor10", ChangePaletteColor, 9},
    {Id(int(Id::CubeChangeColor1) + 10), "Cube:ChangeColor11", ChangePaletteColor, 10},
    {Id(int(Id::CubeChangeColor1) + 11), "Cube:ChangeColor12", ChangePaletteColor, 11},
    {Id(int(Id::CubeChangeColor1) + 12), "Cube:ChangeColor13", ChangePaletteColor, 12},
    {Id(int(Id::CubeChangeColor1) + 13), "Cube:ChangeColor14", ChangePaletteColor, 13},
    {Id(int(Id::CubeChangeColor1) + 14), "Cube:ChangeColor15", ChangePaletteColor, 14},
    {Id::CubeChangeColor16, "Cube:ChangeColor16", ChangePaletteColor, 15},
    {Id::CubeColor, "Cube:Color",
     [](Ctx& c, int) {
         PickColor(c, c.view.m_edit.m_cubeColor);
         SetCubeSwatch(c);
     },
     0, {Alt(Qt::Key_Q)}},
    {Id::FocusColor, "Focus:Color", [](Ctx& c, int) { PickElementColor(c, &P::m_sightColor, &P::m_showSight, ButtonSight); }, 0, {Alt(Qt::Key_4)}},
    {Id::GroundColor, "Ground:Color", [](Ctx& c, int) { PickElementColor(c, &P::m_groundColor, &P::m_showGround, ButtonGround); }, 0, {Alt(Qt::Key_3)}},
    {Id::FrameColor, "Frame:Color", [](Ctx& c, int) { PickElementColor(c, &P::m_frameColor, &P::m_showFrame, ButtonFrame); }, 0, {Alt(Qt::Key_1)}},
    {Id::CanvasColor, "Canvas:Color", [](Ctx& c, int) { PickElementColor(c, &P::m_canvasColor, &P::m_showCanvas, ButtonCanvas); }, 0, {Alt(Qt::Key_2)}},
    {Id::BackColor, "Back:Color",
     [](Ctx& c, int) {
         PickColor(c, c.view.m_prefs.m_backColor);
         UpdateSwatch(c, ButtonBack);
     },
     0, {Alt(Qt::Key_6)}},

    // Scene toggles.
    {Id::FocusShow, "Focus:Show", [](Ctx& c, int) { Toggle(c, &P::m_showSight, ButtonSight); }, 0, {Key(Qt::Key_4)}},
    {Id::GroundShow, "Ground:Show", [](Ctx& c, int) { Toggle(c, &P::m_showGround, ButtonGround); }, 0, {Key(Qt::Key_3)}},
    {Id::FrameShow, "Frame:Show", [](Ctx& c, int) { Toggle(c, &P::m_showFrame, ButtonFrame); }, 0, {Key(Qt::Key_1)}},
    {Id::CanvasShow, "Canvas:Show", [](Ctx& c, int) { Toggle(c, &P::m_showCanvas, ButtonCanvas); }, 0, {Key(Qt::Key_2)}},
    {Id::AxisShow, "Axis:Show", [](Ctx& c, int) { Toggle(c, &P::m_showAxis, ButtonAxis); }, 0, {Key(Qt::Key_5)}},
    {Id::BackShow, "Back:Show", [](Ctx&, int) {}},  // the background is always drawn
    {Id::LightSwitch, "Light:Switch", [](Ctx& c, int) { Toggle(c, &P::m_lightEnable, ButtonLight); }, 0, {Key(Qt::Key_7)}},
    {Id::LightPosition, "Light:Position",
     [](Ctx& c, int) {
         c.view.m_prefs.m_lightPos = c.view.m_prefs.m_lightPos < 7 ? c.view.m_prefs.m_lightPos + 1 : 0;
         c.ui.InvalidateView();
     },
     0, {Key(Qt::Key_L), Alt(Qt::Key_7)}},

    // Line widths.
    {Id::CubeLineWidth, "Cube:LineWidth", [](Ctx& c, int) { LineWidth(c, c.view.m_cubeLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "キューブ")); }},
    {Id::FrameLineWidth, "Frame:LineWidth", [](Ctx& c, int) { LineWidth(c, c.view.m_prefs.m_frameLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "フレーム")); }},
    {Id::CanvasLineWidth, "Canvas:LineWidth", [](Ctx& c, int) { LineWidth(c, c.view.m_prefs.m_canvasLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "キャンバス")); }},
    {Id::SightLineWidth, "Sight:LineWidth", [](Ctx& c, int) { LineWidth(c, c.view.m_prefs.m_sightLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "照準")); }},
    {Id::AxisLineWidth, "Axis:LineWidth", [](Ctx& c, int) { LineWidth(c, c.view.m_prefs.m_axisLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "座標軸")); }},

    // Image export: the rows name the screenshot formats by their place.
    {Id::ImageBMP, "Image:BMP", ExportImage, 0},
    {Id::ImagePNG, "Image:PNG", ExportImage, 1},
    {Id::ImageGIF, "Image:GIF", ExportImage, 2},
    {Id::ImageTIFF, "Image:TIFF", ExportImage, 3},
    {Id::ImageEXIF, "Image:EXIF", ExportImage, 4},
    {Id::ImageJPEG, "Image:JPEG", ExportImage, 5},
    {Id::ImageICON, "Image:ICON", ExportImage, 6},

    // Help.
    {Id::Orvendale, "Orvendale", [](Ctx& c, int) { OpenGuide(c); }},

    // Tools. Their keys hold Ctrl and Shift together, which the view's keys
    // never send: they are the main window's shortcuts.
    {Id::ToolEyedropper, "Tool:Eyedropper", ToolCommands::Eyedropper},
    {Id::ToolMirrorX, "Tool:MirrorX", ToolCommands::ToggleMirror, 0},
    {Id::ToolMirrorZ, "Tool:MirrorZ", ToolCommands::ToggleMirror, 2},
    {Id::ToolFill, "Tool:Fill", ToolCommands::Fill},
    {Id::ToolReplaceColor, "Tool:ReplaceColor", ToolCommands::ReplaceColor},
    {Id::ModelMovePlusX, "Model:MovePlusX", ToolCommands::MoveModel, 0},
    {Id::ModelMoveMinusX, "Model:MoveMinusX", ToolCommands::MoveModel, 1},
    {Id::ModelMovePlusY, "Model:MovePlusY", ToolCommands::MoveModel, 2},
    {Id::ModelMoveMinusY, "Model:MoveMinusY", ToolCommands::MoveModel, 3},
    {Id::ModelMovePlusZ, "Model:MovePlusZ", ToolCommands::MoveModel, 4},
    {Id::ModelMoveMinusZ, "Model:MoveMinusZ", ToolCommands::MoveModel, 5},
    {Id::ModelTurnRight, "Model:TurnRight", ToolCommands::TurnModel, 1},
    {Id::ModelTurnLeft, "Model:TurnLeft", ToolCommands::TurnModel, 0},
    {Id::ModelFlipX, "Model:FlipX", ToolCommands::FlipModel, 0},
    {Id::ModelFlipZ, "Model:FlipZ", ToolCommands::FlipModel, 2},
    {Id::ModelFitGrid, "Model:FitGrid", ToolCommands::FitGrid},
};

// Each row sits at its id's place, and no name or key chord is used twice.
constexpr bool TableIsConsistent()
{
    if (std::size(kTable) != std::size_t(kCommandCount))
        return false;
    for (std::size_t i = 0; i < std::size(kTable); ++i) {
        if (std::size_t(kTable[i].id) != i || std::string_view(kTable[i].name).empty())
            return false;
        // An image row names its screenshot format by its place among them.
        if (kTable[i].id >= Id::ImageBMP && kTable[i].id <= Id::ImageICON &&
            kTable[i].arg != int(kTable[i].id) - int(Id::ImageBMP))
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (std::string_view(kTable[i].name) == std::string_view(kTable[j].name))
                return false;
            for (const KeyChord& a : kTable[i].keys)
                for (const KeyChord& b : kTable[j].keys)
                    if (a.key != 0 && a.key == b.key && a.modifier == b.modifier)
                        return false;
        }
    }
    return true;
}
static_assert(TableIsConsistent(), "command rows out of id order, an image row off its format, or a name or key used twice");

} // namespace

std::span<const CommandRow> CCommandDispatcher::Table()
{
    return kTable;
}

const CommandRow& CCommandDispatcher::Row(CommandId id)
{
    return kTable[std::size_t(id)];
}

QString CCommandDispatcher::Name(CommandId id)
{
    return QString::fromLatin1(Row(id).name);
}

std::optional<CommandId> CCommandDispatcher::Find(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    for (const CommandRow& row : kTable)
        if (name == QLatin1String(row.name))
            return row.id;
    return std::nullopt;
}

void CCommandDispatcher::Execute(CommandId id, CommandContext& ctx)
{
    const CommandRow& row = Row(id);
    row.run(ctx, row.arg);
}

bool CCommandDispatcher::Execute(const QString& name, CommandContext& ctx)
{
    const std::optional<CommandId> id = Find(name);
    if (!id)
        return false;
    Execute(*id, ctx);
    return true;
}

void CCommandDispatcher::RefreshSwatches(CommandContext& c)
{
    for (int button : {ButtonAxis, ButtonSight, ButtonGround, ButtonFrame, ButtonCanvas, ButtonBack, ButtonLight})
        c.ui.SetSwatch(button, DisplaySwatch(button, c.view));
}
