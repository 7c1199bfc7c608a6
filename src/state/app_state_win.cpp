#include "state/app_state_win.h"

#include <cstring>

#include "model/titles.h"

namespace ondrix {

HINSTANCE appInstance = nullptr;
HMENU graphMenu = nullptr;
GraphSettings currentSettings = {};
volatile LONG redrawGraph = 0;

// The print-dialog record is the byte-packed 66-byte one on 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(PRINTDLGA) == 66, "PRINTDLGA layout");
#endif
PRINTDLGA printDialogData = {};
volatile LONG printInProgress = 0;
volatile LONG printCancelled = 0;
HANDLE printThreadHandle = nullptr;
HWND volatile printStatusWindow = nullptr;

namespace {

// A damaged stored method may hold any command's ID; only an item of the
// same radio-like group is unchecked, never Grid Lines or Point Sonar.
bool InSameMenuGroup(std::int32_t first, std::int32_t second) {
  return (IsFunctionMethod(first) && IsFunctionMethod(second)) ||
         (IsConnectMethod(first) && IsConnectMethod(second));
}

}  // namespace

void CheckMenuChoice(std::int32_t previousId, std::int32_t newId, char* nameBuffer) {
  if (previousId != newId && InSameMenuGroup(previousId, newId)) {
    CheckMenuItem(graphMenu, static_cast<UINT>(previousId), MF_BYCOMMAND | MF_UNCHECKED);
  }
  CheckMenuItem(graphMenu, static_cast<UINT>(newId), MF_BYCOMMAND | MF_CHECKED);
  const char* name = FunctionDisplayName(newId);
  if (name != nullptr && nameBuffer != nullptr) {
    std::memcpy(nameBuffer, name, std::strlen(name) + 1);
  }
}

int WarnUser(HWND owner, const char* text, const char* caption, UINT buttons) {
  MessageBeep(MB_ICONEXCLAMATION);
  return MessageBoxA(owner, text, caption, buttons | MB_ICONEXCLAMATION);
}

void UpdateWindowTitle(HWND window, const GraphSettings& settings) {
  SetWindowTextA(window, GraphTitle(settings).c_str());
}

void ToggleOption(std::int32_t menuId, std::int32_t& flag, HWND window) {
  if (flag != 0) {
    CheckMenuItem(graphMenu, static_cast<UINT>(menuId), MF_BYCOMMAND | MF_UNCHECKED);
    flag = 0;
  } else {
    CheckMenuItem(graphMenu, static_cast<UINT>(menuId), MF_BYCOMMAND | MF_CHECKED);
    flag = 1;
  }
  InvalidateRect(window, nullptr, TRUE);
}

}  // namespace ondrix
