// The export's progress window: a modal window with the title, two lines of
// text and a two-step bar, kept painted through its pauses.
#include "dialogs/CProgressWindow.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

TEST(ProgressWindow, ShowsTitleLinesAndStepsAndCloses)
{
    QWidget owner;
    owner.show();
    CProgressWindow progress(&owner, 0.05);
    ASSERT_TRUE(progress.Create());
    progress.SetTitle(QStringLiteral("スクリーンショット"));
    progress.Start();
    progress.SetLine(1, QStringLiteral("出力中..."));
    progress.SetLine(2, QStringLiteral("データを取得しています"));
    progress.SetProgress(1, 2);
    QProgressDialog* dlg = progress.Dialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("スクリーンショット"));
    EXPECT_EQ(dlg->labelText(), QStringLiteral("出力中...\nデータを取得しています"));
    EXPECT_EQ(dlg->maximum(), 2);
    EXPECT_EQ(dlg->value(), 1);
    EXPECT_TRUE(dlg->isModal());
    EXPECT_TRUE(dlg->findChildren<QPushButton*>().isEmpty());  // nothing to cancel with

    // A pause of 1000 ms, scaled by 0.05, lasts about 50 ms.
    QElapsedTimer t;
    t.start();
    progress.Wait(1000);
    EXPECT_GE(t.elapsed(), 45);

    progress.SetLine(2, QStringLiteral("保存しています"));
    progress.SetProgress(2, 2);
    EXPECT_EQ(dlg->labelText(), QStringLiteral("出力中...\n保存しています"));
    EXPECT_EQ(dlg->value(), 2);
    progress.Close();
    EXPECT_EQ(progress.Dialog(), nullptr);
}
