// GdiSurface against RasterSurface, pixel for pixel, into a DIB section.
#include "render/gdi_surface_win.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Every call hands back what GDI's does and leaves GDI's pixels (RasterSurface's are pinned).
TEST(GdiSurfaceFidelityTest, ProgramsGiveTheSamePixelsAsGdi) {
  for (const Program& program : Programs(true)) {
    DibCanvas canvas(program.width, program.height);
    WithoutText<RasterSurface> raster(program.width, program.height, 0);
    WithoutText<GdiSurface> gdi(canvas.Dc());
    for (std::size_t i = 0; i < program.calls.size(); ++i) {
      ASSERT_EQ(program.calls[i](gdi), program.calls[i](raster)) << "call " << i;
      GdiFlush();
      const bool compare = program.width <= 4096 || i + 1 == program.calls.size();
      ASSERT_TRUE(!compare || canvas.Pixels() == raster.Pixels())
          << program.width << 'x' << program.height << " call " << i;
    }
  }
}

// Text is dark on an opaque box of the background colour; the destructor unwinds the pens.
TEST(GdiSurfaceTest, TextOnTheBackgroundColourAndPensRestored) {
  DibCanvas canvas(200, 40);
  {
    GdiSurface surface(canvas.Dc());
    surface.FillRectangle(0, 0, 200, 40, 0x00FFFFFF);
    surface.SetBackgroundColor(0x0000FF00);
    surface.TextOut(3, 5, kGraphErrorText);
    surface.SelectPen(PenStyle::Dot, 0x000000FF);
    surface.SelectPen(PenStyle::Solid, 0x00FF0000);
  }
  GdiFlush();
  const std::vector<std::uint32_t> pixels = canvas.Pixels();  // text edges may be smoothed
  const auto dark =
      std::count_if(pixels.begin(), pixels.end(), [](auto p) { return !(p & 0xC0C0C0); });
  const auto background = std::count(pixels.begin(), pixels.end(), 0x0000FF00u);
  EXPECT_TRUE(dark > 20 && background > dark) << dark << ' ' << background;
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
}

}  // namespace
}  // namespace ondrix::test
