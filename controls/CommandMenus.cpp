#include "controls/CommandMenus.h"

#include <QCoreApplication>

#include <algorithm>

namespace CommandMenus {

namespace {

enum class MenuKind : std::uint8_t {
    Bar,      // a menu of the main window's menu bar
    Popup,    // a pop-up menu of the view
    Submenu,  // inside its parent, at the end of its group
    Slot,     // a list the window fills in place, in a group of its own
};

struct MenuDef {
    MenuId id;
    MenuKind kind;
    MenuId parent = MenuId::None;
    std::uint8_t group = 0;
    const char* title = nullptr;  // UTF-8, translated in the context "Commands"
};

// Every menu. The menu bar shows its menus in this order, and a group's
// submenus follow each other in it too.
constexpr MenuDef kMenus[] = {
    {MenuId::File, MenuKind::Bar, MenuId::None, 0, QT_TRANSLATE_NOOP("Commands", "ファイル(&F)")},
    {MenuId::FileExport, MenuKind::Submenu, MenuId::File, 1, QT_TRANSLATE_NOOP("Commands", "エクスポート(&E)")},
    {MenuId::FileRecent, MenuKind::Slot, MenuId::File, 2},
    {MenuId::Edit, MenuKind::Bar, MenuId::None, 0, QT_TRANSLATE_NOOP("Commands", "編集(&E)")},
    {MenuId::View, MenuKind::Bar, MenuId::None, 0, QT_TRANSLATE_NOOP("Commands", "表示(&V)")},
    {MenuId::ViewBars, MenuKind::Submenu, MenuId::View, 0, QT_TRANSLATE_NOOP("Commands", "ツール バーとドッキング ウィンドウ(&T)")},
    {MenuId::ViewLooks, MenuKind::Submenu, MenuId::View, 0, QT_TRANSLATE_NOOP("Commands", "アプリケーションの外観(&A)")},
    {MenuId::ViewOffice2007, MenuKind::Submenu, MenuId::ViewLooks, 0, "Office 2007(&7)"},
    {MenuId::ViewLanguage, MenuKind::Submenu, MenuId::View, 0, QT_TRANSLATE_NOOP("Commands", "言語(&L)")},
    {MenuId::Tools, MenuKind::Bar, MenuId::None, 0, QT_TRANSLATE_NOOP("Commands", "ツール(&T)")},
    {MenuId::ToolsSelection, MenuKind::Submenu, MenuId::Tools, 2, QT_TRANSLATE_NOOP("Commands", "選択範囲(&Y)")},
    {MenuId::Help, MenuKind::Bar, MenuId::None, 0, QT_TRANSLATE_NOOP("Commands", "ヘルプ(&H)")},
    {MenuId::Setting, MenuKind::Popup},
    {MenuId::SettingPlacement, MenuKind::Submenu, MenuId::Setting, 1, QT_TRANSLATE_NOOP("Commands", "ボタン 配置")},
    {MenuId::SettingShow, MenuKind::Submenu, MenuId::Setting, 1, QT_TRANSLATE_NOOP("Commands", "ボタン 表示切替")},
    {MenuId::SettingLineWidth, MenuKind::Submenu, MenuId::Setting, 2, QT_TRANSLATE_NOOP("Commands", "線幅")},
    {MenuId::ScreenShot, MenuKind::Popup},
};

const MenuDef* Def(MenuId id)
{
    for (const MenuDef& m : kMenus)
        if (m.id == id)
            return &m;
    return nullptr;
}

} // namespace

std::vector<MenuId> MenuBar()
{
    std::vector<MenuId> menus;
    for (const MenuDef& m : kMenus)
        if (m.kind == MenuKind::Bar)
            menus.push_back(m.id);
    return menus;
}

QString Title(MenuId menu)
{
    const MenuDef* def = Def(menu);
    return def && def->title ? QCoreApplication::translate("Commands", def->title) : QString();
}

std::vector<MenuEntry> Entries(MenuId menu, const CViewState* view)
{
    // Each entry with its group; within a group the commands come first.
    struct Placed {
        int group;
        MenuEntry entry;
    };
    std::vector<Placed> placed;
    for (const CommandRow* row : CommandRegistry::All()) {
        if (row->place.menu != menu)
            continue;
        MenuEntry e;
        e.command = row->id;
        e.text = CommandRegistry::Label(*row);
        e.checked = view && row->checked && row->checked(*view);
        placed.push_back({row->place.group, std::move(e)});
    }
    for (const MenuDef& m : kMenus) {
        if (m.parent != menu)
            continue;
        MenuEntry e;
        e.kind = m.kind == MenuKind::Slot ? MenuEntry::Slot : MenuEntry::Submenu;
        e.menu = m.id;
        if (e.kind == MenuEntry::Submenu) {
            e.text = Title(m.id);
            e.children = Entries(m.id, view);
        }
        placed.push_back({m.group, std::move(e)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.group < b.group; });

    std::vector<MenuEntry> entries;
    MenuEntry separator;
    separator.kind = MenuEntry::Separator;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (i > 0 && placed[i].group != placed[i - 1].group)
            entries.push_back(separator);
        entries.push_back(std::move(placed[i].entry));
    }
    return entries;
}

} // namespace CommandMenus
