#pragma once

// The program's images, compiled into the miravel_resources library:
//   ":/png/<N>.png"     button strip N: five frames stacked top to bottom
//                       (normal, hover, pressed, disabled, focused); 30 x 150,
//                       the help button's 200 x 150
//   ":/bitmap/345.png"  the splash picture, 393 x 150
//   ":/icon/128.png"    the application icon, 256 x 256

#include <QString>

// The button strips by resource number: the one list of them (the build
// reads it to draw and embed the strips).
enum ButtonStrip : int {
    StripScaleUp = 311,
    StripScaleDown = 312,
    StripMoveUp = 314,
    StripMoveDown = 315,
    StripMoveLeft = 316,
    StripMoveRight = 317,
    StripCanvasSwitch = 319,
    StripCanvasUp = 320,
    StripCanvasDown = 321,
    StripPalette = 322,
    StripFrame = 324,
    StripCanvas = 325,
    StripGround = 327,
    StripSight = 328,
    StripBack = 329,
    StripSetting = 330,
    StripCopy = 337,
    StripPaste = 338,
    StripCubeBack = 339,
    StripCubeForward = 340,
    StripCube = 341,
    StripHelp = 342,
    StripScreenShot = 343,
    StripAxis = 346,
    StripDrawSwitch = 360,
    StripRotateXBack = 361,
    StripRotateXForward = 362,
    StripRotateYBack = 363,
    StripRotateYForward = 364,
    StripLight = 365,
};

inline constexpr ButtonStrip kButtonStrips[] = {
    StripScaleUp, StripScaleDown, StripMoveUp, StripMoveDown, StripMoveLeft, StripMoveRight,
    StripCanvasSwitch, StripCanvasUp, StripCanvasDown, StripPalette, StripFrame, StripCanvas,
    StripGround, StripSight, StripBack, StripSetting, StripCopy, StripPaste, StripCubeBack,
    StripCubeForward, StripCube, StripHelp, StripScreenShot, StripAxis, StripDrawSwitch,
    StripRotateXBack, StripRotateXForward, StripRotateYBack, StripRotateYForward, StripLight,
};

// Registers the images with Qt's resource system. Resources in a static
// library are not registered by linking alone; call this once before the
// first use (calling it again does no harm).
void InitMiravelResources();

// ":/png/<resource>.png"
QString MiravelButtonStripPath(int resource);

inline constexpr const char* kMiravelSplashPath = ":/bitmap/345.png";
inline constexpr const char* kMiravelIconPath = ":/icon/128.png";
