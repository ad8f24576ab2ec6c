#include "app/ToolMenu.h"

#include "app/ShellTexts.h"
#include "view/CMiravelView.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

namespace ToolMenu {

namespace {

const QString kMirrorXKey = QStringLiteral("Tools/MirrorX");
const QString kMirrorZKey = QStringLiteral("Tools/MirrorZ");

QAction* ActionOf(QAction* const* actions, ShellCommand command) { return actions[std::size_t(command)]; }

void ShowMirrors(const CMiravelView& view, QAction* const* actions)
{
    ActionOf(actions, ShellCommand::ToolMirrorX)->setChecked(view.m_state.m_edit.m_mirrorX != 0);
    ActionOf(actions, ShellCommand::ToolMirrorZ)->setChecked(view.m_state.m_edit.m_mirrorZ != 0);
}

} // namespace

std::optional<CommandId> ViewCommand(ShellCommand command)
{
    if (command == ShellCommand::Redo)
        return CommandId::CubeForward;
    for (const Entry& e : kEntries)
        if (e.command == command)
            return e.viewCommand;
    return std::nullopt;
}

void Fill(QMenu& menu, QAction* const* actions)
{
    for (const Entry& e : kEntries) {
        if (e.separatorBefore)
            menu.addSeparator();
        menu.addAction(ActionOf(actions, e.command));
    }
}

void Run(CMiravelView& view, CommandId command, QAction* const* actions)
{
    view.ExecuteCommand(command);
    if (command != CommandId::ToolMirrorX && command != CommandId::ToolMirrorZ)
        return;
    // A checkable action turns its mark by itself; the view's flag decides.
    ShowMirrors(view, actions);
    QSettings store(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication());
    store.setValue(kMirrorXKey, view.m_state.m_edit.m_mirrorX != 0);
    store.setValue(kMirrorZKey, view.m_state.m_edit.m_mirrorZ != 0);
}

void LoadMirrors(CMiravelView& view, QSettings& store, QAction* const* actions)
{
    view.m_state.m_edit.m_mirrorX = store.value(kMirrorXKey, false).toBool();
    view.m_state.m_edit.m_mirrorZ = store.value(kMirrorZKey, false).toBool();
    ShowMirrors(view, actions);
    view.update();
}

} // namespace ToolMenu
