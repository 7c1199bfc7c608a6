#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <regex>

#include "../fuzz/checking_surface.h"
#include "model/evaluation.h"
#include "model/value_text.h"
#include "render/draw_graph.h"
#include "render/segment_clipper.h"
#include "render/trace_surface.h"

namespace ondrix {
namespace {

using Values = std::vector<std::pair<GraphValue, double>>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = HUGE_VAL;
const std::string kCurvePen = "pen SOLID 0x00000066;";
const std::int32_t kConnections[] = {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION};

// Colours 0x11 (asymptote) to 0x88 (tick mark), so that a trace tells the elements apart.
GraphSettings Make(const Values& values, std::int32_t method = CM_SINE,
                   std::int32_t connect = CM_CONNECTED_DOTS) {
  GraphSettings settings = DefaultGraphSettings();
  for (int c = 0; c < kColorCount; ++c) {
    settings.colors[c] = 0x11 * (c + 1);
  }
  for (const auto& value : values) {
    settings.values[value.first] = value.second;
  }
  settings.graphMethod = method;
  settings.connectMethod = connect;
  return settings;
}

std::string Text(const TraceSurface& surface) {
  std::string text = surface.Text();
  std::replace(text.begin(), text.end(), '\n', ';');
  return text;
}

std::string Trace(const GraphSettings& settings, int right, int bottom) {
  TraceSurface surface;
  DrawGraph(surface, 0, 0, right, bottom, settings);
  return Text(surface);
}

// The curve: from its pen up to the first restore of a pen.
std::string Curve(const std::string& trace) {
  const std::size_t from = trace.find(kCurvePen);
  return trace.substr(from, trace.find("pen restore", from) - from);
}

// The same pixels from both walks, unless the plain one runs out of polls.
int DrawBoth(const GraphSettings& settings, int right, int bottom, int polls = 1 << 30) {
  const std::int64_t unlimited = std::int64_t{1} << 60;
  CheckingSurface plain(right, bottom, unlimited, 0x66), fast(right, bottom, unlimited, 0x66);
  EXPECT_TRUE(CheckedDraw(fast, settings, right, bottom, false, 1 << 30));
  const bool plainDone = CheckedDraw(plain, settings, right, bottom, true, polls);
  EXPECT_TRUE(plainDone ? plain.Pixels() == fast.Pixels() : polls < (1 << 30));
  return fast.CurvePixels();
}

// Empty or reversed ranges, endless runs, runs past 32 bits, values not
// numbers; and values just inside those limits.
// clang-format off
const struct { Values values; bool drawable; std::int32_t connect = CM_CONNECTED_DOTS; } kRows[] = {
    {{{MaximumX, -2 * kPi}}, false}, {{{MinimumY, 4}}, false}, {{{XTickFrequency, -1}}, false}, {{{YTickFrequency, -0.5}}, false},
    {{{MinimumX, 10}}, false}, {{{MaximumY, -5}}, false}, {{{MinimumX, kNaN}}, false}, {{{MaximumY, kNaN}}, false},
    {{{XTickFrequency, kNaN}}, false}, {{{XTickFrequency, 0}}, false}, {{{YTickFrequency, 0}}, false}, {{{AModifier, kInf}}, false},
    {{{BModifier, kNaN}}, false}, {{{CModifier, -kInf}}, false}, {{{DModifier, kNaN}}, false}, {{{TickMarkSize, kNaN}}, false},
    {{{SonarWidth, kInf}}, false}, {{{MaximumX, kInf}}, false}, {{{MinimumY, -kInf}}, false}, {{{XTickFrequency, kInf}}, false},
    {{{YTickFrequency, kInf}}, false}, {{{YTickFrequency, 1e-300}}, false}, {{{XTickFrequency, 1e-12}}, false, CM_NO_CONNECTION},
    {{{BModifier, 0}, {MinimumX, -1e308}, {MaximumX, 1e308}, {XTickFrequency, 1e307}}, false},
    {{{MinimumY, -1e308}, {MaximumY, 1e308}, {YTickFrequency, 1e307}}, false},
    {{{MaximumX, 2147483648.0}, {XTickFrequency, 1}}, false, CM_NO_CONNECTION},
    {{{MinimumX, -2147483647.0}, {XTickFrequency, 1}}, false, CM_NO_CONNECTION},
    {{{MaximumY, 4294967296.0}, {YTickFrequency, 2}}, false}, {{{MinimumY, -4294967292.0}, {YTickFrequency, 2}}, true},
    {{{MinimumX, 1e7}, {MaximumX, 1e7 + 1}, {XTickFrequency, 1e6}}, false},
    {{{MinimumX, -1e7 - 1}, {MaximumX, -1e7}, {XTickFrequency, 1e6}}, false},
    {{{MinimumX, 1e7}, {MaximumX, 1e7 + 1}, {XTickFrequency, 1e6}}, true, CM_UNCONNECTED_DOTS},
    {{{BModifier, 9007199254740992.0 / 8}}, false}, {{{CModifier, -9007199254740992.0}}, false},
    {{{CModifier, 4503599627370496.0}}, true}, {{{AModifier, 1e300}, {DModifier, -1e300}}, true},
    {{{BModifier, 1e6}, {MaximumX, 1e10}, {XTickFrequency, 1e9}}, false, CM_NO_CONNECTION},
    {{{TickMarkSize, 1e308}, {SonarWidth, -1e308}}, true},
};
// clang-format on

TEST(DrawGraphTest, UndrawableSettingsGiveTheErrorLineOnly) {
  const std::string error = "fill 0 0 400 300 0x00000033;text 0 0 " + std::string(kGraphErrorText);
  for (const auto& row : kRows) {
    const std::string trace = Trace(Make(row.values, CM_SINE, row.connect), 400, 300);
    EXPECT_EQ(trace == error + ";", !row.drawable) << trace.substr(0, 60);
    EXPECT_EQ(trace.find(kGraphErrorText) == std::string::npos, row.drawable);
  }
  for (int right : {0, -5, std::numeric_limits<int>::min()}) {
    EXPECT_EQ(Trace(Make({}), right, 1), "fill 0 0 " + std::to_string(right) + " 1 0x00000033;");
  }
}

// x and y from -2 to 3 with tick 1 on 11 x 11: column 2 * (x + 2), row
// 2 * (3 - y); tick size 7 % of 100: side 2, half 1.
TEST(DrawGraphTest, SmallFrameWorkedByHand) {
  const Values square = {{MinimumX, -2}, {MaximumX, 3},       {XTickFrequency, 1}, {MinimumY, -2},
                         {MaximumY, 3},  {YTickFrequency, 1}, {TickMarkSize, 7}};
  const std::string trace = Trace(Make(square, CM_SINE, CM_NO_CONNECTION), 11, 11);
  std::uint64_t hash = 14695981039346656037u;
  for (const char c : trace) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
  }
  EXPECT_EQ(hash, 5063763586676589154u) << trace;
}

// On 800 x 600 (area 478601) 0.0102 % gives side 6 (half 3), 0.0103 % side 7
// (half 4); sonar squares take their size the same way.
TEST(DrawGraphTest, MarkSizesAsymptotesAndCurveBreaks) {
  for (const auto& [percent, half] : {std::pair{0.0102, 3}, {0.0103, 4}, {-1.0, 0}}) {
    const std::string ticks = "pen SOLID 0x00000088;move 333 " + std::to_string(300 - half) +
                              ";line 333 " + std::to_string(301 + half) + ";";
    EXPECT_NE(Trace(Make({{TickMarkSize, percent}}), 800, 600).find(ticks), std::string::npos);
  }
  // The cotangent's asymptote at 0 on the axis, its gaps in the axis colour;
  // the tangent's curve breaks at each asymptote, goes back and moves on.
  const std::string cotangent = Trace(Make({}, CM_COTANGENT), 800, 600);
  EXPECT_TRUE(std::regex_search(
      cotangent, std::regex("pen DASH 0x00000011;bk 0x00000022;move 320 0;line 320 599;move -?\\d+ "
                            "-?\\d+;bk 0x00000033;pen restore;pen restore;pen SOLID 0x00000077;")));
  const std::string tangent = Trace(Make({}, CM_TANGENT), 800, 600);
  const auto count = [&](const char* pattern) {
    const std::regex regex(pattern);
    return std::distance(std::sregex_iterator(tangent.begin(), tangent.end(), regex), {});
  };
  // pi / 2, 3 pi / 2, 5 pi / 2 and -pi / 2, -3 pi / 2
  EXPECT_EQ(count("line [^;]+;pen DASH"), 5);
  EXPECT_EQ(count("line (-?\\d+ -?\\d+);pen DASH 0x00000011;move (-?\\d+) 0;line \\2 599;move "
                  "\\1;pen restore;move "),
            5);
}

// Step search: a multiple in column 0 keeps the tick; on 3 x 3 the step is 1
// and the rightward walk's last line column carries into the leftward one; a
// tick far wider than the range still ends at a step of about a pixel.
TEST(DrawGraphTest, StepSearch) {
  const GraphSettings joined = Make({{MinimumX, 0.5}, {MaximumX, 4}, {XTickFrequency, 0.5}});
  std::string expected = kCurvePen + "move -100 300;";
  for (int k = 2; k <= 8; ++k) {
    expected += "line " + std::to_string(100 * k - 100) + " " +
                std::to_string(MapYToPixel(std::sin(k * 0.5), 599, joined)) + ";";
  }
  EXPECT_EQ(Curve(Trace(joined, 701, 600)), expected);
  EXPECT_EQ(
      Curve(Trace(
          Make({{MinimumX, -1}, {MaximumX, 1}, {XTickFrequency, 1}, {MinimumY, -1}, {MaximumY, 1}}),
          3, 3)),
      kCurvePen + "move 1 1;line 2 0;move 1 1;line 0 2;");
  const std::string wide =
      Curve(Trace(Make({{MinimumX, -1}, {MaximumX, 1}, {XTickFrequency, 1e10}}), 800, 600));
  EXPECT_NEAR(std::count(wide.begin(), wide.end(), ';'), 800, 12);
}

constexpr std::int64_t kFar = std::int64_t{1} << 30, kBox = kClipBound;  // 67108864

// A move to the first point, lines to the rest, then two pixels.
// clang-format off
const std::pair<std::vector<Point64>, const char*> kPaths[] = {
    {{{10, 20}, {-30, 40}, {134217727, -134217727}}, "move 10 20;line -30 40;line 134217727 -134217727;"},
    {{{5, -kFar}, {5, 100}}, "move 5 -67108864;line 5 100;"}, {{{-kFar, 7}, {kFar, 7}}, "move -67108864 7;line 67108864 7;"},
    {{{-4 * kFar, -4 * kFar}, {100, 100}}, "move -67108864 -67108864;line 100 100;"},
    {{{0, 0}, {4 * kBox, 3}}, "move 0 0;line 67108864 1;"},  // y = 0.75 at the edge
    {{{kFar, kFar}, {kFar, -kFar}}, ""}, {{{kBox + 10, -kFar}, {kFar, -kBox - 10}}, ""}, {{{5, kFar}, {134217728, 0}}, ""},
    {{{2 * kBox, 0}, {0, 2 * kBox}}, ""},  // touches the corner only
    {{{300, 3221225471LL}, {300, -3221225472LL}}, "move 300 67108864;line 300 -67108864;"},
    // y = 9.375 where the second line enters; the third goes on from where the surface is.
    {{{0, 0}, {kFar, 0}, {10, 10}, {20, 20}}, "move 0 0;line 67108864 0;move 67108864 9;line 10 10;line 20 20;"},
    // A near end outside the box is sent as it is.
    {{{0, 0}, {100000000, 0}, {kFar, 0}, {100000000, 4}, {0, 4}}, "move 0 0;line 100000000 0;move 100000000 4;line 0 4;"},
};
// clang-format on

TEST(SegmentClipperTest, LinesAreCutToTheBox) {
  for (const auto& [path, expected] : kPaths) {
    TraceSurface surface;
    SegmentClipper clipper(surface);
    clipper.MoveTo(path[0]);
    for (std::size_t i = 1; i < path.size(); ++i) {
      clipper.LineTo(path[i]);
    }
    clipper.SetPixel({0, -134217728}, 0x99);
    clipper.SetPixel({-5, 134217727}, 0x99);
    EXPECT_EQ(Text(surface), expected + std::string("pixel -5 134217727 0x00000099;"));
  }
}

// Settings on the seams where the fast walk skips work: multiples and
// asymptotes on or near an edge, ticks from a few per range to many per pixel.
std::mt19937_64 random(8);

double Pick(std::initializer_list<double> items) {
  return items.begin()[random() % items.size()];
}

double Unit() {
  return static_cast<double>(random() >> 11) / 9007199254740992.0;
}

GraphSettings MakeSettings(std::int32_t right) {
  GraphSettings s = Make({});
  double* v = s.values;
  const auto range = [&](GraphValue minimum, GraphValue maximum, GraphValue tick) {
    const double width = Pick({1e-3, 0.05, 1, 1, 10, 20, 300}) * (0.5 + Unit());
    v[tick] = width * std::pow(10.0, -4.0 * Unit() + 0.3);
    v[minimum] = Pick({0, 0.3, -0.3, 7, -7, 1e3, -1e3, 1e5, -1e5, 2.5e4}) - width * Unit();
    v[maximum] = v[minimum] + width;
    for (GraphValue bound : {minimum, maximum}) {
      v[bound] = random() % 4 == 3 ? std::round(v[bound] / v[tick]) * v[tick] : v[bound];
    }
  };
  do {
    s.graphMethod = kFunctionMethods[random() % 6];
    s.connectMethod = kConnections[random() % 3];
    s.sonar = random() % 2;
    s.grid = random() % 2;
    range(MinimumX, MaximumX, XTickFrequency);
    range(MinimumY, MaximumY, YTickFrequency);
    v[SonarWidth] = Pick({0, 1, 3, 20, 150, 1e4, 1e9});
    v[TickMarkSize] = Pick({0, 1, 3, 20, 150, 1e4, 1e9});
    v[AModifier] = (v[MaximumY] - v[MinimumY]) * Pick({0.4, -0.4, 5, 300, 1e-3, 1e7});
    v[DModifier] = v[MinimumY] + Unit() * (v[MaximumY] - v[MinimumY]);
    v[BModifier] = Pick({1, -1, 3, 0.5, 40, 1e-3});
    const double zero = (random() % 2 ? kPi / 2 : 0) + kPi * (random() % 3) +
                        Pick({0, 1e-9, -1e-9, 4e-5, -4e-5, 6e-5, -6e-5, 1e-3});
    v[CModifier] =
        random() % 4 ? zero - v[BModifier] * v[random() % 2 ? MinimumX : MaximumX] : Unit() * 7;
  } while (std::fmax(-v[MinimumX], v[MaximumX]) * right / (v[MaximumX] - v[MinimumX]) +
               std::fmax(-v[MinimumX], v[MaximumX]) / v[XTickFrequency] +
               std::fmax(-v[MinimumY], v[MaximumY]) / v[YTickFrequency] >
           2e4);
  return s;
}

// Over functions, connections, sonar, sizes and unusual ranges, the plain walk
// stopped after 100 polls; then random settings.
TEST(DrawGraphDifferential, FastWalkDrawsThePlainWalksPixels) {
  // clang-format off
  const Values ranges[] = {{}, {{MinimumX, 1e5}, {MaximumX, 1e5 + 1}},
      {{MinimumX, -2e3 - 1}, {MaximumX, -2e3}, {MinimumY, 1e6}, {MaximumY, 1e6 + 8}, {YTickFrequency, 0.01}},
      {{AModifier, 1e9}, {XTickFrequency, 1e-2}}, {{TickMarkSize, 1e300}, {SonarWidth, 1e300}, {AModifier, 1e300}},
      {{MinimumX, -1}, {MaximumX, 1}, {XTickFrequency, 1e10}},
      {{MinimumX, 3.2}, {MaximumX, 4}, {XTickFrequency, 1}, {CModifier, -1}}};  // an asymptote before the entry
  // clang-format on
  for (int i = 0; i < 7 * 54; ++i) {
    const int size = i % 3 == 2 ? 120 : 2 + i % 3;
    GraphSettings settings =
        Make(ranges[i / 54], kFunctionMethods[i / 9 % 6], kConnections[i / 3 % 3]);
    settings.sonar = i / 9 % 2;
    SCOPED_TRACE(i);
    const int pixels = DrawBoth(settings, size, size * 3 / 4 + 1, 100);
    EXPECT_TRUE(i >= 9 || i / 3 != 1 || pixels == size);  // unconnected dots: one per column
  }
  for (int cases = 0; cases < 3000; ++cases) {
    const std::int32_t right = cases % 97 == 0 ? 1920 : cases % 41 == 0 ? 1 : 1 + random() % 60;
    const std::int32_t bottom = cases % 97 == 0 ? 1080 : cases % 43 == 0 ? 1 : 1 + random() % 60;
    SCOPED_TRACE(cases);
    DrawBoth(MakeSettings(right), right, bottom);
  }
  // Told to stop, either walk gives up within a few thousand steps.
  for (int i = 0; i < 4; ++i) {
    CheckingSurface surface(64, 48, 0);
    EXPECT_FALSE(
        CheckedDraw(surface, Make({{XTickFrequency, i < 2 ? 1e-4 : 1e-7}}), 64, 48, i % 2, 2));
    EXPECT_LT(surface.Calls(), 6 * 4 * 4096);
  }
}

}  // namespace
}  // namespace ondrix
