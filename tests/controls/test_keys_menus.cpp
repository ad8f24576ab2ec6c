// The command registry, its keys and its menus as data.
#include "controls/CommandMenus.h"
#include "controls/CommandRegistry.h"
#include "controls/KeyMap.h"
#include "controls/SelectionCommands.h"
#include "scene/ViewState.h"

#include <QKeySequence>
#include <gtest/gtest.h>
#include <map>

namespace {

using CommandMenus::MenuEntry;

// The name of the command a key sends, empty for none.
QString KeyCommand(int key, Qt::KeyboardModifiers mods)
{
    const auto id = KeyMap::CommandForKey(key, mods);
    return id ? CommandRegistry::Name(*id) : QString();
}

// What a row is called in a failure message.
std::string Called(const CommandRow* row)
{
    return row->name ? row->name : CommandRegistry::Label(*row).toStdString();
}

TEST(Registry, OneRowPerCommandAndNoKeyClaimedTwice)
{
    std::map<CommandId, int> rows;
    std::map<int, const CommandRow*> keys;
    for (const CommandRow* row : CommandRegistry::All()) {
        ++rows[row->id];
        // A name is the view's: it runs there. The window's commands have none.
        EXPECT_TRUE(!row->name || row->run) << Called(row);
        // A check mark kept in the store is one the view's state gives.
        EXPECT_TRUE((!row->storeKey || row->checked) && (!row->checked || row->checkable)) << Called(row);
        if (row->name) {
            EXPECT_EQ(CommandRegistry::Find(QLatin1String(row->name)), row->id) << row->name;
        }
        for (const KeyChord& key : row->keys) {
            if (key.combined == 0)
                continue;
            // The window's shortcuts take their keys before the view's key
            // tables see them: one key, one command, whatever its route.
            const auto [other, fresh] = keys.emplace(key.combined, row);
            EXPECT_TRUE(fresh) << QKeySequence(key.combined).toString().toStdString() << ": " << Called(row)
                               << " and " << Called(other->second);
            const int mods = key.combined & int(Qt::KeyboardModifierMask);
            if (key.route == KeyRoute::View) {
                // The view's tables know no key with two modifiers, and Shift only on the arrows.
                const int arrow = key.combined & ~int(Qt::KeyboardModifierMask);
                EXPECT_TRUE(mods == 0 || mods == int(Qt::ALT) || mods == int(Qt::CTRL) ||
                            (mods == int(Qt::SHIFT) && arrow >= Qt::Key_Left && arrow <= Qt::Key_Down))
                    << Called(row);
            } else if (const QString label = QString::fromUtf8(row->label ? row->label : ""); label.contains('\t')) {
                // A fixed text that carries its key must carry the real one.
                EXPECT_EQ(label.section('\t', 1), QKeySequence(key.combined).toString()) << Called(row);
            }
        }
    }
    for (int id = 0; id < kCommandIdCount; ++id)
        EXPECT_EQ(rows[CommandId(id)], 1) << "command " << id;
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
        {Qt::Key_C, ctrl, "Canvas:Copy"}, {Qt::Key_V, ctrl, "Canvas:Paste"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(KeyCommand(r.key, r.mods), QString::fromLatin1(r.command)) << r.key << " " << int(r.mods);
    // The select tool's own keys, read before those tables only while it is
    // chosen: the clipboard takes Ctrl+X, C and V; other chords fall through.
    const struct { int key; Qt::KeyboardModifiers mods; const char* command; } selecting[] = {
        {Qt::Key_X, ctrl, "Selection:Cut"}, {Qt::Key_C, ctrl, "Selection:Copy"}, {Qt::Key_V, ctrl, "Selection:Paste"},
        {Qt::Key_Delete, none, "Selection:Delete"}, {Qt::Key_Enter, none, "Selection:PutDown"},
        {Qt::Key_C, shift | ctrl, ""}, {Qt::Key_Z, ctrl, ""}, {Qt::Key_A, none, ""},
    };
    for (const auto& r : selecting) {
        const auto id = SelectionCommands::CommandForKey(r.key, r.mods);
        EXPECT_EQ(id ? CommandRegistry::Name(*id) : QString(), QString::fromLatin1(r.command)) << r.key;
    }
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

// The texts of a menu, "-" for a separator.
std::vector<QString> Texts(const std::vector<MenuEntry>& menu)
{
    std::vector<QString> texts;
    for (const MenuEntry& e : menu)
        texts.push_back(e.kind == MenuEntry::Separator ? QStringLiteral("-") : e.text);
    return texts;
}

TEST(Menus, SettingMenuReflectsTheFlagsWhenBuilt)
{
    CViewState v;
    EXPECT_TRUE(CommandMenus::Entries(MenuId::Setting, &v)[11].checked);
    v.m_prefs.m_showColor = 0;
    v.m_prefs.m_lightEnable = 0;
    const auto menu = CommandMenus::Entries(MenuId::Setting, &v);
    EXPECT_EQ(Texts(menu),
              (std::vector<QString>{"キューブのサイズ(X,Y,Z)を変更", "キューブの比率を変更", "キューブをクリア", "-",
                                    "ボタン 配置", "ボタン 表示切替", "-", "線幅", "-", "ビュー初期状態", "-", "照明",
                                    "照明位置切替"}));
    EXPECT_EQ(Texts(menu[4].children), (std::vector<QString>{"カラー ボタン", "コントロール ボタン"}));
    EXPECT_EQ(menu[4].children[0].command, CommandId::ColorPos);
    EXPECT_EQ(menu[7].children.size(), 5u);
    EXPECT_EQ(menu[7].children[0].command, CommandId::CubeLineWidth);
    EXPECT_FALSE(menu[5].children[0].checked);
    EXPECT_TRUE(menu[5].children[1].checked);
    EXPECT_FALSE(menu[11].checked);
}

TEST(Menus, ScreenShotMenuOffersFiveFormats)
{
    // (The main window's menus: the shell tests, on the real window.)
    const auto menu = CommandMenus::Entries(MenuId::ScreenShot);
    EXPECT_EQ(Texts(menu), (std::vector<QString>{"BMP(&B)", "PNG(&P)", "GIF(&G)", "TIFF(&T)", "JPEG(&J)"}));
    EXPECT_EQ(menu[4].command, CommandId::ImageJPEG);
}

} // namespace
