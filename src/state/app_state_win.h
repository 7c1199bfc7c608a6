// Program-wide state shared by the main window, the Grid Properties dialog
// and printing, and the one function that brings the menu, the caption and
// the image into line with the live settings.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <atomic>

#include "model/graph_settings.h"
#include "model/stored_values.h"
#include "state/owned_handles_win.h"

namespace ondrix {

extern HINSTANCE appInstance;
extern HMENU graphMenu;
extern GraphSettings currentSettings;
// The image no longer shows currentSettings: the next paint draws anew.
extern bool redrawGraph;

extern ViewSwitches viewSwitches;

// Sent to the main window when Grid Properties has put new settings in
// force; lParam points to the settings before.
constexpr UINT kSettingsAppliedMessage = WM_APP + 3;

// The one print-dialog record of the program. Its device-mode and
// device-names blocks keep the chosen printer; Clear frees them.
struct PrintDialogRecord : PRINTDLGA {
  PrintDialogRecord() : PRINTDLGA{} { lStructSize = sizeof(PRINTDLGA); }
  ~PrintDialogRecord() { Clear(); }
  PrintDialogRecord(const PrintDialogRecord&) = delete;
  PrintDialogRecord& operator=(const PrintDialogRecord&) = delete;
  void Clear();
};
extern PrintDialogRecord printDialogData;

// Shared with the print thread: it lowers the first and reads the second
// and the status dialog's handle, which the dialog clears when it goes.
extern std::atomic<bool> printInProgress;
extern std::atomic<bool> printCancelled;
extern std::atomic<HWND> printStatusWindow;
// The running or last print thread; the user-interface thread's alone.
extern OwnedHandle printThread;

// Every change of currentSettings ends here: the check marks, the function
// name, the caption, and a stale image with the client area invalidated.
void ReflectSettings(HWND mainWindow);

// Grid Properties' OK, Apply and Cancel: `settings` go live, and the main
// window hears of it so that Back and Reset View know the new view.
void ApplyDialogSettings(HWND mainWindow, const GraphSettings& settings);

// The beep and the exclamation box of every refusal; returns the button.
int WarnUser(HWND owner, const char* text, const char* caption, UINT buttons);

}  // namespace ondrix
