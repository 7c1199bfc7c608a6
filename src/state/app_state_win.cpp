#include "state/app_state_win.h"

#include "model/menu_checks.h"
#include "model/titles.h"

namespace ondrix {

HINSTANCE appInstance = nullptr;
HMENU graphMenu = nullptr;
GraphSettings currentSettings = {};
bool redrawGraph = false;
ViewSwitches viewSwitches;

// The print-dialog record is the byte-packed 66-byte one on 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(PRINTDLGA) == 66, "PRINTDLGA layout");
#endif
PrintDialogRecord printDialogData;
std::atomic<bool> printInProgress{false};
std::atomic<bool> printCancelled{false};
std::atomic<HWND> printStatusWindow{nullptr};
OwnedHandle printThread;

void PrintDialogRecord::Clear() {
  OwnedGlobal(hDevMode).Reset();
  OwnedGlobal(hDevNames).Reset();
  *static_cast<PRINTDLGA*>(this) = PRINTDLGA{};
  lStructSize = sizeof(PRINTDLGA);
}

void ReflectSettings(HWND mainWindow) {
  for (const MenuCheck& item : MenuChecks(currentSettings)) {
    CheckMenuItem(graphMenu, static_cast<UINT>(item.command),
                  MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
  }
  CheckMenuItem(graphMenu, CM_AXIS_NUMBERS,
                MF_BYCOMMAND | (viewSwitches.axisNumbers ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(graphMenu, CM_STATUS_BAR,
                MF_BYCOMMAND | (viewSwitches.statusBar ? MF_CHECKED : MF_UNCHECKED));
  SetFunctionNameFromMethod(currentSettings);
  SetWindowTextA(mainWindow, GraphTitle(currentSettings).c_str());
  redrawGraph = true;
  InvalidateRect(mainWindow, nullptr, TRUE);
}

void ApplyDialogSettings(HWND mainWindow, const GraphSettings& settings) {
  const GraphSettings before = currentSettings;
  currentSettings = settings;
  ReflectSettings(mainWindow);
  SendMessageA(mainWindow, kSettingsAppliedMessage, 0, reinterpret_cast<LPARAM>(&before));
}

int WarnUser(HWND owner, const char* text, const char* caption, UINT buttons) {
  MessageBeep(MB_ICONEXCLAMATION);
  return MessageBoxA(owner, text, caption, buttons | MB_ICONEXCLAMATION);
}

}  // namespace ondrix
