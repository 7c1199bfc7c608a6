// The main window driven with messages: render thread, Copy Graph, printing on cups-pdf.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "app/ondrix_version.h"
#include "dialogs/control_ids.h"
#include "model/command_ids.h"
#include "model/evaluation.h"
#include "model/pointer_readout.h"
#include "model/value_text.h"
#include "model/view.h"
#include "render/gdi_surface_win.h"
#include "render/raster_surface.h"
#include "window_test_win.h"

namespace ondrix {
namespace {

using test::Dword;
using test::Has;
using test::ModalAnswerer;
using test::PumpUntil;
using test::Stored;

// Live GDI objects (of one type), found as Wine finds them: by a handle's low word.
DWORD LiveGdiObjects(DWORD type = 0) {
  DWORD count = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) {
    const DWORD found = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
    count += found != 0 && (type == 0 || found == type);
  }
  return count;
}

// The surface as a 24-bit DIB, rows bottom-up and padded; the fields the system fills left out.
bool ClipboardHolds(const RasterSurface& surface) {
  const int width = surface.Width(), height = surface.Height();
  const BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string expected(reinterpret_cast<const char*>(&header), sizeof header);
  for (int y = height - 1; y >= 0; --y, expected.resize((expected.size() + 3) & ~3u))
    for (int x = 0; x < width; ++x)
      for (int shift : {16, 8, 0})  // 0x00BBGGRR as blue, green, red
        expected += char(surface.PixelAt(x, y) >> shift);
  HGLOBAL block = OpenClipboard(nullptr) ? GetClipboardData(CF_DIB) : nullptr;
  std::string dib(block ? static_cast<const char*>(GlobalLock(block)) : "", GlobalSize(block));
  GlobalUnlock(block);
  CloseClipboard();
  return dib.size() >= 40 && dib.replace(16, 24, 24, '\0') == expected;
}

// The client area as the screen shows it, in COLORREFs, row by row.
std::vector<std::uint32_t> Shown(HWND window, int width, int height) {
  test::DibCanvas canvas(width, height);
  HDC dc = GetDC(window);
  BitBlt(canvas.Dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  return canvas.Pixels();
}

class MainWindowTest : public test::WindowTest {
 protected:
  // Paints, lets the render thread finish and returns the renders started.
  std::uint32_t Renders(BOOL invalidate = TRUE) {
    const std::uint32_t before = GraphRenderCount(window_);
    RedrawWindow(window_, nullptr, nullptr, (invalidate ? RDW_INVALIDATE : 0) | RDW_UPDATENOW);
    EXPECT_TRUE(PumpUntil([this] { return !GraphRenderPending(window_); }));
    return GraphRenderCount(window_) - before;
  }
  // "" once the client area shows `expected`, within `ms`; else the first pixel that differs.
  std::string ShownDifference(const RasterSurface& expected, DWORD ms = 0) {
    const int width = expected.Width();
    const auto difference = [&] {
      return FirstDifference(Shown(window_, width, expected.Height()), expected.Pixels(), width);
    };
    PumpUntil([&] { return difference().empty(); }, ms);
    return difference();
  }
  // The print dialog, on the print thread and owned by the status dialog.
  HWND PrintDialog() {
    HWND found = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
      return (found = FindWindowA(nullptr, "Print")) &&
             GetWindow(found, GW_OWNER) == printStatusWindow;
    }));
    return found;
  }
};

