#pragma once

#include "images/ScreenshotExport.h"

#include <QPointer>
#include <QProgressDialog>

class QProgressDialog;
class QWidget;

// The modal progress window of the screenshot export: a title, two lines of
// text and a two-step bar, no cancel button. Its pauses keep it painted while
// the rest of the program waits.
class CProgressWindow : public IExportProgress {
public:
    // owner: the window it is modal to. pauseScale shortens the pauses (tests).
    explicit CProgressWindow(QWidget* owner, double pauseScale = 1.0);
    ~CProgressWindow() override;

    bool Create() override;
    void SetTitle(const QString& title) override;
    void Start() override;
    void SetLine(int line, const QString& text) override;
    void SetProgress(int done, int total) override;
    void Wait(int milliseconds) override;
    void Close() override;

    QProgressDialog* Dialog() const { return m_dialog; }

private:
    void UpdateLabel();

    QWidget* m_owner;
    double m_pauseScale;
    QPointer<QProgressDialog> m_dialog;
    QString m_lines[2];
};
