// Writing .vox: the palette limit, the side limit, and files that are whole
// or untouched.
#include "ExchangeTestUtil.h"

#include "exchange/ModelExport.h"
#include "exchange/VoxFile.h"

#include <QFile>

#include <set>

using namespace exchange_test;

namespace {

ModelData Rainbow(int colors)
{
    ModelData m{(colors + 9) / 10, 10, 1, {}};
    for (int i = 0; i < colors; ++i)
        m.cubes.push_back({CUBEPOS{i / 10, i % 10, 0},
                           RGB(std::uint8_t(i * 7), std::uint8_t(255 - i / 2), std::uint8_t(i * 13))});
    std::sort(m.cubes.begin(), m.cubes.end(), [](auto& a, auto& b) { return a.first < b.first; });
    return m;
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

} // namespace

TEST(VoxWriter, KeepsUpTo255ColoursAndReducesMore)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.vox"));
    const ModelData exact = Rainbow(255);
    const ExportResult kept = ExportModel(exact, ExchangeFormat::Vox, path);
    ASSERT_TRUE(kept.ok && kept.notice.isEmpty());
    EXPECT_EQ(ReadVoxFile(path).model, exact);

    const ModelData many = Rainbow(300);
    const ExportResult reduced = ExportModel(many, ExchangeFormat::Vox, path);
    ASSERT_TRUE(reduced.ok);
    EXPECT_EQ(reduced.notice, QStringLiteral("色数を 300 色から 255 色に減らしました。"));
    const VoxReadResult back = ReadVoxFile(path);
    ASSERT_TRUE(back.ok);
    ASSERT_EQ(back.model.cubes.size(), many.cubes.size());
    std::set<COLORREF> colors;
    for (std::size_t i = 0; i < many.cubes.size(); ++i) {
        const COLORREF a = many.cubes[i].second, b = back.model.cubes[i].second;
        EXPECT_EQ(back.model.cubes[i].first, many.cubes[i].first);
        EXPECT_LE(std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                      std::abs(GetBValue(a) - GetBValue(b)),
                  24)
            << i;
        colors.insert(b);
    }
    EXPECT_LE(colors.size(), 255u);
    EXPECT_GT(colors.size(), 200u);
}

TEST(VoxWriter, RefusesLongSidesAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.vox"));
    ASSERT_TRUE(ExportModel(ModelData{256, 1, 2, {{CUBEPOS{255, 0, 1}, RGB(1, 2, 3)}}}, ExchangeFormat::Vox, path).ok);
    const QByteArray before = Bytes(path);
    EXPECT_EQ(ReadVox(before).model, (ModelData{1, 1, 1, {{CUBEPOS{0, 0, 0}, RGB(1, 2, 3)}}}));

    const ExportResult tooLong = ExportModel(ModelData{2, 257, 1, {}}, ExchangeFormat::Vox, path);
    EXPECT_FALSE(tooLong.ok);
    EXPECT_EQ(tooLong.message, QStringLiteral("モデルの大きさ 2×257×1 は一辺が 256 を超えるため、.vox に書き出せません。"));
    EXPECT_FALSE(ExportModel(Rainbow(5), ExchangeFormat::Vox, path, [](int, int) { return false; }).ok);
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("m.vox")});
    EXPECT_FALSE(ExportModel(Rainbow(5), ExchangeFormat::Vox, dir.filePath(QStringLiteral("no/such/dir.vox"))).ok);
}
