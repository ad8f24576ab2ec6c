#pragma once

// Registers the program's compiled-in images (splash, icon, buttons) when the
// build has them; without them the shell draws plain stand-ins.
void InitAppResources();
