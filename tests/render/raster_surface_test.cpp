#include "render/raster_surface.h"

#include <gtest/gtest.h>

#include "render/trace_surface.h"
#include "surface_programs.h"

namespace ondrix::test {
namespace {

// Taken from RasterSurface and TraceSurface once the Win32 tests had matched
// these pixels with GDI's.
TEST(RasterSurfaceTest, ProgramsGiveTheirPixelsAndTraces) {
  std::uint64_t pixels = 0, lines = 0;
  for (const Program& program : Programs()) {
    RasterSurface raster(program.width, program.height, 0);
    TraceSurface trace;
    for (const Call& call : program.calls) {
      Mix(pixels, call(raster));
      Mix(lines, call(trace));
    }
    for (std::int32_t y = 0; y < program.height; ++y) {
      for (std::int32_t x = 0; x < program.width; ++x) {
        Mix(pixels, raster.PixelAt(x, y));
      }
    }
    for (const char c : trace.Text()) {
      Mix(lines, static_cast<unsigned char>(c));
    }
  }
  EXPECT_EQ(pixels, 6155933467386911553u);
  EXPECT_EQ(lines, 1272825851565336557u);
}

}  // namespace
}  // namespace ondrix::test
