// The status bar's reading of the pointer and the curve under it.
#pragma once

#include <cstdint>
#include <string>

#include "model/graph_settings.h"
#include "model/view.h"

namespace ondrix {

// The pointer's x and y at (column, row) and the curve's value at that x,
// each to the digits that tell neighbouring pixels apart, x also in π when
// the x tick spacing is in "p": "x = 1.571 (π/2)   y = −0.25   f(x) = 1", or
// "f(x) = undefined" at an asymptote. UTF-8, minus as U+2212. Empty when the
// settings are not drawable or the area has fewer than two columns or rows.
std::string PointerReadoutText(const GraphSettings& settings, ViewSize size, std::int32_t column,
                               std::int32_t row);

}  // namespace ondrix
