#include "model/evaluation.h"

#include <cfloat>
#include <cmath>

namespace ondrix {

namespace {

double PowerOfTen(std::int32_t exponent) {
  double result = 1.0;
  for (std::int32_t i = 0; i < exponent && i < 400; ++i) {
    result *= 10.0;
  }
  return result;
}

double ClampToDoubleRange(long double value) {
  if (value > static_cast<long double>(DBL_MAX)) {
    return DBL_MAX;
  }
  if (value < -static_cast<long double>(DBL_MAX)) {
    return -DBL_MAX;
  }
  return static_cast<double>(value);
}

}  // namespace

double FunctionArgument(double x, const double* values) {
  const long double b = values[BModifier];
  const long double c = values[CModifier];
  return static_cast<double>(b * x + c);
}

int EvaluateFunction(double x, double* y, Function function, const double* values) {
  const long double a = values[AModifier];
  const long double d = values[DModifier];
  const double u = FunctionArgument(x, values);
  if (!std::isfinite(u) || std::fabs(u) >= kLargestArgument || !std::isfinite(values[AModifier]) ||
      !std::isfinite(values[DModifier])) {
    return 0;
  }
  const double sine = std::sin(u);
  const double cosine = std::cos(u);

  long double result = 0;
  switch (function) {
    case Function::Sine:
      result = a * sine + d;
      break;
    case Function::Cosine:
      result = a * cosine + d;
      break;
    case Function::Tangent:
      if (RoundToDecimals(cosine, 4) == 0.0) {
        return 0;
      }
      result = static_cast<long double>(sine) / cosine * a + d;
      break;
    case Function::Cotangent:
      if (RoundToDecimals(sine, 4) == 0.0) {
        return 0;
      }
      result = static_cast<long double>(cosine) / sine * a + d;
      break;
    case Function::Secant:
      if (RoundToDecimals(cosine, 4) == 0.0) {
        return 0;
      }
      result = 1.0L / cosine * a + d;
      break;
    case Function::Cosecant:
      if (RoundToDecimals(sine, 4) == 0.0) {
        return 0;
      }
      result = 1.0L / sine * a + d;
      break;
  }
  *y = ClampToDoubleRange(result);
  return 1;
}

double RoundToDecimals(double value, std::int32_t places) {
  if (!std::isfinite(value)) {
    return value;
  }
  const double scale = places >= 0 ? PowerOfTen(places) : 1.0 / PowerOfTen(-places);
  double scaled = value * scale;
  if (scaled - std::floor(scaled) >= 0.5) {
    scaled = scaled + 1.0;
  }
  return std::floor(scaled) / scale;
}

std::int32_t RoundToPixel(double value, std::int32_t places) {
  if (std::isnan(value)) {
    return INT32_MIN;
  }
  for (std::int32_t k = places; k >= 1; --k) {
    const double scale = PowerOfTen(k - 1);
    const double scaled = value * scale;
    if (scaled - std::floor(scaled) >= 0.5) {
      value = value + 1.0 / scale;
    }
  }
  const double whole = std::floor(value);
  if (!(whole < 2147483648.0)) {
    return INT32_MAX;
  }
  if (whole < -2147483648.0) {
    return INT32_MIN;
  }
  return static_cast<std::int32_t>(whole);
}

std::int32_t MapXToPixel(double x, std::int32_t extent, const GraphSettings& settings) {
  const long double minimum = settings.values[MinimumX];
  const long double range = settings.values[MaximumX] - minimum;
  if (range == 0) {
    return 0;
  }
  return RoundToPixel(static_cast<double>((x - minimum) * extent / range), 3);
}

std::int32_t MapYToPixel(double y, std::int32_t extent, const GraphSettings& settings) {
  const long double maximum = settings.values[MaximumY];
  const long double range = maximum - settings.values[MinimumY];
  if (range == 0) {
    return 0;
  }
  return RoundToPixel(static_cast<double>((maximum - y) * extent / range), 3);
}

double PixelToX(std::int32_t column, std::int32_t extent, const GraphSettings& settings) {
  const long double minimum = settings.values[MinimumX];
  if (extent == 0) {
    return settings.values[MinimumX];
  }
  const long double range = settings.values[MaximumX] - minimum;
  return ClampToDoubleRange(column * range / extent + minimum);
}

}  // namespace ondrix
