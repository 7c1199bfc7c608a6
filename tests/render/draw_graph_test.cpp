#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <tuple>

#include "../fuzz/checking_surface.h"
#include "model/evaluation.h"
#include "render/draw_graph.h"
#include "render/segment_clipper.h"
#include "render/trace_surface.h"

namespace ondrix {
namespace {

using Values = std::vector<std::pair<GraphValue, double>>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = HUGE_VAL;

// Colours 0x11 (asymptote) to 0x88 (tick mark), so that a trace tells the elements apart; sonar on.
GraphSettings Make(const Values& values, std::int32_t method = CM_SINE,
                   std::int32_t connect = CM_CONNECTED_DOTS) {
  GraphSettings s = DefaultGraphSettings();
  for (int c = 0; c < kColorCount; ++c)
    s.colors[c] = 0x11 * (c + 1);
  for (const auto& [field, value] : values)
    s.values[field] = value;
  std::tie(s.graphMethod, s.connectMethod, s.sonar) = std::tuple(method, connect, 1);
  return s;
}

// As ondrix-render --trace writes it, one call a line joined by ';'.
std::string Trace(const GraphSettings& settings, int right, int bottom) {
  std::ostringstream calls;
  TraceSurface surface(calls);
  DrawGraph(surface, 0, 0, right, bottom, settings);
  std::string text = calls.str();
  std::replace(text.begin(), text.end(), '\n', ';');
  return text;
}

void DrawBoth(const GraphSettings& settings, int right, int bottom, int numberScale = 0) {
  const std::int64_t unlimited = std::int64_t{1} << 60;
  CheckingSurface plain(right, bottom, unlimited, 0x66), fast(right, bottom, unlimited, 0x66);
  EXPECT_TRUE(CheckedDraw(fast, settings, right, bottom, false, 1 << 30, numberScale));
  EXPECT_TRUE(CheckedDraw(plain, settings, right, bottom, true, 1 << 30, numberScale));
  EXPECT_EQ(FirstDifference(fast.Pixels(), plain.Pixels(), plain.Width()), "")
      << "the fast walk differs from the plain walk";
}

// Empty or reversed ranges, endless runs, runs past 32 bits, not numbers; and just inside.
// clang-format off
const struct { Values values; bool drawable; std::int32_t connect = CM_CONNECTED_DOTS; } kRows[] = {
    {{{MaximumX, -2 * kPi}}, false}, {{{MinimumY, 4}}, false}, {{{XTickFrequency, -1}}, false}, {{{MinimumX, 10}}, false},
    {{{MaximumY, -5}}, false}, {{{XTickFrequency, kNaN}}, false}, {{{XTickFrequency, 0}}, false}, {{{YTickFrequency, 0}}, false},
    {{{AModifier, kInf}}, false}, {{{CModifier, -kInf}}, false}, {{{SonarWidth, kInf}}, false}, {{{MaximumX, kInf}}, false},
    {{{YTickFrequency, 1e-300}}, false}, {{{XTickFrequency, 1e-12}}, false, CM_NO_CONNECTION},
    {{{BModifier, 0}, {MinimumX, -1e308}, {MaximumX, 1e308}, {XTickFrequency, 1e307}}, false},
    {{{MaximumX, 2147483647.0}, {XTickFrequency, 1}}, false, CM_NO_CONNECTION},
    {{{MaximumY, 4294967296.0}, {YTickFrequency, 2}}, false}, {{{MinimumY, -4294967292.0}, {YTickFrequency, 2}}, true},
    {{{MinimumX, 1e7}, {MaximumX, 1e7 + 1}, {XTickFrequency, 1e6}}, false}, {{{MinimumX, -1e7 - 1}, {MaximumX, -1e7}, {XTickFrequency, 1e6}}, false},
    {{{MinimumX, 1e7}, {MaximumX, 1e7 + 1}, {XTickFrequency, 1e6}}, true, CM_UNCONNECTED_DOTS},
    {{{BModifier, 9007199254740992.0 / 8}}, false}, {{{BModifier, 0}, {CModifier, -9007199254740992.0}}, false},
    {{{CModifier, 4503599627370496.0}}, true}, {{{AModifier, 1e300}, {DModifier, -1e300}}, true},
    {{{BModifier, 1e6}, {MaximumX, 1e10}, {XTickFrequency, 1e9}}, false, CM_NO_CONNECTION},
    {{{TickMarkSize, 1e308}, {SonarWidth, -1e308}}, true},
};
// clang-format on

TEST(DrawGraphTest, TheErrorLineKnownFramesMarksAsymptotesAndSteps) {
  const std::string error = "fill 0 0 400 300 0x00000033;text 0 0 " + std::string(kGraphErrorText);
  for (const auto& row : kRows) {
    const std::string trace = Trace(Make(row.values, CM_SINE, row.connect), 400, 300);
    EXPECT_EQ(trace == error + ";", !row.drawable) << trace.substr(0, 60);
  }
  // x and y from -2 to 3 with tick 1 on 11 x 11: column 2 * (x + 2), row 2 * (3 - y), the axes in
  // column 4 and row 6; ticks of 9 % of 100: side 3, half 2; sonar squares of 7 %: side 2 (not
  // rounded up), half 1. Each run of multiples goes up from 1, then down from -1.
  const Values square = {{MinimumX, -2}, {MaximumX, 3},       {XTickFrequency, 1}, {MinimumY, -2},
                         {MaximumY, 3},  {YTickFrequency, 1}, {TickMarkSize, 9},   {SonarWidth, 7}};
  const auto at = [](int x, int y) { return std::to_string(x) + " " + std::to_string(y); };
  const auto line = [&](int x0, int y0, int x1, int y1) {
    return "move " + at(x0, y0) + ";line " + at(x1, y1) + ";";
  };
  const int columns[] = {6, 8, 10, 2, 0}, rows[] = {4, 2, 0, 8, 10};  // of 1, 2, 3, -1, -2
  std::string grid[2], ticks[2];
  for (int i = 0; i < 5; ++i) {
    grid[0] += line(columns[i], 0, columns[i], 10), grid[1] += line(0, rows[i], 10, rows[i]);
    ticks[0] += line(columns[i], 4, columns[i], 9), ticks[1] += line(2, rows[i], 7, rows[i]);
  }
  std::string frame = "fill 0 0 11 11 0x00000033;bk 0x00000033;pen SOLID 0x00000022;" +
                      line(4, 0, 4, 10) + line(0, 6, 10, 6) + "pen restore;pen DOT 0x00000044;" +
                      grid[0] + grid[1] + "pen restore;pen SOLID 0x00000088;" + ticks[0] +
                      ticks[1] + "pen restore;pen SOLID 0x00000077;";
  // The point of sin x and its sonar square, for x = 0, 1, 2, 3, -1, -2.
  for (const auto& [c, r] : {std::pair{4, 6}, {6, 4}, {8, 4}, {10, 6}, {2, 8}, {0, 8}}) {
    frame += "pixel " + at(c, r) + " 0x00000055;" + line(c - 1, r - 1, c + 1, r - 1) + "line " +
             at(c + 1, r + 1) + ";line " + at(c - 1, r + 1) + ";line " + at(c - 1, r - 1) + ";";
  }
  // One call a line, so that a failure shows the calls that differ.
  std::string trace = Trace(Make(square, CM_SINE, CM_NO_CONNECTION), 11, 11);
  frame += "pen restore;bk 0x00FFFFFF;";
  for (std::string* calls : {&frame, &trace})
    std::replace(calls->begin(), calls->end(), ';', '\n');
  EXPECT_EQ(frame, trace);
  // Each asymptote line puts the position back where it found it.
  std::istringstream calls(Trace(Make({}, CM_COTANGENT), 800, 600));
  int asymptotes = 0, restored = 0;
  for (std::string call, position, kept; std::getline(calls, call, ';');) {
    if (!kept.empty() && call == "move " + kept) {
      ++restored;
      kept.clear();
    }
    if (call == "pen DASH 0x00000011") {
      ++asymptotes;
      kept = position;
    }
    if (call.rfind("move ", 0) == 0 || call.rfind("line ", 0) == 0)
      position = call.substr(5);
  }
  EXPECT_TRUE(asymptotes > 0 && restored == asymptotes)
      << restored << " of " << asymptotes << " asymptote lines put the position back";
  // A multiple in column 0 keeps the tick as the step; on 2 x 2 the walk resumes past an asymptote.
  const GraphSettings joined = Make({{MinimumX, 0.5}, {MaximumX, 4}, {XTickFrequency, 0.5}});
  std::string expected = "pen SOLID 0x00000066;move -100 300;";
  for (int k = 2; k <= 8; ++k)
    expected += "line " + std::to_string(100 * k - 100) + " " +
                std::to_string(MapYToPixel(std::sin(k * 0.5), 599, joined)) + ";";
  EXPECT_NE(Trace(joined, 701, 600).find(expected + "pen restore;pen SOLID 0x00000077"),
            std::string::npos);
  const Values entry = {{MinimumX, 3.2}, {MaximumX, 4}, {XTickFrequency, 1}, {CModifier, -1}};
  DrawBoth(Make(entry, CM_COTANGENT), 2, 2);
  const std::string dots = Trace(Make({}, CM_SINE, CM_UNCONNECTED_DOTS), 50, 40);
  EXPECT_NE(dots.find("pixel 49 20 0x00000066"), std::string::npos);  // the last column's dot
}

constexpr std::int64_t kFar = std::int64_t{1} << 30, kBox = kClipBound;  // 67108864

// A move to the first point, lines to the rest, then two pixels.
// clang-format off
const std::pair<std::vector<Point64>, const char*> kPaths[] = {
    {{{10, 20}, {-30, 40}, {134217727, -134217727}}, "move 10 20\nline -30 40\nline 134217727 -134217727\n"},
    {{{0, 0}, {4 * kBox, 3}}, "move 0 0\nline 67108864 1\n"},  // y = 0.75 at the edge
    // y = 9.375 where the second line enters; the third goes on from where the surface is.
    {{{0, 0}, {kFar, 0}, {10, 10}, {20, 20}}, "move 0 0\nline 67108864 0\nmove 67108864 9\nline 10 10\nline 20 20\n"},
    // A near end outside the box is sent as it is.
    {{{0, 0}, {100000000, 0}, {kFar, 0}, {100000000, 4}, {0, 4}}, "move 0 0\nline 100000000 0\nmove 100000000 4\nline 0 4\n"},
};
// clang-format on

TEST(SegmentClipperTest, LinesAreCutToTheBox) {
  for (const auto& [path, expected] : kPaths) {
    TraceSurface surface;
    SegmentClipper clipper(surface);
    clipper.MoveTo(path[0]);
    for (std::size_t i = 1; i < path.size(); ++i)
      clipper.LineTo(path[i]);
    clipper.SetPixel({0, -134217728}, 0x99);
    clipper.SetPixel({-5, 134217727}, 0x99);
    EXPECT_EQ(surface.Text(), expected + std::string("pixel -5 134217727 0x00000099\n"));
  }
}

// Multiples and asymptotes on or near an edge, ticks from a few per range to many per pixel.
std::mt19937_64 random(8);

double Pick(std::initializer_list<double> items) {
  return items.begin()[random() % items.size()];
}

GraphSettings MakeSettings(std::int32_t right) {
  const auto unit = [] { return static_cast<double>(random() >> 11) / 9007199254740992.0; };
  GraphSettings s = Make({});
  double* v = s.values;
  const auto range = [&](GraphValue minimum, GraphValue maximum, GraphValue tick) {
    const double width = Pick({1e-3, 0.05, 1, 1, 10, 20, 300}) * (0.5 + unit());
    v[tick] = width * std::pow(10.0, -4.0 * unit() + 0.3);
    v[minimum] = Pick({0, 0.3, -0.3, 7, -7, 1e3, -1e3, 1e5, -1e5, 2.5e4}) - width * unit();
    v[maximum] = v[minimum] + width;
    for (GraphValue bound : {minimum, maximum})
      v[bound] = random() % 4 == 3 ? std::round(v[bound] / v[tick]) * v[tick] : v[bound];
  };
  do {
    s.graphMethod = kFunctionMethods[random() % 6];
    s.connectMethod = CM_CONNECTED_DOTS + random() % 3;
    s.sonar = random() % 2;
    s.grid = random() % 2;
    range(MinimumX, MaximumX, XTickFrequency);
    range(MinimumY, MaximumY, YTickFrequency);
    v[SonarWidth] = Pick({0, 1, 3, 20, 150, 1e4, 1e9});
    v[TickMarkSize] = Pick({0, 1, 3, 20, 150, 1e4, 1e9});
    v[AModifier] = (v[MaximumY] - v[MinimumY]) * Pick({0.4, -0.4, 5, 300, 1e-3, 1e7});
    v[DModifier] = v[MinimumY] + unit() * (v[MaximumY] - v[MinimumY]);
    v[BModifier] = Pick({1, -1, 3, 0.5, 40, 1e-3});
    const double zero = (random() % 2 ? kPi / 2 : 0) + kPi * (random() % 3) +
                        Pick({0, 1e-9, -1e-9, 4e-5, -4e-5, 6e-5, -6e-5, 1e-3});
    v[CModifier] =
        random() % 4 ? zero - v[BModifier] * v[random() % 2 ? MinimumX : MaximumX] : unit() * 7;
  } while (std::fmax(-v[MinimumX], v[MaximumX]) * right / (v[MaximumX] - v[MinimumX]) +
               std::fmax(-v[MinimumX], v[MaximumX]) / v[XTickFrequency] +
               std::fmax(-v[MinimumY], v[MaximumY]) / v[YTickFrequency] >
           2e4);
  return s;
}

// The seams where the fast walk skips work, sizes from a pixel to a screen, a third numbered.
TEST(DrawGraphDifferential, FastWalkDrawsThePlainWalksPixels) {
  for (int cases = 0; cases < 3000; ++cases) {
    const std::int32_t right = cases % 97 == 0 ? 1920 : cases % 41 == 0 ? 1 : 1 + random() % 60;
    const std::int32_t bottom = cases % 97 == 0 ? 1080 : cases % 43 == 0 ? 1 : 1 + random() % 60;
    SCOPED_TRACE(cases);
    DrawBoth(MakeSettings(right), right, bottom, cases % 3 == 0 ? 1 + cases % 2 : 0);
  }
}

}  // namespace
}  // namespace ondrix
