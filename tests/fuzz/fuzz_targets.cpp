// libFuzzer targets. ONDRIX_FUZZ_VALUE_TEXTS: 50-byte value texts parse to finite values and
// stay ended and unchanged but for the "-p" rewrite. Otherwise settings through DrawGraph on a
// checking surface, some with axis numbers, the fast walk lighting the plain walk's pixels;
// ONDRIX_FUZZ_BOUNDED: sizes up to the tool's largest, fast walk alone.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstring>
#include <string>

#include "checking_surface.h"
#include "model/value_text.h"

using namespace ondrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GraphSettings s = DefaultGraphSettings();
#ifdef ONDRIX_FUZZ_VALUE_TEXTS
  std::memcpy(s.valueTexts, data, std::min(size, sizeof s.valueTexts));
  const GraphSettings before = s;
  ParseValueTexts(s);
  for (int i = 0; i < kValueCount; ++i) {
    const std::string old(before.valueTexts[i], strnlen(before.valueTexts[i], kMaxValueTextLength));
    const bool rewritten = old.size() == 2 && old[0] == '-' && (old[1] | 0x20) == 'p';
    if (!std::isfinite(s.values[i]) || !std::memchr(s.valueTexts[i], 0, kValueTextSize) ||
        s.valueTexts[i] != (rewritten ? "-1p" : old)) {
      std::fprintf(stderr, "value texts: field %d not finite, not ended or changed\n", i);
      std::abort();
    }
  }
#else
  FuzzedDataProvider bytes(data, size);
  const std::int32_t width = bytes.ConsumeIntegralInRange(0, ONDRIX_FUZZ_MAX_SIDE);
  const std::int32_t height = bytes.ConsumeIntegralInRange(0, ONDRIX_FUZZ_MAX_SIDE);
  const auto flags = bytes.ConsumeIntegral<std::uint8_t>(),
             methods = bytes.ConsumeIntegral<std::uint8_t>();
  s.grid = flags & 1;
  s.sonar = flags >> 1 & 1;
  s.graphMethod = flags & 4 ? bytes.ConsumeIntegral<std::int32_t>() : kFunctionMethods[methods % 6];
  s.connectMethod =
      flags & 8 ? bytes.ConsumeIntegral<std::int32_t>() : CM_CONNECTED_DOTS + methods / 6 % 3;
  for (int i = 0; (flags & 16) && i < kColorCount; ++i)
    s.colors[i] = bytes.ConsumeBool() ? bytes.ConsumeIntegral<Color>() : s.colors[i];
  while (bytes.remaining_bytes() > 0) {
    const int index = bytes.ConsumeIntegralInRange(0, kValueCount - 1);
    SetValueText(s.valueTexts[index], bytes.ConsumeRandomLengthString(kMaxValueTextLength));
  }
  ParseValueTexts(s);
  const std::int32_t numberScale = flags & 32 ? 1 + (flags >> 6) : 0;
#ifdef ONDRIX_FUZZ_BOUNDED
  CheckingSurface fast(0, 0, 0);
  CheckedDraw(fast, s, width, height, false, 200, numberScale);
#else
  CheckingSurface fast(width, height, 4000000), plain(width, height, 4000000);
  if (CheckedDraw(fast, s, width, height, false, 50, numberScale) &&
      CheckedDraw(plain, s, width, height, true, 50, numberScale)) {
    const std::string difference = FirstDifference(fast.Pixels(), plain.Pixels(), plain.Width());
    Require(difference.empty(), ("the fast walk and the plain walk differ: " + difference).c_str());
  }
#endif
#endif
  return 0;
}
