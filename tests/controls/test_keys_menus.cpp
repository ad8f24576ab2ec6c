// Key tables and the two pop-up menus as data.
#include "controls/CommandDispatcher.h"
#include "controls/ContextMenus.h"
#include "controls/KeyMap.h"
#include "view/ViewState.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using KeyMap::CommandForKey;

QString Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { return CommandForKey(key, mods); }

TEST(Keys, TablesAndModifierRules)
{
    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        const char* command;
    } rows[] = {
        {Qt::Key_Space, Qt::NoModifier, "Draw:Switch"},
        {Qt::Key_Space, Qt::ControlModifier, "Canvas:Switch"},
        {Qt::Key_Up, Qt::NoModifier, "RotateX:Back"},
        {Qt::Key_Up, Qt::ShiftModifier, "Move:Up"},
        {Qt::Key_Up, Qt::ControlModifier, "Scale:Up"},
        {Qt::Key_Down, Qt::ControlModifier, "Scale:Down"},
        {Qt::Key_Left, Qt::ShiftModifier, "Move:Left"},
        {Qt::Key_1, Qt::NoModifier, "Frame:Show"},
        {Qt::Key_0, Qt::NoModifier, "Color:Button"},
        {Qt::Key_0, Qt::AltModifier, "Color:Pos"},
        {Qt::Key_9, Qt::AltModifier, "Control:Pos"},
        {Qt::Key_7, Qt::AltModifier, "Light:Position"},
        {Qt::Key_Q, Qt::AltModifier, "Cube:Color"},
        {Qt::Key_Q, Qt::NoModifier, "Cube:Polygon"},
        {Qt::Key_Z, Qt::NoModifier, "Setting"},
        {Qt::Key_Z, Qt::ControlModifier, "Cube:Back"},
        {Qt::Key_Y, Qt::ControlModifier, "Cube:Forward"},
        {Qt::Key_D, Qt::ControlModifier, "Draw:Switch"},
        {Qt::Key_D, Qt::NoModifier, "Setting:Default"},
        {Qt::Key_R, Qt::ControlModifier, "Canvas:ClearCopy"},
        // Nothing:
        {Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier, ""},  // two modifiers
        {Qt::Key_Z, Qt::AltModifier | Qt::ControlModifier, ""},
        {Qt::Key_C, Qt::ShiftModifier, ""},  // Shift counts for the arrows only
        {Qt::Key_5, Qt::AltModifier, ""},
        {Qt::Key_8, Qt::AltModifier, ""},
        {Qt::Key_6, Qt::NoModifier, ""},
        {Qt::Key_8, Qt::NoModifier, ""},
        {Qt::Key_1, Qt::KeypadModifier, ""},  // the keypad's 1 is another key
        {Qt::Key_X, Qt::ControlModifier, ""},
        {Qt::Key_F1, Qt::NoModifier, ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Key(r.key, r.mods), QString::fromLatin1(r.command)) << r.key << " " << int(r.mods);

    // Every command a key sends is one the dispatcher knows.
    std::set<QString> names;
    for (const auto& e : CCommandDispatcher::Table())
        names.insert(e.name);
    for (int key = 0; key < 0x01000100; key = key < 0x7F ? key + 1 : (key == 0x7F ? 0x01000000 : key + 1))
        for (auto mods : {Qt::NoModifier, Qt::ShiftModifier, Qt::AltModifier, Qt::ControlModifier}) {
            const QString c = Key(key, mods);
            if (!c.isEmpty()) {
                EXPECT_TRUE(names.count(c)) << c.toStdString();
            }
        }
}

std::vector<QString> Texts(const std::vector<ContextMenus::MenuEntry>& entries)
{
    std::vector<QString> t;
    for (const auto& e : entries)
        t.push_back(e.kind == ContextMenus::MenuEntry::Separator ? QStringLiteral("-") : e.text);
    return t;
}

TEST(Menus, SettingMenuReflectsTheFlagsWhenBuilt)
{
    CViewState v;
    auto menu = ContextMenus::SettingMenu(v);
    EXPECT_EQ(Texts(menu), (std::vector<QString>{
                               QStringLiteral("キューブのサイズ(X,Y,Z)を変更"), QStringLiteral("キューブの比率を変更"),
                               QStringLiteral("キューブをクリア"), QStringLiteral("-"), QStringLiteral("ボタン 配置"),
                               QStringLiteral("ボタン 表示切替"), QStringLiteral("-"), QStringLiteral("線幅"),
                               QStringLiteral("-"), QStringLiteral("ビュー初期状態"), QStringLiteral("-"),
                               QStringLiteral("照明"), QStringLiteral("照明位置切替")}));
    EXPECT_EQ(Texts(menu[7].children),
              (std::vector<QString>{QStringLiteral("ワイヤーフレーム"), QStringLiteral("フレーム"),
                                    QStringLiteral("キャンバス"), QStringLiteral("照準"), QStringLiteral("座標軸")}));
    const auto& toggles = menu[5].children;
    ASSERT_EQ(toggles.size(), 2u);
    EXPECT_TRUE(toggles[0].checked);
    EXPECT_TRUE(menu[11].checked);

    v.m_showColor = 0;
    v.m_lightEnable = 0;
    menu = ContextMenus::SettingMenu(v);
    EXPECT_FALSE(menu[5].children[0].checked);
    EXPECT_TRUE(menu[5].children[1].checked);
    EXPECT_FALSE(menu[11].checked);

    // Identifiers map to their commands; 0 (dismissed) and others to none.
    EXPECT_EQ(ContextMenus::SettingCommand(menu[5].children[0].id), QStringLiteral("Color:Button"));
    EXPECT_EQ(ContextMenus::SettingCommand(menu[9].id), QStringLiteral("Setting:Default"));
    EXPECT_EQ(ContextMenus::SettingCommand(menu[7].children[0].id), QStringLiteral("Cube:LineWidth"));
    EXPECT_EQ(ContextMenus::SettingCommand(menu[4].children[1].id), QStringLiteral("Control:Pos"));
    EXPECT_TRUE(ContextMenus::SettingCommand(0).isEmpty());
    EXPECT_TRUE(ContextMenus::SettingCommand(99).isEmpty());
}

TEST(Menus, ScreenShotMenuOffersFiveFormats)
{
    const auto menu = ContextMenus::ScreenShotMenu();
    EXPECT_EQ(Texts(menu), (std::vector<QString>{QStringLiteral("BMP(&B)"), QStringLiteral("PNG(&P)"),
                                                 QStringLiteral("GIF(&G)"), QStringLiteral("TIFF(&T)"),
                                                 QStringLiteral("JPEG(&J)")}));
    EXPECT_EQ(ContextMenus::ScreenShotCommand(menu[4].id), QStringLiteral("Image:JPEG"));
    EXPECT_TRUE(ContextMenus::ScreenShotCommand(5).isEmpty());  // EXIF has no entry
    EXPECT_TRUE(ContextMenus::ScreenShotCommand(7).isEmpty());  // nor ICON
    EXPECT_TRUE(ContextMenus::ScreenShotCommand(0).isEmpty());
}

} // namespace
