#include "dialogs/printing_win.h"

#include <string>

#include "dialogs/control_ids.h"
#include "model/command_ids.h"
#include "model/print_document.h"
#include "model/titles.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"
#include "state/worker_thread_win.h"

namespace ondrix {

const char kAlreadyPrintingText[] =
    "I am already printing a graph; I cannot print more than one at a time.";
const char kPageSetupWhilePrintingText[] =
    "I am printing a graph; wait until I am done spooling, then set up the page.";

namespace {

constexpr DWORD kSpoolDelayMilliseconds = 2000;

void FinishStatusDialog() {
  SendMessageA(printStatusWindow.load(), WM_COMMAND, CM_PRINT_DONE, 0);
}

// Renders the page after the user confirmed the print dialog; the status
// dialog is gone when this returns.
void PrintPage(const OwnedDc& printer, const GraphSettings& settings, bool axisNumbers) {
  ShowWindow(printStatusWindow.load(), SW_MINIMIZE);

  const std::string documentName = GraphTitle(settings);
  DOCINFOA documentInfo = {};
  documentInfo.cbSize = sizeof documentInfo;
  documentInfo.lpszDocName = documentName.c_str();

  // Leaves the user time to cancel from the status dialog.
  Sleep(kSpoolDelayMilliseconds);

  PrintProgress progress = {};
  progress.documentStarted = StartDocA(printer.Get(), &documentInfo) > 0;
  if (progress.documentStarted) {
    progress.pageStarted = StartPage(printer.Get()) > 0;
    DrawOptions options;
    options.shouldStop = [] { return printCancelled.load(); };
    options.axisNumbers = axisNumbers;
    options.numberScale = NumberScaleForResolution(GetDeviceCaps(printer.Get(), LOGPIXELSY));
    DrawGraph(printer.Get(), 0, 0, GetDeviceCaps(printer.Get(), HORZRES),
              GetDeviceCaps(printer.Get(), VERTRES), settings, options);
  }
  FinishStatusDialog();
  progress.pageEnded = progress.pageStarted && EndPage(printer.Get()) > 0;
  progress.cancelled = printCancelled;
  switch (EndOfDocument(progress)) {
    case DocumentEnd::End:
      EndDoc(printer.Get());
      break;
    case DocumentEnd::Abort:
      AbortDoc(printer.Get());
      break;
    case DocumentEnd::None:
      break;
  }
}

// Asks for a printer, renders one page and ends or aborts the document.
void Print(const GraphSettings& settings, bool axisNumbers, HWND mainWindow) {
  printDialogData.Flags = PD_RETURNDC | PD_NOSELECTION;
  printDialogData.hwndOwner = printStatusWindow;
  if (PrintDlgA(&printDialogData) != 0) {
    const OwnedDc printer(printDialogData.hDC);
    printDialogData.hDC = nullptr;
    PrintPage(printer, settings, axisNumbers);
  } else {
    FinishStatusDialog();
  }
  printInProgress = false;
  PostMessageA(mainWindow, kPrintFinishedMessage, 0, 0);
}

void InitStatusDialog(HWND dialog, const GraphSettings& settings) {
  printCancelled = false;
  const PrintStatusTexts texts = MakePrintStatusTexts(settings);
  SetDlgItemTextA(dialog, IDC_PRINT_FUNCTION, texts.function.c_str());
  SetDlgItemTextA(dialog, IDC_PRINT_CONNECTION, texts.connection);
  SetDlgItemTextA(dialog, IDC_PRINT_GRID, texts.grid);
  SetDlgItemTextA(dialog, IDC_PRINT_SONAR, texts.sonar);
}

}  // namespace

void PageSetup(HWND mainWindow) {
  if (printInProgress) {
    WarnUser(mainWindow, kPageSetupWhilePrintingText, "Page Setup", MB_OK);
    return;
  }
  printDialogData.hwndOwner = mainWindow;
  printDialogData.Flags = PD_PRINTSETUP;
  PrintDlgA(&printDialogData);
}

void PrintGraph(HWND mainWindow) {
  if (printInProgress) {
    WarnUser(mainWindow, kAlreadyPrintingText, "Print Graph", MB_OK);
    return;
  }
  FinishPrintThread();

  // Raised here rather than by the thread, so that a second request handled
  // before the new thread has run is refused as well.
  printInProgress = true;
  printStatusWindow =
      CreateDialogParamA(appInstance, "PRINT_DIALOG", nullptr, PrintStatusDialogProc,
                         reinterpret_cast<LPARAM>(&currentSettings));
  if (printStatusWindow.load() == nullptr) {
    printInProgress = false;
    MessageBeep(MB_ICONHAND);
    return;
  }
  SetActiveWindow(printStatusWindow);

  // The snapshot is taken here, on the thread that owns currentSettings, so
  // that the printout is the graph the status dialog shows.
  printThread =
      StartWorkerThread([settings = currentSettings, axisNumbers = viewSwitches.axisNumbers,
                         mainWindow] { Print(settings, axisNumbers, mainWindow); });
  if (!printThread) {
    DestroyWindow(printStatusWindow);
    printInProgress = false;
    MessageBeep(MB_ICONHAND);
  }
}

void FinishPrintThread() {
  if (printThread && !printInProgress) {
    WaitForSingleObject(printThread.Get(), INFINITE);
    printThread.Reset();
  }
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
          printCancelled = true;
          break;
        case CM_PRINT_DONE:
          DestroyWindow(dialog);
          break;
        default:
          break;
      }
      return FALSE;
    case WM_CLOSE:
      printCancelled = true;
      return FALSE;
    case WM_DESTROY:
      printStatusWindow = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace ondrix
