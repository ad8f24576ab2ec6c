// The command line: how arguments are read, and the built program run as a
// converter and thumbnailer without any display. Outputs are read back with
// our readers and with Assimp's importer, which nobody here wrote.
#include "commandline/CommandLine.h"
#include "commandline/ConvertTexts.h"
#include "commandline/ThumbnailPicture.h"
#include "exchange/ModelData.h"
#include "model/FileErrorText.h"
#include "model/ModelTools.h"
#include "tests/app/ExchangeTestFiles.h"
#include "tests/app/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include <unistd.h>

namespace {

const Cells kCubes = {{{0, 0, 0}, kTeal}, {{3, 1, 2}, kRed}};

// The faces Assimp's importer reads from a mesh file, or -1 when it cannot
// read it.
int AssimpFaces(const QString& path)
{
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(QFile::encodeName(path).toStdString(), 0);
    if (!scene)
        return -1;
    int faces = 0;
    for (unsigned i = 0; i < scene->mNumMeshes; ++i)
        faces += int(scene->mMeshes[i]->mNumFaces);
    return faces;
}

// A write that fails for want of space (the kernel's full device does, with
// no privilege needed) is told as such, in the interface's language.
TEST(FileReasons, AFullDeviceSaysSo)
{
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    ASSERT_EQ(full.write("a few bytes, held back until the flush"), 38);
    EXPECT_FALSE(full.flush());
    EXPECT_EQ(FileErrorText::OfFailedCall(full), QStringLiteral("ディスクに空きがありません"));
}

class CommandLineTest : public ::testing::Test {
protected:
    QString Temp(const QString& name) const { return m_dir.filePath(name); }
    QStringList Files(const QString& folder = {}) const
    {
        return QDir(Temp(folder)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name);
    }
    QString WriteModel(const QString& name) { return WriteModelFile(Temp(name), kCubes); }
    // cut: bytes missing at the end.
    QString WriteVox(const QString& name, int cut = 0)
    {
        return WriteVoxFile(Temp(name), ModelData{4, 4, 4, {kCubes.begin(), kCubes.end()}}, cut);
    }

private:
    QTemporaryDir m_dir;
};

TEST(CommandLineArguments, ToolOrEditorAndWhatTheToolIsAskedToDo)
{
    using Mode = CommandLine::Request::Mode;
    const auto args = [](std::initializer_list<const char*> list) {
        QStringList a{QStringLiteral("miravel")};
        for (const char* s : list)
            a << QString::fromUtf8(s);
        return a;
    };
    // The editor's command lines stay the editor's; "--" ends the options.
    for (const auto& [editor, file] : {std::pair{args({}), ""}, {args({"model.mvf"}), "model.mvf"},
                                       {args({"-platform", "xcb", "--style=fusion", "model.mvf"}), "model.mvf"},
                                       {args({"--", "--help"}), "--help"}}) {
        EXPECT_FALSE(CommandLine::IsToolRun(editor)) << editor.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(CommandLine::EditorFile(editor), QString::fromUtf8(file));
    }
    // Any other option is the converter's, to be refused when unknown.
    for (const QStringList& tool : {args({"model.mvf", "-x"}), args({"-platform", "xcb", "-frobnicate"})})
        EXPECT_TRUE(CommandLine::IsToolRun(tool)) << tool.join(QLatin1Char(' ')).toStdString();

    CommandLine::Request r = CommandLine::Parse(args({"--export=out.GLB", "in.vox"}));
    ASSERT_EQ(r.mode, Mode::Convert);
    ASSERT_EQ(r.jobs.size(), 1u);
    EXPECT_EQ(r.jobs[0].output, QStringLiteral("out.GLB"));
    EXPECT_EQ(r.jobs[0].format, &FileFormats::Get(ExchangeFormat::Glb));

    r = CommandLine::Parse(args({"--export-dir", "d", "--format", "PNG", "--size", "640x480", "a.mvf", "x/b.v1.vox"}));
    ASSERT_EQ(r.mode, Mode::Convert);
    ASSERT_EQ(r.jobs.size(), 2u);
    EXPECT_EQ(r.jobs[1].output, QStringLiteral("d/b.v1.png"));
    EXPECT_EQ(r.jobs[1].thumbnail, 0);

    r = CommandLine::Parse(args({"--thumbnail", "in", "/tmp/out", "128"}));
    ASSERT_EQ(r.jobs.size(), 1u);
    EXPECT_EQ(std::tuple(r.jobs[0].input, r.jobs[0].output, r.jobs[0].thumbnail),
              std::tuple(QStringLiteral("in"), QStringLiteral("/tmp/out"), 128));

    // Operations keep their order, repeats included; --info names inputs only.
    using Op = ModelOperations::Operation;
    r = CommandLine::Parse(args({"--turn", "left", "--move=-2,0,3", "--fit", "--turn=right", "--crop", "0,1,2,3,4,5",
                                 "--flip", "z", "--info", "--json", "a.mvf", "b.vox"}));
    ASSERT_EQ(r.mode, Mode::Info);
    EXPECT_TRUE(r.json);
    EXPECT_EQ(r.jobs.size(), 2u);
    EXPECT_EQ(r.operations, (std::vector<Op>{{Op::Kind::TurnLeft}, {Op::Kind::Move, {-2, 0, 3}}, {Op::Kind::Fit},
                                             {Op::Kind::TurnRight}, {Op::Kind::Crop, {0, 1, 2, 3, 4, 5}},
                                             {Op::Kind::FlipZ}}));

    // One of each kind of mistake: format, inputs, options that need or
    // exclude each other, size, unknown option, an operation's value.
    for (auto bad : {args({"--export", "out.xyz", "in.mvf"}), args({"--export", "out.glb", "a.mvf", "b.mvf"}),
                     args({"--export-dir", "d", "--format", "x.glb", "a.mvf"}), args({"--export-dir", "d", "--format", "glb"}),
                     args({"--export-dir", "d", "a.mvf"}), args({"--export", "o.glb", "--export-dir", "d", "a.mvf"}),
                     args({"--size", "0x10", "--export", "o.png", "a.mvf"}), args({"--export", "o.glb", "--bogus", "a.mvf"}),
                     args({"--thumbnail", "a.mvf", "o"}), args({"--thumbnail", "a.mvf", "o", "0"}),
                     args({"--thumbnail", "a.mvf", "o", "64", "--size", "8x8"}), args({"--fit", "a.mvf"}),
                     args({"--fit", "--thumbnail", "a.mvf", "o", "64"}), args({"--info", "--export", "o.glb", "a.mvf"}),
                     args({"--json", "--export", "o.glb", "a.mvf"}), args({"--turn", "up", "--info", "a.mvf"}),
                     args({"--flip", "y", "--info", "a.mvf"}), args({"--move=1,2", "--info", "a.mvf"}),
                     args({"--resize", "1,2,x", "--info", "a.mvf"}), args({"--crop", "0,0,0,1,1", "--info", "a.mvf"}),

                     args({"--palette", "p.xyz", "--export", "o.vox", "a.mvf"}), args({"--export-palette", "o.gpl"}),
                     args({"--export-palette", "o.gpl", "--palette", "p.hex", "a.mvf"}), args({"--export-palette", "o.vox", "a.mvf"})}) {
        r = CommandLine::Parse(bad);
        EXPECT_EQ(r.mode, Mode::Error) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_FALSE(r.error.contains(QLatin1Char('\n')));
    }
}

TEST_F(CommandLineTest, HelpVersionAndAWrongCommandLine)
{
    const ProgramRun help = Miravel({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--export-dir DIR --format FORMAT")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--thumbnail IN OUT SIZE")));
    const ProgramRun version = Miravel({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("MIRA-VEL 1.1\n"));
    // An unknown option on a display: the usage error, in English, and no
    // window (the run would not end). The other mistakes take Parse's way.
    const ProgramRun unknown = Miravel({QStringLiteral("--frobnicate")}, false);
    EXPECT_EQ(unknown.exitCode, CommandLine::kExitUsage);
    EXPECT_EQ(unknown.ErrLines(), (QStringList{QStringLiteral("miravel: Unknown option 'frobnicate'."),
                                               QStringLiteral("Try 'miravel --help'.")}));
    // The editor where no display answers, or none is set: one line, and
    // status 1 rather than the toolkit's abort.
    for (const QStringList& environment : {QStringList{QStringLiteral("DISPLAY=:987654")}, QStringList{}}) {
        const ProgramRun editor = Miravel({WriteModel(QStringLiteral("in.mvf"))}, true, QStringLiteral("C.UTF-8"), environment);
        EXPECT_EQ(editor.exitCode, 1);
        ASSERT_EQ(editor.ErrLines().size(), 1) << editor.err.toStdString();
        EXPECT_TRUE(editor.err.startsWith(QStringLiteral("miravel: cannot open the editor's window: "))) << editor.err.toStdString();
    }
    EXPECT_EQ(Files(), QStringList{QStringLiteral("in.mvf")});
}

// Each operation gives the model the editor's own tools give it: the tool
// menu's turn, flip and fit, one-cell moves for a move, a grid size (a large
// one too), and a crop as a user makes it by hand (erase, move, resize).
TEST_F(CommandLineTest, OperationsDoWhatTheEditorsToolsDoInTheOrderGiven)
{
    const Cells cubes = {{{1, 0, 1}, kTeal}, {{3, 2, 1}, kRed}, {{2, 1, 3}, kTeal}};
    const auto model = [&](CMiravelDoc& doc) {
        doc.SetGridSize(6, 4, 5);
        for (const auto& [pos, colour] : cubes)
            doc.SetCube(pos.x, pos.y, pos.z, colour);
    };
    CMiravelDoc in;
    model(in);
    ASSERT_TRUE(in.OnSaveDocument(Temp(QStringLiteral("in.mvf"))).ok);
    const auto apply = [](CMiravelDoc& doc, const std::optional<ModelTools::Edit>& edit) {
        ASSERT_TRUE(edit);
        ModelTools::Apply(doc, *edit);
    };
    const struct {
        QStringList args;
        std::function<void(CMiravelDoc&)> editor;
    } rows[] = {
        {{"--turn", "right", "--flip", "x", "--fit"},
         [&](auto& d) { apply(d, ModelTools::Turn(d, true)); apply(d, ModelTools::Flip(d, 0)); apply(d, ModelTools::FitGrid(d)); }},
        {{"--flip", "z", "--turn", "left"},
         [&](auto& d) { apply(d, ModelTools::Flip(d, 2)); apply(d, ModelTools::Turn(d, false)); }},
        {{"--move=2,-0,-1"}, [&](auto& d) { for (auto step : {std::tuple(1, 0, 0), {1, 0, 0}, {0, 0, -1}})
                                                apply(d, ModelTools::Move(d, std::get<0>(step), std::get<1>(step), std::get<2>(step))); }},
        {{"--resize", "200,3,200"}, [](auto& d) { d.SetGridSize(200, 3, 200); }},
        {{"--crop", "2,1,1,3,2,4"}, [&](auto& d) {
             d.RemoveCube(1, 0, 1);
             for (auto step : {std::tuple(-1, 0, 0), {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}})
                 apply(d, ModelTools::Move(d, std::get<0>(step), std::get<1>(step), std::get<2>(step)));
             d.SetGridSize(2, 2, 4);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.join(QLatin1Char(' ')).toStdString());
        const QString out = Temp(QStringLiteral("out.mvf"));
        const ProgramRun r = Miravel(row.args + QStringList{QStringLiteral("--export"), out, Temp(QStringLiteral("in.mvf"))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        CMiravelDoc editor, written;
        model(editor);
        row.editor(editor);
        ASSERT_TRUE(written.OnOpenDocument(out).ok);
        EXPECT_EQ(ModelFromDocument(written), ModelFromDocument(editor));
    }

    // Refusals name the file and write nothing for it; the batch goes on.
    // --info then tells what the operations made.
    const QString edge = WriteModelFile(Temp(QStringLiteral("edge.mvf")), {{{3, 3, 0}, kRed}});
    for (const auto& [op, both] : {std::pair("--move=1,0,0", false), {"--crop=0,0,0,4,1,1", false},
                                   {"--resize=4,3,4", false}, {"--resize=5,0,5", true}}) {
        const ProgramRun r = Miravel({QLatin1String(op), QStringLiteral("--export-dir"), Temp(QStringLiteral("d")),
                                      QStringLiteral("--format"), QStringLiteral("vox"), Temp(QStringLiteral("in.mvf")), edge});
        EXPECT_EQ(r.exitCode, 1) << op;
        ASSERT_EQ(r.ErrLines().size(), both ? 2 : 1) << op << r.err.toStdString();
        EXPECT_TRUE(r.ErrLines().constLast().startsWith(edge + QStringLiteral(": "))) << r.err.toStdString();
        EXPECT_EQ(Files(QStringLiteral("d")), both ? QStringList{} : QStringList{QStringLiteral("in.vox")}) << op;
        QDir(Temp(QStringLiteral("d"))).removeRecursively();
    }
    const ProgramRun json = Miravel({QStringLiteral("--flip=x"), QStringLiteral("--info"), QStringLiteral("--json"), edge,
                                     WriteModelFile(Temp(QStringLiteral("empty.mvf")), {})});
    EXPECT_EQ(json.exitCode, 0);
    const QJsonArray models = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(models.size(), 2);
    EXPECT_EQ(models[0].toObject().value(QStringLiteral("box")).toObject().value(QStringLiteral("from")).toArray(),
              (QJsonArray{0, 3, 0}));
    EXPECT_EQ(models[1].toObject().value(QStringLiteral("box")), QJsonValue(QJsonValue::Null));
    const ProgramRun line = Miravel({QStringLiteral("--fit"), QStringLiteral("--info"), Temp(QStringLiteral("in.mvf"))});
    EXPECT_EQ(line.out, Temp(QStringLiteral("in.mvf")) + QStringLiteral(": grid 3×3×3, 3 cubes, 2 colours, cubes from 0,0,0 to 2,2,2\n"));
}

TEST_F(CommandLineTest, ModelAndMeshFormatsWithoutADisplay)
{
    // Each writer is the exchange tests' business; here the converter's way
    // from each reader to the model writers and to a mesh.
    const QString mvf = WriteModel(QStringLiteral("in.mvf"));
    const QString vox = WriteVox(QStringLiteral("in.vox"));
    const auto convert = [&](const QString& in, const char* out) {
        const ProgramRun r = Miravel({QStringLiteral("--export"), Temp(QLatin1String(out)), in});
        EXPECT_EQ(r.exitCode, 0) << out << " " << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        return Temp(QLatin1String(out));
    };
    // A .vox's grid is its cubes' bounding box: the same cubes. (The batch
    // test writes .vox from a model file.)
    EXPECT_EQ(ModelCells(convert(vox, "back.mvf")), kCubes);
    // A grid only the large limit allows, out to a .vox scene and back.
    const Cells corners{{{0, 0, 0}, kTeal}, {{1023, 0, 63}, kRed}};
    CMiravelDoc large;
    large.SetGridSize(1024, 1, 64);
    large.m_cubes = StoreOf(corners);
    ASSERT_TRUE(large.OnSaveDocument(Temp(QStringLiteral("large.mvf"))).ok);
    EXPECT_EQ(ModelCells(convert(convert(Temp(QStringLiteral("large.mvf")), "large.vox"), "large-back.mvf")), corners);
    // Two single cubes apart: at least their six faces each.
    EXPECT_GE(AssimpFaces(convert(mvf, "out.glb")), 12);
    EXPECT_GE(AssimpFaces(convert(vox, "out.stl")), 12);
    // Remapped to a palette file; a model's colours as one, most used first
    // (here equally used: in colour order); a palette that does not read
    // stops the run before anything is written.
    const QString hex = Temp(QStringLiteral("p.hex"));
    ASSERT_TRUE(WriteBytes(hex, "ff0000\n008000\n"));
    const ProgramRun remapped = Miravel({QStringLiteral("--palette"), hex, QStringLiteral("--export"), Temp(QStringLiteral("r.mvf")), mvf});
    EXPECT_EQ(remapped.exitCode, 0) << remapped.err.toStdString();
    EXPECT_EQ(ModelCells(Temp(QStringLiteral("r.mvf"))), (Cells{{{0, 0, 0}, RGB(0, 128, 0)}, {{3, 1, 2}, kRed}}));
    EXPECT_EQ(Miravel({QStringLiteral("--export-palette"), Temp(QStringLiteral("m.gpl")), mvf}).exitCode, 0);
    EXPECT_TRUE(ReadAll(Temp(QStringLiteral("m.gpl"))).endsWith("255   0   0\t#FF0000\n  0 128 128\t#008080\n"));
    ASSERT_TRUE(WriteBytes(hex, "ff0000\nnonsense\n"));
    const ProgramRun badPalette = Miravel({QStringLiteral("--palette"), hex, QStringLiteral("--export"), Temp(QStringLiteral("s.mvf")), mvf});
    EXPECT_EQ(badPalette.exitCode, CommandLine::kExitFailed);
    EXPECT_EQ(badPalette.ErrLines().size(), 1);
    EXPECT_TRUE(badPalette.err.startsWith(hex + QStringLiteral(": ")));
    EXPECT_FALSE(QFile::exists(Temp(QStringLiteral("s.mvf"))));
    // Where GL cannot start (here: no EGL driver to be found), a picture
    // is one line naming the file, and nothing is written.
    const ProgramRun png = Miravel({QStringLiteral("--export"), Temp(QStringLiteral("p.png")), mvf}, true, QStringLiteral("C.UTF-8"),
                                   {QStringLiteral("__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json")});
    EXPECT_EQ(png.exitCode, CommandLine::kExitFailed);
    ASSERT_EQ(png.ErrLines().size(), 1) << png.err.toStdString();
    EXPECT_TRUE(png.err.startsWith(Temp(QStringLiteral("p.png")) + QStringLiteral(": ディスプレイなしで OpenGL を始められません: ")))
        << png.err.toStdString();
    EXPECT_FALSE(QFile::exists(Temp(QStringLiteral("p.png"))));
}

// The thumbnailer's entry run as a file manager runs it: its Exec line with
// the input, output and size put in, the program found as on the PATH, no
// display. The input is named by its content type, not by an extension.
TEST_F(CommandLineTest, ThumbnailsAsAFileManagerAsksForThem)
{
    QFile entry(QStringLiteral(MIRAVEL_SOURCE_DIR "/desktop/miravel.thumbnailer.in"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList exec;
    for (const QString& line : QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Exec=")))
            exec = line.mid(5).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_GE(exec.size(), 2);
    ASSERT_EQ(exec.takeFirst(), QStringLiteral("miravel"));

    const auto thumbnail = [&](const QString& input, int size) {
        QStringList args = exec;
        for (QString& arg : args)
            arg.replace(QStringLiteral("%i"), input)
                .replace(QStringLiteral("%o"), Temp(QStringLiteral("thumb")))
                .replace(QStringLiteral("%s"), QString::number(size));
        const ProgramRun r = Miravel(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QImage(Temp(QStringLiteral("thumb")), "PNG");
    };
    // A solid block (one red cube in teal) placed away from the grid's
    // origin: the view of its box fills the square, less the edges' margin,
    // on a transparent background.
    ModelData block{9, 9, 9, {}};
    for (int x = 5; x < 8; ++x)
        for (int y = 2; y < 4; ++y)
            for (int z = 1; z < 3; ++z)
                block.cubes.Set({x, y, z}, x == 7 && y == 3 ? kRed : kTeal);
    const QImage image = thumbnail(WriteVoxFile(Temp(QStringLiteral("block")), block), 96);
    ASSERT_EQ(image.size(), QSize(96, 96));
    ASSERT_TRUE(image.hasAlphaChannel());
    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                drawn |= QRect(x, y, 1, 1);
    EXPECT_GE(std::max(drawn.width(), drawn.height()), 90) << drawn.width() << "x" << drawn.height();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_GT(CountPixels(image, IsTealShade), 100);
    EXPECT_GT(CountPixels(image, [](QRgb c) { return qAlpha(c) == 255 && qRed(c) > 100 && qGreen(c) < 40; }), 100);

    // A grid without cubes, and more cubes than are drawn: the outline of
    // the box, nothing of a cube's colour.
    const auto seen = [](QRgb c) { return qAlpha(c) > 0; };
    const QImage empty = thumbnail(WriteModelFile(Temp(QStringLiteral("empty.mvf")), {}), 32);
    ASSERT_EQ(empty.size(), QSize(32, 32));
    EXPECT_GT(CountPixels(empty, seen), 30);
    EXPECT_EQ(CountPixels(empty, IsTealShade), 0);
    ModelData many{64, 64, 65, {}};
    for (int i = 0; i <= ThumbnailPicture::kMostCubesDrawn; ++i)
        many.cubes.Set({i % 64, i / 64 % 64, i / 4096}, kTeal);
    const QImage outline = ThumbnailPicture::Render(many, 32).image;
    EXPECT_GT(CountPixels(outline, seen), 30);
    EXPECT_EQ(CountPixels(outline, IsTealShade), 0);
}

TEST_F(CommandLineTest, RefusedInputsAndOutputsLeaveNothingBehindAndSayWhy)
{
    const QString mvf = WriteModel(QStringLiteral("in.mvf"));
    const QString cut = WriteVox(QStringLiteral("cut.vox"), 9);
    ASSERT_TRUE(QDir(Temp({})).mkdir(QStringLiteral("folder.glb")));
    ASSERT_TRUE(QFile::link(Temp(QStringLiteral("loop")), Temp(QStringLiteral("loop"))));
    const QString existing = Temp(QStringLiteral("kept.glb"));
    ASSERT_TRUE(WriteBytes(existing, "an older export"));
    const QStringList before = Files();

    using namespace ConvertTexts;
    const auto native = [](const QString& path) { return QDir::toNativeSeparators(path); };
    struct Case {
        QString out, in, named, says;
    } cases[] = {
        {existing, cut, cut, QStringLiteral("MAIN")},
        {existing, Temp(QStringLiteral("missing.mvf")), Temp(QStringLiteral("missing.mvf")), NoSuchFile()},
        {Temp(QStringLiteral("folder.glb")), mvf, Temp(QStringLiteral("folder.glb")), OutputIsFolder()},
        {Temp(QStringLiteral("o.glb")), Temp(QStringLiteral("folder.glb")), Temp(QStringLiteral("folder.glb")), InputIsFolder()},
        {Temp(QStringLiteral("nowhere/o.stl")), mvf, Temp(QStringLiteral("nowhere/o.stl")), FolderMissing(native(Temp(QStringLiteral("nowhere"))))},
        {mvf + QStringLiteral("/o.stl"), mvf, mvf + QStringLiteral("/o.stl"), FolderIsFile(native(mvf))},
        {Temp(QStringLiteral("loop/o.stl")), mvf, Temp(QStringLiteral("loop/o.stl")), LinkLoop(native(Temp(QStringLiteral("loop"))))},
        {Temp(QStringLiteral("o.stl")), QStringLiteral("/dev/zero"), QStringLiteral("/dev/zero"), NotRegularFile()},
    };
    for (const Case& c : cases) {
        const ProgramRun r = Miravel({QStringLiteral("--export"), c.out, c.in});
        EXPECT_EQ(r.exitCode, CommandLine::kExitFailed) << c.in.toStdString();
        ASSERT_EQ(r.ErrLines().size(), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(c.named + QStringLiteral(": "))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(Files(), before);
    }
    EXPECT_EQ(ReadAll(existing), QByteArray("an older export"));

    // An output folder that cannot be, and the reasons in English where the
    // desktop speaks it.
    const ProgramRun intoFile = Miravel({QStringLiteral("--export-dir"), mvf, QStringLiteral("--format"), QStringLiteral("vox"), mvf});
    EXPECT_EQ(intoFile.ErrLines(), QStringList{mvf + QStringLiteral(": ") + FolderIsFile(native(mvf))});
    const ProgramRun english = Miravel({QStringLiteral("--export"), existing, Temp(QStringLiteral("missing.mvf"))}, true,
                                       QStringLiteral("en_US.UTF-8"));
    EXPECT_EQ(english.ErrLines(), QStringList{Temp(QStringLiteral("missing.mvf")) + QStringLiteral(": no such file")});
    EXPECT_EQ(Files(), before);
}

// A batch goes on past what it refuses: outputs that are inputs (the run's
// own or another job's, by name or through a hard link), a damaged input,
// and a second input that would give the first one's output.
TEST_F(CommandLineTest, ABatchNeverWritesOverItsInputsAndGoesOnPastWhatFails)
{
    const QString good = WriteModel(QStringLiteral("good.mvf"));
    const QString clash = WriteVox(QStringLiteral("good.vox"));
    const QString bad = WriteVox(QStringLiteral("bad.vox"), 9);
    ASSERT_TRUE(QDir(Temp({})).mkpath(QStringLiteral("a")) && QDir(Temp({})).mkpath(QStringLiteral("od")));
    const QString aVox = WriteVox(QStringLiteral("a/m.vox"));
    const QString odVox = Temp(QStringLiteral("od/m.vox"));
    ASSERT_TRUE(WriteBytes(odVox, ReadAll(aVox) + "kept"));
    const QString hard = Temp(QStringLiteral("od/h.vox"));
    ASSERT_EQ(::link(QFile::encodeName(good).constData(), QFile::encodeName(Temp(QStringLiteral("h.mvf"))).constData()), 0);
    ASSERT_EQ(::link(QFile::encodeName(aVox).constData(), QFile::encodeName(hard).constData()), 0);
    std::map<QString, QByteArray> inputs;
    for (const QString& in : {good, aVox, odVox})
        inputs[in] = ReadAll(in);

    // The line names the job's input, its output and the input that is.
    const auto refusal = [](const QString& job, const QString& output, const QString& input) {
        return job + QStringLiteral(": ") + ConvertTexts::OutputIsInput(output, input);
    };
    const ProgramRun r = Miravel({QStringLiteral("--export-dir"), Temp(QStringLiteral("od")), QStringLiteral("--format"),
                                  QStringLiteral("vox"), aVox, odVox, bad, good, clash, Temp(QStringLiteral("h.mvf"))});
    EXPECT_EQ(r.exitCode, CommandLine::kExitFailed);
    const QStringList lines = r.ErrLines();
    ASSERT_EQ(lines.size(), 5) << r.err.toStdString();
    EXPECT_EQ(lines[0], refusal(aVox, odVox, odVox));
    EXPECT_EQ(lines[1], refusal(odVox, odVox, odVox));
    EXPECT_TRUE(lines[2].startsWith(bad + QStringLiteral(": ")));
    EXPECT_EQ(lines[3], clash + QStringLiteral(": ") + ConvertTexts::SameOutput(Temp(QStringLiteral("od/good.vox")), good));
    EXPECT_EQ(lines[4], refusal(Temp(QStringLiteral("h.mvf")), hard, aVox));
    EXPECT_EQ(Files(QStringLiteral("od")), (QStringList{QStringLiteral("good.vox"), QStringLiteral("h.vox"), QStringLiteral("m.vox")}));
    EXPECT_EQ(ModelCells(Temp(QStringLiteral("h.mvf"))), kCubes);
    EXPECT_TRUE(ReadVoxFile(Temp(QStringLiteral("od/good.vox"))).ok);
    for (const auto& [path, bytes] : inputs)
        EXPECT_EQ(ReadAll(path), bytes) << path.toStdString();
}

} // namespace
