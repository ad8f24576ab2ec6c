#include "controls/ContextMenus.h"

#include "scene/ViewState.h"

namespace ContextMenus {

namespace {

MenuEntry Item(const char* text, int id, bool checked = false)
{
    MenuEntry e;
    e.text = QString::fromUtf8(text);
    e.id = id;
    e.checked = checked;
    return e;
}

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

struct IdCommand {
    int id;
    const char* command;
};

const IdCommand kSettingCommands[] = {
    {1, "Cube:Size"},        {2, "Cube:Rate"},        {3, "Cube:Clear"},
    {20, "Color:Pos"},       {21, "Control:Pos"},     {11, "Color:Button"},
    {12, "Control:Button"},  {30, "Cube:LineWidth"},  {31, "Frame:LineWidth"},
    {32, "Canvas:LineWidth"}, {33, "Sight:LineWidth"}, {34, "Axis:LineWidth"},
    {6, "Setting:Default"},  {7, "Light:Switch"},     {8, "Light:Position"},
};

const IdCommand kScreenShotCommands[] = {
    {1, "Image:BMP"}, {2, "Image:PNG"}, {3, "Image:GIF"}, {4, "Image:TIFF"}, {6, "Image:JPEG"},
};

template <size_t N>
QString Lookup(const IdCommand (&table)[N], int id)
{
    for (const IdCommand& e : table)
        if (e.id == id)
            return QString::fromLatin1(e.command);
    return {};
}

} // namespace

std::vector<MenuEntry> SettingMenu(const CViewState& v)
{
    return {
        Item("キューブのサイズ(X,Y,Z)を変更", 1),
        Item("キューブの比率を変更", 2),
        Item("キューブをクリア", 3),
        Separator(),
        Submenu("ボタン 配置", {Item("カラー ボタン", 20), Item("コントロール ボタン", 21)}),
        Submenu("ボタン 表示切替",
                {Item("カラー ボタン", 11, v.m_showColor != 0),
                 Item("コントロール ボタン", 12, v.m_showControl != 0)}),
        Separator(),
        Submenu("線幅", {Item("ワイヤーフレーム", 30), Item("フレーム", 31), Item("キャンバス", 32),
                        Item("照準", 33), Item("座標軸", 34)}),
        Separator(),
        Item("ビュー初期状態", 6),
        Separator(),
        Item("照明", 7, v.m_lightEnable != 0),
        Item("照明位置切替", 8),
    };
}

std::vector<MenuEntry> ScreenShotMenu()
{
    return {Item("BMP(&B)", 1), Item("PNG(&P)", 2), Item("GIF(&G)", 3), Item("TIFF(&T)", 4),
            Item("JPEG(&J)", 6)};
}

QString SettingCommand(int id) { return Lookup(kSettingCommands, id); }

QString ScreenShotCommand(int id) { return Lookup(kScreenShotCommands, id); }

} // namespace ContextMenus
