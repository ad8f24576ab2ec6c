#include "app/AppResources.h"

#ifdef MIRAVEL_HAVE_ARTWORK
#include "resources/MiravelResources.h"
#endif

#include <QGuiApplication>
#include <QIcon>

void InitAppResources()
{
#ifdef MIRAVEL_HAVE_ARTWORK
    InitMiravelResources();
#endif
    const QIcon icon(QStringLiteral(":/icon/128.png"));
    if (!icon.isNull() && !icon.availableSizes().isEmpty())
        QGuiApplication::setWindowIcon(icon);
}
