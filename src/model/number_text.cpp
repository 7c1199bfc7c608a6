#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <utility>

#include "model/graph_settings.h"
#include "model/value_text.h"

namespace ondrix {

namespace {

// Seventeen significant digits tell every double from its neighbours.
constexpr int kMaxDigits = 17;
constexpr const char* kMinus = "\xE2\x88\x92";  // U+2212
constexpr const char* kPiSign = "\xCF\x80";     // U+03C0

// Multiples of pi show as fractions with these denominators: the fractions
// of pi/12 and its halvings down to pi/96 on the axes, of pi/12 in the
// readout. Others (0.37 pi, pi/192) show as decimals times pi.
constexpr int kLabelDenominators[] = {1, 2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 96};
constexpr int kReadoutDenominators[] = {1, 2, 3, 4, 6, 12};

// digits * 10^exponent, a magnitude.
struct Scaled {
  std::uint64_t digits;
  int exponent;
};

Scaled WithoutTrailingZeros(Scaled s) {
  while (s.digits != 0 && s.digits % 10 == 0) {
    s.digits /= 10;
    ++s.exponent;
  }
  return s;
}

// "1200", "12.5", "0.05".
std::string FixedForm(Scaled s) {
  const std::string digits = std::to_string(s.digits);
  if (s.exponent >= 0) {
    return digits + std::string(s.exponent, '0');
  }
  const int point = static_cast<int>(digits.size()) + s.exponent;
  if (point > 0) {
    return digits.substr(0, point) + "." + digits.substr(point);
  }
  return "0." + std::string(-point, '0') + digits;
}

// "1.25e-7" for value texts, "1.25e−7" or "1.25e+7" for display.
std::string ScientificForm(Scaled s, const char* plus, const char* minus) {
  const std::string digits = std::to_string(s.digits);
  const int exponent = s.exponent + static_cast<int>(digits.size()) - 1;
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) {
    text += "." + digits.substr(1);
  }
  return text + "e" + (exponent < 0 ? minus : plus) + std::to_string(std::abs(exponent));
}

// A positive finite magnitude rounded to `count` significant digits.
Scaled RoundToDigits(double magnitude, int count) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, count - 1);
  Scaled s{0, 0};
  const char* at = buffer;
  for (; at < result.ptr && *at != 'e'; ++at) {
    if (*at != '.') {
      s.digits = s.digits * 10 + static_cast<std::uint64_t>(*at - '0');
    }
  }
  // The exponent's sign, then its digits, up to the end of what was written.
  const bool negative = at + 1 < result.ptr && at[1] == '-';
  int exponent = 0;
  std::from_chars(at + 2, result.ptr, exponent);
  s.exponent = (negative ? -exponent : exponent) - (count - 1);
  return s;
}

// The shortest text sign + N + suffix that `accept` takes, N a decimal close
// to the magnitude `low` or `high`. At each count of digits the roundings of
// both ends and their neighbours cover every decimal of that count between
// them, or next to an end when they meet; the caller's test decides.
std::string ShortestNear(double low, double high, bool negative, std::string_view suffix,
                         const std::function<bool(const std::string&)>& accept) {
  std::string best;
  const std::string sign = negative ? "-" : "";
  for (int count = 1; count <= kMaxDigits; ++count) {
    if (!best.empty() && best.size() <= static_cast<std::size_t>(count)) {
      break;
    }
    for (const double anchor : {low, high}) {
      if (!(anchor > 0) || !std::isfinite(anchor)) {
        continue;
      }
      const Scaled rounded = RoundToDigits(anchor, count);
      for (int delta = -1; delta <= 1; ++delta) {
        const Scaled candidate = WithoutTrailingZeros({rounded.digits + delta, rounded.exponent});
        if (candidate.digits == 0) {
          continue;
        }
        for (const std::string& form : {FixedForm(candidate), ScientificForm(candidate, "", "-")}) {
          const std::string text = sign + form + std::string(suffix);
          if (text.size() <= static_cast<std::size_t>(kMaxValueTextLength) &&
              (best.empty() || text.size() < best.size()) && accept(text)) {
            best = text;
          }
        }
      }
    }
  }
  return best;
}

