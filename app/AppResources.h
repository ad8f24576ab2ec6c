#pragma once

// Registers the program's compiled-in images (splash, icon, buttons) and
// makes the icon the windows' icon.
void InitAppResources();
