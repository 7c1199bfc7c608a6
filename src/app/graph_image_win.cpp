#include "app/graph_image_win.h"

#include <algorithm>
#include <atomic>

#include "app/clipboard_win.h"
#include "model/view.h"
#include "render/gdi_surface_win.h"
#include "state/app_state_win.h"
#include "state/owned_handles_win.h"
#include "state/worker_thread_win.h"

namespace ondrix {

namespace {

// A paint waits this long for a new image before it shows the old one: most
// graphs are ready by then and appear without an intermediate picture, and
// the window still answers within a tenth of a second.
constexpr DWORD kPaintWaitMilliseconds = 80;

}  // namespace

// One image being drawn on its own thread from a copy of the settings.
struct RenderJob {
  HWND window = nullptr;
  std::uint32_t number = 0;
  GraphSettings settings = {};
  DrawOptions options;
  RECT rect = {};
  OwnedBitmap bitmap;
  DWORD linger = 0;
  std::atomic<bool> abandon{false};
  // Written by the thread before it sets `done`; read once `done` is seen.
  bool drawn = false;
  // Set when the bitmap is final and out of the thread's DC, before the
  // thread posts its message. The window goes by this, never by the
  // thread's end, which may come after the message.
  OwnedHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
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

  void Run() {
    {
      MemoryDc memoryDc(nullptr);
      if (memoryDc.Get() != nullptr) {
        SelectionGuard selection(memoryDc.Get(), bitmap.Get());
        DrawOptions stoppable = options;
        stoppable.shouldStop = [this] { return abandon.load(); };
        drawn = DrawGraph(memoryDc.Get(), rect.left, rect.top, rect.right, rect.bottom, settings,
                          stoppable);
        GdiFlush();
      }
    }
    // The job may be gone once `done` is set.
    const HWND target = window;
    const WPARAM message = number;
    const DWORD wait = linger;
    SetEvent(done.Get());
    PostMessageA(target, kRenderDoneMessage, message, 0);
    Sleep(wait);
  }
};

GraphImage::GraphImage() = default;
GraphImage::~GraphImage() = default;

bool GraphImage::IsCurrent(const RECT& client) const {
  return job_ == nullptr && image_ && EqualRect(&client, &imageRect_) && !redrawGraph;
}

// Takes over the image of a finished job. False while none has finished.
bool GraphImage::CollectFinishedJob() {
  if (job_ == nullptr || !job_->IsDone()) {
    return false;
  }
  const std::unique_ptr<RenderJob> job = std::move(job_);
  if (!job->drawn) {
    MessageBeep(MB_ICONHAND);
    return false;
  }
  image_ = std::move(job->bitmap);
  imageRect_ = job->rect;
  imageJob_ = job->number;
  imageSettings_ = job->settings;
  imageOptions_ = job->options;
  return true;
}

// Abandons any render in progress and starts one of the current settings at
// the client size. A plain device-dependent bitmap in the screen's format,
// not a compatible bitmap, receives it. False when no image could be made.
bool GraphImage::StartRender(HWND window, HDC windowDc, const RECT& client) {
  job_.reset();
  auto job = std::make_unique<RenderJob>();
  job->window = window;
  job->number = renderCount_ + 1;
  job->settings = currentSettings;
  job->options.axisNumbers = viewSwitches.axisNumbers;
  job->options.numberScale = NumberScaleForResolution(GetDeviceCaps(windowDc, LOGPIXELSY));
  job->rect = client;
  job->linger = linger_;
  job->bitmap.Reset(CreateBitmap(client.right, client.bottom, 1,
                                 static_cast<UINT>(GetDeviceCaps(windowDc, BITSPIXEL)), nullptr));
  if (!job->bitmap || !job->done) {
    return false;
  }
  job->thread = StartWorkerThread([job = job.get()] { job->Run(); });
  if (!job->thread) {
    return false;
  }
  redrawGraph = false;
  ++renderCount_;
  // A pan shows the last image moved at once; waiting would make the graph
  // lag the pointer.
  const bool panned =
      image_ && job->options.axisNumbers == imageOptions_.axisNumbers &&
      PanShift(imageSettings_, job->settings, ViewSize{client.right, client.bottom}).has_value();
  job_ = std::move(job);
  WaitForSingleObject(job_->done.Get(), panned ? 0 : kPaintWaitMilliseconds);
  CollectFinishedJob();
  return true;
}

// Until the new image is ready the last finished one stays where it covers
// the area, moved with the graph after a pan, and the rest shows the
// background of the graph being drawn.
void GraphImage::PaintWhileRendering(HDC windowDc, HDC memoryDc, const RECT& area) const {
  RECT shown = {};
  if (image_) {
    PixelShift shift = {0, 0};
    if (EqualRect(&imageRect_, &area) && imageOptions_.axisNumbers == job_->options.axisNumbers) {
      shift = PanShift(imageSettings_, job_->settings, ViewSize{area.right, area.bottom})
                  .value_or(PixelShift{0, 0});
    }
    const RECT placed = {shift.dx, shift.dy, shift.dx + imageRect_.right,
                         shift.dy + imageRect_.bottom};
    IntersectRect(&shown, &placed, &area);
    SelectionGuard selection(memoryDc, image_.Get());
    BitBlt(windowDc, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
           memoryDc, shown.left - shift.dx, shown.top - shift.dy, SRCCOPY);
  }
  const Color background = job_->settings.colors[Background];
  GdiSurface surface(windowDc);
  if (IsRectEmpty(&shown)) {
    surface.FillRectangle(0, 0, area.right, area.bottom, background);
    return;
  }
  surface.FillRectangle(0, 0, area.right, shown.top, background);
  surface.FillRectangle(0, shown.bottom, area.right, area.bottom, background);
  surface.FillRectangle(0, shown.top, shown.left, shown.bottom, background);
  surface.FillRectangle(shown.right, shown.top, area.right, shown.bottom, background);
}

RECT GraphImage::Area(HWND window) const {
  RECT area = {};
  GetClientRect(window, &area);
  area.bottom = std::max<LONG>(0, area.bottom - reservedHeight_);
  return area;
}

void GraphImage::Paint(HWND window) {
  const RECT client = Area(window);
  RECT update = {};
  GetUpdateRect(window, &update, FALSE);
  ValidateRect(window, nullptr);
  // A minimised or collapsed window has nothing to show; the cached image is
  // kept for when the window is restored.
  if (client.right <= 0 || client.bottom <= 0) {
    return;
  }
  WindowDc windowDc(window);
  MemoryDc memoryDc(windowDc.Get());
  CollectFinishedJob();
  const bool drawingCurrent = job_ != nullptr && !redrawGraph && EqualRect(&client, &job_->rect);
  if (!IsCurrent(client) && !drawingCurrent &&
      (memoryDc.Get() == nullptr || !StartRender(window, windowDc.Get(), client))) {
    MessageBeep(MB_ICONHAND);
    return;
  }
  if (job_ != nullptr) {
    PaintWhileRendering(windowDc.Get(), memoryDc.Get(), client);
    return;
  }
  // The window's DC is not clipped to its children: the status bar is left alone.
  IntersectRect(&update, &update, &client);
  SelectionGuard selection(memoryDc.Get(), image_.Get());
  BitBlt(windowDc.Get(), update.left, update.top, update.right - update.left,
         update.bottom - update.top, memoryDc.Get(), update.left, update.top, SRCCOPY);
}

GraphPicture GraphImage::Picture() const {
  return GraphPicture{image_.Get(), imageRect_.right, imageRect_.bottom, imageSettings_,
                      imageOptions_};
}

bool GraphImage::CanShow(HWND window) const {
  const RECT client = Area(window);
  return !IsIconic(window) && client.right > 0 && client.bottom > 0;
}

void GraphImage::WhenShown(HWND window, PictureUse use) {
  if (!CanShow(window)) {
    MessageBeep(MB_ICONHAND);
    return;
  }
  const RECT client = Area(window);
  if (!IsCurrent(client)) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  }
  if (IsCurrent(client)) {
    const GraphPicture picture = Picture();
    use(&picture);
  } else if (job_ != nullptr) {
    pendingUses_.push_back(PendingUse{job_->number, std::move(use)});
  } else {
    use(nullptr);
  }
}

