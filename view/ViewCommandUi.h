#pragma once

#include "controls/CommandUi.h"

#include <functional>

class CMiravelView;

// What the commands ask of the window they run in, answered for the 3D view:
// repaints, the on-view buttons' swatches, groups and layout, the parameter
// dialogs, message boxes, the two pop-up menus, screenshot export and the web
// page. The view holds one and hands it to the dispatcher with every command.
class CViewCommandUi : public ICommandUi {
public:
    explicit CViewCommandUi(CMiravelView& view);

    void InvalidateView() override;
    void InvalidateButton(int buttonId) override;
    void InvalidateChildren() override;
    COLORREF Swatch(int buttonId) const override;
    void SetSwatch(int buttonId, COLORREF color) override;
    void ShowControlButtons(bool show) override;
    void ShowColorButtons(bool show) override;
    void LayoutButtons() override;
    void RebuildDisplayLists() override;
    void FitZoom(const CCameraState& pose) override;
    bool PickColor(COLORREF& color) override;
    bool Confirm(const QString& question) override;
    void Warn(const QString& message) override;
    bool RunCubeSizeDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z) override;
    bool RunLargeGridDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z) override;
    bool RunCubeRateDialog(double& x, double& y, double& z) override;
    bool RunLineWidthDialog(const QString& title, double& width) override;
    bool PromptImagePath(QString& path, const QString& filter, const QString& defaultExt) override;
    void ShowSettingMenu() override;
    void ShowScreenShotMenu() override;
    bool ExportImage(const QString& path, ImageFormat format) override;
    bool OpenUrl(const QString& url) override;
    WorkProgress LongWork(bool cancellable) override;
    void SetClipboard(const std::vector<std::pair<QString, QByteArray>>& content) override;
    QByteArray ClipboardData(const QString& type) const override;

    // Where "Orvendale" sends the user guide's address; the desktop's browser
    // by default, false when none starts. Tests replace it.
    std::function<bool(const QString&)> m_openUrl;
    // Scales the export's two one-second pauses (tests shorten them).
    double m_exportPauseScale = 1.0;

private:
    CMiravelView& m_view;
};
