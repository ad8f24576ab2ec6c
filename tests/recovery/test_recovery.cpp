// Recovery copies without a window: the timing rule on the test's own clock,
// two instances sharing a folder, stale locks, damaged copies and the three
// answers to the start-up question.
#include "recovery/RecoveryKeeper.h"
#include "recovery/RecoveryTexts.h"
#include "recovery/RecoverAnswer.h"
#include "tests/app/ExchangeTestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>

#include <memory>

namespace {

QStringList Files(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class RecoveryTest : public ::testing::Test {
protected:
    QString Folder() const { return m_dir.filePath(QStringLiteral("recovery")); }

    // The test's clock moves to at, the keeper's timer fires; then the disk
    // catches up.
    void TickAt(CRecoveryKeeper& keeper, qint64 at)
    {
        now = at;
        keeper.WriteIfDue();
        keeper.WaitForDisk();
    }

    // A keeper on the test's clock, watching doc.
    std::unique_ptr<CRecoveryKeeper> Keeper(CMiravelDoc& doc)
    {
        auto keeper = std::make_unique<CRecoveryKeeper>(Folder(), 30000);
        keeper->SetClockForTesting([this] { return now; });
        keeper->Watch(&doc);
        return keeper;
    }

    // A copy as a run that was killed leaves it: written, then its lock let go
    // without the files being removed.
    QString LeaveCopy(const Cells& cells, const QString& originalPath, const QString& title = {})
    {
        CMiravelDoc doc;
        doc.SetDefaultTitle(QStringLiteral("ミラヴェル"));
        doc.OnNewDocument();
        doc.SetPathName(originalPath);
        if (!title.isEmpty())
            doc.SetTitle(title);
        for (const auto& [p, c] : cells)
            doc.SetCube(p.x, p.y, p.z, c);
        CRecoveryStore store(Folder());
        EXPECT_TRUE(store.Write(doc));
        return store.OwnId();
    }

    qint64 now = 0;
    QTemporaryDir m_dir;
};

TEST_F(RecoveryTest, ACopyLagsTheModelByAtMostOneIntervalAndAnUnchangedModelWritesNothing)
{
    CMiravelDoc doc;
    auto keeper = Keeper(doc);
    const QString copy = keeper->Store().OwnModelPath();

    now = 1000;
    doc.SetCube(1, 1, 1, RGB(255, 0, 0));
    TickAt(*keeper, 30999);
    EXPECT_FALSE(QFile::exists(copy));
    TickAt(*keeper, 31000);
    ASSERT_TRUE(QFile::exists(copy));
    EXPECT_EQ(ModelCells(copy), CellsOf(doc.m_cubes));

    // Edits that keep coming do not push the copy back: it is due one
    // interval after the first edit it does not hold.
    now = 40000;
    doc.SetCube(2, 2, 2, RGB(0, 255, 0));
    now = 55000;
    doc.SetCube(3, 3, 3, RGB(0, 0, 255));
    TickAt(*keeper, 69999);
    EXPECT_EQ(ModelCells(copy).size(), 1u);
    TickAt(*keeper, 70000);
    EXPECT_EQ(ModelCells(copy), CellsOf(doc.m_cubes));
    EXPECT_EQ(keeper->CopiesWritten(), 2);

    // Nothing changed: nothing is written, however long it waits.
    TickAt(*keeper, 500000);
    EXPECT_EQ(keeper->CopiesWritten(), 2);
    EXPECT_FALSE(keeper->Policy().HasPendingEdits());

    // A resize tells the views before it sets the modified flag; the copy
    // follows the model all the same. An undo too.
    doc.SetModifiedFlag(false);
    doc.SetGridSize(8, 8, 8);
    doc.SetModifiedFlag();
    TickAt(*keeper, now + 30000);
    EXPECT_EQ(keeper->CopiesWritten(), 3);
    doc.HistoryBack();
    TickAt(*keeper, now + 30000);
    EXPECT_EQ(ModelCells(copy).size(), 2u);

    // After a save the copy goes, and an unmodified model that is merely
    // told to update writes none.
    const QString saved = m_dir.filePath(QStringLiteral("saved.mvf"));
    ASSERT_TRUE(doc.OnSaveDocument(saved).ok);
    keeper->Discard();
    doc.UpdateAllViews();
    TickAt(*keeper, now + 60000);
    EXPECT_EQ(keeper->CopiesWritten(), 4);
    EXPECT_EQ(Files(Folder()), QStringList{keeper->Store().OwnId() + QStringLiteral(".lock")});

    // The interval may be shortened from outside, never lengthened.
    const std::pair<const char*, int> cases[] = {{"1500", 1500}, {"600000", 30000}, {"soon", 30000}};
    for (const auto& [value, interval] : cases) {
        qputenv("MIRAVEL_RECOVERY_INTERVAL_MS", value);
        EXPECT_EQ(CRecoveryKeeper::IntervalFromEnvironment(), interval) << value;
    }
    qunsetenv("MIRAVEL_RECOVERY_INTERVAL_MS");
}

TEST_F(RecoveryTest, RunningInstancesNeverTakeEachOthersCopiesAndStaleLocksAreTaken)
{
    CMiravelDoc doc;
    doc.SetCube(0, 0, 0, RGB(9, 9, 9));
    auto first = std::make_unique<CRecoveryStore>(Folder());
    CRecoveryStore second(Folder());
    ASSERT_TRUE(first->Write(doc));
    ASSERT_TRUE(second.Write(doc));
    EXPECT_NE(first->OwnId(), second.OwnId());
    EXPECT_TRUE(first->TakeLeftCopies().empty());
    EXPECT_TRUE(second.TakeLeftCopies().empty());
    CRecoveryStore third(Folder());
    EXPECT_TRUE(third.TakeLeftCopies().empty());

    // The first instance ends without removing its copy: now it is left over.
    const QString firstId = first->OwnId();
    first.reset();
    std::vector<CRecoveryCopy> taken = second.TakeLeftCopies();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].id, firstId);
    EXPECT_TRUE(third.TakeLeftCopies().empty()) << "taken twice";
    second.Release(taken[0]);

