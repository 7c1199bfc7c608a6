#include "bwcc/bwcc_win.h"

namespace ondrix {

namespace {
constexpr char kGrayDialogClass[] = "BorDlg_Gray";
}

BOOL BWCCRegister(HINSTANCE instance) {
  WNDCLASSA existing = {};
  if (GetClassInfoA(instance, kGrayDialogClass, &existing)) {
    return TRUE;
  }
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS | CS_SAVEBITS;
  windowClass.lpfnWndProc = DefDlgProcA;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kGrayDialogClass;
  return RegisterClassA(&windowClass) != 0 ? TRUE : FALSE;
}

}  // namespace ondrix
