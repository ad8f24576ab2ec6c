// The .mvf file, byte by byte and through the open / save steps.
#include "model/CMiravelDoc.h"
#include "model/ModelFile.h"
#include "model/ModelMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

std::uint32_t WordAt(const QByteArray& bytes, qsizetype offset)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + offset);
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

QByteArray Header(std::int32_t x, std::int32_t y, std::int32_t z)
{
    QByteArray h("m\0v\0f\0\0\0", 8);
    for (std::int32_t v : {x, y, z})
        for (int i = 0; i < 4; ++i)
            h.append(char((std::uint32_t(v) >> (8 * i)) & 0xFF));
    return h;
}

void AppendWord(QByteArray& bytes, std::uint32_t w)
{
    for (int i = 0; i < 4; ++i)
        bytes.append(char((w >> (8 * i)) & 0xFF));
}

bool SameModel(const CMiravelDoc& a, const CMiravelDoc& b)
{
    if (a.m_sizeX != b.m_sizeX || a.m_sizeY != b.m_sizeY || a.m_sizeZ != b.m_sizeZ)
        return false;
    for (int x = 0; x < a.m_sizeX; ++x)
        for (int y = 0; y < a.m_sizeY; ++y)
            for (int z = 0; z < a.m_sizeZ; ++z)
                if (a.GetCube(x, y, z) != b.GetCube(x, y, z))
                    return false;
    return true;
}

TEST(ModelFile, CellWordEncoding)
{
    // Pure red with mask 0x10 is the bytes EF 10 10 10.
    EXPECT_EQ(ModelFile::EncodeCube(RGB(255, 0, 0), 0x10), 0x101010EFu);
    EXPECT_EQ(ModelFile::Decode(0x101010EFu), RGB(255, 0, 0));
    // Top byte 0x00: an unmasked colour; 0xEF is still a cube.
    EXPECT_EQ(ModelFile::Decode(0x00123456u), 0x00123456u);
    EXPECT_EQ(ModelFile::Decode(ModelFile::EncodeCube(0x00ABCDEF, 0xEF)), 0x00ABCDEFu);
    // Top byte 0xF0 and above: empty, whatever the low bytes hold.
    EXPECT_EQ(ModelFile::Decode(0xF0123456u), CLR_NONE);
    EXPECT_EQ(ModelFile::Decode(0xFFFFFFFFu), CLR_NONE);
    EXPECT_EQ(ModelFile::EncodeEmpty(0xF1, 1, 2, 3), 0xF1FEFDFCu);
}

TEST(ModelFile, EmptyDefaultModelLayout)
{
    CMiravelDoc doc;
    const QByteArray bytes = Save(doc);
    ASSERT_EQ(bytes.size(), 16404);
    EXPECT_EQ(bytes.left(8), QByteArray("m\0v\0f\0\0\0", 8));
    EXPECT_EQ(WordAt(bytes, 8), 16u);
    EXPECT_EQ(WordAt(bytes, 12), 16u);
    EXPECT_EQ(WordAt(bytes, 16), 16u);
    for (qsizetype off = 20; off < bytes.size(); off += 4) {
        const std::uint32_t w = WordAt(bytes, off);
        ASSERT_GE(w >> 24, 0xF1u) << off;
        // Each low byte is 0xFF XOR a key of 1..255, so never 0xFF.
        ASSERT_NE(w & 0xFF, 0xFFu);
        ASSERT_NE((w >> 8) & 0xFF, 0xFFu);
        ASSERT_NE((w >> 16) & 0xFF, 0xFFu);
    }
}

