// A memory DC with a 32-bit top-down DIB section selected, for tests that
// read back what GDI drew.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace ondrix::test {

// Starts zeroed, with the DC in its fresh state.
class DibCanvas {
 public:
  DibCanvas(std::int32_t width, std::int32_t height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~DibCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  bool Ready() const { return dc_ != nullptr && bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  // The DIB stores 0x00RRGGBB; as a COLORREF that is 0x00BBGGRR. A stray top
  // byte is kept, so that it shows as a difference.
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const {
    const DWORD pixel = bits_[Index(x, y)];
    return (pixel & 0xFF00FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
  }
  void Fill(COLORREF color) {
    const DWORD pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (std::size_t i = 0; i < Index(0, height_); ++i) {
      bits_[i] = pixel;
    }
  }

 private:
  std::size_t Index(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  std::int32_t width_;
  std::int32_t height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  DWORD* bits_ = nullptr;
};

}  // namespace ondrix::test
