#include "render/trace_surface.h"

#include <gtest/gtest.h>

#include "surface_programs.h"

namespace ondrix::test {
namespace {

// One line per drawing call; what MoveTo, SetBackgroundColor and
// SetViewportExtent hand back follows the ';' after each call.
TEST(TraceSurfaceTest, RecordsEveryCallAndHandsBackWhatGdiWould) {
  TraceSurface trace;
  std::string results;
  for (const Op& op :
       {Fill(kIntMin, kIntMax, -1, 0, 0xFFFFFFFF), Background(0x00C0C0C0), Background(0x10FF0001),
        Pen(PenStyle::Solid, 0), At(OpKind::Move, 399, 0), At(OpKind::Line, -5, 600000),
        At(OpKind::Move, kIntMin, kIntMax), At(OpKind::Move, 1, 2), Op{OpKind::RestorePen},
        Pen(PenStyle::Dot, 0xABCDEF), Pen(PenStyle::Dash, 0xFF),
        At(OpKind::Pixel, kIntMax, -3, 0xFF00), At(OpKind::Viewport, 799, 599),
        At(OpKind::Viewport, 3, 4), Text(5, -6, ""), Text(0, 0, "  two\nlines\r ")}) {
    results += Apply(trace, op) + ';';
  }
  EXPECT_EQ(results, ";16777215;12632256;;0 0;;-5 600000;-2147483648 2147483647;;;;;1 1;1 1;;;");
  EXPECT_EQ(trace.Text(),
            "fill -2147483648 2147483647 -1 0 0xFFFFFFFF\n"
            "bk 0x00C0C0C0\nbk 0x10FF0001\npen SOLID 0x00000000\n"
            "move 399 0\nline -5 600000\nmove -2147483648 2147483647\nmove 1 2\npen restore\n"
            "pen DOT 0x00ABCDEF\npen DASH 0x000000FF\npixel 2147483647 -3 0x0000FF00\n"
            "text 5 -6 \ntext 0 0   two lines  \n");
}

}  // namespace
}  // namespace ondrix::test