TEST_F(MainWindowTest, CommandsKeysTheImageCacheAndCopyGraph) {
  // A command or a key message, the menu items then checked and unchecked, renders.
  const std::tuple<UINT, WPARAM, UINT, UINT, std::uint32_t> steps[] = {
      {WM_COMMAND, CM_TANGENT, CM_TANGENT, CM_SINE, 1},
      {WM_CHAR, '1', CM_SINE, CM_TANGENT, 1},
      {WM_COMMAND, CM_NO_CONNECTION, CM_NO_CONNECTION, CM_CONNECTED_DOTS, 1},
      {WM_COMMAND, CM_CONNECTED_DOTS, CM_CONNECTED_DOTS, CM_NO_CONNECTION, 1},
      {WM_CHAR, '.', CM_POINT_SONAR, CM_TANGENT, 1},
      {WM_COMMAND, CM_POINT_SONAR, CM_SINE, CM_POINT_SONAR, 1},
      {WM_KEYDOWN, VK_SPACE, CM_SINE, CM_GRID_LINES, 1},
      {WM_COMMAND, CM_GRID_LINES, CM_GRID_LINES, CM_COSINE, 1},
      {WM_KEYDOWN, 'C', CM_GRID_LINES, CM_TANGENT, 0},  // without Ctrl
  };
  Size(201, 150);
  Renders(FALSE);
  const DWORD gdiObjects = LiveGdiObjects();
  for (std::size_t i = 0; i < 30 * std::size(steps); ++i) {
    const auto& [message, id, checked, unchecked, renders] = steps[i % std::size(steps)];
    SCOPED_TRACE(id);
    EXPECT_EQ(Send(message, id), message == WM_COMMAND || renders == 1);
    EXPECT_TRUE(GetMenuState(graphMenu, checked, 0) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(graphMenu, unchecked, 0) & MF_CHECKED);
    EXPECT_EQ(Renders(FALSE), renders);
    EXPECT_EQ(Renders(), 0u);
  }
  EXPECT_EQ(LiveGdiObjects(), gdiObjects);
  Size(230, 170);  // rows that need padding; the first copy draws the stale image
  currentSettings.values[XTickFrequency] = 2e-6;  // slower than a paint waits: the copy waits
  const std::uint32_t renders = GraphRenderCount(window_);
  RasterSurface expected(230, 170);
  DrawGraph(expected, 0, 0, 230, 170, currentSettings);
  for (UINT message : {WM_COMMAND, WM_KEYDOWN}) {  // from the menu, then Ctrl+C
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
    EXPECT_TRUE(Send(message, message == WM_COMMAND ? CM_COPY_GRAPH : 'C', 0x80));
    PumpUntil([] { return IsClipboardFormatAvailable(CF_DIB) != FALSE; });
    EXPECT_TRUE(ClipboardHolds(expected) && GetClipboardOwner() == window_);
  }
  EXPECT_EQ(GraphRenderCount(window_) - renders, 1u);
  Size(240, 180);  // a new size alone draws anew
  EXPECT_EQ(Renders(FALSE), 1u);
  // The clipboard held open elsewhere: a message, and the clipboard as it was.
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
  ModalAnswerer answerer("Copy Graph", ModalAnswerer::PressOk);
  Send(WM_COMMAND, CM_COPY_GRAPH);
  EXPECT_TRUE(answerer.answered() && CloseClipboard() && !IsClipboardFormatAvailable(CF_DIB));
}

// The window once looked for the image at the thread's message, before the thread ended.
TEST_F(MainWindowTest, AGraphSlowerThanAPaintAppearsOnItsOwn) {
  Size(300, 200);
  Renders(FALSE);
  currentSettings.values[XTickFrequency] = 2e-6;
  SetRenderThreadLinger(window_, 1000);
  Send(WM_COMMAND, CM_TANGENT);
  RasterSurface expected(300, 200);
  DrawGraph(expected, 0, 0, 300, 200, currentSettings);
  EXPECT_EQ(ShownDifference(expected, 15000), "");
  // A copy asked for meanwhile: made when its graph is done, never over text copied since.
  Send(WM_COMMAND, CM_SINE);
  Send(WM_KEYDOWN, 'C', 0x80);
  ASSERT_TRUE(GraphRenderPending(window_) && OpenClipboard(nullptr) && EmptyClipboard());
  const HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 2);
  static_cast<char*>(GlobalLock(text))[0] = 'x';
  GlobalUnlock(text);
  ASSERT_TRUE(SetClipboardData(CF_TEXT, text) && CloseClipboard());
  EXPECT_TRUE(PumpUntil([this] { return !GraphRenderPending(window_); }));
  currentSettings.values[XTickFrequency] = 1;
  Send(WM_COMMAND, CM_COSINE);
  EXPECT_EQ(Renders(FALSE), 1u);
  PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT) && !IsClipboardFormatAvailable(CF_DIB));
  // The render thread steps in the main thread's long double precision: a bare thread draws the
  // grid line at these ticks a column off.
  const std::pair<GraphValue, const char*> ticks[] = {{MinimumX, "-2.0000000000000004"},
                                                      {MaximumX, "3.3000000000000003"},
                                                      {XTickFrequency, "3.2167190237797243"}};
  for (const auto& [field, digits] : ticks)
    SetValueText(currentSettings.valueTexts[field], digits);
  ParseValueTexts(currentSettings);
  Size(800, 600);
  Send(WM_COMMAND, CM_SINE);
  RasterSurface precise(800, 600);
  DrawGraph(precise, 0, 0, 800, 600, currentSettings);
  EXPECT_EQ(ShownDifference(precise, 5000), "");
}