void GraphImage::Copy(HWND window) {
  // The copy is made then or never: not over what the user has put on the
  // clipboard since it was asked for.
  const DWORD sequence = GetClipboardSequenceNumber();
  WhenShown(window, [window, sequence](const GraphPicture* picture) {
    if (picture != nullptr && GetClipboardSequenceNumber() == sequence) {
      CopyGraphToClipboard(window, *picture);
    }
  });
}

// Every job posts this once it is done or has given up, whether or not a
// paint took its image first. What was waiting for it gets its picture now,
// or null: never a later graph when this one was given up. A use may run a
// message loop (a message box) in which the image changes, so each is
// handed the image as it is when its turn comes.
void GraphImage::OnRenderDone(HWND window, std::uint32_t job) {
  if (CollectFinishedJob()) {
    InvalidateRect(window, nullptr, FALSE);
  }
  std::vector<PendingUse> due;
  for (auto use = pendingUses_.begin(); use != pendingUses_.end();) {
    if (use->job == job) {
      due.push_back(std::move(*use));
      use = pendingUses_.erase(use);
    } else {
      ++use;
    }
  }
  for (const PendingUse& pending : due) {
    const GraphPicture picture = Picture();
    pending.use(imageJob_ == job ? &picture : nullptr);
  }
}

}  // namespace ondrix
