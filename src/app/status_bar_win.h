// The status bar below the graph, which reads out the pointer and the curve.
#pragma once

#include <windows.h>

#include <string>

namespace ondrix {

class StatusBar {
 public:
  // Shows or hides the bar, making it the first time it is shown; false
  // when it could not be made.
  bool Show(HWND parent, bool shown);
  bool Shown() const { return bar_ != nullptr && IsWindowVisible(bar_); }
  // The rows it takes at the foot of the client area; 0 while hidden.
  int Height() const;
  // WM_SIZE of the parent: the bar keeps to the foot.
  void FitParent() const;
  // UTF-8, set through the wide call: the ANSI code pages lack π and −.
  void SetText(const std::string& text) const;
  HWND Handle() const { return bar_; }

 private:
  // A child: it goes with the main window.
  HWND bar_ = nullptr;
};

}  // namespace ondrix
