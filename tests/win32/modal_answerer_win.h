// Answers modal boxes from inside their modal loops: a timer awaits each step's caption among
// this thread's visible windows, records the box's child texts and runs the step's action. A box
// of the steps still (or again) open a second after an answer, or none showing for five seconds,
// fails the test, and from then on every box of the thread is ended, so the test ends in seconds.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ondrix::test {

// Dispatches this thread's messages until `done`, or for `ms` at most; whether it is done.
template <typename Done>
bool PumpUntil(Done done, DWORD ms = 30000) {
  for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < ms; Sleep(10))
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
      DispatchMessageA(&message);
  return done();
}

class ModalAnswerer {
 public:
  using Action = std::function<void(HWND window)>;
  using Step = std::pair<std::string, Action>;  // a caption and its action

  ModalAnswerer(const char* caption, Action action)
      : ModalAnswerer(std::vector<Step>{{caption, std::move(action)}}) {}
  explicit ModalAnswerer(std::vector<Step> steps) : steps_(std::move(steps)) { active_ = this; }
  ~ModalAnswerer() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }

  bool answered() const { return failed_ || next_ == steps_.size(); }
  // The child windows' texts of the last box answered.
  const std::vector<std::string>& childTexts() const { return childTexts_; }
  static void Press(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }
  static void PressOk(HWND window) { Press(window, IDOK); }

 private:
  using Windows = std::vector<std::pair<HWND, std::string>>;
  static BOOL CALLBACK Add(HWND window, LPARAM windows) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    reinterpret_cast<Windows*>(windows)->push_back({window, text});
    return TRUE;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ != nullptr)
      active_->Tick();
  }

  // Ticks of 25 ms. Answers are posted, so a box answered is gone at the next tick.
  void Tick() {
    Windows top, children;
    EnumThreadWindows(GetCurrentThreadId(), Add, reinterpret_cast<LPARAM>(&top));
    HWND next = nullptr;
    bool asking = false;  // a box of one of the steps' captions shows
    for (const auto& [window, text] : top) {
      const bool shown = IsWindowVisible(window);
      for (const Step& step : steps_)
        asking |= shown && step.first == text;
      if (!next && shown && !answered() && text == steps_[next_].first)
        next = window;
    }
    if (next != nullptr) {
      idle_ = 0;
      EnumChildWindows(next, Add, reinterpret_cast<LPARAM>(&children));
      childTexts_.clear();
      for (const auto& child : children)
        childTexts_.push_back(child.second);
      steps_[next_++].second(next);
    } else if (!failed_ && ++idle_ > 40 && asking) {
      ADD_FAILURE() << "a box stayed open after its answer";
      failed_ = true;
    } else if (!answered() && idle_ > 200) {
      ADD_FAILURE() << "no box \"" << steps_[next_].first << "\" showed";
      failed_ = true;
    }
    // Once failed, every box the thread shows is ended, those it asks next included.
    if (failed_)
      for (const auto& window : top)
        EndDialog(window.first, IDCANCEL);
  }

  inline static ModalAnswerer* active_ = nullptr;
  std::vector<Step> steps_;
  UINT_PTR timer_ = SetTimer(nullptr, 0, 25, OnTimer);
  std::size_t next_ = 0;
  int idle_ = 0;
  bool failed_ = false;
  std::vector<std::string> childTexts_;
};

}  // namespace ondrix::test
