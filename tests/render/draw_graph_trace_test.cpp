#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "draw_graph_test_support.h"
#include "model/evaluation.h"
#include "render/draw_graph.h"

namespace ondrix {
namespace {

using test::Call;
using test::DistinctColorSettings;
using test::Hex;
using test::Lines;
using test::ParseCall;
using test::Section;
using test::Trace;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::string FillLine(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return "fill " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) +
         " " + std::to_string(bottom) + " 0x00000033\n";
}

struct UndrawableCase {
  const char* name;
  std::function<void(GraphSettings&)> change;
};

// Each of these would otherwise divide by a zero range, run without end,
// overflow the 32-bit counter of a run, or compute with values that are not numbers.
const UndrawableCase kUndrawableCases[] = {
    {"equal x bounds", [](GraphSettings& s) { s.values[MaximumX] = s.values[MinimumX]; }},
    {"equal y bounds", [](GraphSettings& s) { s.values[MinimumY] = s.values[MaximumY]; }},
    {"negative x tick", [](GraphSettings& s) { s.values[XTickFrequency] = -1; }},
    {"negative y tick", [](GraphSettings& s) { s.values[YTickFrequency] = -0.5; }},
    {"x bounds reversed", [](GraphSettings& s) { s.values[MinimumX] = 10; }},
    {"y bounds reversed", [](GraphSettings& s) { s.values[MaximumY] = -5; }},
    {"NaN minimum x", [](GraphSettings& s) { s.values[MinimumX] = kNaN; }},
    {"NaN maximum y", [](GraphSettings& s) { s.values[MaximumY] = kNaN; }},
    {"NaN x tick", [](GraphSettings& s) { s.values[XTickFrequency] = kNaN; }},
    {"zero x tick", [](GraphSettings& s) { s.values[XTickFrequency] = 0; }},
    {"zero y tick", [](GraphSettings& s) { s.values[YTickFrequency] = 0; }},
    {"infinite A", [](GraphSettings& s) { s.values[AModifier] = kInfinity; }},
    {"NaN B", [](GraphSettings& s) { s.values[BModifier] = kNaN; }},
    {"infinite C", [](GraphSettings& s) { s.values[CModifier] = -kInfinity; }},
    {"NaN D", [](GraphSettings& s) { s.values[DModifier] = kNaN; }},
    {"NaN tick size", [](GraphSettings& s) { s.values[TickMarkSize] = kNaN; }},
    {"infinite sonar width", [](GraphSettings& s) { s.values[SonarWidth] = kInfinity; }},
    {"infinite maximum x", [](GraphSettings& s) { s.values[MaximumX] = kInfinity; }},
    {"infinite minimum x", [](GraphSettings& s) { s.values[MinimumX] = -kInfinity; }},
    {"infinite minimum y", [](GraphSettings& s) { s.values[MinimumY] = -kInfinity; }},
    {"infinite x tick", [](GraphSettings& s) { s.values[XTickFrequency] = kInfinity; }},
    {"infinite y tick", [](GraphSettings& s) { s.values[YTickFrequency] = kInfinity; }},
    {"x range beyond doubles",
     [](GraphSettings& s) {
       s.values[BModifier] = 0;
       s.values[MinimumX] = -1e308;
       s.values[MaximumX] = 1e308;
       s.values[XTickFrequency] = 1e307;
     }},
    {"y range beyond doubles",
     [](GraphSettings& s) {
       s.values[MinimumY] = -1e308;
       s.values[MaximumY] = 1e308;
       s.values[YTickFrequency] = 1e307;
     }},
    {"tiny x tick",
     [](GraphSettings& s) {
       s.connectMethod = CM_NO_CONNECTION;
       s.values[XTickFrequency] = 1e-12;
     }},
    {"tiny y tick", [](GraphSettings& s) { s.values[YTickFrequency] = 1e-300; }},
    {"x multiples up to 2^31",
     [](GraphSettings& s) {
       s.connectMethod = CM_NO_CONNECTION;
       s.values[MaximumX] = 2147483648.0;
       s.values[XTickFrequency] = 1;
     }},
    {"x multiples down to -2^31",
     [](GraphSettings& s) {
       s.connectMethod = CM_NO_CONNECTION;
       s.values[MinimumX] = -2147483647.0;
       s.values[XTickFrequency] = 1;
     }},
    {"y multiples up to 2^31",
     [](GraphSettings& s) {
       s.values[MaximumY] = 4294967296.0;
       s.values[YTickFrequency] = 2;
     }},
    {"walk right of 0 needs more than 2^31 samples",
     [](GraphSettings& s) {
       s.values[MinimumX] = 1e7;
       s.values[MaximumX] = 1e7 + 1;
       s.values[XTickFrequency] = 1e6;
     }},
    {"walk left of 0 needs more than 2^31 samples",
     [](GraphSettings& s) {
       s.values[MinimumX] = -1e7 - 1;
       s.values[MaximumX] = -1e7;
       s.values[XTickFrequency] = 1e6;
     }},
    {"sine argument beyond 2^53 from B",
     [](GraphSettings& s) { s.values[BModifier] = 9007199254740992.0 / 8; }},
    {"sine argument beyond 2^53 from C",
     [](GraphSettings& s) { s.values[CModifier] = -9007199254740992.0; }},
    {"sine argument beyond 2^53 from x",
     [](GraphSettings& s) {
       s.connectMethod = CM_NO_CONNECTION;
       s.values[BModifier] = 1e6;
       s.values[MaximumX] = 1e10;
       s.values[XTickFrequency] = 1e9;
     }},
};

// The error line leaves the background colour and the viewport extents alone.
TEST(DrawGraphTraceTest, UndrawableSettingsGiveTheErrorLineAndNothingElse) {
  struct ExtentSpy : TraceSurface {
    SurfaceExtent SetViewportExtent(std::int32_t cx, std::int32_t cy) override {
      ++calls;
      return TraceSurface::SetViewportExtent(cx, cy);
    }
    int calls = 0;
  };
  for (const UndrawableCase& c : kUndrawableCases) {
    GraphSettings settings = DistinctColorSettings();
    c.change(settings);
    ExtentSpy surface;
    DrawGraph(surface, 0, 0, 640, 480, settings);
    EXPECT_EQ(surface.calls, 0) << c.name;
    EXPECT_EQ(
        surface.Text(),
        FillLine(0, 0, 640, 480) +
            "text 0 0 Error in Graph.  Check the Grid Properties by pressing [Alt]+[Enter].\n")
        << c.name;
  }
}

// The limits above are not refusals of ordinary large values.
TEST(DrawGraphTraceTest, SettingsJustInsideTheLimitsAreDrawn) {
  const std::function<void(GraphSettings&)> changes[] = {
      [](GraphSettings& s) { s.values[CModifier] = 4503599627370496.0; },  // 2^52
      [](GraphSettings& s) {
        s.values[AModifier] = 1e300;
        s.values[DModifier] = -1e300;
      },
      [](GraphSettings& s) {
        // Unconnected dots take one sample per column however far the range is.
        s.connectMethod = CM_UNCONNECTED_DOTS;
        s.values[MinimumX] = 1e7;
        s.values[MaximumX] = 1e7 + 1;
        s.values[XTickFrequency] = 1e6;
      },
      [](GraphSettings& s) {
        s.values[TickMarkSize] = 1e308;
        s.values[SonarWidth] = -1e308;
        s.sonar = 1;
      },
  };
  for (const auto& change : changes) {
    GraphSettings settings = DistinctColorSettings();
    change(settings);
    const std::string trace = Trace(settings, 400, 300);
    EXPECT_EQ(trace.find("text"), std::string::npos) << trace.substr(0, 200);
    EXPECT_NE(trace.find("pen SOLID " + Hex(settings.colors[PointSonar])), std::string::npos);
  }
}

TEST(DrawGraphTraceTest, SurfacesWithoutAreaGetOnlyTheBackground) {
  struct Rect {
    std::int32_t left, top, right, bottom;
  };
  const Rect rects[] = {{0, 0, 0, 0},    {0, 0, 0, 600},
                        {0, 0, 800, 0},  {0, 0, -5, 10},
                        {10, 10, 5, 20}, {0, 0, std::numeric_limits<int>::min(), 1}};
  for (bool valid : {true, false}) {
    GraphSettings settings = DistinctColorSettings();
    if (!valid) {
      settings.values[XTickFrequency] = -1;
    }
    for (const Rect& r : rects) {
      TraceSurface surface;
      DrawGraph(surface, r.left, r.top, r.right, r.bottom, settings);
      EXPECT_EQ(surface.Text(), FillLine(r.left, r.top, r.right, r.bottom));
    }
  }
}

// x and y from -2 to 3 with tick 1 on an 11 x 11 surface: every pixel
// position below is worked out by hand (column 2 * (x + 2), row 2 * (3 - y)).
TEST(DrawGraphTraceTest, FrameOfSmallSurfaceWithMultiplesOnTheBounds) {
  GraphSettings settings = DistinctColorSettings();
  settings.connectMethod = CM_NO_CONNECTION;
  settings.values[MinimumX] = -2;
  settings.values[MaximumX] = 3;
  settings.values[XTickFrequency] = 1;
  settings.values[MinimumY] = -2;
  settings.values[MaximumY] = 3;
  settings.values[YTickFrequency] = 1;
  settings.values[TickMarkSize] = 4;  // a = 100 * 0.04 = 4: size 2, half 1
  TraceSurface surface;
  surface.SetBackgroundColor(0x00ABCDEF);
  DrawGraph(surface, 0, 0, 11, 11, settings);
  const std::string expected =
      "bk 0x00ABCDEF\n"
      "fill 0 0 11 11 0x00000033\n"
      "bk 0x00000033\n"
      "pen SOLID 0x00000022\n"
      "move 4 0\nline 4 10\nmove 0 6\nline 10 6\n"
      "pen restore\n"
      "pen DOT 0x00000044\n"
      "move 6 0\nline 6 10\nmove 8 0\nline 8 10\nmove 10 0\nline 10 10\n"
      "move 2 0\nline 2 10\nmove 0 0\nline 0 10\n"
      "move 0 4\nline 10 4\nmove 0 2\nline 10 2\nmove 0 0\nline 10 0\n"
      "move 0 8\nline 10 8\nmove 0 10\nline 10 10\n"
      "pen restore\n"
      "pen SOLID 0x00000088\n"
      "move 6 5\nline 6 8\nmove 8 5\nline 8 8\nmove 10 5\nline 10 8\n"
      "move 2 5\nline 2 8\nmove 0 5\nline 0 8\n"
      "move 3 4\nline 6 4\nmove 3 2\nline 6 2\nmove 3 0\nline 6 0\n"
      "move 3 8\nline 6 8\nmove 3 10\nline 6 10\n"
      "pen restore\n"
      "pen SOLID 0x00000077\n"
      // sin 0, 1, 2, 3, -1, -2 at rows 6, 4.32, 4.18, 5.72, 7.68, 7.82
      "pixel 4 6 0x00000055\npixel 6 4 0x00000055\npixel 8 4 0x00000055\n"
      "pixel 10 6 0x00000055\npixel 2 8 0x00000055\npixel 0 8 0x00000055\n"
      "pen restore\n"
      "bk 0x00ABCDEF\n";
  EXPECT_EQ(surface.Text(), expected);
}

TEST(DrawGraphTraceTest, GridOffLeavesOutOnlyTheDottedLines) {
  GraphSettings settings = DistinctColorSettings();
  const std::vector<std::string> withGrid = Lines(Trace(settings, 800, 600));
  settings.grid = 0;
  const std::vector<std::string> withoutGrid = Lines(Trace(settings, 800, 600));
  std::vector<std::string> expected;
  bool inGrid = false;
  for (const std::string& line : withGrid) {
    if (line == "pen DOT 0x00000044") {
      inGrid = true;
    } else if (inGrid && line == "pen restore") {
      inGrid = false;
    } else if (!inGrid) {
      expected.push_back(line);
    }
  }
  EXPECT_LT(expected.size(), withGrid.size());
  EXPECT_EQ(withoutGrid, expected);
}

// Default sizes on 800 x 600: tick size 6 (half 3, 7-pixel marks) and sonar
// size 5 (half 3); the axes cross at column 320, row 300.
TEST(DrawGraphTraceTest, DefaultTickMarksAndSonarSquares) {
  GraphSettings settings = DistinctColorSettings();
  settings.sonar = 1;
  const std::vector<std::string> lines = Lines(Trace(settings, 800, 600));
  const std::vector<std::string> ticks = Section(lines, "pen SOLID 0x00000088", "pen restore");
  // 36 + 24 x multiples and 4 + 4 y multiples, a move and a line each, and the pen.
  ASSERT_EQ(ticks.size(), 1u + 2u * (36 + 24 + 4 + 4));
  for (std::size_t i = 1; i < ticks.size(); i += 2) {
    const Call move = ParseCall(ticks[i]);
    const Call line = ParseCall(ticks[i + 1]);
    ASSERT_EQ(move.op, "move");
    ASSERT_EQ(line.op, "line");
    if (i < 1 + 2 * 60) {
      EXPECT_EQ(move.y, 297);
      EXPECT_EQ(line.y, 304);
      EXPECT_EQ(move.x, line.x);
    } else {
      EXPECT_EQ(move.x, 317);
      EXPECT_EQ(line.x, 324);
      EXPECT_EQ(move.y, line.y);
    }
  }
  EXPECT_EQ(ticks[1],
            "move " + std::to_string(MapXToPixel(settings.values[XTickFrequency], 799, settings)) +
                " 297");
  EXPECT_EQ(ticks[1 + 2 * 60], "move 317 225");  // y = 1: 3 * 599 / 8 = 224.6

  const std::vector<std::string> points = Section(lines, "pen SOLID 0x00000077", "pen restore");
  ASSERT_EQ(points.size(), 1u + 6u * (37 + 24));
  EXPECT_EQ(points[1], "pixel 320 300 0x00000055");
  for (std::size_t i = 1; i < points.size(); i += 6) {
    const Call pixel = ParseCall(points[i]);
    ASSERT_EQ(pixel.op, "pixel");
    const std::int64_t l = pixel.x - 3, t = pixel.y - 3, r = pixel.x + 3, b = pixel.y + 3;
    EXPECT_EQ(points[i + 1], "move " + std::to_string(l) + " " + std::to_string(t));
    EXPECT_EQ(points[i + 2], "line " + std::to_string(r) + " " + std::to_string(t));
    EXPECT_EQ(points[i + 3], "line " + std::to_string(r) + " " + std::to_string(b));
    EXPECT_EQ(points[i + 4], "line " + std::to_string(l) + " " + std::to_string(b));
    EXPECT_EQ(points[i + 5], "line " + std::to_string(l) + " " + std::to_string(t));
  }
}

TEST(DrawGraphTraceTest, MarkSizesFollowTheAreaPercentage) {
  struct SizeCase {
    double percent;
    std::int32_t half;  // of the square's side on 800 x 600 (area 478601)
  };
  // a = 478601 * percent / 100; side = floor(sqrt(a)); half = (side + 1) / 2:
  // 0.0102 gives a = 48.8, side 6; 0.0103 gives 49.3, side 7
  const SizeCase cases[] = {{0.01, 3}, {0.0102, 3}, {0.0103, 4}, {0.0, 0},
                            {-1.0, 0}, {1e-9, 0},   {1.0, 35}};
  for (const SizeCase& c : cases) {
    GraphSettings settings = DistinctColorSettings();
    settings.connectMethod = CM_NO_CONNECTION;
    settings.sonar = 1;
    settings.values[TickMarkSize] = c.percent;
    settings.values[SonarWidth] = c.percent;
    const std::vector<std::string> lines = Lines(Trace(settings, 800, 600));
    const std::vector<std::string> ticks = Section(lines, "pen SOLID 0x00000088", "pen restore");
    ASSERT_GT(ticks.size(), 2u);
    EXPECT_EQ(ParseCall(ticks[1]).y, 300 - c.half) << c.percent;
    EXPECT_EQ(ParseCall(ticks[2]).y, 300 + c.half + 1) << c.percent;
    const std::vector<std::string> points = Section(lines, "pen SOLID 0x00000077", "pen restore");
    ASSERT_GT(points.size(), 2u);
    EXPECT_EQ(points[2],
              "move " + std::to_string(320 - c.half) + " " + std::to_string(300 - c.half))
        << c.percent;
  }
}

// Cotangent with B = 1 and C = 0 is undefined at every multiple of pi, 0 among them.
TEST(DrawGraphTraceTest, CotangentAsymptotes) {
  GraphSettings settings = DistinctColorSettings();
  settings.graphMethod = CM_COTANGENT;
  const std::vector<std::string> lines = Lines(Trace(settings, 800, 600));
  const std::vector<std::string> curve =
      Section(lines, "pen SOLID 0x00000066", "pen SOLID 0x00000077");
  ASSERT_GT(curve.size(), 10u);

  // x = 0 is not sampled: each walk starts one step out with a move.
  const Call first = ParseCall(curve[1]);
  EXPECT_EQ(first.op, "move");
  EXPECT_GE(first.x, 320);
  EXPECT_LE(first.x, 322);

  // The curve phase ends with the asymptote at x = 0, on the axis column,
  // its gaps in the axis colour, and the pen of the curve restored.
  ASSERT_GE(curve.size(), 8u);
  const std::vector<std::string> tail(curve.end() - 8, curve.end());
  EXPECT_EQ(tail[0], "pen DASH 0x00000011");
  EXPECT_EQ(tail[1], "bk 0x00000022");
  EXPECT_EQ(tail[2], "move 320 0");
  EXPECT_EQ(tail[3], "line 320 599");
  EXPECT_EQ(ParseCall(tail[4]).op, "move");
  EXPECT_EQ(tail[5], "bk 0x00000033");
  EXPECT_EQ(tail[6], "pen restore");
  EXPECT_EQ(tail[7], "pen restore");

  // The point pass: an asymptote line at each multiple of the tick
  // frequency where the cotangent is undefined, 0 and pi, 2 pi, 3 pi to the
  // right, -pi and -2 pi to the left; only the one at 0 is on the axis.
  const double tick = settings.values[XTickFrequency];
  std::vector<std::string> expected;
  for (int k : {0, 12, 24, 36, -12, -24}) {
    const std::int32_t column = MapXToPixel(k * tick, 799, settings);
    expected.push_back(std::to_string(column) + (k == 0 ? " on axis" : ""));
  }
  const std::vector<std::string> points = Section(lines, "pen SOLID 0x00000077", "bk 0x00FFFFFF");
  std::vector<std::string> found;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (points[i] != "pen DASH 0x00000011") {
      continue;
    }
    const bool onAxis = points[i + 1] == "bk 0x00000022";
    const Call move = ParseCall(points[i + (onAxis ? 2 : 1)]);
    const Call line = ParseCall(points[i + (onAxis ? 3 : 2)]);
    EXPECT_EQ(move.y, 0);
    EXPECT_EQ(line.y, 599);
    EXPECT_EQ(move.x, line.x);
    found.push_back(std::to_string(move.x) + (onAxis ? " on axis" : ""));
  }
  EXPECT_EQ(found, expected);
}

