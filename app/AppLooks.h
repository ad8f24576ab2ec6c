#pragma once

#include "controls/CommandIds.h"

#include <QPalette>
#include <QString>
#include <optional>

// The visual styles of the main window, keyed by the numbers they have
// always had (205..219): the per-user store keeps the chosen one under
// "ApplicationLook", so the numbers stay as they are. Each look is a widget
// style plus a palette, applied to the whole application at once.
enum AppLookId : int {
    kLookWin2000 = 205,
    kLookOffXp = 206,
    kLookWinXp = 207,
    kLookOff2003 = 208,
    kLookVs2005 = 209,
    kLookVs2008 = 210,
    kLookOff2007FirstUnnamed = 211,  // 211..214: no menu item
    kLookOff2007LastUnnamed = 214,
    kLookOff2007Blue = 215,
    kLookOff2007Black = 216,
    kLookOff2007Silver = 217,
    kLookOff2007Aqua = 218,
    kLookWindows7 = 219,
};
inline constexpr int kDefaultAppLook = kLookVs2008;

struct AppLook {
    QString styleName; // a built-in widget style: "Windows" or "Fusion"
    QPalette palette;
};

// Ids that name a look, with or without a menu item.
bool IsAppLookId(int id);
// One of the four colours of the Office 2007 family (215..218).
bool IsOffice2007ColourId(int id);

// The look for id. Ids 211..214 are the Office 2007 family in whichever of its
// colours was chosen last (office2007Colour, one of 215..218). Any id outside
// 205..219 gives the default look.
AppLook AppLookFor(int id, int office2007Colour);

// The command that chooses a look, and the look a command chooses; none
// for the looks without a menu item and for other commands.
std::optional<CommandId> AppLookCommand(int id);
std::optional<int> AppLookOfCommand(CommandId command);

// Installs the style and the palette for every widget of the application.
void ApplyAppLook(const AppLook& look);
