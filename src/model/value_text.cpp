#include "model/value_text.h"

#include <cfloat>
#include <charconv>
#include <cstring>
#include <string>

namespace ondrix {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsPiSuffix(char c) {
  return c == 'p' || c == 'P';
}

// Exponents beyond this overflow or underflow whatever the 49-character
// mantissa says, so larger ones need not be counted exactly.
constexpr long kExponentCap = 1000000;

}  // namespace

double ConvertDecimalText(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }

  std::string mantissa;
  int digitCount = 0;
  int integerDigits = 0;
  bool seenPoint = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (IsDigit(c)) {
      mantissa += c;
      ++digitCount;
      if (!seenPoint) {
        ++integerDigits;
      }
    } else if (c == '.' && !seenPoint) {
      mantissa += c;
      seenPoint = true;
    } else {
      break;
    }
  }
  if (digitCount == 0) {
    return 0.0;
  }

  long exponent = 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t e = at + 1;
    bool negativeExponent = false;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
      negativeExponent = text[e] == '-';
      ++e;
    }
    if (e < text.size() && IsDigit(text[e])) {
      for (; e < text.size() && IsDigit(text[e]); ++e) {
        if (exponent < kExponentCap) {
          exponent = exponent * 10 + (text[e] - '0');
        }
      }
      if (negativeExponent) {
        exponent = -exponent;
      }
    }
  }

  const std::string canonical = mantissa + "e" + std::to_string(exponent);
  double magnitude = 0.0;
  const auto result =
      std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    // Decimal order of the first non-zero digit tells overflow from underflow.
    long order = 0;
    int digitIndex = 0;
    bool nonZero = false;
    for (char c : mantissa) {
      if (c == '.') {
        continue;
      }
      if (c != '0') {
        order = (integerDigits - 1 - digitIndex) + exponent;
        nonZero = true;
        break;
      }
      ++digitIndex;
    }
    magnitude = (nonZero && order >= 0) ? DBL_MAX : 0.0;
  } else if (result.ec != std::errc()) {
    magnitude = 0.0;
  }
  return negative ? -magnitude : magnitude;
}

std::size_t BoundedLength(const char* text, std::size_t size) {
  std::size_t length = 0;
  while (length < size && text[length] != '\0') {
    ++length;
  }
  return length;
}

int ValueTextLength(const char (&text)[kValueTextSize]) {
  return static_cast<int>(BoundedLength(text, kMaxValueTextLength));
}

void SetValueText(char (&text)[kValueTextSize], std::string_view value) {
  const std::size_t length = value.size() < static_cast<std::size_t>(kMaxValueTextLength)
                                 ? value.size()
                                 : kMaxValueTextLength;
  std::memset(text, 0, sizeof text);
  std::memcpy(text, value.data(), length);
}

void ParseValueTexts(GraphSettings& settings) {
  for (int i = 0; i < kValueCount; ++i) {
    char(&text)[kValueTextSize] = settings.valueTexts[i];
    // A damaged record may lack its NUL; the text never runs past its field.
    text[kMaxValueTextLength] = '\0';
    int length = ValueTextLength(text);

    const bool piSuffix = length >= 1 && IsPiSuffix(text[length - 1]);
    const double multiplier = piSuffix ? kPi : 1.0;
    if (piSuffix && length == 2 && text[0] == '-') {
      SetValueText(text, "-1p");
      length = 3;
    }
    if (length >= 1 && IsPiSuffix(text[0])) {
      settings.values[i] = kPi;
    } else {
      const double value = ConvertDecimalText(std::string_view(text, length)) * multiplier;
      // The largest double times pi leaves the range; values stay finite.
      settings.values[i] = value > DBL_MAX ? DBL_MAX : (value < -DBL_MAX ? -DBL_MAX : value);
    }
  }
}

}  // namespace ondrix
