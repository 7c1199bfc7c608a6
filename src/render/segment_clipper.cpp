#include "render/segment_clipper.h"

#include <cmath>

namespace ondrix {

namespace {

bool IsNear(std::int64_t value) {
  return value > -kNearLimit && value < kNearLimit;
}

SurfacePoint ToSurface(Point64 point) {
  return {static_cast<std::int32_t>(point.x), static_cast<std::int32_t>(point.y)};
}

// One side of the Liang-Barsky test: the line keeps the parameters t with
// p * t <= q. Narrows [t0, t1]; false when nothing is left.
bool ClipSide(long double p, long double q, long double& t0, long double& t1) {
  if (p == 0) {
    return q >= 0;
  }
  const long double t = q / p;
  if (p < 0) {
    if (t > t1) {
      return false;
    }
    if (t > t0) {
      t0 = t;
    }
  } else {
    if (t < t0) {
      return false;
    }
    if (t < t1) {
      t1 = t;
    }
  }
  return true;
}

// from + t * delta, rounded to the nearest whole pixel and kept in the box.
std::int64_t CoordinateAt(std::int64_t from, long double delta, long double t) {
  const long double exact = static_cast<long double>(from) + t * delta;
  const long long rounded = std::llround(exact);
  if (rounded < -kClipBound) {
    return -kClipBound;
  }
  if (rounded > kClipBound) {
    return kClipBound;
  }
  return rounded;
}

}  // namespace

bool IsNear(Point64 point) {
  return IsNear(point.x) && IsNear(point.y);
}

bool ClipToBox(Point64 from, Point64 to, Point64& clippedFrom, Point64& clippedTo) {
  // Differences in long double: ends far apart would overflow 64 bits, and
  // 64 significant bits keep every coordinate that can occur exact.
  const long double fromX = static_cast<long double>(from.x);
  const long double fromY = static_cast<long double>(from.y);
  const long double dx = static_cast<long double>(to.x) - fromX;
  const long double dy = static_cast<long double>(to.y) - fromY;
  const long double bound = static_cast<long double>(kClipBound);
  long double t0 = 0;
  long double t1 = 1;
  if (!ClipSide(-dx, fromX + bound, t0, t1) || !ClipSide(dx, bound - fromX, t0, t1) ||
      !ClipSide(-dy, fromY + bound, t0, t1) || !ClipSide(dy, bound - fromY, t0, t1)) {
    return false;
  }
  clippedFrom =
      t0 == 0 ? from : Point64{CoordinateAt(from.x, dx, t0), CoordinateAt(from.y, dy, t0)};
  clippedTo = t1 == 1 ? to : Point64{CoordinateAt(from.x, dx, t1), CoordinateAt(from.y, dy, t1)};
  return true;
}

Point64 SegmentClipper::MoveTo(Point64 point) {
  Point64 previous = position_;
  if (IsNear(point)) {
    const SurfacePoint target = ToSurface(point);
    const SurfacePoint old = surface_.MoveTo(target.x, target.y);
    if (!positionKnown_) {
      previous = {old.x, old.y};
    }
    surfacePosition_ = point;
    surfacePositionKnown_ = true;
  }
  position_ = point;
  positionKnown_ = true;
  return previous;
}

void SegmentClipper::LineTo(Point64 point) {
  if (!positionKnown_) {
    // The line starts where the surface's own position is.
    if (IsNear(point)) {
      const SurfacePoint target = ToSurface(point);
      surface_.LineTo(target.x, target.y);
      surfacePosition_ = point;
      surfacePositionKnown_ = true;
    }
  } else if (IsNear(position_) && IsNear(point)) {
    Reach(position_);
    const SurfacePoint target = ToSurface(point);
    surface_.LineTo(target.x, target.y);
    surfacePosition_ = point;
  } else {
    Point64 from;
    Point64 to;
    if (ClipToBox(position_, point, from, to) && from != to) {
      Reach(from);
      const SurfacePoint target = ToSurface(to);
      surface_.LineTo(target.x, target.y);
      surfacePosition_ = to;
    }
  }
  position_ = point;
  positionKnown_ = true;
}

void SegmentClipper::SetPixel(Point64 point, Color color) {
  if (IsNear(point)) {
    const SurfacePoint target = ToSurface(point);
    surface_.SetPixel(target.x, target.y, color);
  }
}

void SegmentClipper::Reach(Point64 point) {
  if (!surfacePositionKnown_ || surfacePosition_ != point) {
    const SurfacePoint target = ToSurface(point);
    surface_.MoveTo(target.x, target.y);
    surfacePosition_ = point;
    surfacePositionKnown_ = true;
  }
}

}  // namespace ondrix
