#include "render/line_walk.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace ondrix {
namespace {

// Wine's overflow guard in its diagonal line code: an end point with a
// coordinate of 2^28 or more in magnitude has both coordinates divided by 8.
constexpr std::int32_t kCropLimit = 0x10000000;

SurfacePoint CropCoords(SurfacePoint point) {
  if (point.x >= kCropLimit || point.x <= -kCropLimit || point.y >= kCropLimit ||
      point.y <= -kCropLimit) {
    point.x /= 8;
    point.y /= 8;
  }
  return point;
}

LineWalk MakeWalk(SurfacePoint from, SurfacePoint to) {
  const std::int64_t dx = static_cast<std::int64_t>(to.x) - from.x;
  const std::int64_t dy = static_cast<std::int64_t>(to.y) - from.y;
  LineWalk walk;
  // With |dx| == |dy| the major axis is y.
  walk.xMajor = std::abs(dx) > std::abs(dy);
  const std::int64_t dMajor = walk.xMajor ? dx : dy;
  walk.major0 = walk.xMajor ? from.x : from.y;
  walk.minor0 = walk.xMajor ? from.y : from.x;
  walk.majorStep = dMajor < 0 ? -1 : 1;
  walk.span = std::abs(dMajor);
  walk.dMinor = walk.xMajor ? dy : dx;
  walk.count = walk.span;
  return walk;
}

}  // namespace

DashPattern PatternOf(PenStyle style) {
  switch (style) {
    case PenStyle::Dot:
      return {3, 6};
    case PenStyle::Dash:
      return {18, 24};
    case PenStyle::Solid:
      break;
  }
  return {1, 1};
}

bool WalkLine(SurfacePoint from, SurfacePoint to, bool dashed, LineWalk& walk) {
  if (from.y == to.y || from.x == to.x) {
    // Wine fills horizontal and vertical lines as rectangles whose far edge
    // is max + 1; at INT_MAX that edge wraps and nothing is drawn. The solid
    // pen only meets it going backwards from INT_MAX.
    const std::int32_t start = from.y == to.y ? from.x : from.y;
    const std::int32_t end = from.y == to.y ? to.x : to.y;
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    if (dashed ? std::max(start, end) == kMax : (start == kMax && start > end)) {
      return false;
    }
    walk = MakeWalk(from, to);
    return true;
  }
  const SurfacePoint croppedTo = CropCoords(to);
  walk = MakeWalk(CropCoords(from), croppedTo);
  // Wine's dashed walk drops its last pixel only when that pixel is the
  // uncropped end point, so a cropped end gets one more pixel.
  if (dashed && (croppedTo.x != to.x || croppedTo.y != to.y)) {
    ++walk.count;
  }
  return true;
}

std::int64_t MinorAt(const LineWalk& walk, std::int64_t k) {
  return walk.minor0 + FloorDiv(2 * k * walk.dMinor + walk.span - 1, 2 * walk.span);
}

std::int64_t FloorDiv(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  if (numerator % denominator != 0 && numerator < 0) {
    --quotient;
  }
  return quotient;
}

}  // namespace ondrix
