// SvgSurface's drawings: xmllint, then librsvg's rsvg-convert held against RasterSurface.
#if ONDRIX_HAVE_PNG && !defined(_WIN32)
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "render/raster_surface.h"
#include "render/svg_surface.h"
#include "surface_programs.h"

namespace ondrix::test {
namespace {

// Composed over white, where RasterSurface starts; empty when it cannot be read.
RasterSurface ReadPng(const std::string& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  const png_color white{255, 255, 255};
  std::vector<png_byte> rgb(
      png_image_begin_read_from_file(&png, path.c_str()) ? 3 * png.width * png.height : 0);
  png.format = PNG_FORMAT_RGB;
  if (rgb.empty() || !png_image_finish_read(&png, &white, rgb.data(), 0, nullptr))
    return RasterSurface(0, 0);
  RasterSurface image(png.width, png.height);
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
    image.SetPixel(i / 3 % png.width, i / 3 / png.width, MakeColor(rgb[i], rgb[i + 1], rgb[i + 2]));
  return image;
}

// The first pixel of `a` not in the background colour without a pixel of its colour within one
// pixel in `b`, outside `exempt` (x0, y0, x1, y1); "" if none.
std::string FirstUnmatched(const RasterSurface& a, const char* aName, const RasterSurface& b,
                           const char* bName, Color background, const std::int32_t (&exempt)[4]) {
  for (std::int32_t y = 0; y < a.Height(); ++y) {
    for (std::int32_t x = 0; x < a.Width(); ++x) {
      const Color color = a.PixelAt(x, y);
      bool found = color == background ||
                   (x >= exempt[0] && x < exempt[2] && y >= exempt[1] && y < exempt[3]);
      for (std::int32_t v = std::max(y - 1, 0); !found && v <= std::min(y + 1, b.Height() - 1); ++v)
        for (std::int32_t u = std::max(x - 1, 0); !found && u <= std::min(x + 1, b.Width() - 1);
             ++u)
          found = b.PixelAt(u, v) == color;
      if (!found) {
        char text[160];
        std::snprintf(text, sizeof text, "%s's pixel (%d, %d) 0x%06X: none near in %s", aName, x, y,
                      color, bName);
        return text;
      }
    }
  }
  return "";
}

// A picture, named in failures, with its place in the composite drawing.
struct Drawing {
  std::string name;
  std::int32_t width, height;
  Color background;  // pixels of it are no ink
  std::function<void(Surface&)> draw;
  std::string document{};
  std::int32_t x = 0, y = 0;
};

// The graph cases up to 800x600 (a fifth of the odd ones), the error graph, 300 call programs.
std::vector<Drawing> Drawings() {
  std::mt19937_64 engine(18);
  const auto next = [&engine](std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(engine() % static_cast<std::uint64_t>(high - low + 1));
  };
  std::vector<GraphCase> graphs = GraphCases(next);
  GraphCase error = graphs[4];
  error.settings.values[MinimumX] = 10;
  error.name += ", Minimum X=10: the error line";
  graphs.push_back(error);
  std::vector<Drawing> drawings;
  for (std::size_t i = 0; i < graphs.size(); ++i) {
    const GraphCase g = graphs[i];
    if ((i < 72 || i % 5 == 0 || i >= 288) && g.width <= 800)
      drawings.push_back(
          {g.name, g.width, g.height, DeviceColor(g.settings.colors[Background]),
           [g](Surface& s) { DrawGraph(s, 0, 0, g.width, g.height, g.settings, g.options); }});
  }
  const std::vector<Program> programs = Programs(false, true);
  for (std::size_t i = 0; i < 300; ++i) {
    const Program p = programs[i];
    drawings.push_back(
        {"call program " + std::to_string(i), p.width, p.height, 0x00FFFFFF, [p](Surface& s) {
           for (const Call& call : p.calls)
             call(s);
         }});
  }
  return drawings;
}

TEST(SvgFidelity, DrawingsRenderedByLibrsvgLieWithinAPixelOfTheRaster) {
  ASSERT_EQ(std::system("rsvg-convert --version"), 0)
      << "rsvg-convert (Debian package librsvg2-bin) is needed: scripts/setup installs it";
  // One composite drawing, each document at whole pixels, so one run of the renderer draws all.
  const std::string all = ::testing::TempDir() + "ondrix-svg-fidelity";
  std::vector<Drawing> drawings = Drawings();
  std::string composite;
  std::int32_t x = 0, y = 0, shelf = 0, width = 0;
  for (Drawing& drawing : drawings) {
    SvgSurface svg(drawing.width, drawing.height);
    drawing.draw(svg);
    drawing.document = svg.Document();
    if (x + drawing.width > 2048)
      x = 0, y += shelf, shelf = 0;
    drawing.x = x;
    drawing.y = y;
    composite += "<svg x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" " +
                 drawing.document.substr(drawing.document.find("<svg ") + 5);
    x += drawing.width;
    shelf = std::max(shelf, drawing.height);
    width = std::max(width, x);
  }
  std::ofstream(all + ".svg", std::ios::binary)
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\""
      << y + shelf << "\">\n"
      << composite << "</svg>\n";
  ASSERT_EQ(std::system(("xmllint --noout " + all + ".svg").c_str()), 0) << "not well-formed XML";
  ASSERT_EQ(std::system(("rsvg-convert -o " + all + ".png " + all + ".svg").c_str()), 0);
  const RasterSurface rendered = ReadPng(all + ".png");
  ASSERT_GT(rendered.Width(), 0) << "cannot read " << all << ".png";

  for (const Drawing& drawing : drawings) {
    RasterSurface svg(drawing.width, drawing.height), raster(drawing.width, drawing.height);
    for (std::int32_t v = 0; v < drawing.height; ++v)
      for (std::int32_t u = 0; u < drawing.width; ++u)
        svg.SetPixel(u, v, rendered.PixelAt(drawing.x + u, drawing.y + v));
    drawing.draw(raster);
    // The error line's font is the renderer's: its text must be there, its cells are left out.
    std::int32_t text[4] = {0, 0, 0, 0};
    if (drawing.document.find("<text") != std::string::npos) {
      EXPECT_NE(drawing.document.find(std::string(">") + kGraphErrorText + "</text>"),
                std::string::npos);
      text[2] = std::min<std::int32_t>(6 * std::strlen(kGraphErrorText) + 1, drawing.width);
      text[3] = std::min(11, drawing.height);
    }
    const RasterSurface* images[] = {&raster, &svg};
    const char* names[] = {"the raster", "the SVG's rendering"};
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(FirstUnmatched(*images[i], names[i], *images[1 - i], names[1 - i],
                               drawing.background, text),
                "")
          << drawing.name;
  }
}

}  // namespace
}  // namespace ondrix::test
#endif
