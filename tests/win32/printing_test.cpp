// Printing through the real main window on the cups-pdf printer of scripts/cups-start.
#include "dialogs/printing_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "app/main_window_win.h"
#include "dialogs/control_ids.h"
#include "dib_canvas_win.h"
#include "modal_answerer_win.h"
#include "model/command_ids.h"
#include "model/titles.h"
#include "model/value_text.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"
#include "wait_win.h"

namespace ondrix {
namespace {

using namespace test;

// tests/e2e/ondrix.sh keeps the page (ONDRIX_KEEP_PDF=1) to compare it.
TEST(PrintingTest, CancelledPrintLeavesNoPdfAndTheNextGivesOnePage) {
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
  RegisterMainWindowClass(appInstance);
  const HWND window = CreateMainWindow(appInstance);
  const auto command = [window](int id) { SendMessageA(window, WM_COMMAND, id, 0); };
  currentSettings = DefaultGraphSettings();  // grid on, sonar off
  command(CM_COTANGENT);
  command(CM_PRINT_GRAPH);
  const HWND status = printStatusWindow;
  const auto printDialog = [] {  // on the print thread, owned by the status dialog
    HWND found = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
      return (found = FindWindowA(nullptr, "Print")) &&
             GetWindow(found, GW_OWNER) == printStatusWindow;
    }));
    return found;
  };
  const PrintStatusTexts texts = MakePrintStatusTexts(currentSettings);
  const std::string expected[] = {texts.function, texts.connection, texts.grid, texts.sonar};
  for (int i = 0; i < 4; ++i) {
    char shown[64] = {};
    GetDlgItemTextA(status, IDC_PRINT_FUNCTION + i, shown, sizeof shown);
    EXPECT_EQ(shown, expected[i]);
  }
  const char* const exitText =
      "I am currently printing a graph; wait until I am done spooling, then try to exit again.";
  const std::tuple<UINT, WPARAM, const char*, const char*> refusals[] = {
      {WM_COMMAND, CM_PRINT_GRAPH, "Print Graph",
       "I am already printing a graph; I cannot print more than one at a time."},
      {WM_COMMAND, CM_PAGE_SETUP, "Page Setup",
       "I am printing a graph; wait until I am done spooling, then set up the page."},
      {WM_COMMAND, CM_EXIT, "Exit", exitText},
      {WM_CLOSE, 0, "Exit", exitText}};
  for (const auto& [message, id, caption, text] : refusals) {
    ModalAnswerer answerer(caption, ModalAnswerer::PressOk);
    SendMessageA(window, message, id, 0);
    const std::vector<std::string> shown = answerer.childTexts();
    EXPECT_TRUE(answerer.answered() && IsWindow(window) &&
                std::count(shown.begin(), shown.end(), text))
        << caption;
  }
  ModalAnswerer::Press(printDialog(), IDOK);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(status) != FALSE; }));  // the wait before the page
  SendMessageA(status, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return printInProgress == 0 && !IsWindow(status); }));

  command(CM_TANGENT);
  currentSettings.colors[PointConnection] = 0x0000A000;
  currentSettings.sonar = 1;
  const DWORD dcs = LiveGdiObjects(OBJ_DC);
  command(CM_PRINT_GRAPH);
  const HWND dialog = printDialog();
  command(CM_SINE);
  ModalAnswerer::Press(dialog, IDOK);
  ASSERT_TRUE(PumpUntil([] { return printInProgress == 0; }));
  ModalAnswerer answerer("Print Setup", ModalAnswerer::PressOk);
  command(CM_PAGE_SETUP);
  EXPECT_TRUE(answerer.answered() && printDialogData.hwndOwner == window && !printDialogData.hDC);
  EXPECT_EQ(printDialogData.Flags & (PD_PRINTSETUP | PD_RETURNDC | PD_NOSELECTION),
            DWORD(PD_PRINTSETUP));
  EXPECT_EQ(LiveGdiObjects(OBJ_DC), dcs) << "a printer DC left";
  DestroyWindow(window);
  ReleaseMainWindowResources(appInstance);

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

// Unprepared, a thread of its own draws the grid line at the tick a column off.
struct RenderJob {
  const GraphSettings& settings;
  bool prepare;
  DibCanvas canvas{800, 600};
};
DWORD WINAPI Render(LPVOID parameter) {
  auto* job = static_cast<RenderJob*>(parameter);
  if (job->prepare)
    MatchMainThreadPrecision();
  DrawGraph(job->canvas.Dc(), 0, 0, 800, 600, job->settings);
  return GdiFlush();
}

TEST(PrintThreadTest, DrawsWhatTheScreenDraws) {
  GraphSettings settings = DefaultGraphSettings();
  SetValueText(settings.valueTexts[MinimumX], "-2.0000000000000004");
  SetValueText(settings.valueTexts[MaximumX], "3.3000000000000003");
  SetValueText(settings.valueTexts[XTickFrequency], "3.2167190237797243");
  ParseValueTexts(settings);
  RenderJob screen{settings, false};
  Render(&screen);
  for (bool prepare : {false, true}) {
    RenderJob printed{settings, prepare};
    const HANDLE thread = CreateThread(nullptr, 0, Render, &printed, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    int differing = 0;
    for (int i = 0; i < 800 * 600; ++i)
      differing +=
          screen.canvas.PixelAt(i % 800, i / 800) != printed.canvas.PixelAt(i % 800, i / 800);
    EXPECT_EQ(differing == 0, prepare) << "unprepared it must differ, or this proves nothing";
  }
}

}  // namespace
}  // namespace ondrix
