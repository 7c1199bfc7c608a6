#include "modal_answerer_win.h"

#include <gtest/gtest.h>

#include <cstring>

namespace ondrix::test {

namespace {

constexpr int kTickMilliseconds = 25;
constexpr int kIgnoredTicks = 40;
constexpr int kGiveUpTicks = 200;

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

BOOL CALLBACK EndAnyDialog(HWND window, LPARAM) {
  EndDialog(window, IDCANCEL);
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
    : ModalAnswerer(std::vector<Step>{{caption, std::move(action)}}) {}

ModalAnswerer::ModalAnswerer(std::vector<Step> steps) : steps_(std::move(steps)) {
  active_ = this;
  timer_ = SetTimer(nullptr, 0, kTickMilliseconds, OnTimer);
}

ModalAnswerer::~ModalAnswerer() {
  KillTimer(nullptr, timer_);
  active_ = nullptr;
}

const std::vector<std::string>& ModalAnswerer::childTexts() const {
  static const std::vector<std::string> none;
  return texts_.empty() ? none : texts_.back();
}

void CALLBACK ModalAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  ModalAnswerer* self = active_;
  if (self == nullptr) {
    return;
  }
  ++self->ticks_;
  if (self->last_ != nullptr && IsWindowVisible(self->last_) &&
      self->ticks_ - self->lastTick_ > kIgnoredTicks) {
    const bool waiting = self->next_ < self->steps_.size();
    if (!waiting || FindThreadWindow(self->steps_[self->next_].caption.c_str()) == nullptr) {
      ADD_FAILURE() << "a box stayed open after its answer";
      EndDialog(self->last_, IDCANCEL);
      self->last_ = nullptr;
      return;
    }
  }
  if (self->next_ == self->steps_.size()) {
    return;
  }
  const Step& step = self->steps_[self->next_];
  // Actions post their answers, and a posted message goes before the next
  // timer tick: a box answered is gone when the next step looks.
  HWND window = FindThreadWindow(step.caption.c_str());
  if (window == nullptr) {
    if (self->ticks_ - self->lastTick_ > kGiveUpTicks) {
      ADD_FAILURE() << "no box \"" << step.caption << "\" showed";
      self->next_ = self->steps_.size();
      EnumThreadWindows(GetCurrentThreadId(), EndAnyDialog, 0);
    }
    return;
  }
  ++self->next_;
  self->last_ = window;
  self->lastTick_ = self->ticks_;
  self->texts_.emplace_back();
  EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&self->texts_.back()));
  step.action(window);
}

void ModalAnswerer::PressOk(HWND window) {
  Press(window, IDOK);
}

void ModalAnswerer::Press(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void ModalAnswerer::PressEscape(HWND window) {
  HWND focus = GetFocus();
  PostMessageA(focus != nullptr ? focus : window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
}

void ModalAnswerer::CloseBox(HWND window) {
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace ondrix::test
