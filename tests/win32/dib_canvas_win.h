// A memory DC with a zeroed 32-bit top-down DIB section, to read back GDI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace ondrix::test {

class DibCanvas {
 public:
  DibCanvas(std::int32_t width, std::int32_t height) : size_(std::size_t(width) * height) {
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    previous_ = SelectObject(dc_, CreateDIBSection(dc_, &info, DIB_RGB_COLORS,
                                                   reinterpret_cast<void**>(&bits_), nullptr, 0));
  }
  ~DibCanvas() {
    DeleteObject(SelectObject(dc_, previous_));
    DeleteDC(dc_);
  }

  HDC Dc() const { return dc_; }
  // Row by row as COLORREFs 0x00BBGGRR, where the DIB stores 0x00RRGGBB; a stray top byte shows.
  std::vector<std::uint32_t> Pixels() const {
    std::vector<std::uint32_t> pixels(bits_, bits_ + size_);
    for (std::uint32_t& p : pixels)
      p = (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
    return pixels;
  }

 private:
  std::size_t size_;
  HDC dc_ = CreateCompatibleDC(nullptr);
  HGDIOBJ previous_;
  DWORD* bits_ = nullptr;
};

}  // namespace ondrix::test
