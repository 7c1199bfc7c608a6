#include "render/raster_surface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "render/bitmap_font.h"

namespace ondrix {
namespace {

constexpr Color kPaper = 0x00FFFFFF;
constexpr Color kInk = 0x000000FF;
constexpr Color kGap = 0x0000FF00;
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

using Pixel = std::pair<std::int32_t, std::int32_t>;

// '#' ink, 'o' gap colour, '.' untouched paper, '?' anything else.
std::vector<std::string> Picture(const RasterSurface& surface) {
  std::vector<std::string> rows;
  for (std::int32_t y = 0; y < surface.Height(); ++y) {
    std::string row;
    for (std::int32_t x = 0; x < surface.Width(); ++x) {
      const Color color = surface.PixelAt(x, y);
      row += color == kInk ? '#' : color == kGap ? 'o' : color == kPaper ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

std::set<Pixel> PixelsWhere(const RasterSurface& surface, const std::function<bool(Color)>& keep) {
  std::set<Pixel> pixels;
  for (std::int32_t y = 0; y < surface.Height(); ++y) {
    for (std::int32_t x = 0; x < surface.Width(); ++x) {
      if (keep(surface.PixelAt(x, y))) {
        pixels.insert({x, y});
      }
    }
  }
  return pixels;
}

std::set<Pixel> InkedPixels(const RasterSurface& surface) {
  return PixelsWhere(surface, [](Color color) { return color != kPaper; });
}

// MoveTo the first point, LineTo each of the others.
void DrawPolyline(Surface& surface, const std::vector<SurfacePoint>& points) {
  surface.MoveTo(points.front().x, points.front().y);
  for (std::size_t i = 1; i < points.size(); ++i) {
    surface.LineTo(points[i].x, points[i].y);
  }
}

struct SolidLineCase {
  const char* name;
  std::vector<SurfacePoint> points;
  std::set<Pixel> expected;
};

TEST(RasterSurfaceTest, SolidLinesLightTheBresenhamPixelsWithoutTheEndPoint) {
  // Ties (the ideal line halfway between two pixels) go to the smaller minor
  // coordinate in every octant, whatever the drawing direction. Worked out by
  // hand, these check the reference walk that the random lines below follow.
  const SolidLineCase cases[] = {
      {"octant 1", {{1, 1}, {5, 3}}, {{1, 1}, {2, 1}, {3, 2}, {4, 2}}},
      {"octant 2", {{1, 1}, {3, 5}}, {{1, 1}, {1, 2}, {2, 3}, {2, 4}}},
      {"octant 3", {{3, 1}, {1, 5}}, {{3, 1}, {2, 2}, {2, 3}, {1, 4}}},
      {"octant 4", {{5, 1}, {1, 3}}, {{5, 1}, {4, 1}, {3, 2}, {2, 2}}},
      {"octant 5", {{5, 3}, {1, 1}}, {{5, 3}, {4, 2}, {3, 2}, {2, 1}}},
      {"octant 6", {{3, 5}, {1, 1}}, {{3, 5}, {2, 4}, {2, 3}, {1, 2}}},
      {"octant 7", {{1, 5}, {3, 1}}, {{1, 5}, {1, 4}, {2, 3}, {2, 2}}},
      {"octant 8", {{1, 3}, {5, 1}}, {{1, 3}, {2, 2}, {3, 2}, {4, 1}}},
      {"zero length", {{3, 3}, {3, 3}}, {}},
      {"polyline draws each vertex once",
       {{1, 1}, {4, 1}, {4, 4}, {1, 1}},
       {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}, {4, 4}, {3, 3}, {2, 2}}},
  };
  for (const SolidLineCase& c : cases) {
    RasterSurface surface(8, 8, kPaper);
    surface.SelectPen(PenStyle::Solid, kInk);
    DrawPolyline(surface, c.points);
    EXPECT_EQ(InkedPixels(surface), c.expected) << c.name;
  }
}

struct PatternCase {
  const char* name;
  PenStyle style;
  std::int32_t width;
  std::int32_t height;
  std::vector<SurfacePoint> points;
  std::vector<std::string> expected;
};

// Draws each case on its own surface with the gap colour as background.
void ExpectPictures(const std::vector<PatternCase>& cases) {
  for (const PatternCase& c : cases) {
    RasterSurface surface(c.width, c.height, kPaper);
    surface.SetBackgroundColor(kGap);
    surface.SelectPen(c.style, kInk);
    DrawPolyline(surface, c.points);
    EXPECT_EQ(Picture(surface), c.expected) << c.name;
  }
}

TEST(RasterSurfaceTest, DotAndDashPatternsRestartOnEveryLineAndPaintGapsInTheBackground) {
  ExpectPictures({
      {"dot, 3 on 3 off", PenStyle::Dot, 16, 1, {{0, 0}, {14, 0}}, {"###ooo###ooo##.."}},
      {"dot starts at the start point going left",
       PenStyle::Dot,
       16,
       1,
       {{13, 0}, {0, 0}},
       {".#ooo###ooo###.."}},
      {"dash, 18 on 6 off",
       PenStyle::Dash,
       32,
       1,
       {{0, 0}, {30, 0}},
       {"##################oooooo######.."}},
      {"pattern restarts on every LineTo",
       PenStyle::Dot,
       12,
       1,
       {{0, 0}, {4, 0}, {8, 0}, {11, 0}},
       {"###o###o###."}},
      {"dot counts steps along the major axis",
       PenStyle::Dot,
       9,
       5,
       {{0, 0}, {8, 4}},
       {"##.......", "..#o.....", "....oo...", "......##.", "........."}},
  });
}

TEST(RasterSurfaceTest, GapsTakeTheBackgroundColourCurrentAtEachLineTo) {
  constexpr Color kOtherGap = 0x00123456;
  RasterSurface surface(6, 2, 0x00808080);
  surface.SelectPen(PenStyle::Dot, kInk);
  surface.MoveTo(0, 0);
  surface.LineTo(6, 0);
  EXPECT_EQ(surface.SetBackgroundColor(kOtherGap), 0x00FFFFFFu);
  surface.MoveTo(0, 1);
  surface.LineTo(6, 1);
  const std::vector<Color> expected = {
      kInk, kInk, kInk, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF,
      kInk, kInk, kInk, kOtherGap,  kOtherGap,  kOtherGap,
  };
  EXPECT_EQ(surface.Pixels(), expected);
}

TEST(RasterSurfaceTest, PensAreRestoredAsAStack) {
  RasterSurface surface(4, 4, kPaper);
  surface.SetBackgroundColor(kGap);
  surface.SelectPen(PenStyle::Dot, kInk);
  surface.SelectPen(PenStyle::Solid, 0x00FF0000);
  surface.RestorePen();
  surface.MoveTo(0, 0);
  surface.LineTo(4, 0);
  surface.RestorePen();
  surface.MoveTo(0, 1);
  surface.LineTo(4, 1);
  // One restore too many keeps the DC's own black pen.
  surface.RestorePen();
  surface.MoveTo(0, 2);
  surface.LineTo(4, 2);
  EXPECT_EQ(Picture(surface), (std::vector<std::string>{"###o", "????", "????", "...."}));
  EXPECT_EQ(surface.PixelAt(0, 1), 0x00000000u);
  EXPECT_EQ(surface.PixelAt(3, 2), 0x00000000u);
}

struct RectangleCase {
  const char* name;
  std::int32_t left, top, right, bottom;
  std::vector<std::string> expected;
};

TEST(RasterSurfaceTest, FillRectanglePaintsRightAndBottomExclusiveExceptOneByOne) {
  const RectangleCase cases[] = {
      {"plain", 1, 1, 4, 3, {"......", ".###..", ".###..", "......"}},
      {"corners swapped", 4, 3, 1, 1, {"......", ".###..", ".###..", "......"}},
      {"rows swapped", 1, 3, 4, 1, {"......", ".###..", ".###..", "......"}},
      {"one by one draws nothing", 1, 1, 2, 2, {"......", "......", "......", "......"}},
      {"zero width", 2, 0, 2, 4, {"......", "......", "......", "......"}},
      {"zero height", 0, 2, 6, 2, {"......", "......", "......", "......"}},
      {"one wide", 1, 0, 2, 3, {".#....", ".#....", ".#....", "......"}},
      {"one high", 2, 3, 6, 2, {"......", "......", "..####", "......"}},
      {"clipped", -5, -5, 2, 2, {"##....", "##....", "......", "......"}},
      {"clipped to one pixel", 5, 3, 100, 100, {"......", "......", "......", ".....#"}},
      {"right of the surface", 7, 0, 9, 4, {"......", "......", "......", "......"}},
      {"left of the surface", -9, 0, -2, 4, {"......", "......", "......", "......"}},
      {"above the surface", 0, -3, 6, -1, {"......", "......", "......", "......"}},
      {"below the surface", 0, 5, 6, 7, {"......", "......", "......", "......"}},
      {"far off", 3000000, -3000000, 3000100, -2999000, {"......", "......", "......", "......"}},
      {"whole int32 range",
       kIntMin,
       kIntMin,
       kIntMax,
       kIntMax,
       {"######", "######", "######", "######"}},
  };
  for (const RectangleCase& c : cases) {
    RasterSurface surface(6, 4, kPaper);
    surface.FillRectangle(c.left, c.top, c.right, c.bottom, kInk);
    EXPECT_EQ(Picture(surface), c.expected) << c.name;
  }
}

TEST(RasterSurfaceTest, SetPixelPaintsOnlyInsideTheSurface) {
  RasterSurface surface(3, 2, kPaper);
  const SurfacePoint points[] = {{0, 0},       {2, 1},       {-1, 0},
                                 {3, 0},       {0, 2},       {0, -1},
                                 {kIntMax, 0}, {0, kIntMin}, {kIntMin, kIntMax}};
  for (const SurfacePoint point : points) {
    surface.SetPixel(point.x, point.y, kInk);
  }
  EXPECT_EQ(Picture(surface), (std::vector<std::string>{"#..", "..#"}));
}

TEST(RasterSurfaceTest, ColoursAreStoredAsA32BitDibStoresThem) {
  struct ColourCase {
    Color given;
    Color stored;
  };
  const ColourCase cases[] = {
      {0x00123456, 0x00123456}, {0x02123456, 0x00123456},  // PALETTERGB: the RGB bytes
      {0x0100000D, 0x000000FF},  // PALETTEINDEX(13): red in the default palette
      {0x01000009, 0x00F0CAA6},  // PALETTEINDEX(9): sky blue
      {0x01000014, 0x00000000},  // past the 20 entries: entry 0
      {0xFF123456, 0x00000000},  // bit 24 set, index 0x3456
      {0x10FF0003, 0x00000000},  // DIBINDEX: no colour table
  };
  for (const ColourCase& c : cases) {
    EXPECT_EQ(DeviceColor(c.given), c.stored) << std::hex << c.given;
    RasterSurface surface(2, 1, kPaper);
    surface.SetPixel(0, 0, c.given);
    EXPECT_EQ(surface.PixelAt(0, 0), c.stored) << std::hex << c.given;
  }
}

TEST(RasterSurfaceTest, ViewportExtentsChangeNothing) {
  RasterSurface surface(5, 5, kPaper);
  const SurfaceExtent previous = surface.SetViewportExtent(4, 4);
  EXPECT_EQ(previous.cx, 1);
  EXPECT_EQ(previous.cy, 1);
  EXPECT_EQ(surface.SetViewportExtent(1000, 7).cx, 1);
  surface.SelectPen(PenStyle::Solid, kInk);
  DrawPolyline(surface, {{0, 0}, {4, 4}});
  EXPECT_EQ(InkedPixels(surface), (std::set<Pixel>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
}

TEST(RasterSurfaceTest, MoveToHandsBackThePositionLineToLeft) {
  RasterSurface surface(2, 2, kPaper);
  SurfacePoint previous = surface.MoveTo(5, -6);
  EXPECT_EQ(previous.x, 0);
  EXPECT_EQ(previous.y, 0);
  surface.LineTo(kIntMax, kIntMin);
  previous = surface.MoveTo(1, 1);
  EXPECT_EQ(previous.x, kIntMax);
  EXPECT_EQ(previous.y, kIntMin);
}

// The loop of GDI's Bresenham walk as Wine runs it, over every pixel; only
// usable for lines below 2^28, which it does not crop.
std::set<Pixel> ReferenceLine(SurfacePoint from, SurfacePoint to, PenStyle style,
                              std::int32_t width, std::int32_t height, std::set<Pixel>* gaps) {
  std::set<Pixel> on;
  const std::int64_t dx = static_cast<std::int64_t>(to.x) - from.x;
  const std::int64_t dy = static_cast<std::int64_t>(to.y) - from.y;
  const bool xMajor = std::llabs(dx) > std::llabs(dy);
  // Octants 3, 5, 6 and 8 take the bias.
  const int octant = dy > 0   ? (dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3))
                     : dx < 0 ? (-dx > -dy ? 5 : 6)
                              : (dx > -dy ? 8 : 7);
  const int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
  const std::int64_t a = xMajor ? std::llabs(dx) : std::llabs(dy);
  const std::int64_t b = xMajor ? std::llabs(dy) : std::llabs(dx);
  const int stepX = dx > 0 ? 1 : -1;
  const int stepY = dy > 0 ? 1 : -1;
  const int on_length = style == PenStyle::Dash ? 18 : style == PenStyle::Dot ? 3 : 1;
  const int period = style == PenStyle::Dash ? 24 : style == PenStyle::Dot ? 6 : 1;
  std::int64_t x = from.x;
  std::int64_t y = from.y;
  std::int64_t error = 2 * b - a;
  for (std::int64_t k = 0; k < a; ++k) {
    if (x >= 0 && x < width && y >= 0 && y < height) {
      const Pixel pixel{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
      if (k % period < on_length) {
        on.insert(pixel);
      } else {
        gaps->insert(pixel);
      }
    }
    if (error + bias > 0) {
      (xMajor ? y : x) += xMajor ? stepY : stepX;
      error += 2 * b - 2 * a;
    } else {
      error += 2 * b;
    }
    (xMajor ? x : y) += xMajor ? stepX : stepY;
  }
  return on;
}

void ExpectSameAsReference(SurfacePoint from, SurfacePoint to, PenStyle style, std::int32_t width,
                           std::int32_t height) {
  std::set<Pixel> expectedGaps;
  const std::set<Pixel> expectedOn = ReferenceLine(from, to, style, width, height, &expectedGaps);
  RasterSurface surface(width, height, kPaper);
  surface.SetBackgroundColor(kGap);
  surface.SelectPen(style, kInk);
  DrawPolyline(surface, {from, to});
  const std::set<Pixel> on = PixelsWhere(surface, [](Color color) { return color == kInk; });
  const std::set<Pixel> gaps = PixelsWhere(surface, [](Color color) { return color == kGap; });
  EXPECT_EQ(on, expectedOn) << from.x << ',' << from.y << " to " << to.x << ',' << to.y;
  EXPECT_EQ(gaps, expectedGaps) << from.x << ',' << from.y << " to " << to.x << ',' << to.y;
}

TEST(RasterSurfaceTest, ShortRandomLinesMatchTheWalkPixelForPixel) {
  std::mt19937 random(11);
  std::uniform_int_distribution<std::int32_t> coordinate(-60, 80);
  const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash};
  for (int i = 0; i < 3000; ++i) {
    const SurfacePoint from{coordinate(random), coordinate(random)};
    const SurfacePoint to{coordinate(random), coordinate(random)};
    ExpectSameAsReference(from, to, styles[i % 3], 1 + i % 37, 1 + i % 23);
  }
}

TEST(RasterSurfaceTest, LinesWithEndsMillionsOfPixelsAwayMatchTheWalk) {
  std::mt19937 random(12);
  std::uniform_int_distribution<std::int32_t> far(-3000000, 3000000);
  std::uniform_int_distribution<std::int32_t> near(0, 39);
  const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash};
  for (int i = 0; i < 24; ++i) {
    // Through a point of the surface, so that every line crosses it.
    const SurfacePoint through{near(random), near(random)};
    const SurfacePoint from{far(random), far(random)};
    const SurfacePoint to{2 * through.x - from.x + near(random) - 20,
                          2 * through.y - from.y + near(random) - 20};
    ExpectSameAsReference(from, to, styles[i % 3], 40, 40);
  }
}

TEST(RasterSurfaceTest, EndPointsFromTwoToThe28OnAreDividedByEight) {
  struct CropCase {
    const char* name;
    SurfacePoint from, to;
    std::int32_t width, height;
    std::set<Pixel> expected;
  };
  const CropCase cases[] = {
      // Uncropped, this line would cross row 99.
      {"end cropped",
       {-200000000, 10},
       {1600000000, 810},
       20,
       120,
       {{0, 55},  {1, 56},  {2, 56},  {3, 56},  {4, 56},  {5, 56},  {6, 56},
        {7, 56},  {8, 56},  {9, 56},  {10, 56}, {11, 56}, {12, 56}, {13, 56},
        {14, 56}, {15, 56}, {16, 56}, {17, 56}, {18, 56}, {19, 56}}},
      {"x just below the limit",
       {-200000000, 10},
       {268435455, 810},
       4,
       400,
       {{0, 352}, {1, 352}, {2, 352}, {3, 352}}},
      {"x at the limit",
       {-200000000, 10},
       {268435456, 810},
       4,
       400,
       {{0, 88}, {1, 88}, {2, 88}, {3, 88}}},
      {"y just above the negative limit",
       {10, 200000000},
       {800, -268435455},
       400,
       4,
       {{347, 0}, {347, 1}, {347, 2}, {347, 3}}},
      {"y at the negative limit",
       {10, 200000000},
       {800, -268435456},
       400,
       4,
       {{87, 0}, {87, 1}, {87, 2}, {87, 3}}},
      {"both ends cropped",
       {kIntMin, kIntMin},
       {kIntMax, kIntMax},
       5,
       5,
       {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}},
  };
  for (const CropCase& c : cases) {
    RasterSurface surface(c.width, c.height, kPaper);
    surface.SelectPen(PenStyle::Solid, kInk);
    DrawPolyline(surface, {c.from, c.to});
    EXPECT_EQ(InkedPixels(surface), c.expected) << c.name;
  }
}

TEST(RasterSurfaceTest, HorizontalAndVerticalLinesAreNeverCroppedButWrapAtIntMax) {
  ExpectPictures({
      {"solid across the int32 range",
       PenStyle::Solid,
       8,
       1,
       {{kIntMin, 0}, {kIntMax, 0}},
       {"########"}},
      {"solid backwards from INT_MAX draws nothing",
       PenStyle::Solid,
       8,
       1,
       {{kIntMax, 0}, {kIntMin, 0}},
       {"........"}},
      {"dashed to INT_MAX draws nothing",
       PenStyle::Dot,
       8,
       1,
       {{kIntMin, 0}, {kIntMax, 0}},
       {"........"}},
      // k = x + 2^31, and 2^31 % 6 == 2.
      {"dotted from INT_MIN keeps its phase",
       PenStyle::Dot,
       8,
       1,
       {{kIntMin, 0}, {kIntMax - 1, 0}},
       {"#ooo###o"}},
      {"solid vertical from below INT_MAX",
       PenStyle::Solid,
       1,
       3,
       {{0, kIntMax - 1}, {0, kIntMin}},
       {"#", "#", "#"}},
      {"dashed vertical from INT_MAX draws nothing",
       PenStyle::Dash,
       1,
       3,
       {{0, kIntMax}, {0, 0}},
       {".", ".", "."}},
  });
}

TEST(RasterSurfaceTest, DashedLineToACroppedEndAlsoLightsThatEnd) {
  // Wine's dashed walk drops its last pixel only when it is the uncropped end
  // point; the cropped end (2^25, 0) lies on a surface 2^25 + 1 wide.
  constexpr std::int32_t kWidth = (1 << 25) + 1;
  constexpr Color kDashInk = 0x00FF0000;
  RasterSurface surface(kWidth, 1, kPaper);
  surface.SelectPen(PenStyle::Solid, kInk);
  DrawPolyline(surface, {{kWidth - 3, 1}, {1 << 28, 0}});
  EXPECT_EQ(surface.PixelAt(kWidth - 3, 0), kPaper);
  EXPECT_EQ(surface.PixelAt(kWidth - 2, 0), kInk);
  EXPECT_EQ(surface.PixelAt(kWidth - 1, 0), kPaper);
  surface.SelectPen(PenStyle::Dash, kDashInk);
  DrawPolyline(surface, {{kWidth - 3, 1}, {1 << 28, 0}});
  EXPECT_EQ(surface.PixelAt(kWidth - 3, 0), kPaper);
  EXPECT_EQ(surface.PixelAt(kWidth - 2, 0), kDashInk);
  EXPECT_EQ(surface.PixelAt(kWidth - 1, 0), kDashInk);
}

TEST(RasterSurfaceTest, EndsCroppedOntoOnePointDrawAtMostThatPoint) {
  // Regression: the walk divided by its zero length and crashed when both
  // ends cropped to one point whose major coordinate lay on the surface.
  for (const PenStyle style : {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash}) {
    RasterSurface surface(8, 8, kPaper);
    surface.SelectPen(style, kInk);
    DrawPolyline(surface, {{1 << 28, 40}, {(1 << 28) + 3, 44}});
    DrawPolyline(surface, {{-(1 << 28), 16}, {-(1 << 28) - 7, 23}});
    EXPECT_TRUE(InkedPixels(surface).empty());
  }
  constexpr std::int32_t kWidth = (1 << 25) + 1;
  RasterSurface surface(kWidth, 1, kPaper);
  surface.SelectPen(PenStyle::Solid, kInk);
  DrawPolyline(surface, {{1 << 28, 0}, {(1 << 28) + 1, 7}});
  EXPECT_EQ(surface.PixelAt(kWidth - 1, 0), kPaper);
  surface.SelectPen(PenStyle::Dot, kInk);
  DrawPolyline(surface, {{1 << 28, 0}, {(1 << 28) + 1, 7}});
  EXPECT_EQ(surface.PixelAt(kWidth - 1, 0), kInk);
  EXPECT_EQ(surface.PixelAt(kWidth - 2, 0), kPaper);
}

TEST(RasterSurfaceTest, TextPaintsCellsInTheBackgroundColourWithBlackGlyphs) {
  RasterSurface surface(20, 14, kPaper);
  surface.SetBackgroundColor(kGap);
  surface.TextOut(2, 1, "Er");
  std::set<Color> seenInCells;
  for (std::int32_t y = 0; y < 14; ++y) {
    for (std::int32_t x = 0; x < 20; ++x) {
      const bool inCells =
          x >= 2 && x < 2 + 2 * kFontCellWidth && y >= 1 && y < 1 + kFontCellHeight;
      const Color color = surface.PixelAt(x, y);
      if (inCells) {
        EXPECT_TRUE(color == kGap || color == 0x00000000u) << x << ',' << y;
        seenInCells.insert(color);
      } else {
        EXPECT_EQ(color, kPaper) << x << ',' << y;
      }
    }
  }
  EXPECT_EQ(seenInCells.size(), 2u);
}

TEST(RasterSurfaceTest, TextIsClippedLikeTheSameTextDrawnWhole) {
  const std::string text = "Error in Graph.  Check the Grid Properties";
  RasterSurface whole(400, 30, kPaper);
  whole.TextOut(100, 10, text);
  RasterSurface clipped(50, 8, kPaper);
  clipped.TextOut(-97, -5, text);
  for (std::int32_t y = 0; y < 8; ++y) {
    for (std::int32_t x = 0; x < 50; ++x) {
      EXPECT_EQ(clipped.PixelAt(x, y), whole.PixelAt(x + 197, y + 15)) << x << ',' << y;
    }
  }
  RasterSurface untouched(10, 10, kPaper);
  untouched.TextOut(kIntMax, 0, text);
  untouched.TextOut(kIntMin, kIntMin, text);
  untouched.TextOut(0, kIntMax, text);
  EXPECT_TRUE(InkedPixels(untouched).empty());
}

std::vector<bool> Cell(unsigned char character) {
  std::vector<bool> cell;
  for (int row = 0; row < kFontCellHeight; ++row) {
    for (int column = 0; column < kFontCellWidth; ++column) {
      cell.push_back(FontCellPixel(character, column, row));
    }
  }
  return cell;
}

TEST(BitmapFontTest, EveryPrintableCharacterHasItsOwnInkedGlyph) {
  const std::vector<bool> box = Cell(0x7F);
  std::set<std::vector<bool>> glyphs;
  for (int character = 0; character < 256; ++character) {
    const std::vector<bool> cell = Cell(static_cast<unsigned char>(character));
    int ink = 0;
    for (int row = 0; row < kFontCellHeight; ++row) {
      for (int column = 0; column < kFontCellWidth; ++column) {
        const bool inked = cell[static_cast<std::size_t>(row * kFontCellWidth + column)];
        ink += inked ? 1 : 0;
        // The spacing column and the top row keep neighbouring cells apart.
        if (row == 0 || column == kFontCellWidth - 1) {
          EXPECT_FALSE(inked) << character;
        }
      }
    }
    if (character == ' ') {
      EXPECT_EQ(ink, 0);
    } else {
      EXPECT_GT(ink, 0) << character;
    }
    if (character >= 0x20 && character <= 0x7E) {
      EXPECT_TRUE(glyphs.insert(cell).second) << "glyph of " << character << " is not unique";
      EXPECT_NE(cell, box) << character;
    } else {
      EXPECT_EQ(cell, box) << character;
    }
  }
  EXPECT_FALSE(FontCellPixel('A', -1, 3));
  EXPECT_FALSE(FontCellPixel('A', 2, kFontCellHeight));
}

}  // namespace
}  // namespace ondrix
