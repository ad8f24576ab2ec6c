#include "controls/CommandDispatcher.h"

#include "controls/ButtonCatalogue.h"
#include "controls/CommandUi.h"
#include "controls/GuideTexts.h"
#include "controls/ToolCommands.h"
#include "exchange/FileFormats.h"
#include "editing/CanvasLayer.h"
#include "i18n/Language.h"
#include "i18n/UserGuide.h"
#include "images/ScreenshotExport.h"
#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "scene/ViewState.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

#include <algorithm>
#include <optional>

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

void ResizeGrid(Ctx& c)
{
    if (!c.doc)
        return;
    // The size dialog cannot hold a grid of more than its 64000 cells: it
    // would open with OK disabled, its only way out a size that hides almost
    // every cube. Such a grid gets the large-grid dialog instead.
    if (std::int64_t(c.doc->m_sizeX) * c.doc->m_sizeY * c.doc->m_sizeZ > GridLimits::kSizeDialogCells) {
        ToolCommands::LargeGridSize(c);
        return;
    }
    std::int32_t x = c.doc->m_sizeX, y = c.doc->m_sizeY, z = c.doc->m_sizeZ;
    if (c.ui.RunCubeSizeDialog(x, y, z))
        ToolCommands::SetGridSize(c, x, y, z);
}

