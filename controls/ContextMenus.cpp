#include "controls/ContextMenus.h"

#include "scene/ViewState.h"

#include <QCoreApplication>

namespace ContextMenus {

namespace {

MenuEntry Item(const char* text, int id, CommandId command, bool checked = false)
{
    MenuEntry e;
    e.text = QCoreApplication::translate("ContextMenus", text);
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
    e.text = QCoreApplication::translate("ContextMenus", text);
    e.children = std::move(children);
    return e;
}

} // namespace

std::vector<MenuEntry> SettingMenu(const CViewPreferences& v)
{
    return {
        Item(QT_TRANSLATE_NOOP("ContextMenus", "キューブのサイズ(X,Y,Z)を変更"), 1, C::CubeSize),
        Item(QT_TRANSLATE_NOOP("ContextMenus", "キューブの比率を変更"), 2, C::CubeRate),
        Item(QT_TRANSLATE_NOOP("ContextMenus", "キューブをクリア"), 3, C::CubeClear),
        Separator(),
        Submenu(QT_TRANSLATE_NOOP("ContextMenus", "ボタン 配置"), {Item(QT_TRANSLATE_NOOP("ContextMenus", "カラー ボタン"), 20, C::ColorPos), Item(QT_TRANSLATE_NOOP("ContextMenus", "コントロール ボタン"), 21, C::ControlPos)}),
        Submenu(QT_TRANSLATE_NOOP("ContextMenus", "ボタン 表示切替"),
                {Item(QT_TRANSLATE_NOOP("ContextMenus", "カラー ボタン"), 11, C::ColorButton, v.m_showColor != 0),
                 Item(QT_TRANSLATE_NOOP("ContextMenus", "コントロール ボタン"), 12, C::ControlButton, v.m_showControl != 0)}),
        Separator(),
        Submenu(QT_TRANSLATE_NOOP("ContextMenus", "線幅"), {Item(QT_TRANSLATE_NOOP("ContextMenus", "ワイヤーフレーム"), 30, C::CubeLineWidth), Item(QT_TRANSLATE_NOOP("ContextMenus", "フレーム"), 31, C::FrameLineWidth), Item(QT_TRANSLATE_NOOP("ContextMenus", "キャンバス"), 32, C::CanvasLineWidth),
                        Item(QT_TRANSLATE_NOOP("ContextMenus", "照準"), 33, C::SightLineWidth), Item(QT_TRANSLATE_NOOP("ContextMenus", "座標軸"), 34, C::AxisLineWidth)}),
        Separator(),
        Item(QT_TRANSLATE_NOOP("ContextMenus", "ビュー初期状態"), 6, C::SettingDefault),
        Separator(),
        Item(QT_TRANSLATE_NOOP("ContextMenus", "照明"), 7, C::LightSwitch, v.m_lightEnable != 0),
        Item(QT_TRANSLATE_NOOP("ContextMenus", "照明位置切替"), 8, C::LightPosition),
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
