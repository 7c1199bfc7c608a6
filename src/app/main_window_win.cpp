#include "app/main_window_win.h"

#include <memory>
#include <new>

#include "app/about_dialog_win.h"
#include "app/graph_image_win.h"
#include "app/save_graph_win.h"
#include "app/status_bar_win.h"
#include "app/view_input_win.h"
#include "dialogs/printing_win.h"
#include "dialogs/properties_dialog_win.h"
#include "model/command_ids.h"
#include "model/pointer_readout.h"
#include "persist/registry_settings_win.h"
#include "persist/save_choice_win.h"
#include "persist/view_switches_win.h"
#include "state/app_state_win.h"

namespace ondrix {

const char kMainWindowClassName[] = "Kelvane Class - version 1.6 for Win32";

namespace {

constexpr char kExitWhilePrintingText[] =
    "I am currently printing a graph; wait until I am done spooling, then try to exit again.";

// What the main window keeps, from WM_CREATE to WM_NCDESTROY.
struct MainWindowRecord {
  explicit MainWindowRecord(const GraphSettings& home) : view(home) {}
  GraphImage image;
  SaveChoice saveChoice = LoadSaveChoice();
  ViewInput view;
  StatusBar statusBar;
};

MainWindowRecord* RecordOf(HWND window) {
  return reinterpret_cast<MainWindowRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// A window with no area, or entirely off every monitor, could never be seen
// or dragged back; such a placement is not applied.
bool IsReachable(const Placement& placement) {
  const PlacementRect bounds = MakePlacementRect(placement);
  const RECT rect = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  return bounds.hasArea && MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

ViewSize GraphSize(HWND window) {
  const RECT area = RecordOf(window)->image.Area(window);
  return ViewSize{area.right, area.bottom};
}

// The status bar as the switch says; the graph keeps to the rows above it.
void ShowStatusBar(HWND window) {
  MainWindowRecord& record = *RecordOf(window);
  if (!record.statusBar.Show(window, viewSwitches.statusBar)) {
    viewSwitches.statusBar = false;
    MessageBeep(MB_ICONHAND);
  }
  record.image.SetReservedHeight(record.statusBar.Height());
}

// False when the window's record cannot be had.
bool OnCreate(HWND window) {
  const LoadedSettings loaded = LoadSettings();
  currentSettings = loaded.settings;
  std::unique_ptr<MainWindowRecord> record(new (std::nothrow) MainWindowRecord(currentSettings));
  if (record == nullptr) {
    return false;
  }
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record.release()));
  graphMenu = GetMenu(window);
  printStatusWindow = nullptr;
  viewSwitches = LoadViewSwitches();
  ShowStatusBar(window);
  ReflectSettings(window);
  if (loaded.placement && IsReachable(*loaded.placement)) {
    const Placement& placement = *loaded.placement;
    MoveWindow(window, placement.x, placement.y, placement.width, placement.height, TRUE);
  }
  printDialogData.Clear();
  printThread.Reset();
  printInProgress = false;
  return true;
}

// The record goes with the window; a render still under way is abandoned
// first.
void OnNcDestroy(HWND window) {
  const std::unique_ptr<MainWindowRecord> record(RecordOf(window));
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

void RunExitSequence(HWND window) {
  if (printInProgress) {
    WarnUser(window, kExitWhilePrintingText, "Exit", MB_OK);
    return;
  }
  SaveSettings(currentSettings, window);
  StoreSaveChoice(RecordOf(window)->saveChoice);
  StoreViewSwitches(viewSwitches);
  DestroyWindow(window);
  PostQuitMessage(0);
}

// Windows ends the process soon after a session ends, without closing the
// window: the settings are saved as the exit would save them, and that is
// all, since nothing after this is sure to run. A print under way does not
// hold the session up; Windows ends it anyway.
void OnEndSession(HWND window, bool ending) {
  if (ending) {
    SaveSettings(currentSettings, window);
    StoreSaveChoice(RecordOf(window)->saveChoice);
    StoreViewSwitches(viewSwitches);
  }
}

// The pointer's and the curve's coordinates while the pointer is over the
// graph; nothing once it leaves.
void ShowReadout(HWND window, POINT point) {
  const MainWindowRecord& record = *RecordOf(window);
  if (!record.statusBar.Shown()) {
    return;
  }
  const RECT area = record.image.Area(window);
  if (!PtInRect(&area, point)) {
    record.statusBar.SetText("");
    return;
  }
  record.statusBar.SetText(
      PointerReadoutText(currentSettings, ViewSize{area.right, area.bottom}, point.x, point.y));
  TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, window, 0};
  TrackMouseEvent(&leave);
}

// Signed: a captured pointer left or above the window is negative.
POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The wheel zooms about the pointer while it is over the graph.
bool OnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT point = PointOf(lParam);
  ScreenToClient(window, &point);
  const RECT area = RecordOf(window)->image.Area(window);
  if (!PtInRect(&area, point)) {
    return false;
  }
  RecordOf(window)->view.OnWheel(window, ViewSize{area.right, area.bottom}, point,
                                 GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam),
                                 static_cast<DWORD>(GetMessageTime()));
  ShowReadout(window, point);
  return true;
}

