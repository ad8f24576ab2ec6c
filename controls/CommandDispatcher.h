#pragma once

#include <QString>
#include <functional>
#include <vector>

class CMiravelDoc;
class ICommandUi;
struct CViewState;

// The maker's web page that the help button and the help menu open.
inline constexpr const char* kMakerPageUrl = "https://orvendale.example/?MIRA-VEL";

// Everything a command acts on.
struct CommandContext {
    CViewState& view;
    CMiravelDoc* doc;  // may be null before a document is attached
    ICommandUi& ui;
};

// The one dispatcher of named commands: buttons, keys, menus and the view's
// first update all end here. Names match exactly and case-sensitively.
class CCommandDispatcher {
public:
    struct Entry {
        QString name;
        std::function<void(CommandContext&)> run;
    };

    // The whole vocabulary, in the groups the user knows: camera, buttons and
    // menus, canvas, model and drawing mode, colours, scene toggles, line
    // widths, image export, help.
    static const std::vector<Entry>& Table();

    // False for an empty or unknown name; otherwise runs it and returns true,
    // also when the user cancels a dialog the command opened.
    static bool Execute(const QString& name, CommandContext& ctx);

    // The swatch rules of the display buttons, applied to all of them (the
    // cube and drawing-mode buttons keep theirs).
    static void RefreshSwatches(CommandContext& ctx);
};
