// Page Setup, Print Graph, the print thread and the status dialog, driven
// through the real main window. The print tests print for real on the
// cups-pdf printer "PDF" that scripts/cups-start sets up.
#include "dialogs/printing_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "dialogs/control_ids.h"
#include "dib_canvas_win.h"
#include "modal_answerer_win.h"
#include "model/command_ids.h"
#include "model/titles.h"
#include "model/value_text.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

using test::ModalAnswerer;

constexpr DWORD kDialogTimeout = 15000;
constexpr DWORD kPrintTimeout = 30000;
constexpr DWORD kPdfTimeout = 120000;

// Runs this thread's messages (the print thread's blocking sends to the
// status dialog among them) until done() holds or the time is up.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) {
      return true;
    }
    if (GetTickCount() - start > timeoutMs) {
      return false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchOwner(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<OwnedSearch*>(lParam);
  if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The print dialog runs on the print thread, owned by the status dialog.
HWND FindPrintDialog() {
  if (printStatusWindow == nullptr || !IsWindow(printStatusWindow)) {
    return nullptr;
  }
  OwnedSearch search = {printStatusWindow, nullptr};
  EnumWindows(MatchOwner, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForPrintDialog() {
  HWND dialog = nullptr;
  PumpUntil([&] { return (dialog = FindPrintDialog()) != nullptr; }, kDialogTimeout);
  return dialog;
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitUntilIdle() {
  return PumpUntil([] { return printInProgress == 0; }, kPrintTimeout);
}

std::string DialogItemText(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// Live printer DCs of the process. Wine's GetGuiResources counts nothing;
// its handles are the slot in the low word and type and generation above it,
// and a handle whose upper word is 0 names whatever lives in its slot, but DC
// calls want the whole handle.
int LivePrinterDcs() {
  int live = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != OBJ_DC) {
      continue;
    }
    for (UINT_PTR generation = 0; generation < 0x100; ++generation) {
      const HDC dc = reinterpret_cast<HDC>(generation << 24 | 0x10000 | slot);
      if (GetObjectType(dc) == OBJ_DC) {
        live += GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER ? 1 : 0;
        break;
      }
    }
  }
  return live;
}

// The printer's output folder: ONDRIX_PDF_DIR (a Unix path, printed by
// scripts/cups-start), else cups-pdf's default "Out ${HOME}/PDF" under the
// home that Wine names in WINEHOMEDIR (\??\Z:\root).
std::string PdfFolder() {
  if (const char* unixPath = std::getenv("ONDRIX_PDF_DIR"); unixPath != nullptr && *unixPath) {
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }
  const char* home = std::getenv("WINEHOMEDIR");
  return home != nullptr && std::strncmp(home, "\\??\\", 4) == 0 ? std::string(home + 4) + "\\PDF"
                                                                 : std::string();
}

// File name -> last write time of every PDF in the folder.
std::map<std::string, ULONGLONG> ListPdfs(const std::string& folder) {
  std::map<std::string, ULONGLONG> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.pdf").c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    files[found.cFileName] = (static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                             found.ftLastWriteTime.dwLowDateTime;
  }
  FindClose(search);
  return files;
}

// Page objects: "/Type /Page" not followed by more letters ("/Pages").
int CountPdfPages(const std::string& bytes) {
  int pages = 0;
  for (std::size_t at = bytes.find("/Type"); at != std::string::npos;
       at = bytes.find("/Type", at + 1)) {
    const std::size_t next = bytes.find_first_not_of(" \r\n", at + 5);
    pages += next != std::string::npos && bytes.compare(next, 5, "/Page") == 0 &&
                     !std::isalnum(static_cast<unsigned char>(bytes[next + 5]))
                 ? 1
                 : 0;
  }
  return pages;
}

class PrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterMainWindowClass(appInstance);
    mainWindow_ = CreateMainWindow(appInstance);
    ASSERT_NE(mainWindow_, nullptr);
    PumpUntil([] { return false; }, 50);
    currentSettings = DefaultGraphSettings();
  }

  void TearDown() override {
    // Leave no print running for the next test.
    if (printInProgress != 0) {
      PumpUntil(
          [] {
            if (HWND dialog = FindPrintDialog()) {
              PressButton(dialog, IDCANCEL);
            }
            return printInProgress == 0;
          },
          kPrintTimeout);
    }
    DestroyWindow(mainWindow_);
    ReleaseMainWindowResources(appInstance);
  }

  void Command(int id) { SendMessageA(mainWindow_, WM_COMMAND, id, 0); }

  HWND mainWindow_ = nullptr;
};

TEST(PrintStatusDialog, ShowsTheSettingsAndCancelMarksTheRequest) {
  GraphSettings settings = DefaultGraphSettings();
  std::memset(settings.functionName, 'W', sizeof settings.functionName);  // no NUL
  settings.connectMethod = CM_NO_CONNECTION;
  settings.grid = 0;
  settings.sonar = 1;
  const PrintStatusTexts texts = MakePrintStatusTexts(settings);
  for (const auto& [message, wParam] :
       {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}, {WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}}) {
    printCancelled = 1;
    HWND dialog = CreateDialogParamA(appInstance, "PRINT_DIALOG", nullptr, PrintStatusDialogProc,
                                     reinterpret_cast<LPARAM>(&settings));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(printCancelled, 0);
    EXPECT_EQ(DialogItemText(dialog, IDC_PRINT_FUNCTION), texts.function);
    EXPECT_EQ(DialogItemText(dialog, IDC_PRINT_CONNECTION), texts.connection);
    EXPECT_EQ(DialogItemText(dialog, IDC_PRINT_GRID), texts.grid);
    EXPECT_EQ(DialogItemText(dialog, IDC_PRINT_SONAR), texts.sonar);
    SendMessageA(dialog, message, wParam, 0);
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(printCancelled, 1) << message;
    EXPECT_TRUE(IsWindow(dialog));
    SendMessageA(dialog, WM_COMMAND, CM_PRINT_DONE, 0);
    EXPECT_FALSE(IsWindow(dialog));
  }
}

