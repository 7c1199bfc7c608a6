// Arbitrary settings through DrawGraph on a checking surface; the fast walk
// lights the plain walk's pixels. ONDRIX_FUZZ_BOUNDED: sizes up to the tool's
// largest, whose plain walk is far too long, drawn by the fast walk alone.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>

#include "checking_surface.h"
#include "model/value_text.h"

using namespace ondrix;

// Sizes, switches, methods (now and then a damaged one), some colours, a
// function name without its NUL, then texts for values picked by index.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider bytes(data, size);
  GraphSettings s = DefaultGraphSettings();
  const std::int32_t maxSide = ONDRIX_FUZZ_MAX_SIDE;
  const std::int32_t width = bytes.ConsumeIntegralInRange<std::int32_t>(0, maxSide);
  const std::int32_t height = bytes.ConsumeIntegralInRange<std::int32_t>(0, maxSide);
  const auto flags = bytes.ConsumeIntegral<std::uint8_t>();
  s.grid = flags & 1;
  s.sonar = (flags >> 1) & 1;
  const auto methods = bytes.ConsumeIntegral<std::uint8_t>();
  const std::int32_t connections[] = {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION};
  s.graphMethod = flags & 4 ? bytes.ConsumeIntegral<std::int32_t>() : kFunctionMethods[methods % 6];
  s.connectMethod =
      flags & 8 ? bytes.ConsumeIntegral<std::int32_t>() : connections[methods / 6 % 3];
  for (int i = 0; i < kColorCount; ++i) {
    if ((flags & 16) && bytes.ConsumeBool()) {
      s.colors[i] = bytes.ConsumeIntegral<Color>();
    }
  }
  if (flags & 32) {
    std::memset(s.functionName, 'F', sizeof s.functionName);
  }
  while (bytes.remaining_bytes() > 0) {
    const int index = bytes.ConsumeIntegralInRange(0, kValueCount - 1);
    SetValueText(s.valueTexts[index], bytes.ConsumeRandomLengthString(kMaxValueTextLength));
  }
  ParseValueTexts(s);
#ifdef ONDRIX_FUZZ_BOUNDED
  CheckingSurface fast(0, 0, 0);
  CheckedDraw(fast, s, width, height, false, 200);
#else
  CheckingSurface fast(width, height, 4000000), plain(width, height, 4000000);
  if (CheckedDraw(fast, s, width, height, false, 50) &&
      CheckedDraw(plain, s, width, height, true, 50)) {
    Require(fast.Pixels() == plain.Pixels(), "the fast walk and the plain walk differ");
  }
#endif
  return 0;
}
