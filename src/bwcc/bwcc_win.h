// The small stand-in for the Borland custom-control library: the grey
// dialog class that the dialog templates name.
#pragma once

#include <windows.h>

namespace ondrix {

// Registers the dialog window class "BorDlg_Gray" for the instance: a
// standard dialog (DefDlgProc, DLGWINDOWEXTRA) on the button-face colour.
// Safe to call more than once; TRUE when the class is available.
BOOL BWCCRegister(HINSTANCE instance);

}  // namespace ondrix
