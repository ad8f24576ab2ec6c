#pragma once

#include "controls/CommandIds.h"

#include <QString>
#include <optional>
#include <span>

class CMiravelDoc;
class ICommandUi;
struct CCameraState;
struct CViewState;

// Everything a command acts on.
struct CommandContext {
    CViewState& view;
    CMiravelDoc* doc;  // may be null before a document is attached
    ICommandUi& ui;
    // Set while "Setting:Default" fits the zoom: the pose the view takes
    // right after, which the fit is for.
    const CCameraState* fitPose = nullptr;
};

// A key that sends a command: a Qt key with none or one of Shift (arrows
// only), Alt and Ctrl. Key 0 is no key.
enum class KeyModifier : std::uint8_t { None, Shift, Alt, Ctrl };
struct KeyChord {
    KeyModifier modifier = KeyModifier::None;
    int key = 0;
};

// One command: its id, its name, what it does and the keys that send it.
// Buttons and menus name the command by id from their own tables.
struct CommandRow {
    CommandId id;
    const char* name;  // exact and case-sensitive, e.g. "Canvas:Up"
    void (*run)(CommandContext&, int arg);
    int arg = 0;       // palette entry or screenshot format of the generated rows
    KeyChord keys[2] = {};
};

// The one dispatcher of commands: buttons, keys, menus, the main frame and
// the view's first update all end here.
class CCommandDispatcher {
public:
    // The whole vocabulary in id order, in the groups the user knows: camera,
    // buttons and menus, canvas, model and drawing mode, colours, scene
    // toggles, line widths, image export, help, then the tools.
    static std::span<const CommandRow> Table();
    static const CommandRow& Row(CommandId id);

    static QString Name(CommandId id);
    // The command of an exact, case-sensitive name; none for an empty or
    // unknown one.
    static std::optional<CommandId> Find(const QString& name);

    static void Execute(CommandId id, CommandContext& ctx);
    // False for an empty or unknown name; otherwise runs it and returns true,
    // also when the user cancels a dialog the command opened.
    static bool Execute(const QString& name, CommandContext& ctx);

    // The swatch rules of the display buttons, applied to all of them (the
    // cube and drawing-mode buttons keep theirs).
    static void RefreshSwatches(CommandContext& ctx);
};
