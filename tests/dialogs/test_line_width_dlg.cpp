// The line width dialog: the whole number it shows and accepts, and what it
// hands back.
#include "DialogDriver.h"
#include "dialogs/CLineWidthDlg.h"

#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {

const QString kRangeMessage = QString::fromUtf16(u"線幅を 1～25 の間に設定して下さい");

TEST(LineWidthDlg, OpensWithTitleAndTruncatedWidth)
{
    CLineWidthDlg dlg;
    dlg.m_width = 1.0;
    dlg.m_title = QStringLiteral(u"フレーム");
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral(u"フレーム"));
    EXPECT_EQ(dlg.m_editWidth->text(), QStringLiteral("1"));
    EXPECT_TRUE(dlg.m_buttonOK->isEnabled());
    EXPECT_TRUE(dlg.m_staticMessage->text().isEmpty());
    EXPECT_TRUE(dlg.m_editWidth->alignment() & Qt::AlignRight);
    EXPECT_EQ(dlg.focusWidget(), dlg.m_buttonOK);
    const QList<QWidget*> order {dlg.m_buttonOK, dlg.m_buttonCancel, dlg.m_editWidth};
    EXPECT_EQ(TabChain(dlg.m_buttonOK), order);

    dlg.hide();
    dlg.m_width = 2.9;
    dlg.show();
    EXPECT_EQ(dlg.m_editWidth->text(), QStringLiteral("2"));
}

TEST(LineWidthDlg, AcceptsOneToTwentyFiveOnly)
{
    CLineWidthDlg dlg;
    dlg.m_width = 5.0;
    dlg.show();
    const struct {
        const char* typed;
        bool valid;
    } rows[] = {{"25", true}, {"26", false}, {"1", true}, {"0", false}, {"", false},
        {"0025", true}, {"100", false}, {"12", true}};
    for (const auto& row : rows) {
        TypeInto(dlg.m_editWidth, QString::fromLatin1(row.typed));
        EXPECT_EQ(dlg.m_buttonOK->isEnabled(), row.valid) << row.typed;
        EXPECT_EQ(dlg.m_staticMessage->text(), row.valid ? QString() : kRangeMessage) << row.typed;
    }
}

TEST(LineWidthDlg, AbsurdWidthsOpenRefusedWithoutOverflow)
{
    const struct {
        double width;
        const char* shown;
    } rows[] = {{std::nan(""), "0"}, {-3.7, "-3"}, {1e300, "2147483647"}, {0.5, "0"}};
    CLineWidthDlg dlg;
    for (const auto& row : rows) {
        dlg.m_width = row.width;
        dlg.show();
        EXPECT_EQ(dlg.m_editWidth->text(), QString::fromLatin1(row.shown));
        EXPECT_FALSE(dlg.m_buttonOK->isEnabled()) << row.shown;
        EXPECT_EQ(dlg.m_staticMessage->text(), kRangeMessage) << row.shown;
        dlg.hide();
    }
}

TEST(LineWidthDlg, OkStoresTheWholeNumberAndNothingElseConfirms)
{
    CLineWidthDlg dlg;
    dlg.m_width = 2.5;
    dlg.m_title = QStringLiteral(u"照準");
    int result = RunModal(dlg, [&] {
        EXPECT_EQ(dlg.m_editWidth->text(), QStringLiteral("2"));
        QTest::mouseClick(dlg.m_buttonOK, Qt::LeftButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_width, 2.0);

    result = RunModal(dlg, [&] {
        TypeInto(dlg.m_editWidth, QStringLiteral("26"));
        QTest::keyClick(dlg.m_editWidth, Qt::Key_Return);
        QTest::mouseClick(dlg.m_buttonOK, Qt::LeftButton);
        dlg.OnOK();
        EXPECT_TRUE(dlg.isVisible());
        TypeInto(dlg.m_editWidth, QStringLiteral("25"));
        QTest::keyClick(dlg.m_editWidth, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_width, 25.0);

    result = RunModal(dlg, [&] {
        TypeInto(dlg.m_editWidth, QStringLiteral("7"));
        QTest::keyClick(dlg.m_editWidth, Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_width, 25.0);
}

} // namespace
