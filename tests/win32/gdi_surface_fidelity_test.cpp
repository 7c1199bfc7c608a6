// GdiSurface against RasterSurface, pixel for pixel, into a DIB section.
#include "render/gdi_surface_win.h"

#include <gtest/gtest.h>

#include "../render/surface_programs.h"
#include "render/raster_surface.h"
#include "window_test_win.h"

namespace ondrix::test {
namespace {

// GDI has no built-in font: text is left out on both sides.
template <typename Base>
struct WithoutText : Base {
  using Base::Base;
  void TextOut(std::int32_t, std::int32_t, std::string_view) override {}
};

// Every call hands back what GDI's does and leaves GDI's pixels.
TEST(GdiSurfaceFidelityTest, ProgramsGiveTheSamePixelsAsGdi) {
  for (const Program& program : Programs(true)) {
    DibCanvas canvas(program.width, program.height);
    WithoutText<RasterSurface> raster(program.width, program.height, 0);
    WithoutText<GdiSurface> gdi(canvas.Dc());
    for (std::size_t i = 0; i < program.calls.size(); ++i) {
      ASSERT_EQ(program.calls[i](gdi), program.calls[i](raster)) << "call " << i;
      GdiFlush();
      const bool compare = program.width <= 4096 || i + 1 == program.calls.size();
      ASSERT_EQ(compare ? FirstDifference(canvas.Pixels(), raster.Pixels(), program.width) : "", "")
          << program.width << 'x' << program.height << " call " << i << ": GDI's, not the raster's";
    }
  }
}

}  // namespace
}  // namespace ondrix::test
