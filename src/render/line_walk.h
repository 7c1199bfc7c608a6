// Which pixels GDI's one-pixel pens light for a LineTo, as Wine's DIB engine
// draws them: shared by the surfaces that reproduce GDI without it.
#pragma once

#include <cstdint>

#include "render/surface.h"

namespace ondrix {

// Pixel k of a line is "on" when k % period < on.
struct DashPattern {
  std::int64_t on;
  std::int64_t period;
};

DashPattern PatternOf(PenStyle style);

// A line as GDI's Bresenham walk lights it: pixel k (0 <= k < count) lies at
// major0 + k * majorStep on the major axis and at
// minor0 + floor((2 * k * dMinor + span - 1) / (2 * span)) on the minor axis.
// The bias of the octants whose minor coordinate decreases is folded into
// that floor, so both drawing directions break ties towards the smaller
// minor coordinate.
struct LineWalk {
  bool xMajor = true;
  std::int64_t major0 = 0;
  std::int64_t minor0 = 0;
  std::int64_t majorStep = 1;
  std::int64_t span = 0;
  std::int64_t dMinor = 0;
  std::int64_t count = 0;
};

// The walk of LineTo from `from` to `to`; false when GDI draws nothing at all.
// A count of 0 draws nothing either.
bool WalkLine(SurfacePoint from, SurfacePoint to, bool dashed, LineWalk& walk);

// The minor coordinate of pixel k of a walk whose span is not 0.
std::int64_t MinorAt(const LineWalk& walk, std::int64_t k);

// Mathematical floor of numerator / denominator, denominator > 0.
std::int64_t FloorDiv(std::int64_t numerator, std::int64_t denominator);

}  // namespace ondrix
