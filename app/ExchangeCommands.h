#pragma once

#include "exchange/ModelData.h"
#include "model/SelectionTools.h"
#include "model/WorkProgress.h"

#include <QString>
#include <optional>

class CMiravelDoc;
class QWidget;
struct CShellPrompts;
struct FileFormat;

// The editor's side of the other programs' formats: reading a file to import
// and running an export with its dialog, progress window and messages.
namespace ExchangeCommands {

// Another program's model file read for the import: its model, or the
// message to show when the file is refused or its model is larger than the
// editor's grid.
struct ImportRead {
    std::optional<ModelData> model;
    QString message;
    bool cancelled = false;  // progress asked to stop: nothing to tell
};
ImportRead ReadForImport(const QString& path, const WorkProgress& progress = {});

// Whether a path names a file that comes in through the import.
bool IsImportPath(const QString& path);

// The export to one format: asks where (the format's filter and default
// extension; replacing a file is confirmed), writes the document's model, with
// a progress window once the work has taken progressDelayMs, and shows why it
// failed, or a notice the writer has although it worked. A failed export
// leaves no partial file and keeps the one that was there. With a selection
// only the selection's cubes are written, as a model of its size.
void Export(const CMiravelDoc& doc, const FileFormat& format, CShellPrompts& prompts,
            QWidget* parent, int progressDelayMs, const std::optional<CellBox>& selection = std::nullopt);

} // namespace ExchangeCommands
