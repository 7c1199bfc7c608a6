#include "render/axis_number_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "model/drawability.h"
#include "model/evaluation.h"
#include "model/number_text.h"
#include "model/value_text.h"
#include "render/number_font.h"
#include "render/sample_search.h"

namespace ondrix {

namespace {

// How near a spacing must come to a member of the pi series to count as one.
constexpr double kSeriesTolerance = 1e-9;
constexpr std::int32_t kPlateHeight = kNumberGlyphHeight + 2 * kPlateMargin;

// A label in 64-bit coordinates, which may lie off a surface near the 32-bit limit.
struct Plate {
  std::int64_t left, top, right, bottom;
  std::string text;
};

bool Apart(const Plate& a, const Plate& b, std::int64_t gap) {
  return a.right + gap <= b.left || b.right + gap <= a.left || a.bottom + gap <= b.top ||
         b.bottom + gap <= a.top;
}

// The pi series in units of pi, ascending, from the halving of 1/12 at or
// just below `low` to the first member above `high`.
std::vector<double> PiSeries(double low, double high) {
  std::vector<double> series;
  for (double c = 1.0 / 12; c > 0 && c >= low * (1 - kSeriesTolerance); c /= 2) {
    series.push_back(c);
  }
  std::reverse(series.begin(), series.end());
  series.insert(series.end(), {1.0 / 6, 0.25, 0.5});
  for (double decade = 1; series.back() <= high && std::isfinite(decade); decade *= 10) {
    series.insert(series.end(), {decade, 2 * decade, 5 * decade});
  }
  return series;
}

struct AxisSpec {
  bool isX;
  double frequency;
  bool pi;
  Run up, down;
  std::int64_t extent;  // the last column or row
  std::optional<Plate> zero;
};

class Layout {
 public:
  Layout(const GraphSettings& settings, const AxisNumberGeometry& geometry, StopPoll& stop,
         bool plainWalk)
      : settings_(settings),
        g_(geometry),
        stop_(stop),
        plain_(plainWalk),
        gap_(std::int64_t{kLabelGap} * geometry.scale),
        clearance_(std::min<std::int64_t>(geometry.tickReach,
                                          std::int64_t{kLargestTickClearance} * geometry.scale) +
                   geometry.scale) {}

  AxisNumbers Labels() {
    const bool xAxisOn = g_.axisRow >= 0 && g_.axisRow <= g_.height;
    const bool yAxisOn = g_.axisColumn >= 0 && g_.axisColumn <= g_.width;
    AxisSpec x = Axis(true, XTickFrequency, MinimumX, MaximumX, g_.width);
    AxisSpec y = Axis(false, YTickFrequency, MinimumY, MaximumY, g_.height);
    if (yAxisOn && xAxisOn) {
      // The origin's one "0", in the corner where both axes' numbers go.
      Plate origin = PlateAt(false, 0, "0");
      origin.top = XBandTop();
      origin.bottom = origin.top + PlateHeight();
      x.zero = origin;
    } else if (yAxisOn) {
      x.zero = PlateAt(true, g_.axisColumn, "0");
    } else if (xAxisOn) {
      y.zero = PlateAt(false, g_.axisRow, "0");
    }
    const std::vector<Plate> xPlates = Fitted(Thinned(x), x);
    AxisNumbers numbers;
    for (const Plate& plate : xPlates) {
      numbers.x.push_back(Label(plate));
    }
    for (const Plate& plate : Fitted(Thinned(y), y)) {
      if (std::all_of(xPlates.begin(), xPlates.end(),
                      [&](const Plate& other) { return Apart(plate, other, gap_); })) {
        numbers.y.push_back(Label(plate));
      }
    }
    return numbers;
  }

