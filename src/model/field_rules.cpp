#include "model/field_rules.h"

#include <cstring>
#include <utility>

#include "model/value_text.h"

namespace ondrix {

const char kRangeErrorCaption[] = "Range Error";

namespace {

double ParseOneText(const char (&text)[kValueTextSize]) {
  GraphSettings scratch = {};
  std::memcpy(scratch.valueTexts[0], text, kValueTextSize);
  ParseValueTexts(scratch);
  return scratch.values[0];
}

// Copies the text leaving out the minus signs that `drop` selects, given the
// index of each minus sign among all of them.
template <typename Drop>
void CopyWithoutMinus(const char (&from)[kValueTextSize], char (&to)[kValueTextSize], Drop drop) {
  std::memset(to, 0, kValueTextSize);
  const int length = ValueTextLength(from);
  int written = 0;
  int minusIndex = 0;
  for (int i = 0; i < length; ++i) {
    if (from[i] == '-' && drop(minusIndex++)) {
      continue;
    }
    to[written++] = from[i];
  }
}

void CorrectTickSpacing(GraphSettings& settings, int index) {
  char(&text)[kValueTextSize] = settings.valueTexts[index];
  double& value = settings.values[index];
  const bool negative = value < 0;
  if (negative) {
    value = 0 - value;
  }

  char candidate[kValueTextSize];
  CopyWithoutMinus(text, candidate, [](int) { return true; });
  if (ParseOneText(candidate) == value) {
    std::memcpy(text, candidate, kValueTextSize);
    return;
  }
  // Dropping every minus would turn an exponent's sign around ("1e-3" into
  // "1e3"); a negative text then loses only its sign, which in a negative
  // text is its first minus.
  if (negative) {
    CopyWithoutMinus(text, candidate, [](int minusIndex) { return minusIndex == 0; });
    if (ParseOneText(candidate) == value) {
      std::memcpy(text, candidate, kValueTextSize);
      return;
    }
  }
  // The text stays as typed, and so does what it means.
  value = ParseOneText(text);
}

}  // namespace

FieldVerdict JudgeFields(const GraphSettings& working) {
  const double* v = working.values;
  if (v[MinimumX] > v[MaximumX]) {
    return {FieldVerdictKind::AskSwap,
            "Your X Minimum is more than your X Maximum!  Do you want to swap the values.",
            MinimumX, MaximumX, -1};
  }
  if (v[MinimumY] > v[MaximumY]) {
    return {FieldVerdictKind::AskSwap,
            "Your Y Minimum is more than your Y Maximum!  Do you want to swap the values.",
            MinimumY, MaximumY, -1};
  }
  const bool xEqual = v[MinimumX] == v[MaximumX];
  if (xEqual || v[MinimumY] == v[MaximumY]) {
    return {FieldVerdictKind::RefuseEqual, "Your Minimum and Maximums CANNOT equal!", -1, -1,
            xEqual ? MinimumX : MinimumY};
  }
  if (!(v[XTickFrequency] > 0) || !(v[YTickFrequency] > 0)) {
    return {FieldVerdictKind::CorrectTicks,
            "Your Tick Ranges must be greater than zero.  Press [Ok] to correct this.", -1, -1, -1};
  }
  return {FieldVerdictKind::Apply, nullptr, -1, -1, -1};
}

void SwapRange(GraphSettings& settings, int minimum, int maximum) {
  std::swap(settings.values[minimum], settings.values[maximum]);
  std::swap(settings.valueTexts[minimum], settings.valueTexts[maximum]);
}

void CorrectTickSpacings(GraphSettings& settings) {
  CorrectTickSpacing(settings, XTickFrequency);
  CorrectTickSpacing(settings, YTickFrequency);
}

int TickFieldToMend(const GraphSettings& settings) {
  // The renderer steps by the tick spacing; a zero one is never applied.
  if (!(settings.values[XTickFrequency] > 0)) {
    return XTickFrequency;
  }
  if (!(settings.values[YTickFrequency] > 0)) {
    return YTickFrequency;
  }
  return -1;
}

std::string WithPiSuffix(std::string_view field) {
  return std::string(field.substr(0, kMaxValueTextLength - 1)) + "p";
}

}  // namespace ondrix
