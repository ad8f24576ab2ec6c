#pragma once

#include <cstdint>

// Every command of the program: the view's named commands and the main
// window's own. Buttons, keys, menus and code name commands by these ids, so
// that a misspelt command does not compile; the names ("Canvas:Up") are what
// ExecuteCommand(const QString&) and the button widgets carry. Each id has
// one row in the command registry (CommandRegistry.h); the order here means
// nothing.
enum class CommandId : std::uint16_t {
    // Camera.
    RotateXBack, RotateXForward, RotateYBack, RotateYForward,
    MoveUp, MoveDown, MoveLeft, MoveRight, ScaleUp, ScaleDown,
    SettingDefaultScale, SettingDefaultRotated, SettingDefaultLookAt, SettingDefault,
    // Buttons and menus.
    ControlPos, ColorPos, ControlButton, ColorButton, ButtonButton, Setting, ScreenShot,
    // Canvas.
    CanvasSwitch, CanvasUp, CanvasDown, CanvasCopy, CanvasClearCopy, CanvasPaste, CanvasPasteAll,
    // Model and drawing mode; undo and redo of whole gestures.
    CubeSize, CubeRate, CubeClear, CubeBack, CubeForward, DrawSwitch, CubePolygon,
    CubeStrokeBack, CubeStrokeForward,
    // Colours: the sixteen palette entries, then their colour dialogs.
    CubeColor1, CubeColor16 = CubeColor1 + 15,
    CubeChangeColor1, CubeChangeColor16 = CubeChangeColor1 + 15,
    CubeColor, FocusColor, GroundColor, FrameColor, CanvasColor, BackColor,
    // Scene toggles.
    FocusShow, GroundShow, FrameShow, CanvasShow, AxisShow, BackShow, LightSwitch, LightPosition,
    // Line widths.
    CubeLineWidth, FrameLineWidth, CanvasLineWidth, SightLineWidth, AxisLineWidth,
    // Image export.
    ImageBMP, ImagePNG, ImageGIF, ImageTIFF, ImageEXIF, ImageJPEG, ImageICON,
    // Help.
    Orvendale,
    // Tools: the eyedropper, mirror painting, fill and colour replace at the
    // sight cell, then moving, turning, flipping the model, fitting the grid
    // and the large-grid dialog.
    ToolEyedropper, ToolMirrorX, ToolMirrorZ, ToolFill, ToolReplaceColor,
    ModelMovePlusX, ModelMoveMinusX, ModelMovePlusY, ModelMoveMinusY, ModelMovePlusZ, ModelMoveMinusZ,
    ModelTurnRight, ModelTurnLeft, ModelFlipX, ModelFlipZ, ModelFitGrid, ModelGridSize,
    // The box selection of the select tool, the clipboard and the floating paste.
    SelectAll, SelectionCut, SelectionCopy, SelectionPaste, SelectionDelete, SelectionFill, SelectionCrop,
    SelectionPutDown,
    // The drawing tools a left press uses, and hollow boxes and ellipses.
    ToolPen, ToolBox, ToolLine, ToolEllipse, ToolSelect, ToolHollow,
    // The palette panel: shown or hidden, its files, remapping the model to
    // it and its exchange with the palette buttons.
    PalettePanel, PaletteOpen, PaletteSave, PaletteRemap, PaletteToButtons, PaletteFromButtons,
    // The main window: files, printing, the menu bar, the looks, help.
    FileNew, FileOpen, FileSave, FileSaveAs, FileImport, FilePrint, AppExit, MenuBar, ToolBar,
    LookWin2000, LookOffXp, LookWinXp, LookOff2003, LookVs2005, LookVs2008,
    LookOff2007Blue, LookOff2007Black, LookOff2007Silver, LookOff2007Aqua,
    AppAbout, HelpPage,

    Count  // not a command: how many ids there are
};

inline constexpr int kCommandIdCount = int(CommandId::Count);

// "Cube:Color<N>" and "Cube:ChangeColor<N>" of palette entry index (0..15).
constexpr CommandId PaletteSelectCommand(int index) { return CommandId(int(CommandId::CubeColor1) + index); }
constexpr CommandId PaletteChangeCommand(int index) { return CommandId(int(CommandId::CubeChangeColor1) + index); }