// 10^exponent in extended precision: exact for the small exponents of labels.
long double PowerOfTen(int exponent) {
  return std::pow(10.0L, static_cast<long double>(exponent));
}

// value / 10^exponent.
long double Unscaled(long double value, int exponent) {
  return exponent >= 0 ? value / PowerOfTen(exponent) : value * PowerOfTen(-exponent);
}

long double Rescaled(long double count, int exponent) {
  return exponent >= 0 ? count * PowerOfTen(exponent) : count / PowerOfTen(-exponent);
}

// count * 10^exponent like printf's %g: fixed from 1e-4 to where the fixed
// form would need zeros that are not digits of the number, scientific beyond.
std::string DisplayScaled(long double count, int exponent) {
  if (count == 0) {
    return "0";
  }
  const bool negative = count < 0;
  const Scaled s = WithoutTrailingZeros({static_cast<std::uint64_t>(std::fabs(count)), exponent});
  const int length = static_cast<int>(std::to_string(s.digits).size());
  const int order = length - 1 + s.exponent;
  const std::string text =
      order > -5 && order < std::max(6, length) ? FixedForm(s) : ScientificForm(s, "+", kMinus);
  return (negative ? std::string(kMinus) : std::string()) + text;
}

int FloorLog10(double value) {
  int exponent = static_cast<int>(std::floor(std::log10(value)));
  // log10 may land a hair off at exact powers of ten.
  if (PowerOfTen(exponent) > value) {
    --exponent;
  } else if (PowerOfTen(exponent + 1) <= value) {
    ++exponent;
  }
  return exponent;
}

// value rounded to a multiple of 10^exponent, kept within the digits a
// 64-bit count holds.
std::string DisplayAt(double value, int exponent) {
  if (value == 0 || !std::isfinite(value)) {
    return value == 0 ? "0" : "";
  }
  exponent = std::max(exponent, FloorLog10(std::fabs(value)) - (kMaxDigits - 1));
  return DisplayScaled(std::round(Unscaled(value, exponent)), exponent);
}

// A decimal label: exact at the coarsest of the step's decade and the two
// below where the value is a round number (0.25, 0.125 at steps of those),
// else at a tenth of the step's decade.
std::string DecimalLabel(double value, double step) {
  if (value == 0) {
    return "0";
  }
  if (!(step > 0) || !std::isfinite(step)) {
    step = std::fabs(value);
  }
  const int top = FloorLog10(step);
  for (int exponent = top; exponent >= top - 2; --exponent) {
    const long double count = std::round(Unscaled(value, exponent));
    if (std::fabs(count) < 1e17 && std::fabs(Rescaled(count, exponent) - value) <= 1e-9L * step) {
      return DisplayAt(value, exponent);
    }
  }
  return DisplayAt(value, top - 1);
}

// The smallest of `denominators` that makes q (> 0) a fraction within
// `tolerance`, and its numerator; {0, 0} when none does.
template <std::size_t N>
std::pair<long double, int> FractionOf(long double q, long double tolerance,
                                       const int (&denominators)[N]) {
  if (q * denominators[N - 1] < 1e15L) {
    for (const int b : denominators) {
      const long double a = std::round(q * b);
      if (a != 0 && std::fabs(q - a / b) <= tolerance) {
        return {a, b};
      }
    }
  }
  return {0, 0};
}

// q * pi as the fraction a/b ("π/2", "−3π/4", "2π", "1e+6π"), or, when b is
// 0, `decimal` (the text of |q|) times π.
std::string PiMultipleText(long double q, std::pair<long double, int> fraction,
                           const std::string& decimal) {
  const std::string sign = q < 0 ? kMinus : "";
  const auto [a, b] = fraction;
  if (b == 0) {
    return sign + (decimal == "1" ? "" : decimal) + kPiSign;
  }
  const std::string numerator = a == 1 ? "" : DisplayScaled(a, 0);
  return sign + numerator + kPiSign + (b == 1 ? "" : "/" + std::to_string(b));
}

}  // namespace

