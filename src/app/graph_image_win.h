// The main window's image of the graph: drawn on a thread of its own from a
// copy of the settings, kept for repaints, and copied to the clipboard.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/graph_picture_win.h"
#include "model/graph_settings.h"
#include "render/gdi_objects_win.h"

namespace ondrix {

struct RenderJob;

// Posted by a render thread, wParam its job's number, once it is done or
// has given up.
constexpr UINT kRenderDoneMessage = WM_APP + 1;

class GraphImage {
 public:
  GraphImage();
  // Abandons a render under way and waits for its thread, which stops
  // within a few thousand steps.
  ~GraphImage();
  GraphImage(const GraphImage&) = delete;
  GraphImage& operator=(const GraphImage&) = delete;

  // WM_PAINT: shows the image of currentSettings in the graph's area, and
  // starts drawing it when it is missing or stale (redrawGraph, a new
  // size). A paint waits a moment for a new image, then shows the last one,
  // moved with the graph when the two differ by a pan, without waiting.
  void Paint(HWND window);

  // The render thread's message: the finished image is taken and shown, and
  // a copy asked for while it was drawn is made.
  void OnRenderDone(HWND window, std::uint32_t job);

  // Copy Graph: the image as it is shown, or, while it is being drawn, the
  // image once it is done, unless the clipboard changes meanwhile.
  void Copy(HWND window);

  // The client area less the rows kept at its foot (the status bar's).
  RECT Area(HWND window) const;
  void SetReservedHeight(int pixels) { reservedHeight_ = pixels; }

  // Whether the window has an area to show a picture in.
  bool CanShow(HWND window) const;

  // Hands `use` the picture as it is shown, or, while it is being drawn,
  // the picture once it is done; null when that drawing is given up (new
  // settings or size) or no picture could be made. Nothing, with the error
  // beep, when the window cannot show one.
  using PictureUse = std::function<void(const GraphPicture* picture)>;
  void WhenShown(HWND window, PictureUse use);

  std::uint32_t RenderCount() const { return renderCount_; }
  bool RenderPending() const { return job_ != nullptr; }
  // Tests: how long each render thread lives on after its done message.
  void SetLinger(DWORD milliseconds) { linger_ = milliseconds; }

 private:
  struct PendingUse {
    std::uint32_t job;
    PictureUse use;
  };

  bool IsCurrent(const RECT& client) const;
  bool CollectFinishedJob();
  bool StartRender(HWND window, HDC windowDc, const RECT& client);
  void PaintWhileRendering(HDC windowDc, HDC memoryDc, const RECT& area) const;
  GraphPicture Picture() const;

  OwnedBitmap image_;
  RECT imageRect_ = {};
  std::uint32_t imageJob_ = 0;
  GraphSettings imageSettings_ = {};
  DrawOptions imageOptions_;
  int reservedHeight_ = 0;
  std::unique_ptr<RenderJob> job_;
  std::vector<PendingUse> pendingUses_;
  DWORD linger_ = 0;
  std::uint32_t renderCount_ = 0;
};

}  // namespace ondrix
