#include "resources/MiravelResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function at global scope, so this must not sit in
// a namespace.
void InitMiravelResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(miravel_artwork);
        return true;
    }();
    (void)registered;
}

QString MiravelButtonStripPath(int resource)
{
    return QStringLiteral(":/png/%1.png").arg(resource);
}
