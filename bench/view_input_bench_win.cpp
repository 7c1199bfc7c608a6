// The real main window's answer to the mouse, timed by hand: from one wheel
// notch, or from the last move of a fast drag, to the new view's exact image
// on the screen (no render under way, nothing left to paint, every pixel as
// DrawGraph makes it), with the renders started and a look for a stale one
// that finishes later ("quiet": none starts and the image stays for 300 ms).
// "moves ms" is how long the window took to take a drag's 100 moves; at
// 120 Hz, 825 ms keeps up. HKCU points at an empty volatile key meanwhile, so
// the window starts on the defaults and nothing the user stored is touched.
//
//   make -C build/win64 view_input_bench
//   wine64 build/win64/bin/view_input_bench.exe    (on an X display; Xvfb will do)

// First: it includes windows.h.
#include "app/main_window_win.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "bwcc/bwcc_win.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"
#include "state/app_state_win.h"

namespace {

using namespace ondrix;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kNotches = 50;
constexpr int kDrags = 10;
constexpr int kMoves = 100;
constexpr int kMoveStep = 3;  // pixels along each axis that moves
constexpr double kMovePeriodMs = 1000.0 / 120;
constexpr double kGiveUpMs = 10000;

double Milliseconds() {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void DispatchWaiting() {
  for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
    DispatchMessageA(&message);
  }
}

void PumpUntil(double until) {
  for (double now = Milliseconds(); now < until; now = Milliseconds()) {
    DispatchWaiting();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
  }
  DispatchWaiting();
}

// Pumps until a render started after `renders` is done and painted; the
// milliseconds since `start`, or -1 when that takes too long.
double WaitForImage(HWND window, std::uint32_t renders, double start) {
  for (;;) {
    DispatchWaiting();
    if (GraphRenderCount(window) != renders && !GraphRenderPending(window) &&
        !GetUpdateRect(window, nullptr, FALSE)) {
      return Milliseconds() - start;
    }
    if (Milliseconds() - start > kGiveUpMs) {
      return -1;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

// Whether the client area shows exactly DrawGraph's image of the live settings.
bool ShowsLiveView(HWND window) {
  RasterSurface expected(kWidth, kHeight);
  DrawGraph(expected, 0, 0, kWidth, kHeight, currentSettings);
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  DWORD* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap =
      CreateDIBSection(memory, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  HGDIOBJ kept = SelectObject(memory, bitmap);
  HDC screen = GetDC(window);
  BitBlt(memory, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
  ReleaseDC(window, screen);
  bool same = bits != nullptr;
  for (std::size_t i = 0; same && i < expected.Pixels().size(); ++i) {
    const DWORD p = bits[i];  // 0x00RRGGBB, where a COLORREF is 0x00BBGGRR
    same = (((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16)) == expected.Pixels()[i];
  }
  SelectObject(memory, kept);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return same;
}

struct Row {
  explicit Row(const char* rowName) : name(rowName) {}
  const char* name;
  std::vector<double> ms;
  std::vector<double> moving;  // from a drag's first move to its last
  std::uint32_t renders = 0;
  std::uint32_t inputs = 0;
  int exact = 0;
  int quiet = 0;  // no render started and the image unchanged 300 ms on
};

// After the image is there: whether it stays exact with no render started.
bool StaysQuiet(HWND window) {
  const std::uint32_t renders = GraphRenderCount(window);
  PumpUntil(Milliseconds() + 300);
  return GraphRenderCount(window) == renders && !GraphRenderPending(window) &&
         ShowsLiveView(window);
}

void Notch(HWND window, POINT screen, short delta, Row& row) {
  const std::uint32_t renders = GraphRenderCount(window);
  const double start = Milliseconds();
  PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
  row.ms.push_back(WaitForImage(window, renders, start));
  row.renders += GraphRenderCount(window) - renders;
  row.inputs += 1;
  row.exact += ShowsLiveView(window);
  row.quiet += StaysQuiet(window);
}

// kMoves moves of (stepX, stepY) pixels about the centre, posted at once or
// one per 120 Hz frame; a move waits for the window to handle the one before.
void Drag(HWND window, int stepX, int stepY, bool paced, Row& row) {
  const std::uint32_t first = GraphRenderCount(window);
  int x = (kWidth - kMoves * stepX) / 2;
  int y = (kHeight - kMoves * stepY) / 2;
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  std::uint32_t beforeLast = first;
  const double firstMove = Milliseconds();
  double lastMove = firstMove;
  for (int i = 1; i <= kMoves; ++i) {
    x += stepX;
    y += stepY;
    beforeLast = GraphRenderCount(window);
    lastMove = Milliseconds();
    PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    if (paced && i < kMoves) {
      PumpUntil(lastMove + kMovePeriodMs);
    }
  }
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  row.moving.push_back(lastMove - firstMove);
  row.ms.push_back(WaitForImage(window, beforeLast, lastMove));
  row.renders += GraphRenderCount(window) - first;
  row.inputs += kMoves;
  row.exact += ShowsLiveView(window);
  row.quiet += StaysQuiet(window);
}

void Print(const Row& row) {
  std::vector<double> ms = row.ms;
  std::sort(ms.begin(), ms.end());
  const std::size_t runs = ms.size();
  if (ms.front() < 0) {
    std::printf("%-30s %4zu   no new image within %.0f s\n", row.name, runs, kGiveUpMs / 1000);
    return;
  }
  std::vector<double> moving = row.moving;
  std::sort(moving.begin(), moving.end());
  char movingText[16] = "-";
  if (!moving.empty()) {
    std::snprintf(movingText, sizeof movingText, "%.0f", moving[moving.size() / 2]);
  }
  std::printf("%-30s %4zu %9.1f %8.1f %9s %6u/%-5u %3d/%-3zu %3d/%-3zu\n", row.name, runs,
              ms[runs / 2], ms.back(), movingText, row.renders, row.inputs, row.exact, runs,
              row.quiet, runs);
}

}  // namespace

int main() {
  appInstance = GetModuleHandleA(nullptr);
  BWCCRegister(appInstance);
  HKEY empty = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Ondrix view bench", 0, nullptr,
                      REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &empty,
                      nullptr) != ERROR_SUCCESS ||
      RegOverridePredefKey(HKEY_CURRENT_USER, empty) != ERROR_SUCCESS) {
    std::fprintf(stderr, "no empty key to stand for HKCU\n");
    return 1;
  }
  HWND window = RegisterMainWindowClass(appInstance) != 0 ? CreateMainWindow(appInstance) : nullptr;
  if (window == nullptr) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  const std::uint32_t unpainted = GraphRenderCount(window);
  RECT frame = {0, 0, kWidth, kHeight};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
  SetWindowPos(window, HWND_TOP, 0, 0, frame.right - frame.left, frame.bottom - frame.top, 0);
  RECT client;
  GetClientRect(window, &client);
  if (client.right != kWidth || client.bottom != kHeight ||
      WaitForImage(window, unpainted, Milliseconds()) < 0 || !ShowsLiveView(window)) {
    std::fprintf(stderr, "the client area is %ldx%ld, not the default graph at %dx%d\n",
                 client.right, client.bottom, kWidth, kHeight);
    return 1;
  }

  Row wheel("wheel notch, in and out");
  POINT at = {300, 200};
  ClientToScreen(window, &at);
  // A wait given up ends its row: the input did nothing.
  for (int i = 0; i < kNotches && (wheel.ms.empty() || wheel.ms.back() >= 0); ++i) {
    Notch(window, at, static_cast<short>(i % 2 == 0 ? WHEEL_DELTA : -WHEEL_DELTA), wheel);
  }
  // Along x alone, and diagonally, where every move changes both ranges.
  struct DragRow {
    Row row;
    int stepX;
    int stepY;
    bool paced;
  };
  DragRow drags[] = {{Row("drag along x, moves at once"), kMoveStep, 0, false},
                     {Row("drag along x, 120 Hz"), kMoveStep, 0, true},
                     {Row("drag diagonally, 120 Hz"), kMoveStep, -kMoveStep, true}};
  for (DragRow& drag : drags) {
    for (int i = 0; i < kDrags && (drag.row.ms.empty() || drag.row.ms.back() >= 0); ++i) {
      const int sign = i % 2 == 0 ? 1 : -1;
      Drag(window, sign * drag.stepX, sign * drag.stepY, drag.paced, drag.row);
    }
  }

  std::printf("%-30s %4s %9s %8s %9s %12s %7s %7s\n", "input (to the exact image)", "runs",
              "median ms", "max ms", "moves ms", "renders/in", "exact", "quiet");
  Print(wheel);
  for (const DragRow& drag : drags) {
    Print(drag.row);
  }

  DestroyWindow(window);
  ReleaseMainWindowResources(appInstance);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(empty);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Ondrix view bench");
  return 0;
}