TEST_F(MainWindowTest, SettingsThatTakeHoursToDrawNeverLockTheUserOut) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix", "X Tick Mark Frequency", REG_SZ,
                  "1e-7", 5);
  Size(400, 300);
  const std::uint32_t renders = GraphRenderCount(window_);
  std::thread([window = window_] {  // a frozen window ends the run rather than hold it for hours
    for (DWORD_PTR result; IsWindow(window); Sleep(50))
      if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, 0, 1000, &result) && IsWindow(window))
        TerminateProcess(GetCurrentProcess(), 3);
  })
      .detach();
  EXPECT_TRUE(Send(WM_CHAR, '3') && !PumpUntil([] { return false; }, 300));
  ModalAnswerer answerer(
      {{"Grid Properties - Ondrix", [](HWND d) { ModalAnswerer::Press(d, IDC_APPLY); }},
       {"Grid Properties - Ondrix", ModalAnswerer::PressOk}});
  EXPECT_TRUE(Send(WM_COMMAND, CM_GRID_PROPERTIES) && answerer.answered());
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(GraphRenderCount(window_) - renders, 3u);  // Apply redraws; each abandons the last
  // Its print stops drawing on Cancel after the page has begun; Alt+F4 ends.
  Send(WM_COMMAND, CM_PRINT_GRAPH);
  ModalAnswerer::Press(PrintDialog(), IDOK);
  PumpUntil([] { return false; }, 4000);  // past the wait before the page
  PostMessageA(printStatusWindow, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(PumpUntil([] { return printInProgress == 0; }, 2000));  // or the exit would ask
  SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  MSG quit;  // taken, or the next test's boxes would end at once
  EXPECT_TRUE(!IsWindow(window_) && PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// A session's end saves as the exit does (never when it goes on). The About box, naming the
// version, closes on OK, Escape and its close box.
TEST_F(MainWindowTest, TheSessionsEndSavesAndTheAboutBoxCloses) {
  Size(300, 200);
  Send(WM_COMMAND, CM_COSECANT);
  for (const BOOL ending : {FALSE, TRUE}) {
    EXPECT_TRUE(SendMessageA(window_, WM_QUERYENDSESSION, 0, 0));
    SendMessageA(window_, WM_ENDSESSION, ending, 0);
    EXPECT_EQ(Stored("Graph Method"), ending ? "4:" + Dword(CM_COSECANT) : "");
  }
  const ModalAnswerer::Action closers[] = {
      ModalAnswerer::PressOk,
      [](HWND box) { PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); },
      [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }};
  for (const auto& close : closers) {
    ModalAnswerer answerer("About Ondrix " ONDRIX_VERSION, close);
    Send(WM_COMMAND, CM_ABOUT);
    EXPECT_TRUE(answerer.answered() && IsWindow(window_) &&
                Has(answerer.childTexts(),
                    "Ondrix " ONDRIX_VERSION
                    " for Windows NT and 95\n\nWritten by the Ondrix developers"));
  }
}

// tests/e2e/ondrix.sh keeps the page (ONDRIX_KEEP_PDF=1) to compare it.
TEST_F(MainWindowTest, CancelledPrintLeavesNoPdfAndTheNextGivesOnePage) {
  const char* home = std::getenv("WINEHOMEDIR");  // \??\Z:\root; cups-pdf writes to ~/PDF
  const std::string folder = std::string(home ? home + 4 : "") + "\\PDF";
  const auto started = std::filesystem::file_time_type::clock::now();
  const auto written = [&](const std::string& title) {  // a PDF of the title since the start
    std::string name;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path().filename().string().rfind(title, 0) == 0 &&
          entry.last_write_time() > started)
        name = entry.path().string();
    return name;
  };
  Size(400, 300);  // with the default settings: grid on, sonar off
  Send(WM_COMMAND, CM_COTANGENT);
  Send(WM_COMMAND, CM_PRINT_GRAPH);
  const HWND status = printStatusWindow;
  const std::tuple<UINT, WPARAM, const char*, const char*> refusals[] = {
      {WM_COMMAND, CM_PRINT_GRAPH, "Print Graph",
       "I am already printing a graph; I cannot print more than one at a time."},
      {WM_COMMAND, CM_PAGE_SETUP, "Page Setup",
       "I am printing a graph; wait until I am done spooling, then set up the page."},
      {WM_CLOSE, 0, "Exit",
       "I am currently printing a graph; wait until I am done spooling, then try to exit again."}};
  for (const auto& [message, id, caption, text] : refusals) {
    ModalAnswerer answerer(caption, ModalAnswerer::PressOk);
    SendMessageA(window_, message, id, 0);
    EXPECT_TRUE(answerer.answered() && Has(answerer.childTexts(), text)) << caption;
  }
  ModalAnswerer::Press(PrintDialog(), IDOK);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(status) != FALSE; }));  // the wait before the page
  SendMessageA(status, WM_CLOSE, 0, 0);
  ASSERT_TRUE(
      PumpUntil([&] { return !printInProgress && !IsWindow(status) && !printStatusWindow; }));
  EXPECT_TRUE(PumpUntil([] { return !printThread; })) << "the ended thread is let go at once";

  Send(WM_COMMAND, CM_TANGENT);
  currentSettings.colors[PointConnection] = 0x0000A000;
  currentSettings.sonar = 1;
  viewSwitches.axisNumbers = true;           // at the printer's scale on the page
  const DWORD dcs = LiveGdiObjects(OBJ_DC);  // fonts and bitmaps come and go with the dialogs
  Send(WM_COMMAND, CM_PRINT_GRAPH);
  const HWND dialog = PrintDialog();
  Send(WM_COMMAND, CM_SINE);
  ModalAnswerer::Press(dialog, IDOK);
  ASSERT_TRUE(PumpUntil([] { return printInProgress == 0; }));
  EXPECT_EQ(LiveGdiObjects(OBJ_DC), dcs) << "a printer DC left";

  std::string page;
  const auto complete = [&] {
    std::ifstream pdf(page = written("Tangent_-_Ondrix"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(pdf), {}).rfind("%%EOF") != std::string::npos;
  };
  ASSERT_TRUE(PumpUntil(complete, 120000)) << "no complete Tangent PDF in " << folder;
  EXPECT_EQ(written("Cotangent_-_Ondrix"), "") << "cups-pdf takes the jobs in order";
  if (std::getenv("ONDRIX_KEEP_PDF") == nullptr)
    DeleteFileA(page.c_str());
}

