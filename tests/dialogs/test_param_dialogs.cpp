// The grid size, cube ratio and line width dialogs, driven the way a user
// would: keys into edits and lists, clicks on buttons, and modal runs answered
// from inside their own event loop; their layout and the number parsing. The
// export's progress window: modal, title, two lines and a two-step bar, kept
// painted through its pauses.
#include "dialogs/CCubeRateDlg.h"
#include "dialogs/CCubeSizeDlg.h"
#include "dialogs/CDelayedProgress.h"
#include "dialogs/CDigitsValidator.h"
#include "dialogs/CLargeGridDlg.h"
#include "dialogs/CLineWidthDlg.h"
#include "dialogs/CProgressWindow.h"
#include "dialogs/IntText.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

namespace {

const QString kSizeMessage = QString::fromUtf16(u"キューブの合計を 1～64000 の間に設定して下さい");
const QString kWidthMessage = QString::fromUtf16(u"線幅を 1～25 の間に設定して下さい");

// Replaces an edit's text by typing: select all, erase, then the keys.
void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// OK enabled with an empty message line, or OK disabled with the message.
void ExpectValid(const CParamDialog& dlg, const QLabel* line, const QString& message, bool valid)
{
    EXPECT_EQ(dlg.m_buttonOK->isEnabled(), valid);
    EXPECT_EQ(line->text(), valid ? QString() : message);
}

// Runs DoModal while whileOpen acts on the open dialog. A dialog that
// whileOpen leaves open fails the test and is cancelled rather than hanging it.
int RunModal(CParamDialog& dlg, const std::function<void()>& whileOpen)
{
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dlg);
        // Active as after the user's click on it, so that focus changes send
        // their events (a focused push button is the one Enter presses).
        dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
        whileOpen();
        if (dlg.isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            dlg.done(QDialog::Rejected);
        }
    });
    return dlg.DoModal();
}

