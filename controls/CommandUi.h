#pragma once

#include "images/ImageFormat.h"
#include "model/CubeTypes.h"
#include "model/WorkProgress.h"
#include "scene/CameraState.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// What commands need from the window they run in: repainting, the on-view
// buttons' swatches and groups, dialogs, menus, message boxes, export. The 3D
// view implements it; tests implement it with recorded answers, so that the
// whole command table runs without a window.
class ICommandUi {
public:
    virtual ~ICommandUi() = default;

    // Repaint requests: the view without erasing, one button with erasing,
    // every child window of the view.
    virtual void InvalidateView() = 0;
    virtual void InvalidateButton(int buttonId) = 0;
    virtual void InvalidateChildren() = 0;

    // The colour a button paints under its image; CLR_NONE for none.
    virtual COLORREF Swatch(int buttonId) const = 0;
    virtual void SetSwatch(int buttonId, COLORREF color) = 0;

    // Button groups: store the flag in the view state and show or hide them.
    virtual void ShowControlButtons(bool show) = 0;
    virtual void ShowColorButtons(bool show) = 0;
    virtual void LayoutButtons() = 0;

    // The grid size or canvas axis changed.
    virtual void RebuildDisplayLists() = 0;
    // Fits the zoom to the grid in the client area as it is now (or, before
    // the window is first shown, as it will be), for the grid seen with the
    // cube ratio and rotation of `pose`.
    virtual void FitZoom(const CCameraState& pose) = 0;

    // Modal interaction. Each returns true when the user confirmed.
    virtual bool PickColor(COLORREF& color) = 0;
    virtual bool Confirm(const QString& question) = 0;  // OK / Cancel, question icon
    virtual void Warn(const QString& message) = 0;      // OK, exclamation icon
    virtual bool RunCubeSizeDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z) = 0;
    // The grid size for grids beyond the size dialog's 64000 cells.
    virtual bool RunLargeGridDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z) = 0;
    virtual bool RunCubeRateDialog(double& x, double& y, double& z) = 0;
    virtual bool RunLineWidthDialog(const QString& title, double& width) = 0;
    virtual bool PromptImagePath(QString& path, const QString& filter, const QString& defaultExt) = 0;

    // The two pop-up menus; each returns after the chosen command has run.
    virtual void ShowSettingMenu() = 0;
    virtual void ShowScreenShotMenu() = 0;

    // Writes a fresh frame of the view to path; false on failure.
    virtual bool ExportImage(const QString& path, ImageFormat format) = 0;
    // Opens the address in the user's browser; false when none could start.
    virtual bool OpenUrl(const QString& url) = 0;

    // Progress of a whole-model action (a turn of a large model, its undo):
    // a window once it has taken a moment, with Cancel when cancellable,
    // closed when the last copy of the callback goes.
    virtual WorkProgress LongWork(bool cancellable) = 0;

    // The system clipboard: puts the same content in several types at once
    // (type, bytes), and reads the bytes of one type (empty when absent).
    virtual void SetClipboard(const std::vector<std::pair<QString, QByteArray>>& content) = 0;
    virtual QByteArray ClipboardData(const QString& type) const = 0;
};
