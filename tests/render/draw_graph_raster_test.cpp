#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "draw_graph_test_support.h"
#include "model/evaluation.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"

namespace ondrix {
namespace {

using test::DistinctColorSettings;

constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;

RasterSurface Render(const GraphSettings& settings) {
  RasterSurface surface(kWidth, kHeight);
  DrawGraph(surface, 0, 0, kWidth, kHeight, settings);
  return surface;
}

int CountInColumn(const RasterSurface& surface, std::int32_t column, Color color) {
  int count = 0;
  for (std::int32_t row = 0; row < surface.Height(); ++row) {
    count += surface.PixelAt(column, row) == color;
  }
  return count;
}

TEST(DrawGraphRasterTest, UnconnectedSineHasOneCurvePixelInEveryColumn) {
  GraphSettings settings = DistinctColorSettings();
  settings.connectMethod = CM_UNCONNECTED_DOTS;
  const RasterSurface surface = Render(settings);
  // The points at the tick multiples come last and may cover a curve pixel.
  int covered = 0;
  for (std::int32_t column = 0; column < kWidth; ++column) {
    const int curve = CountInColumn(surface, column, settings.colors[PointConnection]);
    if (curve == 0 && CountInColumn(surface, column, settings.colors[Point]) == 1) {
      ++covered;
    } else {
      EXPECT_EQ(curve, 1) << column;
    }
  }
  EXPECT_LT(covered, 61);
}

// The gaps of the dotted grid lines take the settings' background colour,
// not the white that a fresh surface starts with.
TEST(DrawGraphRasterTest, GridGapsShowTheBackgroundColour) {
  GraphSettings settings = DefaultGraphSettings();
  settings.colors[Background] = 0x00C0FFEE;
  const RasterSurface surface = Render(settings);
  for (Color pixel : surface.Pixels()) {
    ASSERT_NE(pixel, 0x00FFFFFFu);
  }
  // The grid line at x = -20 ticks, between the horizontal ones of y = 4
  // and y = 3: three on, three off.
  const std::int32_t column = MapXToPixel(-20 * settings.values[XTickFrequency], 799, settings);
  for (std::int32_t row = 1; row < 75; ++row) {
    EXPECT_EQ(surface.PixelAt(column, row),
              row % 6 < 3 ? settings.colors[GridLine] : settings.colors[Background])
        << row;
  }
}

// Cotangent: the dashed lines at 0 (on the y axis) and at -pi, drawn by the
// point pass after everything else in their columns: 18 pixels on, 6 off,
// the gaps in the axis colour on the axis and in the background elsewhere.
// The last row is the end of each line, left out.
TEST(DrawGraphRasterTest, AsymptoteGapsKeepTheAxisVisible) {
  GraphSettings settings = DistinctColorSettings();
  settings.graphMethod = CM_COTANGENT;
  const RasterSurface surface = Render(settings);
  const std::int32_t axis = MapXToPixel(0.0, 799, settings);
  const std::int32_t minusPi = MapXToPixel(-12 * settings.values[XTickFrequency], 799, settings);
  ASSERT_EQ(axis, 320);
  for (std::int32_t row = 0; row < kHeight - 1; ++row) {
    const bool dash = row % 24 < 18;
    EXPECT_EQ(surface.PixelAt(axis, row), dash ? settings.colors[Asymptote] : settings.colors[Axis])
        << row;
    EXPECT_EQ(surface.PixelAt(minusPi, row),
              dash ? settings.colors[Asymptote] : settings.colors[Background])
        << row;
  }
}

// A tangent a billion times too steep: its lines run from far below to far
// above the surface and are cut before they reach it, yet near each zero of
// the tangent the curve still crosses every row.
TEST(DrawGraphRasterTest, SteepCurveStillCrossesTheSurface) {
  GraphSettings settings = DistinctColorSettings();
  settings.graphMethod = CM_TANGENT;
  settings.values[AModifier] = 1e9;
  settings.colors[Point] = settings.colors[PointConnection];
  const RasterSurface surface = Render(settings);
  // Zeros at -pi, 0, pi and 2 pi; those at -2 pi and 3 pi lie on the edges.
  for (int k = -1; k <= 2; ++k) {
    const std::int32_t center =
        MapXToPixel(k * 12 * settings.values[XTickFrequency], 799, settings);
    for (std::int32_t row = 0; row < kHeight; ++row) {
      bool crossed = false;
      for (std::int32_t column = center - 2; column <= center + 2; ++column) {
        if (column >= 0 && column < kWidth &&
            surface.PixelAt(column, row) == settings.colors[PointConnection]) {
          crossed = true;
        }
      }
      EXPECT_TRUE(crossed) << "k = " << k << ", row " << row;
    }
  }
}

// Nothing but the background outside the error line.
TEST(DrawGraphRasterTest, ErrorLineOnly) {
  GraphSettings settings = DistinctColorSettings();
  settings.values[MinimumY] = 10;
  const RasterSurface surface = Render(settings);
  const std::int32_t textWidth = 6 * 69;
  const std::int32_t textHeight = 10;
  int inked = 0;
  for (std::int32_t row = 0; row < kHeight; ++row) {
    for (std::int32_t column = 0; column < kWidth; ++column) {
      const Color pixel = surface.PixelAt(column, row);
      if (row < textHeight && column < textWidth) {
        inked += pixel == 0;
      } else {
        ASSERT_EQ(pixel, settings.colors[Background]) << column << ", " << row;
      }
    }
  }
  EXPECT_GT(inked, 100);
}

}  // namespace
}  // namespace ondrix
