#include "controls/KeyMap.h"

#include "controls/CommandRegistry.h"

#include <QChar>

namespace KeyMap {

namespace {

// The US keys at the places of the evdev key codes (plus 8, as XKB counts):
// the top row 1..9, 0, and the three letter rows.
constexpr quint32 kTopRowFirst = 10;
constexpr char kTopRow[] = "1234567890";
constexpr quint32 kUpperRowFirst = 24;
constexpr char kUpperRow[] = "QWERTYUIOP";
constexpr quint32 kHomeRowFirst = 38;
constexpr char kHomeRow[] = "ASDFGHJKL";
constexpr quint32 kLowerRowFirst = 52;
constexpr char kLowerRow[] = "ZXCVBNM";

template <size_t N>
int KeyInRow(const char (&row)[N], quint32 first, quint32 code)
{
    return code >= first && code - first < N - 1 ? row[code - first] : 0;
}

bool IsLatinLetterOrDigit(int key)
{
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

} // namespace

int LayoutIndependentKey(int key, quint32 code)
{
    if (code == 0 || IsLatinLetterOrDigit(key))
        return key;
    // The top row is the digits in every layout, also where its characters
    // are "&", "é" or "!" (Shift on US).
    if (const int digit = KeyInRow(kTopRow, kTopRowFirst, code))
        return digit;
    // Only letters of another script move to their US place: a punctuation
    // key that sits where US has a letter (AZERTY's ",", Dvorak's ";") is
    // not a letter there either.
    const bool otherScriptLetter = key > 0x7F && key < Qt::Key_Escape && QChar::isLetter(char32_t(key));
    if (!otherScriptLetter)
        return key;
    for (int letter : {KeyInRow(kUpperRow, kUpperRowFirst, code), KeyInRow(kHomeRow, kHomeRowFirst, code),
                       KeyInRow(kLowerRow, kLowerRowFirst, code)})
        if (letter)
            return letter;
    return key;
}

std::optional<CommandId> CommandForKey(int key, Qt::KeyboardModifiers mods)
{
    // The keypad's digits are other keys than the main keyboard's.
    if ((mods & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9)
        return std::nullopt;
    const bool shift = mods & Qt::ShiftModifier;
    const bool alt = mods & Qt::AltModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    if (int(shift) + int(alt) + int(ctrl) >= 2)
        return std::nullopt;
    const int combined = key | (mods & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier)).toInt();
    for (const CommandRow* row : CommandRegistry::All())
        for (const KeyChord& chord : row->keys)
            if (chord.route == KeyRoute::View && chord.combined != 0 && chord.combined == combined)
                return row->id;
    return std::nullopt;
}

} // namespace KeyMap
