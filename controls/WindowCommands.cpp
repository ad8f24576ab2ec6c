// The main window's commands. Apart from help, which opens the guide as the
// view's help button does, the window binds their handlers itself.
#include "controls/CommandDispatcher.h"

#include <QCoreApplication>

namespace {

using Id = CommandId;

constexpr MenuPlace File(std::uint8_t group) { return {MenuId::File, group}; }
constexpr MenuPlace kLooks{MenuId::ViewLooks, 0};
constexpr MenuPlace kOffice2007{MenuId::ViewOffice2007, 0};
constexpr MenuPlace kHelp{MenuId::Help, 0};
// Below the model tools.
constexpr MenuPlace kPalette{MenuId::Tools, 5};

constexpr CommandRow kRows[] = {
    // The file menu's own texts carry their keys.
    {.id = Id::FileNew, .label = QT_TRANSLATE_NOOP("Commands", "新規作成(&N)\tCtrl+N"), .place = File(0),
     .keys = {Shortcut(Qt::CTRL | Qt::Key_N)}},
    {.id = Id::FileOpen, .label = QT_TRANSLATE_NOOP("Commands", "開く(&O)...\tCtrl+O"), .place = File(0),
     .keys = {Shortcut(Qt::CTRL | Qt::Key_O)}},
    {.id = Id::FileSave, .label = QT_TRANSLATE_NOOP("Commands", "上書き保存(&S)\tCtrl+S"), .place = File(0),
     .keys = {Shortcut(Qt::CTRL | Qt::Key_S)}},
    {.id = Id::FileSaveAs, .label = QT_TRANSLATE_NOOP("Commands", "名前を付けて保存(&A)..."), .place = File(0)},
    // Other programs' formats, beside the model file's own commands.
    {.id = Id::FileImport, .label = QT_TRANSLATE_NOOP("Commands", "インポート(&I)..."), .place = File(1)},
    {.id = Id::AppExit, .label = QT_TRANSLATE_NOOP("Commands", "アプリケーションの終了(&X)"), .place = File(3)},
    // Printing has a key but no menu entry.
    {.id = Id::FilePrint, .label = QT_TRANSLATE_NOOP("Commands", "印刷(&P)..."), .keys = {Shortcut(Qt::CTRL | Qt::Key_P)}},
    {.id = Id::MenuBar, .label = QT_TRANSLATE_NOOP("Commands", "メニュー バー(&M)"), .place = {MenuId::ViewBars, 0},
     .checkable = true},
    {.id = Id::ToolBar, .label = QT_TRANSLATE_NOOP("Commands", "ツール バー(&T)"), .place = {MenuId::ViewBars, 0},
     .checkable = true},
    // The palette panel's commands act on the list it shows.
    {.id = Id::PalettePanel, .label = QT_TRANSLATE_NOOP("Commands", "パレット(&P)"), .place = {MenuId::ViewBars, 0},
     .checkable = true},
    {.id = Id::PaletteOpen, .label = QT_TRANSLATE_NOOP("Commands", "パレットを開く(&O)..."), .place = kPalette},
    {.id = Id::PaletteSave, .label = QT_TRANSLATE_NOOP("Commands", "パレットを保存(&S)..."), .place = kPalette},
    {.id = Id::PaletteRemap, .label = QT_TRANSLATE_NOOP("Commands", "パレットの色に置き換え(&M)"), .place = kPalette},
    {.id = Id::PaletteToButtons, .label = QT_TRANSLATE_NOOP("Commands", "パレットの先頭 16 色をボタンに(&B)"),
     .place = kPalette},
    {.id = Id::PaletteFromButtons, .label = QT_TRANSLATE_NOOP("Commands", "ボタンの色をユーザー パレットに追加(&U)"),
     .place = kPalette},
    {.id = Id::LookWin2000, .label = "Windows 2000(&2)", .place = kLooks, .checkable = true},
    {.id = Id::LookOffXp, .label = "Office XP(&X)", .place = kLooks, .checkable = true},
    {.id = Id::LookWinXp, .label = "Windows XP(&W)", .place = kLooks, .checkable = true},
    {.id = Id::LookOff2003, .label = "Office 2003(&3)", .place = kLooks, .checkable = true},
    {.id = Id::LookVs2005, .label = "Visual Studio 200&5", .place = kLooks, .checkable = true},
    {.id = Id::LookVs2008, .label = "Visual Studio 200&8", .place = kLooks, .checkable = true},
    {.id = Id::LookOff2007Blue, .label = QT_TRANSLATE_NOOP("Commands", "ブルー スタイル(&B)"), .place = kOffice2007, .checkable = true},
    {.id = Id::LookOff2007Black, .label = QT_TRANSLATE_NOOP("Commands", "ブラック スタイル(&L)"), .place = kOffice2007, .checkable = true},
    {.id = Id::LookOff2007Silver, .label = QT_TRANSLATE_NOOP("Commands", "シルバー スタイル(&S)"), .place = kOffice2007, .checkable = true},
    {.id = Id::LookOff2007Aqua, .label = QT_TRANSLATE_NOOP("Commands", "アクア スタイル(&A)"), .place = kOffice2007, .checkable = true},
    {.id = Id::AppAbout, .label = QT_TRANSLATE_NOOP("Commands", "バージョン情報 Miravel(&A)..."), .place = kHelp},
    {.id = Id::HelpPage, .run = [](CommandContext& c) { CCommandDispatcher::Execute(Id::Orvendale, c); },
     .label = QT_TRANSLATE_NOOP("Commands", "ヘルプ (オルヴェンデイル HPへ)"), .place = kHelp},
};

} // namespace

std::span<const CommandRow> CommandRegistry::WindowRows()
{
    return kRows;
}
