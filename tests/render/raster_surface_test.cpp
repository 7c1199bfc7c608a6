#include "render/raster_surface.h"

#include <gtest/gtest.h>

#include "surface_programs.h"

namespace ondrix::test {
namespace {

// The same fingerprints are checked against GDI in the Win32 tests.
TEST(RasterSurfaceTest, FixedProgramsGiveTheirPixels) {
  ASSERT_EQ(FixedPrograms().size(), 66u);
  for (const FixedProgram& program : FixedPrograms()) {
    RasterSurface surface(program.width, program.height, 0);
    std::string results;
    for (const Op& op : program.program) {
      results += Apply(surface, op) + ';';
    }
    const auto pixel = [&surface](std::int32_t x, std::int32_t y) { return surface.PixelAt(x, y); };
    EXPECT_EQ(Fingerprint(results, program.width, program.height, pixel), program.expected)
        << program.name;
  }
}

}  // namespace
}  // namespace ondrix::test
