// The .vox reader on well-formed files of every shape the format allows, and
// on broken, truncated, huge and hostile ones; the writer's palette and side
// limits, and files that are whole or untouched.
#include "ExchangeTestUtil.h"

#include "exchange/FileFormats.h"
#include "exchange/ModelExport.h"
#include "exchange/VoxFile.h"
#include "model/GridLimits.h"
#include "tests/support/CubeCells.h"

#include <random>
#include <set>

using namespace exchange_test;

namespace {

const QByteArray kOne = Size(1, 1, 1) + Xyzi({{0, 0, 0, 1}});

QByteArray Chain(int depth)
{
    // trn 0 -> grp 1 -> trn 2 -> grp 3 ... -> shape.
    QByteArray nodes;
    for (int i = 0; i < depth; ++i)
        nodes += i % 2 ? Group(i, {i + 1}) : Transform(i, i + 1, "0 0 0");
    return nodes + Shape(depth, 0);
}

// 20 groups, each naming the next twice: a million visits to one shape.
QByteArray Doubled(int depth)
{
    QByteArray nodes;
    for (int i = 0; i < depth; ++i)
        nodes += Group(i, {i + 1, i + 1});
    return nodes + Shape(depth, 0);
}

ModelData Rainbow(int colors)
{
    ModelData m{(colors + 9) / 10, 10, 1, {}};
    for (int i = 0; i < colors; ++i)
        m.cubes.Set({i / 10, i % 10, 0}, RGB(std::uint8_t(i * 7), std::uint8_t(255 - i / 2), std::uint8_t(i * 13)));
    return m;
}

} // namespace

TEST(VoxReader, ReadsWhatTheFormatAllows)
{
    // The grid is the voxels' box turned to y up: file (x, y, z) is ours
    // (x, z, D-1-y) where D is the box's depth along the file's y.
    QByteArray palette(256 * 4, '\0');
    palette[0] = char(1), palette[1] = char(2), palette[2] = char(3); // index 1
    palette[4] = char(9);                                              // index 2
    const VoxReadResult r = ReadVox(VoxFile(Chunk("ABCD", "xyz", Chunk("SIZE", "junk")) +
                                                Chunk("SIZE", Int(4) + Int(5) + Int(6), "child") +
                                                Xyzi({{1, 1, 1, 1}, {2, 3, 4, 2}}) + Chunk("MATL", "m") +
                                                Chunk("RGBA", palette),
                                            200));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.model, (ModelData{2, 4, 3, {{CUBEPOS{0, 0, 2}, RGB(1, 2, 3)}, {CUBEPOS{1, 3, 0}, RGB(9, 0, 0)}}}));

    // (The default palette, used without RGBA, is checked against goxel.)
    // An empty model keeps its size; a later voxel in the same cell wins.
    EXPECT_EQ(ReadVox(VoxFile(Size(3, 4, 5) + Xyzi({}))).model, (ModelData{3, 5, 4, {}}));
    EXPECT_EQ(ReadVox(VoxFile(Size(1, 1, 1) + Xyzi({{0, 0, 0, 1}, {0, 0, 0, 2}}))).model,
              (ModelData{1, 1, 1, {{CUBEPOS{0, 0, 0}, RGB(255, 255, 0xCC)}}}));
    // A deep but finite scene is fine.
    EXPECT_TRUE(ReadVox(VoxFile(kOne + Chain(40))).ok);

    // Group 7 is named by two transforms: each places its own copy. Where
    // models overlap, the first placed (depth first, in file order) keeps
    // its colour.
    const QByteArray rgba = Chunk("RGBA", palette);
    const QByteArray two = Size(1, 1, 1) + Xyzi({{0, 0, 0, 1}}) + Size(1, 1, 1) + Xyzi({{0, 0, 0, 2}});
    const VoxReadResult shared = ReadVox(VoxFile(
        two + Transform(0, 1, "0 0 0") + Group(1, {2, 3, 4}) + Transform(2, 7, "0 0 0") + Transform(3, 6, "0 0 0") +
        Transform(4, 7, "2 0 0") + Group(7, {8}) + Transform(8, 5, "0 0 0") + Shape(5, 0) + Shape(6, 1) + rgba));
    ASSERT_TRUE(shared.ok) << shared.message.toStdString();
    EXPECT_EQ(shared.model, (ModelData{3, 1, 1, {{CUBEPOS{0, 0, 0}, RGB(1, 2, 3)}, {CUBEPOS{2, 0, 0}, RGB(1, 2, 3)}}}));
    // Without a scene graph, further models are frames of an animation
    // (here with the PACK chunk that counts them): the first one stands.
    EXPECT_EQ(ReadVox(VoxFile(Chunk("PACK", Int(2)) + Size(1, 1, 1) + Xyzi({{0, 0, 0, 2}}) + Size(3, 1, 1) +
                              Xyzi({{2, 0, 0, 1}}) + rgba))
                  .model,
              (ModelData{1, 1, 1, {{CUBEPOS{0, 0, 0}, RGB(9, 0, 0)}}}));
}

