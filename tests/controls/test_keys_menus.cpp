// Key tables and the two pop-up menus as data.
#include "controls/CommandDispatcher.h"
#include "controls/ContextMenus.h"
#include "controls/KeyMap.h"
#include "scene/ViewState.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using ContextMenus::MenuEntry;

// The name of the command a key sends, empty for none.
QString KeyCommand(int key, Qt::KeyboardModifiers mods)
{
    const auto id = KeyMap::CommandForKey(key, mods);
    return id ? CCommandDispatcher::Name(*id) : QString();
}

TEST(Keys, TablesAndModifierRules)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier,
                                ctrl = Qt::ControlModifier;
    const struct { int key; Qt::KeyboardModifiers mods; const char* command; } rows[] = {
        {Qt::Key_Space, none, "Draw:Switch"}, {Qt::Key_Space, ctrl, "Canvas:Switch"}, {Qt::Key_Up, none, "RotateX:Back"},
        {Qt::Key_Up, shift, "Move:Up"}, {Qt::Key_Up, ctrl, "Scale:Up"}, {Qt::Key_0, none, "Color:Button"},
        {Qt::Key_0, alt, "Color:Pos"}, {Qt::Key_Q, alt, "Cube:Color"}, {Qt::Key_Z, none, "Setting"},
        {Qt::Key_Z, ctrl, "Cube:Back"}, {Qt::Key_D, none, "Setting:Default"},
        // Nothing: two modifiers, Shift off the arrows, gaps, the keypad's own digits.
        {Qt::Key_Up, shift | ctrl, ""}, {Qt::Key_Z, alt | ctrl, ""}, {Qt::Key_C, shift, ""}, {Qt::Key_5, alt, ""},
        {Qt::Key_6, none, ""}, {Qt::Key_1, Qt::KeypadModifier, ""}, {Qt::Key_X, ctrl, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(KeyCommand(r.key, r.mods), QString::fromLatin1(r.command)) << r.key << " " << int(r.mods);

    // 18 plain keys, the four Shift arrows, nine with Alt and nine with Ctrl.
    int chords = 0;
    for (int key = 0; key < 0x01000100; key = key == 0x7F ? 0x01000000 : key + 1)
        for (auto mods : {none, shift, alt, ctrl})
            chords += KeyMap::CommandForKey(key, mods).has_value();
    EXPECT_EQ(chords, 40);
}

TEST(Keys, OtherLayoutsActByTheKeysPlace)
{
    // Qt's key and the XKB key code of presses on French and Russian layouts.
    const Qt::KeyboardModifiers none = Qt::NoModifier, alt = Qt::AltModifier, ctrl = Qt::ControlModifier;
    const struct { int key; quint32 code; Qt::KeyboardModifiers mods; const char* command; } rows[] = {
        {Qt::Key_Ampersand, 10, none, "Frame:Show"}, {Qt::Key_Eacute, 11, alt, "Canvas:Color"},
        {Qt::Key_Agrave, 19, none, "Color:Button"}, {Qt::Key_Apostrophe, 13, alt, "Focus:Color"},
        {Qt::Key_A, 24, none, ""}, {Qt::Key_Q, 38, alt, "Cube:Color"}, // AZERTY letters act by their label
        {0x0421, 54, none, "Canvas:Switch"}, {0x042F, 52, ctrl, "Cube:Back"}, {0x0419, 24, alt, "Cube:Color"},
        {0x0412, 40, none, "Setting:Default"},
        // Still nothing: Shift on the top row, two modifiers, the keypad.
        {Qt::Key_Exclam, 10, Qt::ShiftModifier, ""}, {Qt::Key_Ampersand, 10, alt | ctrl, ""},
        {Qt::Key_1, 87, Qt::KeypadModifier, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(KeyCommand(KeyMap::LayoutIndependentKey(r.key, r.code), r.mods),
                  QString::fromLatin1(r.command)) << std::hex << r.key;
    // Punctuation where US has a letter, a Cyrillic letter where US has
    // punctuation, and any key without a code stay as they are.
    EXPECT_EQ(KeyMap::LayoutIndependentKey(Qt::Key_Comma, 58), Qt::Key_Comma);
    EXPECT_EQ(KeyMap::LayoutIndependentKey(0x0416, 47), 0x0416);
    EXPECT_EQ(KeyMap::LayoutIndependentKey(0x0421, 0), 0x0421);
    EXPECT_EQ(KeyMap::LayoutIndependentKey(Qt::Key_Left, 113), Qt::Key_Left);
    // On the US layout every key keeps Qt's own code.
    EXPECT_EQ(KeyMap::LayoutIndependentKey(Qt::Key_1, 10), Qt::Key_1);
    EXPECT_EQ(KeyMap::LayoutIndependentKey(Qt::Key_M, 58), Qt::Key_M);
}

// The texts of a menu ("-" for a separator); every item's identifier must be
// distinct and map to its own command, 0 (dismissed) and others to none.
std::vector<QString> CheckedTexts(const std::vector<MenuEntry>& menu)
{
    std::set<int> ids;
    std::set<CommandId> commands;
    std::vector<QString> texts;
    for (const MenuEntry& top : menu) {
        texts.push_back(top.kind == MenuEntry::Separator ? QStringLiteral("-") : top.text);
        for (const MenuEntry& e : top.kind == MenuEntry::Submenu ? top.children : std::vector<MenuEntry>{top})
            if (e.kind == MenuEntry::Item) {
                EXPECT_TRUE(ids.insert(e.id).second && commands.insert(e.command).second) << e.text.toStdString();
                EXPECT_EQ(ContextMenus::CommandForEntry(menu, e.id), e.command);
            }
    }
    EXPECT_FALSE(ContextMenus::CommandForEntry(menu, 0));
    EXPECT_FALSE(ContextMenus::CommandForEntry(menu, 99));
    return texts;
}

TEST(Menus, SettingMenuReflectsTheFlagsWhenBuilt)
{
    CViewPreferences v;
    EXPECT_TRUE(ContextMenus::SettingMenu(v)[11].checked);
    v.m_showColor = 0;
    v.m_lightEnable = 0;
    const auto menu = ContextMenus::SettingMenu(v);
    EXPECT_EQ(CheckedTexts(menu),
              (std::vector<QString>{"キューブのサイズ(X,Y,Z)を変更", "キューブの比率を変更", "キューブをクリア", "-",
                                    "ボタン 配置", "ボタン 表示切替", "-", "線幅", "-", "ビュー初期状態", "-", "照明",
                                    "照明位置切替"}));
    EXPECT_EQ(menu[7].children.size(), 5u);
    EXPECT_FALSE(menu[5].children[0].checked);
    EXPECT_TRUE(menu[5].children[1].checked);
    EXPECT_FALSE(menu[11].checked);
}

TEST(Menus, ScreenShotMenuOffersFiveFormats)
{
    const auto menu = ContextMenus::ScreenShotMenu();
    EXPECT_EQ(CheckedTexts(menu), (std::vector<QString>{"BMP(&B)", "PNG(&P)", "GIF(&G)", "TIFF(&T)", "JPEG(&J)"}));
}

} // namespace
