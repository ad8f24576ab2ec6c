// Build-time generator of the program's images.
//
//   DrawArtwork <output folder> [--sheets <folder>]
//
// Writes into the output folder:
//   png/<N>.png       the button strips (five frames each, top to bottom)
//   bitmap/345.png    the splash picture
//   icon/128.png      the application icon at 256 x 256
//   tool/<name>.png   the tool bar's pictures (ToolIcons.h)
//   icons/hicolor/<S>x<S>/apps/miravel.png and icons/hicolor/scalable/apps/miravel.svg
//                     the icon in the sizes a desktop installs
// With --sheets it also writes contact sheets of all images for a person to
// look over (not used by the build).
//
// Any failure (missing font or glyph, unwritable file) ends the run with a
// non-zero status, so the build stops instead of shipping broken images.

#include "Artwork.h"
#include "ContactSheet.h"
#include "resources/ToolIcons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool Fail(const QString& message)
{
    std::fprintf(stderr, "DrawArtwork: %s\n", qPrintable(message));
    return false;
}

bool Save(const QImage& image, const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Fail("cannot create the folder of " + path);
    QImageWriter writer(path, "png");
    if (!writer.write(image))
        return Fail("cannot write " + path + ": " + writer.errorString());
    return true;
}

bool CheckFont()
{
    if (!Art::HasArtFont())
        return Fail(QString("font family \"%1\" is not installed (Debian package fonts-noto-cjk)")
                        .arg(Art::kFontFamily));
    const QString texts = Art::HelpCaption() + "HP" + Art::SplashTitle() + Art::SplashSubtitle();
    for (const bool bold : {false, true}) {
        const QString missing = Art::MissingGlyphs(Art::ArtFont(14, bold), texts);
        if (!missing.isEmpty())
            return Fail(QString("font \"%1\" has no glyph for: %2").arg(Art::kFontFamily, missing));
    }
    return true;
}

// Zoom-in is stored without alpha: composed over black, the usual scene.
QImage Opaque(const QImage& strip)
{
    QImage flat(strip.size(), QImage::Format_RGB32);
    flat.fill(Qt::black);
    QPainter p(&flat);
    p.drawImage(0, 0, strip);
    p.end();
    return flat;
}

bool Generate(const QString& out, const QString& sheets)
{
    if (!CheckFont())
        return false;

    std::vector<Sheet::Strip> strips;
    for (const Art::ButtonArt& art : Art::ButtonCatalogue()) {
        QImage strip = Art::DrawStrip(art.frameWidth, Art::kFrameSize, art.face, art.glyph);
        if (art.opaque)
            strip = Opaque(strip);
        if (!Save(strip, QString("%1/png/%2.png").arg(out).arg(art.resource)))
            return false;
        strips.push_back({art.resource, art.face, strip});
    }

    for (const char* name : kToolIcons) {
        const QImage icon = Art::DrawToolIcon(name);
        if (icon.isNull())
            return Fail(QString("no picture is drawn for the tool icon \"%1\"").arg(name));
        if (!Save(icon, QString("%1/tool/%2.png").arg(out, name)))
            return false;
    }

    const QImage splash = Art::DrawSplash();
    if (!Save(splash, out + "/bitmap/345.png"))
        return false;

    if (!Save(Art::DrawAppIcon(256), out + "/icon/128.png"))
        return false;
    for (const int size : kIconSizes) {
        const QString path = QString("%1/icons/hicolor/%2x%2/apps/miravel.png").arg(out).arg(size);
        if (!Save(Art::DrawAppIcon(size), path))
            return false;
    }
    const QString svgPath = out + "/icons/hicolor/scalable/apps/miravel.svg";
    QDir().mkpath(QFileInfo(svgPath).absolutePath());
    QFile svg(svgPath);
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        svg.write(Art::AppIconSvg().toUtf8()) < 0 || !svg.flush())
        return Fail("cannot write " + svgPath);

    if (!sheets.isEmpty()) {
        std::vector<QImage> icons;
        for (const int size : kIconSizes)
            icons.push_back(Art::DrawAppIcon(size));
        const QString error = Sheet::Write(sheets, strips, splash, icons);
        if (!error.isEmpty())
            return Fail(error);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Text needs a font database, which needs an application; painting into
    // images needs no display, and a build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Build environments often have no session runtime folder; a private one
    // keeps the platform from warning on every build.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    QString out, sheets;
    bool usable = true;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--sheets" && i + 1 < args.size())
            sheets = args[++i];
        else if (out.isEmpty() && !args[i].startsWith("--"))
            out = args[i];
        else
            usable = false;
    }
    if (!usable || out.isEmpty()) {
        std::fprintf(stderr, "usage: DrawArtwork <output folder> [--sheets <folder>]\n");
        return 2;
    }
    return Generate(out, sheets) ? 0 : 1;
}
