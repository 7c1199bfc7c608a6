#include "render/svg_surface.h"

#include <gtest/gtest.h>

#include <functional>

namespace ondrix {
namespace {

// What a few calls on a 40x30 drawing must write, in this order; a piece
// starting with '!' must not be written at all.
const struct {
  const char* name;
  std::function<void(Surface&)> calls;
  std::vector<std::string> pieces;
} kCases[] = {
    {"solid lines leave their end pixel out, either way",
     [](Surface& s) {
       s.MoveTo(2, 1), s.LineTo(6, 1);
       s.MoveTo(6, 3), s.LineTo(2, 3);
     },
     {"<path stroke=\"#000000\" d=\"M2 1.5h4m1 2h-4\"/>"}},
    {"dashes start on their first pixel, after the gaps in the background colour",
     [](Surface& s) {
       s.SetBackgroundColor(0x00112233);
       s.SelectPen(PenStyle::Dash, 0x000000FF);
       s.MoveTo(1, 29), s.LineTo(1, 0);
     },
     {"<path stroke=\"#332211\" d=\"M1.5 30v-29\"/>",
      "<path stroke=\"#ff0000\" stroke-dasharray=\"18 6\" d=\"M1.5 30v-29\"/>"}},
    {"a line from far off starts whole periods back, in step with its dots",
     [](Surface& s) {
       s.SelectPen(PenStyle::Dot, 0);
       s.MoveTo(-100, 2), s.LineTo(10, 2);
       s.MoveTo(5000, 4), s.LineTo(-5000, 4);
     },
     {"stroke-dasharray=\"3 3\" d=\"M-4 2.5h14m35 2h-47\"/>"}},
    {"a polyline turns at its vertices' centres and leaves its last pixel out",
     [](Surface& s) {
       s.SelectPen(PenStyle::Solid, 0x00808080);
       s.MoveTo(1, 1), s.LineTo(5, 1), s.LineTo(5, 1), s.LineTo(5, 4), s.LineTo(5, 2);
     },
     {"<path stroke=\"#808080\" d=\"M1 1.5h4.5v2.5m0 1v-2\"/>"}},
    {"a slanting line is one pixel across its major axis and lights GDI's tie pixel",
     [](Surface& s) { s.MoveTo(0, 0), s.LineTo(2, 1); },
     {"<path stroke=\"#000000\" stroke-width=\".894427\" d=\"M0 0l2 1\"/>"}},
    {"slanting lines a pixel apart keep to paths of their own, two apart share one",
     [](Surface& s) {
       s.MoveTo(0, 0), s.LineTo(2, 10), s.MoveTo(4, 0), s.LineTo(6, 10), s.MoveTo(9, 0);
       s.LineTo(11, 10);
     },
     {"stroke-width=\".980581\" d=\"M.4 0l2 10\"/>",
      "stroke-width=\".980581\" d=\"M4.4 0l2 10m3-10l2 10\"/>"}},
    {"a slanting dashed line stretches its pattern along itself",
     [](Surface& s) {
       s.SelectPen(PenStyle::Dash, 0);
       s.MoveTo(0, 0), s.LineTo(40, 20);
     },
     {"stroke-width=\".894427\" stroke-dasharray=\"20.124616 6.708205\" d=\"M0 0l40 20\"/>"}},
    {"pixels are unit squares, one path per colour run; off the drawing, nothing",
     [](Surface& s) {
       s.SetPixel(5, 7, 0x01000001), s.SetPixel(39, 29, 0x00000080), s.SetPixel(40, 1, 0);
       s.SetPixel(-1, 1, 0), s.SetPixel(1, 0, 0x00000081);
     },
     {"<path stroke=\"#800000\" d=\"M5 7.5h1m33 22h1\"/>",
      "<path stroke=\"#810000\" d=\"M1 .5h1\"/>", "!#000000"}},
    {"rectangles in either corner order, clipped; a 1x1 one paints nothing",
     [](Surface& s) {
       s.FillRectangle(3, 3, 4, 4, 0x00FF00FF), s.FillRectangle(9, 8, 7, 3, 0x10FF0003);
       s.FillRectangle(-5, 28, 100, 31, 0x00000001);
     },
     {"!#ff00ff", "<rect x=\"7\" y=\"3\" width=\"2\" height=\"5\" fill=\"#000000\"/>",
      "<rect x=\"0\" y=\"28\" width=\"40\" height=\"2\" fill=\"#010000\"/>"}},
    {"text is escaped and sits on background cells",
     [](Surface& s) { s.TextOut(2, 3, "a<b&\"c'\x1F\xE9>"); },
     {"<rect x=\"2\" y=\"3\" width=\"38\" height=\"10\" fill=\"#ffffff\"/>",
      "<text x=\"2\" y=\"11\" fill=\"#000000\" font-family=\"monospace\" font-size=\"10\" "
      "textLength=\"60\" "
      "xml:space=\"preserve\">a&lt;b&amp;&quot;c&apos;&#x25A1;&#x25A1;&gt;</text>"}},
};

TEST(SvgSurfaceTest, CallsBecomeTheirElements) {
  for (const auto& test : kCases) {
    SvgSurface svg(40, 30);
    test.calls(svg);
    const std::string document = svg.Document();
    std::size_t at = document.find("viewBox=\"0 0 40 30\"");
    EXPECT_NE(at, std::string::npos) << document;
    for (const std::string& piece : test.pieces) {
      const bool absent = piece[0] == '!';
      const std::size_t found = document.find(piece.substr(absent), absent ? 0 : at);
      EXPECT_EQ(found == std::string::npos, absent)
          << test.name << ": " << piece << (absent ? "" : " not") << " in order in\n"
          << document;
      at = absent ? at : found;
    }
  }
}

}  // namespace
}  // namespace ondrix
