#include "Artwork.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>

namespace Art {

QFont ArtFont(int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    // No silent fallback to another family: a glyph the chosen font lacks
    // must be caught by MissingGlyphs, not drawn from some other font.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

bool HasArtFont()
{
    return QFontDatabase::families().contains(QString::fromLatin1(kFontFamily)) &&
           QFontInfo(ArtFont(14, false)).family() == QString::fromLatin1(kFontFamily);
}

QString MissingGlyphs(const QFont& font, const QString& text)
{
    const QRawFont raw = QRawFont::fromFont(font);
    QString missing;
    for (const char32_t ch : text.toUcs4()) {
        if (ch == U' ')
            continue;
        if (!raw.isValid() || !raw.supportsCharacter(ch))
            missing += QString::fromUcs4(&ch, 1);
    }
    return missing;
}

} // namespace Art
