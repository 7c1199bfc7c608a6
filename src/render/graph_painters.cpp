#include "render/graph_painters.h"

#include <unordered_set>
#include <vector>

#include "model/drawability.h"
#include "model/evaluation.h"
#include "render/axis_number_layout.h"
#include "render/curve_walk.h"
#include "render/number_font.h"
#include "render/sample_search.h"

namespace ondrix {

namespace {

// MulDiv(1, size, 2) of a size >= 0: the half rounded up.
std::int64_t Half(std::int64_t size) {
  return (size + 1) / 2;
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

Mark MarkAt(const Frame& frame, Function function, double x) {
  const GraphSettings& settings = frame.settings;
  double y = 0;
  const bool defined = EvaluateFunction(x, &y, function, settings.values) != 0;
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

}  // namespace

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

void DrawUnconnectedDots(const Frame& frame, Function function) {
  const GraphSettings& settings = frame.settings;
  for (std::int32_t column = 0; column <= frame.width && !frame.stop.Stopped(); ++column) {
    const double x = PixelToX(column, frame.width, settings);
    double y = 0;
    if (EvaluateFunction(x, &y, function, settings.values)) {
      frame.clipper.SetPixel({column, MapYToPixel(y, frame.height, settings)},
                             settings.colors[PointConnection]);
    }
  }
}

void DrawConnectedDots(const Frame& frame, Function function) {
  const GraphSettings& settings = frame.settings;
  double unused = 0;
  const bool undefinedAtZero = !EvaluateFunction(0.0, &unused, function, settings.values);
  const double step = CurveStep(settings, frame.width);
  const double minimumX = Value(settings, MinimumX);
  const double maximumX = Value(settings, MaximumX);

  frame.surface.SelectPen(PenStyle::Solid, settings.colors[PointConnection]);
  CurveWalk walk(frame, function);
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
    WalkRun(frame, function, walk, MakeRun(undefinedAtZero ? 1 : 0, 1, step, minimumX, maximumX));
    walk.LiftPen();
    WalkRun(frame, function, walk, MakeRun(undefinedAtZero ? -1 : 0, -1, step, minimumX, maximumX));
  }
  if (undefinedAtZero) {
    DrawAsymptote(frame, 0.0);
  }
  frame.surface.RestorePen();
}

// The fast walk visits only the multiples whose mark can reach the surface (a sonar square
// reaches `half` beyond its point), and of identical marks draws only the
// last: it sets the same pixels to the same colours after everything drawn
// between, so the earlier ones change nothing. It finds them walking backwards.
void DrawPoints(const Frame& frame, Function function, std::int64_t sonarSize) {
  const GraphSettings& settings = frame.settings;
  frame.surface.SelectPen(PenStyle::Solid, settings.colors[PointSonar]);
  const std::int64_t half = Half(sonarSize);
  const double frequency = Value(settings, XTickFrequency);
  if (frame.plainWalk) {
    for (std::int32_t k = 0; k * frequency <= Value(settings, MaximumX) && !frame.stop.Stopped();
         ++k) {
      DrawMark(frame, MarkAt(frame, function, k * frequency), half);
    }
    for (std::int32_t k = -1; k * frequency >= Value(settings, MinimumX) && !frame.stop.Stopped();
         --k) {
      DrawMark(frame, MarkAt(frame, function, k * frequency), half);
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
        const Mark mark = MarkAt(frame, function, run.At(i));
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

void DrawAxisNumbers(const Frame& frame, std::int64_t tickSize, std::int32_t scale) {
  const GraphSettings& settings = frame.settings;
  const AxisNumberGeometry geometry{frame.width,   frame.height,   frame.axisColumn,
                                    frame.axisRow, Half(tickSize), scale};
  const AxisNumbers numbers = LayOutAxisNumbers(settings, geometry, frame.stop, frame.plainWalk);
  for (const std::vector<AxisNumberLabel>* labels : {&numbers.x, &numbers.y}) {
    for (const AxisNumberLabel& label : *labels) {
      frame.surface.FillRectangle(label.left, label.top, label.right, label.bottom,
                                  settings.colors[Background]);
      DrawNumberText(frame.surface, label.left + kPlateMargin * scale,
                     label.top + kPlateMargin * scale, label.text, scale, settings.colors[Axis]);
    }
  }
}

}  // namespace ondrix
