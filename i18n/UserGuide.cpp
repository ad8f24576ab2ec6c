#include "i18n/UserGuide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace UserGuide {

QString Page(const QString& language)
{
    QStringList roots;
    // The installed guide, found from the program's own folder so that an
    // installation moved to another prefix still finds it.
    if (QCoreApplication::instance())
        roots << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(MIRAVEL_GUIDE_FROM_BINDIR));
    // A program run from its build tree, and the tests.
    roots << QStringLiteral(MIRAVEL_GUIDE_BUILD_DIR);
    for (const QString& root : std::as_const(roots)) {
        const QFileInfo page(QDir(root).filePath(language + QStringLiteral("/index.html")));
        if (page.isFile())
            return QDir::cleanPath(page.absoluteFilePath());
    }
    return {};
}

} // namespace UserGuide