void OnLeftButtonDown(HWND window, LPARAM lParam) {
  const POINT point = PointOf(lParam);
  const RECT area = RecordOf(window)->image.Area(window);
  if (PtInRect(&area, point)) {
    RecordOf(window)->view.OnButtonDown(window, point);
  }
}

void OnMouseMove(HWND window, LPARAM lParam) {
  const POINT point = PointOf(lParam);
  RecordOf(window)->view.OnMouseMove(window, GraphSize(window), point);
  ShowReadout(window, point);
}

void OnSize(HWND window) {
  MainWindowRecord& record = *RecordOf(window);
  record.statusBar.FitParent();
  record.image.SetReservedHeight(record.statusBar.Height());
}

void ToggleViewSwitch(HWND window, bool ViewSwitches::*which) {
  viewSwitches.*which = !(viewSwitches.*which);
  viewSwitches.stored = true;
  ShowStatusBar(window);
  ReflectSettings(window);
}

void OnCommand(HWND window, int id) {
  if (RecordOf(window)->view.OnCommand(window, GraphSize(window), id)) {
    return;
  }
  switch (id) {
    case CM_PAGE_SETUP:
      PageSetup(window);
      break;
    case CM_PRINT_GRAPH:
      PrintGraph(window);
      break;
    case CM_GRID_LINES:
      currentSettings.grid = currentSettings.grid != 0 ? 0 : 1;
      ReflectSettings(window);
      break;
    case CM_POINT_SONAR:
      currentSettings.sonar = currentSettings.sonar != 0 ? 0 : 1;
      ReflectSettings(window);
      break;
    case CM_CONNECTED_DOTS:
    case CM_NO_CONNECTION:
    case CM_UNCONNECTED_DOTS:
      currentSettings.connectMethod = id;
      ReflectSettings(window);
      break;
    case CM_SINE:
    case CM_COTANGENT:
    case CM_COSECANT:
    case CM_SECANT:
    case CM_TANGENT:
    case CM_COSINE:
      currentSettings.graphMethod = id;
      ReflectSettings(window);
      break;
    case CM_GRID_PROPERTIES:
      RunPropertiesDialog(window);
      break;
    case CM_EXIT:
      RunExitSequence(window);
      break;
    case CM_ABOUT:
      DialogBoxParamA(appInstance, "ABOUT", window, AboutDialogProc, 0);
      break;
    case CM_COPY_GRAPH:
      RecordOf(window)->image.Copy(window);
      break;
    case CM_AXIS_NUMBERS:
      ToggleViewSwitch(window, &ViewSwitches::axisNumbers);
      break;
    case CM_STATUS_BAR:
      ToggleViewSwitch(window, &ViewSwitches::statusBar);
      break;
    case CM_SAVE_GRAPH:
      SaveGraphAs(window, RecordOf(window)->image, RecordOf(window)->saveChoice);
      break;
    default:
      break;
  }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Before WM_CREATE and after WM_NCDESTROY there is no record to act on.
  if (message != WM_CREATE && RecordOf(window) == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_CREATE:
      return OnCreate(window) ? 0 : -1;
    case WM_ERASEBKGND:
      // The cached image covers the whole client area.
      return 1;
    case WM_PAINT:
      RecordOf(window)->image.Paint(window);
      return 0;
    case WM_CLOSE:
      RunExitSequence(window);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      OnEndSession(window, wParam != FALSE);
      return 0;
    case WM_NCDESTROY:
      // The default processing frees the window's own text and scroll data.
      OnNcDestroy(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case kRenderDoneMessage:
      RecordOf(window)->image.OnRenderDone(window, static_cast<std::uint32_t>(wParam));
      return 0;
    case kPrintFinishedMessage:
      FinishPrintThread();
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      return OnMouseWheel(window, wParam, lParam) ? 0
                                                  : DefWindowProcA(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(window, lParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(window, lParam);
      return 0;
    case WM_LBUTTONUP:
      RecordOf(window)->view.OnButtonUp();
      return 0;
    case WM_CAPTURECHANGED:
      RecordOf(window)->view.OnCaptureLost();
      return 0;
    case WM_MOUSELEAVE:
      ShowReadout(window, POINT{-1, -1});
      return 0;
    case WM_KEYDOWN:
      return RecordOf(window)->view.OnKey(window, GraphSize(window), wParam)
                 ? 0
                 : DefWindowProcA(window, message, wParam, lParam);
    case WM_SIZE:
      OnSize(window);
      return 0;
    case kSettingsAppliedMessage:
      RecordOf(window)->view.OnSettingsApplied(*reinterpret_cast<const GraphSettings*>(lParam));
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
  printDialogData.Clear();
  printThread.Reset();
  UnregisterClassA(kMainWindowClassName, instance);
}

std::uint32_t GraphRenderCount(HWND window) {
  const MainWindowRecord* record = RecordOf(window);
  return record != nullptr ? record->image.RenderCount() : 0;
}

bool GraphRenderPending(HWND window) {
  const MainWindowRecord* record = RecordOf(window);
  return record != nullptr && record->image.RenderPending();
}

void SetRenderThreadLinger(HWND window, DWORD milliseconds) {
  RecordOf(window)->image.SetLinger(milliseconds);
}

}  // namespace ondrix
