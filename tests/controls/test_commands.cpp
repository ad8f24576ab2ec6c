// The command table without a window: every name, the limits of its state
// changes, the nested commands, the questions and the swatch rules. (Single
// steps through keys, buttons and the mouse are checked on the real view.)
#include "controls/ButtonCatalogue.h"
#include "controls/CommandDispatcher.h"
#include "controls/CommandUi.h"
#include "i18n/Language.h"
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"
#include "tests/support/CubeCells.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace {

// A window stand-in: answers dialogs with what the test put in (nullopt
// cancels), and logs every question, message, menu, dialog and export in order.
class FakeCommandUi : public ICommandUi {
public:
    explicit FakeCommandUi(CViewState& view) : m_view(view)
    {
        for (int i = 0; i < 16; ++i)
            swatches[ButtonColor1 + i] = kInitialPalette[size_t(i)];
    }
    std::optional<COLORREF> colorAnswer;
    std::optional<std::tuple<std::int32_t, std::int32_t, std::int32_t>> sizeAnswer, largeAnswer;
    std::optional<std::tuple<double, double, double>> rateAnswer;
    std::optional<double> widthAnswer;
    std::optional<QString> pathAnswer;
    bool confirmAnswer = false, browserStarts = true;

    int viewInvalidations = 0, childInvalidations = 0, layouts = 0, rebuilds = 0, fits = 0;
    std::map<int, COLORREF> swatches;
    std::vector<QString> log;

    void InvalidateView() override { ++viewInvalidations; }
    void InvalidateButton(int) override {}
    void InvalidateChildren() override { ++childInvalidations; }
    COLORREF Swatch(int id) const override { return swatches.count(id) ? swatches.at(id) : CLR_NONE; }
    void SetSwatch(int id, COLORREF c) override { swatches[id] = c; }
    void ShowControlButtons(bool show) override { m_view.m_prefs.m_showControl = show; }
    void ShowColorButtons(bool show) override { m_view.m_prefs.m_showColor = show; }
    void LayoutButtons() override { ++layouts; }
    void RebuildDisplayLists() override { ++rebuilds; }
    CCameraState fitPose;
    void FitZoom(const CCameraState& pose) override
    {
        ++fits;
        fitPose = pose;
    }
    bool PickColor(COLORREF& c) override { return Answer(colorAnswer, c); }
    bool Confirm(const QString& q) override { return Log("ask " + q, confirmAnswer); }
    void Warn(const QString& m) override { Log("warn " + m); }
    bool RunCubeSizeDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z) override
    {
        return Answer(sizeAnswer, std::tie(x, y, z));
    }
    bool RunLargeGridDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z) override
    {
        return Log(QStringLiteral("large grid %1").arg(x)) && Answer(largeAnswer, std::tie(x, y, z));
    }
    WorkProgress LongWork(bool) override { return {}; }
    void SetClipboard(const std::vector<std::pair<QString, QByteArray>>& content) override { clipboard = content; }
    QByteArray ClipboardData(const QString& type) const override
    {
        for (const auto& [t, bytes] : clipboard)
            if (t == type)
                return bytes;
        return {};
    }
    std::vector<std::pair<QString, QByteArray>> clipboard;
    bool RunCubeRateDialog(double& x, double& y, double& z) override { return Answer(rateAnswer, std::tie(x, y, z)); }
    bool RunLineWidthDialog(const QString& t, double& w) override { return Log("width " + t) && Answer(widthAnswer, w); }
    bool PromptImagePath(QString& path, const QString& filter, const QString& ext) override
    {
        return Log("save " + filter + " " + ext) && Answer(pathAnswer, path);
    }
    void ShowSettingMenu() override { Log(QStringLiteral("menu Setting")); }
    void ShowScreenShotMenu() override { Log(QStringLiteral("menu ScreenShot")); }
    bool ExportImage(const QString& path, ImageFormat) override { return Log("export " + path); }
    bool OpenUrl(const QString& url) override { return Log("url " + url, browserStarts); }

private:
    bool Log(const QString& entry, bool result = true)
    {
        log.push_back(entry);
        return result;
    }
    // Writes the answer, if any, through value (a reference or a tuple of them).
    template <typename T, typename V>
    static bool Answer(const std::optional<T>& answer, V&& value)
    {
        if (answer)
            value = *answer;
        return answer.has_value();
    }
    CViewState& m_view;
};

using Log = std::vector<QString>;

class Commands : public ::testing::Test {
protected:
    CViewState view;
    CMiravelDoc doc;
    FakeCommandUi ui{view};
    CommandContext ctx{view, &doc, ui};

