#include "render/curve_walk.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/evaluation.h"
#include "render/graph_painters.h"

namespace ondrix {

void CurveWalk::Sample(double x) {
  const GraphSettings& settings = frame_.settings;
  const std::int32_t column = MapXToPixel(x, frame_.width, settings);
  double y = 0;
  if (EvaluateFunction(x, &y, function_, settings.values)) {
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

namespace {

struct IndexRange {
  std::int64_t first;
  std::int64_t last;
};

// Index ranges of the run from `from` on that hold every sample where the
// function is undefined and the sample after it, which puts the pen down
// again (the walk also takes the sample after each one in a range). Undefined means a sine or
// cosine that rounds to 0, within about 5e-5 of a zero of it, so only the samples near a zero are
// looked at.
std::vector<IndexRange> UndefinedWindows(const Frame& frame, Function function, const Run& run,
                                         std::int64_t from) {
  const GraphSettings& settings = frame.settings;
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
  if (function == Function::Sine || function == Function::Cosine) {
    return windows;
  }
  if (first == last) {
    double y = 0;
    return EvaluateFunction(run.At(from), &y, function, settings.values) ? windows : everything;
  }
  const long double phase =
      function == Function::Tangent || function == Function::Secant ? kPiExtended / 2 : 0;
  // The rest of the margin covers the error of n * pi far from 0.
  const long double margin = 1e-4L + largest * 1e-17L;
  const long double low = std::fmin(first, last);
  const long double high = std::fmax(first, last);
  const long double firstZero = std::ceil((low - margin - phase) / kPiExtended);
  const long double lastZero = std::floor((high + margin - phase) / kPiExtended);
  if (lastZero < firstZero) {
    return windows;
  }
  // Zeros almost as dense as the samples: searching them costs more than the walk.
  if ((lastZero - firstZero + 1) * 64 > end - from) {
    return everything;
  }
  const bool rising = last > first;
  for (long double n = firstZero; n <= lastZero && !frame.stop.Stopped(); ++n) {
    const long double zero = phase + n * kPiExtended;
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

}  // namespace

void WalkRun(const Frame& frame, Function function, CurveWalk& walk, const Run& run) {
  const GraphSettings& settings = frame.settings;
  auto defined = [&](std::int64_t i) {
    double y = 0;
    return EvaluateFunction(run.At(i), &y, function, settings.values) != 0;
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
  const std::vector<IndexRange> windows = UndefinedWindows(frame, function, run, start);
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

}  // namespace ondrix
