#pragma once

#include "controls/ButtonIds.h"
#include "controls/CommandIds.h"
#include "model/CubeTypes.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

struct CViewState;
struct CViewPreferences;

// Where a button's swatch comes from when the buttons are created.
enum class SwatchSource {
    None,     // no swatch (CLR_NONE)
    Fixed,    // ButtonSpec::fixedSwatch
    Field,    // the preference colour named by ButtonSpec::swatchField
    CubeColor,  // the current drawing colour
    Palette,  // entry ButtonSpec::paletteIndex of the palette
};

// One on-view button as the view creates it.
struct ButtonSpec {
    int id = 0;
    QString member;       // the view's member name, e.g. "m_btnFrame", "m_btnColor[3]"
    int pngResource = 0;  // number of the image strip, ":/png/<N>.png"
    QString tooltip;      // lines separated by '\n'
    CommandId command{};  // first command: click and auto-repeat
    std::optional<CommandId> command2;  // second command: double-click and right click
    int repeatInterval = 0;  // ms between auto-repeats while held; 0 = no repeat
    int clickWait = 0;       // ms a click waits for a double-click; 0 = sends at once
    SwatchSource swatch = SwatchSource::None;
    COLORREF fixedSwatch = CLR_NONE;
    COLORREF CViewPreferences::*swatchField = nullptr;
    int paletteIndex = -1;  // 0..15 for the palette buttons
    bool controlGroup = false;  // shown and hidden by "Control:Button"
    bool colorGroup = false;    // shown and hidden by "Color:Button"
    bool alwaysShown = false;   // settings, help and screenshot
};

inline constexpr int kPaletteButtonCount = 16;

// All 45 buttons in creation order; ids run 10001..10045 in this order.
const std::vector<ButtonSpec>& ButtonCatalogue();

// The row of a button id, or nullptr for an id that is not a button.
const ButtonSpec* FindButtonSpec(int id);

// The swatch a button starts with, read from the view's state at creation.
// Palette buttons take the state's palette entry, or the start-up palette
// when the state's palette does not hold that entry yet.
COLORREF InitialSwatch(const ButtonSpec& row, const CViewState& state);

// The swatch a display button shows for the view's state: a shown element's
// colour or black (sight, ground, frame, canvas), red or black (axis), yellow
// or white (light on or off), the background colour, and yellow in canvas
// mode or black in attach mode (drawing mode). CLR_NONE for other buttons.
COLORREF DisplaySwatch(int id, const CViewState& state);

// The 26 buttons that "Control:Button" shows and hides, in the order they
// are shown or hidden.
const std::array<int, 26>& ShowControlButtonOrder();
