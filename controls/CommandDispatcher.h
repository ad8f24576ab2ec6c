#pragma once

#include "controls/CommandRegistry.h"

#include <QString>

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

// The one dispatcher of the view's commands: buttons, keys, menus, the main
// window and the view's first update all end here.
class CCommandDispatcher {
public:
    // Runs a command of the view (a row with a handler).
    static void Execute(CommandId id, CommandContext& ctx);
    // False for an empty or unknown name; otherwise runs it and returns true,
    // also when the user cancels a dialog the command opened.
    static bool Execute(const QString& name, CommandContext& ctx);

    // The swatch rules of the display buttons, applied to all of them (the
    // cube and drawing-mode buttons keep theirs).
    static void RefreshSwatches(CommandContext& ctx);
};
