#include "controls/ContextMenus.h"

#include "scene/ViewState.h"

namespace ContextMenus {

namespace {

MenuEntry Item(const char* text, int id, CommandId command, bool checked = false)
{
    MenuEntry e;
    e.text = QString::fromUtf8(text);
    e.id = id;
    e.command = command;
    e.checked = checked;
    return e;
}

using C = CommandId;

MenuEntry Separator()
{
    MenuEntry e;
    e.kind = MenuEntry::Separator;
    return e;
}

MenuEntry Submenu(const char* text, std::vector<MenuEntry> children)
{
    MenuEntry e;
    e.kind = MenuEntry::Submenu;
    e.text = QString::fromUtf8(text);
    e.children = std::move(children);
    return e;
}

} // namespace

std::vector<MenuEntry> SettingMenu(const CViewPreferences& v)
{
    return {
        Item("キューブのサイズ(X,Y,Z)を変更", 1, C::CubeSize),
        Item("キューブの比率を変更", 2, C::CubeRate),
        Item("キューブをクリア", 3, C::CubeClear),
        Separator(),
        Submenu("ボタン 配置", {Item("カラー ボタン", 20, C::ColorPos), Item("コントロール ボタン", 21, C::ControlPos)}),
        Submenu("ボタン 表示切替",
                {Item("カラー ボタン", 11, C::ColorButton, v.m_showColor != 0),
                 Item("コントロール ボタン", 12, C::ControlButton, v.m_showControl != 0)}),
        Separator(),
        Submenu("線幅", {Item("ワイヤーフレーム", 30, C::CubeLineWidth), Item("フレーム", 31, C::FrameLineWidth), Item("キャンバス", 32, C::CanvasLineWidth),
                        Item("照準", 33, C::SightLineWidth), Item("座標軸", 34, C::AxisLineWidth)}),
        Separator(),
        Item("ビュー初期状態", 6, C::SettingDefault),
        Separator(),
        Item("照明", 7, C::LightSwitch, v.m_lightEnable != 0),
        Item("照明位置切替", 8, C::LightPosition),
    };
}

std::vector<MenuEntry> ScreenShotMenu()
{
    return {Item("BMP(&B)", 1, C::ImageBMP), Item("PNG(&P)", 2, C::ImagePNG), Item("GIF(&G)", 3, C::ImageGIF), Item("TIFF(&T)", 4, C::ImageTIFF),
            Item("JPEG(&J)", 6, C::ImageJPEG)};
}

std::optional<CommandId> CommandForEntry(const std::vector<MenuEntry>& menu, int id)
{
    if (id == 0)
        return std::nullopt;
    for (const MenuEntry& e : menu) {
        if (e.kind == MenuEntry::Item && e.id == id)
            return e.command;
        if (e.kind == MenuEntry::Submenu)
            if (const auto command = CommandForEntry(e.children, id))
                return command;
    }
    return std::nullopt;
}

} // namespace ContextMenus
