#pragma once

#include "app/ExportMenu.h"
#include "app/ShellIds.h"

#include <Qt>
#include <cstdint>

// The main window's own commands: file commands, import and export, printing,
// the menu bar, the looks and help. Each is one action of the frame, made
// from its row below; the view's commands have their own table.
enum class ShellCommand : std::uint8_t {
    FileNew, FileOpen, FileSave, FileSaveAs, FileImport,
    ExportVox, ExportGltf, ExportGlb, ExportObj, ExportPly, ExportStl,
    AppExit, FilePrint, MenuBar,
    LookWin2000, LookOffXp, LookWinXp, LookOff2003, LookVs2005, LookVs2008,
    LookOff2007Blue, LookOff2007Black, LookOff2007Silver, LookOff2007Aqua,
    AppAbout, HelpPage,
    ToolEyedropper, ToolMirrorX, ToolMirrorZ, ToolFill, ToolReplaceColor,
    ToolMovePlusX, ToolMoveMinusX, ToolMovePlusY, ToolMoveMinusY, ToolMovePlusZ, ToolMoveMinusZ,
    ToolTurnRight, ToolTurnLeft, ToolFlipX, ToolFlipZ, ToolFitGrid,
    Redo,
};

struct ShellCommandRow {
    ShellCommand command;
    int entryId;       // ID_...: the action's data, the persisted look
    const char* text;  // UTF-8, translated where shown; after a tab, the key as the menu shows it
    int key = 0;       // Qt key combination; 0 for none
    bool checkable = false;
};

