#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "render/segment_clipper.h"
#include "render/trace_surface.h"

namespace ondrix {
namespace {

constexpr std::int64_t kFar = std::int64_t{1} << 30;
constexpr std::int64_t kBox = std::int64_t{1} << 26;  // 67108864

TEST(SegmentClipperTest, NearLinesAndPixelsPassUnchanged) {
  TraceSurface surface;
  SegmentClipper clipper(surface);
  clipper.MoveTo({10, 20});
  clipper.LineTo({-30, 40});
  clipper.LineTo({134217727, -134217727});  // 2^27 - 1
  clipper.SetPixel({-5, 6}, 0x00000099);
  EXPECT_EQ(surface.Text(),
            "move 10 20\nline -30 40\nline 134217727 -134217727\npixel -5 6 0x00000099\n");
}

TEST(SegmentClipperTest, FarPointsAreNotSentAndPixelsThereAreSkipped) {
  TraceSurface surface;
  SegmentClipper clipper(surface);
  clipper.MoveTo({5, kFar});
  clipper.MoveTo({134217728, 0});  // 2^27
  clipper.SetPixel({0, -134217728}, 0x00000099);
  clipper.SetPixel({kFar, kFar}, 0x00000099);
  EXPECT_EQ(surface.Text(), "");
}

struct ClipCase {
  const char* name;
  Point64 from;
  Point64 to;
  const char* trace;  // after the first move
};

const ClipCase kClipCases[] = {
    {"vertical from far above", {5, -kFar}, {5, 100}, "move 5 -67108864\nline 5 100\n"},
    {"vertical to far below", {5, 100}, {5, 3 * kFar}, "line 5 67108864\n"},
    {"diagonal from far",
     {-4 * kFar, -4 * kFar},
     {100, 100},
     "move -67108864 -67108864\nline 100 100\n"},
    {"far to far across", {-kFar, 7}, {kFar, 7}, "move -67108864 7\nline 67108864 7\n"},
    // x leaves at a quarter of the way: y = 0.75 rounds to 1.
    {"rounded to the nearest pixel", {0, 0}, {4 * kBox, 3}, "line 67108864 1\n"},
    {"far to far outside", {kFar, kFar}, {kFar, -kFar}, ""},
    {"far to far past a corner", {kBox + 10, -kFar}, {kFar, -kBox - 10}, ""},
    // The 32-bit extremes of a clamped pixel, half a tick mark further.
    {"beyond 32 bits",
     {300, 2147483647LL + 1073741824LL},
     {300, -2147483648LL - 1073741824LL},
     "move 300 67108864\nline 300 -67108864\n"},
};

TEST(SegmentClipperTest, LinesWithAFarEndAreCutToTheBox) {
  for (const ClipCase& c : kClipCases) {
    TraceSurface surface;
    SegmentClipper clipper(surface);
    clipper.MoveTo(c.from);
    clipper.LineTo(c.to);
    const std::string firstMove =
        IsNear(c.from) ? "move " + std::to_string(c.from.x) + " " + std::to_string(c.from.y) + "\n"
                       : "";
    EXPECT_EQ(surface.Text(), firstMove + c.trace) << c.name;
  }
}

TEST(SegmentClipperTest, DrawingGoesOnFromTheFarEndOfALine) {
  TraceSurface surface;
  SegmentClipper clipper(surface);
  clipper.MoveTo({0, 0});
  clipper.LineTo({kFar, 0});
  // From (2^30, 0) to (10, 10): at x = 2^26, y = 10 * (2^30 - 2^26) / (2^30 - 10) = 9.375.
  clipper.LineTo({10, 10});
  // The surface is already at the start of the next line.
  clipper.LineTo({20, 20});
  EXPECT_EQ(surface.Text(), "move 0 0\nline 67108864 0\nmove 67108864 9\nline 10 10\nline 20 20\n");
}

// A near point outside the clip box: the line to it is sent as it is, the
// surface's position then is not the clipped start of the next line.
TEST(SegmentClipperTest, NearEndsOutsideTheBox) {
  TraceSurface surface;
  SegmentClipper clipper(surface);
  clipper.MoveTo({0, 0});
  clipper.LineTo({100000000, 0});
  clipper.LineTo({kFar, 0});  // outside the box all the way: nothing
  clipper.LineTo({100000000, 4});
  clipper.LineTo({0, 4});
  EXPECT_EQ(surface.Text(), "move 0 0\nline 100000000 0\nmove 100000000 4\nline 0 4\n");
}

// DrawAsymptote moves back to the position it found, which may be far off.
TEST(SegmentClipperTest, MoveReturnsTheLogicalPosition) {
  TraceSurface surface;
  surface.MoveTo(7, 8);
  SegmentClipper clipper(surface);
  EXPECT_EQ(clipper.MoveTo({3, 2}), (Point64{7, 8}));
  clipper.LineTo({3, -kFar});
  const Point64 kept = clipper.MoveTo({3, 0});
  EXPECT_EQ(kept, (Point64{3, -kFar}));
  clipper.LineTo({3, 50});
  EXPECT_EQ(clipper.MoveTo(kept), (Point64{3, 50}));
  clipper.LineTo({3, 60});
  EXPECT_EQ(surface.Text(),
            "move 7 8\nmove 3 2\nline 3 -67108864\nmove 3 0\nline 3 50\nmove 3 -67108864\n"
            "line 3 60\n");
}

TEST(SegmentClipperTest, FirstFarMoveReportsAFreshPosition) {
  TraceSurface surface;
  SegmentClipper clipper(surface);
  EXPECT_EQ(clipper.MoveTo({kFar, 0}), (Point64{0, 0}));
  EXPECT_EQ(clipper.MoveTo({1, 1}), (Point64{kFar, 0}));
}

}  // namespace
}  // namespace ondrix
