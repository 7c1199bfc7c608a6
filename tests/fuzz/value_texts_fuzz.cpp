// ParseValueTexts on twelve arbitrary 50-byte fields: every value finite,
// every text NUL-terminated within its field and unchanged but for the "-p"
// rewrite.
#include <algorithm>
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
    const bool rewritten = old.size() == 2 && old[0] == '-' && (old[1] | 0x20) == 'p';
    if (!std::isfinite(settings.values[i]) ||
        !std::memchr(settings.valueTexts[i], 0, kValueTextSize) ||
        settings.valueTexts[i] != (rewritten ? "-1p" : old)) {
      std::fprintf(stderr, "value texts: field %d not finite, not ended or changed\n", i);
      std::abort();
    }
  }
  return 0;
}
