#pragma once

#include "controls/CommandIds.h"

#include <QString>
#include <Qt>

#include <optional>
#include <span>

struct CommandContext;
struct CViewState;

// Where a key is handled.
//  View:   the view's own key tables. Read by its application-wide key
//          filter before anything else, whatever the keyboard layout (keys
//          count by their place), and never consumed. None or one of Shift
//          (arrows only), Alt and Ctrl.
//  Window: a shortcut of the main window's action for the command, live in
//          the whole window also while the menu bar is hidden. Qt takes it
//          before the view sees the key, so no view key may equal one.
enum class KeyRoute : std::uint8_t { View, Window };

struct KeyChord {
    int combined = 0;  // Qt key | modifiers (QKeyCombination::toCombined()); 0 is no key
    KeyRoute route = KeyRoute::View;
};

constexpr KeyChord Key(Qt::Key key) { return {int(key), KeyRoute::View}; }
constexpr KeyChord Shift(Qt::Key key) { return {(Qt::SHIFT | key).toCombined(), KeyRoute::View}; }
constexpr KeyChord Alt(Qt::Key key) { return {(Qt::ALT | key).toCombined(), KeyRoute::View}; }
constexpr KeyChord Ctrl(Qt::Key key) { return {(Qt::CTRL | key).toCombined(), KeyRoute::View}; }
constexpr KeyChord Shortcut(QKeyCombination keys) { return {keys.toCombined(), KeyRoute::Window}; }

// The menus commands appear in: the main window's menu bar and its
// submenus, and the view's two pop-up menus. Their titles, parents and
// order are in CommandMenus.cpp.
enum class MenuId : std::uint8_t {
    None,
    File, FileExport, FileRecent,
    Edit,
    View, ViewBars, ViewLooks, ViewOffice2007, ViewLanguage,
    Tools, ToolsSelection,
    Help,
    Setting, SettingPlacement, SettingShow, SettingLineWidth,
    ScreenShot,
};

// A command's place in a menu. Within a menu the groups follow each other
// in number order with a separator between them; inside a group the
// commands keep the order of their rows, then come the group's submenus.
struct MenuPlace {
    MenuId menu = MenuId::None;
    std::uint8_t group = 0;
};

// One command. A new command is an id in CommandIds.h and one row in the
// row set of its subject: the view's (CommandDispatcher.cpp), the tools'
// (ToolCommands.cpp) or the main window's (WindowCommands.cpp).
struct CommandRow {
    CommandId id;
    // The exact, case-sensitive name ExecuteCommand(name) knows, e.g.
    // "Canvas:Up"; null for the main window's commands, which have none.
    const char* name = nullptr;
    // What the command does to the view and the document; null for the main
    // window's own commands, whose handlers the window binds.
    void (*run)(CommandContext&) = nullptr;
    // The text of its menu entry (UTF-8, translated in the context
    // "Commands"). The key shows beside it from the key itself; only the
    // fixed file menu texts carry theirs after a tab.
    const char* label = nullptr;
    MenuPlace place = {};
    KeyChord keys[2] = {};
    // A checkable entry; for the view's commands, whether it is checked now.
    bool checkable = false;
    bool (*checked)(const CViewState&) = nullptr;
    // The check mark kept in the per-user store under this key, restored at
    // the next start.
    const char* storeKey = nullptr;
};

// The rows of every command, and lookups by id, name and key.
namespace CommandRegistry {

// Every row, the view's, the tools' and the window's.
std::span<const CommandRow* const> All();
const CommandRow& Row(CommandId id);

// The name of a named command; empty for the window's.
QString Name(CommandId id);
// The command of an exact, case-sensitive name; none for an empty or
// unknown one.
std::optional<CommandId> Find(const QString& name);
// The menu text in the interface's language.
QString Label(const CommandRow& row);

// The row sets that make up the registry.
std::span<const CommandRow> ViewRows();
std::span<const CommandRow> ToolRows();
std::span<const CommandRow> SelectionRows();
std::span<const CommandRow> WindowRows();

} // namespace CommandRegistry
