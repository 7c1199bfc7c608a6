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
};

// Draws the graph into the rectangle (left, top)-(right, bottom), right and
// bottom exclusive: background, axes, grid, tick marks, curve, points, sonar
// squares and asymptote lines, or the error line for settings that cannot be
// drawn. Returns false when shouldStop abandoned it.
bool DrawGraph(Surface& surface, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const GraphSettings& settings, const DrawOptions& options = {});

}  // namespace ondrix
