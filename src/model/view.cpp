#include "model/view.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "model/drawability.h"
#include "model/number_text.h"
#include "model/value_text.h"

namespace ondrix {

namespace {

// A new range end may land this far (in new pixels) from its exact place, so
// that its text can be short: "-5.4983" rather than "-5.498312345678901".
// Small enough that a run of wheel notches does not walk the anchor away, and
// for a pan that no grid line leaves its column but by a freak of rounding.
constexpr long double kZoomSlackPixels = 1e-3L;
constexpr long double kPanSlackPixels = 1e-6L;
// A pixel must span this many steps between doubles, or the range ends and
// the pixels' x and y could not be told apart.
constexpr long double kLeastStepsPerPixel = 32;
constexpr long double kAnchorSlackPixels = 0.25L;

struct Axis {
  GraphValue minimum;
  GraphValue maximum;
  GraphValue tick;
  bool downward;  // pixel 0 shows the maximum (rows)
};
constexpr Axis kXAxis{MinimumX, MaximumX, XTickFrequency, false};
constexpr Axis kYAxis{MinimumY, MaximumY, YTickFrequency, true};

long double Range(const GraphSettings& settings, const Axis& axis) {
  return static_cast<long double>(settings.values[axis.maximum]) - settings.values[axis.minimum];
}

double ClampToDoubleRange(long double value) {
  return static_cast<double>(
      std::clamp(value, static_cast<long double>(-DBL_MAX), static_cast<long double>(DBL_MAX)));
}

// The value at a pixel, in the order of operations of PixelToX.
double ValueAt(const GraphSettings& settings, const Axis& axis, long double pixel,
               std::int32_t extent) {
  const long double step = pixel * Range(settings, axis) / extent;
  return ClampToDoubleRange(axis.downward ? settings.values[axis.maximum] - step
                                          : step + settings.values[axis.minimum]);
}

// The pixel of a value before MapXToPixel or MapYToPixel rounds it.
long double PixelOf(const GraphSettings& settings, const Axis& axis, long double value,
                    std::int32_t extent) {
  const long double offset =
      axis.downward ? settings.values[axis.maximum] - value : value - settings.values[axis.minimum];
  return offset * extent / Range(settings, axis);
}

// The shortest text within `slack` of `ideal`; where none is, that of the
// nearest number that has a text in the field's form.
std::string EndText(long double ideal, long double slack, bool piForm) {
  std::string text = ShortestTextWithin(static_cast<double>(ideal - slack),
                                        static_cast<double>(ideal + slack), piForm);
  if (text.empty()) {
    const double nearest = piForm ? static_cast<double>(ideal / kPi) * kPi  // a "p" form exists
                                  : static_cast<double>(ideal);
    text = std::isfinite(nearest) ? ShortestExactText(nearest, piForm) : "";
  }
  return text;
}

void SetField(GraphSettings& settings, GraphValue field, const std::string& text) {
  SetValueText(settings.valueTexts[field], text);
  settings.values[field] = ReadValueText(text);
}

// Sets the ends shown at pixel 0 and at the last pixel, each in the form its
// field had. False when they leave the finite range or cross.
bool SetRange(GraphSettings& settings, const Axis& axis, long double atZero, long double atExtent,
              std::int32_t extent, long double slackPixels) {
  const long double low = axis.downward ? atExtent : atZero;
  const long double high = axis.downward ? atZero : atExtent;
  if (!(std::fabs(low) <= DBL_MAX && std::fabs(high) <= DBL_MAX && low < high)) {
    return false;
  }
  const long double slack = (high - low) / extent * slackPixels;
  const bool piMinimum = IsPiText(settings.valueTexts[axis.minimum]);
  const bool piMaximum = IsPiText(settings.valueTexts[axis.maximum]);
  const std::string minimum = EndText(low, slack, piMinimum);
  const std::string maximum = EndText(high, slack, piMaximum);
  if (minimum.empty() || maximum.empty()) {
    return false;
  }
  SetField(settings, axis.minimum, minimum);
  SetField(settings, axis.maximum, maximum);
  return settings.values[axis.minimum] < settings.values[axis.maximum];
}

// Doubles tell the pixels of the range apart, with room to spare. Zooms meet
// the drawable check's counters first; a range typed in Grid Properties, far
// ticks and no connected dots, may be narrower, and pans across it would not
// land on whole pixels.
bool Resolves(const GraphSettings& settings, const Axis& axis, std::int32_t extent) {
  const double largest =
      std::max(std::fabs(settings.values[axis.minimum]), std::fabs(settings.values[axis.maximum]));
  const long double step = std::nextafter(largest, INFINITY) - largest;
  return Range(settings, axis) / extent >= kLeastStepsPerPixel * step;
}

double PiMultiple(double multiplier) {
  return multiplier * kPi;
}

// The spacing of the nice series whose grid lines come nearest `targetPixels`
// apart within the band; 0 when none is in it. Spacings the parser would hold
// at the largest double are no longer in the series.
double NiceSpacing(double targetPixels, long double pixelsPerUnit, bool piBased) {
  const double unit = static_cast<double>(targetPixels / pixelsPerUnit) / (piBased ? kPi : 1.0);
  // A unit that rounds to 0 or beyond the doubles has no decade to search.
  if (!(unit > 0) || !std::isfinite(unit)) {
    return 0;
  }
  const int decade = static_cast<int>(std::floor(std::log10(unit)));
  std::vector<double> multipliers;
  for (int power = decade - 1; power <= decade + 1; ++power) {
    for (const char* digit : {"1", "2", "5"}) {
      const double m = ReadValueText(std::string(digit) + "e" + std::to_string(power));
      if (!piBased || m >= 1) {
        multipliers.push_back(m);
      }
    }
  }
  if (piBased) {
    multipliers.insert(multipliers.end(), {1.0 / 12, 1.0 / 6, 0.25, 0.5});
    // Below about 4.6e-310 the halvings of pi/12 are subnormal, no longer
    // exact halvings, and so no nice spacing at all.
    const double inverse = 1 / (12 * unit);
    const int halvings =
        std::isfinite(inverse) ? static_cast<int>(std::floor(std::log2(inverse))) : -2;
    for (int h = std::max(1, halvings - 1); h <= halvings + 2; ++h) {
      multipliers.push_back(std::ldexp(1.0 / 12, -h));
    }
  }
  double best = 0;
  long double bestMiss = INFINITY;
  for (const double m : multipliers) {
    const double spacing = piBased ? PiMultiple(m) : m;
    const long double pixels = spacing * pixelsPerUnit;
    const long double miss = std::fabs(std::log(pixels / targetPixels));
    if (spacing < DBL_MAX && pixels >= kMinGridPixels && pixels <= kMaxGridPixels &&
        miss < bestMiss) {
      best = spacing;
      bestMiss = miss;
    }
  }
  return best;
}

// After a zoom: the user's spacing while it stays in the band, otherwise the
// nice one nearest the density before the zoom. False when there is none.
bool ChooseTick(GraphSettings& next, const GraphSettings& old, const Axis& axis,
                std::int32_t extent) {
  const double tick = old.values[axis.tick];
  const long double pixelsPerUnit = extent / Range(next, axis);
  const long double pixels = tick * pixelsPerUnit;
  if (pixels >= kMinGridPixels && pixels <= kMaxGridPixels) {
    return true;
  }
  const long double before = tick * extent / Range(old, axis);
  const double target = static_cast<double>(std::clamp(
      before, static_cast<long double>(kMinGridPixels), static_cast<long double>(kMaxGridPixels)));
  const bool piBased = IsPiText(old.valueTexts[axis.tick]);
  const double spacing = NiceSpacing(target, pixelsPerUnit, piBased);
  if (spacing == 0) {
    return false;
  }
  SetField(next, axis.tick, ShortestExactText(spacing, piBased));
  return true;
}

bool ZoomAxis(GraphSettings& next, const GraphSettings& old, const Axis& axis, std::int32_t extent,
              double pixel, double factor) {
  if (factor == 1) {
    return true;
  }
  const double anchor = ValueAt(old, axis, pixel, extent);
  const long double range = Range(old, axis) / factor;
  const long double before = pixel * range / extent;
  const long double after = (extent - pixel) * range / extent;
  const long double atZero = axis.downward ? anchor + before : anchor - before;
  const long double atExtent = axis.downward ? anchor - after : anchor + after;
  return SetRange(next, axis, atZero, atExtent, extent, kZoomSlackPixels) &&
         ChooseTick(next, old, axis, extent) &&
         std::fabs(PixelOf(next, axis, anchor, extent) - pixel) <= kAnchorSlackPixels &&
         Resolves(next, axis, extent);
}

bool PanAxis(GraphSettings& next, const GraphSettings& old, const Axis& axis, std::int32_t extent,
             std::int32_t pixels) {
  if (pixels == 0) {
    return true;
  }
  const long double shift = pixels;
  return SetRange(next, axis, ValueAt(old, axis, -shift, extent),
                  ValueAt(old, axis, extent - shift, extent), extent, kPanSlackPixels) &&
         Resolves(next, axis, extent);
}

bool CanStep(const GraphSettings& settings, ViewSize size) {
  return size.right >= 2 && size.bottom >= 2 && IsDrawable(settings, size.right - 1);
}

// Derives the values from the new texts and takes them when drawable.
bool Commit(GraphSettings& settings, GraphSettings& next, ViewSize size) {
  ParseValueTexts(next);
  if (!IsDrawable(next, size.right - 1)) {
    return false;
  }
  settings = next;
  return true;
}

}  // namespace

double ColumnToX(double column, std::int32_t lastColumn, const GraphSettings& settings) {
  return lastColumn == 0 ? settings.values[MinimumX]
                         : ValueAt(settings, kXAxis, column, lastColumn);
}

double RowToY(double row, std::int32_t lastRow, const GraphSettings& settings) {
  return lastRow == 0 ? settings.values[MaximumY] : ValueAt(settings, kYAxis, row, lastRow);
}

bool ZoomAboutPixel(GraphSettings& settings, ViewSize size, double column, double row,
                    double factorX, double factorY) {
  if (!(factorX > 0 && factorX <= DBL_MAX && factorY > 0 && factorY <= DBL_MAX) ||
      !std::isfinite(column) || !std::isfinite(row) || !CanStep(settings, size)) {
    return false;
  }
  GraphSettings next = settings;
  if (!ZoomAxis(next, settings, kXAxis, size.right - 1, column, factorX) ||
      !ZoomAxis(next, settings, kYAxis, size.bottom - 1, row, factorY)) {
    return false;
  }
  return Commit(settings, next, size);
}

bool ZoomAboutCentre(GraphSettings& settings, ViewSize size, double factor) {
  return ZoomAboutPixel(settings, size, (size.right - 1) / 2.0, (size.bottom - 1) / 2.0, factor,
                        factor);
}

bool PanByPixels(GraphSettings& settings, ViewSize size, std::int32_t dx, std::int32_t dy) {
  if (!CanStep(settings, size)) {
    return false;
  }
  GraphSettings next = settings;
  if (!PanAxis(next, settings, kXAxis, size.right - 1, dx) ||
      !PanAxis(next, settings, kYAxis, size.bottom - 1, dy)) {
    return false;
  }
  return Commit(settings, next, size);
}

std::optional<PixelShift> PanShift(const GraphSettings& from, const GraphSettings& to,
                                   ViewSize size) {
  if (size.right < 2 || size.bottom < 2) {
    return std::nullopt;
  }
  GraphSettings moved = from;
  for (const GraphValue field : {MinimumX, MaximumX, MinimumY, MaximumY}) {
    moved.values[field] = to.values[field];
    std::copy(std::begin(to.valueTexts[field]), std::end(to.valueTexts[field]),
              moved.valueTexts[field]);
  }
  if (std::memcmp(&moved, &to, sizeof moved) != 0) {
    return std::nullopt;
  }
  // The pixel `from` shows its first column and row at, in `to`.
  long double shifts[2] = {};
  const decltype(kXAxis)* axes[2] = {&kXAxis, &kYAxis};
  const std::int32_t extents[2] = {size.right - 1, size.bottom - 1};
  for (int i = 0; i < 2; ++i) {
    const auto& axis = *axes[i];
    const long double fromRange = Range(from, axis);
    const long double toRange = Range(to, axis);
    // A pan's new ends may each miss their place by a millionth of a pixel.
    if (!(std::fabs(fromRange - toRange) * extents[i] <= 1e-3L * std::fabs(toRange)) ||
        toRange == 0) {
      return std::nullopt;
    }
    shifts[i] =
        PixelOf(to, axis, from.values[axis.downward ? axis.maximum : axis.minimum], extents[i]);
    if (!(std::fabs(shifts[i] - std::round(shifts[i])) < 1e-2L) ||
        std::fabs(shifts[i]) > INT32_MAX / 2) {
      return std::nullopt;
    }
  }
  return PixelShift{static_cast<std::int32_t>(std::round(shifts[0])),
                    static_cast<std::int32_t>(std::round(shifts[1]))};
}

std::int32_t KeyPanPixels(std::int32_t extent) {
  return std::max<std::int32_t>(1, extent / 10 + (extent % 10 >= 5));
}

double WheelZoomFactor(int notches) {
  return std::pow(kWheelZoomFactor, notches);
}

int WheelAccumulator::Add(int delta) {
  if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) {
    rest_ = 0;
  }
  const long long total = static_cast<long long>(rest_) + delta;
  const long long notches = total / kWheelDelta;
  rest_ = static_cast<int>(total - notches * kWheelDelta);
  return static_cast<int>(notches);
}

}  // namespace ondrix
