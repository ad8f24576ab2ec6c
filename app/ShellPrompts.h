#pragma once

#include "recovery/RecoverAnswer.h"

#include <QString>
#include <functional>

class QDateTime;
class QPrinter;
class QWidget;

enum class SaveChangesAnswer { Yes, No, Cancel };

// Every question the shell asks the user, as replaceable function objects.
// The program uses Interactive(); tests put their own answers in, so that the
// code paths behind each answer run without anybody at the keyboard.
struct CShellPrompts {
    // "Save the changes to <title>?" with Yes, No and Cancel.
    std::function<SaveChangesAnswer(QWidget* parent, const QString& documentTitle)> askSaveChanges;
    // The model file to open (a model file or a .vox); empty when the user
    // cancels.
    std::function<QString(QWidget* parent)> askOpenPath;
    // Where to save; suggested is the current path or the document title.
    // Empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& suggested)> askSavePath;
    // A failure the user has to know about (an open or save that did not work).
    std::function<void(QWidget* parent, const QString& message)> showError;
    // The .vox file to import; empty when the user cancels.
    std::function<QString(QWidget* parent)> askImportPath;
    // Where to export: a save dialog with the format's filter and default
    // extension, which asks before replacing a file. Empty when cancelled.
    std::function<QString(QWidget* parent, const QString& filter, const QString& suffix,
                          const QString& suggested)>
        askExportPath;
    // Something the user should know although the command worked.
    std::function<void(QWidget* parent, const QString& message)> showNotice;
    // Lets the user pick and set up the printer; false when cancelled.
    std::function<bool(QWidget* parent, QPrinter& printer)> askPrinter;
    // At start-up, about changes a run that ended abnormally left unsaved:
    // document is the original file (or the title of a model never saved),
    // written when the copy was last kept.
    std::function<RecoverAnswer(QWidget* parent, const QString& document, const QDateTime& written)> askRecover;

    // Message boxes and the standard file and print dialogs.
    static CShellPrompts Interactive();
};
