#pragma once

#include "controls/CommandIds.h"

#include <QIcon>

// The tool bar's picture of a command: the drawing tools and the hollow
// toggle, drawn with the rest of the artwork. An empty icon for a command
// that has none (the bar then shows its text).
QIcon ToolBarIcon(CommandId command);
