#include "app/AppLooks.h"


#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <array>

namespace {

struct LookColours {
    int id;
    std::optional<CommandId> command;  // the menu item that chooses it
    const char* style;
    QRgb window, button, base, text, highlight, highlightedText;
};

// Each look keeps the character of the style it is named after: the grey
// classic desktop, the pale menus with a soft selection, the beige and blue
// of the later desktop, the blue, black, silver and aqua office colours, and
// the plain light grey of the newest one.
constexpr std::array<LookColours, 11> kLooks = {{
    {kLookWin2000, CommandId::LookWin2000, "Windows", 0xD4D0C8, 0xD4D0C8, 0xFFFFFF, 0x000000, 0x0A246A, 0xFFFFFF},
    {kLookOffXp, CommandId::LookOffXp, "Windows", 0xF2F0EB, 0xE3E1DA, 0xFFFFFF, 0x000000, 0xB6BDD2, 0x000000},
    {kLookWinXp, CommandId::LookWinXp, "Fusion", 0xECE9D8, 0xF4F3EE, 0xFFFFFF, 0x000000, 0x316AC5, 0xFFFFFF},
    {kLookOff2003, CommandId::LookOff2003, "Fusion", 0xC3DAF9, 0xDDECFE, 0xFFFFFF, 0x000000, 0xFFD091, 0x000000},
    {kLookVs2005, CommandId::LookVs2005, "Fusion", 0xEEEDE5, 0xF3F2EA, 0xFFFFFF, 0x000000, 0xC1D2EE, 0x000000},
    {kLookVs2008, CommandId::LookVs2008, "Fusion", 0xD6DBE9, 0xEEF0F6, 0xFFFFFF, 0x000000, 0x3C7FB1, 0xFFFFFF},
    {kLookOff2007Blue, CommandId::LookOff2007Blue, "Fusion", 0xBFDBFF, 0xD7E6FA, 0xFFFFFF, 0x15428B, 0xFFE08E, 0x000000},
    {kLookOff2007Black, CommandId::LookOff2007Black, "Fusion", 0x535353, 0x6A6A6A, 0x3C3C3C, 0xF0F0F0, 0xF7C961, 0x000000},
    {kLookOff2007Silver, CommandId::LookOff2007Silver, "Fusion", 0xD0D4DD, 0xE4E7EC, 0xFFFFFF, 0x4C535C, 0xF5CF5A, 0x000000},
    {kLookOff2007Aqua, CommandId::LookOff2007Aqua, "Fusion", 0xC9DDE5, 0xDDEBF0, 0xFFFFFF, 0x1E395B, 0x7FC5E0, 0x000000},
    {kLookWindows7, std::nullopt, "Fusion", 0xF0F0F0, 0xF0F0F0, 0xFFFFFF, 0x000000, 0x3399FF, 0xFFFFFF},
}};

const LookColours* Find(int id)
{
    for (const LookColours& l : kLooks)
        if (l.id == id)
            return &l;
    return nullptr;
}

QPalette MakePalette(const LookColours& c)
{
    // The two-colour constructor derives the light, mid and dark shades that
    // bevels and frames use from the button and window colours.
    QPalette p{QColor(c.button), QColor(c.window)};
    const QColor text(c.text);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::ToolTipText})
        p.setColor(role, text);
    p.setColor(QPalette::Base, QColor(c.base));
    p.setColor(QPalette::AlternateBase, QColor(c.base).darker(106));
    p.setColor(QPalette::ToolTipBase, QColor(c.button));
    p.setColor(QPalette::Highlight, QColor(c.highlight));
    p.setColor(QPalette::HighlightedText, QColor(c.highlightedText));
    const QColor disabled = QColor(c.window).lightness() < 128 ? QColor(0x9A9A9A) : QColor(0x8C8C8C);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    return p;
}

} // namespace

bool IsAppLookId(int id)
{
    return id >= kLookWin2000 && id <= kLookWindows7;
}

bool IsOffice2007ColourId(int id)
{
    return id >= kLookOff2007Blue && id <= kLookOff2007Aqua;
}

std::optional<CommandId> AppLookCommand(int id)
{
    const LookColours* c = Find(id);
    return c ? c->command : std::nullopt;
}

std::optional<int> AppLookOfCommand(CommandId command)
{
    for (const LookColours& l : kLooks)
        if (l.command == command)
            return l.id;
    return std::nullopt;
}

AppLook AppLookFor(int id, int office2007Colour)
{
    if (id >= kLookOff2007FirstUnnamed && id <= kLookOff2007LastUnnamed)
        id = IsOffice2007ColourId(office2007Colour) ? office2007Colour : kLookOff2007Blue;
    const LookColours* c = Find(id);
    if (!c)
        c = Find(kDefaultAppLook);
    return AppLook{QString::fromLatin1(c->style), MakePalette(*c)};
}

void ApplyAppLook(const AppLook& look)
{
    // The style first: installing a style resets the palette to the style's own.
    if (QApplication::style()->name().compare(look.styleName, Qt::CaseInsensitive) != 0) {
        if (QStyle* style = QStyleFactory::create(look.styleName))
            QApplication::setStyle(style);
    }
    QApplication::setPalette(look.palette);
    // Widgets learn of a new application palette through posted events;
    // deliver them now so that the whole window changes in one step.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationPaletteChange);
}
