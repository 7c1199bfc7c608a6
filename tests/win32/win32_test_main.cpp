#include <gtest/gtest.h>

#include "bwcc/bwcc_win.h"
#include "state/app_state_win.h"

int main(int argc, char** argv) {
  ondrix::appInstance = GetModuleHandleA(nullptr);
  ondrix::BWCCRegister(ondrix::appInstance);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
