// A surface that writes what it is given as an SVG 1.1 drawing in pixel
// coordinates: rendered at its own size without smoothing, it lies within a
// pixel of what RasterSurface draws for the same calls, and it scales.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/dc_state.h"
#include "render/surface.h"

namespace ondrix {

// A point of the drawing, in thousandths of a pixel.
struct SvgPoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
};

class SvgSurface : public Surface {
 public:
  // The drawing's view box, width and height: (0, 0) to (width, height),
  // one unit a pixel. A fresh DC: black solid pen, white background colour,
  // current position (0, 0); nothing is painted until a call paints it.
  // A negative width or height counts as 0.
  SvgSurface(std::int32_t width, std::int32_t height);

  void FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                     Color color) override;
  void SelectPen(PenStyle style, Color color) override;
  void RestorePen() override;
  Color SetBackgroundColor(Color color) override;
  // The default mapping mode ignores viewport extents: always hands back (1, 1).
  SurfaceExtent SetViewportExtent(std::int32_t cx, std::int32_t cy) override;
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override;
  // Cells in the background colour under black monospace text, where
  // RasterSurface draws its bitmap font.
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;

  // The complete document for everything drawn so far, the same bytes for
  // the same calls. Drawing may go on afterwards.
  std::string Document() const;

 private:
  // Pixel bounds, inclusive.
  struct Box {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = -1;
    std::int64_t bottom = -1;
  };

  // Path data being written, with the point it has reached.
  struct PathData {
    std::string text;
    SvgPoint cursor;
  };

  // Slanting lines of one stroke width, in millionths of a pixel, that lie
  // clear of each other: librsvg's crisp rendering fills a one-pixel gap
  // between two shapes of one path.
  struct Layer {
    std::int64_t width = 0;
    // Pixels of its dash pattern that its lines' first pixels come after.
    std::int64_t phase = 0;
    PathData data;
    std::vector<Box> boxes;
  };

  // The <path> elements being gathered: lines and pixels drawn one after
  // another in one colour and pen style, painted together. That is the same
  // picture: solid ones are one colour whatever their order, and the lines of
  // a dashed pen, whose gaps are painted first, lie clear of each other's
  // pixels. Horizontal and vertical strokes are a pixel wide, with mitred
  // corners; a slanting line is a pixel wide across its major axis, which
  // lights GDI's pixels.
  struct OpenPath {
    bool active = false;
    PenStyle style = PenStyle::Solid;
    Color color = 0;
    Color gap = 0;
    Box box;
    PathData straight;
    std::vector<Layer> layers;
    // A polyline of straight solid LineTos still open at `vertex` (the last
    // LineTo's end): `endCentre` is that pixel's centre, `shortEnd` the end
    // that leaves it out, as a lone LineTo does; `step` the last direction.
    bool polylineOpen = false;
    SurfacePoint vertex;
    SurfacePoint step;
    SvgPoint endCentre;
    SvgPoint shortEnd;
  };

  void DrawLine(SurfacePoint from, SurfacePoint to);
  // Makes `path_` the one for this pen and colour, writing out the one
  // before it when they differ or when a dashed line's `box` comes too near
  // the lines already in it.
  void UsePath(PenStyle style, Color color, const Box& box, bool slanted);
  // The data of a layer of `width` and `phase` clear of `box`, a new one if
  // none is.
  PathData& LayerFor(std::int64_t width, std::int64_t phase, const Box& box);
  void AddPixel(std::int64_t x, std::int64_t y, Color color);
  static void ClosePolyline(OpenPath& path);
  static std::string Elements(const OpenPath& path);
  void FlushPath();

  std::int32_t width_;
  std::int32_t height_;
  std::string body_;
  OpenPath path_;
  DcState dc_;
};

// Text as XML character data or an attribute value: &, <, >, " and ' as
// entities; bytes outside printable ASCII, which the bitmap font shows as a
// hollow box, as U+25A1 WHITE SQUARE.
std::string XmlEscaped(std::string_view text);

}  // namespace ondrix