// Tangent: where the cosine rounds to zero the curve breaks with a dashed
// line, the position goes back to where the curve was, and the curve
// resumes with a move.
TEST(DrawGraphTraceTest, TangentBreaksAtItsAsymptotes) {
  GraphSettings settings = DistinctColorSettings();
  settings.graphMethod = CM_TANGENT;
  const std::vector<std::string> lines = Lines(Trace(settings, 800, 600));
  const std::vector<std::string> curve =
      Section(lines, "pen SOLID 0x00000066", "pen SOLID 0x00000077");
  int asymptotes = 0;
  for (std::size_t i = 1; i + 6 < curve.size(); ++i) {
    if (curve[i] != "pen DASH 0x00000011") {
      continue;
    }
    ++asymptotes;
    const Call before = ParseCall(curve[i - 1]);
    ASSERT_TRUE(before.op == "line" || before.op == "move") << curve[i - 1];
    EXPECT_EQ(ParseCall(curve[i + 1]).y, 0);
    EXPECT_EQ(ParseCall(curve[i + 2]).y, 599);
    const Call back = ParseCall(curve[i + 3]);
    EXPECT_EQ(back.op, "move");
    EXPECT_EQ(back.x, before.x);
    EXPECT_EQ(back.y, before.y);
    EXPECT_EQ(curve[i + 4], "pen restore");
    EXPECT_EQ(ParseCall(curve[i + 5]).op, "move");
  }
  // pi / 2, 3 pi / 2 and 5 pi / 2 to the right; -pi / 2 and -3 pi / 2 to the left.
  EXPECT_EQ(asymptotes, 5);
}

