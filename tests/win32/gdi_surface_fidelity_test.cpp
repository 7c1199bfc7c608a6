// GdiSurface against RasterSurface: the same calls through real GDI into a
// 32-bit DIB section must give the same pixels.
#include "render/gdi_surface_win.h"

#include <gtest/gtest.h>

#include <cstring>

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

// The native tests pin RasterSurface's pixels on these programs; here every
// call must hand back what GDI's does and leave the same pixels.
TEST(GdiSurfaceFidelityTest, ProgramsGiveTheSamePixelsAsGdi) {
  long long inked = 0, pixels = 0;
  for (const Program& program : Programs()) {
    DibCanvas canvas(program.width, program.height);
    ASSERT_TRUE(canvas.Ready());
    WithoutText<RasterSurface> raster(program.width, program.height, 0);
    WithoutText<GdiSurface> gdi(canvas.Dc());
    const bool small = program.width <= 4096, random = program.calls.size() > 1;
    for (std::size_t i = 0; i < program.calls.size(); ++i) {
      ASSERT_EQ(program.calls[i](gdi), program.calls[i](raster)) << "call " << i;
      const bool last = i + 1 == program.calls.size();
      GdiFlush();
      for (std::int32_t y = 0; y < program.height && (small || last); ++y) {
        for (std::int32_t x = 0; x < program.width; ++x) {
          ASSERT_EQ(canvas.PixelAt(x, y), raster.PixelAt(x, y))
              << program.width << 'x' << program.height << ", call " << i << ", pixel " << x << ','
              << y;
          inked += small && random && last && raster.PixelAt(x, y) != 0 ? 1 : 0;
        }
      }
    }
    pixels += small && random ? program.width * program.height : 0;
  }
  // The random programs must draw, or equal pixels would prove nothing.
  EXPECT_GT(inked, pixels / 10);
}

// Each restored pen is deleted, and the destructor unwinds what is still
// selected; more rounds than a process may hold GDI objects show a leaked
// pen or brush by a rectangle that misses its colour.
TEST(GdiSurfaceTest, PensAreRestoredAsAStackAndNothingLeaks) {
  DibCanvas canvas(2, 2);
  ASSERT_TRUE(canvas.Ready());
  const HDC dc = canvas.Dc();
  const HGDIOBJ original = GetCurrentObject(dc, OBJ_PEN);
  HGDIOBJ dotted = nullptr;
  {
    GdiSurface surface(dc);
    surface.SelectPen(PenStyle::Dot, 0x000000FF);
    dotted = GetCurrentObject(dc, OBJ_PEN);
    surface.SelectPen(PenStyle::Dash, 0x00FF0000);
    const HGDIOBJ dashed = GetCurrentObject(dc, OBJ_PEN);
    surface.RestorePen();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), dotted);
    EXPECT_EQ(GetObjectType(dashed), 0u);
    for (int i = 0; i < 70000; ++i) {
      surface.SelectPen(PenStyle::Dot, static_cast<Color>(i));
      surface.FillRectangle(0, 0, 2, 2, static_cast<Color>(i));
      surface.RestorePen();
    }
    surface.FillRectangle(0, 0, 2, 2, 0x00345678);
    GdiFlush();
    EXPECT_EQ(canvas.PixelAt(1, 1), 0x00345678u);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), original);
  EXPECT_EQ(GetObjectType(dotted), 0u);
}

TEST(GdiSurfaceTest, TextIsDarkOnTheBackgroundColourWithinItsExtent) {
  DibCanvas canvas(200, 40);
  ASSERT_TRUE(canvas.Ready());
  GdiSurface surface(canvas.Dc());
  surface.SetBackgroundColor(0x0000FF00);
  surface.TextOut(3, 5, kGraphErrorText);
  SIZE extent{};
  GetTextExtentPoint32A(canvas.Dc(), kGraphErrorText, std::strlen(kGraphErrorText), &extent);
  GdiFlush();
  long dark = 0, background = 0;
  for (std::int32_t y = 0; y < 40; ++y) {
    for (std::int32_t x = 0; x < 200; ++x) {
      const Color color = canvas.PixelAt(x, y);
      const bool inside = x >= 3 && x < 3 + extent.cx && y >= 5 && y < 5 + extent.cy;
      EXPECT_TRUE(inside || color == 0) << x << ',' << y;
      // Glyph edges may be smoothed, so "dark" rather than black.
      dark += inside && (color & 0x00C0C0C0) == 0 ? 1 : 0;
      background += inside && color == 0x0000FF00 ? 1 : 0;
    }
  }
  EXPECT_GT(dark, 20);
  EXPECT_GT(background, dark);
}

}  // namespace
}  // namespace ondrix::test
