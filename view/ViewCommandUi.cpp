#include "view/ViewCommandUi.h"

#include "controls/CommandMenus.h"
#include "dialogs/CCubeRateDlg.h"
#include "dialogs/CCubeSizeDlg.h"
#include "dialogs/CDelayedProgress.h"
#include "dialogs/CLargeGridDlg.h"
#include "dialogs/CLineWidthDlg.h"
#include "dialogs/CProgressWindow.h"
#include "images/ScreenshotExport.h"
#include "exchange/FileFormats.h"
#include "view/CMiravelView.h"

#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <cstring>

namespace {

const QString kMessageTitle = QStringLiteral("MIRA-VEL");

// Builds a real menu from its description and runs it at the pointer: the
// command of the chosen entry, none when the menu is dismissed.
std::optional<CommandId> RunMenu(const std::vector<CommandMenus::MenuEntry>& entries, QWidget* owner)
{
    QMenu menu(owner);
    std::function<void(QMenu&, const std::vector<CommandMenus::MenuEntry>&)> fill =
        [&fill](QMenu& m, const std::vector<CommandMenus::MenuEntry>& list) {
            for (const auto& e : list) {
                switch (e.kind) {
                case CommandMenus::MenuEntry::Separator:
                    m.addSeparator();
                    break;
                case CommandMenus::MenuEntry::Submenu:
                    fill(*m.addMenu(e.text), e.children);
                    break;
                case CommandMenus::MenuEntry::Command: {
                    QAction* a = m.addAction(e.text);
                    a->setData(int(e.command));
                    if (e.checked) {
                        a->setCheckable(true);
                        a->setChecked(true);
                    }
                    break;
                }
                case CommandMenus::MenuEntry::Slot:
                    break;
                }
            }
        };
    fill(menu, entries);
    const QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen || !chosen->data().isValid())
        return std::nullopt;
    return CommandId(chosen->data().toInt());
}

// The save dialog of the screenshots. The name is completed with the
// format's extension before the dialog's own check for an existing file, so
// that "shot" and "shot." ask before replacing shot.bmp.
class CImageSaveDialog : public QFileDialog {
public:
    CImageSaveDialog(QWidget* parent, const QString& extension) : QFileDialog(parent), m_extension(extension) {}

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !QFileInfo(files.constFirst()).isDir()) {
            const QString named = WithDefaultExtension(files.constFirst(), m_extension);
            if (named != files.constFirst())
                selectFile(named);
        }
        QFileDialog::accept();
    }

private:
    QString m_extension;
};

} // namespace

CViewCommandUi::CViewCommandUi(CMiravelView& view) : m_view(view)
{
    m_openUrl = [](const QString& url) { return QDesktopServices::openUrl(QUrl(url)); };
}

void CViewCommandUi::InvalidateView() { m_view.update(); }

void CViewCommandUi::InvalidateButton(int buttonId)
{
    if (CCommandButton* b = m_view.m_buttons.ButtonById(buttonId))
        b->update();
}

void CViewCommandUi::InvalidateChildren()
{
    for (QWidget* child : m_view.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->update();
}

COLORREF CViewCommandUi::Swatch(int buttonId) const
{
    const CCommandButton* b = m_view.m_buttons.ButtonById(buttonId);
    return b ? b->m_crColor : CLR_NONE;
}

void CViewCommandUi::SetSwatch(int buttonId, COLORREF color)
{
    if (CCommandButton* b = m_view.m_buttons.ButtonById(buttonId))
        b->SetSwatch(color);
}

void CViewCommandUi::ShowControlButtons(bool show)
{
    m_view.m_state.m_prefs.m_showControl = show;
    m_view.m_buttons.ShowControlGroup(show);
}

void CViewCommandUi::ShowColorButtons(bool show)
{
    m_view.m_state.m_prefs.m_showColor = show;
    m_view.m_buttons.ShowColorGroup(show);
}

void CViewCommandUi::LayoutButtons()
{
    m_view.m_buttons.LayoutButtonWidgets(m_view.width(), m_view.height(), m_view.m_state.m_prefs.m_controlPos,
                                         m_view.m_state.m_prefs.m_colorPos);
    InvalidateChildren();
}

void CViewCommandUi::RebuildDisplayLists() { m_view.RebuildDisplayLists(); }

void CViewCommandUi::FitZoom(const CCameraState& pose) { m_view.FitZoom(pose); }

bool CViewCommandUi::PickColor(COLORREF& color)
{
    const QColor chosen = QColorDialog::getColor(
        QColor(GetRValue(color), GetGValue(color), GetBValue(color)), m_view.window());
    if (!chosen.isValid())
        return false;
    color = RGB(std::uint8_t(chosen.red()), std::uint8_t(chosen.green()), std::uint8_t(chosen.blue()));
    return true;
}

bool CViewCommandUi::Confirm(const QString& question)
{
    QMessageBox box(QMessageBox::Question, kMessageTitle, question,
                    QMessageBox::Ok | QMessageBox::Cancel, m_view.window());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void CViewCommandUi::Warn(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, kMessageTitle, message, QMessageBox::Ok, m_view.window());
    box.exec();
}

namespace {

// Runs one of the two grid size dialogs, which share their value members.
template <class Dialog>
bool RunGridDialog(QWidget* parent, std::int32_t& x, std::int32_t& y, std::int32_t& z)
{
    Dialog dlg(parent);
    dlg.m_sizeX = x;
    dlg.m_sizeY = y;
    dlg.m_sizeZ = z;
    if (dlg.DoModal() != IDOK)
        return false;
    x = dlg.m_sizeX;
    y = dlg.m_sizeY;
    z = dlg.m_sizeZ;
    return true;
}

} // namespace

bool CViewCommandUi::RunCubeSizeDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z)
{
    return RunGridDialog<CCubeSizeDlg>(m_view.window(), x, y, z);
}