    // (A lock left by a killed process, naming a pid that is gone: the
    // real-window test's SIGKILL.) A lock naming this very process that no
    // store here holds: an earlier run that had the same pid (as in a
    // sandbox) left it.
    QByteArray content;
    {
        QLockFile probe(m_dir.filePath(QStringLiteral("probe.lock")));
        ASSERT_TRUE(probe.tryLock(0));
        QFile f(probe.fileName());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        content = f.readAll();
    }
    const QByteArray ownPid = QByteArray::number(QCoreApplication::applicationPid());
    ASSERT_TRUE(content.startsWith(ownPid + '\n'));
    const auto writeLock = [&](const QString& id, const QByteArray& pid) {
        QFile f(third.LockPath(id));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(pid + content.mid(ownPid.size()));
    };
    writeLock(firstId, ownPid);
    ASSERT_EQ(third.TakeLeftCopies().size(), 1u);
    // But the lock of a store in this process is respected.
    EXPECT_TRUE(CRecoveryStore(Folder()).TakeLeftCopies().empty());
}

TEST_F(RecoveryTest, DamagedCopiesAreReportedAndMovedAsideAndTheGoodOneIsOffered)
{
    const Cells cells = {{{1, 2, 3}, RGB(10, 20, 30)}, {{0, 0, 0}, RGB(255, 255, 255)}};
    const QString original = m_dir.filePath(QStringLiteral("original.mvf"));
    const QString good = LeaveCopy(cells, original);
    CRecoveryStore paths(Folder());
    // Copies damaged in their model file (one kind will do: the model file
    // tests try the others on the same reader) or in the side file beside it.
    const std::pair<bool, std::function<QByteArray(QByteArray)>> damages[] = {
        {true, [](QByteArray b) { return b.left(b.size() / 2); }},               // truncated
        {false, [](QByteArray) { return QByteArray("{\"path\": 7, \"title\":"); }}, // junk
        {false, [](QByteArray b) { return b.insert(1, QByteArray(1 << 20, ' ')); }}, // huge
    };
    QStringList damaged;
    for (const auto& [model, change] : damages) {
        damaged << LeaveCopy(cells, original);
        QFile f(model ? paths.ModelPath(damaged.last()) : paths.SidePath(damaged.last()));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const QByteArray bytes = change(f.readAll());
        f.resize(0);
        f.write(bytes);
    }
    const QString noSide = LeaveCopy(cells, original);
    ASSERT_TRUE(QFile::remove(paths.SidePath(noSide)));
    // Not copies at all: a lone lock file, a first write that never got to the model.
    const QString sideOnly = LeaveCopy(cells, original);
    ASSERT_TRUE(QFile::remove(paths.ModelPath(sideOnly)));
    const auto makeOld = [](const QString& path) { // made when missing
        QFile f(path);
        return f.open(QIODevice::ReadWrite)
            && f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    };
    // An empty lock: its writer died between creating and filling it.
    ASSERT_TRUE(makeOld(paths.LockPath(QStringLiteral("lonely"))));
    // The good copy is the oldest: the damaged ones are met first.
    ASSERT_TRUE(makeOld(paths.ModelPath(good)));

    CMiravelDoc doc;
    doc.SetDefaultTitle(QStringLiteral("ミラヴェル"));
    auto keeper = Keeper(doc);
    QStringList reports;
    QStringList asked;
    const bool restored = keeper->Offer(
        doc,
        [&](const CRecoveryCopy& copy) {
            asked << copy.id;
            EXPECT_EQ(copy.originalPath, original);
            EXPECT_EQ(copy.title, QStringLiteral("original.mvf"));
            return RecoverAnswer::No;
        },
        [&](const QString& message) { reports << message; });
    EXPECT_FALSE(restored);
    EXPECT_EQ(asked, QStringList{good});
    EXPECT_EQ(reports.size(), 4);
    for (const QString& report : reports)
        EXPECT_TRUE(report.startsWith(RecoveryTexts::DamagedCopy({}, {}).section(QLatin1Char('\n'), 0, 0)));
    EXPECT_TRUE(doc.m_cubes.IsEmpty());
    EXPECT_FALSE(doc.IsModified());

    // Only the moved-aside files stay: the good copy was answered No.
    QStringList expected;
    for (const QString& id : damaged)
        expected << id + QStringLiteral(".json.damaged") << id + QStringLiteral(".mvf.damaged");
    expected << noSide + QStringLiteral(".mvf.damaged");
    expected.sort();
    EXPECT_EQ(Files(Folder()), expected);
    EXPECT_TRUE(reports.join(QString()).contains(paths.ModelPath(damaged[0]) + QStringLiteral(".damaged")));

    // Moved aside means never offered again.
    EXPECT_FALSE(keeper->Offer(
        doc, [](const CRecoveryCopy&) { ADD_FAILURE(); return RecoverAnswer::No; },
        [](const QString&) { ADD_FAILURE(); }));
}

