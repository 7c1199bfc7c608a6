// The real main window driven with messages: check marks, caption, settings,
// the cached image, accelerators, the exit sequence and the About box.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/about_dialog_win.h"
#include "app/main_window_win.h"
#include "modal_answerer_win.h"
#include "model/command_ids.h"
#include "model/graph_settings.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

using test::ModalAnswerer;

constexpr char kSettingsKey[] = "Software\\Velmora\\Ondrix";

// Every item that can carry a check mark.
constexpr std::int32_t kCheckableItems[] = {
    CM_SINE,          CM_COSINE,      CM_TANGENT,        CM_COTANGENT,
    CM_SECANT,        CM_COSECANT,    CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS,
    CM_NO_CONNECTION, CM_POINT_SONAR, CM_GRID_LINES};

// GDI objects alive in this process. Wine answers GetGuiResources with 0;
// there the low word of a handle alone finds a live object, so the low words
// that find one are counted instead.
DWORD LiveGdiObjects() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) {
    return reported;
  }
  DWORD count = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) {
    count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
  }
  return count;
}

bool SettingsKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::vector<std::int32_t> CheckedItems() {
  std::vector<std::int32_t> checked;
  for (std::int32_t id : kCheckableItems) {
    if (GetMenuState(graphMenu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) {
      checked.push_back(id);
    }
  }
  std::sort(checked.begin(), checked.end());
  return checked;
}

std::vector<std::int32_t> Sorted(std::initializer_list<std::int32_t> ids) {
  std::vector<std::int32_t> sorted(ids);
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

// Removes whatever is queued, and tells whether a quit message with exit
// code 0 was among it.
bool DrainQueueFindQuit() {
  bool quit = false;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = message.wParam == 0;
    } else {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return quit;
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    // The state WinMain starts from.
    currentSettings = GraphSettings{};
    redrawGraph = 0;
    printInProgress = 0;
    graphBitmap = nullptr;
    graphBitmapRect = RECT{};
    ASSERT_NE(RegisterMainWindowClass(appInstance), 0);
    window_ = CreateMainWindow(appInstance);
    ASSERT_NE(window_, nullptr);
    UpdateWindow(window_);
    DrainQueueFindQuit();
  }

  void TearDown() override {
    printInProgress = 0;
    if (IsWindow(window_)) {
      DestroyWindow(window_);
    }
    ReleaseMainWindowResources(appInstance);
    DrainQueueFindQuit();
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  }

  void Command(std::int32_t id) { SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  // Lets pending paints happen; returns the number of renders they made.
  std::uint32_t RendersOfNextPaint() {
    const std::uint32_t before = GraphRenderCount();
    UpdateWindow(window_);
    return GraphRenderCount() - before;
  }

  std::uint32_t RendersOfFullRepaint() {
    InvalidateRect(window_, nullptr, FALSE);
    return RendersOfNextPaint();
  }

  void SetClientSize(int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  RECT ClientRect() const {
    RECT client = {};
    GetClientRect(window_, &client);
    return client;
  }

  HWND window_ = nullptr;
};

TEST_F(MainWindowTest, FirstRunShowsDefaultsWithMatchingChecksAndCaption) {
  EXPECT_EQ(WindowText(window_), "Sine - Ondrix");
  EXPECT_EQ(CheckedItems(), Sorted({CM_SINE, CM_CONNECTED_DOTS, CM_GRID_LINES}));
  EXPECT_STREQ(currentSettings.functionName, "Sine");
  EXPECT_EQ(currentSettings.graphMethod, CM_SINE);
  EXPECT_EQ(currentSettings.connectMethod, CM_CONNECTED_DOTS);
  EXPECT_EQ(currentSettings.grid, 1);
  EXPECT_EQ(currentSettings.sonar, 0);
  EXPECT_EQ(graphMenu, GetMenu(window_));
  EXPECT_EQ(printDialogData.lStructSize, sizeof(PRINTDLGA));
  EXPECT_EQ(printDialogData.hDevMode, nullptr);
  EXPECT_EQ(printStatusWindow, nullptr);
  // The first paint rendered the image for the whole client area.
  ASSERT_NE(graphBitmap, nullptr);
  const RECT client = ClientRect();
  EXPECT_TRUE(EqualRect(&graphBitmapRect, &client));
  EXPECT_EQ(redrawGraph, 0);
}

TEST_F(MainWindowTest, WindowHasItsIconAndDoesNotEraseItsBackground) {
  WNDCLASSA info = {};
  ASSERT_TRUE(GetClassInfoA(appInstance, kMainWindowClassName, &info));
  EXPECT_NE(info.hIcon, nullptr);
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE));
  EXPECT_EQ(style & (WS_OVERLAPPEDWINDOW | WS_VISIBLE),
            static_cast<DWORD>(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  // Background erasing is suppressed: the image covers the client area.
  HDC dc = GetDC(window_);
  EXPECT_NE(SendMessageA(window_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  ReleaseDC(window_, dc);
}

TEST_F(MainWindowTest, CleanUpAfterTheLoopReleasesPrintBlocksThreadHandleClassAndImage) {
  SendMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_FALSE(IsWindow(window_));
  printDialogData.hDevMode = GlobalAlloc(GMEM_MOVEABLE, 64);
  printDialogData.hDevNames = GlobalAlloc(GMEM_MOVEABLE, 64);
  printThreadHandle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HBITMAP image = graphBitmap;
  ASSERT_NE(image, nullptr);

  ReleaseMainWindowResources(appInstance);
  EXPECT_EQ(printDialogData.hDevMode, nullptr);
  EXPECT_EQ(printDialogData.hDevNames, nullptr);
  EXPECT_EQ(printThreadHandle, nullptr);
  EXPECT_EQ(graphBitmap, nullptr);
  const RECT empty = {};
  EXPECT_TRUE(EqualRect(&graphBitmapRect, &empty));
  EXPECT_EQ(GetObjectType(image), 0u);
  WNDCLASSA info = {};
  EXPECT_FALSE(GetClassInfoA(appInstance, kMainWindowClassName, &info));
}

TEST_F(MainWindowTest, CommandsMoveCheckMarksCaptionAndSettingsAndRenderAnew) {
  // Each step: the command, then the function, connection, grid and sonar
  // it leaves; the check marks and caption follow from those.
  const std::int32_t steps[][5] = {
      {CM_TANGENT, CM_TANGENT, CM_CONNECTED_DOTS, 1, 0},
      {CM_COSINE, CM_COSINE, CM_CONNECTED_DOTS, 1, 0},
      {CM_COTANGENT, CM_COTANGENT, CM_CONNECTED_DOTS, 1, 0},
      {CM_SECANT, CM_SECANT, CM_CONNECTED_DOTS, 1, 0},
      {CM_COSECANT, CM_COSECANT, CM_CONNECTED_DOTS, 1, 0},
      {CM_SINE, CM_SINE, CM_CONNECTED_DOTS, 1, 0},
      // The current function again keeps its check and still renders.
      {CM_SINE, CM_SINE, CM_CONNECTED_DOTS, 1, 0},
      {CM_UNCONNECTED_DOTS, CM_SINE, CM_UNCONNECTED_DOTS, 1, 0},
      {CM_NO_CONNECTION, CM_SINE, CM_NO_CONNECTION, 1, 0},
      {CM_NO_CONNECTION, CM_SINE, CM_NO_CONNECTION, 1, 0},
      {CM_CONNECTED_DOTS, CM_SINE, CM_CONNECTED_DOTS, 1, 0},
      {CM_POINT_SONAR, CM_SINE, CM_CONNECTED_DOTS, 1, 1},
      {CM_GRID_LINES, CM_SINE, CM_CONNECTED_DOTS, 0, 1},
      {CM_POINT_SONAR, CM_SINE, CM_CONNECTED_DOTS, 0, 0},
      {CM_GRID_LINES, CM_SINE, CM_CONNECTED_DOTS, 1, 0},
  };
  auto caption = [](std::int32_t function) {
    const std::pair<std::int32_t, const char*> names[] = {
        {CM_SINE, "Sine"},           {CM_COSINE, "Cosine"}, {CM_TANGENT, "Tangent"},
        {CM_COTANGENT, "Cotangent"}, {CM_SECANT, "Secant"}, {CM_COSECANT, "Cosecant"}};
    for (const auto& name : names) {
      if (name.first == function) {
        return std::string(name.second) + " - Ondrix";
      }
    }
    return std::string();
  };
  for (const auto& step : steps) {
    SCOPED_TRACE("command " + std::to_string(step[0]));
    Command(step[0]);
    EXPECT_EQ(redrawGraph, 1);
    std::vector<std::int32_t> checked = {step[1], step[2]};
    if (step[3] != 0) {
      checked.push_back(CM_GRID_LINES);
    }
    if (step[4] != 0) {
      checked.push_back(CM_POINT_SONAR);
    }
    std::sort(checked.begin(), checked.end());
    EXPECT_EQ(CheckedItems(), checked);
    // Connection methods, grid and sonar leave the caption alone.
    EXPECT_EQ(WindowText(window_), caption(step[1]));
    EXPECT_EQ(currentSettings.graphMethod, step[1]);
    EXPECT_EQ(currentSettings.connectMethod, step[2]);
    EXPECT_EQ(currentSettings.grid, step[3]);
    EXPECT_EQ(currentSettings.sonar, step[4]);
    // The command invalidated the window itself; its paint renders once.
    EXPECT_EQ(RendersOfNextPaint(), 1u);
    EXPECT_EQ(redrawGraph, 0);
  }
}

TEST_F(MainWindowTest, GridToggleCountsAnyNonzeroValueAsOn) {
  currentSettings.grid = 7;
  Command(CM_GRID_LINES);
  EXPECT_EQ(currentSettings.grid, 0);
  EXPECT_FALSE(GetMenuState(graphMenu, CM_GRID_LINES, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MainWindowTest, IdentifiersOutsideTheCommandRangeDoNothing) {
  const GraphSettings before = currentSettings;
  const std::vector<std::int32_t> checkedBefore = CheckedItems();
  for (std::int32_t id : {0, 1, 2, CM_PRINT_DONE, 115, 132, 200, 0xFFFF}) {
    SCOPED_TRACE("identifier " + std::to_string(id));
    Command(id);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(std::memcmp(&before, &currentSettings, sizeof before), 0);
    EXPECT_EQ(CheckedItems(), checkedBefore);
    EXPECT_EQ(WindowText(window_), "Sine - Ondrix");
    EXPECT_EQ(redrawGraph, 0);
    EXPECT_EQ(RendersOfFullRepaint(), 0u);
  }
}

TEST_F(MainWindowTest, UnchangedRepaintCopiesOnlyTheUpdateRectangleFromTheImage) {
  SetClientSize(240, 180);
  ASSERT_EQ(RendersOfNextPaint(), 1u);

  // Paint the window over, then uncover a part of it.
  const COLORREF paint = RGB(255, 0, 255);
  HDC windowDc = GetDC(window_);
  HBRUSH brush = CreateSolidBrush(paint);
  const RECT client = ClientRect();
  FillRect(windowDc, &client, brush);
  DeleteObject(brush);
  const RECT uncovered = {10, 20, 110, 90};
  InvalidateRect(window_, &uncovered, TRUE);
  EXPECT_EQ(RendersOfNextPaint(), 0u);

  HDC imageDc = CreateCompatibleDC(windowDc);
  HGDIOBJ previous = SelectObject(imageDc, graphBitmap);
  int copied = 0;
  for (int y = uncovered.top; y < uncovered.bottom; y += 7) {
    for (int x = uncovered.left; x < uncovered.right; x += 7) {
      copied += GetPixel(windowDc, x, y) == GetPixel(imageDc, x, y) ? 1 : 0;
    }
  }
  const POINT outside[] = {{5, 5}, {uncovered.right, uncovered.top}, {150, 150}, {9, 60}};
  for (POINT point : outside) {
    EXPECT_EQ(GetPixel(windowDc, point.x, point.y), paint) << point.x << "," << point.y;
  }
  SelectObject(imageDc, previous);
  DeleteDC(imageDc);
  ReleaseDC(window_, windowDc);
  EXPECT_EQ(copied, 15 * 10);
}

TEST_F(MainWindowTest, ResizeRendersAnewAtTheNewClientSize) {
  SetClientSize(200, 150);
  EXPECT_EQ(RendersOfNextPaint(), 1u);
  SetClientSize(260, 170);
  EXPECT_EQ(RendersOfNextPaint(), 1u);
  const RECT client = ClientRect();
  EXPECT_EQ(client.right, 260);
  EXPECT_EQ(client.bottom, 170);
  EXPECT_TRUE(EqualRect(&graphBitmapRect, &client));
  BITMAP bitmap = {};
  ASSERT_NE(GetObjectA(graphBitmap, sizeof bitmap, &bitmap), 0);
  EXPECT_EQ(bitmap.bmWidth, 260);
  EXPECT_EQ(bitmap.bmHeight, 170);
  // Same size again: nothing to render.
  EXPECT_EQ(RendersOfFullRepaint(), 0u);
}

TEST_F(MainWindowTest, MinimisedWindowDrawsNothingAndKeepsTheImage) {
  SetClientSize(200, 150);
  ASSERT_EQ(RendersOfNextPaint(), 1u);
  HBITMAP image = graphBitmap;
  const RECT imageRect = graphBitmapRect;

  ShowWindow(window_, SW_MINIMIZE);
  EXPECT_EQ(RendersOfFullRepaint(), 0u);
  Command(CM_TANGENT);
  EXPECT_EQ(RendersOfFullRepaint(), 0u);
  EXPECT_EQ(graphBitmap, image);
  EXPECT_TRUE(EqualRect(&graphBitmapRect, &imageRect));
  EXPECT_EQ(redrawGraph, 1);

  // Restored at the same size, the stale image is rendered once.
  ShowWindow(window_, SW_RESTORE);
  EXPECT_EQ(RendersOfNextPaint(), 1u);
  EXPECT_EQ(RendersOfFullRepaint(), 0u);
}

TEST_F(MainWindowTest, AcceleratorTableHasTheNineEntriesInOrder) {
  HACCEL table = LoadAcceleratorsA(appInstance, "GRAPH");
  ASSERT_NE(table, nullptr);
  ACCEL entries[16] = {};
  ASSERT_EQ(CopyAcceleratorTableA(table, entries, 16), 9);
  struct Expected {
    BYTE flags;
    WORD key;
    WORD command;
  };
  const Expected expected[9] = {
      {0, '1', CM_SINE},
      {0, '2', CM_COSINE},
      {0, '3', CM_TANGENT},
      {0, '4', CM_COTANGENT},
      {0, '5', CM_SECANT},
      {0, '6', CM_COSECANT},
      {FVIRTKEY | FALT, VK_RETURN, CM_GRID_PROPERTIES},
      {FVIRTKEY, VK_SPACE, CM_GRID_LINES},
      {0, '.', CM_POINT_SONAR},
  };
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(entries[i].fVirt, expected[i].flags);
    EXPECT_EQ(entries[i].key, expected[i].key);
    EXPECT_EQ(entries[i].cmd, expected[i].command);
  }
}

TEST_F(MainWindowTest, AcceleratorKeysReachTheCommands) {
  HACCEL table = LoadAcceleratorsA(appInstance, "GRAPH");
  ASSERT_NE(table, nullptr);
  struct Key {
    UINT message;
    WPARAM key;
    bool translated;
    std::int32_t graphMethod;
    std::int32_t grid;
    std::int32_t sonar;
  };
  const Key keys[] = {
      {WM_CHAR, '3', true, CM_TANGENT, 1, 0},
      {WM_CHAR, '2', true, CM_COSINE, 1, 0},
      {WM_CHAR, '4', true, CM_COTANGENT, 1, 0},
      {WM_CHAR, '5', true, CM_SECANT, 1, 0},
      {WM_CHAR, '6', true, CM_COSECANT, 1, 0},
      {WM_CHAR, '1', true, CM_SINE, 1, 0},
      {WM_KEYDOWN, VK_SPACE, true, CM_SINE, 0, 0},
      {WM_CHAR, '.', true, CM_SINE, 0, 1},
      // Enter without Alt, and keys without an entry, do nothing.
      {WM_KEYDOWN, VK_RETURN, false, CM_SINE, 0, 1},
      {WM_CHAR, '7', false, CM_SINE, 0, 1},
      {WM_CHAR, '0', false, CM_SINE, 0, 1},
  };
  for (const Key& key : keys) {
    SCOPED_TRACE("key " + std::to_string(key.key));
    MSG message = {window_, key.message, key.key, 0x00000001, 0, {0, 0}};
    EXPECT_EQ(TranslateAcceleratorA(window_, table, &message) != 0, key.translated);
    EXPECT_EQ(currentSettings.graphMethod, key.graphMethod);
    EXPECT_EQ(currentSettings.grid, key.grid);
    EXPECT_EQ(currentSettings.sonar, key.sonar);
  }
  EXPECT_EQ(WindowText(window_), "Sine - Ondrix");
}

TEST_F(MainWindowTest, ExitIsRefusedWhilePrintingAndSavesAndQuitsAfterwards) {
  struct Way {
    const char* name;
    UINT message;
    WPARAM wParam;
  };
  const Way ways[] = {
      {"close box", WM_CLOSE, 0},
      {"Alt+F4", WM_SYSCOMMAND, SC_CLOSE},
      {"Exit command", WM_COMMAND, CM_EXIT},
  };
  printInProgress = 1;
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    ModalAnswerer answerer("Exit", ModalAnswerer::PressOk);
    SendMessageA(window_, way.message, way.wParam, 0);
    EXPECT_TRUE(answerer.answered());
    const auto& texts = answerer.childTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "I am currently printing a graph; wait until I am done spooling, then try "
                        "to exit again."),
              texts.end());
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_FALSE(SettingsKeyExists());
    EXPECT_FALSE(DrainQueueFindQuit());
  }

  printInProgress = 0;
  Command(CM_TANGENT);
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_TRUE(SettingsKeyExists());
  EXPECT_TRUE(DrainQueueFindQuit());
}

TEST_F(MainWindowTest, GdiObjectsDoNotLeakOverAThousandRenders) {
  SetClientSize(160, 120);
  ASSERT_EQ(RendersOfNextPaint(), 1u);
  const DWORD afterOne = LiveGdiObjects();
  // The count sees a single leaked object.
  HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(LiveGdiObjects(), afterOne + 1);
  DeleteObject(probe);
  ASSERT_EQ(LiveGdiObjects(), afterOne);

  std::uint32_t renders = 0;
  for (int i = 0; i < 1000; ++i) {
    // Alternate a settings change with a size change, so that both the
    // drawing and the replacement of the image are repeated.
    if (i % 2 == 0) {
      Command(CM_GRID_LINES);
    } else {
      SetClientSize(i % 4 == 1 ? 170 : 160, 120);
    }
    renders += RendersOfNextPaint();
  }
  EXPECT_EQ(renders, 1000u);
  const DWORD afterThousand = LiveGdiObjects();
  EXPECT_EQ(afterThousand, afterOne);
  RecordProperty("GdiObjectsAfterOneRender", static_cast<int>(afterOne));
  RecordProperty("GdiObjectsAfterThousandRenders", static_cast<int>(afterThousand));
}

TEST_F(MainWindowTest, AboutBoxOpensAndClosesOnOkEscapeAndCloseBox) {
  const ModalAnswerer::Action actions[] = {ModalAnswerer::PressOk, ModalAnswerer::PressEscape,
                                           ModalAnswerer::CloseBox};
  for (ModalAnswerer::Action action : actions) {
    ModalAnswerer answerer("About Ondrix 1.6", action);
    Command(CM_ABOUT);
    EXPECT_TRUE(answerer.answered());
    EXPECT_EQ(test::FindThreadWindow("About Ondrix 1.6"), nullptr);
    const auto& texts = answerer.childTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().rfind("Ondrix 1.6 for Windows NT and 95", 0), 0u);
  }
}

TEST(AboutDialogProcTest, EndsTheDialogOnOkAndCancelOnly) {
  struct Case {
    WORD id;
    bool ends;
  };
  const Case cases[] = {{0, false}, {IDOK, true}, {IDCANCEL, true},
                        {3, false}, {131, false}, {0xFFFF, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("command " + std::to_string(c.id));
    HWND dialog = CreateDialogParamA(appInstance, "ABOUT", nullptr, AboutDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), 0);
    // EndDialog hides a dialog that was not run modally.
    EXPECT_EQ(IsWindowVisible(dialog) == FALSE, c.ends);
    DestroyWindow(dialog);
  }
}

}  // namespace
}  // namespace ondrix
