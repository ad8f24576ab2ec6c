#pragma once

#include "app/ShellCommands.h"
#include "controls/CommandIds.h"

#include <optional>

class CMiravelView;
class QAction;
class QMenu;
class QSettings;

// The main window's tool menu: its entries in order, the view command each
// one sends, and the mirror painting flags kept in the per-user store.
namespace ToolMenu {

struct Entry {
    ShellCommand command;
    CommandId viewCommand;
    bool separatorBefore = false;
};

inline constexpr Entry kEntries[] = {
    {ShellCommand::ToolEyedropper, CommandId::ToolEyedropper},
    {ShellCommand::ToolFill, CommandId::ToolFill},
    {ShellCommand::ToolReplaceColor, CommandId::ToolReplaceColor},
    {ShellCommand::ToolMirrorX, CommandId::ToolMirrorX, true},
    {ShellCommand::ToolMirrorZ, CommandId::ToolMirrorZ},
    {ShellCommand::ToolMovePlusX, CommandId::ModelMovePlusX, true},
    {ShellCommand::ToolMoveMinusX, CommandId::ModelMoveMinusX},
    {ShellCommand::ToolMovePlusY, CommandId::ModelMovePlusY},
    {ShellCommand::ToolMoveMinusY, CommandId::ModelMoveMinusY},
    {ShellCommand::ToolMovePlusZ, CommandId::ModelMovePlusZ},
    {ShellCommand::ToolMoveMinusZ, CommandId::ModelMoveMinusZ},
    {ShellCommand::ToolTurnRight, CommandId::ModelTurnRight, true},
    {ShellCommand::ToolTurnLeft, CommandId::ModelTurnLeft},
    {ShellCommand::ToolFlipX, CommandId::ModelFlipX},
    {ShellCommand::ToolFlipZ, CommandId::ModelFlipZ},
    {ShellCommand::ToolFitGrid, CommandId::ModelFitGrid, true},
};

// The view command of a window command that only forwards to the view (the
// tools, the second redo key); none for the window's own commands.
std::optional<CommandId> ViewCommand(ShellCommand command);

// Fills the menu with the entries' actions (actions indexed by ShellCommand).
void Fill(QMenu& menu, QAction* const* actions);

// Sends the command to the view; a mirror toggle then keeps its check mark
// and the per-user store in step with the view.
void Run(CMiravelView& view, CommandId command, QAction* const* actions);

// The mirror flags from the per-user store into the view and the menu.
void LoadMirrors(CMiravelView& view, QSettings& store, QAction* const* actions);

} // namespace ToolMenu