// Within one stroke the walk only moves away from x = 0, and a line is drawn
// only when the column changes: the columns of consecutive lines strictly
// increase to the right and strictly decrease to the left. The last case has
// a tick frequency far wider than the x range, its column and those of its
// first halvings beyond the 32-bit range: the step search must still end at
// a step of about a pixel.
TEST(DrawGraphTraceTest, WalkDrawsAtMostOneLinePerColumn) {
  for (int i = 0; i <= 6; ++i) {
    GraphSettings settings = DistinctColorSettings();
    const std::int32_t method = i < 6 ? kFunctionMethods[i] : CM_SINE;
    settings.graphMethod = method;
    if (i == 6) {
      settings.values[MinimumX] = -1;
      settings.values[MaximumX] = 1;
      settings.values[XTickFrequency] = 1e10;
    }
    const std::int64_t axis = MapXToPixel(0, 799, settings);
    const std::vector<std::string> curve =
        Section(Lines(Trace(settings, 800, 600)), "pen SOLID 0x00000066", "pen SOLID 0x00000077");
    int lineCount = 0;
    bool haveLine = false;
    std::int64_t lastColumn = 0;
    int direction = 0;
    for (const std::string& text : curve) {
      const Call call = ParseCall(text);
      if (call.op == "line" && call.y != 599) {
        ++lineCount;
        if (haveLine) {
          if (direction == 0) {
            direction = call.x > lastColumn ? 1 : -1;
          }
          EXPECT_EQ(direction * (call.x - lastColumn) > 0, true) << i << ": " << text;
        }
        haveLine = true;
        lastColumn = call.x;
      } else if (call.op == "move" && call.y != 0) {
        // A move starts a stroke, or goes back after an asymptote line.
        haveLine = false;
        direction = call.x < axis ? -1 : call.x > axis ? 1 : 0;
      }
    }
    EXPECT_GT(lineCount, 780) << i;
    EXPECT_LT(lineCount, 810) << i;
  }
}

