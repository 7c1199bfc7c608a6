#include "model/drawability.h"

#include <cmath>

#include "model/evaluation.h"

namespace ondrix {

namespace {

double Value(const GraphSettings& settings, GraphValue index) {
  return settings.values[index];
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

bool HasCurveWalk(const GraphSettings& settings) {
  return settings.connectMethod == CM_CONNECTED_DOTS && IsFunctionMethod(settings.graphMethod);
}

}  // namespace

// The x multiples to the right of 0 stop where k * frequency passes the
// maximum; the counter is 32 bits, so the last one must come before k reaches
// its limit. The same for the left side and its minimum.
bool FitsCounterUp(double frequency, double maximum) {
  return !(static_cast<double>(kLargestCount) * frequency <= maximum);
}

bool FitsCounterDown(double frequency, double minimum) {
  return !(static_cast<double>(-kLargestCount) * frequency >= minimum);
}

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

}  // namespace ondrix
