// The editor's import and export commands, the open dialog's and the
// window's way in for .vox files, and the picture the converter draws, all
// inside the test process with every question answered by the test.
#include "commandline/DefaultViewPicture.h"
#include "exchange/ModelExport.h"
#include "tests/app/ShellTestSupport.h"
#include "tests/support/OffscreenGL.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QTimer>

namespace {

bool ProgressWindowShows()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QProgressDialog*>(w) && w->isVisible())
            return true;
    return false;
}

class ExchangeCommandsTest : public ShellTest {
protected:
    // Two cubes three cells apart along x; one teal cube.
    QString WriteVox(const QString& name, int cut = 0)
    {
        return WriteVoxFile(Temp(name), {8, 8, 8, {{{2, 1, 1}, kRed}, {{5, 1, 1}, kTeal}}}, cut);
    }
    QString WriteModel(const QString& name) { return ShellTest::WriteModel(name, {{{1, 2, 3}, kTeal}}); }

    // A drag of these files entering the view and dropped there; whether the
    // window took it.
    bool Drop(const QStringList& files)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(f);
        data.setUrls(urls);
        CMiravelView* view = Frame().GetActiveView();
        const QPoint at = view->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &drop);
        QApplication::processEvents();
        return drop.isAccepted();
    }
};

TEST_F(ExchangeCommandsTest, ExportSubmenuWritesEachFormatWhereTheDialogSays)
{
    ASSERT_TRUE(StartApp({WriteModel(QStringLiteral("m.mvf"))}));
    // The new entries follow "save as"; the old ones keep their place.
    QStringList texts;
    for (QAction* a : Frame().menuBar()->actions().constFirst()->menu()->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0));
    const QStringList head = {QStringLiteral("新規作成(N)"), QStringLiteral("開く(O)..."), QStringLiteral("上書き保存(S)"),
                              QStringLiteral("名前を付けて保存(A)..."), QStringLiteral("-"), QStringLiteral("インポート(I)..."),
                              QStringLiteral("エクスポート(E)"), QStringLiteral("-")};
    EXPECT_EQ(texts.mid(0, head.size()), head);
    EXPECT_EQ(texts.last(), QStringLiteral("アプリケーションの終了(X)"));

    const QList<QAction*> entries = Frame().ExportMenu()->actions();
    ASSERT_EQ(entries.size(), qsizetype(FileFormats::Exported().size()));
    for (const FileFormat* format : FileFormats::Exported()) {
        const FileFormat& e = *format;
        QAction* a = Frame().ExportAction(e);
        ASSERT_TRUE(a && entries.contains(a));
        EXPECT_TRUE(a->text().contains(QStringLiteral("(*.") + e.Suffix() + QLatin1Char(')')));

        // A name without an extension gets the format's.
        exportDialogs.clear();
        paths = {Temp(QStringLiteral("out-") + e.Suffix())};
        a->trigger();
        EXPECT_EQ(exportDialogs, QStringList{e.Filter() + QLatin1Char('|') + e.Suffix()});
        const QString written = Temp(QStringLiteral("out-%1.%1").arg(e.Suffix()));
        EXPECT_GT(QFileInfo(written).size(), 0) << written.toStdString();
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    const VoxReadResult back = ReadVoxFile(Temp(QStringLiteral("out-vox.vox")));
    ASSERT_TRUE(back.ok);
    // The one cube, in a grid that is its bounding box.
    EXPECT_EQ(back.model, (ModelData{1, 1, 1, {{{0, 0, 0}, kTeal}}}));

    // Cancelling the dialog writes nothing and says nothing.
    paths = {QString()};
    Export(ExchangeFormat::Stl);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(Doc().IsModified());  // exporting is not saving

    // More colours than a .vox palette holds: written, and the user is told.
    Cells many;
    for (int i = 0; i < 300; ++i)
        many[{i % 16, i / 16, 0}] = RGB(i % 256, i / 256 * 100, 7);
    Doc().ReplaceModel(16, 19, 1, StoreOf(many));
    EXPECT_TRUE(notices.isEmpty());
    paths = {Temp(QStringLiteral("many.vox"))};
    Export(ExchangeFormat::Vox);
    EXPECT_TRUE(errors.isEmpty());
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("300"))) << notices[0].toStdString();
    EXPECT_EQ(ReadVoxFile(Temp(QStringLiteral("many.vox"))).model.cubes.Count(), 300u);
}

