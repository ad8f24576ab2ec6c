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
