#include "render/raster_surface.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "render/trace_surface.h"
#include "surface_programs.h"

namespace ondrix::test {
namespace {

// A thousand programs (dash phases, crops, text, palette colours...) pinned, once GDI agreed, by
// a fingerprint of results, pixels and trace; a check digit a program names the first off.
TEST(RasterSurfaceTest, ProgramsKeepTheirPixelsAndTraces) {
  const std::string pinned =
      "5bd5c2855b1094457aa8157ca5217f16a2d742622248231241f9e80a8160e92dd6aec63a26ebf782627ab741a0f2"
      "52f1705c91a47107477aca4afdfb7f65448510cfc4b1bd4743e1b234c28b150eac893fc6016a0be6f84f46f584f0"
      "83023de1e6f8c730e1f30c526b639567a5827dab169264494cdceb379b2e2ad864327b30d8354388ad4082e5bf0b"
      "162afd88d023ac1a41df065d4b4015e3c16a07da5fde61e97888b8e8317e5325cd531a9d41188446e5cb72b96fab"
      "f67e933a3a15ed012af8b057743b4905664f0ec4e1b94ca9de67610d8c24a4ee9056b08392e3a0a672d19801c739"
      "12805783caab6671024a1016e1981c43becfa4c6861e524359708f8a9407b3f9049f60f540324d0ba01e86b649dd"
      "49d5c75250290f963d4ea4f3ad8803d521a585b85f67ba464eab66d9ebda3ef0c8025ba107cbab151e93500bf36f"
      "d457f23cb31162d444dcc3211782123e0cac8e9826bfccce3f796e2529b8710493913acc0473d05f7c70483f719a"
      "81724c3df7f10f91728600620b968f2c623195e439f59dba6d577fcf401700022f67e6ed554b4a819131e80d9286"
      "ef8ba3a45683709cc16e4fbae7102630a64e9c63db54812b46bdc94d00d9f73cc609ebf8b0798839ef77652bc1ed"
      "acec4341ee59c9506c408ee914c2b00fc7017476d7c9e16e5b6a364cd0b0ee4bcfe01b2feede35b545";
  const auto mix = [](std::uint64_t h, std::uint64_t w) { return (h ^ w) * 1099511628211u; };
  const std::vector<Program> programs = Programs(false);
  std::uint64_t fingerprint = 0;
  std::string digits, firstOff;
  for (std::size_t n = 0; n < programs.size(); ++n) {
    RasterSurface raster(programs[n].width, programs[n].height, 0);
    std::ostringstream trace;
    TraceSurface streamed(trace);  // as ondrix-render --trace writes it
    std::uint64_t hash = 0;
    for (const Call& call : programs[n].calls) {
      hash = mix(mix(hash, call(raster)), call(streamed));
      hash = std::accumulate(raster.Pixels().begin(), raster.Pixels().end(), hash, mix);
    }
    const std::string text = trace.str();
    hash = std::accumulate(text.begin(), text.end(), hash, mix);
    fingerprint = mix(fingerprint, hash);
    digits += "0123456789abcdef"[hash >> 60];
    if (firstOff.empty() && (n >= pinned.size() || digits.back() != pinned[n]))
      firstOff = "program " + std::to_string(n) + " is off its check digit; its calls:\n" + text;
  }
  EXPECT_EQ(fingerprint, 7577742268561958505u) << firstOff << "check digits now " << digits;
}

}  // namespace
}  // namespace ondrix::test
