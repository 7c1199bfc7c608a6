#include "render/raster_surface.h"

#include <gtest/gtest.h>

#include "render/trace_surface.h"
#include "surface_programs.h"

namespace ondrix::test {
namespace {

// Taken from both surfaces once the Win32 tests had matched GDI's pixels.
TEST(RasterSurfaceTest, ProgramsGiveTheirPixelsAndTraces) {
  std::uint64_t pixels = 0, lines = 0;
  const auto mix = [](std::uint64_t& h, std::uint64_t w) { h = (h ^ w) * 1099511628211u; };
  for (const Program& program : Programs(false)) {
    RasterSurface raster(program.width, program.height, 0);
    TraceSurface trace;
    for (const Call& call : program.calls) {
      mix(pixels, call(raster));
      mix(lines, call(trace));
      for (std::int32_t y = 0; y < program.height; ++y) {
        for (std::int32_t x = 0; x < program.width; ++x) {
          mix(pixels, raster.PixelAt(x, y));
        }
      }
    }
    for (const char c : trace.Text()) {
      mix(lines, static_cast<unsigned char>(c));
    }
  }
  EXPECT_EQ(pixels, 3962314754643500083u);
  EXPECT_EQ(lines, 3587655322043545873u);
}

}  // namespace
}  // namespace ondrix::test
