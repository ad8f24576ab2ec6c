// Palette files as other programs write them, hostile ones refused with
// their reason, and a .vox palette's indices kept through an import and an
// export. (Each format writing what it read back: the fuzz seeds' replay.)
#include "ExchangeTestUtil.h"

#include "exchange/FileFormats.h"
#include "exchange/ImportedModel.h"
#include "exchange/PaletteFile.h"
#include "exchange/VoxFile.h"
#include "model/PaletteMatch.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>

using namespace exchange_test;

namespace {

QString WriteBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QByteArray Png(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

} // namespace

// Files other programs write as they write them; any picture gives its
// distinct colours in reading order (see-through pixels are none).
TEST(PaletteFiles, ReadsOtherProgramsFilesAndRefusesBrokenOnesWithTheReason)
{
    QTemporaryDir dir;
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(0, 0, 0, 0));
    picture.setPixel(2, 0, qRgb(10, 20, 30));
    picture.setPixel(0, 1, qRgb(200, 0, 0));
    picture.setPixel(1, 1, qRgb(10, 20, 30));
    QImage many(16, 17, QImage::Format_RGB32);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 16; ++x)
            many.setPixel(x, y, qRgb(x * 16, y * 15, 7));
    QByteArray act(768, '\0');  // an unused tail of one colour is no part of it
    act[0] = 1, act[4] = 5;
    // A bitmap's header claiming 5000 x 5000 pixels, in a .png: read by
    // its content, refused before it is decoded.
    const QByteArray huge = QByteArray("BM", 2) + Int(54) + Int(0) + Int(54) + Int(40) + Int(5000) + Int(5000) +
                            QByteArray("\1\0\x18\0", 4) + QByteArray(24, '\0');
    struct Row {
        const char* name;
        QByteArray bytes;
        std::vector<COLORREF> colors;  // read; empty: refused
        const char* reason = "";       // in the refusal
    } rows[] = {
        {"a.gpl", "GIMP Palette\r\nName: x\r\nColumns: 4\r\n# c\r\n  0 128 255\tSky blue\r\n", {RGB(0, 128, 255)}},
        {"b.txt", "; paint.net Palette File\n;Colors: 1\nFF112233\n", {RGB(0x11, 0x22, 0x33)}},
        {"c.hex", "#a0B0c0\n\n102030\n", {RGB(0xA0, 0xB0, 0xC0), RGB(0x10, 0x20, 0x30)}},
        {"d.act", act, {RGB(1, 0, 0), RGB(0, 5, 0), 0}},
        {"e.png", Png(picture), {RGB(10, 20, 30), RGB(200, 0, 0)}},
        {"f.gpl", "GIMP Palette\n1 2 3\n4 five 6\n", {}, "3"},
        {"g.gpl", "JASC-PAL\n0100\n", {}, "GIMP"},
        {"h.gpl", "GIMP Palette\n256 0 0\n", {}, "2"},
        {"i.act", act.left(700), {}, "700"},
        {"j.act", act + QByteArray("\1\0\xff\xff", 4), {}, "256"},
        {"k.png", Png(many), {}, "272"},
        {"l.png", huge, {}, "5000"},
        {"m.png", "not a picture", {}, ""},
        {"n.hex", QByteArray("a0b0c0\0", 7), {}, "1"},
        {"o.txt", "GIMP Palette\n", {}, "1"},
        {"p.hex", "", {}, ""},
    };
    for (const Row& row : rows) {
        const PaletteReadResult r = ReadPaletteFile(WriteBytes(dir, QString::fromLatin1(row.name), row.bytes));
        EXPECT_EQ(r.ok, !row.colors.empty()) << row.name << r.message.toStdString();
        EXPECT_EQ(r.colors, row.colors) << row.name;
        if (!r.ok) {
            EXPECT_TRUE(r.message.contains(QString::fromLatin1(row.reason)) && !r.message.isEmpty())
                << row.name << r.message.toStdString();
        }
    }
    // Nothing to write, or more than a .vox can index: refused, no file.
    EXPECT_FALSE(WritePaletteFile(dir.filePath(QStringLiteral("empty.gpl")), {}).ok);
    EXPECT_FALSE(WritePaletteFile(dir.filePath(QStringLiteral("big.ACT")), std::vector<COLORREF>(256)).ok);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("empty.*"), QStringLiteral("big.*")}), QStringList());
}

// A .vox file's indices come back from the model: those of its colours stay,
// a new colour takes an index no cube used, from the last.
TEST(PaletteFiles, AVoxPaletteKeepsItsIndicesThroughAnImportAndAnExport)
{
    QByteArray rgba;
    for (int k = 0; k < 256; ++k)
        rgba += QByteArray(1, char(k)) + char(255 - k) + char(k / 2) + char(255);
    const QByteArray file =
        VoxFile(Size(4, 4, 4) + Xyzi({{0, 0, 0, 7}, {1, 2, 3, 3}, {3, 3, 3, 200}, {2, 0, 1, 255}}) + Chunk("RGBA", rgba));
    const VoxReadResult read = ReadVox(file);
    ASSERT_TRUE(read.ok) << read.message.toStdString();
    CMiravelDoc doc;
    ASSERT_TRUE(ImportedModel::PutInDocument(read.model, doc));
    EXPECT_EQ(doc.m_palette.size(), 255u);
    auto unchanged = VoxIndices(WriteVox(ModelFromDocument(doc)).bytes), original = VoxIndices(file);
    std::sort(unchanged.begin(), unchanged.end());
    std::sort(original.begin(), original.end());
    EXPECT_EQ(unchanged, original);

    doc.SetCube(0, 0, 1, RGB(1, 2, 3));  // a colour the palette lacks
    const VoxWriteResult written = WriteVox(ModelFromDocument(doc));
    auto voxels = VoxIndices(written.bytes);
    std::sort(voxels.begin(), voxels.end());
    original.push_back({0, 2, 0, 254});  // the file's axes: z is up
    std::sort(original.begin(), original.end());
    EXPECT_EQ(voxels, original);
    const VoxReadResult back = ReadVox(written.bytes);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.model.palette[253], RGB(1, 2, 3));
    EXPECT_EQ(back.model.cubes, ModelFromDocument(doc).cubes);
}
