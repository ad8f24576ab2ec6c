#pragma once

#include <QString>
#include <vector>

struct CViewState;

// The two pop-up menus of the view as data: built afresh each time from the
// current state (check marks), turned into a real menu by the view, and the
// chosen entry's identifier mapped back to a command.
namespace ContextMenus {

struct MenuEntry {
    enum Kind { Item, Separator, Submenu } kind = Item;
    QString text;
    int id = 0;             // Item: identifier, local to the menu
    bool checked = false;
    std::vector<MenuEntry> children;  // Submenu
};

std::vector<MenuEntry> SettingMenu(const CViewState& view);
std::vector<MenuEntry> ScreenShotMenu();

// The command of an identifier chosen from a menu; empty for 0 (dismissed)
// and any identifier without one.
QString SettingCommand(int id);
QString ScreenShotCommand(int id);

} // namespace ContextMenus
