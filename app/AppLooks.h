#pragma once

#include <QPalette>
#include <QString>

// The visual styles of the main window, keyed by their command ids
// (205..219). Each look is a widget style plus a palette, applied to the
// whole application at once.
struct AppLook {
    QString styleName; // a built-in widget style: "Windows" or "Fusion"
    QPalette palette;
};

// Ids that name a look, with or without a menu item.
bool IsAppLookId(int id);
// Ids that have an item in the look menu (205..210 and 215..218).
bool IsMenuAppLookId(int id);
// One of the four colours of the Office 2007 family (215..218).
bool IsOffice2007ColourId(int id);

// The look for id. Ids 211..214 are the Office 2007 family in whichever of its
// colours was chosen last (office2007Colour, one of 215..218). Any id outside
// 205..219 gives the default look.
AppLook AppLookFor(int id, int office2007Colour);

// Installs the style and the palette for every widget of the application.
void ApplyAppLook(const AppLook& look);
