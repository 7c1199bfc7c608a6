// The folder and type the Save dialog offers, kept in the settings key.
#pragma once

#include "model/save_names.h"

namespace ondrix {

// What is stored, a missing or damaged value giving the default; `made`
// when either value is there, so that the exit keeps storing them.
SaveChoice LoadSaveChoice();

// Writes "Save Folder" and "Save Type" once a choice has been made, in this
// run or an earlier one; a user who never saved leaves the key as it was.
void StoreSaveChoice(const SaveChoice& choice);

}  // namespace ondrix
