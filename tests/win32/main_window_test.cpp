// The main window driven with messages, its render thread, Copy Graph and print Cancel.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "app/main_window_win.h"
#include "modal_answerer_win.h"
#include "model/command_ids.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"
#include "state/app_state_win.h"
#include "wait_win.h"

namespace ondrix {
namespace {

using namespace test;

// The clipboard's DIB, "" if none, without the header fields the system fills.
std::string ClipboardDib() {
  HGLOBAL block = OpenClipboard(nullptr) ? GetClipboardData(CF_DIB) : nullptr;
  std::string dib(block ? static_cast<const char*>(GlobalLock(block)) : "", GlobalSize(block));
  GlobalUnlock(block);
  CloseClipboard();
  return dib.size() < 40 ? "" : dib.replace(16, 24, 24, '\0');
}

// A 24-bit DIB of the surface: header, then rows bottom-up, each padded to 4 bytes.
std::string DibOf(const RasterSurface& surface) {
  const int width = surface.Width(), height = surface.Height();
  const BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string dib(reinterpret_cast<const char*>(&header), sizeof header);
  for (int y = height - 1; y >= 0; --y, dib.resize((dib.size() + 3) & ~3u)) {
    for (int x = 0; x < width; ++x) {
      const Color pixel = surface.PixelAt(x, y);  // 0x00BBGGRR
      dib += {char(pixel >> 16), char(pixel >> 8), char(pixel)};
    }
  }
  return dib;
}

class MainWindowTest : public testing::Test {
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
  // Paints, lets the render thread finish and returns the renders started.
  std::uint32_t Renders(BOOL invalidate = TRUE) {
    const std::uint32_t before = GraphRenderCount();
    RedrawWindow(window_, nullptr, nullptr, (invalidate ? RDW_INVALIDATE : 0) | RDW_UPDATENOW);
    EXPECT_TRUE(PumpUntil([] { return !GraphRenderPending(); }));
    return GraphRenderCount() - before;
  }
  HWND window_ = nullptr;
};

TEST_F(MainWindowTest, CommandsKeysTheImageCacheAndCopyGraph) {
  struct Step {
    UINT message;  // a command, or a key message for the accelerators
    WPARAM id;
    UINT checked, unchecked, renders;
  } steps[] = {
      {WM_COMMAND, CM_TANGENT, CM_TANGENT, CM_SINE, 1},
      {WM_CHAR, '1', CM_SINE, CM_TANGENT, 1},
      {WM_COMMAND, CM_NO_CONNECTION, CM_NO_CONNECTION, CM_CONNECTED_DOTS, 1},
      {WM_COMMAND, CM_CONNECTED_DOTS, CM_CONNECTED_DOTS, CM_NO_CONNECTION, 1},
      {WM_CHAR, '.', CM_POINT_SONAR, CM_TANGENT, 1},
      {WM_COMMAND, CM_POINT_SONAR, CM_SINE, CM_POINT_SONAR, 1},
      {WM_KEYDOWN, VK_SPACE, CM_SINE, CM_GRID_LINES, 1},
      {WM_COMMAND, CM_GRID_LINES, CM_GRID_LINES, CM_COSINE, 1},
      {WM_KEYDOWN, 'C', CM_GRID_LINES, CM_TANGENT, 0},  // without Ctrl
      {WM_COMMAND, CM_COPY_GRAPH, CM_GRID_LINES, CM_TANGENT, 0},
  };
  Size(201, 150);
  Renders(FALSE);
  const DWORD gdiObjects = LiveGdiObjects();
  for (std::size_t i = 0; i < 30 * std::size(steps); ++i) {
    const Step& step = steps[i % std::size(steps)];
    SCOPED_TRACE(step.id);
    EXPECT_EQ(Send(step.message, step.id), step.message == WM_COMMAND || step.renders == 1);
    EXPECT_TRUE(GetMenuState(graphMenu, step.checked, 0) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(graphMenu, step.unchecked, 0) & MF_CHECKED);
    EXPECT_EQ(Renders(FALSE), step.renders);
    EXPECT_EQ(Renders(), 0u);
  }
  EXPECT_EQ(LiveGdiObjects(), gdiObjects);
  ShowWindow(window_, SW_MINIMIZE);  // copies nothing, draws nothing
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
  Send(WM_COMMAND, CM_TANGENT);
  Send(WM_COMMAND, CM_COPY_GRAPH);
  EXPECT_FALSE(Renders() || IsClipboardFormatAvailable(CF_DIB));
  ShowWindow(window_, SW_RESTORE);
  Size(230, 170);  // rows that need padding; the first copy draws the stale image
  const std::uint32_t renders = GraphRenderCount();
  RasterSurface expected(230, 170);
  DrawGraph(expected, 0, 0, 230, 170, currentSettings);
  for (UINT message : {WM_COMMAND, WM_KEYDOWN}) {  // from the menu, then Ctrl+C
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
    EXPECT_TRUE(Send(message, message == WM_COMMAND ? CM_COPY_GRAPH : 'C', 0x80));
    PumpUntil([] { return IsClipboardFormatAvailable(CF_DIB) != FALSE; }, 5000);
    EXPECT_TRUE(ClipboardDib() == DibOf(expected) && GetClipboardOwner() == window_);
  }
  EXPECT_EQ(GraphRenderCount() - renders, 1u);
  Size(240, 180);  // a new size alone draws anew
  EXPECT_EQ(Renders(FALSE), 1u);
  // The clipboard held open elsewhere: a message, and the clipboard as it was.
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
  ModalAnswerer answerer("Copy Graph", ModalAnswerer::PressOk);
  Send(WM_COMMAND, CM_COPY_GRAPH);
  EXPECT_TRUE(answerer.answered() && CloseClipboard() && !IsClipboardFormatAvailable(CF_DIB));
}

TEST_F(MainWindowTest, SettingsThatTakeHoursToDrawNeverLockTheUserOut) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix", "X Tick Mark Frequency", REG_SZ,
                  "1e-7", 5);
  const std::uint32_t renders = GraphRenderCount();
  Size(400, 300);
  // A frozen window would hold the suite for hours: the run ends at once instead.
  std::thread([window = window_] {
    for (DWORD_PTR result; IsWindow(window); Sleep(50)) {
      if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, 0, 1000, &result) && IsWindow(window)) {
        TerminateProcess(GetCurrentProcess(), 3);
      }
    }
  }).detach();
  EXPECT_TRUE(Send(WM_CHAR, '3') && !PumpUntil([] { return false; }, 300));
  ModalAnswerer answerer("Grid Properties - Ondrix", ModalAnswerer::PressOk);
  EXPECT_TRUE(Send(WM_COMMAND, CM_GRID_PROPERTIES) && answerer.answered());
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(GraphRenderCount() - renders, 2u);  // the second abandoned the first
  // Its print stops drawing on Cancel after the page has begun; Alt+F4 ends.
  Send(WM_COMMAND, CM_PRINT_GRAPH);
  HWND status = printStatusWindow, dialog = nullptr;
  EXPECT_TRUE(PumpUntil([&] { return (dialog = FindWindowA(nullptr, "Print")) != nullptr; }));
  PostMessageA(dialog, WM_COMMAND, IDOK, LPARAM(GetDlgItem(dialog, IDOK)));
  PumpUntil([] { return false; }, 4000);  // past the wait before the page
  PostMessageA(status, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(PumpUntil([] { return printInProgress == 0; }, 2000));
  SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(window_) || GraphRenderPending());
}

}  // namespace
}  // namespace ondrix
