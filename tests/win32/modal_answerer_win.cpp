#include "modal_answerer_win.h"

#include <cstring>

namespace ondrix::test {

namespace {

struct WindowSearch {
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (IsWindowVisible(window) && std::strcmp(text, search->caption) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectText(HWND window, LPARAM lParam) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(text);
  return TRUE;
}

// A box that never shows up must not leave a test stuck in a modal loop:
// after this many ticks any dialog of the thread is cancelled.
constexpr int kGiveUpTicks = 200;

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, "#32770") == 0 || std::strcmp(className, "BorDlg_Gray") == 0) {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  }
  return TRUE;
}

}  // namespace

ModalAnswerer* ModalAnswerer::active_ = nullptr;

HWND FindThreadWindow(const char* caption) {
  WindowSearch search = {caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

ModalAnswerer::ModalAnswerer(const char* caption, Action action)
    : caption_(caption), action_(action) {
  active_ = this;
  timer_ = SetTimer(nullptr, 0, 25, OnTimer);
}

ModalAnswerer::~ModalAnswerer() {
  KillTimer(nullptr, timer_);
  active_ = nullptr;
}

void CALLBACK ModalAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  ModalAnswerer* self = active_;
  if (self == nullptr || self->answered_) {
    return;
  }
  if (++self->ticks_ > kGiveUpTicks) {
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
    return;
  }
  HWND window = FindThreadWindow(self->caption_.c_str());
  if (window == nullptr) {
    return;
  }
  self->answered_ = true;
  EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&self->childTexts_));
  self->action_(window);
}

void ModalAnswerer::PressOk(HWND window) {
  PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
}

void ModalAnswerer::PressEscape(HWND window) {
  HWND focus = GetFocus();
  PostMessageA(focus != nullptr ? focus : window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
}

void ModalAnswerer::CloseBox(HWND window) {
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace ondrix::test
