#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "model/evaluation.h"
#include "model/number_text.h"
#include "model/value_text.h"
#include "render/axis_number_layout.h"
#include "render/draw_graph.h"
#include "render/number_font.h"
#include "render/raster_surface.h"
#include "render/trace_surface.h"

namespace ondrix {
namespace {

// Each glyph's rows from the top, '#' inked, as wide as the glyph.
// clang-format off
const std::pair<const char*, const char*> kGlyphArt[] = {
    {"0", ".###.|#...#|#...#|#...#|#...#|#...#|.###."}, {"1", "..#..|.##..|..#..|..#..|..#..|..#..|.###."},
    {"2", ".###.|#...#|....#|...#.|..#..|.#...|#####"}, {"3", "#####|...#.|..#..|...#.|....#|#...#|.###."},
    {"4", "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."}, {"5", "#####|#....|####.|....#|....#|#...#|.###."},
    {"6", "..##.|.#...|#....|####.|#...#|#...#|.###."}, {"7", "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {"8", ".###.|#...#|#...#|.###.|#...#|#...#|.###."}, {"9", ".###.|#...#|#...#|.####|....#|...#.|.##.."},
    {".", ".|.|.|.|.|.|#"}, {"e", "....|....|.##.|#..#|####|#...|.###"}, {"/", "..#|..#|.#.|.#.|.#.|#..|#.."},
    {"+", ".....|..#..|..#..|#####|..#..|..#..|....."}, {"−", ".....|.....|.....|#####|.....|.....|....."},
    {"π", ".....|.....|#####|.#.#.|.#.#.|.#.#.|.#..#"}};
const std::int32_t kDpi[] = {96, 143, 144, 300, 600, 0, -600, 1 << 30}, kScales[] = {1, 1, 2, 3, 6, 1, 1, 64};
// clang-format on

TEST(NumberFont, GlyphsLightTheirPixelsAtScaleOneAndThree) {
  for (const auto& [glyph, art] : kGlyphArt) {
    const std::int32_t width = static_cast<std::int32_t>(std::strchr(art, '|') - art);
    ASSERT_EQ(NumberTextWidth(glyph), width) << glyph;
    for (const std::int32_t scale : {1, 3}) {
      RasterSurface surface(width * scale + 2, kNumberGlyphHeight * scale + 2, 0);
      DrawNumberText(surface, 1, 1, glyph, scale, 0x99);
      for (std::int32_t y = 0; y < surface.Height(); ++y) {
        for (std::int32_t x = 0; x < surface.Width(); ++x) {
          const std::int32_t column = (x + scale - 1) / scale - 1,
                             row = (y + scale - 1) / scale - 1;
          const bool inked = column >= 0 && column < width && row >= 0 &&
                             row < kNumberGlyphHeight && art[row * (width + 1) + column] == '#';
          ASSERT_EQ(surface.PixelAt(x, y), inked ? 0x99u : 0u)
              << glyph << " at scale " << scale << ": font pixel " << column << ", " << row;
        }
      }
    }
  }
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(NumberScaleForResolution(kDpi[i]), kScales[i]) << kDpi[i] << " dpi";
}

// "text" of each label, or "text@left,top".
std::string Texts(const std::vector<AxisNumberLabel>& labels, bool places = false) {
  std::string text;
  for (const AxisNumberLabel& l : labels) {
    text +=
        l.text + (places ? "@" + std::to_string(l.left) + "," + std::to_string(l.top) : "") + " ";
  }
  return text;
}

using Texts6 = std::initializer_list<std::pair<GraphValue, const char*>>;

AxisNumbers Lay(GraphSettings s, Texts6 texts, std::int32_t right, std::int32_t bottom,
                std::int32_t scale = 1, std::int64_t reach = 3) {
  for (const auto& [field, text] : texts) {
    SetValueText(s.valueTexts[field], text);
    s.values[field] = ReadValueText(text);
  }
  const std::function<bool()> never;
  StopPoll stop(never);
  const std::int32_t w = right - 1, h = bottom - 1;
  return LayOutAxisNumbers(s, {w, h, MapXToPixel(0, w, s), MapYToPixel(0, h, s), reach, scale},
                           stop, false);
}

// The default graph: x in quarters of pi (pi/12 thinned by 3), one "0" below left of (320, 300)
// clear of the ticks, on a background plate, in the axis colour, last; edge labels moved in.
TEST(AxisNumbers, DefaultGraphIsNumberedInPiOverEverything) {
  GraphSettings s = DefaultGraphSettings();
  const AxisNumbers n = Lay(s, {}, 800, 600);
  EXPECT_EQ(Texts(n.x),
            "−2π −7π/4 −3π/2 −5π/4 −π −3π/4 −π/2 −π/4 0 π/4 π/2 3π/4 π 5π/4 3π/2 7π/4 "
            "2π 9π/4 5π/2 11π/4 3π ");
  EXPECT_EQ(Texts(n.y), "4 3 2 1 −1 −2 −3 −4 ");
  EXPECT_EQ(Texts({n.x[0], n.x[1], n.x.back(), n.y[0], n.y[3], n.y.back()}, true),
            "−2π@0,304 −7π/4@26,304 3π@787,304 4@310,0 1@310,221 −4@304,591 ");
  s.colors[Axis] = 0xAA;
  TraceSurface surface;
  DrawGraph(surface, 0, 0, 800, 600, s, {false, {}, true, 1});
  const std::string trace = surface.Text();
  const std::size_t zero = trace.find("fill 310 304 317 313 0x00FFFFFF\npixel 312 305 0x000000AA");
  EXPECT_TRUE(zero != std::string::npos && zero > trace.rfind("pen restore"));
}

// One-digit plates 12 columns apart keep exactly the 5-pixel gap; 11 apart, every second goes, 5
// apart every fifth. So for y at 14 rows (plates 9 high) and 13, and twice that at scale 2.
TEST(AxisNumbers, ThinningWhereLabelsWouldComeTooCloseAndTheSideOfTheAxis) {
  const GraphSettings s = DefaultGraphSettings();
  const Texts6 xs = {{MinimumX, "0.5"}, {MaximumX, "9.5"}, {XTickFrequency, "1"}};
  EXPECT_EQ(Texts(Lay(s, xs, 9 * 12 + 1, 200).x), "1 2 3 4 5 6 7 8 9 ");
  EXPECT_EQ(Texts(Lay(s, xs, 9 * 11 + 1, 200).x), "2 4 6 8 ");
  EXPECT_EQ(Texts(Lay(s, xs, 9 * 5 + 1, 200).x), "5 ");
  const Texts6 ys = {{MinimumX, "1"},   {MaximumX, "2"},   {XTickFrequency, "100"},
                     {MinimumY, "0.5"}, {MaximumY, "9.5"}, {YTickFrequency, "1"}};
  for (const std::int32_t scale : {1, 2}) {
    EXPECT_EQ(Texts(Lay(s, ys, 50, 9 * 14 * scale + 1, scale).y), "9 8 7 6 5 4 3 2 1 ");
    EXPECT_EQ(Texts(Lay(s, ys, 50, 9 * 13 * scale + 1, scale).y), "8 6 4 2 ");
  }
  // Thinned by 10, a third is numbered as labels 3.33 apart need: "3.3", not "3.33".
  const Texts6 thirds = {
      {MinimumX, "0.1"}, {MaximumX, "10"}, {XTickFrequency, "0.333333333333333"}};
  EXPECT_EQ(Texts(Lay(s, thirds, 101, 200).x), "3.3 6.7 10 ");
  // The pi series: pi/6 goes on to pi/2 (3), not pi/4 (1.5); pi/3 is not in it and goes by 2.
  EXPECT_EQ(ThinningFactors(kPi / 6, true)[1], 3);
  EXPECT_EQ(ThinningFactors(kPi / 3, true)[1], 2);
  // 400 x 300: the side each row pins (the second's x axis lies on row -1).
  using L = AxisNumberLabel;
  // clang-format off
  const struct { Texts6 texts; bool x; std::int32_t L::*side; std::int32_t at; } kRows[] = {
      {{{MinimumY, "1"}, {MaximumY, "5"}}, true, &L::bottom, 300}, {{{MinimumY, "-300"}, {MaximumY, "-1"}}, true, &L::top, 0},
      {{{MinimumX, "1"}, {MaximumX, "5"}}, false, &L::left, 0}, {{{MinimumX, "-5"}, {MaximumX, "-1"}}, false, &L::right, 400},
      {{}, true, &L::top, 150 + 4}, {{{MinimumY, "-0.2"}, {MaximumY, "5"}}, true, &L::bottom, 288 - 3},  // below; above
      {{}, false, &L::right, 160 - 3}, {{{MinimumX, "-0.1"}, {MaximumX, "5"}}, false, &L::left, 8 + 4}};  // left; right
  // clang-format on
  for (const auto& row : kRows) {
    const AxisNumbers n = Lay(DefaultGraphSettings(), row.texts, 400, 300);
    const std::vector<L>& labels = row.x ? n.x : n.y;
    EXPECT_GT(labels.size(), 2u) << row.at;
    for (const L& label : labels)
      EXPECT_EQ(label.*row.side, row.at) << Texts(labels, true);
  }
}

// Generated ranges, spacings, sizes, scales and tick reaches: every label whole on the surface
// and clear of the others by the gap; one "0" at most; π exactly on the axes spaced in "p".
TEST(AxisNumbers, LabelsStayApartWholeAndInTheirAxisForm) {
  std::mt19937_64 random(17);
  const auto unit = [&] { return static_cast<double>(random() >> 11) / 9007199254740992.0; };
  const auto pick = [&](std::initializer_list<double> items) {
    return items.begin()[random() % items.size()];
  };
  for (int cases = 0; cases < 3000; ++cases) {
    GraphSettings s = DefaultGraphSettings();
    bool pi[2];
    for (const int axis : {0, 1}) {
      double* v = s.values + (axis ? MinimumY : MinimumX);  // minimum, maximum, tick
      const double width = pick({1e-6, 0.02, 1, 8, 300, 1e7}) * (0.5 + unit());
      pi[axis] = random() % 2;
      v[2] = width * std::pow(10.0, -3 * unit()) *
             (pi[axis] ? pick({1 / 12.0, 1 / 6.0, 0.25, 0.5, 1, 0.37}) : 1);
      SetValueText(s.valueTexts[axis ? YTickFrequency : XTickFrequency], pi[axis] ? "1p" : "1");
      v[0] = pick({0, -0.5, 0.3, -1, 1.2, 1e3}) * width - width * unit() * 0.1;
      v[1] = v[0] + width;
    }
    const std::int32_t right = 1 + random() % 500, bottom = 1 + random() % 400;
    const std::int32_t scale = 1 + random() % 4, gap = kLabelGap * scale;
    const std::int64_t reach = static_cast<std::int64_t>(pick({0, 3, 15, 1e9}));
    const AxisNumbers n = Lay(s, {}, right, bottom, scale, reach);
    const std::string places = Texts(n.x, true) + "| " + Texts(n.y, true);
    std::vector<AxisNumberLabel> all = n.x;
    all.insert(all.end(), n.y.begin(), n.y.end());
    for (std::size_t i = 0, zeros = 0; i < all.size(); ++i) {
      const AxisNumberLabel& a = all[i];
      ASSERT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= right && a.bottom <= bottom &&
                  (zeros += a.text == "0") <= 1 &&
                  (a.text == "0" || (a.text.find("π") != std::string::npos) == pi[i >= n.x.size()]))
          << a.text << " off the surface, a second 0 or not in its axis's form: " << places;
      for (std::size_t j = 0; j < i; ++j) {
        const AxisNumberLabel& b = all[j];
        ASSERT_TRUE(a.right + gap <= b.left || b.right + gap <= a.left || a.bottom + gap <= b.top ||
                    b.bottom + gap <= a.top)
            << a.text << " comes too close to " << b.text << ": " << places;
      }
    }
  }
}

}  // namespace
}  // namespace ondrix
