#pragma once

#include <QString>
#include <Qt>

// Keys drive the same named commands as the buttons. Four tables: plain keys,
// Shift (arrows only), Alt and Ctrl; with two or more of Shift, Alt and Ctrl
// held nothing is sent. Digits are those of the main keyboard, not the keypad;
// letters count whatever their case.
namespace KeyMap {

// The command for a key press, or an empty string.
QString CommandForKey(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace KeyMap
