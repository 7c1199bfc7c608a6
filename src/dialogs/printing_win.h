// Page setup and printing: the two menu commands, the print thread and the
// modeless status dialog that shows what is printed and offers to cancel.
#pragma once

#include <windows.h>

namespace ondrix {

extern const char kAlreadyPrintingText[];
extern const char kPageSetupWhilePrintingText[];

// Posted to the main window by the print thread as its very last act, when
// printInProgress is already down; the window then calls FinishPrintThread.
constexpr UINT kPrintFinishedMessage = WM_APP + 2;

// Command 116: the printer setup dialog on printDialogData, modal to the
// main window. Refused while a print runs, since the print thread uses the
// same record until its document has ended.
void PageSetup(HWND mainWindow);

// Command 117: refused while a print runs; otherwise opens the status dialog
// and starts the print thread on a snapshot of currentSettings, without
// waiting.
void PrintGraph(HWND mainWindow);

// Joins the print thread, which has nothing left to do but return, and
// lets its handle go.
void FinishPrintThread();

// The PRINT_DIALOG handler; at WM_INITDIALOG lParam points to the settings
// to show.
INT_PTR CALLBACK PrintStatusDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ondrix