// The value of printInProgress when the status dialog was being created:
// inside Print Graph, before the print thread exists.
LONG inProgressAtStatusDialog = -1;

LRESULT CALLBACK RecordFlagAtStatusDialog(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    if (create->lpszName != nullptr && !IS_INTRESOURCE(create->lpszName) &&
        std::strcmp(create->lpszName, "Printing Graph...") == 0) {
      inProgressAtStatusDialog = printInProgress;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The flag goes up before the thread exists, so requests handled before it
// runs are refused; cancelling the print dialog lowers it, and the next print
// starts at once.
TEST_F(PrintingTest, RequestsWhilePrintingAreRefusedUntilThePrintEnds) {
  const char kExitText[] =
      "I am currently printing a graph; wait until I am done spooling, then try to exit again.";
  const struct {
    UINT message;
    WPARAM wParam;
    const char *caption, *text;
  } refusals[] = {{WM_COMMAND, CM_PRINT_GRAPH, "Print Graph", kAlreadyPrintingText},
                  {WM_COMMAND, CM_PAGE_SETUP, "Page Setup", kPageSetupWhilePrintingText},
                  {WM_COMMAND, CM_EXIT, "Exit", kExitText},
                  {WM_CLOSE, 0, "Exit", kExitText}};
  for (int round = 0; round < 2; ++round) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordFlagAtStatusDialog, nullptr, GetCurrentThreadId());
    inProgressAtStatusDialog = -1;
    Command(CM_PRINT_GRAPH);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(inProgressAtStatusDialog, 1);
    const HWND status = printStatusWindow;
    const HANDLE thread = printThreadHandle;
    ASSERT_TRUE(IsWindow(status));
    for (const auto& refusal : refusals) {
      if (round > 0) {
        break;
      }
      ModalAnswerer answerer(refusal.caption, ModalAnswerer::PressOk);
      SendMessageA(mainWindow_, refusal.message, refusal.wParam, 0);
      EXPECT_TRUE(answerer.answered()) << refusal.caption;
      const auto& texts = answerer.childTexts();
      EXPECT_NE(std::find(texts.begin(), texts.end(), refusal.text), texts.end());
      EXPECT_TRUE(IsWindow(mainWindow_));
      EXPECT_EQ(printThreadHandle, thread);
    }
    HWND printDialog = WaitForPrintDialog();
    ASSERT_NE(printDialog, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(status) == FALSE; }, kDialogTimeout))
        << "the print dialog is modal to the status dialog";
    EXPECT_TRUE(IsWindowEnabled(mainWindow_));
    PressButton(printDialog, IDCANCEL);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_FALSE(IsWindow(status));
  }
}

// After a print the record still holds the print's flags; Page Setup sets
// exactly its own, so it gets no printer DC to leak.
TEST_F(PrintingTest, PageSetupSetsOnlyItsOwnFlags) {
  printDialogData.Flags = PD_RETURNDC | PD_NOSELECTION;
  ModalAnswerer answerer("Print Setup", ModalAnswerer::PressOk);
  Command(CM_PAGE_SETUP);
  EXPECT_TRUE(answerer.answered());
  EXPECT_EQ(printDialogData.hwndOwner, mainWindow_);
  EXPECT_EQ(printDialogData.Flags & (PD_PRINTSETUP | PD_RETURNDC | PD_NOSELECTION),
            static_cast<DWORD>(PD_PRINTSETUP));
  EXPECT_EQ(printDialogData.hDC, nullptr);
  EXPECT_NE(printDialogData.hDevNames, nullptr) << "the chosen printer stays in the record";
}

// The print path drawn from a thread of its own into a memory DC gives the
// screen's pixels; without the precision reset the same thread draws the
// grid line at the tick one column off.
struct RenderJob {
  GraphSettings settings;
  bool prepare;
  std::vector<std::uint32_t> pixels;
};

