// A memory DC with a zeroed 32-bit top-down DIB section, to read back GDI.
#pragma once

#include <windows.h>

#include <cstdint>

namespace ondrix::test {

class DibCanvas {
 public:
  DibCanvas(std::int32_t width, std::int32_t height) : width_(width) {
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    previous_ = SelectObject(dc_, CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  }
  ~DibCanvas() {
    DeleteObject(SelectObject(dc_, previous_));
    DeleteDC(dc_);
  }

  HDC Dc() const { return dc_; }
  // The DIB stores 0x00RRGGBB, a COLORREF 0x00BBGGRR; a stray top byte shows.
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const {
    const DWORD pixel = static_cast<const DWORD*>(bits_)[static_cast<std::size_t>(y) * width_ + x];
    return (pixel & 0xFF00FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
  }

 private:
  std::int32_t width_;
  HDC dc_ = CreateCompatibleDC(nullptr);
  HGDIOBJ previous_;
  void* bits_ = nullptr;
};

}  // namespace ondrix::test
