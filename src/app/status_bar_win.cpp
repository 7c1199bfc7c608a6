#include "app/status_bar_win.h"

#include <commctrl.h>

#include <vector>

namespace ondrix {

bool StatusBar::Show(HWND parent, bool shown) {
  if (bar_ == nullptr && shown) {
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                           nullptr, nullptr, nullptr);
    if (bar_ == nullptr) {
      return false;
    }
  }
  if (bar_ != nullptr) {
    ShowWindow(bar_, shown ? SW_SHOWNA : SW_HIDE);
    FitParent();
  }
  return true;
}

int StatusBar::Height() const {
  RECT rect = {};
  return Shown() && GetWindowRect(bar_, &rect) ? rect.bottom - rect.top : 0;
}

void StatusBar::FitParent() const {
  if (bar_ != nullptr) {
    SendMessageW(bar_, WM_SIZE, 0, 0);
  }
}

void StatusBar::SetText(const std::string& text) const {
  if (bar_ == nullptr) {
    return;
  }
  const int length = static_cast<int>(text.size());
  std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), length);
  SendMessageW(bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.data()));
}

}  // namespace ondrix