    bool Run(const char* name) { return CCommandDispatcher::Execute(QString::fromUtf8(name), ctx); }
    template <typename T>
    void Cycle(const char* name, T& field, std::initializer_list<T> expected)
    {
        for (T e : expected) {
            Run(name);
            EXPECT_EQ(field, e) << name;
        }
    }
};

TEST_F(Commands, NamesAreCaseSensitiveAndEveryCommandRuns)
{
    for (const char* n : {"", "Canvas:up", "canvas:Up", "Canvas:Up ", "Cube:Color17", "Cube:Color01", "Image:bmp"})
        EXPECT_FALSE(Run(n)) << n;
    // Every command runs, whatever the dialogs answer, and nothing breaks
    // before a document is attached.
    CommandContext noDoc{view, nullptr, ui};
    for (const CommandRow* row : CommandRegistry::All()) {
        if (row->name) {
            EXPECT_TRUE(Run(row->name)) << row->name;
        }
    }
    ui.confirmAnswer = true;
    ui.sizeAnswer = std::make_tuple(8, 8, 8);
    for (const CommandRow* row : CommandRegistry::All())
        CCommandDispatcher::Execute(row->id, noDoc);
}

TEST_F(Commands, CameraLimitsTheDefaultViewAndButtonGroups)
{
    // Single steps through keys are checked on the real view; here the limits.
    view.m_camera.m_scale = 0.15;
    Cycle("Scale:Down", view.m_camera.m_scale, {0.1, 0.1});
    view.m_camera.m_ratioX = 0.5;
    view.m_camera.m_rotX = 70, view.m_camera.m_rotZ = 3;
    Run("Setting:Default");  // nests the zoom fit, the rotation and the look-at resets
    EXPECT_EQ(ui.fits, 1);
    // The zoom is fitted for the rotation that follows it, with the ratio.
    EXPECT_EQ(std::tie(ui.fitPose.m_rotX, ui.fitPose.m_rotZ, ui.fitPose.m_ratioX), std::make_tuple(25.0, 0.0, 0.5));
    EXPECT_EQ(std::tie(view.m_camera.m_rotX, view.m_camera.m_rotY, view.m_camera.m_rotZ, view.m_camera.m_lookX, view.m_camera.m_lookY),
              std::make_tuple(25.0, -45.0, 0.0, 0.0, 0.0));
    EXPECT_EQ(view.m_camera.m_ratioX, 0.5);  // the ratio is not part of the camera reset

    using CC = ControlColumn;
    using PC = PaletteCorner;
    view.m_prefs.m_controlPos = CC(0);  // anything but the left edge goes there
    Cycle("Control:Pos", view.m_prefs.m_controlPos, {CC::Left, CC::Right});
    view.m_prefs.m_colorPos = PC::TopLeft;
    Cycle("Color:Pos", view.m_prefs.m_colorPos, {PC::BottomLeft, PC::BottomRight, PC::TopRight, PC::TopLeft});
    view.m_prefs.m_colorPos = PC(7);  // a hand-edited settings file
    Cycle("Color:Pos", view.m_prefs.m_colorPos, {PC(7)});
    EXPECT_EQ(ui.layouts, 7);
    // Button:Button: both groups hidden, then both shown again.
    Run("Button:Button");
    EXPECT_EQ(std::tie(view.m_showButtons, view.m_prefs.m_showControl, view.m_prefs.m_showColor), std::make_tuple(0, 0, 0));
    Run("Button:Button");
    EXPECT_EQ(std::tie(view.m_showButtons, view.m_prefs.m_showControl, view.m_prefs.m_showColor), std::make_tuple(1, 1, 1));
}

