// A memory DC with a zeroed 32-bit top-down DIB section, to read back GDI.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace ondrix::test {

class DibCanvas {
 public:
  DibCanvas(std::int32_t width, std::int32_t height) : width_(width) {
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void** bits = reinterpret_cast<void**>(&bits_);
    previous_ = SelectObject(dc_, CreateDIBSection(dc_, &info, DIB_RGB_COLORS, bits, nullptr, 0));
  }
  ~DibCanvas() {
    DeleteObject(SelectObject(dc_, previous_));
    DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC Dc() const { return dc_; }
  // The DIB stores 0x00RRGGBB, a COLORREF is 0x00BBGGRR. A stray top byte is
  // kept, so that it shows as a difference.
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const {
    const DWORD pixel = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x];
    return (pixel & 0xFF00FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
  }

 private:
  std::int32_t width_;
  HDC dc_ = CreateCompatibleDC(nullptr);
  HGDIOBJ previous_;
  DWORD* bits_ = nullptr;
};

}  // namespace ondrix::test
