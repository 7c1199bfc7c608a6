// Program-wide state shared by the main window, the settings load and save,
// the Grid Properties dialog and printing, with the helpers that keep the
// menu check marks and the caption in step with the live settings.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstdint>

#include "model/graph_settings.h"

namespace ondrix {

extern HINSTANCE appInstance;
extern HMENU graphMenu;
extern GraphSettings currentSettings;
extern volatile LONG redrawGraph;

// Print state; the print thread and the user-interface thread share it
// without locks, as aligned 32-bit values.
extern PRINTDLGA printDialogData;
extern volatile LONG printInProgress;
extern volatile LONG printCancelled;
extern HANDLE printThreadHandle;
extern HWND volatile printStatusWindow;

// Moves the check mark of a radio-like menu group from previousId to newId;
// for a function command also copies its display name into nameBuffer
// (the settings' 15-byte functionName), which may be null.
void CheckMenuChoice(std::int32_t previousId, std::int32_t newId, char* nameBuffer);

// The beep and the exclamation box of every refusal; returns the button.
int WarnUser(HWND owner, const char* text, const char* caption, UINT buttons);

// Caption: the function name followed by " - Ondrix".
void UpdateWindowTitle(HWND window, const GraphSettings& settings);

// Flips grid or sonar, moves the menu item's check mark to match and
// invalidates the window.
void ToggleOption(std::int32_t menuId, std::int32_t& flag, HWND window);

}  // namespace ondrix
