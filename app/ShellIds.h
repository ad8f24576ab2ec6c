#pragma once

// Command identifiers of the main window's menu and keys. The numbers are the
// ones the menu and accelerator tables have always used; they also key the
// persisted visual style ("ApplicationLook").
enum ShellCommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_BARS = 59392,
    ID_HELP_PAGE = 32793,
    // Other programs' formats: import, and one export entry per format.
    ID_FILE_IMPORT = 32800,
    ID_FILE_EXPORT_VOX = 32801,
    ID_FILE_EXPORT_GLTF = 32802,
    ID_FILE_EXPORT_GLB = 32803,
    ID_FILE_EXPORT_OBJ = 32804,
    ID_FILE_EXPORT_PLY = 32805,
    ID_FILE_EXPORT_STL = 32806,
    // The tool menu, and redo's second key.
    ID_TOOL_EYEDROPPER = 32810,
    ID_TOOL_MIRROR_X = 32811,
    ID_TOOL_MIRROR_Z = 32812,
    ID_TOOL_FILL = 32813,
    ID_TOOL_REPLACE_COLOR = 32814,
    ID_TOOL_MOVE_PLUS_X = 32815,
    ID_TOOL_MOVE_MINUS_X = 32816,
    ID_TOOL_MOVE_PLUS_Y = 32817,
    ID_TOOL_MOVE_MINUS_Y = 32818,
    ID_TOOL_MOVE_PLUS_Z = 32819,
    ID_TOOL_MOVE_MINUS_Z = 32820,
    ID_TOOL_TURN_RIGHT = 32821,
    ID_TOOL_TURN_LEFT = 32822,
    ID_TOOL_FLIP_X = 32823,
    ID_TOOL_FLIP_Z = 32824,
    ID_TOOL_FIT_GRID = 32825,
    ID_EDIT_REDO = 32826,

    ID_VIEW_APPLOOK_WIN_2000 = 205,
    ID_VIEW_APPLOOK_OFF_XP = 206,
    ID_VIEW_APPLOOK_WIN_XP = 207,
    ID_VIEW_APPLOOK_OFF_2003 = 208,
    ID_VIEW_APPLOOK_VS_2005 = 209,
    ID_VIEW_APPLOOK_VS_2008 = 210,
    ID_VIEW_APPLOOK_OFF_2007_FIRST_UNNAMED = 211, // 211..214: no menu item
    ID_VIEW_APPLOOK_OFF_2007_LAST_UNNAMED = 214,
    ID_VIEW_APPLOOK_OFF_2007_BLUE = 215,
    ID_VIEW_APPLOOK_OFF_2007_BLACK = 216,
    ID_VIEW_APPLOOK_OFF_2007_SILVER = 217,
    ID_VIEW_APPLOOK_OFF_2007_AQUA = 218,
    ID_VIEW_APPLOOK_WINDOWS_7 = 219,
};

inline constexpr int kFirstAppLook = ID_VIEW_APPLOOK_WIN_2000;
inline constexpr int kLastAppLook = ID_VIEW_APPLOOK_WINDOWS_7;
inline constexpr int kDefaultAppLook = ID_VIEW_APPLOOK_VS_2008;

// How many files the recent-file list of the file menu keeps.
inline constexpr int kRecentFileCount = 20;
