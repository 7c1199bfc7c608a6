#include "app/main_window_win.h"

#include <cstring>

#include "app/about_dialog_win.h"
#include "dialogs/printing_win.h"
#include "dialogs/properties_dialog_win.h"
#include "model/command_ids.h"
#include "persist/registry_settings_win.h"
#include "render/gdi_objects_win.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"

namespace ondrix {

const char kMainWindowClassName[] = "Kelvane Class - version 1.6 for Win32";

namespace {

constexpr char kExitWhilePrintingText[] =
    "I am currently printing a graph; wait until I am done spooling, then try to exit again.";

std::uint32_t renderCount = 0;

bool CachedImageIsCurrent(const RECT& client) {
  return graphBitmap != nullptr && EqualRect(&client, &graphBitmapRect) && redrawGraph == 0;
}

// A plain device-dependent bitmap in the screen's format, not a compatible
// bitmap, replaces the old image.
bool ReplaceGraphBitmap(HDC windowDc, const RECT& client) {
  const int bitsPerPixel = GetDeviceCaps(windowDc, BITSPIXEL);
  if (graphBitmap != nullptr) {
    DeleteObject(graphBitmap);
  }
  graphBitmap =
      CreateBitmap(client.right, client.bottom, 1, static_cast<UINT>(bitsPerPixel), nullptr);
  graphBitmapRect = graphBitmap != nullptr ? client : RECT{};
  return graphBitmap != nullptr;
}

// Renders the graph into the cached image when it is stale, then copies the
// update rectangle from it. False when no image could be made.
bool PaintFromCachedImage(HDC windowDc, HDC memoryDc, const RECT& client, const RECT& update) {
  const bool current = CachedImageIsCurrent(client);
  if (!current && !ReplaceGraphBitmap(windowDc, client)) {
    return false;
  }
  SelectionGuard selection(memoryDc, graphBitmap);
  if (!current) {
    DrawGraph(memoryDc, client.left, client.top, client.right, client.bottom, currentSettings);
    redrawGraph = 0;
    ++renderCount;
  }
  BitBlt(windowDc, update.left, update.top, update.right - update.left, update.bottom - update.top,
         memoryDc, update.left, update.top, SRCCOPY);
  return true;
}

void OnCreate(HWND window) {
  std::memset(currentSettings.functionName, 0, sizeof currentSettings.functionName);
  graphMenu = GetMenu(window);
  printStatusWindow = nullptr;
  LoadSettings(currentSettings, window);
  std::memset(&printDialogData, 0, sizeof printDialogData);
  printDialogData.lStructSize = sizeof printDialogData;
  printThreadHandle = nullptr;
  printInProgress = 0;
}

void OnPaint(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  RECT update = {};
  GetUpdateRect(window, &update, FALSE);
  // A minimised or collapsed window has nothing to show; the cached image is
  // kept for when the window is restored.
  if (client.right <= 0 || client.bottom <= 0) {
    ValidateRect(window, nullptr);
    return;
  }
  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  if (memoryDc == nullptr) {
    ReleaseDC(window, windowDc);
    ValidateRect(window, nullptr);
    MessageBeep(MB_ICONHAND);
    return;
  }
  const bool painted = PaintFromCachedImage(windowDc, memoryDc, client, update);
  ReleaseDC(window, windowDc);
  DeleteDC(memoryDc);
  ValidateRect(window, nullptr);
  if (!painted) {
    MessageBeep(MB_ICONHAND);
  }
}

void RunExitSequence(HWND window) {
  if (printInProgress != 0) {
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBoxA(window, kExitWhilePrintingText, "Exit", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  SaveSettings(currentSettings, window);
  DestroyWindow(window);
  PostQuitMessage(0);
}

void ChooseFunction(HWND window, std::int32_t id) {
  CheckMenuChoice(currentSettings.graphMethod, id, currentSettings.functionName);
  currentSettings.graphMethod = id;
  UpdateWindowTitle(window, currentSettings);
  redrawGraph = 1;
  InvalidateRect(window, nullptr, TRUE);
}

void ChooseConnection(HWND window, std::int32_t id) {
  CheckMenuChoice(currentSettings.connectMethod, id, nullptr);
  redrawGraph = 1;
  InvalidateRect(window, nullptr, TRUE);
  currentSettings.connectMethod = id;
}

void OnCommand(HWND window, std::int32_t id) {
  switch (id) {
    case CM_PAGE_SETUP:
      PageSetup(window);
      break;
    case CM_PRINT_GRAPH:
      PrintGraph(window);
      break;
    case CM_GRID_LINES:
      ToggleOption(CM_GRID_LINES, currentSettings.grid, window);
      redrawGraph = 1;
      break;
    case CM_CONNECTED_DOTS:
    case CM_NO_CONNECTION:
    case CM_UNCONNECTED_DOTS:
      ChooseConnection(window, id);
      break;
    case CM_POINT_SONAR:
      ToggleOption(CM_POINT_SONAR, currentSettings.sonar, window);
      redrawGraph = 1;
      break;
    case CM_GRID_PROPERTIES:
      DialogBoxParamA(appInstance, "PROPERTIES", window, PropertiesDialogProc, 0);
      InvalidateRect(window, nullptr, TRUE);
      break;
    case CM_SINE:
    case CM_COTANGENT:
    case CM_COSECANT:
    case CM_SECANT:
    case CM_TANGENT:
    case CM_COSINE:
      ChooseFunction(window, id);
      break;
    case CM_EXIT:
      RunExitSequence(window);
      break;
    case CM_ABOUT:
      DialogBoxParamA(appInstance, "ABOUT", window, AboutDialogProc, 0);
      break;
    default:
      break;
  }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_ERASEBKGND:
      // The cached image covers the whole client area.
      return 1;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_CLOSE:
      RunExitSequence(window);
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

ATOM RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "SINE_ZZZICON");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  // Never used to paint, since erasing is suppressed; a stock brush needs no
  // deleting when the class goes.
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszMenuName = "GRAPH";
  windowClass.lpszClassName = kMainWindowClassName;
  return RegisterClassA(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance) {
  return CreateWindowExA(0, kMainWindowClassName, "Ondrix", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                         nullptr, instance, nullptr);
}

void ReleaseMainWindowResources(HINSTANCE instance) {
  if (printDialogData.hDevMode != nullptr) {
    GlobalFree(printDialogData.hDevMode);
    printDialogData.hDevMode = nullptr;
  }
  if (printDialogData.hDevNames != nullptr) {
    GlobalFree(printDialogData.hDevNames);
    printDialogData.hDevNames = nullptr;
  }
  if (printThreadHandle != nullptr) {
    CloseHandle(printThreadHandle);
    printThreadHandle = nullptr;
  }
  UnregisterClassA(kMainWindowClassName, instance);
  if (graphBitmap != nullptr) {
    DeleteObject(graphBitmap);
    graphBitmap = nullptr;
  }
  graphBitmapRect = RECT{};
}

std::uint32_t GraphRenderCount() {
  return renderCount;
}

}  // namespace ondrix
