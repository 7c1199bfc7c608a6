// Keeps far-off coordinates away from a surface. Steep curves and huge values
// give pixel coordinates up to the 32-bit limits and beyond (a mapped row plus
// half a tick mark); GDI is only exact below 2^27 (Wine crops line ends from
// 2^28 on). Lines and points within that limit pass through unchanged; lines
// beyond it are cut to a box that still holds the surface with a wide margin.
#pragma once

#include <cstdint>

#include "render/surface.h"

namespace ondrix {

struct Point64 {
  std::int64_t x = 0;
  std::int64_t y = 0;
};

inline bool operator==(const Point64& a, const Point64& b) {
  return a.x == b.x && a.y == b.y;
}
inline bool operator!=(const Point64& a, const Point64& b) {
  return !(a == b);
}

// Coordinates of smaller magnitude reach the surface as they are.
constexpr std::int64_t kNearLimit = std::int64_t{1} << 27;
// Lines with an end beyond kNearLimit are cut to [-kClipBound, kClipBound] on both axes.
constexpr std::int64_t kClipBound = std::int64_t{1} << 26;

bool IsNear(Point64 point);

// The part of the line from `from` to `to` inside the clip box, its ends
// rounded to whole pixels; false when the line misses the box.
bool ClipToBox(Point64 from, Point64 to, Point64& clippedFrom, Point64& clippedTo);

// MoveTo, LineTo and SetPixel with 64-bit coordinates, forwarded to a surface.
class SegmentClipper {
 public:
  explicit SegmentClipper(Surface& surface) : surface_(surface) {}

  // Returns the previous position, which may be far off. Until this layer
  // has set one it is the surface's own position when the move reaches the
  // surface, else (0, 0), a fresh device context's.
  Point64 MoveTo(Point64 point);
  void LineTo(Point64 point);
  void SetPixel(Point64 point, Color color);

 private:
  // Brings the surface's current position to `point` unless it is there.
  void Reach(Point64 point);

  Surface& surface_;
  // The current position as the renderer sees it.
  Point64 position_;
  bool positionKnown_ = false;
  // The surface's current position, which lags behind position_ while that is far off.
  Point64 surfacePosition_;
  bool surfacePositionKnown_ = false;
};

}  // namespace ondrix
