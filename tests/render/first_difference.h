// Images compared so that a failure names the pixel: rows of COLORREFs 0x00BBGGRR.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ondrix {

// "" when the images match, else the first pixel that differs or the sizes.
inline std::string FirstDifference(const std::vector<std::uint32_t>& got,
                                   const std::vector<std::uint32_t>& expected, std::size_t width) {
  const std::size_t at =
      std::mismatch(got.begin(), got.end(), expected.begin()).first - got.begin();
  char text[96] = "";
  if (got.size() != expected.size())
    std::snprintf(text, sizeof text, "%zu pixels, not %zu", got.size(), expected.size());
  else if (at < got.size())
    std::snprintf(text, sizeof text, "pixel (%zu, %zu) is 0x%06X, not 0x%06X", at % width,
                  at / width, got[at], expected[at]);
  return text;
}

}  // namespace ondrix
