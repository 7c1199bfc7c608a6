// A 32-bit pixel buffer that gives, pixel for pixel, what GDI (as Wine's DIB
// engine draws it) gives for the same calls on a fresh memory DC.
#pragma once

#include <cstdint>
#include <vector>

#include "render/dc_state.h"
#include "render/surface.h"

namespace ondrix {

class RasterSurface : public Surface {
 public:
  // All pixels start as `initial`. A fresh DC: black solid pen, white
  // background colour, opaque background mode, current position (0, 0).
  // A negative width or height counts as 0.
  RasterSurface(std::int32_t width, std::int32_t height, Color initial = 0x00FFFFFF);

  void FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                     Color color) override;
  void SelectPen(PenStyle style, Color color) override;
  void RestorePen() override;
  Color SetBackgroundColor(Color color) override;
  // The default mapping mode ignores viewport extents: always hands back (1, 1).
  SurfaceExtent SetViewportExtent(std::int32_t cx, std::int32_t cy) override;
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override;
  // Black text on cells in the background colour, in the built-in bitmap font.
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  // COLORREF of a pixel (0x00BBGGRR); (x, y) must lie on the surface.
  Color PixelAt(std::int32_t x, std::int32_t y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
  }
  const std::vector<Color>& Pixels() const { return pixels_; }

 private:
  void DrawLine(SurfacePoint from, SurfacePoint to);
  void FillClipped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                   Color pixel);
  void Plot(std::int64_t x, std::int64_t y, Color pixel);

  std::int32_t width_;
  std::int32_t height_;
  std::vector<Color> pixels_;
  DcState dc_;
};

// The colour a 32-bit DIB stores for a COLORREF, as a COLORREF: palette
// indices look up the default palette, everything else keeps its RGB bytes.
Color DeviceColor(Color color);

}  // namespace ondrix
