// Answers modal boxes from inside their own modal loops: a thread timer
// waits for a visible window of this thread with each step's caption in
// turn, records its child texts and runs the step's action on it. A box
// still open a second after its answer, with no later step showing, fails
// the test and is ended; so does waiting five seconds for a box that never
// shows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ondrix::test {

class ModalAnswerer {
 public:
  using Action = std::function<void(HWND window)>;
  struct Step {
    std::string caption;
    Action action;
  };

  ModalAnswerer(const char* caption, Action action)
      : ModalAnswerer(std::vector<Step>{{caption, std::move(action)}}) {}
  explicit ModalAnswerer(std::vector<Step> steps)
      : steps_(std::move(steps)), timer_(SetTimer(nullptr, 0, 25, OnTimer)) {
    active_ = this;
  }
  ~ModalAnswerer() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  bool answered() const { return next_ == steps_.size(); }
  const std::vector<std::vector<std::string>>& texts() const { return texts_; }
  std::vector<std::string> childTexts() const {
    return texts_.empty() ? std::vector<std::string>() : texts_.back();
  }
  static void Press(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
  }
  static void PressOk(HWND window) { Press(window, IDOK); }

 private:
  static BOOL CALLBACK Match(HWND window, LPARAM search) {
    auto& [caption, found] = *reinterpret_cast<std::pair<std::string, HWND>*>(search);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    found = IsWindowVisible(window) && caption == text ? window : nullptr;
    return found == nullptr;
  }
  static HWND Find(const std::string& caption) {
    std::pair<std::string, HWND> search = {caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), Match, reinterpret_cast<LPARAM>(&search));
    return search.second;
  }
  static BOOL CALLBACK Collect(HWND window, LPARAM texts) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    reinterpret_cast<std::vector<std::string>*>(texts)->push_back(text);
    return TRUE;
  }
  static BOOL CALLBACK End(HWND window, LPARAM) {
    EndDialog(window, IDCANCEL);
    return TRUE;
  }

  // Ticks of 25 ms. Actions post their answers, and a posted message goes
  // before the next tick: a box answered is gone when the next step looks.
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalAnswerer* self = active_;
    if (self == nullptr) {
      return;
    }
    const int idle = ++self->ticks_ - self->lastTick_;
    HWND next = self->answered() ? nullptr : Find(self->steps_[self->next_].caption);
    if (next == nullptr && idle > 40 && self->last_ != nullptr && IsWindowVisible(self->last_)) {
      ADD_FAILURE() << "a box stayed open after its answer";
      EndDialog(std::exchange(self->last_, nullptr), IDCANCEL);
    } else if (next == nullptr && !self->answered() && idle > 200) {
      ADD_FAILURE() << "no box \"" << self->steps_[self->next_].caption << "\" showed";
      self->next_ = self->steps_.size();
      EnumThreadWindows(GetCurrentThreadId(), End, 0);
    } else if (next != nullptr) {
      self->last_ = next;
      self->lastTick_ = self->ticks_;
      EnumChildWindows(next, Collect, reinterpret_cast<LPARAM>(&self->texts_.emplace_back()));
      self->steps_[self->next_++].action(next);
    }
  }

  inline static ModalAnswerer* active_ = nullptr;
  std::vector<Step> steps_;
  UINT_PTR timer_ = 0;
  std::size_t next_ = 0;
  int ticks_ = 0;
  int lastTick_ = 0;
  HWND last_ = nullptr;
  std::vector<std::vector<std::string>> texts_;
};

}  // namespace ondrix::test
