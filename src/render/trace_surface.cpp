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

void AppendHex(std::string& line, Color color) {
  char text[16];
  std::snprintf(text, sizeof text, " 0x%08lX", static_cast<unsigned long>(color));
  line += text;
}

void AppendCoordinates(std::string& line, std::int32_t x, std::int32_t y) {
  line += ' ';
  line += std::to_string(x);
  line += ' ';
  line += std::to_string(y);
}

}  // namespace

void TraceSurface::Emit() {
  line_ += '\n';
  if (output_ == nullptr) {
    text_ += line_;
  } else {
    output_->write(line_.data(), static_cast<std::streamsize>(line_.size()));
  }
}

void TraceSurface::FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom, Color color) {
  line_ = "fill";
  AppendCoordinates(line_, left, top);
  AppendCoordinates(line_, right, bottom);
  AppendHex(line_, color);
  Emit();
}

void TraceSurface::SelectPen(PenStyle style, Color color) {
  line_ = "pen ";
  line_ += StyleName(style);
  AppendHex(line_, color);
  Emit();
}

void TraceSurface::RestorePen() {
  line_ = "pen restore";
  Emit();
}

Color TraceSurface::SetBackgroundColor(Color color) {
  line_ = "bk";
  AppendHex(line_, color);
  Emit();
  const Color previous = background_;
  background_ = color;
  return previous;
}

SurfaceExtent TraceSurface::SetViewportExtent(std::int32_t, std::int32_t) {
  return SurfaceExtent{};
}

SurfacePoint TraceSurface::MoveTo(std::int32_t x, std::int32_t y) {
  line_ = "move";
  AppendCoordinates(line_, x, y);
  Emit();
  const SurfacePoint previous = position_;
  position_ = SurfacePoint{x, y};
  return previous;
}

void TraceSurface::LineTo(std::int32_t x, std::int32_t y) {
  line_ = "line";
  AppendCoordinates(line_, x, y);
  Emit();
  position_ = SurfacePoint{x, y};
}

void TraceSurface::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  line_ = "pixel";
  AppendCoordinates(line_, x, y);
  AppendHex(line_, color);
  Emit();
}

void TraceSurface::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  line_ = "text";
  AppendCoordinates(line_, x, y);
  line_ += ' ';
  for (const char character : text) {
    line_ += character == '\n' || character == '\r' ? ' ' : character;
  }
  Emit();
}

}  // namespace ondrix
