#include "render/draw_graph.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

#include "model/evaluation.h"
#include "render/segment_clipper.h"

namespace ondrix {

const char kGraphErrorText[] =
    "Error in Graph.  Check the Grid Properties by pressing [Alt]+[Enter].";

namespace {

constexpr std::int32_t kLargestCount = std::numeric_limits<std::int32_t>::max();
// Sine and cosine of arguments this large have lost every digit.
constexpr long double kLargestArgument = 9007199254740992.0L;  // 2^53
// Sizes from huge percentages stop here, far from the 64-bit limits of the
// coordinate arithmetic.
constexpr double kLargestSize = 2147483647.0;

// Asks shouldStop every few thousand steps and remembers a true answer.
class StopPoll {
 public:
  explicit StopPoll(const std::function<bool()>& shouldStop) : shouldStop_(shouldStop) {}

  bool Stopped() {
    if (!stopped_ && shouldStop_ && ++steps_ % kStepsBetweenPolls == 0) {
      stopped_ = shouldStop_();
    }
    return stopped_;
  }

  bool WasStopped() const { return stopped_; }

 private:
  static constexpr std::uint32_t kStepsBetweenPolls = 4096;
  const std::function<bool()>& shouldStop_;
  std::uint32_t steps_ = 0;
  bool stopped_ = false;
};

// Everything one DrawGraph call shares between its phases.
struct Frame {
  Surface& surface;
  SegmentClipper& clipper;
  const GraphSettings& settings;
  std::int32_t width;   // W, the last column
  std::int32_t height;  // H, the last row
  std::int32_t axisColumn;
  std::int32_t axisRow;
  StopPoll& stop;
};

double Value(const GraphSettings& settings, GraphValue index) {
  return settings.values[index];
}

// MulDiv(1, size, 2) of a size >= 0: the half rounded up.
std::int64_t Half(std::int64_t size) {
  return (size + 1) / 2;
}

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

// The x multiples to the right of 0 stop where k * frequency passes the
// maximum; the counter is 32 bits, so the last one must come before k reaches
// its limit. The same for the left side and its minimum.
bool FitsCounterUp(double frequency, double maximum) {
  return !(static_cast<double>(kLargestCount) * frequency <= maximum);
}

bool FitsCounterDown(double frequency, double minimum) {
  return !(static_cast<double>(-kLargestCount) * frequency >= minimum);
}

// The column of x as MapXToPixel finds it, and beyond the 32-bit range too,
// where MapXToPixel clamps: two steps much wider than the surface would
// otherwise share a clamped column and end the step search at a step far
// coarser than a pixel.
long double StepColumn(double x, std::int32_t width, const GraphSettings& settings) {
  const std::int32_t column = MapXToPixel(x, width, settings);
  if (column != std::numeric_limits<std::int32_t>::min() &&
      column != std::numeric_limits<std::int32_t>::max()) {
    return column;
  }
  const long double minimum = Value(settings, MinimumX);
  return std::floor((x - minimum) * width / (Value(settings, MaximumX) - minimum));
}

// The step of the connected-dots walk: the first of the tick frequency and
// its halvings whose half falls in its own column.
double CurveStep(const GraphSettings& settings, std::int32_t width) {
  double step = Value(settings, XTickFrequency);
  double savedStep = step;
  long double previousColumn = 0;
  long double column = StepColumn(step, width, settings);
  while (column != previousColumn) {
    previousColumn = column;
    savedStep = step;
    step = step * 0.5;
    column = StepColumn(step, width, settings);
  }
  return savedStep;
}

bool HasCurveWalk(const GraphSettings& settings) {
  return settings.connectMethod == CM_CONNECTED_DOTS && IsFunctionMethod(settings.graphMethod);
}

bool IsDrawable(const GraphSettings& settings, std::int32_t width) {
  const double minimumX = Value(settings, MinimumX);
  const double maximumX = Value(settings, MaximumX);
  const double minimumY = Value(settings, MinimumY);
  const double maximumY = Value(settings, MaximumY);
  const double tickX = Value(settings, XTickFrequency);
  const double tickY = Value(settings, YTickFrequency);
  // The negated comparisons also turn away NaN.
  if (!(minimumX != maximumX) || !(minimumY != maximumY) || !(tickX >= 0) || !(tickY >= 0) ||
      !(minimumX <= maximumX) || !(minimumY <= maximumY)) {
    return false;
  }
  // A frequency of 0 would leave the runs of multiples without an end.
  if (tickX == 0 || tickY == 0) {
    return false;
  }
  for (double value : settings.values) {
    if (!std::isfinite(value)) {
      return false;
    }
  }
  if (!std::isfinite(maximumX - minimumX) || !std::isfinite(maximumY - minimumY)) {
    return false;
  }
  const long double largestX = std::fmax(std::fabs(minimumX), std::fabs(maximumX));
  if (std::fabs(static_cast<long double>(Value(settings, BModifier))) * largestX +
          std::fabs(static_cast<long double>(Value(settings, CModifier))) >=
      kLargestArgument) {
    return false;
  }
  if (!FitsCounterUp(tickX, maximumX) || !FitsCounterDown(tickX, minimumX) ||
      !FitsCounterUp(tickY, maximumY) || !FitsCounterDown(tickY, minimumY)) {
    return false;
  }
  if (HasCurveWalk(settings)) {
    const double step = CurveStep(settings, width);
    if (!FitsCounterUp(step, maximumX) || !FitsCounterDown(step, minimumX)) {
      return false;
    }
  }
  return true;
}

// The dashed full-height line at the column of x. On the y axis its gaps
// take the axis colour, so that the axis stays visible under it.
void DrawAsymptote(const Frame& frame, double x) {
  const GraphSettings& settings = frame.settings;
  frame.surface.SelectPen(PenStyle::Dash, settings.colors[Asymptote]);
  const std::int32_t column = MapXToPixel(x, frame.width, settings);
  const bool onAxis = column == frame.axisColumn;
  Color keptBackground = 0;
  if (onAxis) {
    keptBackground = frame.surface.SetBackgroundColor(settings.colors[Axis]);
  }
  const Point64 kept = frame.clipper.MoveTo({column, 0});
  frame.clipper.LineTo({column, frame.height});
  frame.clipper.MoveTo(kept);
  if (onAxis) {
    frame.surface.SetBackgroundColor(keptBackground);
  }
  frame.surface.RestorePen();
}

void DrawAxes(const Frame& frame, std::int32_t left, std::int32_t top) {
  frame.surface.SelectPen(PenStyle::Solid, frame.settings.colors[Axis]);
  frame.clipper.MoveTo({frame.axisColumn, top});
  frame.clipper.LineTo({frame.axisColumn, frame.height});
  frame.clipper.MoveTo({left, frame.axisRow});
  frame.clipper.LineTo({frame.width, frame.axisRow});
  frame.surface.RestorePen();
}

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

void DrawGridLines(const Frame& frame) {
  const GraphSettings& settings = frame.settings;
  frame.surface.SelectPen(PenStyle::Dot, settings.colors[GridLine]);
  ForEachMultiple(frame.stop, Value(settings, XTickFrequency), Value(settings, MinimumX),
                  Value(settings, MaximumX), [&](double x) {
                    const std::int32_t column = MapXToPixel(x, frame.width, settings);
                    frame.clipper.MoveTo({column, 0});
                    frame.clipper.LineTo({column, frame.height});
                  });
  ForEachMultiple(frame.stop, Value(settings, YTickFrequency), Value(settings, MinimumY),
                  Value(settings, MaximumY), [&](double y) {
                    const std::int32_t row = MapYToPixel(y, frame.height, settings);
                    frame.clipper.MoveTo({0, row});
                    frame.clipper.LineTo({frame.width, row});
                  });
  frame.surface.RestorePen();
}

void DrawTickMarks(const Frame& frame, std::int64_t tickSize) {
  const GraphSettings& settings = frame.settings;
  frame.surface.SelectPen(PenStyle::Solid, settings.colors[TickMark]);
  const std::int64_t half = Half(tickSize);
  ForEachMultiple(frame.stop, Value(settings, XTickFrequency), Value(settings, MinimumX),
                  Value(settings, MaximumX), [&](double x) {
                    const std::int32_t column = MapXToPixel(x, frame.width, settings);
                    frame.clipper.MoveTo({column, frame.axisRow - half});
                    frame.clipper.LineTo({column, frame.axisRow + half + 1});
                  });
  ForEachMultiple(frame.stop, Value(settings, YTickFrequency), Value(settings, MinimumY),
                  Value(settings, MaximumY), [&](double y) {
                    const std::int32_t row = MapYToPixel(y, frame.height, settings);
                    frame.clipper.MoveTo({frame.axisColumn - half, row});
                    frame.clipper.LineTo({frame.axisColumn + half + 1, row});
                  });
  frame.surface.RestorePen();
}

// One pixel per column, no pen.
void DrawUnconnectedDots(const Frame& frame) {
  const GraphSettings& settings = frame.settings;
  for (std::int32_t column = 0; column <= frame.width && !frame.stop.Stopped(); ++column) {
    const double x = PixelToX(column, frame.width, settings);
    double y = 0;
    if (EvaluateFunction(x, &y, settings.graphMethod, settings.values)) {
      frame.clipper.SetPixel({column, MapYToPixel(y, frame.height, settings)},
                             settings.colors[PointConnection]);
    }
  }
}

// The polyline walked outward from x = 0, broken at undefined samples.
class CurveWalk {
 public:
  explicit CurveWalk(const Frame& frame) : frame_(frame) {}