TEST(ModelFile, CellOrderAndMasks)
{
    CMiravelDoc doc;
    doc.SetGridSize(3, 4, 5);
    doc.SetCube(2, 1, 3, RGB(10, 20, 30));
    doc.SetCube(0, 0, 1, RGB(255, 255, 255));
    doc.SetCube(7, 7, 7, RGB(1, 1, 1)); // outside the box: not written
    const QByteArray bytes = Save(doc);
    ASSERT_EQ(bytes.size(), 20 + 4 * 60);
    int cubes = 0;
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 4; ++y)
            for (int z = 0; z < 5; ++z) {
                const std::uint32_t w = WordAt(bytes, 20 + 4 * ((x * 4 + y) * 5 + z));
                const COLORREF c = doc.GetCube(x, y, z);
                if (c == CLR_NONE) {
                    EXPECT_GE(w >> 24, 0xF1u);
                } else {
                    ++cubes;
                    EXPECT_GE(w >> 24, 0x01u);
                    EXPECT_LE(w >> 24, 0xEFu);
                    EXPECT_EQ(ModelFile::Decode(w), c);
                }
            }
    EXPECT_EQ(cubes, 2);
}

TEST(ModelFile, TwoSavesDifferInBytesAndLoadToTheSameModel)
{
    CMiravelDoc doc;
    doc.SetCube(0, 0, 0, RGB(255, 0, 0));
    doc.SetCube(15, 15, 15, RGB(0, 0, 255));
    const QByteArray first = Save(doc);
    const QByteArray second = Save(doc);
    EXPECT_NE(first, second);

    CMiravelDoc a, b;
    ASSERT_TRUE(Load(a, first).ok);
    ASSERT_TRUE(Load(b, second).ok);
    EXPECT_TRUE(SameModel(a, doc));
    EXPECT_TRUE(SameModel(b, doc));
}

TEST(ModelFile, HandMadeWordsAndTrailingBytes)
{
    QByteArray bytes = Header(1, 1, 3);
    AppendWord(bytes, 0x00112233);   // unmasked colour
    AppendWord(bytes, 0xF0112233);   // empty, although no writer makes 0xF0
    AppendWord(bytes, ModelFile::EncodeCube(RGB(1, 2, 3), 0x42));
    bytes.append("trailing garbage is ignored");
    CMiravelDoc doc;
    doc.SetCube(0, 0, 1, RGB(9, 9, 9)); // overwritten by the empty word
    ASSERT_TRUE(Load(doc, bytes).ok);
    EXPECT_EQ(doc.GetCube(0, 0, 0), 0x00112233u);
    EXPECT_EQ(doc.GetCube(0, 0, 1), CLR_NONE);
    EXPECT_EQ(doc.GetCube(0, 0, 2), RGB(1, 2, 3));
}

TEST(ModelFile, LoadingASmallerModelKeepsHiddenCubesAndEmptiesTheHistory)
{
    CMiravelDoc doc;
    doc.SetCube(10, 1, 1, RGB(0, 255, 0));
    doc.SetCube(1, 1, 1, RGB(0, 255, 0));
    CMiravelDoc small;
    small.SetGridSize(4, 4, 4);
    ASSERT_TRUE(Load(doc, Save(small)).ok);
    EXPECT_EQ(doc.m_sizeX, 4);
    EXPECT_EQ(doc.GetCube(1, 1, 1), CLR_NONE);             // inside: replaced
    EXPECT_EQ(doc.GetCube(10, 1, 1), RGB(0, 255, 0));      // outside: kept, hidden
    EXPECT_TRUE(doc.m_history.empty());
    EXPECT_EQ(doc.m_historyPos, -1);
    doc.SetGridSize(16, 16, 16);
    EXPECT_TRUE(doc.InBox(10, 1, 1));
}

