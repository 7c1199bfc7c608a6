// Answers modal boxes from inside their own modal loops: a thread timer
// waits for a visible window of this thread with each step's caption in
// turn, records its texts and runs the step's action on it. A box still open
// a second after its answer, with no later step answered, fails the test and
// is ended; so does waiting five seconds for a box that never shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ondrix::test {

class ModalAnswerer {
 public:
  using Action = std::function<void(HWND window)>;
  struct Step {
    std::string caption;
    Action action;
  };

  ModalAnswerer(const char* caption, Action action);
  explicit ModalAnswerer(std::vector<Step> steps);
  ~ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  bool answered() const { return next_ == steps_.size(); }
  // The texts of each answered window's children (statics and buttons).
  const std::vector<std::vector<std::string>>& texts() const { return texts_; }
  const std::vector<std::string>& childTexts() const;

  static void PressOk(HWND window);
  static void PressEscape(HWND window);
  static void CloseBox(HWND window);
  static void Press(HWND window, int id);

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  static ModalAnswerer* active_;

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  UINT_PTR timer_ = 0;
  int ticks_ = 0;
  HWND last_ = nullptr;
  int lastTick_ = 0;
  std::vector<std::vector<std::string>> texts_;
};

// The visible top-level window of this thread with the caption, or null.
HWND FindThreadWindow(const char* caption);

}  // namespace ondrix::test
