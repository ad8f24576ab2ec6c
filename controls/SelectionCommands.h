#pragma once

#include "controls/CommandDispatcher.h"
#include "controls/CommandIds.h"

#include <Qt>
#include <optional>

// The select tool's commands: select all, delete, fill, crop, the clipboard
// (cut, copy, paste) and putting a paste down; their rows in the Tools
// menu's selection submenu and their handlers. The moves, turns and flips of
// the tool menu reach the selection through ToolCommands.
namespace SelectionCommands {

// The key a press means while the select tool is chosen, before the view's
// own keys: Ctrl+X, Ctrl+C, Ctrl+V (the clipboard, not the layer copy),
// Ctrl+A, Delete and Enter. None for every other key.
std::optional<CommandId> CommandForKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Whether the selection or a paste takes the moves, turns and flips.
bool Active(const CommandContext& c);

} // namespace SelectionCommands
