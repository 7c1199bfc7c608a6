// What the Win32 tests share: a main window on a fresh settings key, modal boxes answered from
// inside their modal loops, GDI read back through a DIB section, and the registry read back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "../render/first_difference.h"
#include "app/main_window_win.h"
#include "state/app_state_win.h"

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
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { active_ ? active_->Tick() : void(); }

  // Every 25 ms; answers are posted. A box left open or never shown fails and ends every box.
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
      childTexts_.assign(children.size(), "");
      std::transform(children.begin(), children.end(), childTexts_.begin(),
                     [](auto& c) { return c.second; });
      steps_[next_++].second(next);
    } else if (!failed_ && ++idle_ > 40 && asking) {
      ADD_FAILURE() << "a box stayed open after its answer";
      failed_ = true;
    } else if (!answered() && idle_ > 200) {
      ADD_FAILURE() << "no box \"" << steps_[next_].first << "\" showed";
      failed_ = true;
    }
    if (failed_)  // every box the thread shows is ended, those it asks next included
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

// A memory DC with a zeroed 32-bit top-down DIB section, to read back GDI.
class DibCanvas {
 public:
  DibCanvas(std::int32_t width, std::int32_t height) : size_(std::size_t(width) * height) {
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    previous_ = SelectObject(dc_, CreateDIBSection(dc_, &info, DIB_RGB_COLORS,
                                                   reinterpret_cast<void**>(&bits_), nullptr, 0));
  }
  ~DibCanvas() {
    DeleteObject(SelectObject(dc_, previous_));
    DeleteDC(dc_);
  }

  HDC Dc() const { return dc_; }
  // Row by row as COLORREFs 0x00BBGGRR, where the DIB stores 0x00RRGGBB; a stray top byte shows.
  std::vector<std::uint32_t> Pixels() const {
    std::vector<std::uint32_t> pixels(bits_, bits_ + size_);
    for (std::uint32_t& p : pixels)
      p = ColorrefOf(p);
    return pixels;
  }
  static std::uint32_t ColorrefOf(std::uint32_t dib) {
    return (dib & 0xFF00FF00u) | ((dib >> 16) & 0xFFu) | ((dib & 0xFFu) << 16);
  }

 private:
  std::size_t size_;
  HDC dc_ = CreateCompatibleDC(nullptr);
  HGDIOBJ previous_;
  DWORD* bits_ = nullptr;
};

using Pixels = std::vector<std::uint32_t>;

inline bool Has(const std::vector<std::string>& texts, const std::string& text) {
  return std::count(texts.begin(), texts.end(), text) > 0;
}

inline Pixels Played(HENHMETAFILE metafile, int width, int height) {
  DibCanvas canvas(width, height);
  const RECT rect = {0, 0, width, height};
  PlayEnhMetaFile(canvas.Dc(), metafile, &rect);
  return canvas.Pixels();
}

inline std::string Dword(std::uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), 4);
}

// A stored value as "TYPE:BYTES"; "" when there is none.
inline std::string Stored(const char* name) {
  char data[MAX_PATH] = {};
  DWORD type = 0, size = sizeof data;
  return RegGetValueA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix", name, RRF_RT_ANY, &type, data,
                      &size)
             ? ""
             : std::to_string(type) + ":" + std::string(data, size);
}

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velmora");
    ASSERT_NE(RegisterMainWindowClass(appInstance), 0);
  }
  void TearDown() override {
    DestroyWindow(window_);
    ReleaseMainWindowResources(appInstance);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velmora");
  }
  // The window, made on first use, given that client size.
  void Size(int width, int height) {
    window_ = IsWindow(window_) ? window_ : CreateMainWindow(appInstance);
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, 0);
  }
  // A command, or a key for the accelerators with Ctrl up or down (0x80).
  bool Send(UINT message, WPARAM id, BYTE control = 0) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = control;
    MSG msg = {window_, message, id, 1, 0, {}};
    return message == WM_COMMAND
               ? !SendMessageA(window_, message, id, 0)
               : SetKeyboardState(keys) &&
                     TranslateAcceleratorA(window_, LoadAcceleratorsA(appInstance, "GRAPH"), &msg);
  }
  HWND window_ = nullptr;
};

}  // namespace ondrix::test
