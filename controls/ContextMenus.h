#pragma once

#include "controls/CommandIds.h"

#include <QString>
#include <optional>
#include <vector>

struct CViewPreferences;

// The two pop-up menus of the view as data: built afresh each time from the
// current state (check marks), turned into a real menu by the view, and the
// chosen entry's identifier mapped back to the command its entry names.
namespace ContextMenus {

struct MenuEntry {
    enum Kind { Item, Separator, Submenu } kind = Item;
    QString text;
    int id = 0;             // Item: identifier, local to the menu
    CommandId command{};    // Item: what it runs
    bool checked = false;
    std::vector<MenuEntry> children;  // Submenu
};

std::vector<MenuEntry> SettingMenu(const CViewPreferences& prefs);
std::vector<MenuEntry> ScreenShotMenu();

// The command of an identifier chosen from a menu; none for 0 (dismissed)
// and any identifier without an item.
std::optional<CommandId> CommandForEntry(const std::vector<MenuEntry>& menu, int id);

} // namespace ContextMenus
