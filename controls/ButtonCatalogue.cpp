#include "controls/ButtonCatalogue.h"

#include "resources/MiravelResources.h"
#include "scene/ViewState.h"

#include <QCoreApplication>

namespace {

// A row of the single (non-palette) buttons as written below; the palette
// rows are generated.
struct Row {
    int id;
    const char* member;
    int png;
    const char* tooltip;  // UTF-8, translated when the catalogue is made
    CommandId command;
    std::optional<CommandId> command2;
    int repeat;
    int wait;
    SwatchSource swatch;
    COLORREF fixed;
    COLORREF CViewPreferences::*field;
    bool controlGroup;
};

using C = CommandId;
constexpr std::optional<CommandId> kNoCommand;
constexpr SwatchSource kNone = SwatchSource::None;
constexpr SwatchSource kFixed = SwatchSource::Fixed;
constexpr SwatchSource kField = SwatchSource::Field;
constexpr SwatchSource kCubeColor = SwatchSource::CubeColor;
using P = CViewPreferences;

// The tooltips are written out in full (the toggle buttons share one shape)
// so that lupdate, which expands no macros, finds each of them.

// Rows before the palette.
const Row kHead[] = {
    {ButtonRotateXBack, "m_btnRotateXBack", StripRotateXBack, QT_TRANSLATE_NOOP("Buttons", "[ 上に回転 ]"), C::RotateXBack, kNoCommand, 50, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonRotateXForward, "m_btnRotateXForward", StripRotateXForward, QT_TRANSLATE_NOOP("Buttons", "[ 下に回転 ]"), C::RotateXForward, kNoCommand, 50, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonRotateYBack, "m_btnRotateYBack", StripRotateYBack, QT_TRANSLATE_NOOP("Buttons", "[ 左に回転 ]"), C::RotateYBack, kNoCommand, 50, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonRotateYForward, "m_btnRotateYForward", StripRotateYForward, QT_TRANSLATE_NOOP("Buttons", "[ 右に回転 ]"), C::RotateYForward, kNoCommand, 50, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonMoveUp, "m_btnMoveUp", StripMoveUp, QT_TRANSLATE_NOOP("Buttons", "[ 上に移動 ]"), C::MoveUp, kNoCommand, 100, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonMoveDown, "m_btnMoveDown", StripMoveDown, QT_TRANSLATE_NOOP("Buttons", "[ 下に移動 ]"), C::MoveDown, kNoCommand, 100, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonMoveLeft, "m_btnMoveLeft", StripMoveLeft, QT_TRANSLATE_NOOP("Buttons", "[ 左に移動 ]"), C::MoveLeft, kNoCommand, 100, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonMoveRight, "m_btnMoveRight", StripMoveRight, QT_TRANSLATE_NOOP("Buttons", "[ 右に移動 ]"), C::MoveRight, kNoCommand, 100, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonScaleUp, "m_btnScaleUp", StripScaleUp, QT_TRANSLATE_NOOP("Buttons", "[ 拡大 ]"), C::ScaleUp, kNoCommand, 30, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonScaleDown, "m_btnScaleDown", StripScaleDown, QT_TRANSLATE_NOOP("Buttons", "[ 縮小 ]"), C::ScaleDown, kNoCommand, 10, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonCubeBack, "m_btnCubeBack", StripCubeBack, QT_TRANSLATE_NOOP("Buttons", "[ 戻る ]"), C::CubeBack, kNoCommand, 10, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonCubeForward, "m_btnCubeForward", StripCubeForward, QT_TRANSLATE_NOOP("Buttons", "[ 進む ]"), C::CubeForward, kNoCommand, 10, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonSight, "m_btnSight", StripSight, QT_TRANSLATE_NOOP("Buttons", "[ 照準 ]\n左クリック - 表示・非表示切替\n左ダブルクリック - 色変更\n右クリック - 色変更"), C::FocusShow, C::FocusColor, 0, 400, kField, CLR_NONE, &P::m_sightColor, true},
    {ButtonAxis, "m_btnAxis", StripAxis, QT_TRANSLATE_NOOP("Buttons", "[ 座標軸 ]\n左クリック - 表示・非表示切替"), C::AxisShow, kNoCommand, 0, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonGround, "m_btnGround", StripGround, QT_TRANSLATE_NOOP("Buttons", "[ 地面 ]\n左クリック - 表示・非表示切替\n左ダブルクリック - 色変更\n右クリック - 色変更"), C::GroundShow, C::GroundColor, 0, 400, kField, CLR_NONE, &P::m_groundColor, true},
    {ButtonFrame, "m_btnFrame", StripFrame, QT_TRANSLATE_NOOP("Buttons", "[ 枠 ]\n左クリック - 表示・非表示切替\n左ダブルクリック - 色変更\n右クリック - 色変更"), C::FrameShow, C::FrameColor, 0, 400, kField, CLR_NONE, &P::m_frameColor, true},
    {ButtonBack, "m_btnBack", StripBack, QT_TRANSLATE_NOOP("Buttons", "[ 背景 ]\n左クリック - 表示・非表示切替\n左ダブルクリック - 色変更\n右クリック - 色変更"), C::BackShow, C::BackColor, 0, 400, kField, CLR_NONE, &P::m_backColor, true},
    {ButtonCanvas, "m_btnCanvas", StripCanvas, QT_TRANSLATE_NOOP("Buttons", "[ キャンバス ]\n左クリック - 表示・非表示切替\n左ダブルクリック - 色変更\n右クリック - 色変更"), C::CanvasShow, C::CanvasColor, 0, 400, kField, CLR_NONE, &P::m_canvasColor, true},
    {ButtonCopy, "m_btnCopy", StripCopy,
     QT_TRANSLATE_NOOP("Buttons", "[ コピー ]\n左クリック - コピーレイヤー選択\n左ダブルクリック - コピーレイヤー解除\n右クリック - コピーレイヤー解除"),
     C::CanvasCopy, C::CanvasClearCopy, 0, 400, kNone, CLR_NONE, nullptr, true},
    {ButtonPaste, "m_btnPaste", StripPaste,
     QT_TRANSLATE_NOOP("Buttons", "[ 貼り付け ]\n左クリック - 選択レイヤーに貼り付け\n左ダブルクリック - 全レイヤーに貼り付け\n右クリック - 全レイヤーに貼り付け"),
     C::CanvasPaste, C::CanvasPasteAll, 0, 400, kNone, CLR_NONE, nullptr, true},
    {ButtonCube, "m_btnCube", StripCube,
     QT_TRANSLATE_NOOP("Buttons", "[ キューブ ]\n左クリック - キューブ表示モード切替\n左ダブルクリック - 色変更\n右クリック - 色変更"),
     C::CubePolygon, C::CubeColor, 0, 400, kCubeColor, CLR_NONE, nullptr, true},
};

const char* const kPaletteTooltip = QT_TRANSLATE_NOOP("Buttons", "[ キューブ ]\n左クリック - 色選択\n左ダブルクリック - 色変更\n右クリック - 色変更");
constexpr int kPalettePng = StripPalette;

// Rows after the palette.
const Row kTail[] = {
    {ButtonCanvasSwitch, "m_btnCanvasSwitch", StripCanvasSwitch, QT_TRANSLATE_NOOP("Buttons", "[ キャンバス ]\n左クリック - 切り替え"), C::CanvasSwitch, kNoCommand, 500, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonCanvasUp, "m_btnCanvasUp", StripCanvasUp, QT_TRANSLATE_NOOP("Buttons", "[ キャンバス ]\n左クリック - 手前に移動"), C::CanvasUp, kNoCommand, 20, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonCanvasDown, "m_btnCanvasDown", StripCanvasDown, QT_TRANSLATE_NOOP("Buttons", "[ キャンバス ]\n左クリック - 奥に移動"), C::CanvasDown, kNoCommand, 20, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonSetting, "m_btnSetting", StripSetting, QT_TRANSLATE_NOOP("Buttons", "[ 各種設定 ]"), C::Setting, kNoCommand, 0, 0, kNone, CLR_NONE, nullptr, false},
    {ButtonHelp, "m_btnHelp", StripHelp, QT_TRANSLATE_NOOP("Buttons", "  オルヴェンデイル  "), C::Orvendale, kNoCommand, 0, 0, kNone, CLR_NONE, nullptr, false},
    {ButtonScreenShot, "m_btnScreenShot", StripScreenShot, QT_TRANSLATE_NOOP("Buttons", "[ スクリーンショット ]"), C::ScreenShot, kNoCommand, 0, 0, kNone, CLR_NONE, nullptr, false},
    {ButtonDrawSwitch, "m_btnDrawSwitch", StripDrawSwitch,
     QT_TRANSLATE_NOOP("Buttons", "[ 描画モード切替 ]\nキャンバスモード⇔アタッチモード\n\n"
     "キャンバスモード：絵をキャンバスに描くようにキューブを配置\n"
     "アタッチモード：キューブ同士をくっつけてキューブを配置"),
     C::DrawSwitch, kNoCommand, 0, 0, kFixed, 0x00FFFF, nullptr, true},
    // Starts with the cube colour, which by default is also the light-on swatch.
    {ButtonLight, "m_btnLight", StripLight,
     QT_TRANSLATE_NOOP("Buttons", "[ 照明 ]\n左クリック - 照明ON/OFF\n左ダブルクリック - 照明位置切り替え\n右クリック - 照明位置切り替え"),
     C::LightSwitch, C::LightPosition, 0, 400, kCubeColor, CLR_NONE, nullptr, true},
};

ButtonSpec FromRow(const Row& row)
{
    ButtonSpec entry;
    entry.id = row.id;
    entry.member = QString::fromLatin1(row.member);
    entry.pngResource = row.png;
    entry.tooltip = QCoreApplication::translate("Buttons", row.tooltip);
    entry.command = row.command;
    entry.command2 = row.command2;
    entry.repeatInterval = row.repeat;
    entry.clickWait = row.wait;
    entry.swatch = row.swatch;
    entry.fixedSwatch = row.fixed;
    entry.swatchField = row.field;
    entry.controlGroup = row.controlGroup;
    entry.alwaysShown = !row.controlGroup;
    return entry;
}

std::vector<ButtonSpec> BuildCatalogue()
{
    std::vector<ButtonSpec> rows;
    rows.reserve(kButtonCount);
    for (const Row& row : kHead)
        rows.push_back(FromRow(row));
    for (int i = 0; i < kPaletteButtonCount; ++i) {
        ButtonSpec entry;
        entry.id = ButtonColor1 + i;
        entry.member = QStringLiteral("m_btnColor[%1]").arg(i);
        entry.pngResource = kPalettePng;
        entry.tooltip = QCoreApplication::translate("Buttons", kPaletteTooltip);
        entry.command = PaletteSelectCommand(i);
        entry.command2 = PaletteChangeCommand(i);
        entry.swatch = SwatchSource::Palette;
        entry.paletteIndex = i;
        entry.colorGroup = true;
        rows.push_back(entry);
    }
    for (const Row& row : kTail)
        rows.push_back(FromRow(row));
    return rows;
}

} // namespace