// x from the tick frequency on: the first multiple maps to column 0, so the
// step search keeps the frequency and the curve joins the multiples.
TEST(DrawGraphTraceTest, StepIsTheTickFrequencyWhenItMapsToColumnZero) {
  GraphSettings settings = DistinctColorSettings();
  settings.values[MinimumX] = 0.5;
  settings.values[MaximumX] = 4;
  settings.values[XTickFrequency] = 0.5;
  const std::vector<std::string> curve =
      Section(Lines(Trace(settings, 701, 600)), "pen SOLID 0x00000066", "pen restore");
  // Columns (x - 0.5) * 200: -100 for x = 0, then 0, 100, ..., 700. The
  // sample in column 0 gets no line: the last line column starts at 0.
  std::vector<std::string> expected = {"pen SOLID 0x00000066", "move -100 300"};
  for (int k = 2; k <= 8; ++k) {
    expected.push_back("line " + std::to_string(100 * k - 100) + " " +
                       std::to_string(MapYToPixel(std::sin(k * 0.5), 599, settings)));
  }
  EXPECT_EQ(curve, expected);
}

// x and y from -1 to 1 on a 3 x 3 surface, one column and one row per unit.
// The step search ends at 1 (its half, 0.5, maps to column 2 like 1). The
// rightward walk leaves its last line column at 2, so the leftward walk draws
// its line to column 0, which a fresh last line column would skip.
TEST(DrawGraphTraceTest, LastLineColumnCarriesIntoTheLeftwardWalk) {
  GraphSettings settings = DistinctColorSettings();
  settings.values[MinimumX] = -1;
  settings.values[MaximumX] = 1;
  settings.values[XTickFrequency] = 1;
  settings.values[MinimumY] = -1;
  settings.values[MaximumY] = 1;
  settings.values[YTickFrequency] = 1;
  const std::vector<std::string> curve =
      Section(Lines(Trace(settings, 3, 3)), "pen SOLID 0x00000066", "pen restore");
  // rows 1 - sin x: 1 at x = 0, 0.16 at x = 1, 1.84 at x = -1
  const std::vector<std::string> expected = {"pen SOLID 0x00000066", "move 1 1", "line 2 0",
                                             "move 1 1", "line 0 2"};
  EXPECT_EQ(curve, expected);
}