bool IsPiText(std::string_view text) {
  return !text.empty() && (text.back() == 'p' || text.back() == 'P');
}

double ReadValueText(std::string_view text) {
  GraphSettings scratch{};
  SetValueText(scratch.valueTexts[0], text);
  ParseValueTexts(scratch);
  return scratch.values[0];
}

std::string ShortestExactText(double value, bool piForm) {
  if (value == 0) {
    return piForm ? "0p" : "0";
  }
  auto readsExactly = [value](const std::string& text) { return ReadValueText(text) == value; };
  if (piForm) {
    if (value == kPi) {
      return "p";
    }
    // The multipliers whose product with pi rounds to the value lie within a
    // few steps of the quotient.
    double low = 0;
    double high = 0;
    double m = value / kPi;
    for (int i = 0; i < 4; ++i) {
      m = std::nextafter(m, 0.0);
    }
    for (int i = 0; i < 9; ++i, m = std::nextafter(m, value < 0 ? -INFINITY : INFINITY)) {
      if (m * kPi == value) {
        low = low == 0 ? m : low;
        high = m;
      }
    }
    if (low != 0) {
      const std::string text =
          ShortestNear(std::fabs(low), std::fabs(high), value < 0, "p", readsExactly);
      if (!text.empty()) {
        return text;
      }
    }
  }
  return ShortestNear(std::fabs(value), std::fabs(value), value < 0, "", readsExactly);
}

std::string ShortestTextWithin(double low, double high, bool piForm) {
  if (!(low <= high)) {
    return "";
  }
  if (low <= 0 && high >= 0) {
    return piForm ? "0p" : "0";
  }
  if (piForm && low <= kPi && kPi <= high) {
    return "p";
  }
  const bool negative = high < 0;
  const double scale = piForm ? 1 / kPi : 1;
  const double smaller = (negative ? -high : low) * scale;
  const double larger = (negative ? -low : high) * scale;
  return ShortestNear(smaller, larger, negative, piForm ? "p" : "", [&](const std::string& text) {
    const double value = ReadValueText(text);
    return low <= value && value <= high;
  });
}

std::string DisplayNumberText(double value, double resolution) {
  if (!(resolution > 0) || !std::isfinite(resolution)) {
    return DisplayAt(value, -kMaxDigits);
  }
  return DisplayAt(value, FloorLog10(resolution));
}

std::string AxisLabelText(double value, double labelStep, bool piBased) {
  if (value == 0) {
    return "0";
  }
  if (!piBased) {
    return DecimalLabel(value, labelStep);
  }
  const long double q = static_cast<long double>(value) / kPi;
  const double stepInPi = labelStep / kPi;
  // Fractions only where the step is one: every label then takes a divisor
  // of its denominator, and one axis never mixes fractions and decimals.
  const long double tolerance = 1e-6L * stepInPi;
  const bool fractions = FractionOf(stepInPi, tolerance, kLabelDenominators).second != 0;
  return PiMultipleText(
      q, fractions ? FractionOf(std::fabs(q), tolerance, kLabelDenominators) : std::pair{0.0L, 0},
      DecimalLabel(static_cast<double>(std::fabs(q)), stepInPi));
}

std::string PiDisplayText(double value, double resolution) {
  if (value == 0) {
    return "0";
  }
  const long double q = static_cast<long double>(value) / kPi;
  const double resolutionInPi = resolution / kPi;
  return PiMultipleText(q, FractionOf(std::fabs(q), resolutionInPi / 2.0L, kReadoutDenominators),
                        DisplayNumberText(static_cast<double>(std::fabs(q)), resolutionInPi));
}

}  // namespace ondrix
