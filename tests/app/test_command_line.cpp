// The command line: how arguments are read, and the built program run as a
// converter, without any display for the model and mesh formats and on the
// test's X display for pictures. Outputs are read back with our readers and
// with Assimp's importer, which nobody here wrote.
#include "app/CommandLine.h"
#include "tests/app/ExchangeTestFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <map>

namespace {

const Cells kCubes = {{{0, 0, 0}, kTeal}, {{3, 1, 2}, kRed}};

struct ProgramRun {
    int exitCode = -1;
    QString out, err;
    QStringList ErrLines() const { return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

// The program with the given arguments; headless: nothing in the
// environment that would lead Qt to a display.
ProgramRun Miravel(const QStringList& args, bool headless = true)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (headless) {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
    } else {
        // The GL driver's leftovers at exit defeat the leak check; the same
        // drawing runs in-process in the editor's tests with it on.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    }
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MIRAVEL_EXECUTABLE), args);
    ProgramRun r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

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
    // The editor's command lines stay the editor's.
    for (const QStringList& editor : {args({}), args({"model.mvf"}), args({"-platform", "xcb", "model.mvf"}), args({"--", "--help"})})
        EXPECT_FALSE(CommandLine::IsToolRun(editor)) << editor.join(QLatin1Char(' ')).toStdString();

    CommandLine::Request r = CommandLine::Parse(args({"--export=out.GLB", "in.vox"}));
    ASSERT_EQ(r.mode, Mode::Convert);
    ASSERT_EQ(r.jobs.size(), 1u);
    EXPECT_EQ(r.jobs[0].output, QStringLiteral("out.GLB"));
    EXPECT_EQ(r.jobs[0].format, ExchangeFormat::Glb);

    r = CommandLine::Parse(args({"--export-dir", "d", "--format", "PNG", "--size", "640x480", "a.mvf", "x/b.v1.vox"}));
    ASSERT_EQ(r.mode, Mode::Convert);
    ASSERT_EQ(r.jobs.size(), 2u);
    EXPECT_EQ(r.jobs[1].output, QStringLiteral("d/b.v1.png"));