TEST(CubeSizeDlg, OnlyInRangeProductsOfPositiveSidesAreAccepted)
{
    const std::tuple<const char*, const char*, const char*, const char*, bool> rows[] = {
        {"40", "40", "40", "64000", true}, {"40", "40", "41", "65600", false},
        {"", "40", "40", "0", false}, {"0", "40", "40", "0", false}, {"1", "40", "40", "1600", true},
        // Only the product is limited, not each side; and it must not wrap
        // around (the last is 4096 in 32-bit arithmetic).
        {"64000", "1", "1", "64000", true}, {"64001", "1", "1", "64001", false},
        {"4096", "1048577", "1", "4294971392", false},
    };
    CCubeSizeDlg dlg;
    dlg.m_sizeX = dlg.m_sizeY = dlg.m_sizeZ = 16;
    dlg.show();
    EXPECT_EQ(dlg.m_editX->text(), QStringLiteral("16"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("4096"));
    ExpectValid(dlg, dlg.m_staticMessage, kSizeMessage, true);
    EXPECT_TRUE(dlg.m_comboPreset->currentText().isEmpty());
    for (const auto& [x, y, z, total, valid] : rows) {
        SCOPED_TRACE(std::string(x) + " " + y + " " + z);
        TypeInto(dlg.m_editX, QString::fromLatin1(x));
        TypeInto(dlg.m_editY, QString::fromLatin1(y));
        TypeInto(dlg.m_editZ, QString::fromLatin1(z));
        EXPECT_EQ(dlg.m_editTotal->text(), QString::fromLatin1(total));
        ExpectValid(dlg, dlg.m_staticMessage, kSizeMessage, valid);
    }

    // A preset copies its edge into every side.
    QTest::keyClicks(dlg.m_comboPreset, QStringLiteral("3"));
    EXPECT_EQ(dlg.m_comboPreset->currentText(), QStringLiteral(u"32×32×32"));
    for (QLineEdit* e : {dlg.m_editX, dlg.m_editY, dlg.m_editZ})
        EXPECT_EQ(e->text(), QStringLiteral("32"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("32768"));
    ExpectValid(dlg, dlg.m_staticMessage, kSizeMessage, true);

    // Signs cannot be typed; text put in past the keyboard can still hold
    // them, and two negative sides make an in-range product.
    dlg.m_editX->setText(QStringLiteral("-2"));
    dlg.m_editY->setText(QStringLiteral("-2"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("128"));
    ExpectValid(dlg, dlg.m_staticMessage, kSizeMessage, false);
    dlg.OnOK(); // not even a direct call lets it through
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.m_sizeX, 16);
}

TEST(CubeSizeDlg, OnlyAnEnabledOkConfirmsAndCancelLeavesTheMembers)
{
    CCubeSizeDlg dlg;
    dlg.m_sizeX = dlg.m_sizeY = dlg.m_sizeZ = 16;
    int result = RunModal(dlg, [&] {
        TypeInto(dlg.m_editX, QStringLiteral("1000"));
        QTest::keyClick(dlg.m_editX, Qt::Key_Return);
        QTest::mouseClick(dlg.m_buttonOK, Qt::LeftButton);
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        TypeInto(dlg.m_editX, QStringLiteral("10"));
        TypeInto(dlg.m_editY, QStringLiteral("20"));
        TypeInto(dlg.m_editZ, QStringLiteral("30"));
        QTest::keyClick(dlg.m_editZ, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_sizeX, 10);
    EXPECT_EQ(dlg.m_sizeY, 20);
    EXPECT_EQ(dlg.m_sizeZ, 30);

    // Opened again, it starts over from the members.
    result = RunModal(dlg, [&] {
        EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("6000"));
        TypeInto(dlg.m_editY, QStringLiteral("8"));
        QTest::mouseClick(dlg.m_buttonCancel, Qt::LeftButton);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_sizeY, 20);
}

TEST(LargeGridDlg, SidesUpTo1024AndAtMost2To25CellsConfirm)
{
    CLargeGridDlg dlg;
    dlg.m_sizeX = 64000, dlg.m_sizeY = dlg.m_sizeZ = 1;  // a side it cannot show is clamped
    const int result = RunModal(dlg, [&] {
        EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("1024"));
        const std::tuple<int, int, int, const char*, bool> rows[] = {
            {1024, 1024, 33, "34603008", false}, {1024, 1024, 32, "33554432", true}, {1, 1, 1024, "1024", true}};
        for (const auto& [x, y, z, total, valid] : rows) {
            dlg.m_spinX->setValue(x), dlg.m_spinY->setValue(y), dlg.m_spinZ->setValue(z);
            EXPECT_EQ(dlg.m_editTotal->text(), QString::fromLatin1(total));
            ExpectValid(dlg, dlg.m_staticMessage, CLargeGridDlg::RangeMessage(), valid);
        }
        dlg.m_spinX->setValue(1024), dlg.m_spinY->setValue(1024), dlg.m_spinZ->setValue(33);
        QTest::mouseClick(dlg.m_buttonOK, Qt::LeftButton);
        dlg.m_spinZ->setValue(20);
        QTest::mouseClick(dlg.m_buttonOK, Qt::LeftButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(std::tie(dlg.m_sizeX, dlg.m_sizeY, dlg.m_sizeZ), std::make_tuple(1024, 1024, 20));
}

TEST(CubeRateDlg, AlwaysOpensAtHundredPercentAndReturnsTheChosenRatios)
{
    CCubeRateDlg dlg;
    int result = RunModal(dlg, [&] {
        QTest::keyClicks(dlg.m_comboY, QStringLiteral("5"));
        QTest::keyClicks(dlg.m_comboZ, QStringLiteral("10%"));
        QTest::keyClick(dlg.m_comboZ, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_DOUBLE_EQ(dlg.m_rateX, 1.0);
    EXPECT_DOUBLE_EQ(dlg.m_rateY, 0.5);
    EXPECT_DOUBLE_EQ(dlg.m_rateZ, 0.1);

    // After 50% was confirmed it opens at 100% again, each list holding 100%
    // down to 10% once; Cancel keeps the ratios.
    result = RunModal(dlg, [&] {
        for (QComboBox* combo : {dlg.m_comboX, dlg.m_comboY, dlg.m_comboZ}) {
            EXPECT_EQ(combo->count(), 10);
            EXPECT_EQ(combo->currentText(), QStringLiteral("100%"));
        }
        QTest::keyClicks(dlg.m_comboY, QStringLiteral("8"));
        QTest::mouseClick(dlg.m_buttonCancel, Qt::LeftButton);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_DOUBLE_EQ(dlg.m_rateY, 0.5);
}

TEST(LineWidthDlg, OpensWithTheWholeNumberAndOnlyOneToTwentyFiveConfirms)
{
    CLineWidthDlg dlg;
    dlg.m_width = 2.9;
    int result = RunModal(dlg, [&] {
        EXPECT_EQ(dlg.m_editWidth->text(), QStringLiteral("2"));
        QTest::mouseClick(dlg.m_buttonOK, Qt::LeftButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_width, 2.0);

    result = RunModal(dlg, [&] {
        const std::pair<const char*, bool> rows[] = {
            {"25", true}, {"1", true}, {"0", false}, {"", false}, {"0025", true}, {"26", false}};
        for (const auto& [typed, valid] : rows) {
            TypeInto(dlg.m_editWidth, QString::fromLatin1(typed));
            ExpectValid(dlg, dlg.m_staticMessage, kWidthMessage, valid);
        }
        QTest::keyClick(dlg.m_editWidth, Qt::Key_Return); // 26 stays refused
        dlg.OnOK();
        EXPECT_TRUE(dlg.isVisible());
        TypeInto(dlg.m_editWidth, QStringLiteral("25"));
        QTest::keyClick(dlg.m_editWidth, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_width, 25.0);

    // Widths that no whole number in range stands for open refused, and
    // converting them does not overflow.
    const std::pair<double, const char*> odd[] = {{std::nan(""), "0"}, {-3.7, "-3"}, {1e300, "2147483647"}};
    for (const auto& [width, shown] : odd) {
        dlg.m_width = width;
        dlg.show();
        EXPECT_EQ(dlg.m_editWidth->text(), QString::fromLatin1(shown));
        ExpectValid(dlg, dlg.m_staticMessage, kWidthMessage, false);
        dlg.hide();
    }
}

TEST(DialogLayout, DialogUnitsConvertEdgeByEdge)
{
    EXPECT_EQ(CParamDialog::DialogUnitsToPixels({10, 10, 20, 20}, {8, 16}), QRect(20, 20, 40, 40));
    // 14 * 7 / 4 = 24.5 and 266 * 7 / 4 = 465.5 both round up; the bottom edge
    // 19 * 15 / 8 = 35.6 rounds to 36, one more than 12 * 15 / 8 alone.
    EXPECT_EQ(CParamDialog::DialogUnitsToPixels({14, 7, 252, 12}, {7, 15}), QRect(25, 13, 441, 23));
}

// Each dialog opened with its default values: the size and width dialogs then
// refuse them, so their longest text is up and the focus skips the disabled OK.
TEST(DialogLayout, TextsFitControlsDoNotOverlapAndFocusStartsOnTheFirstEnabledButton)
{
    CCubeSizeDlg size;
    CLargeGridDlg large;
    large.m_sizeX = large.m_sizeY = large.m_sizeZ = 100;
    CCubeRateDlg rate;
    CLineWidthDlg width;
    width.m_title = QStringLiteral(u"座標軸");
    const std::tuple<CParamDialog*, QString, bool> rows[] = {
        {&size, QStringLiteral(u"キューブ　サイズ"), false},
        {&large, QStringLiteral(u"大きなグリッドのサイズ"), true},
        {&rate, QStringLiteral(u"キューブ　比率"), true},
        {&width, QStringLiteral(u"座標軸"), false}};
    for (const auto& [dlg, title, okFocused] : rows) {
        SCOPED_TRACE(title.toStdString());
        dlg->show();
        EXPECT_EQ(dlg->windowTitle(), title);
        EXPECT_EQ(dlg->focusWidget(), okFocused ? dlg->m_buttonOK : dlg->m_buttonCancel);
        // Tab visits the enabled controls in the dialog's own order.
        const QList<QWidget*>& order = dlg->TabOrder();
        for (QWidget* next : order.mid(order.indexOf(dlg->focusWidget()) + 1)) {
            QTest::keyClick(dlg->focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(dlg->focusWidget(), next);
        }

        QList<QWidget*> controls = dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_GE(controls.size(), 5);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QWidget* c = controls[i];
            const char* kind = c->metaObject()->className();
            EXPECT_TRUE(dlg->rect().contains(c->geometry())) << kind;
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(c->geometry().intersects(controls[j]->geometry())) << kind;
            const QSize need = qobject_cast<QLabel*>(c)
                ? QSize(c->fontMetrics().horizontalAdvance(static_cast<QLabel*>(c)->text()), c->fontMetrics().height())
                : c->minimumSizeHint();
            EXPECT_GE(c->width(), need.width()) << kind;
            EXPECT_GE(c->height(), need.height()) << kind;
        }
    }
}

TEST(IntText, ReadsLeadingNumberAndClampsInsteadOfWrapping)
{
    const std::pair<const char16_t*, std::int32_t> rows[] = {
        {u"", 0}, {u"abc", 0}, {u"- 5", 0}, {u" \t 42", 42}, {u"12abc34", 12}, {u"+15", 15}, {u"-15", -15},
        {u"\uFF17", 0}, // a full-width digit is not a digit to the parse
        {u"2147483647", INT32_MAX}, {u"2147483648", INT32_MAX}, {u"99999999999999999999999999", INT32_MAX},
        {u"-2147483648", INT32_MIN}, {u"-2147483649", INT32_MIN}};
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(TextToInt(QString::fromUtf16(text)), expected) << QString::fromUtf16(text).toStdString();
}

TEST(DigitsValidator, RefusesSignsAndLettersButCleansPastedDigits)
{
    QLineEdit edit;
    edit.setValidator(new CDigitsValidator(&edit));
    QTest::keyClicks(&edit, QStringLiteral("1a-2 3+"));
    EXPECT_EQ(edit.text(), QStringLiteral("123"));
    // Pasted text goes through the same check; full-width digits are what an
    // input method types.
    edit.insert(QStringLiteral(" 4 5 "));
    edit.insert(QStringLiteral("-7"));
    edit.insert(QString::fromUtf16(u"\uFF16\uFF17"));
    EXPECT_EQ(edit.text(), QStringLiteral("1234567"));
}

TEST(DelayedProgress, ShowsOnlyAfterItsDelayAndOnlyACancellableOneStops)
{
    QWidget owner;
    owner.show();
    CDelayedProgress quick(&owner, QStringLiteral("t"), QStringLiteral("x"), true, 60000);
    EXPECT_TRUE(quick.Step(1, 2));
    EXPECT_EQ(quick.Dialog(), nullptr);
    for (bool cancellable : {true, false}) {
        CDelayedProgress slow(&owner, QStringLiteral("t"), QStringLiteral("x"), cancellable, 0);
        EXPECT_TRUE(slow.Step(1, 4));
        ASSERT_NE(slow.Dialog(), nullptr);
        EXPECT_TRUE(slow.Dialog()->isVisible() && slow.Dialog()->isModal());
        EXPECT_EQ(slow.Dialog()->value(), 250);
        EXPECT_EQ(slow.Dialog()->findChildren<QPushButton*>().size(), cancellable ? 1 : 0);
        slow.Dialog()->cancel();  // as the Cancel button, Esc or closing the window do
        QTest::qWait(60);         // past the pause between repaints
        EXPECT_EQ(slow.Step(2, 4), !cancellable);
        EXPECT_EQ(slow.Step(3, 4), !cancellable);
        if (!cancellable) { // work that cannot stop keeps showing its window
            EXPECT_TRUE(slow.Dialog() && slow.Dialog()->isVisible());
        }
    }
}

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

} // namespace