const std::vector<ButtonSpec>& ButtonCatalogue()
{
    static const std::vector<ButtonSpec> catalogue = BuildCatalogue();
    return catalogue;
}

const ButtonSpec* FindButtonSpec(int id)
{
    const auto& rows = ButtonCatalogue();
    // Ids are consecutive in creation order.
    const int index = id - kFirstButtonId;
    if (index < 0 || index >= int(rows.size()))
        return nullptr;
    return &rows[std::size_t(index)];
}

COLORREF InitialSwatch(const ButtonSpec& entry, const CViewState& state)
{
    switch (entry.swatch) {
    case SwatchSource::None:
        return CLR_NONE;
    case SwatchSource::Fixed:
        return entry.fixedSwatch;
    case SwatchSource::Field:
        return entry.swatchField ? state.m_prefs.*entry.swatchField : CLR_NONE;
    case SwatchSource::CubeColor:
        return state.m_edit.m_cubeColor;
    case SwatchSource::Palette:
        if (entry.paletteIndex < 0 || entry.paletteIndex >= kPaletteButtonCount)
            return CLR_NONE;
        if (std::size_t(entry.paletteIndex) < state.m_edit.m_palette.size())
            return state.m_edit.m_palette[std::size_t(entry.paletteIndex)];
        return kInitialPalette[std::size_t(entry.paletteIndex)];
    }
    return CLR_NONE;
}

