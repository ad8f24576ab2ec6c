// The dialogs' layout: dialog units to pixels, every text fitting its
// control, and Japanese glyphs available in the dialogs' font.
#include "DialogDriver.h"
#include "dialogs/CCubeRateDlg.h"
#include "dialogs/CCubeSizeDlg.h"
#include "dialogs/CLineWidthDlg.h"

#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>

#include <memory>
#include <vector>

namespace {

TEST(DialogLayout, DialogUnitsConvertEdgeByEdge)
{
    const struct {
        QRect dialogUnits;
        QSize base;
        QRect pixels;
    } rows[] = {
        {{10, 10, 20, 20}, {8, 16}, {20, 20, 40, 40}},
        // 14 * 7 / 4 = 24.5 and 266 * 7 / 4 = 465.5 both round up; the bottom
        // edge 19 * 15 / 8 = 35.6 rounds to 36, one more than 12 * 15 / 8 alone.
        {{14, 7, 252, 12}, {7, 15}, {25, 13, 441, 23}},
        {{0, 0, 273, 88}, {6, 13}, {0, 0, 410, 143}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CParamDialog::DialogUnitsToPixels(row.dialogUnits, row.base), row.pixels);
}

// Each dialog shown in its refusing state, so that its longest text is up.
std::vector<std::unique_ptr<CParamDialog>> RefusingDialogs()
{
    std::vector<std::unique_ptr<CParamDialog>> dialogs;
    auto size = std::make_unique<CCubeSizeDlg>();
    size->m_sizeX = size->m_sizeY = size->m_sizeZ = 100;
    dialogs.push_back(std::move(size));
    dialogs.push_back(std::make_unique<CCubeRateDlg>());
    auto width = std::make_unique<CLineWidthDlg>();
    width->m_title = QStringLiteral(u"座標軸");
    dialogs.push_back(std::move(width));
    for (auto& dlg : dialogs)
        dlg->show();
    return dialogs;
}

TEST(DialogLayout, EveryTextFitsAndNoControlsOverlap)
{
    for (const auto& dlg : RefusingDialogs()) {
        SCOPED_TRACE(dlg->windowTitle().toStdString());
        const QRect client = dlg->rect();
        QList<QWidget*> controls;
        for (QWidget* child : dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow())
                controls << child;
        }
        ASSERT_GE(controls.size(), 5);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QWidget* c = controls[i];
            EXPECT_TRUE(client.contains(c->geometry())) << c->metaObject()->className();
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(c->geometry().intersects(controls[j]->geometry()))
                    << c->metaObject()->className() << " / " << controls[j]->metaObject()->className();
            if (auto* label = qobject_cast<QLabel*>(c)) {
                EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                    << label->text().toStdString();
                EXPECT_GE(label->height(), label->fontMetrics().height());
            } else {
                EXPECT_GE(c->width(), c->minimumSizeHint().width()) << c->metaObject()->className();
                EXPECT_GE(c->height(), c->minimumSizeHint().height()) << c->metaObject()->className();
            }
        }
    }
}

TEST(DialogLayout, JapaneseTextsHaveGlyphsAndDraw)
{
    CLineWidthDlg dlg;
    dlg.m_width = 30;
    dlg.show();
    const QRawFont japanese = QRawFont::fromFont(dlg.font(), QFontDatabase::Japanese);
    ASSERT_TRUE(japanese.isValid());
    const QString texts = CCubeSizeDlg::RangeMessage() + CLineWidthDlg::RangeMessage()
        + QStringLiteral(u"キューブ　サイズ比率キャンセル合計線幅フレームキャンバス照準座標軸");
    for (QChar c : texts) {
        if (c.unicode() > 0x7F) {
            EXPECT_TRUE(japanese.supportsCharacter(c)) << std::hex << int(c.unicode());
        }
    }

    // The message line really draws its text, and nothing once it is cleared.
    auto inkPixels = [&] {
        const QImage image = dlg.m_staticMessage->grab().toImage();
        const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += image.pixel(x, y) != background;
        return ink;
    };
    EXPECT_GT(inkPixels(), 100);
    TypeInto(dlg.m_editWidth, QStringLiteral("3"));
    EXPECT_EQ(inkPixels(), 0);
}

} // namespace
