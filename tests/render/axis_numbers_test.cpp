#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "model/drawability.h"
#include "model/evaluation.h"
#include "model/value_text.h"
#include "render/axis_number_layout.h"
#include "render/draw_graph.h"
#include "render/number_font.h"
#include "render/raster_surface.h"
#include "render/trace_surface.h"

namespace ondrix {
namespace {

// Each glyph's rows from the top, '#' inked, as wide as the glyph.
const std::pair<const char*, const char*> kGlyphArt[] = {
    {"0", ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {"1", "..#..|.##..|..#..|..#..|..#..|..#..|.###."},
    {"2", ".###.|#...#|....#|...#.|..#..|.#...|#####"},
    {"3", "#####|...#.|..#..|...#.|....#|#...#|.###."},
    {"4", "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."},
    {"5", "#####|#....|####.|....#|....#|#...#|.###."},
    {"6", "..##.|.#...|#....|####.|#...#|#...#|.###."},
    {"7", "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {"8", ".###.|#...#|#...#|.###.|#...#|#...#|.###."},
    {"9", ".###.|#...#|#...#|.####|....#|...#.|.##.."},
    {".", ".|.|.|.|.|.|#"},
    {"e", "....|....|.##.|#..#|####|#...|.###"},
    {"+", ".....|..#..|..#..|#####|..#..|..#..|....."},
    {"/", "..#|..#|.#.|.#.|.#.|#..|#.."},
    {"\xCF\x80", ".....|.....|#####|.#.#.|.#.#.|.#.#.|.#..#"},
    {"\xE2\x88\x92", ".....|.....|.....|#####|.....|.....|....."},
};

TEST(NumberFont, GlyphsLightTheirPixelsAtScaleOneAndThree) {
  constexpr Color kPaper = 0x00FFFFFF, kInk = 0x00123456;
  for (const auto& [glyph, art] : kGlyphArt) {
    const std::int32_t width = static_cast<std::int32_t>(std::strchr(art, '|') - art);
    EXPECT_EQ(NumberTextWidth(glyph), width) << glyph;
    for (const std::int32_t scale : {1, 3}) {
      RasterSurface surface(width * scale + 2, kNumberGlyphHeight * scale + 2, kPaper);
      DrawNumberText(surface, 1, 1, glyph, scale, kInk);
      for (std::int32_t y = 0; y < surface.Height(); ++y) {
        for (std::int32_t x = 0; x < surface.Width(); ++x) {
          const std::int32_t column = (x - 1 + scale) / scale - 1,
                             row = (y - 1 + scale) / scale - 1;
          const bool inked = column >= 0 && column < width && row >= 0 &&
                             row < kNumberGlyphHeight && art[row * (width + 1) + column] == '#';
          ASSERT_EQ(surface.PixelAt(x, y), inked ? kInk : kPaper)
              << glyph << " at scale " << scale << ": font pixel (" << column << ", " << row << ")";
        }
      }
    }
  }
  // A blank column between glyphs; characters outside the font take no room.
  EXPECT_EQ(NumberTextWidth("\xE2\x88\x92"
                            "1x.5"),
            5 + 1 + 5 + 1 + 1 + 1 + 5);
  RasterSurface pair(20, 9, 0);
  DrawNumberText(pair, 0, 0, "x.1", 1, 0x99);
  EXPECT_TRUE(pair.PixelAt(0, 6) == 0x99 && pair.PixelAt(2, 1) == 0 && pair.PixelAt(4, 1) == 0x99);
}

TEST(NumberScale, FollowsTheResolutionInWholeSteps) {
  const std::pair<std::int32_t, std::int32_t> kRows[] = {
      {96, 1}, {143, 1}, {144, 2}, {300, 3}, {600, 6}, {0, 1}, {-600, 1}, {1 << 30, 64}};
  for (const auto& [dpi, scale] : kRows) {
    EXPECT_EQ(NumberScaleForResolution(dpi), scale) << dpi << " dpi";
  }
}

TEST(AxisNumbers, ThinningFactorsStayInTheirSeries) {
  const auto first = [](double frequency, bool pi) {
    const std::vector<std::int64_t> all = ThinningFactors(frequency, pi);
    EXPECT_GT(all.back(), 2147483647) << frequency;
    std::string text;
    for (std::size_t i = 0; i < 8; ++i) {
      text += std::to_string(all[i]) + " ";
    }
    return text;
  };
  EXPECT_EQ(first(kPi / 12, true), "1 2 3 6 12 24 60 120 ");
  EXPECT_EQ(first(kPi / 6, true), "1 3 6 12 30 60 120 300 ");
  EXPECT_EQ(first(2 * kPi, true), "1 5 10 25 50 100 250 500 ");
  EXPECT_EQ(first(kPi / 48, true), "1 2 4 8 12 24 48 96 ");
  EXPECT_EQ(first(kPi / 3, true), "1 2 5 10 20 50 100 200 ");
  EXPECT_EQ(first(kPi / 12, false), "1 2 5 10 20 50 100 200 ");
}

std::string Describe(const std::vector<AxisNumberLabel>& labels) {
  std::string text;
  for (const AxisNumberLabel& l : labels) {
    text += l.text + "@" + std::to_string(l.left) + "," + std::to_string(l.top) + " ";
  }
  return text;
}

std::string Texts(const std::vector<AxisNumberLabel>& labels) {
  std::string text;
  for (const AxisNumberLabel& l : labels) {
    text += l.text + " ";
  }
  return text;
}

GraphSettings With(std::initializer_list<std::pair<GraphValue, const char*>> texts) {
  GraphSettings s = DefaultGraphSettings();
  for (const auto& [field, text] : texts) {
    SetValueText(s.valueTexts[field], text);
  }
  ParseValueTexts(s);
  return s;
}

AxisNumbers Lay(const GraphSettings& s, std::int32_t right, std::int32_t bottom,
                std::int32_t scale = 1, std::int64_t reach = 3, bool plain = false) {
  const std::function<bool()> never;
  StopPoll stop(never);
  const std::int32_t w = right - 1, h = bottom - 1;
  return LayOutAxisNumbers(s, {w, h, MapXToPixel(0, w, s), MapYToPixel(0, h, s), reach, scale},
                           stop, plain);
}

// The default graph: x in quarters of pi (the 1/12 spacing thinned by 3),
// the origin's "0" below and left of the crossing at (320, 300), clear of
// the ticks' 3 pixels; y left of its axis.
TEST(AxisNumbers, DefaultGraphIsNumberedInPi) {
  const AxisNumbers n = Lay(DefaultGraphSettings(), 800, 600);
  EXPECT_EQ(Texts(n.x),
            "−2π −7π/4 −3π/2 −5π/4 −π −3π/4 −π/2 −π/4 0 π/4 π/2 3π/4 π 5π/4 3π/2 7π/4 2π "
            "9π/4 5π/2 11π/4 3π ");
  EXPECT_EQ(Texts(n.y), "4 3 2 1 −1 −2 −3 −4 ");
  EXPECT_EQ(Describe({n.x[8], n.y[0], n.y[3], n.y.back()}),
            "0@310,304 4@310,0 1@310,221 −4@304,591 ");
  EXPECT_EQ(Describe({n.x[0], n.x[1], n.x.back()}), "−2π@0,304 −7π/4@26,304 3π@787,304 ");
  // A ten-times finer y spacing thins to every second line.
  EXPECT_EQ(Texts(Lay(With({{YTickFrequency, "0.1"}}), 800, 600).y).substr(0, 16),
            "3.8 3.6 3.4 3.2 ");
}

// The "0" of the default graph, on a plate of the background colour, in the
// axis colour, after everything else; a scale below 1 counts as 1.
TEST(AxisNumbers, DrawnLastOnPlatesOfTheBackgroundInTheAxisColour) {
  GraphSettings s = DefaultGraphSettings();
  s.colors[Axis] = 0xAA;
  DrawOptions options;
  options.axisNumbers = true;
  const auto trace = [&] {
    TraceSurface surface;
    DrawGraph(surface, 0, 0, 800, 600, s, options);
    return surface.Text();
  };
  const std::string text = trace();
  const std::size_t zero = text.find("fill 310 304 317 313 0x00FFFFFF\npixel 312 305 0x000000AA\n");
  EXPECT_NE(zero, std::string::npos);
  EXPECT_GT(zero, text.rfind("pen restore"));
  options.numberScale = 0;
  EXPECT_EQ(trace(), text);
}

// At 12 columns apart one-digit plates keep exactly the 5-pixel gap; at 11
// every second goes. The same for y at 14 rows (plates 9 high) and 13.
TEST(AxisNumbers, ThinningStartsWhereLabelsWouldComeTooClose) {
  const GraphSettings xs = With({{MinimumX, "0.5"}, {MaximumX, "9.5"}, {XTickFrequency, "1"}});
  EXPECT_EQ(Texts(Lay(xs, 9 * 12 + 1, 200).x), "1 2 3 4 5 6 7 8 9 ");
  EXPECT_EQ(Texts(Lay(xs, 9 * 11 + 1, 200).x), "2 4 6 8 ");
  const GraphSettings ys = With({{MinimumX, "1"},
                                 {MaximumX, "2"},
                                 {XTickFrequency, "100"},
                                 {MinimumY, "0.5"},
                                 {MaximumY, "9.5"},
                                 {YTickFrequency, "1"}});
  EXPECT_EQ(Texts(Lay(ys, 50, 9 * 14 + 1).y), "9 8 7 6 5 4 3 2 1 ");
  EXPECT_EQ(Texts(Lay(ys, 50, 9 * 13 + 1).y), "8 6 4 2 ");
  EXPECT_EQ(Texts(Lay(ys, 50, 9 * 28 + 1, 2).y), "9 8 7 6 5 4 3 2 1 ");
  EXPECT_EQ(Texts(Lay(ys, 50, 9 * 27 + 1, 2).y), "8 6 4 2 ");
}

// 400 x 300 with ticks reaching 3 pixels: where each axis's numbers go.
TEST(AxisNumbers, BesideTheAxisOrAlongTheEdgeNearestIt) {
  const struct {
    std::initializer_list<std::pair<GraphValue, const char*>> texts;
    bool x;
    std::int32_t AxisNumberLabel::*side;
    std::int32_t expected;
  } kRows[] = {
      {{{MinimumY, "1"}, {MaximumY, "5"}}, true, &AxisNumberLabel::bottom, 300},
      {{{MinimumY, "-5"}, {MaximumY, "-1"}}, true, &AxisNumberLabel::top, 0},
      {{{MinimumX, "1"}, {MaximumX, "5"}}, false, &AxisNumberLabel::left, 0},
      {{{MinimumX, "-5"}, {MaximumX, "-1"}}, false, &AxisNumberLabel::right, 400},
      {{}, true, &AxisNumberLabel::top, 150 + 4},                                        // below
      {{{MinimumY, "-0.2"}, {MaximumY, "5"}}, true, &AxisNumberLabel::bottom, 288 - 3},  // above
      {{}, false, &AxisNumberLabel::right, 160 - 3},                                     // left
      {{{MinimumX, "-0.1"}, {MaximumX, "5"}}, false, &AxisNumberLabel::left, 8 + 4},     // right
  };
  for (const auto& row : kRows) {
    const AxisNumbers n = Lay(With(row.texts), 400, 300);
    const std::vector<AxisNumberLabel>& labels = row.x ? n.x : n.y;
    EXPECT_GT(labels.size(), 2u) << row.expected;
    for (const AxisNumberLabel& label : labels) {
      EXPECT_EQ(label.*row.side, row.expected) << Describe(labels);
    }
  }
}

// Generated ranges, spacings in "p" or not, sizes, scales and tick reaches:
// the fast search lays out what the plain walk does; every label whole on
// the surface, clear of every other by the gap; at most one "0"; π exactly
// on the axes whose spacing is in "p".
TEST(AxisNumbers, LabelsStayApartWholeAndInTheirAxisForm) {
  std::mt19937_64 random(17);
  const auto unit = [&] { return static_cast<double>(random() >> 11) / 9007199254740992.0; };
  const auto pick = [&](std::initializer_list<double> items) {
    return items.begin()[random() % items.size()];
  };
  for (int cases = 0; cases < 3000; ++cases) {
    GraphSettings s = DefaultGraphSettings();
    bool pi[2];
    for (int axis = 0; axis < 2; ++axis) {
      const GraphValue low = axis ? MinimumY : MinimumX,
                       tick = axis ? YTickFrequency : XTickFrequency;
      const double width = pick({1e-6, 0.02, 1, 8, 300, 1e7}) * (0.5 + unit());
      pi[axis] = random() % 2;
      s.values[tick] = width * std::pow(10.0, -3 * unit()) *
                       (pi[axis] ? pick({1 / 12.0, 1 / 6.0, 0.25, 0.5, 1, 0.37}) : 1);
      SetValueText(s.valueTexts[tick], pi[axis] ? "1p" : "1");
      s.values[low] = pick({0, -0.5, 0.3, -1, 1.2, 1e3}) * width - width * unit() * 0.1;
      s.values[low + 1] = s.values[low] + width;
    }
    const std::int32_t right = 1 + random() % 500, bottom = 1 + random() % 400;
    const std::int32_t scale = 1 + random() % 4;
    if (!IsDrawable(s, right - 1)) {
      continue;
    }
    const std::int64_t reach = static_cast<std::int64_t>(pick({0, 3, 15, 1e9}));
    const AxisNumbers n = Lay(s, right, bottom, scale, reach);
    // The plain walk visits every multiple out to the range's far end.
    const bool few = std::fmax(std::fabs(s.values[MinimumX]), std::fabs(s.values[MaximumX])) /
                             s.values[XTickFrequency] +
                         std::fmax(std::fabs(s.values[MinimumY]), std::fabs(s.values[MaximumY])) /
                             s.values[YTickFrequency] <
                     2e4;
    const AxisNumbers plain = few ? Lay(s, right, bottom, scale, reach, true) : n;
    SCOPED_TRACE(Describe(n.x) + "| " + Describe(n.y) + "on " + std::to_string(right) + "x" +
                 std::to_string(bottom) + " at scale " + std::to_string(scale));
    ASSERT_EQ(Describe(plain.x) + "| " + Describe(plain.y), Describe(n.x) + "| " + Describe(n.y));
    std::vector<std::pair<AxisNumberLabel, int>> all;
    for (int axis = 0; axis < 2; ++axis) {
      for (const AxisNumberLabel& label : axis ? n.y : n.x) {
        all.push_back({label, axis});
        ASSERT_TRUE(label.left >= 0 && label.top >= 0 && label.right <= right &&
                    label.bottom <= bottom)
            << label.text << " is not whole on the surface";
        ASSERT_TRUE(label.text == "0" ||
                    (label.text.find("\xCF\x80") != std::string::npos) == pi[axis])
            << label.text;
      }
    }
    ASSERT_LE(
        std::count_if(all.begin(), all.end(), [](const auto& l) { return l.first.text == "0"; }),
        1);
    const std::int32_t gap = kLabelGap * scale;
    for (std::size_t i = 0; i < all.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        const AxisNumberLabel &a = all[i].first, &b = all[j].first;
        ASSERT_TRUE(a.right + gap <= b.left || b.right + gap <= a.left || a.bottom + gap <= b.top ||
                    b.bottom + gap <= a.top)
            << a.text << " comes too close to " << b.text;
      }
    }
  }
}

}  // namespace
}  // namespace ondrix