// One row per command, in the order of ShellCommand. A new command of the
// window is an id above, a row here and its case in CMainFrame.
inline constexpr ShellCommandRow kShellCommands[] = {
    {ShellCommand::FileNew, ID_FILE_NEW, QT_TRANSLATE_NOOP("ShellCommands", "新規作成(&N)\tCtrl+N"), (Qt::CTRL | Qt::Key_N).toCombined()},
    {ShellCommand::FileOpen, ID_FILE_OPEN, QT_TRANSLATE_NOOP("ShellCommands", "開く(&O)...\tCtrl+O"), (Qt::CTRL | Qt::Key_O).toCombined()},
    {ShellCommand::FileSave, ID_FILE_SAVE, QT_TRANSLATE_NOOP("ShellCommands", "上書き保存(&S)\tCtrl+S"), (Qt::CTRL | Qt::Key_S).toCombined()},
    {ShellCommand::FileSaveAs, ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("ShellCommands", "名前を付けて保存(&A)...")},
    {ShellCommand::FileImport, ID_FILE_IMPORT, QT_TRANSLATE_NOOP("ShellCommands", "インポート(&I)...")},
    {ShellCommand::ExportVox, ID_FILE_EXPORT_VOX, kExportMenu[0].menuText},
    {ShellCommand::ExportGltf, ID_FILE_EXPORT_GLTF, kExportMenu[1].menuText},
    {ShellCommand::ExportGlb, ID_FILE_EXPORT_GLB, kExportMenu[2].menuText},
    {ShellCommand::ExportObj, ID_FILE_EXPORT_OBJ, kExportMenu[3].menuText},
    {ShellCommand::ExportPly, ID_FILE_EXPORT_PLY, kExportMenu[4].menuText},
    {ShellCommand::ExportStl, ID_FILE_EXPORT_STL, kExportMenu[5].menuText},
    {ShellCommand::AppExit, ID_APP_EXIT, QT_TRANSLATE_NOOP("ShellCommands", "アプリケーションの終了(&X)")},
    // Printing has a key but no menu entry.
    {ShellCommand::FilePrint, ID_FILE_PRINT, QT_TRANSLATE_NOOP("ShellCommands", "印刷(&P)...\tCtrl+P"), (Qt::CTRL | Qt::Key_P).toCombined()},
    {ShellCommand::MenuBar, ID_VIEW_BARS, QT_TRANSLATE_NOOP("ShellCommands", "メニュー バー(&M)"), 0, true},
    {ShellCommand::LookWin2000, ID_VIEW_APPLOOK_WIN_2000, "Windows 2000(&2)", 0, true},
    {ShellCommand::LookOffXp, ID_VIEW_APPLOOK_OFF_XP, "Office XP(&X)", 0, true},
    {ShellCommand::LookWinXp, ID_VIEW_APPLOOK_WIN_XP, "Windows XP(&W)", 0, true},
    {ShellCommand::LookOff2003, ID_VIEW_APPLOOK_OFF_2003, "Office 2003(&3)", 0, true},
    {ShellCommand::LookVs2005, ID_VIEW_APPLOOK_VS_2005, "Visual Studio 200&5", 0, true},
    {ShellCommand::LookVs2008, ID_VIEW_APPLOOK_VS_2008, "Visual Studio 200&8", 0, true},
    {ShellCommand::LookOff2007Blue, ID_VIEW_APPLOOK_OFF_2007_BLUE, QT_TRANSLATE_NOOP("ShellCommands", "ブルー スタイル(&B)"), 0, true},
    {ShellCommand::LookOff2007Black, ID_VIEW_APPLOOK_OFF_2007_BLACK, QT_TRANSLATE_NOOP("ShellCommands", "ブラック スタイル(&L)"), 0, true},
    {ShellCommand::LookOff2007Silver, ID_VIEW_APPLOOK_OFF_2007_SILVER, QT_TRANSLATE_NOOP("ShellCommands", "シルバー スタイル(&S)"), 0, true},
    {ShellCommand::LookOff2007Aqua, ID_VIEW_APPLOOK_OFF_2007_AQUA, QT_TRANSLATE_NOOP("ShellCommands", "アクア スタイル(&A)"), 0, true},
    {ShellCommand::AppAbout, ID_APP_ABOUT, QT_TRANSLATE_NOOP("ShellCommands", "バージョン情報 Miravel(&A)...")},
    {ShellCommand::HelpPage, ID_HELP_PAGE, QT_TRANSLATE_NOOP("ShellCommands", "ヘルプ (オルヴェンデイル HPへ)")},
    // The tool menu. The eyedropper and the fill are mouse tools; from the
    // menu they act at the sight cell.
    {ShellCommand::ToolEyedropper, ID_TOOL_EYEDROPPER, QT_TRANSLATE_NOOP("ShellCommands", "スポイト(&I)\tCtrl+左クリック")},
    {ShellCommand::ToolMirrorX, ID_TOOL_MIRROR_X, QT_TRANSLATE_NOOP("ShellCommands", "X で鏡写し描画(&X)\tCtrl+Shift+X"),
     (Qt::CTRL | Qt::SHIFT | Qt::Key_X).toCombined(), true},
    {ShellCommand::ToolMirrorZ, ID_TOOL_MIRROR_Z, QT_TRANSLATE_NOOP("ShellCommands", "Z で鏡写し描画(&Z)\tCtrl+Shift+C"),
     (Qt::CTRL | Qt::SHIFT | Qt::Key_C).toCombined(), true},
    {ShellCommand::ToolFill, ID_TOOL_FILL, QT_TRANSLATE_NOOP("ShellCommands", "塗りつぶし(&F)\tCtrl+Shift+左クリック")},
    {ShellCommand::ToolReplaceColor, ID_TOOL_REPLACE_COLOR, QT_TRANSLATE_NOOP("ShellCommands", "色の置き換え(&R)")},
    {ShellCommand::ToolMovePlusX, ID_TOOL_MOVE_PLUS_X, QT_TRANSLATE_NOOP("ShellCommands", "モデルを移動 +X(&1)\tCtrl+Shift+Right"),
     (Qt::CTRL | Qt::SHIFT | Qt::Key_Right).toCombined()},
    {ShellCommand::ToolMoveMinusX, ID_TOOL_MOVE_MINUS_X, QT_TRANSLATE_NOOP("ShellCommands", "モデルを移動 -X(&2)\tCtrl+Shift+Left"),
     (Qt::CTRL | Qt::SHIFT | Qt::Key_Left).toCombined()},
    {ShellCommand::ToolMovePlusY, ID_TOOL_MOVE_PLUS_Y, QT_TRANSLATE_NOOP("ShellCommands", "モデルを移動 +Y(&3)\tCtrl+Shift+PgUp"),
     (Qt::CTRL | Qt::SHIFT | Qt::Key_PageUp).toCombined()},
    {ShellCommand::ToolMoveMinusY, ID_TOOL_MOVE_MINUS_Y, QT_TRANSLATE_NOOP("ShellCommands", "モデルを移動 -Y(&4)\tCtrl+Shift+PgDown"),
     (Qt::CTRL | Qt::SHIFT | Qt::Key_PageDown).toCombined()},
    // +Z runs toward the viewer, down the screen in the usual views.
    {ShellCommand::ToolMovePlusZ, ID_TOOL_MOVE_PLUS_Z, QT_TRANSLATE_NOOP("ShellCommands", "モデルを移動 +Z(&5)\tCtrl+Shift+Down"),
     (Qt::CTRL | Qt::SHIFT | Qt::Key_Down).toCombined()},
    {ShellCommand::ToolMoveMinusZ, ID_TOOL_MOVE_MINUS_Z, QT_TRANSLATE_NOOP("ShellCommands", "モデルを移動 -Z(&6)\tCtrl+Shift+Up"),
     (Qt::CTRL | Qt::SHIFT | Qt::Key_Up).toCombined()},
    {ShellCommand::ToolTurnRight, ID_TOOL_TURN_RIGHT, QT_TRANSLATE_NOOP("ShellCommands", "右に 90° 回転(&T)")},
    {ShellCommand::ToolTurnLeft, ID_TOOL_TURN_LEFT, QT_TRANSLATE_NOOP("ShellCommands", "左に 90° 回転(&L)")},
    {ShellCommand::ToolFlipX, ID_TOOL_FLIP_X, QT_TRANSLATE_NOOP("ShellCommands", "X で反転(&H)")},
    {ShellCommand::ToolFlipZ, ID_TOOL_FLIP_Z, QT_TRANSLATE_NOOP("ShellCommands", "Z で反転(&V)")},
    {ShellCommand::ToolFitGrid, ID_TOOL_FIT_GRID, QT_TRANSLATE_NOOP("ShellCommands", "グリッドをモデルに合わせる(&G)")},
    // Redo's second key, beside the view's Ctrl+Y; no menu entry.
    {ShellCommand::Redo, ID_EDIT_REDO, QT_TRANSLATE_NOOP("ShellCommands", "やり直し(&Y)\tCtrl+Shift+Z"), (Qt::CTRL | Qt::SHIFT | Qt::Key_Z).toCombined()},
};

// Each row sits at its command's place, and no entry id is used twice.
constexpr bool ShellCommandsConsistent()
{
    for (std::size_t i = 0; i < std::size(kShellCommands); ++i) {
        if (std::size_t(kShellCommands[i].command) != i)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (kShellCommands[i].entryId == kShellCommands[j].entryId)
                return false;
    }
    return std::size(kShellCommands) == std::size_t(ShellCommand::Redo) + 1;
}
static_assert(ShellCommandsConsistent(), "shell command rows out of order, or an entry id used twice");

// The export command of a format's menu entry, in the order of kExportMenu.
constexpr ShellCommand ExportCommand(std::size_t index) { return ShellCommand(int(ShellCommand::ExportVox) + int(index)); }
static_assert(kExportMenu.size() == 6 && kShellCommands[int(ExportCommand(5))].entryId == kExportMenu[5].id);