// The six view texts, for messages that say which changed.
std::string ViewTexts(const GraphSettings& settings) {
  std::string texts;
  for (int field = MinimumX; field <= YTickFrequency; ++field)
    texts += std::string(settings.valueTexts[field]) + " | ";
  return texts;
}

TEST_F(MainWindowTest, WheelDragKeysAndTheViewMenuStepTheTextsThatBackAndResetRestore) {
  Size(301, 201);
  Renders(FALSE);
  const auto wheel = [this](int x, int y, int delta, WPARAM keys, int notches = 1) {
    POINT point = {x, y};
    ClientToScreen(window_, &point);
    Sleep(600);  // each its own step, but for the notches of one run
    for (int i = 0; i < notches; ++i)
      PostMessageA(window_, WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), MAKELPARAM(point.x, point.y));
    for (MSG message; PeekMessageA(&message, window_, WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_REMOVE);)
      DispatchMessageA(&message);
  };
  const auto drag = [this](int x0, int y0, int x1, int y1) {
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
    SendMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((x0 + x1) / 2, y0));
    SendMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1, y1));
    SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
  };
  const auto key = [this](WPARAM code) { SendMessageA(window_, WM_KEYDOWN, code, 1); };
  // A gesture, then where the point at (column, row) went and the ranges' scales.
  // clang-format off
  const std::tuple<const char*, std::function<void()>, int, int, int, int, double, double> steps[] = {
      {"notch in", [&] { wheel(100, 50, 120, 0); }, 100, 50, 100, 50, 0.8, 0.8},
      {"notch out with Shift", [&] { wheel(100, 50, -120, MK_SHIFT); }, 100, 50, 100, 50, 1.25, 1},
      {"two notches with Ctrl", [&] { wheel(30, 150, 60, MK_CONTROL, 4); }, 30, 150, 30, 150, 1, 0.64},
      {"drag", [&] { drag(50, 60, 80, 40); }, 50, 60, 80, 40, 1, 1},
      {"left arrow", [&] { key(VK_LEFT); }, 100, 100, 130, 100, 1, 1},
      {"down arrow", [&] { key(VK_DOWN); }, 100, 100, 100, 80, 1, 1},
      {"Ctrl+=", [&] { Send(WM_KEYDOWN, VK_OEM_PLUS, 0x80); }, 150, 100, 150, 100, 0.5, 0.5},
      {"keypad -", [&] { Send(WM_KEYDOWN, VK_SUBTRACT); }, 150, 100, 150, 100, 2, 2},
      {"Zoom In", [&] { Send(WM_COMMAND, CM_ZOOM_IN); }, 150, 100, 150, 100, 0.5, 0.5}};
  // clang-format on
  std::vector<GraphSettings> views = {currentSettings};
  for (const auto& [name, act, column, row, toColumn, toRow, scaleX, scaleY] : steps) {
    const GraphSettings before = currentSettings;
    act();
    EXPECT_EQ(Renders(FALSE), 1u) << name;
    const GraphSettings& after = currentSettings;
    const auto range = [](const GraphSettings& s, int low) {
      return s.values[low + 1] - s.values[low];
    };
    EXPECT_NEAR(range(after, MinimumX) / range(before, MinimumX), scaleX, 1e-4) << name;
    EXPECT_NEAR(range(after, MinimumY) / range(before, MinimumY), scaleY, 1e-4) << name;
    EXPECT_EQ(MapXToPixel(PixelToX(column, 300, before), 300, after), toColumn) << name;
    EXPECT_EQ(MapYToPixel(RowToY(row, 200, before), 200, after), toRow) << name;
    views.push_back(after);
  }
  // Grid Properties shows the texts the steps wrote, and its OK is a step too.
  ModalAnswerer properties("Grid Properties - Ondrix", [&](HWND dialog) {
    char text[kValueTextSize] = {};
    GetDlgItemTextA(dialog, IDC_MINIMUM_X, text, sizeof text);
    EXPECT_STREQ(text, currentSettings.valueTexts[MinimumX]);
    SetDlgItemTextA(dialog, IDC_MAXIMUM_X, "7");
    ModalAnswerer::PressOk(dialog);
  });
  Send(WM_COMMAND, CM_GRID_PROPERTIES);
  EXPECT_TRUE(properties.answered());
  EXPECT_STREQ(currentSettings.valueTexts[MaximumX], "7");
  // Back gives each view before exactly, then nothing more.
  const GraphSettings applied = currentSettings;
  for (auto view = views.rbegin(); view != views.rend(); ++view) {
    Send(WM_KEYDOWN, VK_BACK);
    EXPECT_EQ(ViewTexts(currentSettings), ViewTexts(*view)) << views.rend() - view - 1 << " steps";
  }
  Send(WM_COMMAND, CM_VIEW_BACK);
  EXPECT_EQ(ViewTexts(currentSettings), ViewTexts(views[0]));
  // Reset View goes home, the view Grid Properties last applied, as a step.
  Send(WM_KEYDOWN, '0', 0x80);
  EXPECT_EQ(ViewTexts(currentSettings), ViewTexts(applied));
  Send(WM_COMMAND, CM_VIEW_BACK);
  EXPECT_EQ(ViewTexts(currentSettings), ViewTexts(views[0]));
  // A step doubles cannot resolve is refused: nothing changes, nothing is drawn.
  std::strcpy(currentSettings.valueTexts[MaximumX], "1.000000000003");
  std::strcpy(currentSettings.valueTexts[MinimumX], "1");
  ParseValueTexts(currentSettings);
  ReflectSettings(window_);
  Renders(FALSE);
  const GraphSettings refused = currentSettings;
  Send(WM_COMMAND, CM_ZOOM_IN);
  EXPECT_EQ(Renders(FALSE), 0u);
  EXPECT_EQ(ViewTexts(currentSettings), ViewTexts(refused));
  // The exit stores the texts, and no switch the user never turned.
  Send(WM_COMMAND, CM_EXIT);
  EXPECT_EQ(Stored("Maximum X") + Stored("Axis Numbers"), std::string("1:1.000000000003", 17));
}