    // One of each kind of mistake: format, inputs, options that need or
    // exclude each other, size, unknown option.
    for (auto bad : {args({"--export", "out.xyz", "in.mvf"}), args({"--export", "out.glb", "a.mvf", "b.mvf"}),
                     args({"--export-dir", "d", "--format", "x.glb", "a.mvf"}), args({"--export-dir", "d", "--format", "glb"}),
                     args({"--export-dir", "d", "a.mvf"}), args({"--export", "o.glb", "--export-dir", "d", "a.mvf"}),
                     args({"--size", "0x10", "--export", "o.png", "a.mvf"}), args({"--export", "o.glb", "--bogus", "a.mvf"})}) {
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
    EXPECT_TRUE(help.out.contains(QStringLiteral("X display")));
    const ProgramRun version = Miravel({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("MIRA-VEL 1.1\n"));
    const ProgramRun wrong = Miravel({QStringLiteral("--export"), Temp(QStringLiteral("o.glb"))});
    EXPECT_EQ(wrong.exitCode, CommandLine::kExitUsage);
    EXPECT_FALSE(wrong.err.isEmpty());
    EXPECT_TRUE(Files().isEmpty());
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
    // A .vox's grid is its cubes' bounding box: the same cubes.
    EXPECT_EQ(ModelCells(convert(vox, "back.mvf")), kCubes);
    const VoxReadResult back = ReadVoxFile(convert(mvf, "out.vox"));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.model.cubes.size(), kCubes.size());
    // Two single cubes apart: at least their six faces each.
    EXPECT_GE(AssimpFaces(convert(mvf, "out.glb")), 12);
    EXPECT_GE(AssimpFaces(convert(vox, "out.stl")), 12);
    // A picture needs a display: said in one line, nothing written.
    const ProgramRun png = Miravel({QStringLiteral("--export"), Temp(QStringLiteral("p.png")), mvf});
    EXPECT_EQ(png.exitCode, CommandLine::kExitFailed);
    ASSERT_EQ(png.ErrLines().size(), 1);
    EXPECT_TRUE(png.err.contains(QStringLiteral("display")));
    EXPECT_FALSE(QFile::exists(Temp(QStringLiteral("p.png"))));
}

TEST_F(CommandLineTest, PicturesOfTheDefaultViewOnTheDisplay)
{
    const QString mvf = WriteModel(QStringLiteral("in.mvf"));
    const QString vox = WriteVox(QStringLiteral("in.vox"));
    const ProgramRun r = Miravel({QStringLiteral("--export-dir"), Temp(QStringLiteral("pictures")), QStringLiteral("--format"),
                           QStringLiteral("png"), QStringLiteral("--size"), QStringLiteral("320x200"), mvf},
                          false);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage png(Temp(QStringLiteral("pictures/in.png")));
    ASSERT_EQ(png.size(), QSize(320, 200));
    EXPECT_GT(CountPixels(png, IsTealShade), 20);
    EXPECT_EQ(png.pixel(1, 1), qRgb(0, 0, 0));  // the default background

    // Another picture format, from a .vox, at the default size.
    const ProgramRun o = Miravel({QStringLiteral("--export"), Temp(QStringLiteral("v.bmp")), vox}, false);
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(QImage(Temp(QStringLiteral("v.bmp"))).size(), QSize(800, 600));
}

TEST_F(CommandLineTest, RefusedInputsAndOutputsLeaveNothingBehind)
{
    const QString mvf = WriteModel(QStringLiteral("in.mvf"));
    const QString cut = WriteVox(QStringLiteral("cut.vox"), 9);
    ASSERT_TRUE(QDir(Temp({})).mkdir(QStringLiteral("folder.glb")));
    const QString existing = Temp(QStringLiteral("kept.glb"));
    ASSERT_TRUE(WriteBytes(existing, "an older export"));
    const QStringList before = Files();

    struct Case {
        QString out, in, named;
    } cases[] = {
        {existing, cut, cut},
        {existing, Temp(QStringLiteral("missing.mvf")), Temp(QStringLiteral("missing.mvf"))},
        {Temp(QStringLiteral("folder.glb")), mvf, Temp(QStringLiteral("folder.glb"))},
        {Temp(QStringLiteral("o.glb")), Temp(QStringLiteral("folder.glb")), Temp(QStringLiteral("folder.glb"))},
        {Temp(QStringLiteral("nowhere/o.stl")), mvf, Temp(QStringLiteral("nowhere/o.stl"))},
        {Temp(QStringLiteral("o.stl")), QStringLiteral("/dev/zero"), QStringLiteral("/dev/zero")},
    };
    for (const Case& c : cases) {
        const ProgramRun r = Miravel({QStringLiteral("--export"), c.out, c.in});
        EXPECT_EQ(r.exitCode, CommandLine::kExitFailed) << c.in.toStdString();
        ASSERT_EQ(r.ErrLines().size(), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(c.named + QStringLiteral(": "))) << r.err.toStdString();
        EXPECT_EQ(Files(), before);
    }
    EXPECT_EQ(ReadAll(existing), QByteArray("an older export"));
}

TEST_F(CommandLineTest, ABatchGoesOnPastABadFileAndReportsIt)
{
    const QString a = WriteModel(QStringLiteral("a.mvf"));
    const QString bad = WriteVox(QStringLiteral("bad.vox"), 9);
    const QString c = WriteVox(QStringLiteral("c.vox"));
    const QString clash = WriteVox(QStringLiteral("a.vox"));  // a.glb again
    const QString out = Temp(QStringLiteral("out/meshes"));
    const ProgramRun r = Miravel({QStringLiteral("--export-dir"), out, QStringLiteral("--format"), QStringLiteral("glb"), a, bad,
                           c, clash});
    EXPECT_EQ(r.exitCode, CommandLine::kExitFailed);
    const QStringList lines = r.ErrLines();
    ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith(bad + QStringLiteral(": ")));
    EXPECT_TRUE(lines[1].startsWith(clash + QStringLiteral(": ")));
    EXPECT_EQ(Files(QStringLiteral("out/meshes")), (QStringList{QStringLiteral("a.glb"), QStringLiteral("c.glb")}));
    EXPECT_GE(AssimpFaces(out + QStringLiteral("/a.glb")), 12);
    EXPECT_GE(AssimpFaces(out + QStringLiteral("/c.glb")), 12);
}

} // namespace
