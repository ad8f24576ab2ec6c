#pragma once

#include "controls/CommandIds.h"

#include <Qt>
#include <optional>

// Keys drive the same commands as the buttons; each command's row in the
// registry lists its keys. The view's own keys (KeyRoute::View) are plain or
// hold one of Shift (arrows only), Alt and Ctrl.
// With two or more of Shift, Alt and Ctrl held nothing is sent. Digits are
// those of the main keyboard, not the keypad; letters count whatever their case.
namespace KeyMap {

// The command for a key press, or none.
std::optional<CommandId> CommandForKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The key the tables know for a press, whatever the keyboard layout: the
// top-row keys count as the digits 0..9 (AZERTY's "&" is 1), and a key that
// gives a letter of another script (Cyrillic, Greek...) counts as the US
// letter at its place. Other keys, Latin letters and digits stay as Qt
// reports them. xkbKeycode is the key's XKB (evdev + 8) code, 0 when the
// platform gives none; then the key stays as it is.
int LayoutIndependentKey(int qtKey, quint32 xkbKeycode);

} // namespace KeyMap
