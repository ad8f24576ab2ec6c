#include "app/ShellPrompts.h"

#include "app/ExchangeTexts.h"
#include "recovery/RecoveryTexts.h"
#include "app/ShellTexts.h"
#include "exchange/FileFormats.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title)
{
    QMessageBox box(QMessageBox::Question, ShellTexts::MessageCaption(),
                    ShellTexts::SaveChangesQuestion(title),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Yes)->setText(ShellTexts::AnswerYes());
    box.button(QMessageBox::No)->setText(ShellTexts::AnswerNo());
    box.button(QMessageBox::Cancel)->setText(ShellTexts::AnswerCancel());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveChangesAnswer::Yes;
    case QMessageBox::No:
        return SaveChangesAnswer::No;
    default:
        return SaveChangesAnswer::Cancel;
    }
}

RecoverAnswer AskRecover(QWidget* parent, const QString& document, const QDateTime& written)
{
    QMessageBox box(QMessageBox::Question, ShellTexts::MessageCaption(),
                    RecoveryTexts::RecoverQuestion(document, written), QMessageBox::NoButton, parent);
    QAbstractButton* yes = box.addButton(ShellTexts::AnswerYes(), QMessageBox::YesRole);
    // No throws the changes away: a button of its own kind, so that neither
    // Esc nor closing the box can choose it by accident (the box then has no
    // escape button at all and waits for a real answer).
    QAbstractButton* no = box.addButton(ShellTexts::AnswerNo(), QMessageBox::DestructiveRole);
    box.setDefaultButton(static_cast<QPushButton*>(yes));
    box.exec();
    if (box.clickedButton() == yes)
        return RecoverAnswer::Yes;
    if (box.clickedButton() == no)
        return RecoverAnswer::No;
    return RecoverAnswer::Later;
}

// The filters of the formats a model can be read from: the model file's
// first, when it is one of them, then the imported ones.
QStringList ImportFilters(bool withModel)
{
    QStringList filters;
    for (const FileFormat* format : FileFormats::Readable())
        if (withModel || format->kind != FormatKind::Model)
            filters << format->Filter();
    return filters;
}

QString AskPath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& suggested)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setWindowTitle(mode == QFileDialog::AcceptOpen ? ShellTexts::OpenDialogTitle()
                                                          : ShellTexts::SaveDialogTitle());
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // Opening also takes the other programs' models, which come in as new
    // models.
    if (mode == QFileDialog::AcceptOpen)
        dialog.setNameFilters(ImportFilters(true));
    else
        dialog.setNameFilter(FileFormats::Model().Filter());
    dialog.setDefaultSuffix(FileFormats::Model().Suffix());
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// A file dialog of other formats than the model file's.
QString AskExchangePath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title,
                        const QStringList& filters, const QString& suffix, const QString& suggested)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setWindowTitle(title);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // A name typed without an extension gets the format's; replacing a file
    // is confirmed by the dialog itself.
    dialog.setDefaultSuffix(suffix);
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

CShellPrompts CShellPrompts::Interactive()
{
    CShellPrompts p;
    p.askSaveChanges = AskSaveChanges;
    p.askOpenPath = [](QWidget* parent) { return AskPath(parent, QFileDialog::AcceptOpen, {}); };
    p.askSavePath = [](QWidget* parent, const QString& suggested) {
        return AskPath(parent, QFileDialog::AcceptSave, suggested);
    };
    p.showError = [](QWidget* parent, const QString& message) {
        QMessageBox::warning(parent, ShellTexts::MessageCaption(), message);
    };
    p.askImportPath = [](QWidget* parent) {
        return AskExchangePath(parent, QFileDialog::AcceptOpen, ExchangeTexts::ImportDialogTitle(),
                               ImportFilters(false), {}, {});
    };
    p.askExportPath = [](QWidget* parent, const QString& filter, const QString& suffix,
                         const QString& suggested) {
        return AskExchangePath(parent, QFileDialog::AcceptSave, ExchangeTexts::ExportDialogTitle(),
                               {filter}, suffix, suggested);
    };
    p.showNotice = [](QWidget* parent, const QString& message) {
        QMessageBox::information(parent, ShellTexts::MessageCaption(), message);
    };
    p.askPrinter = [](QWidget* parent, QPrinter& printer) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    p.askRecover = AskRecover;
    return p;
}
