#include "render/draw_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "model/drawability.h"
#include "model/evaluation.h"
#include "model/function.h"
#include "render/draw_frame.h"
#include "render/graph_painters.h"
#include "render/segment_clipper.h"

namespace ondrix {

const char kGraphErrorText[] =
    "Error in Graph.  Check the Grid Properties by pressing [Alt]+[Enter].";

namespace {

// Sizes from huge percentages stop here, far from the 64-bit limits of the
// coordinate arithmetic.
constexpr double kLargestSize = 2147483647.0;

// The side of the square that covers `percent` per cent of the area.
std::int64_t MarkSize(std::int32_t width, std::int32_t height, double percent) {
  if (width <= 0 || height <= 0) {
    return 0;
  }
  const std::int64_t area = static_cast<std::int64_t>(width) * height;
  const double a = static_cast<double>(area) * (0.01 * percent);
  if (!(a > 0)) {
    return 0;
  }
  const double side = std::trunc(std::sqrt(a));
  return static_cast<std::int64_t>(side < kLargestSize ? side : kLargestSize);
}

}  // namespace

std::int32_t NumberScaleForResolution(std::int32_t pixelsPerInch) {
  const std::int64_t scale = (std::int64_t{pixelsPerInch} + 48) / 96;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(scale, 1, kLargestNumberScale));
}

bool DrawGraph(Surface& surface, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const GraphSettings& settings, const DrawOptions& options) {
  surface.FillRectangle(left, top, right, bottom, settings.colors[Background]);
  if (static_cast<std::int64_t>(right) - left < 1 || static_cast<std::int64_t>(bottom) - top < 1) {
    return true;
  }
  const std::int32_t width = right - 1;
  const std::int32_t height = bottom - 1;
  if (!IsDrawable(settings, width)) {
    surface.TextOut(0, 0, kGraphErrorText);
    return true;
  }

  SegmentClipper clipper(surface);
  StopPoll stop(options.shouldStop);
  const Frame frame{surface,
                    clipper,
                    settings,
                    width,
                    height,
                    MapXToPixel(0.0, width, settings),
                    MapYToPixel(0.0, height, settings),
                    stop,
                    options.plainWalk};
  const std::int64_t sonarSize = MarkSize(width, height, Value(settings, SonarWidth));
  const std::int64_t tickSize = MarkSize(width, height, Value(settings, TickMarkSize));

  const Color keptBackground = surface.SetBackgroundColor(settings.colors[Background]);
  const SurfaceExtent keptExtent = surface.SetViewportExtent(width, height);

  DrawAxes(frame, left, top);
  if (settings.grid != 0) {
    DrawGridLines(frame);
  }
  DrawTickMarks(frame, tickSize);

  // A damaged function method: the frame without a curve.
  if (const std::optional<Function> function = FunctionOfMethod(settings.graphMethod)) {
    if (settings.connectMethod == CM_UNCONNECTED_DOTS) {
      DrawUnconnectedDots(frame, *function);
    } else if (settings.connectMethod == CM_CONNECTED_DOTS) {
      DrawConnectedDots(frame, *function);
    }
    DrawPoints(frame, *function, sonarSize);
  }
  if (options.axisNumbers && !stop.WasStopped()) {
    DrawAxisNumbers(frame, tickSize, std::clamp(options.numberScale, 1, kLargestNumberScale));
  }

  surface.SetViewportExtent(keptExtent.cx, keptExtent.cy);
  surface.SetBackgroundColor(keptBackground);
  return !stop.WasStopped();
}

}  // namespace ondrix
