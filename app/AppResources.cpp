#include "app/AppResources.h"

#include "resources/MiravelResources.h"

#include <QGuiApplication>
#include <QIcon>

void InitAppResources()
{
    InitMiravelResources();
    const QIcon icon(QString::fromLatin1(kMiravelIconPath));
    if (!icon.isNull() && !icon.availableSizes().isEmpty())
        QGuiApplication::setWindowIcon(icon);
}
