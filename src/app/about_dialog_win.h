// The About box.
#pragma once

#include <windows.h>

namespace ondrix {

// Handler of the ABOUT dialog: closes it on OK and Cancel (Escape and the
// close box arrive as Cancel).
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ondrix
