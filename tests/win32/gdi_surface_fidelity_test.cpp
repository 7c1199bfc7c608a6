// GdiSurface against RasterSurface, pixel for pixel, into a DIB section.
#include "render/gdi_surface_win.h"

#include <gtest/gtest.h>

#include "../render/surface_programs.h"
#include "dib_canvas_win.h"
#include "render/raster_surface.h"

namespace ondrix::test {
namespace {

// GDI has no built-in font: text is left out on both sides.
template <typename Base>
struct WithoutText : Base {
  using Base::Base;
  void TextOut(std::int32_t, std::int32_t, std::string_view) override {}
};

// RasterSurface's pixels are pinned natively; here every call must hand back
// what GDI's does and leave the same pixels.
TEST(GdiSurfaceFidelityTest, ProgramsGiveTheSamePixelsAsGdi) {
  for (const Program& program : Programs(true)) {
    DibCanvas canvas(program.width, program.height);
    WithoutText<RasterSurface> raster(program.width, program.height, 0);
    WithoutText<GdiSurface> gdi(canvas.Dc());
    for (std::size_t i = 0; i < program.calls.size(); ++i) {
      ASSERT_EQ(program.calls[i](gdi), program.calls[i](raster)) << "call " << i;
      GdiFlush();
      const bool compare = program.width <= 4096 || i + 1 == program.calls.size();
      for (std::int32_t p = 0; compare && p < program.width * program.height; ++p) {
        const std::int32_t x = p % program.width, y = p / program.width;
        ASSERT_EQ(canvas.PixelAt(x, y), raster.PixelAt(x, y))
            << program.width << 'x' << program.height << " call " << i << " at " << x << ',' << y;
      }
    }
  }
}

// More rounds than a process may hold GDI objects, so that a leaked pen or brush
// shows in the last fill; the destructor unwinds the pens still selected.
TEST(GdiSurfaceTest, TextIsDarkOnTheBackgroundAndPensAreRestoredAndDeleted) {
  constexpr Color kFill = 0x00345678;
  DibCanvas canvas(200, 40);
  const HGDIOBJ original = GetCurrentObject(canvas.Dc(), OBJ_PEN);
  {
    GdiSurface surface(canvas.Dc());
    for (int i = 0; i < 70000; ++i) {
      surface.SelectPen(PenStyle::Dash, static_cast<Color>(i));
      surface.FillRectangle(0, 0, 2, 2, static_cast<Color>(i));
      surface.RestorePen();
    }
    surface.FillRectangle(0, 0, 200, 40, kFill);
    surface.SetBackgroundColor(0x0000FF00);
    surface.TextOut(3, 5, kGraphErrorText);
    surface.SelectPen(PenStyle::Dot, 0x000000FF);
    surface.SelectPen(PenStyle::Solid, 0x00FF0000);
  }
  SIZE extent{};
  GetTextExtentPoint32A(canvas.Dc(), kGraphErrorText, lstrlenA(kGraphErrorText), &extent);
  GdiFlush();
  int stray = 0, dark = 0, background = 0;
  for (std::int32_t p = 0; p < 200 * 40; ++p) {
    const std::int32_t x = p % 200, y = p / 200;
    const Color color = canvas.PixelAt(x, y);
    const bool inside = x >= 3 && x < 3 + extent.cx && y >= 5 && y < 5 + extent.cy;
    stray += !inside && color != kFill;
    dark += inside && (color & 0x00C0C0C0) == 0;  // edges may be smoothed
    background += inside && color == 0x0000FF00;
  }
  EXPECT_TRUE(stray == 0 && dark > 20 && background > dark) << stray << ' ' << dark;
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), original);
}

}  // namespace
}  // namespace ondrix::test