TEST_F(Commands, SwatchesFollowTogglesAndColours)
{
    // Each step: a command, then the swatch one button must show.
    struct Step { const char* command; int button; COLORREF swatch; };
    auto steps = [&](std::initializer_list<Step> list) {
        for (const Step& s : list) {
            Run(s.command);
            EXPECT_EQ(ui.Swatch(s.button), s.swatch) << s.command;
        }
    };
    steps({{"Frame:Show", ButtonFrame, 0x000000}, {"Frame:Show", ButtonFrame, 0x00FFFF},
           {"Axis:Show", ButtonAxis, 0x0000FF}, {"Axis:Show", ButtonAxis, 0x000000},  // red while shown
           {"Light:Switch", ButtonLight, 0xFFFFFF}, {"Light:Switch", ButtonLight, 0x00FFFF},
           {"Draw:Switch", ButtonDrawSwitch, 0x000000}, {"Draw:Switch", ButtonDrawSwitch, 0x00FFFF},
           {"Cube:Color16", ButtonCube, 0x0000FF},
           // A cancelled dialog still gives palette button 3 the current colour.
           {"Cube:ChangeColor3", ButtonColor1 + 2, 0x0000FF}, {"Ground:Show", ButtonGround, 0x000000}});

    ui.colorAnswer = 0x123456;
    // A new colour for a hidden element keeps its button black.
    steps({{"Ground:Color", ButtonGround, 0x000000}, {"Ground:Show", ButtonGround, 0x123456},
           {"Back:Color", ButtonBack, 0x123456}, {"Cube:ChangeColor3", ButtonColor1 + 2, 0x123456},
           {"Cube:Color1", ButtonCube, 0x000000}, {"Cube:Color3", ButtonCube, 0x123456}});

    using S = CubeStyle;
    Cycle("Cube:Polygon", view.m_prefs.m_wireFrame, {S::Wireframe, S::FilledBlackEdges, S::Filled});
    view.m_prefs.m_wireFrame = S(7);
    Cycle("Cube:Polygon", view.m_prefs.m_wireFrame, {S::FilledBlackEdges});
    view.m_prefs.m_lightPos = 6;
    Cycle("Light:Position", view.m_prefs.m_lightPos, {7, 0, 1});
}

TEST_F(Commands, CanvasAndToolsActOnTheDocumentAndARefusedMoveWarns)
{
    doc.SetGridSize(4, 3, 5);
    Run("Canvas:Switch");
    EXPECT_EQ(view.m_edit.m_canvasAxis, CanvasAxis::Z);
    EXPECT_EQ(ui.rebuilds, 1);
    // Paste all asks first (when it asks and what a No does: the canvas
    // layer tests).
    view.m_edit.m_canvasAxis = CanvasAxis::Y;
    view.m_edit.m_canvasPos = 1;
    doc.SetCube(1, 1, 1, RGB(1, 2, 3));
    Run("Canvas:Copy");
    EXPECT_EQ(view.m_edit.m_copyLayer, 1);
    ui.confirmAnswer = true;
    Run("Canvas:PasteAll");
    EXPECT_EQ(ui.log, (Log{"ask 選択されたレイヤーを全てのレイヤーに適用しますか？"}));
    EXPECT_EQ(doc.m_cubes.Count(), 3u);
    Run("Canvas:ClearCopy");
    EXPECT_EQ(view.m_edit.m_copyLayer, -1);
    doc.m_cubes.Clear();

    // The tools take the sight cell (the mouse-driven ones are checked on the real view).
    const COLORREF blue = RGB(0, 0, 200), red = RGB(200, 0, 0);
    for (int x = 0; x < 3; ++x)
        doc.SetCube(x, 0, 1, blue);
    view.m_pointer.m_sightX = 1, view.m_pointer.m_sightY = 0, view.m_pointer.m_sightZ = 1;
    view.m_edit.m_cubeColor = red;
    Run("Tool:ReplaceColor");
    EXPECT_EQ(doc.GetCube(0, 0, 1), red);
    EXPECT_EQ(doc.GetCube(2, 0, 1), red);

    // The model touches -X: moving it that way is refused with a message.
    ui.log.clear();
    const auto history = doc.m_history.ToVector();
    const Cells cubes = CellsOf(doc.m_cubes);
    doc.SetModifiedFlag(false);
    Run("Model:MoveMinusX");
    EXPECT_EQ(ui.log, (Log{"warn グリッドの外に出るキューブがあるため、モデルを移動できません。"}));
    EXPECT_EQ(CellsOf(doc.m_cubes), cubes);
    EXPECT_EQ(doc.m_history.ToVector(), history);
    EXPECT_FALSE(doc.IsModified());
    // A turn swaps the sizes and asks for new display lists.
    const int rebuilds = ui.rebuilds;
    Run("Model:TurnRight");
    EXPECT_EQ(std::tie(doc.m_sizeX, doc.m_sizeZ), std::make_tuple(5, 4));
    EXPECT_EQ(ui.rebuilds, rebuilds + 1);
}

