#include "dialogs/printing_win.h"

#include <float.h>

#include <string>

#include "dialogs/control_ids.h"
#include "model/command_ids.h"
#include "model/titles.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"

namespace ondrix {

const char kAlreadyPrintingText[] =
    "I am already printing a graph; I cannot print more than one at a time.";
const char kPageSetupWhilePrintingText[] =
    "I am printing a graph; wait until I am done spooling, then set up the page.";

namespace {

constexpr DWORD kSpoolDelayMilliseconds = 2000;

void FinishStatusDialog() {
  SendMessageA(printStatusWindow, WM_COMMAND, CM_PRINT_DONE, 0);
}

// Renders the page after the user confirmed the print dialog; the status
// dialog is gone when this returns.
void PrintPage(HDC printer, const GraphSettings& settings) {
  ShowWindow(printStatusWindow, SW_MINIMIZE);

  const std::string documentName = GraphTitle(settings);
  DOCINFOA documentInfo = {};
  documentInfo.cbSize = sizeof documentInfo;
  documentInfo.lpszDocName = documentName.c_str();

  // Leaves the user time to cancel from the status dialog.
  Sleep(kSpoolDelayMilliseconds);

  // A document the spooler refused is not ended; a page it refused is not
  // ended either, and the document is then aborted rather than sent empty.
  if (StartDocA(printer, &documentInfo) <= 0) {
    FinishStatusDialog();
    DeleteDC(printer);
    return;
  }
  const bool pageStarted = StartPage(printer) > 0;
  DrawOptions options;
  options.shouldStop = [] { return printCancelled != 0; };
  DrawGraph(printer, 0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES),
            settings, options);
  FinishStatusDialog();
  const bool pageEnded = pageStarted && EndPage(printer) > 0;
  if (printCancelled != 0 || !pageEnded) {
    AbortDoc(printer);
  } else {
    EndDoc(printer);
  }
  DeleteDC(printer);
}

void InitStatusDialog(HWND dialog, const GraphSettings& settings) {
  printCancelled = 0;
  const PrintStatusTexts texts = MakePrintStatusTexts(settings);
  SetDlgItemTextA(dialog, IDC_PRINT_FUNCTION, texts.function.c_str());
  SetDlgItemTextA(dialog, IDC_PRINT_CONNECTION, texts.connection);
  SetDlgItemTextA(dialog, IDC_PRINT_GRID, texts.grid);
  SetDlgItemTextA(dialog, IDC_PRINT_SONAR, texts.sonar);
}

}  // namespace

void PageSetup(HWND mainWindow) {
  if (printInProgress != 0) {
    WarnUser(mainWindow, kPageSetupWhilePrintingText, "Page Setup", MB_OK);
    return;
  }
  printDialogData.hwndOwner = mainWindow;
  printDialogData.Flags = PD_PRINTSETUP;
  PrintDlgA(&printDialogData);
}

void PrintGraph(HWND mainWindow) {
  if (printInProgress != 0) {
    WarnUser(mainWindow, kAlreadyPrintingText, "Print Graph", MB_OK);
    return;
  }
  if (printThreadHandle != nullptr) {
    CloseHandle(printThreadHandle);
    printThreadHandle = nullptr;
  }

  // Raised here rather than by the thread, so that a second request handled
  // before the new thread has run is refused as well.
  printInProgress = 1;
  printStatusWindow =
      CreateDialogParamA(appInstance, "PRINT_DIALOG", nullptr, PrintStatusDialogProc,
                         reinterpret_cast<LPARAM>(&currentSettings));
  if (printStatusWindow == nullptr) {
    printInProgress = 0;
    MessageBeep(MB_ICONHAND);
    return;
  }
  SetActiveWindow(printStatusWindow);

  // The snapshot is taken here, on the thread that owns currentSettings, so
  // that the printout is the graph the status dialog shows.
  auto* snapshot = new GraphSettings(currentSettings);
  DWORD threadId = 0;
  printThreadHandle = CreateThread(nullptr, 0, PrintThread, snapshot, 0, &threadId);
  if (printThreadHandle == nullptr) {
    delete snapshot;
    DestroyWindow(printStatusWindow);
    printInProgress = 0;
    MessageBeep(MB_ICONHAND);
  }
}

void MatchMainThreadPrecision() {
  _fpreset();
}

DWORD WINAPI PrintThread(LPVOID parameter) {
  MatchMainThreadPrecision();

  auto* snapshot = static_cast<GraphSettings*>(parameter);
  const GraphSettings settings = *snapshot;
  delete snapshot;

  printDialogData.Flags = PD_RETURNDC | PD_NOSELECTION;
  printDialogData.hwndOwner = printStatusWindow;
  if (PrintDlgA(&printDialogData) != 0) {
    HDC printer = printDialogData.hDC;
    printDialogData.hDC = nullptr;
    PrintPage(printer, settings);
  } else {
    FinishStatusDialog();
  }

  printInProgress = 0;
  return 0;
}

INT_PTR CALLBACK PrintStatusDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitStatusDialog(dialog, *reinterpret_cast<const GraphSettings*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDCANCEL:
          // The thread stops drawing and aborts the document.
          printCancelled = 1;
          break;
        case CM_PRINT_DONE:
          DestroyWindow(dialog);
          break;
        default:
          break;
      }
      return FALSE;
    case WM_CLOSE:
      printCancelled = 1;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace ondrix
