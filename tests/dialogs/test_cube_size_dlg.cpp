// The grid size dialog: live validation of the total, presets, and the modal
// run's results.
#include "DialogDriver.h"
#include "dialogs/CCubeSizeDlg.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString kRangeMessage = QString::fromUtf16(u"キューブの合計を 1～64000 の間に設定して下さい");

// A size dialog shown (not modally) with the caller's sizes set.
struct OpenSizeDlg : CCubeSizeDlg {
    OpenSizeDlg(int x, int y, int z)
    {
        m_sizeX = x;
        m_sizeY = y;
        m_sizeZ = z;
        show();
    }
};

void Type(CCubeSizeDlg& dlg, const QString& x, const QString& y, const QString& z)
{
    TypeInto(dlg.m_editX, x);
    TypeInto(dlg.m_editY, y);
    TypeInto(dlg.m_editZ, z);
}

bool Refused(const CCubeSizeDlg& dlg)
{
    return !dlg.m_buttonOK->isEnabled() && dlg.m_staticMessage->text() == kRangeMessage;
}

bool Accepted(const CCubeSizeDlg& dlg)
{
    return dlg.m_buttonOK->isEnabled() && dlg.m_staticMessage->text().isEmpty();
}

TEST(CubeSizeDlg, OpensWithTheCallersSizeAndOkFocused)
{
    OpenSizeDlg dlg(16, 16, 16);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral(u"キューブ") + QChar(0x3000) + QStringLiteral(u"サイズ"));
    EXPECT_EQ(dlg.m_editX->text(), QStringLiteral("16"));
    EXPECT_EQ(dlg.m_editY->text(), QStringLiteral("16"));
    EXPECT_EQ(dlg.m_editZ->text(), QStringLiteral("16"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("4096"));
    EXPECT_TRUE(dlg.m_editTotal->isReadOnly());
    EXPECT_TRUE(Accepted(dlg));
    EXPECT_EQ(dlg.m_comboPreset->currentIndex(), -1);
    EXPECT_TRUE(dlg.m_comboPreset->currentText().isEmpty());

    const int edges[] = {8, 16, 24, 32};
    ASSERT_EQ(dlg.m_comboPreset->count(), 4);
    for (int i = 0; i < 4; ++i) {
        const QString e = QString::number(edges[i]);
        EXPECT_EQ(dlg.m_comboPreset->itemText(i), e + QChar(0xD7) + e + QChar(0xD7) + e);
        EXPECT_EQ(dlg.m_comboPreset->itemData(i).toInt(), edges[i]);
    }

    EXPECT_EQ(dlg.focusWidget(), dlg.m_buttonOK);
    const QList<QWidget*> order {dlg.m_buttonOK, dlg.m_buttonCancel, dlg.m_comboPreset,
        dlg.m_editX, dlg.m_editY, dlg.m_editZ, dlg.m_editTotal};
    EXPECT_EQ(TabChain(dlg.m_buttonOK), order);
}

TEST(CubeSizeDlg, OpeningWithATooLargeGridDisablesOkAndFocusesCancel)
{
    OpenSizeDlg dlg(100, 100, 100);
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("1000000"));
    EXPECT_TRUE(Refused(dlg));
    EXPECT_EQ(dlg.focusWidget(), dlg.m_buttonCancel);
}

