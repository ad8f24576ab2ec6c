#include "controls/CommandDispatcher.h"

#include "controls/ButtonIds.h"
#include "controls/CommandUi.h"
#include "editing/CanvasLayer.h"
#include "images/ScreenshotExport.h"
#include "images/ScreenshotFormats.h"
#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "scene/ViewState.h"

namespace {

using Ctx = CommandContext;
using Entry = CCommandDispatcher::Entry;

constexpr COLORREF kBlack = 0x000000, kRed = 0x0000FF, kYellow = 0x00FFFF, kWhite = 0xFFFFFF;

void Camera(Ctx& c, double CViewState::*field, double step)
{
    c.view.*field += step;
    c.ui.InvalidateView();
}

// A shown element's button carries the element's colour, a hidden one black.
void SetShow(Ctx& c, std::int32_t CViewState::*flag, COLORREF CViewState::*color, int button, bool show)
{
    c.view.*flag = show;
    c.ui.SetSwatch(button, show ? c.view.*color : kBlack);
    c.ui.InvalidateButton(button);
    c.ui.InvalidateView();
}

void Toggle(Ctx& c, std::int32_t CViewState::*flag, COLORREF CViewState::*color, int button)
{
    SetShow(c, flag, color, button, !(c.view.*flag));
}

void ToggleWithSwatch(Ctx& c, std::int32_t CViewState::*flag, int button, COLORREF on, COLORREF off)
{
    c.view.*flag = !(c.view.*flag);
    c.ui.SetSwatch(button, c.view.*flag ? on : off);
    c.ui.InvalidateButton(button);
    c.ui.InvalidateView();
}

// The colour dialog on one of the view's colours; the view repaints whatever
// the answer.
void PickColor(Ctx& c, COLORREF& color)
{
    c.ui.PickColor(color);
    c.ui.InvalidateView();
}

void PickElementColor(Ctx& c, COLORREF CViewState::*color, std::int32_t CViewState::*flag, int button)
{
    PickColor(c, c.view.*color);
    SetShow(c, flag, color, button, c.view.*flag != 0);
}

void SetCubeSwatch(Ctx& c)
{
    c.ui.SetSwatch(ButtonCube, c.view.m_cubeColor);
    c.ui.InvalidateButton(ButtonCube);
}

void LineWidth(Ctx& c, double CViewState::*field, const char* title)
{
    double width = c.view.*field;
    if (c.ui.RunLineWidthDialog(QString::fromUtf8(title), width)) {
        c.view.*field = width;
        c.ui.InvalidateView();
    }
}

void ResizeGrid(Ctx& c)
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
    c.view.m_sightX = c.view.m_sightY = c.view.m_sightZ = 1;
    c.view.m_canvasPos = 0;
    CanvasLayer::KeepInsideGrid(c.view, *c.doc);
    c.ui.RebuildDisplayLists();
    c.ui.InvalidateView();
    CCommandDispatcher::Execute(QStringLiteral("Setting:DefaultScale"), c);
}

void ExportImage(Ctx& c, const ScreenshotFormat& f)
{
    QString path;
    if (c.ui.PromptImagePath(path, QString::fromLatin1(f.filterText), QString::fromLatin1(f.extension))) {
        if (!c.ui.ExportImage(WithDefaultExtension(path, f), f.format))
            c.ui.Warn(ScreenshotTexts::Failed());
    }
    // The dialogs may have covered the buttons and the scene.
    c.ui.InvalidateChildren();
    c.ui.InvalidateView();
}

void Add(std::vector<Entry>& t, const char* name, std::function<void(Ctx&)> run)
{
    t.push_back({QString::fromLatin1(name), std::move(run)});
}