 private:
  AxisSpec Axis(bool isX, GraphValue tick, GraphValue minimum, GraphValue maximum,
                std::int64_t extent) const {
    const double frequency = settings_.values[tick];
    const std::string_view text(settings_.valueTexts[tick],
                                ValueTextLength(settings_.valueTexts[tick]));
    const double low = settings_.values[minimum];
    const double high = settings_.values[maximum];
    return {isX,
            frequency,
            IsPiText(text),
            MakeRun(1, 1, frequency, low, high),
            MakeRun(-1, -1, frequency, low, high),
            extent,
            std::nullopt};
  }

  std::int64_t PlateHeight() const { return std::int64_t{kPlateHeight} * g_.scale; }

  // The first row of the x numbers' plates: below the axis, else above it,
  // else at the edge it lies beyond, or at the bottom edge on a surface too
  // low for either side.
  std::int64_t XBandTop() const {
    const std::int64_t row = g_.axisRow;
    const std::int64_t end = std::int64_t{g_.height} + 1;
    if (row < 0) {
      return 0;
    }
    if (row < end && row + clearance_ + PlateHeight() <= end) {
      return row + clearance_;
    }
    if (row < end && row - clearance_ - PlateHeight() + 1 >= 0) {
      return row - clearance_ - PlateHeight() + 1;
    }
    return end - PlateHeight();
  }

  // The first column of a y number's plate `width` wide: left of the axis,
  // else right of it, else at the edge it lies beyond, or at the left edge.
  std::int64_t YPlateLeft(std::int64_t width) const {
    const std::int64_t column = g_.axisColumn;
    const std::int64_t end = std::int64_t{g_.width} + 1;
    if (column >= end) {
      return end - width;
    }
    if (column >= 0 && column - clearance_ - width + 1 >= 0) {
      return column - clearance_ - width + 1;
    }
    if (column >= 0 && column + clearance_ + width <= end) {
      return column + clearance_;
    }
    return 0;
  }

  // The plate of `text` for the grid line at `pixel`: centred on an x
  // number's column, on a y number's row.
  Plate PlateAt(bool isX, std::int64_t pixel, std::string text) const {
    const std::int64_t width = (NumberTextWidth(text) + 2 * kPlateMargin) * std::int64_t{g_.scale};
    const std::int64_t left = isX ? pixel - (width - 1) / 2 : YPlateLeft(width);
    const std::int64_t top = isX ? XBandTop() : pixel - (PlateHeight() - 1) / 2;
    return {left, top, left + width, top + PlateHeight(), std::move(text)};
  }

  // The labels at every `factor`-th multiple that lies on the surface, in
  // order along the axis; false as soon as two come too close.
  bool Collect(const AxisSpec& axis, std::int64_t factor, std::vector<Plate>& plates) {
    std::vector<Plate> outward[2];
    for (const bool up : {true, false}) {
      const Run& run = up ? axis.up : axis.down;
      const std::int64_t count = run.count / factor;
      auto at = [&](std::int64_t j) { return run.At(j * factor - 1); };
      // Columns grow with x, rows shrink as y grows.
      const std::int64_t sign = axis.isX == up ? 1 : -1;
      auto key = [&](std::int64_t j) {
        return sign * (axis.isX ? MapXToPixel(at(j), g_.width, settings_)
                                : MapYToPixel(at(j), g_.height, settings_));
      };
      const std::int64_t first = sign > 0 ? 0 : -axis.extent;
      const std::int64_t last = sign > 0 ? axis.extent : 0;
      std::int64_t j =
          plain_ ? 1 : FirstWhere(1, count + 1, [&](std::int64_t i) { return key(i) >= first; });
      std::vector<Plate>& side = outward[sign > 0];
      for (; j <= count && !stop_.Stopped(); ++j) {
        const std::int64_t k = key(j);
        if (k < first || k > last) {
          if (plain_) {
            continue;
          }
          break;
        }
        Plate plate =
            PlateAt(axis.isX, sign * k, AxisLabelText(at(j), factor * axis.frequency, axis.pi));
        if (!side.empty() && !Apart(side.back(), plate, gap_)) {
          return false;
        }
        side.push_back(std::move(plate));
      }
    }
    plates.assign(outward[0].rbegin(), outward[0].rend());
    if (axis.zero) {
      plates.push_back(*axis.zero);
    }
    plates.insert(plates.end(), outward[1].begin(), outward[1].end());
    for (std::size_t i = 1; i < plates.size(); ++i) {
      if (!Apart(plates[i - 1], plates[i], gap_)) {
        return false;
      }
    }
    return true;
  }

