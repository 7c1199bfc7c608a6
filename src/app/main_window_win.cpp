#include "app/main_window_win.h"

#include <float.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "app/about_dialog_win.h"
#include "dialogs/printing_win.h"
#include "dialogs/properties_dialog_win.h"
#include "model/command_ids.h"
#include "persist/registry_settings_win.h"
#include "render/gdi_objects_win.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"
#include "state/owned_handles_win.h"

namespace ondrix {

const char kMainWindowClassName[] = "Kelvane Class - version 1.6 for Win32";

namespace {

constexpr char kExitWhilePrintingText[] =
    "I am currently printing a graph; wait until I am done spooling, then try to exit again.";
constexpr char kClipboardBusyText[] =
    "The clipboard is in use by another program; try again in a moment.";

// Posted by the render thread when it has finished or given up.
constexpr UINT kRenderDoneMessage = WM_APP + 1;
// A paint waits this long for a new image before it shows the old one: most
// graphs are ready by then and appear without an intermediate picture, and
// the window still answers within a tenth of a second.
constexpr DWORD kPaintWaitMilliseconds = 80;

// One image being drawn on its own thread from a copy of the settings.
struct RenderJob {
  HWND window = nullptr;
  std::uint32_t number = 0;
  GraphSettings settings = {};
  RECT rect = {};
  OwnedBitmap bitmap;
  std::atomic<bool> abandon{false};
  // Written by the thread before it sets `done`; read once `done` is seen.
  bool drawn = false;
  // Set when the bitmap is final and out of the thread's DC, before the
  // thread posts its message. The window goes by this, never by the
  // thread's end, which may come after the message.
  OwnedHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  DWORD linger = 0;
  OwnedHandle thread;

