#include "render/svg_surface.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

#include "render/bitmap_font.h"
#include "render/line_walk.h"
#include "render/raster_surface.h"

namespace ondrix {
namespace {

// Coordinates are written in thousandths of a pixel: fine enough for the
// slopes of any line, short enough to keep the file small.
constexpr std::int64_t kUnit = 1000;
// Stroke widths and the dash lengths of slanting lines in millionths, so
// that thousands of dashes along one line drift by less than a pixel.
constexpr std::int64_t kFineUnit = 1000000;
// Lines keep this many pixels beyond the edges and lose the rest: renderers
// lose precision far out, and the part off the drawing shows nothing.
constexpr std::int64_t kMargin = 2;
// The bitmap font's baseline, from the top of its cell.
constexpr int kBaseline = 8;
const char kTextColor[] = "#000000";

std::string ColorText(Color color) {
  const Color device = DeviceColor(color);
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(device & 0xFF),
                static_cast<unsigned>((device >> 8) & 0xFF),
                static_cast<unsigned>((device >> 16) & 0xFF));
  return text;
}

// `value` / `unit` in the shortest decimal form: no trailing zeros, no
// leading zero before the point. A blank separates it from a number before it.
void AppendNumber(std::string& out, std::int64_t value, std::int64_t unit = kUnit) {
  std::string digits;
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const std::uint64_t whole = magnitude / static_cast<std::uint64_t>(unit);
  std::uint64_t fraction = magnitude % static_cast<std::uint64_t>(unit);
  if (whole != 0 || fraction == 0) {
    digits = std::to_string(whole);
  }
  if (fraction != 0) {
    digits += '.';
    for (std::uint64_t place = static_cast<std::uint64_t>(unit) / 10; fraction != 0; place /= 10) {
      digits += static_cast<char>('0' + fraction / place);
      fraction %= place;
    }
  }
  if (value < 0) {
    out += '-';
  } else if (!out.empty() &&
             (std::isdigit(static_cast<unsigned char>(out.back())) != 0 || out.back() == '.')) {
    out += ' ';
  }
  out += digits;
}

void AppendMove(std::string& data, SvgPoint& cursor, SvgPoint to) {
  if (data.empty()) {
    data += 'M';
    AppendNumber(data, to.x);
    AppendNumber(data, to.y);
  } else {
    data += 'm';
    AppendNumber(data, to.x - cursor.x);
    AppendNumber(data, to.y - cursor.y);
  }
  cursor = to;
}

void AppendLine(std::string& data, SvgPoint& cursor, SvgPoint to) {
  const std::int64_t dx = to.x - cursor.x;
  const std::int64_t dy = to.y - cursor.y;
  if (dy == 0) {
    data += 'h';
    AppendNumber(data, dx);
  } else if (dx == 0) {
    data += 'v';
    AppendNumber(data, dy);
  } else {
    data += 'l';
    AppendNumber(data, dx);
    AppendNumber(data, dy);
  }
  cursor = to;
}

SvgPoint Centre(SurfacePoint pixel) {
  return {kUnit * pixel.x + kUnit / 2, kUnit * pixel.y + kUnit / 2};
}

// How far, in thousandths, a slanting line is moved towards the smaller
// minor coordinate so that its stroke, one pixel across, covers exactly the
// centres of pixels first to last - 1 of the walk: the middle of the range
// of such moves. Pixel k's centre is covered when the move is below
// r_k / 2span, r_k = (2k dMinor + span) mod 2span, or when r_k is 0 (a tie,
// which GDI gives the smaller coordinate) and the move is above 0; and its
// neighbour towards the larger coordinate stays out when the move is above
// r_k / 2span - 1.
std::int64_t FittedShift(const LineWalk& walk, std::int64_t first, std::int64_t last) {
  const std::int64_t period = 2 * walk.span;
  std::int64_t r = 2 * first * walk.dMinor + walk.span;
  r -= FloorDiv(r, period) * period;
  const std::int64_t step = 2 * walk.dMinor - FloorDiv(2 * walk.dMinor, period) * period;
  std::int64_t low = -period;
  std::int64_t high = period;
  for (std::int64_t k = first; k < last; ++k) {
    low = std::max(low, r == 0 ? 0 : r - period);
    high = r == 0 ? high : std::min(high, r);
    r += step;
    r -= r >= period ? period : 0;
  }
  return FloorDiv(kUnit * (low + high) + period, 2 * period);
}

// The point of the walk's centre line half a step before pixel k, moved by
// `shift` thousandths towards the smaller minor coordinate: the edge where
// pixel k's share of the stroke begins.
SvgPoint EdgeBefore(const LineWalk& walk, std::int64_t k, std::int64_t shift) {
  const std::int64_t major =
      kUnit * walk.major0 + kUnit / 2 + walk.majorStep * (kUnit * k - kUnit / 2);
  // The minor offset (2k - 1) * dMinor / (2 * span), rounded to thousandths
  // in exact integers.
  const std::int64_t numerator = (2 * k - 1) * walk.dMinor;
  const std::int64_t denominator = 2 * walk.span;
  const std::int64_t quotient = FloorDiv(numerator, denominator);
  const std::int64_t remainder = numerator - quotient * denominator;
  const std::int64_t minor = kUnit * walk.minor0 + kUnit / 2 + kUnit * quotient +
                             FloorDiv(2 * kUnit * remainder + denominator, 2 * denominator) - shift;
  return walk.xMajor ? SvgPoint{major, minor} : SvgPoint{minor, major};
}

// The stroke width, in millionths, that covers one pixel centre across the
// major axis: cos of the line's angle to it.
std::int64_t StrokeWidth(const LineWalk& walk) {
  const double span = static_cast<double>(walk.span);
  const double minor = static_cast<double>(walk.dMinor);
  const std::int64_t width =
      std::llround(static_cast<double>(kFineUnit) * span / std::sqrt(span * span + minor * minor));
  // Below a whole pixel even for a line that barely slants, so that straight
  // strokes keep a path of their own.
  return std::min(width, kFineUnit - 1);
}

std::string RectElement(std::int64_t left, std::int64_t top, std::int64_t right,
                        std::int64_t bottom, const std::string& fill) {
  return "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) + "\" width=\"" +
         std::to_string(right - left) + "\" height=\"" + std::to_string(bottom - top) +
         "\" fill=\"" + fill + "\"/>\n";
}

// Boxes nearer than this leave no gap of a single pixel between them.
constexpr std::int64_t kClearance = 2;
// How far back a slanting line looks for a layer to join, and how many lines
// a layer takes: enough to keep a curve's layers few, few enough to keep
// the search short.
constexpr std::size_t kLayersSearched = 4;
constexpr std::size_t kLinesPerLayer = 512;

// Whether [aLow, aHigh] comes within `margin` of [bLow, bHigh].
bool Near(std::int64_t aLow, std::int64_t aHigh, std::int64_t bLow, std::int64_t bHigh,
          std::int64_t margin) {
  return aLow <= bHigh + margin && bLow <= aHigh + margin;
}

}  // namespace

