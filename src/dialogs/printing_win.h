// Page setup and printing: the two menu commands, the print thread and the
// modeless status dialog that shows what is printed and offers to cancel.
#pragma once

#include <windows.h>

namespace ondrix {

extern const char kAlreadyPrintingText[];
extern const char kPageSetupWhilePrintingText[];

// Command 116: the printer setup dialog on printDialogData, modal to the
// main window. Refused while a print runs, since the print thread uses the
// same record until its document has ended.
void PageSetup(HWND mainWindow);

// Command 117: refused while a print runs; otherwise opens the status dialog
// and starts PrintThread on a snapshot of currentSettings, without waiting.
void PrintGraph(HWND mainWindow);

// Windows starts the threads that CreateThread makes with the x87 unit
// rounding to 53 bits, while the C runtime gave the main thread 64: the
// renderer's long double steps round as they do for the screen only after
// this, which the print thread calls first.
void MatchMainThreadPrecision();

// Asks for a printer, renders one page and ends or aborts the document.
// The parameter is a GraphSettings allocated with new, which the thread
// owns and deletes.
DWORD WINAPI PrintThread(LPVOID parameter);

// The PRINT_DIALOG handler; at WM_INITDIALOG lParam points to the settings
// to show.
INT_PTR CALLBACK PrintStatusDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ondrix
