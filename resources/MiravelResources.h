#pragma once

// The program's images, compiled into the miravel_resources library:
//   ":/png/<N>.png"     button strip N: five frames stacked top to bottom
//                       (normal, hover, pressed, disabled, focused); 30 x 150,
//                       the help button's 200 x 150
//   ":/bitmap/345.png"  the splash picture, 393 x 150
//   ":/icon/128.png"    the application icon, 256 x 256

#include "resources/ButtonStrips.h"

#include <QString>

// Registers the images with Qt's resource system. Resources in a static
// library are not registered by linking alone; call this once before the
// first use (calling it again does no harm).
void InitMiravelResources();

// ":/png/<resource>.png"
QString MiravelButtonStripPath(int resource);

inline constexpr const char* kMiravelSplashPath = ":/bitmap/345.png";
inline constexpr const char* kMiravelIconPath = ":/icon/128.png";