std::string XmlEscaped(std::string_view text) {
  std::string escaped;
  for (const char character : text) {
    switch (character) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        if (character >= 0x20 && character < 0x7F) {
          escaped += character;
        } else {
          escaped += "&#x25A1;";
        }
    }
  }
  return escaped;
}

SvgSurface::SvgSurface(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {}

void SvgSurface::FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom, Color color) {
  // As RasterSurface: [left, right) x [top, bottom) in either corner order,
  // and nothing for a 1x1 rectangle.
  std::int64_t l = std::min(left, right);
  std::int64_t r = std::max(left, right);
  std::int64_t t = std::min(top, bottom);
  std::int64_t b = std::max(top, bottom);
  if (l == r || t == b || (r - l == 1 && b - t == 1)) {
    return;
  }
  l = std::max<std::int64_t>(l, 0);
  t = std::max<std::int64_t>(t, 0);
  r = std::min<std::int64_t>(r, width_);
  b = std::min<std::int64_t>(b, height_);
  if (l >= r || t >= b) {
    return;
  }
  FlushPath();
  body_ += RectElement(l, t, r, b, ColorText(color));
}

void SvgSurface::SelectPen(PenStyle style, Color color) {
  dc_.SelectPen(style, color);
}

void SvgSurface::RestorePen() {
  dc_.RestorePen();
}

