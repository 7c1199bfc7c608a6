// What the dialog tests cannot see: the dialogs' grey class and the owner
// drawing of the swatch, which come from the resources and the BWCC class.
#include <windows.h>

#include <gtest/gtest.h>

#include "bwcc/bwcc_win.h"
#include "dialogs/control_ids.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST(ResourcesTest, DialogsAreGreyAndTheSwatchIsOwnerDrawn) {
  EXPECT_TRUE(BWCCRegister(appInstance)) << "registering again succeeds";
  WNDCLASSA info = {};
  ASSERT_TRUE(GetClassInfoA(appInstance, "BorDlg_Gray", &info));
  EXPECT_EQ(info.cbWndExtra, DLGWINDOWEXTRA);
  EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  for (const char* name : {"ABOUT", "PRINT_DIALOG", "PROPERTIES"}) {
    HWND dialog = CreateDialogParamA(appInstance, name, nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << name;
    char className[32] = {};
    GetClassNameA(dialog, className, sizeof className);
    EXPECT_STREQ(className, "BorDlg_Gray") << name;
    const HWND swatch = GetDlgItem(dialog, IDC_COLOR_SWATCH);
    if (swatch != nullptr) {
      EXPECT_EQ(GetWindowLongPtrA(swatch, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    }
    DestroyWindow(dialog);
  }
}

}  // namespace
}  // namespace ondrix