  RenderJob() = default;
  RenderJob(const RenderJob&) = delete;
  RenderJob& operator=(const RenderJob&) = delete;
  // The renderer asks for the flag every few thousand steps, and a finished
  // thread has only to return, so the wait is short.
  ~RenderJob() {
    if (thread) {
      abandon = true;
      WaitForSingleObject(thread.Get(), INFINITE);
    }
  }
  bool IsDone() const { return WaitForSingleObject(done.Get(), 0) == WAIT_OBJECT_0; }
};

// A Copy Graph asked for while the image was being drawn: made when that
// job's message comes, unless the clipboard changed meanwhile.
struct PendingCopy {
  std::uint32_t job;
  DWORD clipboardSequence;
};

// The main window's images, kept with the window: the finished one that
// the window shows and the one being drawn.
struct WindowImages {
  OwnedBitmap image;
  RECT imageRect = {};
  std::uint32_t imageJob = 0;
  std::unique_ptr<RenderJob> job;
  std::optional<PendingCopy> pendingCopy;
  DWORD linger = 0;
  std::uint32_t renderCount = 0;
};

WindowImages* ImagesOf(HWND window) {
  return reinterpret_cast<WindowImages*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

DWORD WINAPI RenderThread(LPVOID parameter) {
  // Threads from CreateThread start with the x87 unit rounding to 53 bits;
  // the renderer's long double steps need the 64 the main thread has.
  _fpreset();
  auto* job = static_cast<RenderJob*>(parameter);
  {
    MemoryDc memoryDc(nullptr);
    if (memoryDc.Get() != nullptr) {
      SelectionGuard selection(memoryDc.Get(), job->bitmap.Get());
      DrawOptions options;
      options.shouldStop = [job] { return job->abandon.load(); };
      job->drawn = DrawGraph(memoryDc.Get(), job->rect.left, job->rect.top, job->rect.right,
                             job->rect.bottom, job->settings, options);
      GdiFlush();
    }
  }
  const HWND window = job->window;
  const WPARAM number = job->number;
  const DWORD linger = job->linger;
  SetEvent(job->done.Get());
  PostMessageA(window, kRenderDoneMessage, number, 0);
  Sleep(linger);
  return 0;
}

bool ImageIsCurrent(const WindowImages& images, const RECT& client) {
  return images.job == nullptr && images.image && EqualRect(&client, &images.imageRect) &&
         redrawGraph == 0;
}

// Takes over the image of a finished job. False while none has finished.
bool CollectFinishedJob(WindowImages& images) {
  if (images.job == nullptr || !images.job->IsDone()) {
    return false;
  }
  const std::unique_ptr<RenderJob> job = std::move(images.job);
  if (!job->drawn) {
    MessageBeep(MB_ICONHAND);
    return false;
  }
  images.image = std::move(job->bitmap);
  images.imageRect = job->rect;
  images.imageJob = job->number;
  return true;
}

// Abandons any render in progress and starts one of the current settings at
// the client size. A plain device-dependent bitmap in the screen's format,
// not a compatible bitmap, receives it. False when no image could be made.
bool StartRender(HWND window, HDC windowDc, const RECT& client) {
  WindowImages& images = *ImagesOf(window);
  images.job.reset();
  auto job = std::make_unique<RenderJob>();
  job->window = window;
  job->number = images.renderCount + 1;
  job->settings = currentSettings;
  job->rect = client;
  job->linger = images.linger;
  job->bitmap.Reset(CreateBitmap(client.right, client.bottom, 1,
                                 static_cast<UINT>(GetDeviceCaps(windowDc, BITSPIXEL)), nullptr));
  if (!job->bitmap) {
    return false;
  }
  if (!job->done) {
    return false;
  }
  DWORD threadId = 0;
  job->thread.Reset(CreateThread(nullptr, 0, RenderThread, job.get(), 0, &threadId));
  if (!job->thread) {
    return false;
  }
  redrawGraph = 0;
  ++images.renderCount;
  images.job = std::move(job);
  WaitForSingleObject(images.job->done.Get(), kPaintWaitMilliseconds);
  CollectFinishedJob(images);
  return true;
}

// Until the new image is ready the last finished one stays where it covers
// the window, and the rest shows the background of the graph being drawn.
void PaintWhileRendering(const WindowImages& images, HDC windowDc, HDC memoryDc, const RECT& client,
                         Color background) {
  int shownWidth = 0;
  int shownHeight = 0;
  if (images.image) {
    shownWidth = std::min(images.imageRect.right, client.right);
    shownHeight = std::min(images.imageRect.bottom, client.bottom);
    SelectionGuard selection(memoryDc, images.image.Get());
    BitBlt(windowDc, 0, 0, shownWidth, shownHeight, memoryDc, 0, 0, SRCCOPY);
  }
  GdiSurface surface(windowDc);
  surface.FillRectangle(shownWidth, 0, client.right, client.bottom, background);
  surface.FillRectangle(0, shownHeight, shownWidth, client.bottom, background);
}

void OnPaint(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  RECT update = {};
  GetUpdateRect(window, &update, FALSE);
  ValidateRect(window, nullptr);
  // A minimised or collapsed window has nothing to show; the cached image is
  // kept for when the window is restored.
  if (client.right <= 0 || client.bottom <= 0) {
    return;
  }
  WindowImages& images = *ImagesOf(window);
  WindowDc windowDc(window);
  MemoryDc memoryDc(windowDc.Get());
  CollectFinishedJob(images);
  const bool drawingCurrent =
      images.job != nullptr && redrawGraph == 0 && EqualRect(&client, &images.job->rect);
  if (!ImageIsCurrent(images, client) && !drawingCurrent &&
      (memoryDc.Get() == nullptr || !StartRender(window, windowDc.Get(), client))) {
    MessageBeep(MB_ICONHAND);
    return;
  }
  if (images.job != nullptr) {
    PaintWhileRendering(images, windowDc.Get(), memoryDc.Get(), client,
                        images.job->settings.colors[Background]);
    return;
  }
  SelectionGuard selection(memoryDc.Get(), images.image.Get());
  BitBlt(windowDc.Get(), update.left, update.top, update.right - update.left,
         update.bottom - update.top, memoryDc.Get(), update.left, update.top, SRCCOPY);
}

// The image as a 24-bit bottom-up DIB in a movable block, or null when the
// block cannot be had.
HGLOBAL MakeClipboardDib(HWND window, const WindowImages& images) {
  const LONG width = images.imageRect.right;
  const LONG height = images.imageRect.bottom;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(height));
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof header + header.biSizeImage);
  if (block == nullptr) {
    return nullptr;
  }
  auto* bytes = static_cast<BYTE*>(GlobalLock(block));
  int rows = 0;
  if (bytes != nullptr) {
    std::memcpy(bytes, &header, sizeof header);
    WindowDc windowDc(window);
    rows = GetDIBits(windowDc.Get(), images.image.Get(), 0, static_cast<UINT>(height),
                     bytes + sizeof header, reinterpret_cast<BITMAPINFO*>(bytes), DIB_RGB_COLORS);
    GlobalUnlock(block);
  }
  if (rows != height) {
    GlobalFree(block);
    return nullptr;
  }
  return block;
}

void CopyImageToClipboard(HWND window) {
  HGLOBAL dib = MakeClipboardDib(window, *ImagesOf(window));
  if (dib == nullptr) {
    MessageBeep(MB_ICONHAND);
    return;
  }
  if (!OpenClipboard(window)) {
    GlobalFree(dib);
    WarnUser(window, kClipboardBusyText, "Copy Graph", MB_OK);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_DIB, dib) == nullptr) {
    GlobalFree(dib);
  }
  CloseClipboard();
}