TEST(VoxReader, RefusesBrokenFilesWithAMessage)
{
    const QByteArray rgbaShort = Chunk("RGBA", QByteArray(100, '\1'));
    QByteArray overlong = VoxFile(Size(1, 1, 1) + Xyzi({{0, 0, 0, 1}}));
    overlong.replace(overlong.indexOf("XYZI") + 4, 4, Int(0x7FFFFFF0));

    const struct {
        const char* what;
        QByteArray bytes;
        const char* says; // part of the message
    } cases[] = {
        {"empty", {}, ".vox ファイルではありません"},
        {"unknown version", VoxFile(kOne, 151), "151"},
        {"no MAIN", QByteArray("VOX ") + Int(150) + Chunk("MAIX", {}, kOne), "MAIN"},
        {"truncated", VoxFile(kOne).left(VoxFile(kOne).size() - 3), "MAIN"},
        {"chunk header cut", VoxFile(kOne + "SIZ"), "見出し"},
        {"chunk longer than the rest", overlong, "XYZI"},
        {"negative size", VoxFile(Size(-1, 2, 2) + Xyzi({})), "-1×2×2"},
        {"side over 256", VoxFile(Size(257, 1, 1) + Xyzi({})), "257×1×1"},
        {"short SIZE", VoxFile(Chunk("SIZE", Int(1) + Int(1)) + Xyzi({})), "SIZE"},
        {"XYZI without SIZE", VoxFile(Xyzi({{0, 0, 0, 1}})), "SIZE"},
        {"count above data", VoxFile(Size(2, 2, 2) + Chunk("XYZI", Int(3) + QByteArray(8, '\1'))), "3"},
        {"huge count", VoxFile(Size(2, 2, 2) + Chunk("XYZI", Int(0x40000000) + QByteArray(8, '\1'))),
         "1073741824"},
        {"voxel outside SIZE", VoxFile(Size(2, 2, 2) + Xyzi({{0, 2, 0, 1}})), "(0, 2, 0)"},
        {"colour index 0", VoxFile(Size(2, 2, 2) + Xyzi({{1, 1, 1, 0}})), "色番号が 0"},
        {"short palette", VoxFile(kOne + rgbaShort), "RGBA"},
        {"no model, short palette", VoxFile(rgbaShort), "モデル"},
        {"scene loop", VoxFile(kOne + Transform(0, 1, "0 0 0") + Group(1, {2}) + Transform(2, 1, "0 0 0")),
         "循環"},
        {"endless nesting", VoxFile(kOne + Chain(200)), "入れ子"},
        {"shared nodes without end", VoxFile(kOne + Doubled(20)), "大きすぎます"},
        {"missing node", VoxFile(kOne + Transform(0, 7, "0 0 0")), "節点 7"},
        {"missing root", VoxFile(kOne + Transform(3, 1, "0 0 0") + Shape(1, 0)), "節点 0"},
        {"missing model", VoxFile(kOne + Transform(0, 1, "0 0 0") + Shape(1, 4)), "モデル 4"},
        {"node twice", VoxFile(kOne + Transform(0, 1, "0 0 0") + Shape(1, 0) + Shape(1, 0)), "節点 1 が二つ"},
        {"bad rotation", VoxFile(kOne + Transform(0, 1, "0 0 0", "15") + Shape(1, 0)), "nTRN"},
        {"bad translation", VoxFile(kOne + Transform(0, 1, "1 2") + Shape(1, 0)), "nTRN"},
        {"huge dictionary",
         VoxFile(kOne + Chunk("nSHP", Int(1) + Int(0x7FFFFFFF) + Int(1) + Int(0) + Int(0))), "nSHP"},
        {"huge group", VoxFile(kOne + Chunk("nGRP", Int(1) + Int(0) + Int(0x10000000))), "nGRP"},
        {"box over the grid limit",
         VoxFile(kOne + kOne + Transform(0, 1, "0 0 0") + Group(1, {2, 4}) + Shape(2, 0) +
                 Transform(4, 5, "1100 60 0") + Shape(5, 1)),
         "1101×1×61 (ファイルの軸では 1101×61×1、67161 セル) は大きすぎる"},
        {"huge translation",
         VoxFile(kOne + kOne + Transform(0, 1, "0 0 0") + Group(1, {2, 4}) + Shape(2, 0) +
                 Transform(4, 5, "2147483647 -2147483648 0") + Shape(5, 1)),
         "2147483648×1×2147483649"},
    };
    for (const auto& c : cases) {
        const VoxReadResult r = ReadVox(c.bytes);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_TRUE(r.message.contains(QString::fromUtf8(c.says))) << c.what << ": " << r.message.toStdString();
        EXPECT_TRUE(r.model.cubes.IsEmpty()) << c.what;
    }
}

