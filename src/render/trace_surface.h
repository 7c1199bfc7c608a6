// A surface that records every call as one line of text.
#pragma once

#include <ostream>
#include <string>

#include "render/surface.h"

namespace ondrix {

// Lines: "fill L T R B COLOR", "pen SOLID|DOT|DASH COLOR", "pen restore",
// "bk COLOR", "move X Y", "line X Y", "pixel X Y COLOR", "text X Y TEXT";
// integers in decimal, colours as 0x%08X. Viewport extents are not recorded.
class TraceSurface : public Surface {
 public:
  // Keeps the trace in memory, for Text().
  TraceSurface() = default;
  // Writes each line to `output` as it is drawn and keeps nothing, so that a
  // trace of any length takes constant memory. A failed write shows in the
  // stream's state, and a failed stream takes no more lines.
  explicit TraceSurface(std::ostream& output) : output_(&output) {}

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

  // Everything recorded so far, one call per line, each ending in '\n';
  // empty when the trace goes to a stream.
  const std::string& Text() const { return text_; }

 private:
  // Hands the finished line_ on: to the stream or to text_.
  void Emit();

  std::ostream* output_ = nullptr;
  std::string line_;
  std::string text_;
  SurfacePoint position_;
  Color background_ = 0x00FFFFFF;
};

}  // namespace ondrix