// Copies the image the window shows; one still being drawn is copied when
// it is ready.
void CopyGraph(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  if (IsIconic(window) || client.right <= 0 || client.bottom <= 0) {
    MessageBeep(MB_ICONHAND);
    return;
  }
  WindowImages& images = *ImagesOf(window);
  if (!ImageIsCurrent(images, client)) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  }
  if (ImageIsCurrent(images, client)) {
    CopyImageToClipboard(window);
  } else if (images.job != nullptr) {
    images.pendingCopy = PendingCopy{images.job->number, GetClipboardSequenceNumber()};
  }
}

// Every job posts this once it is done or has given up, whether or not a
// paint took its image first. A copy asked for is made now or never: not
// over what the user has put on the clipboard since, and not of a later
// graph when this one was abandoned.
void OnRenderDone(HWND window, std::uint32_t number) {
  WindowImages& images = *ImagesOf(window);
  if (CollectFinishedJob(images)) {
    InvalidateRect(window, nullptr, FALSE);
  }
  if (images.pendingCopy && images.pendingCopy->job == number) {
    const PendingCopy copy = *images.pendingCopy;
    images.pendingCopy.reset();
    if (images.imageJob == number && GetClipboardSequenceNumber() == copy.clipboardSequence) {
      CopyImageToClipboard(window);
    }
  }
}

// False when the window's image record cannot be had.
bool OnCreate(HWND window) {
  auto* images = new (std::nothrow) WindowImages;
  if (images == nullptr) {
    return false;
  }
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(images));
  std::memset(currentSettings.functionName, 0, sizeof currentSettings.functionName);
  graphMenu = GetMenu(window);
  printStatusWindow = nullptr;
  LoadSettings(currentSettings, window);
  std::memset(&printDialogData, 0, sizeof printDialogData);
  printDialogData.lStructSize = sizeof printDialogData;
  printThreadHandle = nullptr;
  printInProgress = 0;
  return true;
}

// The image goes with the window; a render still under way is abandoned
// first, and its thread stops within a few thousand steps.
void OnNcDestroy(HWND window) {
  delete ImagesOf(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

void RunExitSequence(HWND window) {
  if (printInProgress != 0) {
    WarnUser(window, kExitWhilePrintingText, "Exit", MB_OK);
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
    case CM_COPY_GRAPH:
      CopyGraph(window);
      break;
    default:
      break;
  }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window) ? 0 : -1;
    case WM_ERASEBKGND:
      // The cached image covers the whole client area.
      return 1;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_CLOSE:
      RunExitSequence(window);
      return 0;
    case WM_NCDESTROY:
      // The default processing frees the window's own text and scroll data.
      OnNcDestroy(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case kRenderDoneMessage:
      OnRenderDone(window, static_cast<std::uint32_t>(wParam));
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
}

std::uint32_t GraphRenderCount(HWND window) {
  const WindowImages* images = ImagesOf(window);
  return images != nullptr ? images->renderCount : 0;
}

void SetRenderThreadLinger(HWND window, DWORD milliseconds) {
  ImagesOf(window)->linger = milliseconds;
}

bool GraphRenderPending(HWND window) {
  const WindowImages* images = ImagesOf(window);
  return images != nullptr && images->job != nullptr;
}

}  // namespace ondrix
