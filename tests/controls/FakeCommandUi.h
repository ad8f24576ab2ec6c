#pragma once

// A window stand-in for the command table: remembers what was asked of it
// and answers dialogs and questions with what the test put in.
#include "controls/ButtonIds.h"
#include "controls/CommandUi.h"
#include "view/Camera.h"
#include "view/ViewState.h"

#include <map>
#include <optional>
#include <vector>

class FakeCommandUi : public ICommandUi {
public:
    explicit FakeCommandUi(CViewState& view) : m_view(view)
    {
        for (int i = 0; i < 16; ++i)
            swatches[ButtonColor1 + i] = kInitialPalette[size_t(i)];
    }

    // Answers.
    std::optional<COLORREF> colorAnswer;  // nullopt: the colour dialog is cancelled
    bool confirmAnswer = false;
    std::optional<std::array<std::int32_t, 3>> sizeAnswer;
    std::optional<std::array<double, 3>> rateAnswer;
    std::optional<double> widthAnswer;
    std::optional<QString> pathAnswer;
    bool exportSucceeds = true;
    int clientWidth = 800, clientHeight = 600;
    int gridMaxSide = 16;

    // Record.
    int viewInvalidations = 0, childInvalidations = 0, layouts = 0, rebuilds = 0, fits = 0;
    std::vector<int> buttonInvalidations;
    std::map<int, COLORREF> swatches;
    std::vector<QString> questions, warnings, urls, menus;
    QString lastWidthTitle, lastFilter, lastDefaultExt, exportedPath;
    std::optional<ImageFormat> exportedFormat;
    int colorDialogs = 0;
    std::optional<COLORREF> colorDialogStart;

    void InvalidateView() override { ++viewInvalidations; }
    void InvalidateButton(int id) override { buttonInvalidations.push_back(id); }
    void InvalidateChildren() override { ++childInvalidations; }
    COLORREF Swatch(int id) const override
    {
        const auto it = swatches.find(id);
        return it == swatches.end() ? CLR_NONE : it->second;
    }
    void SetSwatch(int id, COLORREF c) override { swatches[id] = c; }
    void ShowControlButtons(bool show) override { m_view.m_showControl = show; }
    void ShowColorButtons(bool show) override { m_view.m_showColor = show; }
    void LayoutButtons() override { ++layouts; }
    void RebuildDisplayLists() override { ++rebuilds; }
    void FitZoom() override
    {
        ++fits;
        m_view.m_scale = Camera::FitScale(gridMaxSide, clientWidth, clientHeight);
    }
    bool PickColor(COLORREF& c) override
    {
        ++colorDialogs;
        colorDialogStart = c;
        if (colorAnswer)
            c = *colorAnswer;
        return colorAnswer.has_value();
    }
    bool Confirm(const QString& q) override
    {
        questions.push_back(q);
        return confirmAnswer;
    }
    void Warn(const QString& m) override { warnings.push_back(m); }
    bool RunCubeSizeDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z) override
    {
        if (!sizeAnswer)
            return false;
        x = (*sizeAnswer)[0];
        y = (*sizeAnswer)[1];
        z = (*sizeAnswer)[2];
        return true;
    }
    bool RunCubeRateDialog(double& x, double& y, double& z) override
    {
        if (!rateAnswer)
            return false;
        x = (*rateAnswer)[0];
        y = (*rateAnswer)[1];
        z = (*rateAnswer)[2];
        return true;
    }
    bool RunLineWidthDialog(const QString& title, double& width) override
    {
        lastWidthTitle = title;
        if (!widthAnswer)
            return false;
        width = *widthAnswer;
        return true;
    }
    bool PromptImagePath(QString& path, const QString& filter, const QString& ext) override
    {
        lastFilter = filter;
        lastDefaultExt = ext;
        if (!pathAnswer)
            return false;
        path = *pathAnswer;
        return true;
    }
    void ShowSettingMenu() override { menus.push_back(QStringLiteral("Setting")); }
    void ShowScreenShotMenu() override { menus.push_back(QStringLiteral("ScreenShot")); }
    bool ExportImage(const QString& path, ImageFormat format) override
    {
        exportedPath = path;
        exportedFormat = format;
        return exportSucceeds;
    }
    void OpenUrl(const QString& url) override { urls.push_back(url); }

private:
    CViewState& m_view;
};
