// The one renderer: draws a complete graph of a settings record onto any surface.
#pragma once

#include <cstdint>
#include <functional>

#include "model/graph_settings.h"
#include "render/surface.h"

namespace ondrix {

// The line written instead of a graph whose settings cannot be drawn.
extern const char kGraphErrorText[];

struct DrawOptions {
  // Walks every multiple and sample from 0 outward, as the renderer first
  // did: the reference that the fast walk is checked against.
  bool plainWalk = false;
  // Asked every few thousand steps; true abandons the render. Pens,
  // background colour and extents are still restored.
  std::function<bool()> shouldStop;
  // Numbers at the grid lines of both axes, drawn last, over everything.
  bool axisNumbers = false;
  // Surface pixels per pixel of the numbers' font, held to 1 .. kLargestNumberScale.
  std::int32_t numberScale = 1;
};

constexpr std::int32_t kLargestNumberScale = 64;

// The number scale for a device of `pixelsPerInch` (LOGPIXELSY): the whole
// multiple of a 96-dpi screen nearest to it, at least 1 and at most the
// largest: 96 -> 1, 144 -> 2, 300 -> 3, 600 -> 6.
std::int32_t NumberScaleForResolution(std::int32_t pixelsPerInch);

// Draws the graph into the rectangle (left, top)-(right, bottom), right and
// bottom exclusive: background, axes, grid, tick marks, curve, points, sonar
// squares and asymptote lines, or the error line for settings that cannot be
// drawn. Returns false when shouldStop abandoned it.
bool DrawGraph(Surface& surface, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const GraphSettings& settings, const DrawOptions& options = {});

}  // namespace ondrix