// Every prefix and many damaged copies of a scene file end in a clean answer
// (the sanitizer build catches any read out of bounds). The fuzz target goes
// further, but only its corpus is replayed with every build.
TEST(VoxReader, SurvivesTruncationAndDamage)
{
    const QByteArray good = VoxFile(Size(2, 3, 4) + Xyzi({{0, 0, 0, 1}, {1, 2, 3, 2}}) + kOne +
                                        Transform(0, 1, "0 0 0") + Group(1, {2, 4}) +
                                        Transform(2, 3, "5 0 0", "17") + Shape(3, 0) +
                                        Transform(4, 5, "0 0 5") + Shape(5, 1) +
                                        Chunk("RGBA", QByteArray(1024, '\7')),
                                    200);
    ASSERT_TRUE(ReadVox(good).ok);
    for (int n = 0; n < good.size(); ++n)
        EXPECT_FALSE(ReadVox(good.left(n)).ok) << n;
    std::mt19937 rng(11);
    for (int i = 0; i < 3000; ++i) {
        QByteArray bad = good;
        for (int k = 0; k < 3; ++k)
            bad[int(rng() % unsigned(bad.size()))] = char(rng());
        const VoxReadResult r = ReadVox(bad);
        EXPECT_TRUE(r.ok || !r.message.isEmpty());
        if (r.ok) {
            EXPECT_TRUE(GridLimits::IsValid(r.model.sizeX, r.model.sizeY, r.model.sizeZ));
        }
    }
}

TEST(VoxReader, ReadsFilesWithinALimit)
{
    QTemporaryDir dir;
    EXPECT_TRUE(ReadVoxFile(dir.filePath(QStringLiteral("none.vox"))).message.contains(QStringLiteral("none.vox")));
    QFile big(dir.filePath(QStringLiteral("big.vox")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(VoxFile(kOne));
    ASSERT_TRUE(big.resize((qint64(192) << 20) + 1)); // sparse
    big.close();
    const VoxReadResult r = ReadVoxFile(big.fileName());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("大きすぎる")));
}

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
    const Cells before = CellsOf(many.cubes), after = CellsOf(back.model.cubes);
    ASSERT_EQ(after.size(), before.size());
    std::set<COLORREF> colors;
    for (const auto& [p, a] : before) {
        ASSERT_TRUE(after.count(p));
        const COLORREF b = after.at(p);
        EXPECT_LE(std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                  std::abs(GetBValue(a) - GetBValue(b)), 24);
        colors.insert(b);
    }
    EXPECT_LE(colors.size(), 255u);
    EXPECT_GT(colors.size(), 200u);
}

TEST(VoxWriter, FailedExportsKeepTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.vox"));
    ASSERT_TRUE(ExportModel(ModelData{256, 1, 2, {{CUBEPOS{255, 0, 1}, RGB(1, 2, 3)}}}, ExchangeFormat::Vox, path).ok);
    const QByteArray before = ReadFile(path);
    EXPECT_EQ(ReadVox(before).model, (ModelData{1, 1, 1, {{CUBEPOS{0, 0, 0}, RGB(1, 2, 3)}}}));

    EXPECT_FALSE(ExportModel(Rainbow(5), ExchangeFormat::Vox, path, [](int, int) { return false; }).ok);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("m.vox")});
    EXPECT_FALSE(ExportModel(Rainbow(5), ExchangeFormat::Vox, dir.filePath(QStringLiteral("no/such/dir.vox"))).ok);
}

TEST(FileFormats, EachExtensionNamesOneFormat)
{
    // Palette files are apart: a .png palette is no picture of the view.
    std::set<std::pair<bool, QString>> seen;
    for (const FileFormat& f : FileFormats::All())
        for (const QString& suffix : f.Suffixes())
            EXPECT_TRUE(seen.insert({f.kind == FormatKind::Palette, suffix}).second) << suffix.toStdString();
    EXPECT_EQ(FileFormats::PaletteForPath(QStringLiteral("p.PNG"))->kind, FormatKind::Palette);
    EXPECT_EQ(FileFormats::ForPath(QStringLiteral("dir.vox/Shot.JPEG")), &FileFormats::Get(ExchangeFormat::Jpeg));
    EXPECT_EQ(FileFormats::ForPath(QStringLiteral("model.vox.bak")), nullptr);
    EXPECT_EQ(FileFormats::ForPath(QStringLiteral("vox")), nullptr);
    // A name without an extension of its own gets the format's.
    const std::pair<const char*, const char*> names[] = {
        {"/tmp/shot", "/tmp/shot.jpg"}, {"/tmp/shot.", "/tmp/shot.jpg"},
        {"/tmp/shot.JPEG", "/tmp/shot.JPEG"}, {"/tmp/a.b/shot", "/tmp/a.b/shot.jpg"},
        {"/tmp/.hidden", "/tmp/.hidden.jpg"}, {"", ""}};
    for (auto [typed, saved] : names)
        EXPECT_EQ(WithDefaultExtension(typed, FileFormats::ForImage(ImageFormat::JPEG)->Suffix()), saved) << typed;
}