// A drag moves the last image at once (the strip uncovered in the background colour).
TEST_F(MainWindowTest, ADragMovesTheLastImageAtOnceThenShowsTheExactOne) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix", "X Tick Mark Frequency", REG_SZ,
                  "5e-6", 5);
  Size(200, 150);
  Renders(FALSE);
  const std::vector<std::uint32_t> before = Shown(window_, 200, 150);
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
  SendMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 40));
  UpdateWindow(window_);
  ASSERT_TRUE(GraphRenderPending(window_)) << "a graph too quick to see the moved image";
  const std::vector<std::uint32_t> moved = Shown(window_, 200, 150);
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      const std::uint32_t want =
          x >= 40 && y >= 10 ? before[(y - 10) * 200 + x - 40] : currentSettings.colors[Background];
      ASSERT_EQ(moved[y * 200 + x], want) << "(" << x << ", " << y << ")";
    }
  SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(60, 40));
  RasterSurface expected(200, 150);
  DrawGraph(expected, 0, 0, 200, 150, currentSettings);
  EXPECT_TRUE(PumpUntil([this] { return !GraphRenderPending(window_); }));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ShownDifference(expected), "");
}

TEST_F(MainWindowTest, StatusBarReadoutAxisNumbersAndTheirStoredSwitches) {
  // A damaged stored switch is off; the switches are put in the registry at exit.
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix", "Axis Numbers", REG_DWORD,
                  "\2\0\0\0", 4);
  Size(300, 220);
  const auto checks = [this] {
    const auto on = [this](UINT id) {
      return GetMenuState(GetMenu(window_), id, 0) & MF_CHECKED ? '1' : '0';
    };
    return std::string{on(CM_AXIS_NUMBERS), on(CM_STATUS_BAR)};
  };
  EXPECT_EQ(checks(), "00") << "Axis Numbers, Status Bar";
  Send(WM_COMMAND, CM_STATUS_BAR);
  EXPECT_EQ(checks(), "01");
  Send(WM_COMMAND, CM_AXIS_NUMBERS);
  EXPECT_EQ(checks(), "11");
  const HWND bar = FindWindowExW(window_, nullptr, STATUSCLASSNAMEW, nullptr);
  RECT barRect = {};
  ASSERT_TRUE(IsWindowVisible(bar) && GetWindowRect(bar, &barRect));
  const int height = 220 - (barRect.bottom - barRect.top);
  ASSERT_GT(height, 100);
  // The graph, numbered, fills the rows above the bar; Copy Graph takes that.
  EXPECT_EQ(Renders(), 1u);
  RasterSurface expected(300, height);
  DrawOptions numbers;
  numbers.axisNumbers = true;
  DrawGraph(expected, 0, 0, 300, height, currentSettings, numbers);
  EXPECT_EQ(ShownDifference(expected), "");
  Send(WM_COMMAND, CM_COPY_GRAPH);
  EXPECT_TRUE(ClipboardHolds(expected));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(
      FirstDifference(test::Played(HENHMETAFILE(GetClipboardData(CF_ENHMETAFILE)), 300, height),
                      expected.Pixels(), 300),
      "")
      << "in the metafile";
  CloseClipboard();
  // The readout, in the wide call: π survives.
  SendMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(75, 40));
  wchar_t shown[256] = {};
  char utf8[512] = {};
  SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
  WideCharToMultiByte(CP_UTF8, 0, shown, -1, utf8, sizeof utf8, nullptr, nullptr);
  EXPECT_EQ(utf8, PointerReadoutText(currentSettings, ViewSize{300, height}, 75, 40));
  EXPECT_NE(std::string(utf8).find("π"), std::string::npos) << utf8;
  Send(WM_COMMAND, CM_AXIS_NUMBERS);
  Send(WM_COMMAND, CM_EXIT);
  EXPECT_EQ(Stored("Axis Numbers") + Stored("Status Bar"), "4:" + Dword(0) + "4:" + Dword(1));
}

}  // namespace
}  // namespace ondrix