// The graph method decides the curve and the points; a damaged one leaves
// the frame only, whatever the connection method.
TEST(DrawGraphTraceTest, UnknownFunctionDrawsTheFrameOnly) {
  GraphSettings settings = DistinctColorSettings();
  std::vector<std::string> frame = Lines(Trace(settings, 800, 600));
  const auto curveStart = std::find(frame.begin(), frame.end(), "pen SOLID 0x00000066");
  ASSERT_NE(curveStart, frame.end());
  frame.erase(curveStart, frame.end());
  frame.push_back("bk 0x00FFFFFF");
  for (std::int32_t connect : {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION}) {
    for (std::int32_t method : {0, CM_EXIT, 131, -1}) {
      settings.connectMethod = connect;
      settings.graphMethod = method;
      EXPECT_EQ(Lines(Trace(settings, 800, 600)), frame) << connect << " " << method;
    }
  }
}

TEST(DrawGraphTraceTest, UnknownConnectionDrawsNoCurveButThePoints) {
  GraphSettings settings = DistinctColorSettings();
  settings.graphMethod = CM_SECANT;
  settings.sonar = 1;
  settings.connectMethod = CM_NO_CONNECTION;
  const std::string noCurve = Trace(settings, 800, 600);
  EXPECT_EQ(noCurve.find("0x00000066"), std::string::npos);
  EXPECT_NE(noCurve.find("pixel"), std::string::npos);
  for (std::int32_t connect : {0, 118, 122, 123456}) {
    settings.connectMethod = connect;
    EXPECT_EQ(Trace(settings, 800, 600), noCurve) << connect;
  }
}

