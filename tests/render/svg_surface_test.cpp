#include "render/svg_surface.h"

#include <gtest/gtest.h>

#include <functional>

namespace ondrix {
namespace {

// What calls on a 40x30 drawing must write, in this order. The fidelity corpus holds the rest to
// RasterSurface's pixels, but it cannot see how lines share paths, nor text other than the error
// line.
const struct {
  const char* name;
  std::function<void(Surface&)> calls;
  std::vector<std::string> pieces;
} kCases[] = {
    {"slanting lines a pixel apart keep to paths of their own, two apart share one",
     [](Surface& s) {
       s.MoveTo(0, 0), s.LineTo(2, 10), s.MoveTo(4, 0), s.LineTo(6, 10), s.MoveTo(9, 0);
       s.LineTo(11, 10);
     },
     {"stroke-width=\".980581\" d=\"M.4 0l2 10\"/>",
      "stroke-width=\".980581\" d=\"M4.4 0l2 10m3-10l2 10\"/>"}},
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
      at = document.find(piece, at);
      EXPECT_NE(at, std::string::npos) << test.name << ": " << piece << " not in order in\n"
                                       << document;
    }
  }
}

}  // namespace
}  // namespace ondrix