TEST(ModelFile, RefusedFilesChangeNothing)
{
    QByteArray truncated = Header(2, 2, 2);
    for (int i = 0; i < 7; ++i)
        AppendWord(truncated, 0x00FF0000);
    QByteArray wrongMagic = Header(2, 2, 2);
    wrongMagic[2] = 'V';
    struct Row {
        const char* what;
        QByteArray bytes;
        QString message;
    } rows[] = {
        {"wrong magic", wrongMagic, ModelMessages::NotModelFile()},
        {"too short for the magic", QByteArray("m\0v", 3), ModelMessages::NotModelFile()},
        {"empty file", QByteArray(), ModelMessages::NotModelFile()},
        {"zero size", Header(0, 16, 16), ModelMessages::BadGridSize()},
        {"negative sizes", Header(-2, -2, 1) + QByteArray(16, '\0'), ModelMessages::BadGridSize()},
        {"product too large", Header(41, 40, 40), ModelMessages::BadGridSize()},
        {"product wraps in 32 bits", Header(65536, 65536, 1), ModelMessages::BadGridSize()},
        {"truncated cells", truncated, ModelMessages::Truncated()},
    };
    for (const Row& r : rows) {
        CMiravelDoc doc;
        doc.SetGridSize(3, 3, 3);
        doc.SetCube(1, 1, 1, RGB(7, 8, 9));
        const DocResult result = Load(doc, r.bytes);
        EXPECT_FALSE(result.ok) << r.what;
        EXPECT_EQ(result.message, r.message) << r.what;
        EXPECT_EQ(doc.m_sizeX, 3) << r.what;
        EXPECT_EQ(doc.m_cubes.size(), 1u) << r.what;
        EXPECT_EQ(doc.GetCube(1, 1, 1), RGB(7, 8, 9)) << r.what;
        EXPECT_EQ(doc.m_history.size(), 1u) << r.what;
    }
}

TEST(ModelFile, OpenAndSaveThroughFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = dir.filePath("good.mvf");
    const QString bad = dir.filePath("bad.mvf");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a model at all, just text");
    }

    CMiravelDoc doc;
    doc.SetDefaultTitle(QStringLiteral("ミラヴェル"));
    doc.OnNewDocument();
    doc.SetCube(3, 4, 5, RGB(200, 100, 50));
    ASSERT_TRUE(doc.OnSaveDocument(good).ok);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), good);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("good.mvf"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporaries left

    // A rejected open keeps path, title, flag and model, so a plain save
    // afterwards still goes to the good file, never over the rejected one.
    doc.SetCube(0, 0, 0, RGB(1, 1, 1));
    const DocResult r = doc.OnOpenDocument(bad);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, ModelMessages::NotModelFile());
    EXPECT_EQ(doc.GetPathName(), good);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("good.mvf"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetCube(0, 0, 0), RGB(1, 1, 1));

    // A missing file reports the path.
    const DocResult missing = doc.OnOpenDocument(dir.filePath("nope.mvf"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.message.contains(QStringLiteral("nope.mvf")));

    // A save that cannot happen reports it and keeps the document's state.
    const DocResult failed = doc.OnSaveDocument(dir.filePath("no/such/dir/x.mvf"));
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), good);

    CMiravelDoc other;
    other.SetCube(1, 1, 1, RGB(5, 5, 5));
    ASSERT_TRUE(other.OnOpenDocument(good).ok);
    EXPECT_EQ(other.GetCube(3, 4, 5), RGB(200, 100, 50));
    EXPECT_EQ(other.GetCube(1, 1, 1), CLR_NONE);
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(other.GetPathName(), good);
}

TEST(ModelFile, RandomModelsRoundTrip)
{
    std::mt19937 rng(20261206);
    for (int round = 0; round < 60; ++round) {
        const int sx = 1 + int(rng() % 40), sy = 1 + int(rng() % 40);
        const int sz = 1 + int(rng() % std::max(1, int(64000 / (sx * sy))));
        CMiravelDoc doc;
        doc.SetGridSize(sx, sy, sz);
        const int fill = int(rng() % 101);
        for (int x = 0; x < sx; ++x)
            for (int y = 0; y < sy; ++y)
                for (int z = 0; z < sz; ++z)
                    if (int(rng() % 100) < fill)
                        doc.m_cubes[{x, y, z}] = rng() & 0xFFFFFF;
        doc.SetSaveSeedForTesting(rng());
        const QByteArray bytes = Save(doc);
        ASSERT_EQ(bytes.size(), 20 + 4 * qsizetype(sx) * sy * sz);
        CMiravelDoc back;
        ASSERT_TRUE(Load(back, bytes).ok);
        ASSERT_TRUE(SameModel(back, doc)) << sx << "x" << sy << "x" << sz;
    }
}

} // namespace
