// Where the axis numbers go: a label at the grid multiples of each axis,
// beside the axis or along the edge nearest it, thinned until no two come
// closer than a glyph, each whole on the surface or not drawn at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/graph_settings.h"
#include "render/draw_frame.h"

namespace ondrix {

// A label's plate (right and bottom exclusive) and its text, drawn
// `scale` font pixels in from the plate's top-left corner.
struct AxisNumberLabel {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
  std::string text;
};

// A font pixel of plate around the text on every side; two plates keep a
// digit's width apart; labels stay clear of tick marks reaching up to this
// many font pixels from their axis.
constexpr std::int32_t kPlateMargin = 1;
constexpr std::int32_t kLabelGap = 5;
constexpr std::int32_t kLargestTickClearance = 8;

struct AxisNumberGeometry {
  std::int32_t width;   // W, the last column
  std::int32_t height;  // H, the last row
  std::int32_t axisColumn;
  std::int32_t axisRow;
  std::int64_t tickReach;  // how far tick marks reach on either side of their axis
  std::int32_t scale;      // surface pixels per font pixel, >= 1
};

// The multiples of a tick spacing that labels may step by, smallest first,
// up to the counters' limit: 1, 2, 5, 10, 20, 50, ... For a spacing of pi
// times 1/12, 1/6, 1/4, 1/2, 1, 2, 5, 10, ... or a halving of 1/12, the ones
// that stay in that series: from pi/12, 2 (pi/6), 3 (pi/4), 6 (pi/2), 12 (pi).
std::vector<std::int64_t> ThinningFactors(double frequency, bool piBased);

struct AxisNumbers {
  std::vector<AxisNumberLabel> x;
  std::vector<AxisNumberLabel> y;
};

// The labels of both axes, each in order along its axis. The x numbers keep
// their grid line's column below the x axis (above it where there is no
// room, along the top or bottom edge when the axis is off the surface), and
// the one "0" of the origin sits among them, beside the y axis; y numbers
// keep their row, left of the y axis (right of it, or along an edge). Each
// axis takes the first thinning factor whose labels keep kLabelGap font
// pixels apart; a y number that would come that close to an x number is left
// out. `plainWalk` visits every labelled multiple from 0 outward, polling
// `stop`, where the fast search visits only those on the surface.
AxisNumbers LayOutAxisNumbers(const GraphSettings& settings, const AxisNumberGeometry& geometry,
                              StopPoll& stop, bool plainWalk);

}  // namespace ondrix
