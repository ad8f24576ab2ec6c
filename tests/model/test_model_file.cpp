// The .mvf file, byte by byte and through the open / save steps.
#include "model/CMiravelDoc.h"
#include "model/ModelFile.h"
#include "model/ModelMessages.h"
#include "tests/support/CubeCells.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <tuple>
#include <QtEndian>
#include <gtest/gtest.h>
#include <random>

namespace {


QByteArray Save(CMiravelDoc& doc)
{
    QByteArray bytes;
    CArchive ar(bytes, CArchive::store);
    EXPECT_TRUE(doc.Serialize(ar).ok);
    return bytes;
}

DocResult Load(CMiravelDoc& doc, QByteArray bytes)
{
    CArchive ar(bytes, CArchive::load);
    return doc.Serialize(ar);
}

// The magic, then the words given (sizes first) in little-endian order.
QByteArray File(std::initializer_list<std::uint32_t> words)
{
    QByteArray b("m\0v\0f\0\0\0", 8);
    for (std::uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            b.append(char(w >> (8 * i)));
    return b;
}

TEST(ModelFile, EmptyDefaultModelLayoutAndFreshMasksPerSave)
{
    CMiravelDoc doc, back;
    const QByteArray bytes = Save(doc);
    ASSERT_EQ(bytes.size(), 16404);
    EXPECT_EQ(bytes.left(20), File({16, 16, 16}));
    for (qsizetype off = 20; off < bytes.size(); off += 4) {
        const std::uint32_t w = qFromLittleEndian<quint32>(bytes.constData() + off);
        ASSERT_GE(w >> 24, 0xF1u) << off;
        // Each low byte is 0xFF XOR a key of 1..255, so never 0xFF.
        ASSERT_TRUE((w & 0xFF) != 0xFF && (w >> 8 & 0xFF) != 0xFF && (w >> 16 & 0xFF) != 0xFF) << off;
    }
    // Every save draws fresh masks, and still reads back as the same model.
    doc.SetCube(15, 15, 15, RGB(0, 0, 255));
    const QByteArray again = Save(doc);
    EXPECT_NE(Save(doc), again);
    ASSERT_TRUE(Load(back, again).ok);
    EXPECT_EQ(CellsOf(back.m_cubes), CellsOf(doc.m_cubes));
}

TEST(ModelFile, HandMadeWordsInCellOrderAndTrailingBytes)
{
    // Pure red with mask 0x10 is the bytes EF 10 10 10.
    EXPECT_EQ(ModelFile::EncodeCube(RGB(255, 0, 0), 0x10), 0x101010EFu);
    // x outermost, z innermost; top byte 0x00 is an unmasked colour, 0xF0 and
    // above empty (although no writer makes 0xF0), anything else a mask.
    QByteArray bytes = File({2, 2, 2, 0x00112233, 0xF0112233, 0xFFFFFFFF, 0x101010EF, 0xF1000000,
                             0xEF000000 | (RGB(1, 2, 3) ^ 0xEFEFEF), 0xF5123456, 0x01FFFFFF});
    bytes.append("trailing garbage is ignored");
    CMiravelDoc doc;
    doc.SetCube(0, 0, 1, RGB(9, 9, 9)); // overwritten by an empty word
    ASSERT_TRUE(Load(doc, bytes).ok);
    EXPECT_EQ(CellsOf(doc.m_cubes), (Cells{{{0, 0, 0}, 0x00112233}, {{0, 1, 1}, RGB(255, 0, 0)},
                                  {{1, 0, 1}, RGB(1, 2, 3)}, {{1, 1, 1}, 0x00FEFEFE}}));
}

TEST(ModelFile, RefusedFilesChangeNothing)
{
    const std::tuple<const char*, QByteArray, QString> rows[] = {
        {"wrong magic", File({2, 2, 2}).replace(2, 1, "V"), ModelMessages::NotModelFile()},
        {"too short for the magic", QByteArray("m\0v", 3), ModelMessages::NotModelFile()},
        {"zero size", File({0, 16, 16}), ModelMessages::BadGridSize()},
        {"negative sizes", File({0xFFFFFFFE, 0xFFFFFFFE, 1, 0, 0, 0, 0}), ModelMessages::BadGridSize()},
        {"truncated cells", File({2, 2, 2, 0, 0, 0, 0, 0, 0, 0}), ModelMessages::Truncated()},
        // Refused from the header and the length alone, before anything is allocated.
        {"the largest box in a short file", File({1024, 1024, 32, 0, 0}), ModelMessages::Truncated()},
        {"one layer over the limit", File({1024, 1024, 33}), ModelMessages::BadGridSize()},
    };
    for (const auto& [what, bytes, message] : rows) {
        CMiravelDoc doc;
        doc.SetGridSize(3, 3, 3);
        doc.SetCube(1, 1, 1, RGB(7, 8, 9));
        const DocResult result = Load(doc, bytes);
        EXPECT_FALSE(result.ok) << what;
        EXPECT_EQ(result.message, message) << what;
        EXPECT_EQ(doc.m_sizeX, 3) << what;
        EXPECT_EQ(CellsOf(doc.m_cubes), (Cells{{{1, 1, 1}, RGB(7, 8, 9)}})) << what;
        EXPECT_EQ(doc.m_history.Size(), 1u) << what;
    }
}

TEST(ModelFile, OpenAndSaveThroughFiles)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.mvf"), bad = dir.filePath("bad.mvf");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("not a model at all, just text") > 0);
    f.close();
    CMiravelDoc doc, other;
    doc.SetGridSize(4, 4, 4);
    doc.SetCube(3, 2, 1, RGB(200, 100, 50));
    ASSERT_TRUE(doc.OnSaveDocument(good).ok);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("good.mvf"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporaries left

    // A rejected open keeps path, flag and model, so a plain save afterwards
    // still goes to the good file, never over the rejected one.
    doc.SetCube(0, 0, 0, RGB(1, 1, 1));
    EXPECT_EQ(doc.OnOpenDocument(bad).message, ModelMessages::NotModelFile());
    EXPECT_TRUE(doc.OnOpenDocument(dir.filePath("nope.mvf")).message.contains(QStringLiteral("nope.mvf")));
    EXPECT_EQ(doc.GetPathName(), good);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetCube(0, 0, 0), RGB(1, 1, 1));

    // Opening a smaller model replaces the whole model: no cube of the
    // previous one survives outside the new box, so growing the grid and
    // saving writes only what the file held. The history is emptied.
    other.SetCube(1, 1, 1, RGB(5, 5, 5));
    other.SetCube(10, 1, 1, RGB(0, 255, 0));
    ASSERT_TRUE(other.OnOpenDocument(good).ok);
    EXPECT_EQ(other.m_sizeX, 4);
    EXPECT_EQ(CellsOf(other.m_cubes), (Cells{{{3, 2, 1}, RGB(200, 100, 50)}}));
    EXPECT_TRUE(other.m_history.IsEmpty());
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(other.GetPathName(), good);
    other.SetGridSize(16, 16, 16);
    ASSERT_TRUE(other.OnSaveDocument(good).ok);
    CMiravelDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(good).ok);
    EXPECT_EQ(CellsOf(reread.m_cubes), (Cells{{{3, 2, 1}, RGB(200, 100, 50)}}));
}