TEST(CubeSizeDlg, TotalFollowsEachEditAndOkOnlyWhileInRange)
{
    OpenSizeDlg dlg(16, 16, 16);
    Type(dlg, QStringLiteral("40"), QStringLiteral("40"), QStringLiteral("40"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("64000"));
    EXPECT_TRUE(Accepted(dlg));

    TypeInto(dlg.m_editZ, QStringLiteral("41"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("65600"));
    EXPECT_TRUE(Refused(dlg));
    TypeInto(dlg.m_editZ, QStringLiteral("40"));
    EXPECT_TRUE(Accepted(dlg));

    TypeInto(dlg.m_editX, QString());
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("0"));
    EXPECT_TRUE(Refused(dlg));
    TypeInto(dlg.m_editX, QStringLiteral("0"));
    EXPECT_TRUE(Refused(dlg));
    TypeInto(dlg.m_editX, QStringLiteral("1"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("1600"));
    EXPECT_TRUE(Accepted(dlg));

    // Only the product is limited, not each side.
    Type(dlg, QStringLiteral("64000"), QStringLiteral("1"), QStringLiteral("1"));
    EXPECT_TRUE(Accepted(dlg));
    TypeInto(dlg.m_editX, QStringLiteral("64001"));
    EXPECT_TRUE(Refused(dlg));
}

TEST(CubeSizeDlg, PresetCopiesItsEdgeIntoEverySide)
{
    OpenSizeDlg dlg(16, 16, 410);
    EXPECT_TRUE(Refused(dlg));
    ChooseEntry(dlg.m_comboPreset, 3);
    EXPECT_EQ(dlg.m_comboPreset->currentText(), QStringLiteral(u"32×32×32"));
    for (QLineEdit* e : {dlg.m_editX, dlg.m_editY, dlg.m_editZ})
        EXPECT_EQ(e->text(), QStringLiteral("32"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("32768"));
    EXPECT_TRUE(Accepted(dlg));

    ChooseEntry(dlg.m_comboPreset, 0);
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("512"));
}

TEST(CubeSizeDlg, RefusesOverflowingProductsAndSidesBelowOne)
{
    OpenSizeDlg dlg(16, 16, 16);
    // This product wraps to 4096 in 32-bit arithmetic.
    Type(dlg, QStringLiteral("4096"), QStringLiteral("1048577"), QStringLiteral("1"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("4294971392"));
    EXPECT_TRUE(Refused(dlg));
    Type(dlg, QStringLiteral("2000000000"), QStringLiteral("2000000000"), QStringLiteral("2000000000"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("8000000000000000000000000000"));
    EXPECT_TRUE(Refused(dlg));

    // Signs cannot be typed; text put in past the keyboard can still hold
    // them, and two negative sides make an in-range product.
    TypeInto(dlg.m_editX, QStringLiteral("-2"));
    EXPECT_EQ(dlg.m_editX->text(), QStringLiteral("2"));
    Type(dlg, QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("1000"));
    EXPECT_TRUE(Accepted(dlg));
    dlg.m_editX->setText(QStringLiteral("-2"));
    dlg.m_editY->setText(QStringLiteral("-2"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("4000"));
    EXPECT_FALSE(dlg.m_buttonOK->isEnabled());
    EXPECT_FALSE(dlg.m_staticMessage->text().isEmpty());
    dlg.m_editX->setText(QStringLiteral("2"));
    dlg.m_editY->setText(QStringLiteral("2"));
    EXPECT_TRUE(Accepted(dlg));

    dlg.m_editX->setText(QStringLiteral("-1"));
    EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("-2000"));
    dlg.OnOK(); // not even a direct call lets it through
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.m_sizeX, 16);
}

TEST(CubeSizeDlg, OkReturnsTheSizeAndNothingElseConfirms)
{
    CCubeSizeDlg dlg;
    dlg.m_sizeX = dlg.m_sizeY = dlg.m_sizeZ = 16;
    int result = RunModal(dlg, [&] {
        TypeInto(dlg.m_editZ, QStringLiteral("41"));
        TypeInto(dlg.m_editX, QStringLiteral("100"));
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

    // Opened again, it starts over from the members, and a click on OK confirms.
    result = RunModal(dlg, [&] {
        EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("6000"));
        EXPECT_EQ(dlg.focusWidget(), dlg.m_buttonOK);
        TypeInto(dlg.m_editY, QStringLiteral("64"));
        QTest::mouseClick(dlg.m_buttonOK, Qt::LeftButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_sizeY, 64);
}

TEST(CubeSizeDlg, CancelEscAndClosingLeaveTheMembersAlone)
{
    CCubeSizeDlg dlg;
    dlg.m_sizeX = 4;
    dlg.m_sizeY = 5;
    dlg.m_sizeZ = 6;
    const std::function<void()> leaves[] = {
        [&] { QTest::mouseClick(dlg.m_buttonCancel, Qt::LeftButton); },
        [&] { QTest::keyClick(dlg.m_editX, Qt::Key_Escape); },
        [&] { dlg.close(); },
    };
    for (const auto& leave : leaves) {
        const int result = RunModal(dlg, [&] {
            EXPECT_EQ(dlg.m_editTotal->text(), QStringLiteral("120"));
            Type(dlg, QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("8"));
            EXPECT_TRUE(dlg.m_buttonOK->isEnabled());
            leave();
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(dlg.m_sizeX, 4);
        EXPECT_EQ(dlg.m_sizeY, 5);
        EXPECT_EQ(dlg.m_sizeZ, 6);
    }
}

} // namespace
