#include "app/ToolBarIcons.h"

#include "resources/MiravelResources.h"

QIcon ToolBarIcon(CommandId command)
{
    const char* name = nullptr;
    switch (command) {
    case CommandId::ToolPen: name = "pen"; break;
    case CommandId::ToolBox: name = "box"; break;
    case CommandId::ToolLine: name = "line"; break;
    case CommandId::ToolEllipse: name = "ellipse"; break;
    case CommandId::ToolSelect: name = "select"; break;
    case CommandId::ToolHollow: name = "hollow"; break;
    default: return {};
    }
    InitMiravelResources();
    return QIcon(QStringLiteral(":/tool/%1.png").arg(QLatin1String(name)));
}