TEST_F(RecoveryTest, YesRestoresTheModelAsModifiedUnderItsOriginalNameLaterKeepsTheCopy)
{
    const Cells saved = {{{1, 1, 1}, RGB(1, 2, 3)}, {{15, 0, 15}, RGB(200, 0, 0)}};
    const QString original = m_dir.filePath(QStringLiteral("work.mvf"));
    const QString kept = LeaveCopy(saved, original, QStringLiteral("work.mvf"));

    CMiravelDoc doc;
    doc.SetDefaultTitle(QStringLiteral("ミラヴェル"));
    doc.m_cubes.Set({30, 30, 30}, RGB(7, 7, 7)); // outside the box; not the copy's
    auto keeper = Keeper(doc);

    // Later: the copy stays and another instance may take it.
    EXPECT_FALSE(keeper->Offer(doc, [](const CRecoveryCopy&) { return RecoverAnswer::Later; }, {}));
    EXPECT_EQ(CRecoveryStore(Folder()).TakeLeftCopies().size(), 1u);

    QDateTime written;
    EXPECT_TRUE(keeper->Offer(
        doc,
        [&](const CRecoveryCopy& copy) {
            written = copy.written;
            return RecoverAnswer::Yes;
        },
        {}));
    EXPECT_LE(qAbs(written.secsTo(QDateTime::currentDateTime())), 60);
    EXPECT_EQ(CellsOf(doc.m_cubes), saved);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), original);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("work.mvf"));
    EXPECT_EQ(doc.m_historyPos, -1);

    // The copy is this instance's now: other instances leave it alone and the
    // next edit is written into it. (A save removes it: the real-window test;
    // a never-saved model's copy comes back untitled: the shell's.)
    EXPECT_EQ(keeper->Store().OwnId(), kept);
    EXPECT_TRUE(CRecoveryStore(Folder()).TakeLeftCopies().empty());
    doc.SetCube(2, 2, 2, RGB(9, 9, 9));
    TickAt(*keeper, now + 30000);
    EXPECT_EQ(ModelCells(keeper->Store().OwnModelPath()), CellsOf(doc.m_cubes));
}

} // namespace