Color SvgSurface::SetBackgroundColor(Color color) {
  return dc_.SetBackground(color);
}

SurfaceExtent SvgSurface::SetViewportExtent(std::int32_t, std::int32_t) {
  return SurfaceExtent{};
}

SurfacePoint SvgSurface::MoveTo(std::int32_t x, std::int32_t y) {
  return dc_.MoveTo({x, y});
}

void SvgSurface::LineTo(std::int32_t x, std::int32_t y) {
  DrawLine(dc_.Position(), {x, y});
  dc_.MoveTo({x, y});
}

void SvgSurface::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  AddPixel(x, y, color);
}

void SvgSurface::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  const std::int64_t right =
      static_cast<std::int64_t>(x) + kFontCellWidth * static_cast<std::int64_t>(text.size());
  const std::int64_t left = std::max<std::int64_t>(x, 0);
  const std::int64_t top = std::max<std::int64_t>(y, 0);
  const std::int64_t cellsRight = std::min<std::int64_t>(right, width_);
  const std::int64_t cellsBottom =
      std::min<std::int64_t>(static_cast<std::int64_t>(y) + kFontCellHeight, height_);
  if (left >= cellsRight || top >= cellsBottom) {
    return;
  }
  FlushPath();
  body_ += RectElement(left, top, cellsRight, cellsBottom, ColorText(dc_.Background()));
  body_ += "<text x=\"" + std::to_string(x) + "\" y=\"" +
           std::to_string(static_cast<std::int64_t>(y) + kBaseline) + "\" fill=\"" + kTextColor +
           "\" font-family=\"monospace\" font-size=\"" + std::to_string(kFontCellHeight) +
           "\" textLength=\"" + std::to_string(right - x) + "\" xml:space=\"preserve\">" +
           XmlEscaped(text) + "</text>\n";
}

std::string SvgSurface::Document() const {
  std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
      std::to_string(width_) + "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " +
      std::to_string(width_) + " " + std::to_string(height_) +
      "\" fill=\"none\" shape-rendering=\"crispEdges\">\n";
  document += body_;
  if (path_.active) {
    OpenPath closed = path_;
    ClosePolyline(closed);
    document += Elements(closed);
  }
  document += "</svg>\n";
  return document;
}

