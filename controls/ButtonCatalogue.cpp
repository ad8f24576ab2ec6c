#include "controls/ButtonCatalogue.h"

#include "scene/ViewState.h"

namespace {

// A row of the single (non-palette) buttons as written below; the palette
// rows are generated.
struct Row {
    int id;
    const char* member;
    int png;
    const char* tooltip;  // UTF-8
    const char* command;
    const char* command2;
    int repeat;
    int wait;
    SwatchSource swatch;
    COLORREF fixed;
    COLORREF CViewState::*field;
    bool controlGroup;
};

constexpr SwatchSource kNone = SwatchSource::None;
constexpr SwatchSource kFixed = SwatchSource::Fixed;
constexpr SwatchSource kField = SwatchSource::Field;

// The two-command toggle buttons share the shape of their tooltip.
#define TOGGLE_TIP(name) \
    "[ " name " ]\n左クリック - 表示・非表示切替\n左ダブルクリック - 色変更\n右クリック - 色変更"

// Rows before the palette.
const Row kHead[] = {
    {ButtonRotateXBack, "m_btnRotateXBack", 361, "[ 上に回転 ]", "RotateX:Back", "", 50, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonRotateXForward, "m_btnRotateXForward", 362, "[ 下に回転 ]", "RotateX:Forward", "", 50, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonRotateYBack, "m_btnRotateYBack", 363, "[ 左に回転 ]", "RotateY:Back", "", 50, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonRotateYForward, "m_btnRotateYForward", 364, "[ 右に回転 ]", "RotateY:Forward", "", 50, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonMoveUp, "m_btnMoveUp", 314, "[ 上に移動 ]", "Move:Up", "", 100, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonMoveDown, "m_btnMoveDown", 315, "[ 下に移動 ]", "Move:Down", "", 100, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonMoveLeft, "m_btnMoveLeft", 316, "[ 左に移動 ]", "Move:Left", "", 100, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonMoveRight, "m_btnMoveRight", 317, "[ 右に移動 ]", "Move:Right", "", 100, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonScaleUp, "m_btnScaleUp", 311, "[ 拡大 ]", "Scale:Up", "", 30, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonScaleDown, "m_btnScaleDown", 312, "[ 縮小 ]", "Scale:Down", "", 10, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonCubeBack, "m_btnCubeBack", 339, "[ 戻る ]", "Cube:Back", "", 10, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonCubeForward, "m_btnCubeForward", 340, "[ 進む ]", "Cube:Forward", "", 10, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonSight, "m_btnSight", 328, TOGGLE_TIP("照準"), "Focus:Show", "Focus:Color", 0, 400, kField, CLR_NONE, &CViewState::m_sightColor, true},
    {ButtonAxis, "m_btnAxis", 346, "[ 座標軸 ]\n左クリック - 表示・非表示切替", "Axis:Show", "", 0, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonGround, "m_btnGround", 327, TOGGLE_TIP("地面"), "Ground:Show", "Ground:Color", 0, 400, kField, CLR_NONE, &CViewState::m_groundColor, true},
    {ButtonFrame, "m_btnFrame", 324, TOGGLE_TIP("枠"), "Frame:Show", "Frame:Color", 0, 400, kField, CLR_NONE, &CViewState::m_frameColor, true},
    {ButtonBack, "m_btnBack", 329, TOGGLE_TIP("背景"), "Back:Show", "Back:Color", 0, 400, kField, CLR_NONE, &CViewState::m_backColor, true},
    {ButtonCanvas, "m_btnCanvas", 325, TOGGLE_TIP("キャンバス"), "Canvas:Show", "Canvas:Color", 0, 400, kField, CLR_NONE, &CViewState::m_canvasColor, true},
    {ButtonCopy, "m_btnCopy", 337,
     "[ コピー ]\n左クリック - コピーレイヤー選択\n左ダブルクリック - コピーレイヤー解除\n右クリック - コピーレイヤー解除",
     "Canvas:Copy", "Canvas:ClearCopy", 0, 400, kNone, CLR_NONE, nullptr, true},
    {ButtonPaste, "m_btnPaste", 338,
     "[ 貼り付け ]\n左クリック - 選択レイヤーに貼り付け\n左ダブルクリック - 全レイヤーに貼り付け\n右クリック - 全レイヤーに貼り付け",
     "Canvas:Paste", "Canvas:PasteAll", 0, 400, kNone, CLR_NONE, nullptr, true},
    {ButtonCube, "m_btnCube", 341,
     "[ キューブ ]\n左クリック - キューブ表示モード切替\n左ダブルクリック - 色変更\n右クリック - 色変更",
     "Cube:Polygon", "Cube:Color", 0, 400, kField, CLR_NONE, &CViewState::m_cubeColor, true},
};

#undef TOGGLE_TIP

const char* const kPaletteTooltip = "[ キューブ ]\n左クリック - 色選択\n左ダブルクリック - 色変更\n右クリック - 色変更";
constexpr int kPalettePng = 322;

// Rows after the palette.
const Row kTail[] = {
    {ButtonCanvasSwitch, "m_btnCanvasSwitch", 319, "[ キャンバス ]\n左クリック - 切り替え", "Canvas:Switch", "", 500, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonCanvasUp, "m_btnCanvasUp", 320, "[ キャンバス ]\n左クリック - 手前に移動", "Canvas:Up", "", 20, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonCanvasDown, "m_btnCanvasDown", 321, "[ キャンバス ]\n左クリック - 奥に移動", "Canvas:Down", "", 20, 0, kNone, CLR_NONE, nullptr, true},
    {ButtonSetting, "m_btnSetting", 330, "[ 各種設定 ]", "Setting", "", 0, 0, kNone, CLR_NONE, nullptr, false},
    {ButtonHelp, "m_btnHelp", 342, "  オルヴェンデイル  ", "Orvendale", "", 0, 0, kNone, CLR_NONE, nullptr, false},
    {ButtonScreenShot, "m_btnScreenShot", 343, "[ スクリーンショット ]", "ScreenShot", "", 0, 0, kNone, CLR_NONE, nullptr, false},
    {ButtonDrawSwitch, "m_btnDrawSwitch", 360,
     "[ 描画モード切替 ]\nキャンバスモード⇔アタッチモード\n\n"
     "キャンバスモード：絵をキャンバスに描くようにキューブを配置\n"
     "アタッチモード：キューブ同士をくっつけてキューブを配置",
     "Draw:Switch", "", 0, 0, kFixed, 0x00FFFF, nullptr, true},
    // Starts with the cube colour, which by default is also the light-on swatch.
    {ButtonLight, "m_btnLight", 365,
     "[ 照明 ]\n左クリック - 照明ON/OFF\n左ダブルクリック - 照明位置切り替え\n右クリック - 照明位置切り替え",
     "Light:Switch", "Light:Position", 0, 400, kField, CLR_NONE, &CViewState::m_cubeColor, true},
};

ButtonSpec FromRow(const Row& row)
{
    ButtonSpec entry;
    entry.id = row.id;
    entry.member = QString::fromLatin1(row.member);
    entry.pngResource = row.png;
    entry.tooltip = QString::fromUtf8(row.tooltip);
    entry.command = QString::fromLatin1(row.command);
    entry.command2 = QString::fromLatin1(row.command2);
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
        entry.tooltip = QString::fromUtf8(kPaletteTooltip);
        entry.command = QStringLiteral("Cube:Color%1").arg(i + 1);
        entry.command2 = QStringLiteral("Cube:ChangeColor%1").arg(i + 1);
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
        return entry.swatchField ? state.*entry.swatchField : CLR_NONE;
    case SwatchSource::Palette:
        if (entry.paletteIndex < 0 || entry.paletteIndex >= kPaletteButtonCount)
            return CLR_NONE;
        if (std::size_t(entry.paletteIndex) < state.m_palette.size())
            return state.m_palette[std::size_t(entry.paletteIndex)];
        return kInitialPalette[std::size_t(entry.paletteIndex)];
    }
    return CLR_NONE;
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
