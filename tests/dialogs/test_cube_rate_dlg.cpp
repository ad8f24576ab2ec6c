// The cube ratio dialog: its lists, that it always opens at 100%, and the
// ratios it returns.
#include "DialogDriver.h"
#include "dialogs/CCubeRateDlg.h"

#include <QPushButton>

namespace {

TEST(CubeRateDlg, OpensAtHundredPercentWithTenEntriesPerAxis)
{
    CCubeRateDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral(u"キューブ") + QChar(0x3000) + QStringLiteral(u"比率"));
    for (QComboBox* combo : {dlg.m_comboX, dlg.m_comboY, dlg.m_comboZ}) {
        ASSERT_EQ(combo->count(), 10);
        for (int i = 0; i < 10; ++i) {
            const int percent = 100 - 10 * i;
            EXPECT_EQ(combo->itemText(i), QString::number(percent) + u'%');
            EXPECT_EQ(combo->itemData(i).toInt(), percent);
        }
        EXPECT_EQ(combo->currentText(), QStringLiteral("100%"));
    }
    EXPECT_EQ(dlg.focusWidget(), dlg.m_buttonOK);
    const QList<QWidget*> order {
        dlg.m_buttonOK, dlg.m_buttonCancel, dlg.m_comboX, dlg.m_comboY, dlg.m_comboZ};
    EXPECT_EQ(TabChain(dlg.m_buttonOK), order);
}

TEST(CubeRateDlg, OkReturnsTheChosenRatiosAndTheNextOpeningStartsOver)
{
    CCubeRateDlg dlg;
    int result = RunModal(dlg, [&] {
        ChooseEntry(dlg.m_comboY, 5);
        ChooseEntry(dlg.m_comboZ, 9);
        EXPECT_EQ(dlg.m_comboY->currentText(), QStringLiteral("50%"));
        QTest::keyClick(dlg.m_comboZ, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_DOUBLE_EQ(dlg.m_rateX, 1.0);
    EXPECT_DOUBLE_EQ(dlg.m_rateY, 0.5);
    EXPECT_DOUBLE_EQ(dlg.m_rateZ, 0.1);

    // After 50% was confirmed, both the same dialog and a new one open at 100%.
    result = RunModal(dlg, [&] {
        for (QComboBox* combo : {dlg.m_comboX, dlg.m_comboY, dlg.m_comboZ}) {
            EXPECT_EQ(combo->currentText(), QStringLiteral("100%"));
            EXPECT_EQ(combo->count(), 10);
        }
        QTest::mouseClick(dlg.m_buttonOK, Qt::LeftButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_DOUBLE_EQ(dlg.m_rateY, 1.0);
    EXPECT_DOUBLE_EQ(dlg.m_rateZ, 1.0);

    CCubeRateDlg again;
    again.show();
    EXPECT_EQ(again.m_comboY->currentText(), QStringLiteral("100%"));
}

TEST(CubeRateDlg, CancelAndEscLeaveTheRatiosAlone)
{
    CCubeRateDlg dlg;
    dlg.m_rateX = dlg.m_rateY = dlg.m_rateZ = 0.3;
    const std::function<void()> leaves[] = {
        [&] { QTest::mouseClick(dlg.m_buttonCancel, Qt::LeftButton); },
        [&] { QTest::keyClick(dlg.m_comboX, Qt::Key_Escape); },
    };
    for (const auto& leave : leaves) {
        const int result = RunModal(dlg, [&] {
            ChooseEntry(dlg.m_comboX, 5);
            leave();
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_DOUBLE_EQ(dlg.m_rateX, 0.3);
        EXPECT_DOUBLE_EQ(dlg.m_rateY, 0.3);
    }
}

} // namespace
