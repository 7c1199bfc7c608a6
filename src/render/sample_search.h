// The search over sample indices that lets the fast walks skip the multiples
// and samples that cannot change a pixel, and the plain walk over multiples
// that they are checked against.
#pragma once

#include <algorithm>
#include <cstdint>

#include "render/draw_frame.h"

namespace ondrix {

// Calls draw(k) for the multiples k * frequency from 1 up to the maximum,
// then from -1 down to the minimum; each run looks only at its own bound.
template <typename Draw>
void ForEachMultiple(StopPoll& stop, double frequency, double minimum, double maximum, Draw draw) {
  for (std::int32_t k = 1; k * frequency <= maximum && !stop.Stopped(); ++k) {
    draw(k * frequency);
  }
  for (std::int32_t k = -1; k * frequency >= minimum && !stop.Stopped(); --k) {
    draw(k * frequency);
  }
}

// The first i in [lo, hi) where `holds`, once true, stays true; hi if nowhere.
template <typename Holds>
std::int64_t FirstWhere(std::int64_t lo, std::int64_t hi, Holds holds) {
  while (lo < hi) {
    const std::int64_t middle = lo + (hi - lo) / 2;
    if (holds(middle)) {
      hi = middle;
    } else {
      lo = middle + 1;
    }
  }
  return lo;
}

// The same, searched outward from lo: cheap when the answer is close.
template <typename Holds>
std::int64_t NextWhere(std::int64_t lo, std::int64_t hi, Holds holds) {
  for (std::int64_t span = 1; lo < hi; span *= 2) {
    const std::int64_t probe = std::min(lo + span, hi) - 1;
    if (holds(probe)) {
      return FirstWhere(lo, probe, holds);
    }
    lo = probe + 1;
  }
  return hi;
}

// The multiples first, first + direction, ... of `frequency` that the plain
// loop visits before it passes its bound; index i stands for the i-th.
struct Run {
  std::int32_t first;
  std::int32_t direction;
  double frequency;
  std::int64_t count;

  double At(std::int64_t i) const { return static_cast<double>(first + direction * i) * frequency; }
};

Run MakeRun(std::int32_t first, std::int32_t direction, double frequency, double minimum,
            double maximum);

// Calls draw(pixel) once for each pixel in [lo, hi] that multiples of the run
// map to, in the run's order. `ascending`: the pixels grow along the run.
template <typename Map, typename Draw>
void ForEachVisiblePixel(StopPoll& stop, const Run& run, bool ascending, std::int64_t lo,
                         std::int64_t hi, Map map, Draw draw) {
  const std::int64_t sign = ascending ? 1 : -1;
  auto key = [&](std::int64_t i) { return sign * map(run.At(i)); };
  const std::int64_t first = ascending ? lo : -hi;
  const std::int64_t last = ascending ? hi : -lo;
  std::int64_t i = FirstWhere(0, run.count, [&](std::int64_t j) { return key(j) >= first; });
  while (i < run.count && !stop.Stopped()) {
    const std::int64_t current = key(i);
    if (current > last) {
      break;
    }
    draw(static_cast<std::int32_t>(sign * current));
    i = NextWhere(i + 1, run.count, [&](std::int64_t j) { return key(j) > current; });
  }
}

}  // namespace ondrix
