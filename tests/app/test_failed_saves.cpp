// Saves that cannot complete: each shows the save error and keeps the open
// model (still modified, same cubes, same name) and the old file byte for
// byte. The cases are ones that root cannot bypass, as the tests may run as
// root: a name that is a folder, a folder on the way that is a file, a write
// that breaks off behind the file layer, and a full or read-only filesystem
// of the test's own.
#include "exchange/ModelExport.h"
#include "model/FileErrorText.h"
#include "model/ModelMessages.h"
#include "tests/app/ShellTestSupport.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const QString kCannotSave = ModelMessages::CannotSave({}, {}).section(QLatin1Char('\n'), 0, 0);

class FailedSaveTest : public ShellTest {
protected:
    void TearDown() override
    {
        ShellTest::TearDown();
        if (!m_mounted.isEmpty())
            umount2(m_mounted.toLocal8Bit().constData(), MNT_DETACH);
    }

    // Starts on a model file (a 16-cube grid with one cube) and edits it.
    void StartOn(const QString& model)
    {
        WriteModelFile(model, {{{0, 0, 0}, RGB(1, 2, 3)}}, 16);
        ASSERT_TRUE(StartApp({model}));
        Doc().SetCube(1, 1, 1, RGB(200, 100, 0));
    }

    // Runs the save command (Save As when savePath is given) and checks that
    // it failed without changing anything. reason: a piece of the message.
    void ExpectFailedSave(CommandId command, const QString& savePath, const QString& reason = {})
    {
        SCOPED_TRACE(savePath.isEmpty() ? Doc().GetPathName().toStdString() : savePath.toStdString());
        const QString path = Doc().GetPathName();
        const QByteArray before = ReadAll(path);
        const Cells cubes = CellsOf(Doc().m_cubes);
        const QStringList files = QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::Hidden);
        const QString title = Frame().windowTitle();
        if (!savePath.isEmpty())
            paths = {savePath};
        errors.clear();
        Command(command);
        EXPECT_TRUE(paths.empty());
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].startsWith(kCannotSave)) << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains(reason)) << errors[0].toStdString() << " / " << reason.toStdString();
        EXPECT_TRUE(Doc().IsModified());
        EXPECT_EQ(CellsOf(Doc().m_cubes), cubes);
        EXPECT_EQ(Doc().GetPathName(), path);
        EXPECT_EQ(Frame().windowTitle(), title);
        EXPECT_EQ(ReadAll(path), before);
        // No temporary left beside the old file.
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::Hidden), files);
    }

    // A tmpfs of 64 KiB at where, in a mount namespace of the test's own so
    // that nothing outlives the process even if it dies. False when the
    // system refuses (not root, or no right to mount here).
    bool MountSmallFilesystem(const QString& where)
    {
        if (!QDir().mkpath(where))
            return false;
        if (unshare(CLONE_NEWNS) == 0)
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        if (mount("tmpfs", where.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0)
            return false;
        m_mounted = where;
        return true;
    }

    QString m_mounted;
};

TEST_F(FailedSaveTest, AFolderAFileOnTheWayAndAWriteThatBreaksOffKeepModelAndOldFile)
{
    const QString model = Temp(QStringLiteral("model.mvf"));
    StartOn(model);
    WaitForCopy();

    // A name that is a folder: its own message, not a crash and not a save
    // into the folder.
    const QString folder = Temp(QStringLiteral("folder.mvf"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ExpectFailedSave(CommandId::FileSaveAs, folder, ModelMessages::PathIsFolder());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QDir(folder).isEmpty());

    // A name under a path component that is a file (the model itself).
    const QByteArray modelBytes = ReadAll(model);
    ExpectFailedSave(CommandId::FileSaveAs, model + QStringLiteral("/deeper/x.mvf"), ModelMessages::FolderIsFile(model));
    EXPECT_EQ(ReadAll(model), modelBytes);

    // The write breaks off half-way behind the file layer, as on a failing
    // disk: the temporary is dropped and the old file stays.
    Doc().SetFileWriterForTesting([](QIODevice& file, const QByteArray& bytes) {
        file.write(bytes.left(bytes.size() / 2));
        return qint64(-1);
    });
    ExpectFailedSave(CommandId::FileSave, {});
    Doc().SetFileWriterForTesting({});

    // A folder without write permission; root writes there all the same.
    if (geteuid() != 0) {
        const QString locked = Temp(QStringLiteral("locked"));
        ASSERT_TRUE(QDir().mkpath(locked));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        ExpectFailedSave(CommandId::FileSaveAs, locked + QStringLiteral("/x.mvf"));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // After all that the recovery copy is still there, and the model still
    // saves where it belongs.
    EXPECT_EQ(CopiesOnDisk(), 1);
    Command(CommandId::FileSave);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(ModelCells(model), CellsOf(Doc().m_cubes));
}

TEST_F(FailedSaveTest, AFullAndAReadOnlyFilesystemKeepModelAndOldFile)
{
    const QString small = Temp(QStringLiteral("small"));
    if (!MountSmallFilesystem(small))
        GTEST_SKIP() << "no small filesystem could be mounted here (needs root)";
    const QString model = small + QStringLiteral("/model.mvf");
    StartOn(model); // 16404 bytes fit

    // A full grid is 256 KB: the disk fills up during the write.
    Doc().SetGridSize(40, 40, 40);
    for (int x = 0; x < 40; ++x)
        Doc().SetCube(x, 39, 39, RGB(x, 0, 0));
    ExpectFailedSave(CommandId::FileSave, {}, FileErrorText::ForErrno(ENOSPC));
    CMiravelDoc check;
    ASSERT_TRUE(check.OnOpenDocument(model).ok);
    EXPECT_EQ(check.m_sizeX, 16);

    // A 7 KB export into the last free page: its bytes reach the disk only
    // when the temporary is flushed, and the reason is told all the same.
    QFile filler(small + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'f')) == 4096 && filler.flush()) {
    }
    filler.close();
    ASSERT_TRUE(filler.resize(filler.size() - 4096));
    ModelData cubes{40, 40, 1, {}};
    for (int i = 0; i < 1500; ++i)
        cubes.cubes.Set({i % 40, i / 40, 0}, RGB(i % 200, 9, 9));
    const ExportResult vox = ExportModel(cubes, ExchangeFormat::Vox, small + QStringLiteral("/x.vox"));
    EXPECT_TRUE(vox.message.contains(FileErrorText::ForErrno(ENOSPC))) << vox.message.toStdString();
    EXPECT_FALSE(QFile::exists(small + QStringLiteral("/x.vox")));
    filler.remove();

    // Read-only: no one writes, root included.
    Doc().SetGridSize(16, 16, 16);
    ASSERT_EQ(mount("tmpfs", small.toLocal8Bit().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    ExpectFailedSave(CommandId::FileSave, {});
    ExpectFailedSave(CommandId::FileSaveAs, small + QStringLiteral("/new.mvf"));
    EXPECT_FALSE(QFile::exists(small + QStringLiteral("/new.mvf")));
}

} // namespace