// The save dialog offers the picture format's filter and extension.
void ExportImage(Ctx& c, ImageFormat format)
{
    const FileFormat* f = FileFormats::ForImage(format);
    if (!f)
        return;
    QString path;
    if (c.ui.PromptImagePath(path, f->Filter(), f->Suffix())) {
        if (!c.ui.ExportImage(WithDefaultExtension(path, f->Suffix()), f->image))
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

template <int Index>
void SelectPalette(Ctx& c) { SelectPaletteColor(c, Index); }
template <int Index>
void ChangePalette(Ctx& c) { ChangePaletteColor(c, Index); }

template <ImageFormat Format>
void ExportImageAs(Ctx& c) { ExportImage(c, Format); }

// Check marks of the setting menu.
bool ShowsColorButtons(const CViewState& v) { return v.m_prefs.m_showColor != 0; }
bool ShowsControlButtons(const CViewState& v) { return v.m_prefs.m_showControl != 0; }
bool LightIsOn(const CViewState& v) { return v.m_prefs.m_lightEnable != 0; }

constexpr MenuPlace Setting(std::uint8_t group) { return {MenuId::Setting, group}; }
constexpr MenuPlace Edit(std::uint8_t group) { return {MenuId::Edit, group}; }
constexpr MenuPlace kPlacement{MenuId::SettingPlacement, 0};
constexpr MenuPlace kButtonShow{MenuId::SettingShow, 0};
constexpr MenuPlace kLineWidth{MenuId::SettingLineWidth, 0};
constexpr MenuPlace kScreenShot{MenuId::ScreenShot, 0};

// The view's commands, in the groups the user knows: camera, buttons and
// menus, canvas, model and drawing mode, colours, scene toggles, line
// widths, image export, help. Rows of one menu appear in it in this order.
constexpr CommandRow kRows[] = {
    // Camera.
    {.id = Id::RotateXBack, .name = "RotateX:Back", .run = [](Ctx& c) { Camera(c, &Cam::m_rotX, -Camera::kRotateStep); }, .keys = {Key(Qt::Key_Up)}},
    {.id = Id::RotateXForward, .name = "RotateX:Forward", .run = [](Ctx& c) { Camera(c, &Cam::m_rotX, Camera::kRotateStep); }, .keys = {Key(Qt::Key_Down)}},
    {.id = Id::RotateYBack, .name = "RotateY:Back", .run = [](Ctx& c) { Camera(c, &Cam::m_rotY, -Camera::kRotateStep); }, .keys = {Key(Qt::Key_Left)}},
    {.id = Id::RotateYForward, .name = "RotateY:Forward", .run = [](Ctx& c) { Camera(c, &Cam::m_rotY, Camera::kRotateStep); }, .keys = {Key(Qt::Key_Right)}},
    {.id = Id::MoveUp, .name = "Move:Up", .run = [](Ctx& c) { Camera(c, &Cam::m_lookY, -Camera::kMoveStep); }, .keys = {Shift(Qt::Key_Up)}},
    {.id = Id::MoveDown, .name = "Move:Down", .run = [](Ctx& c) { Camera(c, &Cam::m_lookY, Camera::kMoveStep); }, .keys = {Shift(Qt::Key_Down)}},
    {.id = Id::MoveLeft, .name = "Move:Left", .run = [](Ctx& c) { Camera(c, &Cam::m_lookX, Camera::kMoveStep); }, .keys = {Shift(Qt::Key_Left)}},
    {.id = Id::MoveRight, .name = "Move:Right", .run = [](Ctx& c) { Camera(c, &Cam::m_lookX, -Camera::kMoveStep); }, .keys = {Shift(Qt::Key_Right)}},
    {.id = Id::ScaleUp, .name = "Scale:Up", .run = [](Ctx& c) { Camera(c, &Cam::m_scale, Camera::kScaleStep); }, .keys = {Ctrl(Qt::Key_Up)}},
    {.id = Id::ScaleDown, .name = "Scale:Down",
     .run = [](Ctx& c) {
         c.view.m_camera.m_scale = Camera::ScaleDown(c.view.m_camera.m_scale);
         c.ui.InvalidateView();
     },
     .keys = {Ctrl(Qt::Key_Down)}},
    {.id = Id::SettingDefaultScale, .name = "Setting:DefaultScale",
     .run = [](Ctx& c) {
         c.ui.FitZoom(c.fitPose ? *c.fitPose : c.view.m_camera);
         c.ui.InvalidateView();
     }},
    {.id = Id::SettingDefaultRotated, .name = "Setting:DefaultRotated",
     .run = [](Ctx& c) {
         Camera::ResetRotation(c.view.m_camera);
         c.ui.InvalidateView();
     }},
    {.id = Id::SettingDefaultLookAt, .name = "Setting:DefaultLookAt",
     .run = [](Ctx& c) {
         Camera::ResetLookAt(c.view.m_camera);
         c.ui.InvalidateView();
     }},
    {.id = Id::SettingDefault, .name = "Setting:Default",
     .run = [](Ctx& c) {
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
     .label = QT_TRANSLATE_NOOP("Commands", "ビュー初期状態"), .place = Setting(3), .keys = {Key(Qt::Key_D)}},

    // Buttons and menus.
    {.id = Id::ColorPos, .name = "Color:Pos",
     .run = [](Ctx& c) {
         // Positions outside 0..3 (a hand-edited settings file) stay as they are.
         PaletteCorner& pos = c.view.m_prefs.m_colorPos;
         if (int(pos) >= 0 && int(pos) <= 3)
             pos = PaletteCorner((int(pos) + 1) % 4);
         c.ui.LayoutButtons();
     },
     .label = QT_TRANSLATE_NOOP("Commands", "カラー ボタン"), .place = kPlacement, .keys = {Alt(Qt::Key_0)}},
    {.id = Id::ControlPos, .name = "Control:Pos",
     .run = [](Ctx& c) {
         ControlColumn& pos = c.view.m_prefs.m_controlPos;
         pos = pos == ControlColumn::Left ? ControlColumn::Right : ControlColumn::Left;
         c.ui.LayoutButtons();
     },
     .label = QT_TRANSLATE_NOOP("Commands", "コントロール ボタン"), .place = kPlacement, .keys = {Alt(Qt::Key_9)}},
    {.id = Id::ColorButton, .name = "Color:Button", .run = [](Ctx& c) { c.ui.ShowColorButtons(!c.view.m_prefs.m_showColor); },
     .label = QT_TRANSLATE_NOOP("Commands", "カラー ボタン"), .place = kButtonShow, .keys = {Key(Qt::Key_0)},
     .checkable = true, .checked = ShowsColorButtons},
    {.id = Id::ControlButton, .name = "Control:Button", .run = [](Ctx& c) { c.ui.ShowControlButtons(!c.view.m_prefs.m_showControl); },
     .label = QT_TRANSLATE_NOOP("Commands", "コントロール ボタン"), .place = kButtonShow, .keys = {Key(Qt::Key_9)},
     .checkable = true, .checked = ShowsControlButtons},
    {.id = Id::ButtonButton, .name = "Button:Button",
     .run = [](Ctx& c) {
         c.view.m_showButtons = !c.view.m_showButtons;
         c.view.m_prefs.m_showControl = c.view.m_prefs.m_showColor = !c.view.m_showButtons;
         CCommandDispatcher::Execute(Id::ControlButton, c);
         CCommandDispatcher::Execute(Id::ColorButton, c);
     }},
    {.id = Id::Setting, .name = "Setting", .run = [](Ctx& c) { c.ui.ShowSettingMenu(); }, .keys = {Key(Qt::Key_Z)}},
    {.id = Id::ScreenShot, .name = "ScreenShot", .run = [](Ctx& c) { c.ui.ShowScreenShotMenu(); }},

    // Canvas.
    {.id = Id::CanvasSwitch, .name = "Canvas:Switch",
     .run = [](Ctx& c) {
         if (!c.doc)
             return;
         CanvasLayer::SwitchCanvas(c.view.m_edit, c.view.m_pointer, *c.doc, true);
         c.ui.RebuildDisplayLists();
         c.ui.InvalidateView();
     },
     .keys = {Key(Qt::Key_C), Ctrl(Qt::Key_Space)}},
    {.id = Id::CanvasUp, .name = "Canvas:Up",
     .run = [](Ctx& c) {
         if (c.doc)
             CanvasLayer::MoveCanvas(c.view.m_edit, *c.doc, true);
         c.ui.InvalidateView();
     }},
    {.id = Id::CanvasDown, .name = "Canvas:Down",
     .run = [](Ctx& c) {
         if (c.doc)
             CanvasLayer::MoveCanvas(c.view.m_edit, *c.doc, false);
         c.ui.InvalidateView();
     }},
    {.id = Id::CanvasCopy, .name = "Canvas:Copy",
     .run = [](Ctx& c) {
         CanvasLayer::Copy(c.view.m_edit);
         c.ui.InvalidateView();
     },
     .keys = {Ctrl(Qt::Key_C)}},
    {.id = Id::CanvasClearCopy, .name = "Canvas:ClearCopy",
     .run = [](Ctx& c) {
         CanvasLayer::ClearCopy(c.view.m_edit);
         c.ui.InvalidateView();
     },
     .keys = {Ctrl(Qt::Key_R)}},
    {.id = Id::CanvasPaste, .name = "Canvas:Paste",
     .run = [](Ctx& c) {
         if (c.doc)
             CanvasLayer::PasteLayer(c.view.m_edit, *c.doc);
         c.ui.InvalidateView();
     },
     .keys = {Ctrl(Qt::Key_V)}},
    {.id = Id::CanvasPasteAll, .name = "Canvas:PasteAll",
     .run = [](Ctx& c) {
         if (c.doc)
             CanvasLayer::PasteLayerToAll(c.view.m_edit, *c.doc, [&c] {
                 return c.ui.Confirm(QCoreApplication::translate("CommandDispatcher", "選択されたレイヤーを全てのレイヤーに適用しますか？"));
             });
         c.ui.InvalidateView();
     }},

    // Model and drawing mode.
    {.id = Id::CubeSize, .name = "Cube:Size", .run = ResizeGrid,
     .label = QT_TRANSLATE_NOOP("Commands", "キューブのサイズ(X,Y,Z)を変更"), .place = Setting(0)},
    {.id = Id::CubeRate, .name = "Cube:Rate",
     .run = [](Ctx& c) {
         double x = 1, y = 1, z = 1;
         if (c.ui.RunCubeRateDialog(x, y, z)) {
             c.view.m_camera.m_ratioX = x;
             c.view.m_camera.m_ratioY = y;
             c.view.m_camera.m_ratioZ = z;
             c.ui.InvalidateView();
         }
     },
     .label = QT_TRANSLATE_NOOP("Commands", "キューブの比率を変更"), .place = Setting(0)},
    {.id = Id::CubeClear, .name = "Cube:Clear",
     .run = [](Ctx& c) {
         if (c.doc && c.ui.Confirm(QCoreApplication::translate("CommandDispatcher", "全てのキューブを消去しますか？")))
             c.doc->ClearAllCubes();
     },
     .label = QT_TRANSLATE_NOOP("Commands", "キューブをクリア"), .place = Setting(0)},
    {.id = Id::CubeBack, .name = "Cube:Back",
     .run = [](Ctx& c) {
         if (!c.doc)
             return;
         c.doc->HistoryBack(c.ui.LongWork(false));
         c.doc->UpdateAllViews();
     },
     .label = QT_TRANSLATE_NOOP("Commands", "元に戻す(&U)"), .place = Edit(0), .keys = {Ctrl(Qt::Key_Z)}},
    // Redo has the window's usual second key too.
    {.id = Id::CubeForward, .name = "Cube:Forward",
     .run = [](Ctx& c) {
         if (!c.doc)
             return;
         c.doc->HistoryForward(c.ui.LongWork(false));
         c.doc->UpdateAllViews();
     },
     .label = QT_TRANSLATE_NOOP("Commands", "やり直し(&R)"), .place = Edit(0),
     .keys = {Ctrl(Qt::Key_Y), Shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
    // A whole gesture at once: a sweep, a paste, a click with its mirrors.
    {.id = Id::CubeStrokeBack, .name = "Cube:StrokeBack",
     .run = [](Ctx& c) {
         if (!c.doc)
             return;
         c.doc->StrokeBack(c.ui.LongWork(false));
         c.doc->UpdateAllViews();
     },
     .label = QT_TRANSLATE_NOOP("Commands", "ストロークを元に戻す(&S)"), .place = Edit(1),
     .keys = {Shortcut(Qt::CTRL | Qt::ALT | Qt::Key_Z)}},
    {.id = Id::CubeStrokeForward, .name = "Cube:StrokeForward",
     .run = [](Ctx& c) {
         if (!c.doc)
             return;
         c.doc->StrokeForward(c.ui.LongWork(false));
         c.doc->UpdateAllViews();
     },
     .label = QT_TRANSLATE_NOOP("Commands", "ストロークをやり直し(&T)"), .place = Edit(1),
     .keys = {Shortcut(Qt::CTRL | Qt::ALT | Qt::Key_Y)}},
    {.id = Id::DrawSwitch, .name = "Draw:Switch",
     .run = [](Ctx& c) {
         DrawMode& mode = c.view.m_edit.m_drawMode;
         mode = mode == DrawMode::Canvas ? DrawMode::Attach : DrawMode::Canvas;
         UpdateSwatch(c, ButtonDrawSwitch);
         c.ui.InvalidateView();
     },
     .keys = {Key(Qt::Key_Space), Ctrl(Qt::Key_D)}},
    {.id = Id::CubePolygon, .name = "Cube:Polygon",
     .run = [](Ctx& c) {
         // A stored number outside the three goes on to black edges too.
         CubeStyle& style = c.view.m_prefs.m_wireFrame;
         style = style == CubeStyle::FilledBlackEdges ? CubeStyle::Filled
                 : style == CubeStyle::Filled         ? CubeStyle::Wireframe
                                                      : CubeStyle::FilledBlackEdges;
         c.ui.InvalidateView();
     },
     .keys = {Key(Qt::Key_Q)}},

    // Colours.
    {.id = PaletteSelectCommand(0), .name = "Cube:Color1", .run = SelectPalette<0>},
    {.id = PaletteSelectCommand(1), .name = "Cube:Color2", .run = SelectPalette<1>},
    {.id = PaletteSelectCommand(2), .name = "Cube:Color3", .run = SelectPalette<2>},
    {.id = PaletteSelectCommand(3), .name = "Cube:Color4", .run = SelectPalette<3>},
    {.id = PaletteSelectCommand(4), .name = "Cube:Color5", .run = SelectPalette<4>},
    {.id = PaletteSelectCommand(5), .name = "Cube:Color6", .run = SelectPalette<5>},
    {.id = PaletteSelectCommand(6), .name = "Cube:Color7", .run = SelectPalette<6>},
    {.id = PaletteSelectCommand(7), .name = "Cube:Color8", .run = SelectPalette<7>},
    {.id = PaletteSelectCommand(8), .name = "Cube:Color9", .run = SelectPalette<8>},
    {.id = PaletteSelectCommand(9), .name = "Cube:Color10", .run = SelectPalette<9>},
    {.id = PaletteSelectCommand(10), .name = "Cube:Color11", .run = SelectPalette<10>},
    {.id = PaletteSelectCommand(11), .name = "Cube:Color12", .run = SelectPalette<11>},
    {.id = PaletteSelectCommand(12), .name = "Cube:Color13", .run = SelectPalette<12>},
    {.id = PaletteSelectCommand(13), .name = "Cube:Color14", .run = SelectPalette<13>},
    {.id = PaletteSelectCommand(14), .name = "Cube:Color15", .run = SelectPalette<14>},
    {.id = PaletteSelectCommand(15), .name = "Cube:Color16", .run = SelectPalette<15>},
    {.id = PaletteChangeCommand(0), .name = "Cube:ChangeColor1", .run = ChangePalette<0>},
    {.id = PaletteChangeCommand(1), .name = "Cube:ChangeColor2", .run = ChangePalette<1>},
    {.id = PaletteChangeCommand(2), .name = "Cube:ChangeColor3", .run = ChangePalette<2>},
    {.id = PaletteChangeCommand(3), .name = "Cube:ChangeColor4", .run = ChangePalette<3>},
    {.id = PaletteChangeCommand(4), .name = "Cube:ChangeColor5", .run = ChangePalette<4>},
    {.id = PaletteChangeCommand(5), .name = "Cube:ChangeColor6", .run = ChangePalette<5>},
    {.id = PaletteChangeCommand(6), .name = "Cube:ChangeColor7", .run = ChangePalette<6>},
    {.id = PaletteChangeCommand(7), .name = "Cube:ChangeColor8", .run = ChangePalette<7>},
    {.id = PaletteChangeCommand(8), .name = "Cube:ChangeColor9", .run = ChangePalette<8>},
    {.id = PaletteChangeCommand(9), .name = "Cube:ChangeColor10", .run = ChangePalette<9>},
    {.id = PaletteChangeCommand(10), .name = "Cube:ChangeColor11", .run = ChangePalette<10>},
    {.id = PaletteChangeCommand(11), .name = "Cube:ChangeColor12", .run = ChangePalette<11>},
    {.id = PaletteChangeCommand(12), .name = "Cube:ChangeColor13", .run = ChangePalette<12>},
    {.id = PaletteChangeCommand(13), .name = "Cube:ChangeColor14", .run = ChangePalette<13>},
    {.id = PaletteChangeCommand(14), .name = "Cube:ChangeColor15", .run = ChangePalette<14>},
    {.id = PaletteChangeCommand(15), .name = "Cube:ChangeColor16", .run = ChangePalette<15>},
    {.id = Id::CubeColor, .name = "Cube:Color",
     .run = [](Ctx& c) {
         PickColor(c, c.view.m_edit.m_cubeColor);
         SetCubeSwatch(c);
     },
     .keys = {Alt(Qt::Key_Q)}},
    {.id = Id::FocusColor, .name = "Focus:Color", .run = [](Ctx& c) { PickElementColor(c, &P::m_sightColor, &P::m_showSight, ButtonSight); }, .keys = {Alt(Qt::Key_4)}},
    {.id = Id::GroundColor, .name = "Ground:Color", .run = [](Ctx& c) { PickElementColor(c, &P::m_groundColor, &P::m_showGround, ButtonGround); }, .keys = {Alt(Qt::Key_3)}},
    {.id = Id::FrameColor, .name = "Frame:Color", .run = [](Ctx& c) { PickElementColor(c, &P::m_frameColor, &P::m_showFrame, ButtonFrame); }, .keys = {Alt(Qt::Key_1)}},
    {.id = Id::CanvasColor, .name = "Canvas:Color", .run = [](Ctx& c) { PickElementColor(c, &P::m_canvasColor, &P::m_showCanvas, ButtonCanvas); }, .keys = {Alt(Qt::Key_2)}},
    {.id = Id::BackColor, .name = "Back:Color",
     .run = [](Ctx& c) {
         PickColor(c, c.view.m_prefs.m_backColor);
         UpdateSwatch(c, ButtonBack);
     },
     .keys = {Alt(Qt::Key_6)}},

    // Scene toggles.
    {.id = Id::FocusShow, .name = "Focus:Show", .run = [](Ctx& c) { Toggle(c, &P::m_showSight, ButtonSight); }, .keys = {Key(Qt::Key_4)}},
    {.id = Id::GroundShow, .name = "Ground:Show", .run = [](Ctx& c) { Toggle(c, &P::m_showGround, ButtonGround); }, .keys = {Key(Qt::Key_3)}},
    {.id = Id::FrameShow, .name = "Frame:Show", .run = [](Ctx& c) { Toggle(c, &P::m_showFrame, ButtonFrame); }, .keys = {Key(Qt::Key_1)}},
    {.id = Id::CanvasShow, .name = "Canvas:Show", .run = [](Ctx& c) { Toggle(c, &P::m_showCanvas, ButtonCanvas); }, .keys = {Key(Qt::Key_2)}},
    {.id = Id::AxisShow, .name = "Axis:Show", .run = [](Ctx& c) { Toggle(c, &P::m_showAxis, ButtonAxis); }, .keys = {Key(Qt::Key_5)}},
    {.id = Id::BackShow, .name = "Back:Show", .run = [](Ctx&) {}},  // the background is always drawn
    {.id = Id::LightSwitch, .name = "Light:Switch", .run = [](Ctx& c) { Toggle(c, &P::m_lightEnable, ButtonLight); },
     .label = QT_TRANSLATE_NOOP("Commands", "照明"), .place = Setting(4), .keys = {Key(Qt::Key_7)},
     .checkable = true, .checked = LightIsOn},
    {.id = Id::LightPosition, .name = "Light:Position",
     .run = [](Ctx& c) {
         c.view.m_prefs.m_lightPos = c.view.m_prefs.m_lightPos < 7 ? c.view.m_prefs.m_lightPos + 1 : 0;
         c.ui.InvalidateView();
     },
     .label = QT_TRANSLATE_NOOP("Commands", "照明位置切替"), .place = Setting(4), .keys = {Key(Qt::Key_L), Alt(Qt::Key_7)}},

    // Line widths.
    {.id = Id::CubeLineWidth, .name = "Cube:LineWidth", .run = [](Ctx& c) { LineWidth(c, c.view.m_cubeLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "キューブ")); },
     .label = QT_TRANSLATE_NOOP("Commands", "ワイヤーフレーム"), .place = kLineWidth},
    {.id = Id::FrameLineWidth, .name = "Frame:LineWidth", .run = [](Ctx& c) { LineWidth(c, c.view.m_prefs.m_frameLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "フレーム")); },
     .label = QT_TRANSLATE_NOOP("Commands", "フレーム"), .place = kLineWidth},
    {.id = Id::CanvasLineWidth, .name = "Canvas:LineWidth", .run = [](Ctx& c) { LineWidth(c, c.view.m_prefs.m_canvasLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "キャンバス")); },
     .label = QT_TRANSLATE_NOOP("Commands", "キャンバス"), .place = kLineWidth},
    {.id = Id::SightLineWidth, .name = "Sight:LineWidth", .run = [](Ctx& c) { LineWidth(c, c.view.m_prefs.m_sightLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "照準")); },
     .label = QT_TRANSLATE_NOOP("Commands", "照準"), .place = kLineWidth},
    {.id = Id::AxisLineWidth, .name = "Axis:LineWidth", .run = [](Ctx& c) { LineWidth(c, c.view.m_prefs.m_axisLineWidth, QT_TRANSLATE_NOOP("CommandDispatcher", "座標軸")); },
     .label = QT_TRANSLATE_NOOP("Commands", "座標軸"), .place = kLineWidth},

    // Image export: EXIF and ICON have no menu entry.
    {.id = Id::ImageBMP, .name = "Image:BMP", .run = ExportImageAs<ImageFormat::BMP>, .label = "BMP(&B)", .place = kScreenShot},
    {.id = Id::ImagePNG, .name = "Image:PNG", .run = ExportImageAs<ImageFormat::PNG>, .label = "PNG(&P)", .place = kScreenShot},
    {.id = Id::ImageGIF, .name = "Image:GIF", .run = ExportImageAs<ImageFormat::GIF>, .label = "GIF(&G)", .place = kScreenShot},
    {.id = Id::ImageTIFF, .name = "Image:TIFF", .run = ExportImageAs<ImageFormat::TIFF>, .label = "TIFF(&T)", .place = kScreenShot},
    {.id = Id::ImageEXIF, .name = "Image:EXIF", .run = ExportImageAs<ImageFormat::EXIF>},
    {.id = Id::ImageJPEG, .name = "Image:JPEG", .run = ExportImageAs<ImageFormat::JPEG>, .label = "JPEG(&J)", .place = kScreenShot},
    {.id = Id::ImageICON, .name = "Image:ICON", .run = ExportImageAs<ImageFormat::Icon>},

    // Help.
    {.id = Id::Orvendale, .name = "Orvendale", .run = OpenGuide},
};

} // namespace

std::span<const CommandRow> CommandRegistry::ViewRows()
{
    return kRows;
}

void CCommandDispatcher::Execute(CommandId id, CommandContext& ctx)
{
    // The window's own commands have no handler here: the window runs them.
    // What a command records is a gesture of its own, also when it runs in
    // the middle of a pen sweep.
    if (const auto run = CommandRegistry::Row(id).run) {
        std::optional<CMiravelDoc::CGesture> gesture;
        if (ctx.doc)
            gesture.emplace(*ctx.doc);
        run(ctx);
    }
}

bool CCommandDispatcher::Execute(const QString& name, CommandContext& ctx)
{
    const std::optional<CommandId> id = CommandRegistry::Find(name);
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