void SvgSurface::DrawLine(SurfacePoint from, SurfacePoint to) {
  const bool dashed = dc_.CurrentPen().style != PenStyle::Solid;
  LineWalk walk;
  if (!WalkLine(from, to, dashed, walk) || walk.count == 0 || width_ == 0 || height_ == 0) {
    return;
  }
  if (walk.span == 0) {
    // Both ends cropped onto one point: a dashed walk lights that pixel.
    AddPixel(walk.major0, walk.minor0, dc_.CurrentPen().color);
    return;
  }
  // Only the part of the line near the drawing is written. Its start moves
  // by whole pattern periods, so that the dashes keep their places, except
  // that a slanting dashed line ends at the drawing's edges and starts its
  // pattern at its phase there: librsvg's crisp rendering would join a dash
  // cut away by the edge to one a pixel inside it.
  const bool slanted = walk.dMinor != 0;
  const DashPattern pattern = PatternOf(dc_.CurrentPen().style);
  const std::int64_t margin = dashed && slanted ? 0 : kMargin;
  const std::int64_t majorSize = walk.xMajor ? width_ : height_;
  const std::int64_t minorSize = walk.xMajor ? height_ : width_;
  std::int64_t first =
      walk.majorStep > 0 ? -margin - walk.major0 : walk.major0 - (majorSize - 1 + margin);
  std::int64_t last =
      walk.majorStep > 0 ? majorSize + margin - walk.major0 : walk.major0 + margin + 1;
  first = std::max<std::int64_t>(first, 0);
  const std::int64_t phase = first % pattern.period;
  first -= margin != 0 ? phase : 0;
  last = std::min(last, walk.count);
  if (first >= last) {
    return;
  }
  const std::int64_t minorFirst = MinorAt(walk, first);
  const std::int64_t minorLast = MinorAt(walk, last - 1);
  const std::int64_t majorFirst = walk.major0 + first * walk.majorStep;
  const std::int64_t majorLast = walk.major0 + (last - 1) * walk.majorStep;
  Box box{std::min(majorFirst, majorLast), std::min(minorFirst, minorLast),
          std::max(majorFirst, majorLast), std::max(minorFirst, minorLast)};
  if (box.bottom < 0 || box.top >= minorSize) {
    return;
  }
  if (!walk.xMajor) {
    box = Box{box.top, box.left, box.bottom, box.right};
  }

  UsePath(dc_.CurrentPen().style, dc_.CurrentPen().color, box, slanted);
  PathData& data =
      slanted ? LayerFor(StrokeWidth(walk), margin != 0 ? 0 : phase, box) : path_.straight;
  const std::int64_t shift = slanted ? FittedShift(walk, first, last) : 0;
  const SvgPoint start = EdgeBefore(walk, first, shift);
  const SvgPoint end = EdgeBefore(walk, last, shift);
  if (slanted || dashed) {
    AppendMove(data.text, data.cursor, start);
    AppendLine(data.text, data.cursor, end);
    return;
  }
  // A straight solid LineTo from where the last one ended goes on as one
  // polyline: the vertex they share is the pixel the earlier line left out
  // and this one lights, and a right-angled turn's mitred corner is exactly
  // that pixel.
  const SurfacePoint step{to.x > from.x   ? 1
                          : to.x < from.x ? -1
                                          : 0,
                          to.y > from.y   ? 1
                          : to.y < from.y ? -1
                                          : 0};
  const bool whole = first == 0 && last == walk.count;
  if (whole && path_.polylineOpen && path_.vertex.x == from.x && path_.vertex.y == from.y &&
      step.x * path_.step.x + step.y * path_.step.y >= 0) {
    AppendLine(data.text, data.cursor, path_.endCentre);
  } else {
    ClosePolyline(path_);
    AppendMove(data.text, data.cursor, start);
  }
  if (whole) {
    path_.polylineOpen = true;
    path_.vertex = to;
    path_.step = step;
    path_.endCentre = Centre(to);
    path_.shortEnd = end;
  } else {
    AppendLine(data.text, data.cursor, end);
  }
}

void SvgSurface::UsePath(PenStyle style, Color color, const Box& box, bool slanted) {
  const Color device = DeviceColor(color);
  const bool dashed = style != PenStyle::Solid;
  const Color gap = dashed ? DeviceColor(dc_.Background()) : 0;
  // The lines of a dashed pen come apart by a pixel, and slanting ones by a
  // pixel more, as within a layer.
  const std::int64_t margin = slanted || !path_.layers.empty() ? kClearance : 0;
  const bool joins =
      path_.active && path_.style == style && path_.color == device &&
      (!dashed ||
       (path_.gap == gap && !(Near(box.left, box.right, path_.box.left, path_.box.right, margin) &&
                              Near(box.top, box.bottom, path_.box.top, path_.box.bottom, margin))));
  if (!joins) {
    FlushPath();
    path_.active = true;
    path_.style = style;
    path_.color = device;
    path_.gap = gap;
    path_.box = box;
  }
  if (dashed) {
    path_.box.left = std::min(path_.box.left, box.left);
    path_.box.top = std::min(path_.box.top, box.top);
    path_.box.right = std::max(path_.box.right, box.right);
    path_.box.bottom = std::max(path_.box.bottom, box.bottom);
  }
}

