// The Grid Properties dialog: edits a working copy of the live settings,
// checks ranges and tick spacings on OK and Apply, appends pi to a field the
// user points at, and chooses element colours.
#pragma once

#include <windows.h>

#include "model/graph_settings.h"

namespace ondrix {

// Dialog procedure of the "PROPERTIES" template.
INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ondrix
