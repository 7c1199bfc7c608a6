// Answers a modal dialog or message box from inside its own modal loop: a
// thread timer looks for a window of this thread with the given caption,
// records its child windows' texts and runs an action on it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ondrix::test {

class ModalAnswerer {
 public:
  using Action = void (*)(HWND window);

  ModalAnswerer(const char* caption, Action action);
  ~ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  bool answered() const { return answered_; }
  // The texts of the window's children (statics and buttons), in z-order.
  const std::vector<std::string>& childTexts() const { return childTexts_; }

  // Actions.
  static void PressOk(HWND window);
  static void PressEscape(HWND window);
  static void CloseBox(HWND window);

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  static ModalAnswerer* active_;

  std::string caption_;
  Action action_;
  UINT_PTR timer_ = 0;
  int ticks_ = 0;
  bool answered_ = false;
  std::vector<std::string> childTexts_;
};

// The top-level window of this thread with the caption, or null.
HWND FindThreadWindow(const char* caption);

}  // namespace ondrix::test
