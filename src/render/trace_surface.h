// A surface that records every call as one line of text.
#pragma once

#include <string>

#include "render/surface.h"

namespace ondrix {

// Lines: "fill L T R B COLOR", "pen SOLID|DOT|DASH COLOR", "pen restore",
// "bk COLOR", "move X Y", "line X Y", "pixel X Y COLOR", "text X Y TEXT";
// integers in decimal, colours as 0x%08X. Viewport extents are not recorded.
class TraceSurface : public Surface {
 public:
  void FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                     Color color) override;
  void SelectPen(PenStyle style, Color color) override;
  void RestorePen() override;
  Color SetBackgroundColor(Color color) override;
  // Like GDI in the default mapping mode: always hands back (1, 1).
  SurfaceExtent SetViewportExtent(std::int32_t cx, std::int32_t cy) override;
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override;
  // Line breaks in the text are recorded as blanks, so that each call stays on one line.
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;

  // Everything recorded so far, one call per line, each ending in '\n'.
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  SurfacePoint position_;
  Color background_ = 0x00FFFFFF;
};

}  // namespace ondrix