TEST_F(Commands, SizeAndRateDialogs)
{
    // Size: cancelled, refused, then accepted (the dialog itself and the
    // clear question are checked on the real view).
    doc.SetModifiedFlag(false);
    view.m_pointer.m_sightX = view.m_pointer.m_sightY = view.m_pointer.m_sightZ = 7;
    view.m_edit.m_canvasPos = 9;
    view.m_edit.m_copyLayer = 12;
    Run("Cube:Size");
    ui.sizeAnswer = std::make_tuple(4096, 1048577, 1);  // the product wraps to 4096 in 32 bits
    Run("Cube:Size");
    EXPECT_EQ(doc.m_sizeX, 16);
    EXPECT_EQ(ui.fits, 0);
    ui.sizeAnswer = std::make_tuple(32, 8, 2);
    view.m_camera.m_rotX = 70;
    Run("Cube:Size");
    EXPECT_EQ(ui.fitPose.m_rotX, 70.0);  // a resize fits for the rotation the view has
    EXPECT_EQ(std::tie(doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ), std::make_tuple(32, 8, 2));
    EXPECT_EQ(std::tie(view.m_pointer.m_sightX, view.m_pointer.m_sightY, view.m_pointer.m_sightZ), std::make_tuple(1, 1, 1));
    // Canvas back on layer 0, the copied layer 12 gone, lists rebuilt, zoom fitted.
    EXPECT_EQ(std::tie(view.m_edit.m_canvasPos, view.m_edit.m_copyLayer, ui.rebuilds, ui.fits), std::make_tuple(0, -1, 1, 1));
    EXPECT_TRUE(doc.IsModified());
    // A grid too thin for the sight cell (1,1,1) leaves no sight at all.
    ui.sizeAnswer = std::make_tuple(40, 1, 40);
    Run("Cube:Size");
    EXPECT_FALSE(view.m_pointer.HasSight());
    // The large-grid dialog from the tool menu; past 64000 cells "Cube:Size"
    // opens it too. A size over 2^25 cells never reaches the grid.
    ui.largeAnswer = std::make_tuple(1024, 1024, 33);
    Run("Model:GridSize");
    EXPECT_EQ(doc.m_sizeX, 40);
    ui.largeAnswer = std::make_tuple(1024, 1, 1024);
    Run("Model:GridSize");
    ui.largeAnswer = std::make_tuple(1024, 2, 1024);
    Run("Cube:Size");
    EXPECT_EQ(std::tie(doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ), std::make_tuple(1024, 2, 1024));
    EXPECT_EQ(ui.log, (Log{"large grid 40", "large grid 40", "large grid 1024"}));

    ui.rateAnswer = std::make_tuple(1.0, 0.5, 0.1);
    Run("Cube:Rate");
    EXPECT_EQ(std::tie(view.m_camera.m_ratioY, view.m_camera.m_ratioZ), std::make_tuple(0.5, 0.1));
    ui.rateAnswer.reset();
    Run("Cube:Rate");
    EXPECT_EQ(view.m_camera.m_ratioY, 0.5);
}

TEST_F(Commands, LineWidthsImagesAndHelp)
{
    ui.widthAnswer = 7;
    Run("Frame:LineWidth");
    EXPECT_EQ(view.m_prefs.m_frameLineWidth, 7.0);
    ui.widthAnswer.reset();
    Run("Axis:LineWidth");
    EXPECT_EQ(view.m_prefs.m_axisLineWidth, 5.0);
    // Cancelled save dialog: no export, no message, buttons repainted (the
    // export itself: the view's tests).
    Run("Image:PNG");
    EXPECT_EQ(ui.childInvalidations, 1);
    EXPECT_EQ(ui.log, (Log{"width フレーム", "width 座標軸", "save PNG File(*.png) png"}));

    // Help opens the guide of the interface's language, a file that exists;
    // without a browser the user learns where it is.
    for (const QString& language : {Language::kJapanese, Language::kEnglish}) {
        Language::Install(language);
        ui.log.clear();
        ui.browserStarts = true;
        Run("Orvendale");
        ASSERT_EQ(ui.log.size(), 1u);
        const QUrl url(ui.log.front().mid(4));
        ASSERT_TRUE(ui.log.front().startsWith("url ") && url.isLocalFile()) << ui.log.front().toStdString();
        const QFileInfo page(url.toLocalFile());
        EXPECT_TRUE(page.isFile()) << page.filePath().toStdString();
        EXPECT_EQ(page.dir().dirName(), language);
        EXPECT_EQ(page.fileName(), QStringLiteral("index.html"));

        ui.browserStarts = false;
        Run("Orvendale");
        ASSERT_EQ(ui.log.size(), 3u);
        EXPECT_TRUE(ui.log.back().startsWith("warn ") && ui.log.back().endsWith(page.filePath()))
            << ui.log.back().toStdString();
    }
    Language::Install(Language::kJapanese);
}

} // namespace
