// The document: cube store, grid box, views and the document services.
#include "model/CMiravelDoc.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct RecordingView : CDocView {
    int updates = 0;
    int resets = 0;
    std::vector<CUBEPOS> cells;
    void OnUpdate(CDocView*, long) override { ++updates; }
    void OnCubeChanged(const CUBEPOS& p) override { cells.push_back(p); }
    void OnModelReset() override { ++resets; }
};

TEST(Document, NewDocumentIsAnEmptyDefaultGridWithNoHistory)
{
    CMiravelDoc doc;
    doc.SetDefaultTitle(QStringLiteral("ミラヴェル"));
    EXPECT_EQ(doc.m_sizeX, 16);
    EXPECT_EQ(doc.m_sizeY, 16);
    EXPECT_EQ(doc.m_sizeZ, 16);
    EXPECT_EQ(doc.m_historyPos, -1);

    doc.SetGridSize(4, 5, 6);
    doc.SetCube(1, 1, 1, RGB(1, 2, 3));
    doc.SetPathName(QStringLiteral("/tmp/some/model.mvf"));
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("model.mvf"));

    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.m_cubes.empty());
    EXPECT_EQ(doc.m_sizeX * doc.m_sizeY * doc.m_sizeZ, 16 * 16 * 16);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("ミラヴェル"));
    // Undo after a new document must not bring back the previous model's cube.
    EXPECT_TRUE(doc.m_history.empty());
    EXPECT_EQ(doc.m_historyPos, -1);
    doc.HistoryBack();
    EXPECT_TRUE(doc.m_cubes.empty());
}

TEST(Document, ViewsHearEachCellAndEachUpdateUntilRemoved)
{
    CMiravelDoc doc;
    RecordingView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.AddView(&a); // registering twice changes nothing

    doc.SetCube(1, 2, 3, RGB(9, 9, 9));
    doc.RemoveCube(1, 2, 3);
    doc.HistoryBack(); // history steps change the store but do not update views
    EXPECT_EQ(a.updates, 2);
    EXPECT_EQ(b.updates, 2);
    ASSERT_EQ(a.cells.size(), 3u);
    for (const CUBEPOS& p : a.cells)
        EXPECT_EQ(p, (CUBEPOS{1, 2, 3}));

    doc.RemoveView(&b);
    doc.ClearAllCubes();
    EXPECT_EQ(a.updates, 3);
    EXPECT_EQ(a.resets, 1);
    EXPECT_EQ(b.updates, 2);
    EXPECT_EQ(b.resets, 0);
}

TEST(Document, CubesOutsideTheBoxStayInTheStoreAcrossResizes)
{
    CMiravelDoc doc;
    doc.SetCube(12, 0, 0, RGB(255, 0, 0));
    doc.SetGridSize(8, 8, 8);
    EXPECT_FALSE(doc.InBox(12, 0, 0));
    EXPECT_EQ(doc.GetCube(12, 0, 0), RGB(255, 0, 0));
    doc.SetGridSize(16, 8, 8);
    EXPECT_TRUE(doc.InBox(12, 0, 0));
    EXPECT_EQ(doc.GetCube(12, 0, 0), RGB(255, 0, 0));
}

TEST(Document, GridSizeRules)
{
    struct Row {
        std::int64_t x, y, z;
        bool valid;
    } rows[] = {
        {1, 1, 1, true},
        {16, 16, 16, true},
        {40, 40, 40, true},
        {64000, 1, 1, true},
        {41, 40, 40, false},
        {0, 16, 16, false},
        {16, -1, 16, false},
        {-4, -4, 4, false},           // product in range, sides not
        {4096, 1048577, 1, false},    // would wrap to 4096 in 32 bits
        {65536, 65536, 1, false},     // would wrap to 0
        {2147483647, 2147483647, 2147483647, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CMiravelDoc::IsValidGridSize(r.x, r.y, r.z), r.valid)
            << r.x << " x " << r.y << " x " << r.z;
}

} // namespace
