#include "render/raster_surface.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "render/trace_surface.h"
#include "surface_programs.h"

namespace ondrix::test {

// Pinned after the Win32 tests matched GDI; streamed, as DrawGraph's tests read the kept trace.
TEST(RasterSurfaceTest, ProgramsGiveTheirPixelsAndTraces) {
  const auto mix = [](std::uint64_t h, std::uint64_t w) { return (h ^ w) * 1099511628211u; };
  std::uint64_t hash = 0;
  std::ostringstream trace;
  for (const Program& program : Programs(false)) {
    RasterSurface raster(program.width, program.height, 0);
    TraceSurface streamed(trace);
    for (const Call& call : program.calls) {
      hash = mix(mix(hash, call(raster)), call(streamed));
      hash = std::accumulate(raster.Pixels().begin(), raster.Pixels().end(), hash, mix);
    }
  }
  const std::string text = trace.str();
  EXPECT_EQ(std::accumulate(text.begin(), text.end(), hash, mix), 15690349895371507629u);
}

}  // namespace ondrix::test