std::vector<Entry> BuildTable()
{
    std::vector<Entry> t;
    using V = CViewState;

    // Camera.
    Add(t, "RotateX:Back", [](Ctx& c) { Camera(c, &V::m_rotX, -Camera::kRotateStep); });
    Add(t, "RotateX:Forward", [](Ctx& c) { Camera(c, &V::m_rotX, Camera::kRotateStep); });
    Add(t, "RotateY:Back", [](Ctx& c) { Camera(c, &V::m_rotY, -Camera::kRotateStep); });
    Add(t, "RotateY:Forward", [](Ctx& c) { Camera(c, &V::m_rotY, Camera::kRotateStep); });
    Add(t, "Move:Up", [](Ctx& c) { Camera(c, &V::m_lookY, -Camera::kMoveStep); });
    Add(t, "Move:Down", [](Ctx& c) { Camera(c, &V::m_lookY, Camera::kMoveStep); });
    Add(t, "Move:Left", [](Ctx& c) { Camera(c, &V::m_lookX, Camera::kMoveStep); });
    Add(t, "Move:Right", [](Ctx& c) { Camera(c, &V::m_lookX, -Camera::kMoveStep); });
    Add(t, "Scale:Up", [](Ctx& c) { Camera(c, &V::m_scale, Camera::kScaleStep); });
    Add(t, "Scale:Down", [](Ctx& c) {
        c.view.m_scale = Camera::ScaleDown(c.view.m_scale);
        c.ui.InvalidateView();
    });
    Add(t, "Setting:DefaultScale", [](Ctx& c) {
        c.ui.FitZoom();
        c.ui.InvalidateView();
    });
    Add(t, "Setting:DefaultRotated", [](Ctx& c) {
        Camera::ResetRotation(c.view);
        c.ui.InvalidateView();
    });
    Add(t, "Setting:DefaultLookAt", [](Ctx& c) {
        Camera::ResetLookAt(c.view);
        c.ui.InvalidateView();
    });
    Add(t, "Setting:Default", [](Ctx& c) {
        CCommandDispatcher::Execute(QStringLiteral("Setting:DefaultScale"), c);
        CCommandDispatcher::Execute(QStringLiteral("Setting:DefaultRotated"), c);
        CCommandDispatcher::Execute(QStringLiteral("Setting:DefaultLookAt"), c);
    });

    // Buttons and menus.
    Add(t, "Control:Pos", [](Ctx& c) {
        c.view.m_controlPos = c.view.m_controlPos == 2 ? 3 : 2;
        c.ui.LayoutButtons();
    });
    Add(t, "Color:Pos", [](Ctx& c) {
        // Positions outside 0..3 (a hand-edited settings file) stay as they are.
        if (c.view.m_colorPos >= 0 && c.view.m_colorPos <= 3)
            c.view.m_colorPos = (c.view.m_colorPos + 1) % 4;
        c.ui.LayoutButtons();
    });
    Add(t, "Control:Button", [](Ctx& c) { c.ui.ShowControlButtons(!c.view.m_showControl); });
    Add(t, "Color:Button", [](Ctx& c) { c.ui.ShowColorButtons(!c.view.m_showColor); });
    Add(t, "Button:Button", [](Ctx& c) {
        c.view.m_showButtons = !c.view.m_showButtons;
        c.view.m_showControl = c.view.m_showColor = !c.view.m_showButtons;
        CCommandDispatcher::Execute(QStringLiteral("Control:Button"), c);
        CCommandDispatcher::Execute(QStringLiteral("Color:Button"), c);
    });
    Add(t, "Setting", [](Ctx& c) { c.ui.ShowSettingMenu(); });
    Add(t, "ScreenShot", [](Ctx& c) { c.ui.ShowScreenShotMenu(); });

    // Canvas.
    Add(t, "Canvas:Switch", [](Ctx& c) {
        if (!c.doc)
            return;
        CanvasLayer::SwitchCanvas(c.view, *c.doc, true);
        c.ui.RebuildDisplayLists();
        c.ui.InvalidateView();
    });
    Add(t, "Canvas:Up", [](Ctx& c) {
        if (c.doc)
            CanvasLayer::MoveCanvas(c.view, *c.doc, true);
        c.ui.InvalidateView();
    });
    Add(t, "Canvas:Down", [](Ctx& c) {
        if (c.doc)
            CanvasLayer::MoveCanvas(c.view, *c.doc, false);
        c.ui.InvalidateView();
    });
    Add(t, "Canvas:Copy", [](Ctx& c) {
        CanvasLayer::Copy(c.view);
        c.ui.InvalidateView();
    });
    Add(t, "Canvas:ClearCopy", [](Ctx& c) {
        CanvasLayer::ClearCopy(c.view);
        c.ui.InvalidateView();
    });
    Add(t, "Canvas:Paste", [](Ctx& c) {
        if (c.doc)
            CanvasLayer::PasteLayer(c.view, *c.doc);
        c.ui.InvalidateView();
    });
    Add(t, "Canvas:PasteAll", [](Ctx& c) {
        if (c.doc)
            CanvasLayer::PasteLayerToAll(c.view, *c.doc, [&c] {
                return c.ui.Confirm(QStringLiteral("選択されたレイヤーを全てのレイヤーに適用しますか？"));
            });
        c.ui.InvalidateView();
    });

    // Model and drawing mode.
    Add(t, "Cube:Size", ResizeGrid);
    Add(t, "Cube:Rate", [](Ctx& c) {
        double x = 1, y = 1, z = 1;
        if (c.ui.RunCubeRateDialog(x, y, z)) {
            c.view.m_ratioX = x;
            c.view.m_ratioY = y;
            c.view.m_ratioZ = z;
            c.ui.InvalidateView();
        }
    });
    Add(t, "Cube:Clear", [](Ctx& c) {
        if (c.doc && c.ui.Confirm(QStringLiteral("全てのキューブを消去しますか？")))
            c.doc->ClearAllCubes();
    });
    Add(t, "Cube:Back", [](Ctx& c) {
        if (!c.doc)
            return;
        c.doc->HistoryBack();
        c.doc->UpdateAllViews();
    });
    Add(t, "Cube:Forward", [](Ctx& c) {
        if (!c.doc)
            return;
        c.doc->HistoryForward();
        c.doc->UpdateAllViews();
    });
    Add(t, "Draw:Switch", [](Ctx& c) {
        const bool toAttach = c.view.m_drawMode == 0;
        c.view.m_drawMode = toAttach ? 1 : 0;
        c.ui.SetSwatch(ButtonDrawSwitch, toAttach ? kBlack : kYellow);
        c.ui.InvalidateButton(ButtonDrawSwitch);
        c.ui.InvalidateView();
    });
    Add(t, "Cube:Polygon", [](Ctx& c) {
        c.view.m_wireFrame = c.view.m_wireFrame == 0 ? 1 : c.view.m_wireFrame == 1 ? 2 : 0;
        c.ui.InvalidateView();
    });

    // Colours. The palette is the swatches of the sixteen palette buttons.
    for (int n = 1; n <= 16; ++n) {
        const int button = ButtonColor1 + n - 1;
        t.push_back({QStringLiteral("Cube:Color%1").arg(n), [button](Ctx& c) {
                         c.view.m_cubeColor = c.ui.Swatch(button);
                         SetCubeSwatch(c);
                     }});
    }
    for (int n = 1; n <= 16; ++n) {
        const int button = ButtonColor1 + n - 1;
        // Whatever the dialog's answer, the palette button takes the current colour.
        t.push_back({QStringLiteral("Cube:ChangeColor%1").arg(n), [button](Ctx& c) {
                         PickColor(c, c.view.m_cubeColor);
                         c.ui.SetSwatch(button, c.view.m_cubeColor);
                         c.ui.InvalidateButton(button);
                         SetCubeSwatch(c);
                     }});
    }
    Add(t, "Cube:Color", [](Ctx& c) {
        PickColor(c, c.view.m_cubeColor);
        SetCubeSwatch(c);
    });
    Add(t, "Focus:Color", [](Ctx& c) { PickElementColor(c, &V::m_sightColor, &V::m_showSight, ButtonSight); });
    Add(t, "Ground:Color", [](Ctx& c) { PickElementColor(c, &V::m_groundColor, &V::m_showGround, ButtonGround); });
    Add(t, "Frame:Color", [](Ctx& c) { PickElementColor(c, &V::m_frameColor, &V::m_showFrame, ButtonFrame); });
    Add(t, "Canvas:Color", [](Ctx& c) { PickElementColor(c, &V::m_canvasColor, &V::m_showCanvas, ButtonCanvas); });
    Add(t, "Back:Color", [](Ctx& c) {
        PickColor(c, c.view.m_backColor);
        c.ui.SetSwatch(ButtonBack, c.view.m_backColor);
        c.ui.InvalidateButton(ButtonBack);
    });

    // Scene toggles.
    Add(t, "Focus:Show", [](Ctx& c) { Toggle(c, &V::m_showSight, &V::m_sightColor, ButtonSight); });
    Add(t, "Ground:Show", [](Ctx& c) { Toggle(c, &V::m_showGround, &V::m_groundColor, ButtonGround); });
    Add(t, "Frame:Show", [](Ctx& c) { Toggle(c, &V::m_showFrame, &V::m_frameColor, ButtonFrame); });
    Add(t, "Canvas:Show", [](Ctx& c) { Toggle(c, &V::m_showCanvas, &V::m_canvasColor, ButtonCanvas); });
    Add(t, "Axis:Show", [](Ctx& c) { ToggleWithSwatch(c, &V::m_showAxis, ButtonAxis, kRed, kBlack); });
    Add(t, "Back:Show", [](Ctx&) {});  // the background is always drawn
    Add(t, "Light:Switch", [](Ctx& c) { ToggleWithSwatch(c, &V::m_lightEnable, ButtonLight, kYellow, kWhite); });
    Add(t, "Light:Position", [](Ctx& c) {
        c.view.m_lightPos = c.view.m_lightPos < 7 ? c.view.m_lightPos + 1 : 0;
        c.ui.InvalidateView();
    });

    // Line widths.
    Add(t, "Cube:LineWidth", [](Ctx& c) { LineWidth(c, &V::m_cubeLineWidth, "キューブ"); });
    Add(t, "Frame:LineWidth", [](Ctx& c) { LineWidth(c, &V::m_frameLineWidth, "フレーム"); });
    Add(t, "Canvas:LineWidth", [](Ctx& c) { LineWidth(c, &V::m_canvasLineWidth, "キャンバス"); });
    Add(t, "Sight:LineWidth", [](Ctx& c) { LineWidth(c, &V::m_sightLineWidth, "照準"); });
    Add(t, "Axis:LineWidth", [](Ctx& c) { LineWidth(c, &V::m_axisLineWidth, "座標軸"); });

    // Image export: BMP, PNG, GIF, TIFF, EXIF, JPEG, ICON.
    for (const ScreenshotFormat& f : ScreenshotFormats())
        t.push_back({QString::fromLatin1(f.command), [&f](Ctx& c) { ExportImage(c, f); }});

    // Help.
    Add(t, "Orvendale", [](Ctx& c) { c.ui.OpenUrl(QString::fromLatin1(kMakerPageUrl)); });
    return t;
}

} // namespace

const std::vector<Entry>& CCommandDispatcher::Table()
{
    static const std::vector<Entry> table = BuildTable();
    return table;
}

bool CCommandDispatcher::Execute(const QString& name, CommandContext& ctx)
{
    if (name.isEmpty())
        return false;
    for (const Entry& e : Table())
        if (e.name == name) {
            e.run(ctx);
            return true;
        }
    return false;
}

void CCommandDispatcher::RefreshSwatches(CommandContext& c)
{
    const CViewState& v = c.view;
    c.ui.SetSwatch(ButtonAxis, v.m_showAxis ? kRed : kBlack);
    c.ui.SetSwatch(ButtonSight, v.m_showSight ? v.m_sightColor : kBlack);
    c.ui.SetSwatch(ButtonGround, v.m_showGround ? v.m_groundColor : kBlack);
    c.ui.SetSwatch(ButtonFrame, v.m_showFrame ? v.m_frameColor : kBlack);
    c.ui.SetSwatch(ButtonCanvas, v.m_showCanvas ? v.m_canvasColor : kBlack);
    c.ui.SetSwatch(ButtonBack, v.m_backColor);
    c.ui.SetSwatch(ButtonLight, v.m_lightEnable ? kYellow : kWhite);
}