TEST_F(ExchangeCommandsTest, AFailedExportSaysSoAndKeepsTheFileThatWasThere)
{
    ASSERT_TRUE(StartApp({WriteModel(QStringLiteral("m.mvf"))}));
    // The .gltf's buffer file cannot be written where a folder has its name.
    const QString gltf = Temp(QStringLiteral("scene.gltf"));
    ASSERT_TRUE(WriteBytes(gltf, "an older scene"));
    ASSERT_TRUE(QDir(Temp({})).mkdir(QStringLiteral("scene.bin")));
    const QStringList before = QDir(Temp({})).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);

    // The progress window shows (the delay is 0) while the export runs.
    bool progressShown = false;
    QTimer::singleShot(0, [&] { progressShown = ProgressWindowShows(); });
    paths = {gltf};
    Export(ExchangeFormat::Gltf);
    EXPECT_TRUE(progressShown);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("出力できませんでした\n") + gltf)) << errors[0].toStdString();
    EXPECT_EQ(ReadAll(gltf), QByteArray("an older scene"));
    EXPECT_EQ(QDir(Temp({})).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    EXPECT_FALSE(ProgressWindowShows());
}

TEST_F(ExchangeCommandsTest, ImportAndDropsReplaceTheModelAfterTheSaveQuestionARefusalKeepsIt)
{
    const QString model = WriteModel(QStringLiteral("one.mvf"));
    ASSERT_TRUE(StartApp({model}));
    const Cells kept = CellsOf(Doc().m_cubes);

    // A truncated file through the import command: the reader's message,
    // nothing changed.
    paths = {WriteVox(QStringLiteral("cut.vox"), 100)};
    Command(CommandId::FileImport);
    ASSERT_EQ(errors.size(), 1);
    const QString readerMessage = ReadVoxFile(Temp(QStringLiteral("cut.vox"))).message;
    EXPECT_FALSE(readerMessage.isEmpty());
    EXPECT_TRUE(errors[0].contains(readerMessage)) << errors[0].toStdString();
    EXPECT_EQ(CellsOf(Doc().m_cubes), kept);
    EXPECT_EQ(Doc().GetPathName(), model);
    EXPECT_FALSE(Doc().IsModified());

    // Drops: only model files are taken, after the question.
    const QString vox = WriteVox(QStringLiteral("two.vox"));
    const QString text = Temp(QStringLiteral("notes.txt"));
    ASSERT_TRUE(WriteBytes(text, "hello"));
    EXPECT_FALSE(Drop({text}));
    Doc().SetCube(0, 0, 0, kRed);
    saveAnswers = {SaveChangesAnswer::Cancel};
    EXPECT_TRUE(Drop({text, vox}));
    EXPECT_EQ(saveQuestions, QStringList{QStringLiteral("one.mvf")});
    EXPECT_EQ(Doc().m_cubes.Count(), 2u);

    // The first model file counts; an imported one is untitled and modified,
    // in a grid that is its cubes' bounding box.
    saveAnswers = {SaveChangesAnswer::No};
    EXPECT_TRUE(Drop({vox, model}));
    EXPECT_EQ(std::tuple(Doc().m_sizeX, Doc().m_sizeY, Doc().m_sizeZ), std::tuple(4, 1, 1));
    EXPECT_EQ(CellsOf(Doc().m_cubes), (Cells{{{0, 0, 0}, kRed}, {{3, 0, 0}, kTeal}}));
    EXPECT_TRUE(Doc().GetPathName().isEmpty());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(Doc().m_history.IsEmpty());
    EXPECT_TRUE(Frame().windowTitle().startsWith(QStringLiteral("ミラヴェル*")));

    saveAnswers = {SaveChangesAnswer::No};
    EXPECT_TRUE(Drop({model}));
    EXPECT_EQ(saveQuestions.size(), 3);
    EXPECT_EQ(Doc().GetPathName(), model);
    EXPECT_EQ(CellsOf(Doc().m_cubes), (Cells{{{1, 2, 3}, kTeal}}));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(ExchangeCommandsTest, TheConvertersPictureIsWhatTheEditorShows)
{
    ASSERT_TRUE(StartApp({WriteModel(QStringLiteral("m.mvf"))}));
    CMiravelView* view = Frame().GetActiveView();
    // No pointer exists for the converter: its picture has no sight cube.
    view->m_state.m_pointer.m_sightX = view->m_state.m_pointer.m_sightY = view->m_state.m_pointer.m_sightZ = -1;
    view->update();
    const QImage editor = view->grabFramebuffer().convertToFormat(QImage::Format_RGB888);
    const DefaultViewPicture::Result picture = DefaultViewPicture::Render(Doc(), view->width(), view->height());
    ASSERT_FALSE(picture.image.isNull()) << picture.error.toStdString();
    EXPECT_GT(CountPixels(picture.image, IsTealShade), 20);
    EXPECT_TRUE(picture.image == editor);
    if (picture.image != editor)
        SaveEvidence(picture.image, QStringLiteral("converter-picture")), SaveEvidence(editor, QStringLiteral("editor-picture"));
}

} // namespace
