#include "controls/KeyMap.h"

#include <QChar>

namespace KeyMap {

namespace {

struct KeyEntry {
    int key;
    const char* command;
};

const KeyEntry kPlain[] = {
    {Qt::Key_Space, "Draw:Switch"},
    {Qt::Key_Left, "RotateY:Back"},
    {Qt::Key_Up, "RotateX:Back"},
    {Qt::Key_Right, "RotateY:Forward"},
    {Qt::Key_Down, "RotateX:Forward"},
    {Qt::Key_0, "Color:Button"},
    {Qt::Key_1, "Frame:Show"},
    {Qt::Key_2, "Canvas:Show"},
    {Qt::Key_3, "Ground:Show"},
    {Qt::Key_4, "Focus:Show"},
    {Qt::Key_5, "Axis:Show"},
    {Qt::Key_7, "Light:Switch"},
    {Qt::Key_9, "Control:Button"},
    {Qt::Key_C, "Canvas:Switch"},
    {Qt::Key_D, "Setting:Default"},
    {Qt::Key_L, "Light:Position"},
    {Qt::Key_Q, "Cube:Polygon"},
    {Qt::Key_Z, "Setting"},
};

const KeyEntry kShift[] = {
    {Qt::Key_Left, "Move:Left"},
    {Qt::Key_Up, "Move:Up"},
    {Qt::Key_Right, "Move:Right"},
    {Qt::Key_Down, "Move:Down"},
};

const KeyEntry kAlt[] = {
    {Qt::Key_0, "Color:Pos"},
    {Qt::Key_1, "Frame:Color"},
    {Qt::Key_2, "Canvas:Color"},
    {Qt::Key_3, "Ground:Color"},
    {Qt::Key_4, "Focus:Color"},
    {Qt::Key_6, "Back:Color"},
    {Qt::Key_7, "Light:Position"},
    {Qt::Key_9, "Control:Pos"},
    {Qt::Key_Q, "Cube:Color"},
};

const KeyEntry kCtrl[] = {
    {Qt::Key_Space, "Canvas:Switch"},
    {Qt::Key_Up, "Scale:Up"},
    {Qt::Key_Down, "Scale:Down"},
    {Qt::Key_C, "Canvas:Copy"},
    {Qt::Key_D, "Draw:Switch"},
    {Qt::Key_R, "Canvas:ClearCopy"},
    {Qt::Key_V, "Canvas:Paste"},
    {Qt::Key_Y, "Cube:Forward"},
    {Qt::Key_Z, "Cube:Back"},
};

template <size_t N>
QString Find(const KeyEntry (&table)[N], int key)
{
    for (const KeyEntry& e : table)
        if (e.key == key)
            return QString::fromLatin1(e.command);
    return {};
}

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

QString CommandForKey(int key, Qt::KeyboardModifiers mods)
{
    // The keypad's digits are other keys than the main keyboard's.
    if ((mods & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9)
        return {};
    const bool shift = mods & Qt::ShiftModifier;
    const bool alt = mods & Qt::AltModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    if (int(shift) + int(alt) + int(ctrl) >= 2)
        return {};
    if (shift)
        return Find(kShift, key);
    if (alt)
        return Find(kAlt, key);
    if (ctrl)
        return Find(kCtrl, key);
    return Find(kPlain, key);
}

} // namespace KeyMap