void SvgSurface::AddPixel(std::int64_t x, std::int64_t y, Color color) {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) {
    return;
  }
  // A unit square: a stroke one pixel long across the pixel's middle.
  UsePath(PenStyle::Solid, color, Box{}, false);
  ClosePolyline(path_);
  PathData& data = path_.straight;
  AppendMove(data.text, data.cursor, {kUnit * x, kUnit * y + kUnit / 2});
  AppendLine(data.text, data.cursor, {kUnit * (x + 1), kUnit * y + kUnit / 2});
}

void SvgSurface::ClosePolyline(OpenPath& path) {
  if (path.polylineOpen) {
    AppendLine(path.straight.text, path.straight.cursor, path.shortEnd);
    path.polylineOpen = false;
  }
}

SvgSurface::PathData& SvgSurface::LayerFor(std::int64_t width, std::int64_t phase, const Box& box) {
  std::size_t searched = 0;
  for (auto layer = path_.layers.rbegin();
       layer != path_.layers.rend() && searched < kLayersSearched; ++layer) {
    if (layer->width != width || layer->phase != phase) {
      continue;
    }
    ++searched;
    const bool clear =
        layer->boxes.size() < kLinesPerLayer &&
        std::none_of(layer->boxes.begin(), layer->boxes.end(), [&](const Box& other) {
          return Near(box.left, box.right, other.left, other.right, kClearance) &&
                 Near(box.top, box.bottom, other.top, other.bottom, kClearance);
        });
    if (clear) {
      layer->boxes.push_back(box);
      return layer->data;
    }
  }
  path_.layers.push_back(Layer{width, phase, PathData{}, {box}});
  return path_.layers.back().data;
}

std::string SvgSurface::Elements(const OpenPath& path) {
  // Under a dashed pen, all the gaps first, then the dashes.
  const bool dashed = path.style != PenStyle::Solid;
  const DashPattern pattern = PatternOf(path.style);
  std::vector<Layer> paths;
  if (!path.straight.text.empty()) {
    paths.push_back(Layer{kFineUnit, 0, path.straight, {}});
  }
  paths.insert(paths.end(), path.layers.begin(), path.layers.end());
  std::string elements;
  for (const bool gaps : {true, false}) {
    if (gaps && !dashed) {
      continue;
    }
    for (const Layer& layer : paths) {
      elements += "<path stroke=\"" + ColorText(gaps ? path.gap : path.color) + "\"";
      if (layer.width != kFineUnit) {
        elements += " stroke-width=\"";
        AppendNumber(elements, layer.width, kFineUnit);
        elements += "\"";
      }
      if (dashed && !gaps) {
        // Along a slanting line the pixels are 1 / width apart.
        const auto along = [&layer](std::int64_t pixels) {
          return std::llround(static_cast<double>(pixels) * kFineUnit * kFineUnit / layer.width);
        };
        elements += " stroke-dasharray=\"";
        std::string lengths;
        AppendNumber(lengths, along(pattern.on), kFineUnit);
        AppendNumber(lengths, along(pattern.period - pattern.on), kFineUnit);
        elements += lengths + "\"";
        if (layer.phase != 0) {
          elements += " stroke-dashoffset=\"";
          AppendNumber(elements, along(layer.phase), kFineUnit);
          elements += "\"";
        }
      }
      elements += " d=\"" + layer.data.text + "\"/>\n";
    }
  }
  return elements;
}

void SvgSurface::FlushPath() {
  if (!path_.active) {
    return;
  }
  ClosePolyline(path_);
  body_ += Elements(path_);
  path_ = OpenPath{};
}

}  // namespace ondrix
