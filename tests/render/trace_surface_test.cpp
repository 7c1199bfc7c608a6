#include "render/trace_surface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace ondrix {
namespace {

TEST(TraceSurfaceTest, RecordsEveryCallAsOneLine) {
  TraceSurface trace;
  trace.FillRectangle(0, 0, 800, 600, 0x00FFFFFF);
  trace.SetBackgroundColor(0x00C0C0C0);
  trace.SelectPen(PenStyle::Solid, 0x00000000);
  trace.MoveTo(399, 0);
  trace.LineTo(399, 599);
  trace.RestorePen();
  trace.SelectPen(PenStyle::Dot, 0x00ABCDEF);
  trace.SelectPen(PenStyle::Dash, 0x000000FF);
  trace.SetPixel(-3, 7, 0x0000FF00);
  trace.RestorePen();
  trace.RestorePen();
  trace.SetViewportExtent(799, 599);
  trace.TextOut(0, 0, "Error in Graph.  Check");
  trace.SetBackgroundColor(0x00FFFFFF);
  EXPECT_EQ(trace.Text(),
            "fill 0 0 800 600 0x00FFFFFF\n"
            "bk 0x00C0C0C0\n"
            "pen SOLID 0x00000000\n"
            "move 399 0\n"
            "line 399 599\n"
            "pen restore\n"
            "pen DOT 0x00ABCDEF\n"
            "pen DASH 0x000000FF\n"
            "pixel -3 7 0x0000FF00\n"
            "pen restore\n"
            "pen restore\n"
            "text 0 0 Error in Graph.  Check\n"
            "bk 0x00FFFFFF\n");
}

TEST(TraceSurfaceTest, WritesExtremeIntegersAndFullColourWords) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  TraceSurface trace;
  trace.FillRectangle(kMin, kMax, -1, 0, 0xFFFFFFFF);
  trace.MoveTo(kMin, kMax);
  trace.SetPixel(kMax, kMin, 0x10FF0001);
  EXPECT_EQ(trace.Text(),
            "fill -2147483648 2147483647 -1 0 0xFFFFFFFF\n"
            "move -2147483648 2147483647\n"
            "pixel 2147483647 -2147483648 0x10FF0001\n");
}

TEST(TraceSurfaceTest, MoveToHandsBackThePositionAsLineToLeavesIt) {
  TraceSurface trace;
  SurfacePoint previous = trace.MoveTo(10, 20);
  EXPECT_EQ(previous.x, 0);
  EXPECT_EQ(previous.y, 0);
  trace.LineTo(-5, 600000);
  previous = trace.MoveTo(1, 2);
  EXPECT_EQ(previous.x, -5);
  EXPECT_EQ(previous.y, 600000);
  previous = trace.MoveTo(3, 4);
  EXPECT_EQ(previous.x, 1);
  EXPECT_EQ(previous.y, 2);
}

TEST(TraceSurfaceTest, BackgroundColourStartsWhiteAndHandsBackThePreviousOne) {
  TraceSurface trace;
  EXPECT_EQ(trace.SetBackgroundColor(0x00102030), 0x00FFFFFFu);
  EXPECT_EQ(trace.SetBackgroundColor(0x00405060), 0x00102030u);
  EXPECT_EQ(trace.SetBackgroundColor(0x00102030), 0x00405060u);
  EXPECT_EQ(trace.Text(), "bk 0x00102030\nbk 0x00405060\nbk 0x00102030\n");
}

TEST(TraceSurfaceTest, ViewportExtentsAreNotRecordedAndStayAtOne) {
  TraceSurface trace;
  SurfaceExtent previous = trace.SetViewportExtent(799, 599);
  EXPECT_EQ(previous.cx, 1);
  EXPECT_EQ(previous.cy, 1);
  previous = trace.SetViewportExtent(1, 1);
  EXPECT_EQ(previous.cx, 1);
  EXPECT_EQ(previous.cy, 1);
  EXPECT_EQ(trace.Text(), "");
}

TEST(TraceSurfaceTest, TextKeepsItsBlanksAndStaysOnOneLine) {
  TraceSurface trace;
  trace.TextOut(5, -6, "");
  trace.TextOut(0, 0, "  two\nlines\r ");
  EXPECT_EQ(trace.Text(), "text 5 -6 \ntext 0 0   two lines  \n");
}

}  // namespace
}  // namespace ondrix
