#pragma once

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
