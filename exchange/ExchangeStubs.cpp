// Placeholders until the readers and writers exist.
#include "exchange/ExchangeFormat.h"
#include "exchange/ModelExport.h"
#include "exchange/VoxFile.h"

#include "model/CMiravelDoc.h"

std::optional<ExchangeFormat> FormatForPath(const QString&) { return std::nullopt; }
QString FormatSuffix(ExchangeFormat) { return {}; }
bool IsMeshFormat(ExchangeFormat) { return false; }
bool IsImageFormat(ExchangeFormat) { return false; }
ModelData ModelFromDocument(const CMiravelDoc&) { return {}; }
VoxReadResult ReadVox(const QByteArray&) { return {}; }
VoxReadResult ReadVoxFile(const QString&) { return {}; }
VoxWriteResult WriteVox(const ModelData&) { return {}; }
ExportResult ExportModel(const ModelData&, ExchangeFormat, const QString&, const ExportProgress&) { return {}; }
