// Entry of the Win32 tests: the program-wide instance and the dialog class
// are set up as WinMain does before any test runs.

#include <windows.h>

#include <gtest/gtest.h>

#include "bwcc/bwcc_win.h"
#include "state/app_state_win.h"

int main(int argc, char** argv) {
  ondrix::appInstance = GetModuleHandleA(nullptr);
  ondrix::BWCCRegister(ondrix::appInstance);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
