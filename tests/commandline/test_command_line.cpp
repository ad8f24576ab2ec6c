// The command line: how arguments are read, and the built program run as a
// converter, without any display for the model and mesh formats and on the
// test's X display for pictures. Outputs are read back with our readers and
// with Assimp's importer, which nobody here wrote.
#include "commandline/CommandLine.h"
#include "commandline/ConvertTexts.h"
#include "model/FileErrorText.h"
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

#include <unistd.h>

namespace {

const Cells kCubes = {{{0, 0, 0}, kTeal}, {{3, 1, 2}, kRed}};

struct ProgramRun {
    int exitCode = -1;
    QString out, err;
    QStringList ErrLines() const { return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

// The program with the given arguments; headless: nothing in the
// environment that would lead Qt to a display. Its language is the
// desktop's (LANG), with no stored choice of its own.
ProgramRun Miravel(const QStringList& args, bool headless = true, const QString& lang = QStringLiteral("C.UTF-8"))
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QTemporaryDir config;
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("LANG"), lang);
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QString::fromLatin1(name));
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

    // One of each kind of mistake: format, inputs, options that need or
    // exclude each other, size, unknown option.
    for (auto bad : {args({"--export", "out.xyz", "in.mvf"}), args({"--export", "out.glb", "a.mvf", "b.mvf"}),
                     args({"--export-dir", "d", "--format", "x.glb", "a.mvf"}), args({"--export-dir", "d", "--format", "glb"}),
                     args({"--export-dir", "d", "a.mvf"}), args({"--export", "o.glb", "--export-dir", "d", "a.mvf"}),
                     args({"--size", "0x10", "--export", "o.png", "a.mvf"}), args({"--export", "o.glb", "--bogus", "a.mvf"}),
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
    EXPECT_TRUE(help.out.contains(QStringLiteral("X display")));
    const ProgramRun version = Miravel({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("MIRA-VEL 1.1\n"));
    // An unknown option on a display: the usage error, in English, and no
    // window (the run would not end). The other mistakes take Parse's way.
    const ProgramRun unknown = Miravel({QStringLiteral("--frobnicate")}, false);
    EXPECT_EQ(unknown.exitCode, CommandLine::kExitUsage);
    EXPECT_EQ(unknown.ErrLines(), (QStringList{QStringLiteral("miravel: Unknown option 'frobnicate'."),
                                               QStringLiteral("Try 'miravel --help'.")}));
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
    // A picture needs a display: said in one line, nothing written.
    const ProgramRun png = Miravel({QStringLiteral("--export"), Temp(QStringLiteral("p.png")), mvf});
    EXPECT_EQ(png.exitCode, CommandLine::kExitFailed);
    EXPECT_EQ(png.ErrLines(), QStringList{Temp(QStringLiteral("p.png")) + QStringLiteral(": ") + ConvertTexts::NeedsDisplay()});
    EXPECT_FALSE(QFile::exists(Temp(QStringLiteral("p.png"))));
}

TEST_F(CommandLineTest, PicturesOfTheDefaultViewOnTheDisplay)
{
    const QString mvf = WriteModel(QStringLiteral("in.mvf"));
    const ProgramRun r = Miravel({QStringLiteral("--export-dir"), Temp(QStringLiteral("pictures")), QStringLiteral("--format"),
                           QStringLiteral("png"), QStringLiteral("--size"), QStringLiteral("320x200"), mvf},
                          false);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage png(Temp(QStringLiteral("pictures/in.png")));
    ASSERT_EQ(png.size(), QSize(320, 200));
    EXPECT_GT(CountPixels(png, IsTealShade), 20);
    EXPECT_EQ(png.pixel(1, 1), qRgb(0, 0, 0));  // the default background
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