// Unconnected dots take one sample per column, column 0 at the minimum x.
TEST(DrawGraphTraceTest, UnconnectedDotsTakeOneSamplePerColumn) {
  struct Case {
    std::int32_t width;
    double minimumX;
    std::int64_t firstRow;
  };
  // sin 1 = 0.84: row (4 - 0.84) * 599 / 8 = 236.5; sin -2 pi = 0: row 300
  const Case cases[] = {{800, DefaultGraphSettings().values[MinimumX], 300}, {1, 1, 237}};
  for (const Case& c : cases) {
    GraphSettings settings = DistinctColorSettings();
    settings.connectMethod = CM_UNCONNECTED_DOTS;
    settings.values[MinimumX] = c.minimumX;
    std::vector<Call> samples;
    for (const std::string& line : Lines(Trace(settings, c.width, 600))) {
      if (line.find("pixel") == 0 && line.find("0x00000066") != std::string::npos) {
        samples.push_back(ParseCall(line));
      }
    }
    ASSERT_EQ(samples.size(), static_cast<std::size_t>(c.width));
    EXPECT_EQ(samples[0].y, c.firstRow) << c.width;
    for (std::size_t i = 0; i < samples.size(); ++i) {
      EXPECT_EQ(samples[i].x, static_cast<std::int64_t>(i));
    }
  }
}