TEST(ModelFile, TheLargestGridStreamsThroughFiles)
{
    // 2^25 cells, a file of 128 MiB: written and read in blocks.
    QTemporaryDir dir;
    const QString path = dir.filePath("large.mvf");
    const Cells cubes{{{0, 0, 0}, RGB(1, 2, 3)}, {{1023, 1023, 31}, RGB(4, 5, 6)}, {{517, 3, 16}, RGB(7, 8, 9)}};
    CMiravelDoc doc, back;
    doc.SetGridSize(1024, 1024, 32);
    doc.m_cubes = StoreOf(cubes);
    doc.m_cubes.Set({-5, 2000, 40}, RGB(9, 9, 9));  // hidden: not written
    std::int64_t done = 0, total = 0;
    ASSERT_TRUE(doc.OnSaveDocument(path, [&](std::int64_t d, std::int64_t t) { return done = d, total = t, true; }).ok);
    EXPECT_EQ(QFileInfo(path).size(), 20 + 4 * (qint64(1) << 25));
    EXPECT_EQ(std::make_tuple(done, total), std::make_tuple(QFileInfo(path).size(), QFileInfo(path).size()));
    // Stopped half-way, a save keeps the old file and an open the old model.
    const auto halfway = [](std::int64_t d, std::int64_t t) { return d < t / 2; };
    doc.SetCube(9, 9, 9, RGB(1, 1, 1));
    EXPECT_TRUE(doc.OnSaveDocument(path, halfway).cancelled);
    EXPECT_TRUE(doc.IsModified());
    back.SetCube(2000, 0, 0, RGB(1, 1, 1));
    EXPECT_TRUE(back.OnOpenDocument(path, halfway).cancelled);
    EXPECT_EQ(back.m_cubes.Count(), 1u);
    ASSERT_TRUE(back.OnOpenDocument(path).ok);
    EXPECT_EQ(CellsOf(back.m_cubes), cubes);
}

TEST(ModelFile, RandomModelsRoundTrip)
{
    std::mt19937 rng(20261206);
    for (int round = 0; round < 30; ++round) {
        const int sx = 1 + int(rng() % 40), sy = 1 + int(rng() % 40);
        const int sz = 1 + int(rng() % std::max(1, int(64000 / (sx * sy))));
        CMiravelDoc doc, back;
        doc.SetGridSize(sx, sy, sz);
        const int fill = int(rng() % 101);
        for (int i = 0; i < sx * sy * sz; ++i)
            if (int(rng() % 100) < fill)
                doc.m_cubes.Set({i / (sy * sz), i / sz % sy, i % sz}, rng() & 0xFFFFFF);
        const Cells inBox = CellsOf(doc.m_cubes);
        // Strays just outside each face of the box, in between the saved
        // cells in the store's order: never written.
        const int x = int(rng() % sx), y = int(rng() % sy), z = int(rng() % sz);
        for (const CUBEPOS& p : {CUBEPOS{-1, y, z}, CUBEPOS{sx, y, z}, CUBEPOS{x, -1, z}, CUBEPOS{x, sy, z},
                                 CUBEPOS{x, y, -1}, CUBEPOS{x, y, sz}, CUBEPOS{x, -5, sz + 7}})
            doc.m_cubes.Set(p, RGB(1, 2, 3));
        doc.SetSaveSeedForTesting(rng());
        const QByteArray bytes = Save(doc);
        ASSERT_EQ(bytes.size(), 20 + 4 * qsizetype(sx) * sy * sz);
        ASSERT_TRUE(Load(back, bytes).ok);
        ASSERT_EQ(std::tuple(back.m_sizeX, back.m_sizeY, back.m_sizeZ), std::tuple(sx, sy, sz));
        ASSERT_EQ(CellsOf(back.m_cubes), inBox) << sx << "x" << sy << "x" << sz;
    }
}

} // namespace
