#pragma once

// The program's images, each drawn from vector code.

#include "ArtKit.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

namespace Art {

// The one font family of all artwork text. It covers Latin and Japanese, so
// the help button's katakana and the splash share one look.
inline constexpr const char* kFontFamily = "Noto Sans CJK JP";
QFont ArtFont(int pixelSize, bool bold);

// Characters of `text` that the artwork font cannot draw (empty when all can),
// and whether the font machinery found the family at all.
QString MissingGlyphs(const QFont& font, const QString& text);
bool HasArtFont();

// One button strip: the resource number it is stored under, its face and the
// width of a frame (all frames are 30 pixels high).
struct ButtonArt {
    int resource;
    Face face;
    int frameWidth;
    GlyphPainter glyph;
    bool opaque = false; // stored without an alpha channel
};

inline constexpr int kFrameSize = 30;

std::vector<ButtonArt> ButtonCatalogue();

// The strings drawn as text; the generator checks that the font has every
// glyph before drawing, instead of writing empty boxes into an image.
QString HelpCaption();
QString SplashTitle();
QString SplashSubtitle();

QImage DrawSplash(); // 393 x 150
// A picture of the tool bar by its name in kToolIcons, 48 x 48; a null image
// for a name it does not know.
QImage DrawToolIcon(const char* name);
QImage DrawAppIcon(int size);
QString AppIconSvg();

} // namespace Art
