#include "render/trace_surface.h"

#include <cstdio>

namespace ondrix {
namespace {

const char* StyleName(PenStyle style) {
  switch (style) {
    case PenStyle::Dot:
      return "DOT";
    case PenStyle::Dash:
      return "DASH";
    case PenStyle::Solid:
      break;
  }
  return "SOLID";
}

std::string Hex(Color color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(color));
  return text;
}

std::string Coordinates(std::int32_t x, std::int32_t y) {
  return std::to_string(x) + ' ' + std::to_string(y);
}

}  // namespace

void TraceSurface::FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom, Color color) {
  text_ +=
      "fill " + Coordinates(left, top) + ' ' + Coordinates(right, bottom) + ' ' + Hex(color) + '\n';
}

void TraceSurface::SelectPen(PenStyle style, Color color) {
  text_ += std::string("pen ") + StyleName(style) + ' ' + Hex(color) + '\n';
}

void TraceSurface::RestorePen() {
  text_ += "pen restore\n";
}

Color TraceSurface::SetBackgroundColor(Color color) {
  text_ += "bk " + Hex(color) + '\n';
  const Color previous = background_;
  background_ = color;
  return previous;
}

SurfaceExtent TraceSurface::SetViewportExtent(std::int32_t, std::int32_t) {
  return SurfaceExtent{};
}

SurfacePoint TraceSurface::MoveTo(std::int32_t x, std::int32_t y) {
  text_ += "move " + Coordinates(x, y) + '\n';
  const SurfacePoint previous = position_;
  position_ = SurfacePoint{x, y};
  return previous;
}

void TraceSurface::LineTo(std::int32_t x, std::int32_t y) {
  text_ += "line " + Coordinates(x, y) + '\n';
  position_ = SurfacePoint{x, y};
}

void TraceSurface::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  text_ += "pixel " + Coordinates(x, y) + ' ' + Hex(color) + '\n';
}

void TraceSurface::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  text_ += "text " + Coordinates(x, y) + ' ';
  for (const char character : text) {
    text_ += character == '\n' || character == '\r' ? ' ' : character;
  }
  text_ += '\n';
}

}  // namespace ondrix
