// A raster checking what DrawGraph hands it: no coordinate of 2^27 or more, balanced pens and
// background, the error line alone or none, no two curve lines in a row ending in one column.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "../render/first_difference.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"
#include "render/segment_clipper.h"

namespace ondrix {

inline void Require(bool condition, const char* rule) {
  if (!condition) {
    std::fprintf(stderr, "DrawGraph: %s\n", rule);
    throw std::logic_error(rule);
  }
}

// Lines stop inking past `budget` pixels (0: never); the curve is a solid pen of `curve`.
class CheckingSurface : public RasterSurface {
 public:
  CheckingSurface(std::int32_t width, std::int32_t height, std::int64_t budget,
                  std::int64_t curve = -1)
      : RasterSurface(width, height), budget_(budget), curve_(curve) {}

  void FillRectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                     Color color) override {
    Call({l, t, r, b}, std::abs((std::int64_t{r} - l) * (std::int64_t{b} - t)));
    RasterSurface::FillRectangle(l, t, r, b, color);
  }
  void SelectPen(PenStyle style, Color color) override {
    Call({}, 0);
    inCurve_ = pens_++ == 0 ? style == PenStyle::Solid && color == curve_ : inCurve_;
    RasterSurface::SelectPen(style, color);
  }
  void RestorePen() override {
    Call({}, 0);
    Require(--pens_ >= 0, "a pen restored that was never selected");
    RasterSurface::RestorePen();
  }
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override {
    Call({x, y}, 0);
    position_ = {x, y};
    return RasterSurface::MoveTo(x, y);
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    const std::int64_t length =
        std::max(std::abs(std::int64_t{x} - position_.x), std::abs(std::int64_t{y} - position_.y));
    if (inCurve_ && pens_ == 1) {
      // A line cut at the clip box ends in a rounded column, not its own.
      const bool cut = std::abs(y) == kClipBound;
      Require(cut || x != lastColumn_, "two curve lines in a row end in one column");
      lastColumn_ = cut ? INT64_MIN : x;
    }
    position_ = {x, y};
    Call({x, y}, length) ? RasterSurface::LineTo(x, y) : (void)RasterSurface::MoveTo(x, y);
  }
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override {
    Call({x, y}, 1);
    RasterSurface::SetPixel(x, y, color);
  }
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override {
    Require(text == kGraphErrorText && calls_ == 1, "text other than the error line alone");
    Call({x, y}, 0);
    error_ = true;
    RasterSurface::TextOut(x, y, text);
  }

  bool OutOfInk() const { return budget_ > 0 && ink_ > budget_; }
  bool Finish() {
    Require(pens_ == 0, "a pen left selected");
    Require(RasterSurface::SetBackgroundColor(0) == 0x00FFFFFF, "background colour not restored");
    return !OutOfInk();
  }

 private:
  bool Call(std::initializer_list<std::int32_t> coordinates, std::int64_t ink) {
    Require(!error_, "something drawn after the error line");
    ++calls_;
    for (const std::int32_t c : coordinates)
      Require(std::abs(std::int64_t{c}) < kNearLimit, "a coordinate of 2^27 reaches a surface");
    ink_ = std::min(ink_ + ink, budget_ + 1);
    return ink_ <= budget_;
  }

  std::int64_t budget_, curve_, ink_ = 0, lastColumn_ = INT64_MIN;
  SurfacePoint position_;
  int calls_ = 0, pens_ = 0;
  bool error_ = false, inCurve_ = false;
};

// Abandons the walk after `polls` stop polls or once out of ink; axis numbers at a scale > 0.
inline bool CheckedDraw(CheckingSurface& surface, const GraphSettings& s, std::int32_t width,
                        std::int32_t height, bool plain, int polls, std::int32_t numberScale = 0) {
  const DrawOptions options{plain, [&] { return --polls < 0 || surface.OutOfInk(); },
                            numberScale > 0, numberScale};
  const bool finished = DrawGraph(surface, 0, 0, width, height, s, options);
  return surface.Finish() && finished;
}

}  // namespace ondrix
