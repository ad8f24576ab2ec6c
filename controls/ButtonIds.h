#pragma once

// Control identifiers of the 45 on-view buttons, in creation order. The
// palette buttons are ButtonColor1 + (N - 1) for N = 1..16.
enum ButtonId : int {
    ButtonRotateXBack = 10001,
    ButtonRotateXForward = 10002,
    ButtonRotateYBack = 10003,
    ButtonRotateYForward = 10004,
    ButtonMoveUp = 10005,
    ButtonMoveDown = 10006,
    ButtonMoveLeft = 10007,
    ButtonMoveRight = 10008,
    ButtonScaleUp = 10009,
    ButtonScaleDown = 10010,
    ButtonCubeBack = 10011,
    ButtonCubeForward = 10012,
    ButtonSight = 10013,
    ButtonAxis = 10014,
    ButtonGround = 10015,
    ButtonFrame = 10016,
    ButtonBack = 10017,
    ButtonCanvas = 10018,
    ButtonCopy = 10019,
    ButtonPaste = 10020,
    ButtonCube = 10021,
    ButtonColor1 = 10022,
    ButtonColor16 = 10037,
    ButtonCanvasSwitch = 10038,
    ButtonCanvasUp = 10039,
    ButtonCanvasDown = 10040,
    ButtonSetting = 10041,
    ButtonHelp = 10042,
    ButtonScreenShot = 10043,
    ButtonDrawSwitch = 10044,
    ButtonLight = 10045,
};

inline constexpr int kButtonCount = 45;
inline constexpr int kFirstButtonId = ButtonRotateXBack;
