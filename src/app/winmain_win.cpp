// Ondrix's entry: registers the dialog class and the main window class,
// creates the main window and runs the message loop.

#include <windows.h>

#include "app/main_window_win.h"
#include "bwcc/bwcc_win.h"
#include "state/app_state_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // Every dialog template names the BorDlg_Gray class: register it first.
  ondrix::BWCCRegister(instance);
  ondrix::appInstance = instance;

  if (ondrix::RegisterMainWindowClass(instance) == 0) {
    return 0;
  }
  HWND window = ondrix::CreateMainWindow(instance);
  if (window == nullptr) {
    // Nothing to show and nothing was loaded that needs saving.
    ondrix::ReleaseMainWindowResources(instance);
    return 0;
  }
  HACCEL accelerators = LoadAcceleratorsA(instance, "GRAPH");
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  // No dialog-message routing: the accelerators act on the main window even
  // while the print status dialog has the focus. GetMessage's error result
  // (-1) ends the loop like the quit message, rather than spinning on it.
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorA(window, accelerators, &message) == 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  ondrix::ReleaseMainWindowResources(instance);
  return 0;
}
