// ParseValueTexts on twelve arbitrary 50-byte fields: every value finite and,
// for plain decimal texts, the C library's conversion; every text within its
// field, NUL-terminated and unchanged but for the "-p" rewrite.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/value_text.h"

namespace {

void Require(bool condition, const char* rule, int field) {
  if (!condition) {
    std::fprintf(stderr, "value texts: %s (field %d)\n", rule, field);
    std::abort();
  }
}

bool IsPi(char c) {
  return c == 'p' || c == 'P';
}

// What the C library makes of a text of blanks, signs, digits, points and
// exponents, with the renderer's range; false for any other text.
bool LibraryValue(const std::string& text, double& value) {
  std::string number = text;
  const bool pi = !number.empty() && IsPi(number.back());
  if (pi) {
    number.pop_back();
  }
  if (number.find_first_not_of(" \t\n\v\f\r+-.0123456789eE") != std::string::npos) {
    return false;
  }
  value = std::strtod(number.c_str(), nullptr) * (pi ? ondrix::kPi : 1.0);
  value = std::fmax(-DBL_MAX, std::fmin(DBL_MAX, value));
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ondrix::GraphSettings settings = ondrix::DefaultGraphSettings();
  std::memcpy(settings.valueTexts, data, std::min(size, sizeof settings.valueTexts));
  const ondrix::GraphSettings before = settings;
  ondrix::ParseValueTexts(settings);

  for (int i = 0; i < ondrix::kValueCount; ++i) {
    const char* text = settings.valueTexts[i];
    Require(std::isfinite(settings.values[i]), "a value is not finite", i);
    Require(std::memchr(text, '\0', ondrix::kValueTextSize) != nullptr, "no NUL", i);
    const std::string old(before.valueTexts[i], strnlen(before.valueTexts[i], 49));
    const bool rewritten = old.size() == 2 && old[0] == '-' && IsPi(old[1]);
    Require(text == (rewritten ? "-1p" : old), "the text changed", i);
    double expected = 0;
    if (!IsPi(text[0]) && LibraryValue(text, expected)) {
      Require(settings.values[i] == expected, "not the C library's value", i);
    }
  }
  Require(std::memcmp(&settings, &before, offsetof(ondrix::GraphSettings, values)) == 0,
          "fields before the values changed", -1);
  return 0;
}