TEST(DrawGraphTraceTest, OnePixelSurfaceIsDrawnWithoutError) {
  for (std::int32_t connect : {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION}) {
    GraphSettings settings = DistinctColorSettings();
    settings.connectMethod = connect;
    settings.sonar = 1;
    const std::vector<std::string> lines = Lines(Trace(settings, 1, 1));
    ASSERT_GT(lines.size(), 3u);
    for (const std::string& line : lines) {
      EXPECT_NE(line.find("text"), 0u);
      // Everything maps onto the one pixel: column 0 and row 0 at most a
      // half tick mark (zero here) or sonar square away.
      for (std::int64_t value : test::Coordinates(line)) {
        EXPECT_LE(std::abs(value), 1) << line;
      }
    }
  }
}

struct FarCase {
  const char* name;
  std::function<void(GraphSettings&)> change;
};

// Steep branches, far ranges and huge marks put coordinates far beyond any
// surface; none of 2^27 or more may reach it.
const FarCase kFarCases[] = {
    {"steep tangent, connected",
     [](GraphSettings& s) {
       s.graphMethod = CM_TANGENT;
       s.values[AModifier] = 1e9;
     }},
    {"steep tangent, unconnected",
     [](GraphSettings& s) {
       s.graphMethod = CM_TANGENT;
       s.connectMethod = CM_UNCONNECTED_DOTS;
       s.values[AModifier] = 1e9;
     }},
    {"huge secant with sonar",
     [](GraphSettings& s) {
       s.graphMethod = CM_SECANT;
       s.values[AModifier] = 1e300;
       s.sonar = 1;
     }},
    {"y range far above 0",
     [](GraphSettings& s) {
       s.values[MinimumY] = 1e12;
       s.values[MaximumY] = 1e12 + 8;
       s.values[YTickFrequency] = 1e11;
       s.sonar = 1;
     }},
    {"x range far right of 0",
     [](GraphSettings& s) {
       s.connectMethod = CM_UNCONNECTED_DOTS;
       s.values[MinimumX] = 1e8;
       s.values[MaximumX] = 1e8 + 1;
       s.values[XTickFrequency] = 1e7;
     }},
    {"huge tick marks", [](GraphSettings& s) { s.values[TickMarkSize] = 1e300; }},
    {"huge sonar squares",
     [](GraphSettings& s) {
       s.values[SonarWidth] = 1e300;
       s.sonar = 1;
     }},
};

