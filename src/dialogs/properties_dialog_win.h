// The Grid Properties dialog: edits a working copy of the live settings,
// checks ranges and tick spacings on OK and Apply, appends pi to a field the
// user points at, and chooses element colours.
#pragma once

#include <windows.h>

namespace ondrix {

// Runs the "PROPERTIES" dialog modally; every change it makes to
// currentSettings goes through ReflectSettings of the owner.
void RunPropertiesDialog(HWND owner);

}  // namespace ondrix
