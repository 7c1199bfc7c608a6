#include "dialogs/printing_win.h"

#include <float.h>

#include <cstring>

#include "dialogs/control_ids.h"
#include "model/command_ids.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"

namespace ondrix {

const char kAlreadyPrintingText[] =
    "I am already printing a graph; I cannot print more than one at a time.";
const char kPageSetupWhilePrintingText[] =
    "I am printing a graph; wait until I am done spooling, then set up the page.";

namespace {

constexpr DWORD kSpoolDelayMilliseconds = 2000;
constexpr int kDocumentNameSize = 40;
constexpr char kDocumentNameSuffix[] = " - Ondrix";

// functionName may come from a damaged record without its terminating zero:
// never read past its 15 bytes.
void CopyFunctionName(const GraphSettings& settings, char (&name)[kFunctionNameSize + 1]) {
  std::memset(name, 0, sizeof name);
  std::size_t length = 0;
  while (length < sizeof settings.functionName && settings.functionName[length] != '\0') {
    ++length;
  }
  std::memcpy(name, settings.functionName, length);
}

void RefuseWhilePrinting(HWND owner, const char* text, const char* caption) {
  MessageBeep(MB_ICONEXCLAMATION);
  MessageBoxA(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void FinishStatusDialog() {
  SendMessageA(printStatusWindow, WM_COMMAND, CM_PRINT_DONE, 0);
}

// Renders the page after the user confirmed the print dialog; the status
// dialog is gone when this returns.
void PrintPage(HDC printer, const GraphSettings& settings) {
  ShowWindow(printStatusWindow, SW_MINIMIZE);

  static_assert(kFunctionNameSize + sizeof kDocumentNameSuffix <= kDocumentNameSize,
                "the document name holds any function name");
  char documentName[kDocumentNameSize] = {};
  char functionName[kFunctionNameSize + 1];
  CopyFunctionName(settings, functionName);
  std::strcpy(documentName, functionName);
  std::strcat(documentName, kDocumentNameSuffix);

  DOCINFOA documentInfo = {};
  documentInfo.cbSize = sizeof documentInfo;
  documentInfo.lpszDocName = documentName;

  // Leaves the user time to cancel from the status dialog.
  Sleep(kSpoolDelayMilliseconds);

  StartDocA(printer, &documentInfo);
  StartPage(printer);
  DrawOptions options;
  options.shouldStop = [] { return printCancelled != 0; };
  DrawGraph(printer, 0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES),
            settings, options);
  FinishStatusDialog();
  EndPage(printer);
  if (printCancelled != 0) {
    AbortDoc(printer);
  } else {
    EndDoc(printer);
  }
  DeleteDC(printer);
}

// The status dialog names the connection methods differently from the menu.
const char* ConnectionMethodText(std::int32_t connectMethod) {
  switch (connectMethod) {
    case CM_UNCONNECTED_DOTS:
      return "Unconnected Dots";
    case CM_CONNECTED_DOTS:
      return "Connected Dots";
    case CM_NO_CONNECTION:
      return "No Dot Connection";
    default:
      return "";
  }
}

void InitStatusDialog(HWND dialog, const GraphSettings& settings) {
  printCancelled = 0;
  char functionName[kFunctionNameSize + 1];
  CopyFunctionName(settings, functionName);
  SetDlgItemTextA(dialog, IDC_PRINT_FUNCTION, functionName);
  SetDlgItemTextA(dialog, IDC_PRINT_CONNECTION, ConnectionMethodText(settings.connectMethod));
  SetDlgItemTextA(dialog, IDC_PRINT_GRID, settings.grid != 0 ? "On" : "Off");
  SetDlgItemTextA(dialog, IDC_PRINT_SONAR, settings.sonar != 0 ? "On" : "Off");
}

}  // namespace

void PageSetup(HWND mainWindow) {
  if (printInProgress != 0) {
    RefuseWhilePrinting(mainWindow, kPageSetupWhilePrintingText, "Page Setup");
    return;
  }
  printDialogData.hwndOwner = mainWindow;
  printDialogData.Flags = PD_PRINTSETUP;
  PrintDlgA(&printDialogData);
}

void PrintGraph(HWND mainWindow) {
  if (printInProgress != 0) {
    RefuseWhilePrinting(mainWindow, kAlreadyPrintingText, "Print Graph");
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

DWORD WINAPI PrintThread(LPVOID parameter) {
  // Windows starts the threads that CreateThread makes with the x87 unit
  // rounding to 53 bits, while the C runtime gave the main thread 64. The
  // renderer's long double steps must round as they do for the screen.
  _fpreset();

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
          // The page is still rendered; the thread aborts the document.
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