bool CViewCommandUi::RunLargeGridDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z)
{
    return RunGridDialog<CLargeGridDlg>(m_view.window(), x, y, z);
}

bool CViewCommandUi::RunCubeRateDialog(double& x, double& y, double& z)
{
    CCubeRateDlg dlg(m_view.window());
    if (dlg.DoModal() != IDOK)
        return false;
    x = dlg.m_rateX;
    y = dlg.m_rateY;
    z = dlg.m_rateZ;
    return true;
}

bool CViewCommandUi::RunLineWidthDialog(const QString& title, double& width)
{
    CLineWidthDlg dlg(m_view.window());
    dlg.m_width = width;
    dlg.m_title = title;
    if (dlg.DoModal() != IDOK)
        return false;
    width = dlg.m_width;
    return true;
}

bool CViewCommandUi::PromptImagePath(QString& path, const QString& filter, const QString& defaultExt)
{
    CImageSaveDialog dlg(m_view.window(), defaultExt);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilter(filter);
    dlg.setDefaultSuffix(defaultExt);  // a name typed without one gets it
    dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
    // A desktop's own dialog would ask about the name as typed, before the
    // extension is added.
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().constFirst();
    return true;
}

void CViewCommandUi::ShowSettingMenu()
{
    if (const auto command = RunMenu(CommandMenus::Entries(MenuId::Setting, &m_view.m_state), &m_view))
        m_view.ExecuteCommand(*command);
}

void CViewCommandUi::ShowScreenShotMenu()
{
    if (const auto command = RunMenu(CommandMenus::Entries(MenuId::ScreenShot), &m_view))
        m_view.ExecuteCommand(*command);
}

bool CViewCommandUi::ExportImage(const QString& path, ImageFormat format)
{
    // The picture is the scene alone, at the framebuffer's full resolution:
    // on a high-density screen that is more pixels than the logical size.
    CProgressWindow progress(m_view.window(), m_exportPauseScale);
    QImage frame;
    const double dpr = m_view.devicePixelRatioF();
    const int w = int(m_view.width() * dpr + 0.5), h = int(m_view.height() * dpr + 0.5);
    const ReadFramePixels read = [&](std::vector<std::uint8_t>& buffer) {
        frame = m_view.ScenePicture().convertToFormat(QImage::Format_RGB888);
        if (frame.width() != w || frame.height() != h)
            return false;
        // Rows bottom up, as GL reads them.
        for (int y = 0; y < h; ++y)
            std::memcpy(buffer.data() + size_t(3) * size_t(w) * size_t(h - 1 - y), frame.constScanLine(y),
                        size_t(3) * size_t(w));
        return true;
    };
    return ExportScreenshot(progress, read, w, h, path, format);
}

bool CViewCommandUi::OpenUrl(const QString& url)
{
    return m_openUrl && m_openUrl(url);
}

WorkProgress CViewCommandUi::LongWork(bool cancellable)
{
    return CDelayedProgress::Owned(m_view.window(), QCoreApplication::applicationName(),
                                   QCoreApplication::translate("CViewCommandUi", "モデルを変更しています..."),
                                   cancellable);
}

void CViewCommandUi::SetClipboard(const std::vector<std::pair<QString, QByteArray>>& content)
{
    auto* data = new QMimeData;
    for (const auto& [type, bytes] : content)
        data->setData(type, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

QByteArray CViewCommandUi::ClipboardData(const QString& type) const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(type) ? data->data(type) : QByteArray();
}
