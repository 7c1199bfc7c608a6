// The drawing operations the renderer needs of GDI. One implementation calls
// GDI, one reproduces GDI's pixels in memory, one records the calls as text.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/graph_settings.h"

namespace ondrix {

enum class PenStyle { Solid, Dot, Dash };

struct SurfacePoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct SurfaceExtent {
  std::int32_t cx = 1;
  std::int32_t cy = 1;
};

class Surface {
 public:
  virtual ~Surface() = default;

  // Rectangle(left, top, right, bottom) with a solid pen and a solid brush
  // both in `color`; the previous pen and brush are selected again afterwards.
  virtual void FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom, Color color) = 0;

  // Creates a one-pixel pen and selects it, keeping the previous one.
  virtual void SelectPen(PenStyle style, Color color) = 0;

  // Selects the pen that was current before the last unmatched SelectPen
  // again and deletes the newer one.
  virtual void RestorePen() = 0;

  // SetBkColor: the gaps of dotted and dashed lines. Returns the previous colour.
  virtual Color SetBackgroundColor(Color color) = 0;

  // SetViewportExtEx. Returns the previous extents.
  virtual SurfaceExtent SetViewportExtent(std::int32_t cx, std::int32_t cy) = 0;

  // MoveToEx. Returns the previous current position.
  virtual SurfacePoint MoveTo(std::int32_t x, std::int32_t y) = 0;

  // LineTo with the current pen; the end pixel is left out.
  virtual void LineTo(std::int32_t x, std::int32_t y) = 0;

  // SetPixelV.
  virtual void SetPixel(std::int32_t x, std::int32_t y, Color color) = 0;

  // TextOutA at (x, y) with the surface's current font and colours.
  virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
};

}  // namespace ondrix