DWORD WINAPI Render(LPVOID parameter) {
  auto* job = static_cast<RenderJob*>(parameter);
  if (job->prepare) {
    MatchMainThreadPrecision();
  }
  test::DibCanvas canvas(800, 600);
  DrawGraph(canvas.Dc(), 0, 0, 800, 600, job->settings);
  GdiFlush();
  for (std::int32_t y = 0; y < 600; ++y) {
    for (std::int32_t x = 0; x < 800; ++x) {
      job->pixels.push_back(canvas.PixelAt(x, y));
    }
  }
  return 0;
}

TEST(PrintThreadTest, DrawsWhatTheScreenDraws) {
  GraphSettings settings = DefaultGraphSettings();
  SetValueText(settings.valueTexts[MinimumX], "-2.0000000000000004");
  SetValueText(settings.valueTexts[MaximumX], "3.3000000000000003");
  SetValueText(settings.valueTexts[XTickFrequency], "3.2167190237797243");
  ParseValueTexts(settings);
  RenderJob screen = {settings, false, {}};
  Render(&screen);
  for (bool prepare : {false, true}) {
    RenderJob printed = {settings, prepare, {}};
    HANDLE thread = CreateThread(nullptr, 0, Render, &printed, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    // Unprepared, the settings must show the difference, or the check proves nothing.
    EXPECT_EQ(printed.pixels == screen.pixels, prepare);
  }
}

// Printed for real; tests/e2e/print_pdf.sh runs this test with
// ONDRIX_KEEP_PDF=1 and compares the page with ondrix-render's image of the
// same settings (Tangent, connection colour 0x0000A000, grid and sonar on).
TEST_F(PrintingTest, CancelledPrintLeavesNoPdfAndTheNextGivesOnePage) {
  const std::string folder = PdfFolder();
  ASSERT_FALSE(folder.empty()) << "set ONDRIX_PDF_DIR to the folder that scripts/cups-start prints";
  const auto before = ListPdfs(folder);

  // Cancel in the status dialog during the wait before the page: the
  // document is aborted.
  Command(CM_COTANGENT);
  Command(CM_PRINT_GRAPH);
  HWND status = printStatusWindow;
  HWND printDialog = WaitForPrintDialog();
  ASSERT_NE(printDialog, nullptr);
  PressButton(printDialog, IDOK);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(status) != FALSE; }, kDialogTimeout));
  PostMessageA(status, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_FALSE(IsWindow(status));

  // Now a print that goes through. The function changed while the print
  // dialog is open reaches neither the status dialog nor the page.
  Command(CM_TANGENT);
  currentSettings.colors[PointConnection] = 0x0000A000;
  currentSettings.grid = 1;
  currentSettings.sonar = 1;
  Command(CM_PRINT_GRAPH);
  status = printStatusWindow;
  printDialog = WaitForPrintDialog();
  ASSERT_NE(printDialog, nullptr);
  Command(CM_SINE);
  EXPECT_EQ(DialogItemText(status, IDC_PRINT_FUNCTION), "Tangent");
  PressButton(printDialog, IDOK);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_FALSE(IsWindow(status));
  EXPECT_EQ(WaitForSingleObject(printThreadHandle, kPrintTimeout), WAIT_OBJECT_0);
  EXPECT_EQ(LivePrinterDcs(), 0) << "the printer DC is deleted";

  // cups-pdf handles the jobs in order, so once the Tangent page is there a
  // Cotangent page would be there too.
  const std::string prefix = "Tangent_-_Ondrix";
  std::vector<std::string> added;
  std::string bytes;
  const bool arrived = PumpUntil(
      [&] {
        added.clear();
        for (const auto& [name, time] : ListPdfs(folder)) {
          const auto old = before.find(name);
          if (old == before.end() || old->second != time) {
            added.push_back(name);
          }
        }
        for (const std::string& name : added) {
          if (name.compare(0, prefix.size(), prefix) == 0) {
            std::ifstream file(folder + "\\" + name, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
            return bytes.compare(0, 5, "%PDF-") == 0 &&
                   bytes.find("%%EOF", bytes.size() > 64 ? bytes.size() - 64 : 0) !=
                       std::string::npos;
          }
        }
        return false;
      },
      kPdfTimeout);
  ASSERT_TRUE(arrived) << "no complete " << prefix << "*.pdf in " << folder;
  ASSERT_EQ(added.size(), 1u) << added.front() << " and " << added.back();
  EXPECT_NE(bytes.find("Tangent - Ondrix"), std::string::npos) << "the document title";
  EXPECT_EQ(CountPdfPages(bytes), 1);

  // tests/e2e/print_pdf.sh keeps the page to compare it.
  const char* keep = std::getenv("ONDRIX_KEEP_PDF");
  if (keep == nullptr || std::strcmp(keep, "1") != 0) {
    DeleteFileA((folder + "\\" + added.front()).c_str());
  }
}

}  // namespace
}  // namespace ondrix