TEST(DrawGraphTraceTest, FarCoordinatesNeverReachTheSurface) {
  for (const FarCase& c : kFarCases) {
    GraphSettings settings = DistinctColorSettings();
    c.change(settings);
    const std::vector<std::string> lines = Lines(Trace(settings, 800, 600));
    ASSERT_GT(lines.size(), 10u) << c.name;
    for (const std::string& line : lines) {
      EXPECT_NE(line.find("text"), 0u) << c.name;
      for (std::int64_t value : test::Coordinates(line)) {
        ASSERT_LT(std::abs(value), std::int64_t{1} << 27) << c.name << ": " << line;
      }
    }
  }
}

// Tick marks 2^31 - 1 long are cut where the clip box ends, and they still
// cross the surface.
TEST(DrawGraphTraceTest, HugeTickMarksAreCutToTheClipBox) {
  GraphSettings settings = DistinctColorSettings();
  settings.values[TickMarkSize] = 1e300;
  const std::vector<std::string> ticks =
      Section(Lines(Trace(settings, 800, 600)), "pen SOLID 0x00000088", "pen restore");
  ASSERT_EQ(ticks.size(), 1u + 2u * (36 + 24 + 4 + 4));
  const std::string column =
      std::to_string(MapXToPixel(settings.values[XTickFrequency], 799, settings));
  EXPECT_EQ(ticks[1], "move " + column + " -67108864");
  EXPECT_EQ(ticks[2], "line " + column + " 67108864");
  EXPECT_EQ(ticks[1 + 2 * 60], "move -67108864 225");
  EXPECT_EQ(ticks[2 + 2 * 60], "line 67108864 225");
}

// Whatever is drawn, each phase selects its pen and restores it, and the
// background colour of the surface is put back at the end.
TEST(DrawGraphTraceTest, PensAndBackgroundAreRestored) {
  for (std::int32_t method : kFunctionMethods) {
    for (std::int32_t connect : {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION}) {
      for (std::int32_t sonar : {0, 1}) {
        GraphSettings settings = DistinctColorSettings();
        settings.graphMethod = method;
        settings.connectMethod = connect;
        settings.sonar = sonar;
        TraceSurface surface;
        surface.SetBackgroundColor(0x00123456);
        DrawGraph(surface, 0, 0, 640, 480, settings);
        const std::vector<std::string> lines = Lines(surface.Text());
        ASSERT_GT(lines.size(), 3u);
        EXPECT_EQ(lines[1], "fill 0 0 640 480 0x00000033");
        EXPECT_EQ(lines[2], "bk 0x00000033");
        EXPECT_EQ(lines.back(), "bk 0x00123456");
        int depth = 0;
        std::vector<std::string> backgrounds;
        for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
          if (lines[i] == "pen restore") {
            --depth;
            ASSERT_GE(depth, 0) << method << " " << connect;
          } else if (lines[i].find("pen ") == 0) {
            ++depth;
          } else if (lines[i].find("bk ") == 0) {
            backgrounds.push_back(lines[i]);
          }
          // Lines and pixels are only drawn with a pen of this call selected.
          if (lines[i].find("line") == 0) {
            EXPECT_GT(depth, 0);
          }
        }
        EXPECT_EQ(depth, 0) << method << " " << connect;
        // Inside the call the background colour only changes for
        // asymptotes on the axis column, and goes back each time.
        for (std::size_t i = 1; i < backgrounds.size(); i += 2) {
          EXPECT_EQ(backgrounds[i], "bk 0x00000022");
          ASSERT_LT(i + 1, backgrounds.size());
          EXPECT_EQ(backgrounds[i + 1], "bk 0x00000033");
        }
      }
    }
  }
}

// A render told to stop gives up within a few thousand steps of the first
// question, and still leaves the pens and background colour as it found them.
TEST(DrawGraphTraceTest, StopAbandonsTheRenderAndRestoresTheSurface) {
  GraphSettings settings = DistinctColorSettings();
  settings.values[XTickFrequency] = 1e-4;
  for (bool stop : {false, true}) {
    int questions = 0;
    DrawOptions options;
    options.shouldStop = [&] { return ++questions, stop; };
    TraceSurface surface;
    EXPECT_EQ(DrawGraph(surface, 0, 0, 64, 48, settings, options), !stop);
    const std::vector<std::string> lines = Lines(surface.Text());
    EXPECT_EQ(questions > 1, !stop);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "pen restore"),
              std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
                return line.find("pen ") == 0;
              }) / 2);
    EXPECT_EQ(lines.back(), "bk 0x00FFFFFF");
  }
}

}  // namespace
}  // namespace ondrix
