// ParseValueTexts on twelve arbitrary 50-byte fields: every value finite and,
// for plain decimal texts, the C library's conversion; every text within its
// field, NUL-terminated and unchanged but for the "-p" rewrite.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/value_text.h"

using namespace ondrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GraphSettings settings = DefaultGraphSettings();
  std::memcpy(settings.valueTexts, data, std::min(size, sizeof settings.valueTexts));
  const GraphSettings before = settings;
  ParseValueTexts(settings);
  for (int i = 0; i < kValueCount; ++i) {
    const std::string old(before.valueTexts[i], strnlen(before.valueTexts[i], kMaxValueTextLength));
    const bool pi = !old.empty() && (old.back() | 0x20) == 'p';
    const std::string number = old.substr(0, old.size() - pi);
    const bool decimal = number.find_first_not_of(" \t\n\v\f\r+-.0123456789eE") == number.npos;
    const double library = std::strtod(number.c_str(), nullptr) * (pi ? kPi : 1.0);
    const char* rule =
        !std::isfinite(settings.values[i])                        ? "a value not finite"
        : !std::memchr(settings.valueTexts[i], 0, kValueTextSize) ? "no NUL"
        : settings.valueTexts[i] != (old.size() == 2 && old[0] == '-' && pi ? "-1p" : old)
            ? "the text changed"
        : decimal && (old[0] | 0x20) != 'p' &&
                settings.values[i] != std::fmax(-DBL_MAX, std::fmin(DBL_MAX, library))
            ? "not the C library's value"
            : nullptr;
    if (rule != nullptr) {
      std::fprintf(stderr, "value texts: %s (field %d)\n", rule, i);
      std::abort();
    }
  }
  return 0;
}
