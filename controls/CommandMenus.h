#pragma once

#include "controls/CommandRegistry.h"

#include <QString>
#include <vector>

struct CViewState;

// The menus of the program as data, built from the command registry: the
// main window's menu bar and the view's two pop-up menus. The window and the
// view turn them into real menus; pop-up menus are built afresh each time,
// with the check marks of the moment.
namespace CommandMenus {

struct MenuEntry {
    enum Kind { Command, Separator, Submenu, Slot } kind = Command;
    CommandId command{};          // Command
    MenuId menu = MenuId::None;   // Submenu and Slot: which one
    QString text;                 // Command: its label; Submenu: its title
    bool checked = false;         // Command: checkable and checked now
    std::vector<MenuEntry> children;  // Submenu
};

// The menus of the main window's menu bar, left to right.
std::vector<MenuId> MenuBar();
QString Title(MenuId menu);

// A menu's entries, top to bottom: the commands placed in it and its
// submenus, by group, with separators between the groups. The view's
// checkable commands take their check marks from view when it is given. A
// slot marks where the window puts a list of its own (the recent files).
std::vector<MenuEntry> Entries(MenuId menu, const CViewState* view = nullptr);

} // namespace CommandMenus