  std::vector<Plate> Thinned(const AxisSpec& axis) {
    std::vector<Plate> plates;
    for (const std::int64_t factor : ThinningFactors(axis.frequency, axis.pi)) {
      if (Collect(axis, factor, plates)) {
        break;
      }
    }
    return plates;
  }

  bool Whole(const Plate& plate) const {
    return plate.left >= 0 && plate.top >= 0 && plate.right <= std::int64_t{g_.width} + 1 &&
           plate.bottom <= std::int64_t{g_.height} + 1;
  }

  // The plates whole on the surface: one reaching over an edge moves along
  // its axis until it is whole, and is left out if it cannot be or then
  // comes too close to a neighbour.
  std::vector<Plate> Fitted(const std::vector<Plate>& plates, const AxisSpec& axis) const {
    std::vector<Plate> kept;
    for (std::size_t i = 0; i < plates.size(); ++i) {
      Plate plate = plates[i];
      std::int64_t& low = axis.isX ? plate.left : plate.top;
      std::int64_t& high = axis.isX ? plate.right : plate.bottom;
      const std::int64_t shift = low < 0 ? -low : std::min<std::int64_t>(0, axis.extent + 1 - high);
      low += shift;
      high += shift;
      const bool crowded =
          shift != 0 && ((!kept.empty() && !Apart(kept.back(), plate, gap_)) ||
                         (i + 1 < plates.size() && !Apart(plate, plates[i + 1], gap_)));
      if (Whole(plate) && !crowded) {
        kept.push_back(std::move(plate));
      }
    }
    return kept;
  }

  static AxisNumberLabel Label(const Plate& plate) {
    return {static_cast<std::int32_t>(plate.left), static_cast<std::int32_t>(plate.top),
            static_cast<std::int32_t>(plate.right), static_cast<std::int32_t>(plate.bottom),
            plate.text};
  }

  const GraphSettings& settings_;
  const AxisNumberGeometry& g_;
  StopPoll& stop_;
  bool plain_;
  std::int64_t gap_;
  std::int64_t clearance_;
};

}  // namespace

std::vector<std::int64_t> ThinningFactors(double frequency, bool piBased) {
  std::vector<std::int64_t> factors{1};
  const double q = frequency / kPi;
  const std::vector<double> series =
      piBased ? PiSeries(q, q * 4294967296.0) : std::vector<double>();
  const bool inSeries = std::any_of(series.begin(), series.end(), [&](double c) {
    return std::fabs(c - q) <= kSeriesTolerance * q;
  });
  if (inSeries) {
    for (const double c : series) {
      const double m = std::round(c / q);
      if (m > static_cast<double>(factors.back()) && m <= 4294967296.0 &&
          std::fabs(m * q - c) <= kSeriesTolerance * c) {
        factors.push_back(static_cast<std::int64_t>(m));
      }
    }
  } else {
    for (std::int64_t decade = 1; factors.back() <= kLargestCount; decade *= 10) {
      factors.insert(factors.end(), {2 * decade, 5 * decade, 10 * decade});
    }
  }
  if (factors.back() <= kLargestCount) {
    factors.push_back(std::int64_t{kLargestCount} + 1);
  }
  return factors;
}

AxisNumbers LayOutAxisNumbers(const GraphSettings& settings, const AxisNumberGeometry& geometry,
                              StopPoll& stop, bool plainWalk) {
  return Layout(settings, geometry, stop, plainWalk).Labels();
}

}  // namespace ondrix
