#include "app/ShellPrompts.h"

#include "app/ExchangeTexts.h"
#include "app/RecoveryTexts.h"
#include "app/ShellTexts.h"

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

QString AskPath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& suggested)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setWindowTitle(mode == QFileDialog::AcceptOpen ? ShellTexts::OpenDialogTitle()
                                                          : ShellTexts::SaveDialogTitle());
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // Opening also takes the exchange format, which comes in as a new model.
    if (mode == QFileDialog::AcceptOpen)
        dialog.setNameFilters({ShellTexts::FileFilter(), ExchangeTexts::VoxFilter()});
    else
        dialog.setNameFilter(ShellTexts::FileFilter());
    dialog.setDefaultSuffix(ShellTexts::FileSuffix());
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// A file dialog of another format than the model file's.
QString AskExchangePath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title,
                        const QString& filter, const QString& suffix, const QString& suggested)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setWindowTitle(title);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
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
                               ExchangeTexts::VoxFilter(), ExchangeTexts::VoxSuffix(), {});
    };
    p.askExportPath = [](QWidget* parent, const QString& filter, const QString& suffix,
                         const QString& suggested) {
        return AskExchangePath(parent, QFileDialog::AcceptSave, ExchangeTexts::ExportDialogTitle(),
                               filter, suffix, suggested);
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
