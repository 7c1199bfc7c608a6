// Which settings can be drawn: pure arithmetic on the settings record and the
// width of the surface, shared by the renderer and by whatever must refuse a
// view before it is drawn.
#pragma once

#include <cstdint>
#include <limits>

#include "model/graph_settings.h"

namespace ondrix {

// The walks over multiples count with 32-bit integers.
constexpr std::int32_t kLargestCount = std::numeric_limits<std::int32_t>::max();

// Whether the run of multiples of `frequency` up from 0 passes `maximum`
// before its counter reaches its limit; the same down to `minimum`.
bool FitsCounterUp(double frequency, double maximum);
bool FitsCounterDown(double frequency, double minimum);

// The step of the connected-dots walk on a surface whose last column is
// `width`: the first of the tick frequency and its halvings whose half falls
// in its own column.
double CurveStep(const GraphSettings& settings, std::int32_t width);

// False for settings that give the error line instead of a graph on a
// surface whose last column is `width`: empty, reversed or endless ranges,
// values that are not finite, arguments past the evaluation's reach, and
// runs of multiples longer than their counters.
bool IsDrawable(const GraphSettings& settings, std::int32_t width);

}  // namespace ondrix
