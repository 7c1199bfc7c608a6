#include "render/draw_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <unordered_set>
#include <vector>

#include "model/evaluation.h"
#include "render/segment_clipper.h"

namespace ondrix {

const char kGraphErrorText[] =
    "Error in Graph.  Check the Grid Properties by pressing [Alt]+[Enter].";

namespace {

constexpr std::int32_t kLargestCount = std::numeric_limits<std::int32_t>::max();
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
  bool plainWalk;
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
            double maximum) {
  Run run{first, direction, frequency, 0};
  // The drawable check ends every run before the counter limit.
  const std::int64_t limit = std::int64_t{kLargestCount} - std::abs(first) + 1;
  run.count = FirstWhere(0, limit, [&](std::int64_t i) {
    const double value = run.At(i);
    return direction > 0 ? !(value <= maximum) : !(value >= minimum);
  });
  return run;
}

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

// Calls draw(pixel) with the column (vertical) or row of each multiple of the
// tick frequency, up from 1, then down from -1. The fast walk leaves out the
// lines off the surface and the repeats within a run: lines in distinct
// columns (rows) share no pixel, and an identical line drawn again changes none.
template <typename Draw>
void ForEachGridMultiple(const Frame& frame, bool vertical, Draw draw) {
  const GraphSettings& settings = frame.settings;
  const double frequency = Value(settings, vertical ? XTickFrequency : YTickFrequency);
  const double minimum = Value(settings, vertical ? MinimumX : MinimumY);
  const double maximum = Value(settings, vertical ? MaximumX : MaximumY);
  auto map = [&](double value) {
    return vertical ? MapXToPixel(value, frame.width, settings)
                    : MapYToPixel(value, frame.height, settings);
  };
  if (frame.plainWalk) {
    ForEachMultiple(frame.stop, frequency, minimum, maximum,
                    [&](double value) { draw(map(value)); });
    return;
  }
  for (const std::int32_t direction : {1, -1}) {
    // Columns grow with x, rows shrink as y grows.
    ForEachVisiblePixel(frame.stop, MakeRun(direction, direction, frequency, minimum, maximum),
                        vertical == (direction > 0), 0, vertical ? frame.width : frame.height, map,
                        draw);
  }
}

void DrawGridLines(const Frame& frame) {
  frame.surface.SelectPen(PenStyle::Dot, frame.settings.colors[GridLine]);
  ForEachGridMultiple(frame, true, [&](std::int32_t column) {
    frame.clipper.MoveTo({column, 0});
    frame.clipper.LineTo({column, frame.height});
  });
  ForEachGridMultiple(frame, false, [&](std::int32_t row) {
    frame.clipper.MoveTo({0, row});
    frame.clipper.LineTo({frame.width, row});
  });
  frame.surface.RestorePen();
}

void DrawTickMarks(const Frame& frame, std::int64_t tickSize) {
  frame.surface.SelectPen(PenStyle::Solid, frame.settings.colors[TickMark]);
  const std::int64_t half = Half(tickSize);
  ForEachGridMultiple(frame, true, [&](std::int32_t column) {
    frame.clipper.MoveTo({column, frame.axisRow - half});
    frame.clipper.LineTo({column, frame.axisRow + half + 1});
  });
  ForEachGridMultiple(frame, false, [&](std::int32_t row) {
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

  // Takes up a walk before a defined sample and the first sample of the next
  // column: the first puts the pen down and the second draws its line and
  // leaves the state that the whole walk would have.
  void Resume(std::int32_t firstColumn) {
    penDown_ = false;
    lastLineColumn_ = firstColumn;
  }

 private:
  const Frame& frame_;
  bool penDown_ = false;
  std::int32_t lastLineColumn_ = 0;
};

struct IndexRange {
  std::int64_t first;
  std::int64_t last;
};

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Index ranges of the run from `from` on that hold every sample where the
// function is undefined and the sample after it, which puts the pen down
// again (the walk also takes the sample after each one in a range). Undefined means a sine or
// cosine that rounds to 0, within about 5e-5 of a zero of it, so only the samples near a zero are
// looked at.
std::vector<IndexRange> UndefinedWindows(const Frame& frame, const Run& run, std::int64_t from) {
  const GraphSettings& settings = frame.settings;
  const std::int32_t method = settings.graphMethod;
  const std::int64_t end = run.count;
  std::vector<IndexRange> windows;
  if (from >= end) {
    return windows;
  }
  const std::vector<IndexRange> everything{{from, end - 1}};
  auto argument = [&](std::int64_t i) { return FunctionArgument(run.At(i), settings.values); };
  const double first = argument(from);
  const double last = argument(end - 1);
  const long double largest = std::fmax(std::fabs(first), std::fabs(last));
  // Near 2^53 the argument's rounding alone can make a sample undefined.
  if (!(largest < kLargestArgument / 2)) {
    return everything;
  }
  if (method == CM_SINE || method == CM_COSINE) {
    return windows;
  }
  if (first == last) {
    double y = 0;
    return EvaluateFunction(run.At(from), &y, method, settings.values) ? windows : everything;
  }
  const long double phase = method == CM_TANGENT || method == CM_SECANT ? kPi / 2 : 0;
  // The rest of the margin covers the error of n * pi far from 0.
  const long double margin = 1e-4L + largest * 1e-17L;
  const long double low = std::fmin(first, last);
  const long double high = std::fmax(first, last);
  const long double firstZero = std::ceil((low - margin - phase) / kPi);
  const long double lastZero = std::floor((high + margin - phase) / kPi);
  if (lastZero < firstZero) {
    return windows;
  }
  // Zeros almost as dense as the samples: searching them costs more than the walk.
  if ((lastZero - firstZero + 1) * 64 > end - from) {
    return everything;
  }
  const bool rising = last > first;
  for (long double n = firstZero; n <= lastZero && !frame.stop.Stopped(); ++n) {
    const long double zero = phase + n * kPi;
    const std::int64_t a = FirstWhere(from, end, [&](std::int64_t i) {
      return rising ? argument(i) >= zero - margin : argument(i) <= zero + margin;
    });
    const std::int64_t b = FirstWhere(from, end, [&](std::int64_t i) {
      return rising ? argument(i) > zero + margin : argument(i) < zero - margin;
    });
    if (a < b) {
      windows.push_back({a, std::min(b, end - 1)});
    }
  }
  std::sort(windows.begin(), windows.end(),
            [](const IndexRange& x, const IndexRange& y) { return x.first < y.first; });
  return windows;
}

// The connected-dots walk over one run, fed only the samples that can draw
// or change its state. It enters at the first sample of the last column off
// the surface, and on the surface skips every defined sample that shares the
// column of a defined predecessor whose own predecessor is defined: it
// neither draws nor changes the state. The walk ends at the run's bound,
// which lies on the surface.
void WalkRun(const Frame& frame, CurveWalk& walk, const Run& run) {
  const GraphSettings& settings = frame.settings;
  auto defined = [&](std::int64_t i) {
    double y = 0;
    return EvaluateFunction(run.At(i), &y, settings.graphMethod, settings.values) != 0;
  };
  auto column = [&](std::int64_t i) { return MapXToPixel(run.At(i), frame.width, settings); };
  // Walking up, the columns grow; walking down, they shrink.
  auto key = [&](std::int64_t i) { return std::int64_t{run.direction} * column(i); };
  const std::int64_t firstShown = run.direction > 0 ? 0 : -std::int64_t{frame.width};
  const std::int64_t shown =
      FirstWhere(0, run.count, [&](std::int64_t i) { return key(i) >= firstShown; });
  std::int64_t start = 0;
  // A few columns further back when an asymptote is near. The last line
  // column before the entry, whatever it is, differs from the entry's: the
  // walk has not been in that column yet. The entry itself must be defined
  // too: an undefined one draws no line, and the resumed last line column
  // would stay where the whole walk still has an older one.
  for (std::int64_t entry = shown, tries = 0; entry > 0 && tries < 8; ++tries) {
    const std::int64_t previous = key(entry - 1);
    entry = FirstWhere(0, entry, [&](std::int64_t i) { return key(i) >= previous; });
    if (entry >= 1 && defined(entry - 1)) {
      if (!defined(entry)) {
        continue;
      }
      start = entry;
      walk.Resume(column(start - 1));
      walk.Sample(run.At(start - 1));
      break;
    }
  }
  const std::vector<IndexRange> windows = UndefinedWindows(frame, run, start);
  std::size_t window = 0;
  std::int64_t i = start;
  while (i < run.count && !frame.stop.Stopped()) {
    walk.Sample(run.At(i));
    while (window < windows.size() && windows[window].last < i) {
      ++window;
    }
    // The sample after a move may draw a line within the move's column.
    if (i == start || (window < windows.size() && windows[window].first <= i)) {
      ++i;
      continue;
    }
    const std::int64_t current = key(i);
    i = NextWhere(i + 1, run.count, [&](std::int64_t j) { return key(j) > current; });
    if (window < windows.size()) {
      i = std::min(i, windows[window].first);
    }
  }
}

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
  if (frame.plainWalk) {
    for (std::int32_t k = undefinedAtZero ? 1 : 0; k * step <= maximumX && !frame.stop.Stopped();
         ++k) {
      walk.Sample(k * step);
    }
    walk.LiftPen();
    for (std::int32_t k = undefinedAtZero ? -1 : 0; k * step >= minimumX && !frame.stop.Stopped();
         --k) {
      walk.Sample(k * step);
    }
  } else {
    WalkRun(frame, walk, MakeRun(undefinedAtZero ? 1 : 0, 1, step, minimumX, maximumX));
    walk.LiftPen();
    WalkRun(frame, walk, MakeRun(undefinedAtZero ? -1 : 0, -1, step, minimumX, maximumX));
  }
  if (undefinedAtZero) {
    DrawAsymptote(frame, 0.0);
  }
  frame.surface.RestorePen();
}

void DrawPoint(const Frame& frame, std::int64_t px, std::int64_t py, std::int64_t half) {
  const GraphSettings& settings = frame.settings;
  frame.clipper.SetPixel({px, py}, settings.colors[Point]);
  if (settings.sonar != 0) {
    frame.clipper.MoveTo({px - half, py - half});
    frame.clipper.LineTo({px + half, py - half});
    frame.clipper.LineTo({px + half, py + half});
    frame.clipper.LineTo({px - half, py + half});
    frame.clipper.LineTo({px - half, py - half});
  }
}

// One point or asymptote line of the point pass.
struct Mark {
  double x;
  bool defined;
  std::int32_t column;
  std::int32_t row;
};

Mark MarkAt(const Frame& frame, double x) {
  const GraphSettings& settings = frame.settings;
  double y = 0;
  const bool defined = EvaluateFunction(x, &y, settings.graphMethod, settings.values) != 0;
  return {x, defined, MapXToPixel(x, frame.width, settings),
          defined ? MapYToPixel(y, frame.height, settings) : 0};
}

void DrawMark(const Frame& frame, const Mark& mark, std::int64_t half) {
  if (mark.defined) {
    DrawPoint(frame, mark.column, mark.row, half);
  } else {
    DrawAsymptote(frame, mark.x);
  }
}

// A point at every multiple of the x tick frequency from 0 out to each
// bound, or an asymptote line where the function is undefined. The fast walk
// visits only the multiples whose mark can reach the surface (a sonar square
// reaches `half` beyond its point), and of identical marks draws only the
// last: it sets the same pixels to the same colours after everything drawn
// between, so the earlier ones change nothing. It finds them walking backwards.
void DrawPoints(const Frame& frame, std::int64_t sonarSize) {
  const GraphSettings& settings = frame.settings;
  frame.surface.SelectPen(PenStyle::Solid, settings.colors[PointSonar]);
  const std::int64_t half = Half(sonarSize);
  const double frequency = Value(settings, XTickFrequency);
  if (frame.plainWalk) {
    for (std::int32_t k = 0; k * frequency <= Value(settings, MaximumX) && !frame.stop.Stopped();
         ++k) {
      DrawMark(frame, MarkAt(frame, k * frequency), half);
    }
    for (std::int32_t k = -1; k * frequency >= Value(settings, MinimumX) && !frame.stop.Stopped();
         --k) {
      DrawMark(frame, MarkAt(frame, k * frequency), half);
    }
  } else {
    const std::int64_t reach = settings.sonar != 0 ? half : 0;
    std::vector<Mark> lastOnes;
    std::unordered_set<std::uint64_t> points;
    std::unordered_set<std::int32_t> asymptotes;
    // The leftward run is drawn last, so it is walked first.
    for (const std::int32_t direction : {-1, 1}) {
      const Run run = MakeRun(direction > 0 ? 0 : -1, direction, frequency,
                              Value(settings, MinimumX), Value(settings, MaximumX));
      auto key = [&](std::int64_t i) {
        return direction * std::int64_t{MapXToPixel(run.At(i), frame.width, settings)};
      };
      const std::int64_t first = direction > 0 ? -reach : -(frame.width + reach);
      const std::int64_t last = direction > 0 ? frame.width + reach : reach;
      const std::int64_t begin =
          FirstWhere(0, run.count, [&](std::int64_t j) { return key(j) >= first; });
      const std::int64_t end =
          FirstWhere(begin, run.count, [&](std::int64_t j) { return key(j) > last; });
      for (std::int64_t i = end - 1; i >= begin && !frame.stop.Stopped(); --i) {
        const Mark mark = MarkAt(frame, run.At(i));
        const std::uint64_t point = std::uint64_t{static_cast<std::uint32_t>(mark.column)} << 32 |
                                    static_cast<std::uint32_t>(mark.row);
        if (mark.defined ? points.insert(point).second : asymptotes.insert(mark.column).second) {
          lastOnes.push_back(mark);
        }
      }
    }
    for (auto mark = lastOnes.rbegin(); mark != lastOnes.rend() && !frame.stop.Stopped(); ++mark) {
      DrawMark(frame, *mark, half);
    }
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
