// The visual styles: chosen from the menu, applied at once, kept for the
// next start.
#include "ShellTestSupport.h"

#include "app/AppLooks.h"
#include "app/ShellIds.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QStyle>

namespace {

const std::vector<int> kLookIds = {205, 206, 207, 208, 209, 210, 215, 216, 217, 218, 219};

QColor AppliedWindowColour() { return QApplication::palette().color(QPalette::Window); }
QColor LookWindowColour(int id, int office2007 = ID_VIEW_APPLOOK_OFF_2007_BLUE)
{
    return AppLookFor(id, office2007).palette.color(QPalette::Window);
}

std::vector<int> CheckedLooks(const CMainFrame& frame)
{
    std::vector<int> checked;
    for (int id = kFirstAppLook; id <= kLastAppLook; ++id)
        if (QAction* a = frame.CommandAction(id); a && a->isChecked())
            checked.push_back(id);
    return checked;
}

} // namespace

TEST_F(ShellTest, TheChosenLookIsAppliedAtOnceMarkedAndUsedAtTheNextStart)
{
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Frame().AppLook(), ID_VIEW_APPLOOK_VS_2008);
    EXPECT_EQ(CheckedLooks(Frame()), std::vector<int>{ID_VIEW_APPLOOK_VS_2008});
    EXPECT_EQ(AppliedWindowColour(), LookWindowColour(ID_VIEW_APPLOOK_VS_2008));

    Frame().CommandAction(ID_VIEW_APPLOOK_OFF_2003)->trigger();
    EXPECT_EQ(Frame().AppLook(), ID_VIEW_APPLOOK_OFF_2003);
    EXPECT_EQ(CheckedLooks(Frame()), std::vector<int>{ID_VIEW_APPLOOK_OFF_2003});
    EXPECT_EQ(AppliedWindowColour(), LookWindowColour(ID_VIEW_APPLOOK_OFF_2003));
    EXPECT_EQ(Frame().menuBar()->palette().color(QPalette::Window), LookWindowColour(ID_VIEW_APPLOOK_OFF_2003));
    EXPECT_EQ(Store().value(QStringLiteral("ApplicationLook")).toInt(), ID_VIEW_APPLOOK_OFF_2003);

    Frame().CommandAction(ID_VIEW_APPLOOK_WIN_2000)->trigger();
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("windows"));
    StopApp();

    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Frame().AppLook(), ID_VIEW_APPLOOK_WIN_2000);
    EXPECT_EQ(CheckedLooks(Frame()), std::vector<int>{ID_VIEW_APPLOOK_WIN_2000});
    EXPECT_EQ(AppliedWindowColour(), LookWindowColour(ID_VIEW_APPLOOK_WIN_2000));
}

TEST_F(ShellTest, LooksWithoutAMenuItemStillStartInALookOfTheirOwn)
{
    Store().setValue(QStringLiteral("ApplicationLook"), ID_VIEW_APPLOOK_WINDOWS_7);
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Frame().AppLook(), ID_VIEW_APPLOOK_WINDOWS_7);
    EXPECT_TRUE(CheckedLooks(Frame()).empty());
    EXPECT_EQ(AppliedWindowColour(), LookWindowColour(ID_VIEW_APPLOOK_WINDOWS_7));
    EXPECT_EQ(Frame().CommandAction(ID_VIEW_APPLOOK_WINDOWS_7), nullptr);
    StopApp();

    // 211..214 are the office family in the colour it had: blue at first ...
    Store().setValue(QStringLiteral("ApplicationLook"), 212);
    ASSERT_TRUE(StartApp());
    EXPECT_TRUE(CheckedLooks(Frame()).empty());
    EXPECT_EQ(AppliedWindowColour(), LookWindowColour(ID_VIEW_APPLOOK_OFF_2007_BLUE));
    // ... and whichever colour was chosen last after that.
    Frame().CommandAction(ID_VIEW_APPLOOK_OFF_2007_BLACK)->trigger();
    Frame().OnApplicationLook(214);
    EXPECT_EQ(AppliedWindowColour(), LookWindowColour(ID_VIEW_APPLOOK_OFF_2007_BLACK));
    EXPECT_EQ(Store().value(QStringLiteral("ApplicationLook")).toInt(), 214);
    StopApp();

    // A stored number that names no look gives the default, marked and kept.
    Store().setValue(QStringLiteral("ApplicationLook"), 4711);
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(AppliedWindowColour(), LookWindowColour(ID_VIEW_APPLOOK_VS_2008));
    EXPECT_EQ(CheckedLooks(Frame()), std::vector<int>{ID_VIEW_APPLOOK_VS_2008});
    EXPECT_EQ(Store().value(QStringLiteral("ApplicationLook")).toInt(), ID_VIEW_APPLOOK_VS_2008);
}

TEST_F(ShellTest, EveryLookLooksDifferent)
{
    ASSERT_TRUE(StartApp());
    QMenuBar* bar = Frame().menuBar();
    std::vector<QImage> pictures;
    for (int id : kLookIds) {
        Frame().OnApplicationLook(id);
        pictures.push_back(bar->grab().toImage());
        EXPECT_EQ(AppliedWindowColour(), LookWindowColour(id)) << id;
    }
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << kLookIds[i] << " and " << kLookIds[j] << " look alike";
}
