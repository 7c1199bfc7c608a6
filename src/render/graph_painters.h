// The phases of a graph, each with its pen selected and restored: axes, grid
// lines, tick marks, the curve in either connection and the points with their
// asymptote lines. Each walk has a plain form, every multiple or sample from
// 0 outward, and a fast form checked against it.
#pragma once

#include <cstdint>

#include "model/function.h"
#include "render/draw_frame.h"

namespace ondrix {

// The dashed full-height line at the column of x. On the y axis its gaps
// take the axis colour, so that the axis stays visible under it.
void DrawAsymptote(const Frame& frame, double x);

void DrawAxes(const Frame& frame, std::int32_t left, std::int32_t top);
void DrawGridLines(const Frame& frame);
void DrawTickMarks(const Frame& frame, std::int64_t tickSize);

// One pixel per column, no pen.
void DrawUnconnectedDots(const Frame& frame, Function function);

void DrawConnectedDots(const Frame& frame, Function function);

// A point at every multiple of the x tick frequency from 0 out to each
// bound, or an asymptote line where the function is undefined.
void DrawPoints(const Frame& frame, Function function, std::int64_t sonarSize);

// The axis numbers, each on a plate of the background colour in the axis
// colour, `scale` surface pixels a font pixel.
void DrawAxisNumbers(const Frame& frame, std::int64_t tickSize, std::int32_t scale);

}  // namespace ondrix