  void Sample(double x) {
    const GraphSettings& settings = frame_.settings;
    const std::int32_t column = MapXToPixel(x, frame_.width, settings);
    double y = 0;
    if (EvaluateFunction(x, &y, settings.graphMethod, settings.values)) {
      if (!penDown_) {
        frame_.clipper.MoveTo({column, MapYToPixel(y, frame_.height, settings)});
        penDown_ = true;
      } else {
        // Samples in the column of the last line end add nothing.
        if (column != lastLineColumn_) {
          frame_.clipper.LineTo({column, MapYToPixel(y, frame_.height, settings)});
        }
        lastLineColumn_ = column;
      }
    } else if (penDown_) {
      DrawAsymptote(frame_, x);
      penDown_ = false;
    }
  }

  // Between the two walks; the last line column carries over.
  void LiftPen() { penDown_ = false; }

 private:
  const Frame& frame_;
  bool penDown_ = false;
  std::int32_t lastLineColumn_ = 0;
};

void DrawConnectedDots(const Frame& frame) {
  const GraphSettings& settings = frame.settings;
  double unused = 0;
  const bool undefinedAtZero =
      !EvaluateFunction(0.0, &unused, settings.graphMethod, settings.values);
  const double step = CurveStep(settings, frame.width);
  const double minimumX = Value(settings, MinimumX);
  const double maximumX = Value(settings, MaximumX);

  frame.surface.SelectPen(PenStyle::Solid, settings.colors[PointConnection]);
  CurveWalk walk(frame);
  for (std::int32_t k = undefinedAtZero ? 1 : 0; k * step <= maximumX && !frame.stop.Stopped();
       ++k) {
    walk.Sample(k * step);
  }
  walk.LiftPen();
  for (std::int32_t k = undefinedAtZero ? -1 : 0; k * step >= minimumX && !frame.stop.Stopped();
       --k) {
    walk.Sample(k * step);
  }
  if (undefinedAtZero) {
    DrawAsymptote(frame, 0.0);
  }
  frame.surface.RestorePen();
}

void DrawPoint(const Frame& frame, double x, double y, std::int64_t half) {
  const GraphSettings& settings = frame.settings;
  const std::int64_t px = MapXToPixel(x, frame.width, settings);
  const std::int64_t py = MapYToPixel(y, frame.height, settings);
  frame.clipper.SetPixel({px, py}, settings.colors[Point]);
  if (settings.sonar != 0) {
    frame.clipper.MoveTo({px - half, py - half});
    frame.clipper.LineTo({px + half, py - half});
    frame.clipper.LineTo({px + half, py + half});
    frame.clipper.LineTo({px - half, py + half});
    frame.clipper.LineTo({px - half, py - half});
  }
}

// A point at every multiple of the x tick frequency from 0 out to each
// bound, or an asymptote line where the function is undefined.
void DrawPoints(const Frame& frame, std::int64_t sonarSize) {
  const GraphSettings& settings = frame.settings;
  frame.surface.SelectPen(PenStyle::Solid, settings.colors[PointSonar]);
  const std::int64_t half = Half(sonarSize);
  const double frequency = Value(settings, XTickFrequency);
  auto drawAt = [&](double x) {
    double y = 0;
    if (EvaluateFunction(x, &y, settings.graphMethod, settings.values)) {
      DrawPoint(frame, x, y, half);
    } else {
      DrawAsymptote(frame, x);
    }
  };
  for (std::int32_t k = 0; k * frequency <= Value(settings, MaximumX) && !frame.stop.Stopped();
       ++k) {
    drawAt(k * frequency);
  }
  for (std::int32_t k = -1; k * frequency >= Value(settings, MinimumX) && !frame.stop.Stopped();
       --k) {
    drawAt(k * frequency);
  }
  frame.surface.RestorePen();
}

}  // namespace

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
                    stop};
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
  if (IsFunctionMethod(settings.graphMethod)) {
    if (settings.connectMethod == CM_UNCONNECTED_DOTS) {
      DrawUnconnectedDots(frame);
    } else if (settings.connectMethod == CM_CONNECTED_DOTS) {
      DrawConnectedDots(frame);
    }
    DrawPoints(frame, sonarSize);
  }

  surface.SetViewportExtent(keptExtent.cx, keptExtent.cy);
  surface.SetBackgroundColor(keptBackground);
  return !stop.WasStopped();
}

}  // namespace ondrix
