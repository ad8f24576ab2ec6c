// The exchange format checked against goxel, a voxel editor nobody here
// wrote: it reads what we write, and we read what it writes.
#include "ExchangeTestUtil.h"

#include "exchange/ImportedModel.h"
#include "exchange/ModelExport.h"
#include "exchange/VoxFile.h"

#include <set>

using namespace exchange_test;

namespace {

// Our cells in the file's axes (z up); centred as goxel lists them, on
// floor(size / 2), when asked.
Listing InFileAxes(const ModelData& m, bool centred = false)
{
    const int cx = centred ? m.sizeX / 2 : 0, cy = centred ? m.sizeZ / 2 : 0, cz = centred ? m.sizeY / 2 : 0;
    Listing out;
    m.cubes.ForEachCube([&](const CUBEPOS& p, COLORREF c) { out[{p.x - cx, m.sizeZ - 1 - p.z - cy, p.y - cz}] = c; });
    return out;
}

class VoxPeer : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (Peer("goxel").isEmpty())
            GTEST_SKIP() << "goxel is not installed";
    }
    QTemporaryDir m_dir;
};

} // namespace

// Our export as goxel reads it: every cube where the proper rotation puts it
// (x, Z-1-z, y), with its colour; the lopsided corners tell a rotation from
// a mirror. A grid with sides over 256 is a scene of several models that
// goxel puts together as one.
TEST_F(VoxPeer, GoxelReadsOurExport)
{
    const ModelData corners{3, 4, 5, {{CUBEPOS{0, 0, 0}, RGB(255, 0, 0)}, {CUBEPOS{0, 0, 4}, RGB(10, 20, 30)},
                                      {CUBEPOS{0, 3, 0}, RGB(0, 0, 255)}, {CUBEPOS{2, 0, 0}, RGB(0, 255, 0)}}};
    ModelData large{300, 3, 600, {}};
    for (const CUBEPOS& p : {CUBEPOS{0, 0, 0}, CUBEPOS{255, 0, 0}, CUBEPOS{256, 1, 0}, CUBEPOS{299, 2, 599},
                             CUBEPOS{0, 2, 343}, CUBEPOS{0, 2, 344}, CUBEPOS{17, 1, 88}})
        large.cubes.Set(p, RGB(std::uint8_t(p.x), std::uint8_t(p.y * 80), std::uint8_t(p.z)));
    for (const ModelData& model : {corners, SampleModel(), large}) {
        const QString path = m_dir.filePath(QStringLiteral("ours.vox"));
        ASSERT_TRUE(ExportModel(model, ExchangeFormat::Vox, path).ok);
        Listing seen;
        ASSERT_TRUE(GoxelListing(path, seen));
        if (model.sizeZ > 256) {
            EXPECT_EQ(Normalised(seen), Normalised(InFileAxes(model))) << "a scene";
            EXPECT_EQ(ReadVoxFile(path).model, model);
        } else
            EXPECT_EQ(seen, InFileAxes(model, true)) << model.cubes.Count() << " cubes";
    }
}

// goxel's own .vox files read here hold what goxel itself lists for them:
// a file it converted from ours, a palette-less file (the format's default
// palette) and scenes of two models placed, one of them turned.
TEST_F(VoxPeer, WeReadGoxelsFiles)
{
    const ModelData model = RandomModel(12, 5, 8, 0.5, 30, 7);
    const QString ours = m_dir.filePath(QStringLiteral("ours.vox"));
    const QString theirs = m_dir.filePath(QStringLiteral("theirs.vox"));
    ASSERT_TRUE(ExportModel(model, ExchangeFormat::Vox, ours).ok);
    ASSERT_TRUE(RunPeer(Peer("goxel"), {QStringLiteral("-e"), theirs, ours}));
    const VoxReadResult back = ReadVoxFile(theirs);
    ASSERT_TRUE(back.ok) << back.message.toStdString();
    Listing listed;
    ASSERT_TRUE(GoxelListing(theirs, listed));
    EXPECT_EQ(Normalised(InFileAxes(back.model)), Normalised(listed));
    EXPECT_EQ(Normalised(InFileAxes(back.model)), Normalised(InFileAxes(model)));
    // goxel's file (no palette chunk: the default palette) comes back from
    // the editor's document with goxel's indices.
    CMiravelDoc doc;
    ASSERT_TRUE(ImportedModel::PutInDocument(back.model, doc));
    auto indices = [](const QByteArray& file) {
        std::multiset<int> set;
        for (const auto& v : VoxIndices(file))
            set.insert(v[3]);
        return set;
    };
    EXPECT_EQ(indices(WriteVox(ModelFromDocument(doc)).bytes), indices(ReadFile(theirs)));

    std::vector<Voxel> row; // every index of the default palette
    for (int i = 1; i <= 255; ++i)
        row.push_back({i - 1, 0, 0, i});
    const QByteArray models = Size(2, 3, 4) + Xyzi({{0, 0, 0, 1}, {1, 2, 3, 2}, {1, 0, 0, 3}}) +
                              Size(1, 1, 1) + Xyzi({{0, 0, 0, 5}});
    auto scene = [&](const QByteArray& turn) {
        return VoxFile(models + Transform(0, 1, "0 0 0") + Group(1, {2, 4}) +
                           Transform(2, 3, "10 0 0", turn) + Shape(3, 0) + Transform(4, 5, "0 0 5") +
                           Shape(5, 1),
                       200);
    };
    for (const QByteArray& file : {VoxFile(Size(255, 1, 1) + Xyzi(row)), scene({}), scene("17"),
                                   scene("98")}) {
        const QString path = m_dir.filePath(QStringLiteral("made.vox"));
        ASSERT_TRUE(WriteFile(path, file));
        const VoxReadResult ours = ReadVox(file);
        ASSERT_TRUE(ours.ok) << ours.message.toStdString();
        Listing listed;
        ASSERT_TRUE(GoxelListing(path, listed));
        EXPECT_EQ(Normalised(InFileAxes(ours.model)), Normalised(listed));
    }
}