COLORREF DisplaySwatch(int id, const CViewState& v)
{
    constexpr COLORREF kBlack = 0x000000, kRed = 0x0000FF, kYellow = 0x00FFFF, kWhite = 0xFFFFFF;
    switch (id) {
    case ButtonSight:
        return v.m_prefs.m_showSight ? v.m_prefs.m_sightColor : kBlack;
    case ButtonGround:
        return v.m_prefs.m_showGround ? v.m_prefs.m_groundColor : kBlack;
    case ButtonFrame:
        return v.m_prefs.m_showFrame ? v.m_prefs.m_frameColor : kBlack;
    case ButtonCanvas:
        return v.m_prefs.m_showCanvas ? v.m_prefs.m_canvasColor : kBlack;
    case ButtonAxis:
        return v.m_prefs.m_showAxis ? kRed : kBlack;
    case ButtonLight:
        return v.m_prefs.m_lightEnable ? kYellow : kWhite;
    case ButtonBack:
        return v.m_prefs.m_backColor;
    case ButtonDrawSwitch:
        return v.m_edit.m_drawMode == DrawMode::Canvas ? kYellow : kBlack;
    default:
        return CLR_NONE;
    }
}

const std::array<int, 26>& ShowControlButtonOrder()
{
    static constexpr std::array<int, 26> order = {
        ButtonCube,        ButtonCanvasSwitch,   ButtonCanvasUp,      ButtonCanvasDown,
        ButtonRotateXBack, ButtonRotateXForward, ButtonRotateYBack,   ButtonRotateYForward,
        ButtonMoveUp,      ButtonMoveDown,       ButtonMoveLeft,      ButtonMoveRight,
        ButtonScaleUp,     ButtonScaleDown,      ButtonCubeBack,      ButtonCubeForward,
        ButtonSight,       ButtonGround,         ButtonFrame,         ButtonBack,
        ButtonCanvas,      ButtonCopy,           ButtonPaste,         ButtonAxis,
        ButtonDrawSwitch,  ButtonLight,
    };
    return order;
}
