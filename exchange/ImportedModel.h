#pragma once

#include "exchange/ModelData.h"

class CMiravelDoc;

// Bringing a model of another format into the document.
namespace ImportedModel {

// Whether the document can hold the model: a grid it allows (each side at
// least 1, within GridLimits) with every cube inside it. A model with no
// cubes and no grid fits too: it becomes an empty default grid.
bool FitsDocument(const ModelData& model);

// The document takes the model in place of its own, untitled and modified,
// with no history. False, and the document untouched, when it does not fit.
bool PutInDocument(const ModelData& model, CMiravelDoc& doc);

} // namespace ImportedModel
