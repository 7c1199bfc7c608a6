#include "render/raster_surface.h"

#include <algorithm>

#include "render/bitmap_font.h"
#include "render/line_walk.h"

namespace ondrix {
namespace {

constexpr Color kTextColor = 0x00000000;

// The twenty static colours of the default palette, which PALETTEINDEX
// colours look up.
constexpr Color kDefaultPalette[] = {
    0x00000000, 0x00000080, 0x00008000, 0x00008080, 0x00800000, 0x00800080, 0x00808000,
    0x00C0C0C0, 0x00C0DCC0, 0x00F0CAA6, 0x00F0FBFF, 0x00A4A0A0, 0x00808080, 0x000000FF,
    0x0000FF00, 0x0000FFFF, 0x00FF0000, 0x00FF00FF, 0x00FFFF00, 0x00FFFFFF,
};
constexpr std::uint32_t kDefaultPaletteSize = sizeof(kDefaultPalette) / sizeof(kDefaultPalette[0]);

}  // namespace

Color DeviceColor(Color color) {
  if ((color & 0x01000000) != 0) {
    const std::uint32_t index = color & 0xFFFF;
    return kDefaultPalette[index < kDefaultPaletteSize ? index : 0];
  }
  if ((color >> 16) == 0x10FF) {
    // DIBINDEX: a 32-bit DIB has no colour table, so the index gives pixel 0.
    return 0;
  }
  return color & 0x00FFFFFF;
}

RasterSurface::RasterSurface(std::int32_t width, std::int32_t height, Color initial)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), initial) {}

void RasterSurface::FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                  std::int32_t bottom, Color color) {
  // Rectangle orders its corners; with pen and brush of one colour it paints
  // [left, right) x [top, bottom), except that a 1x1 rectangle paints nothing
  // (its four outline segments have no length and the brush's inside is empty).
  const std::int64_t l = std::min(left, right);
  const std::int64_t r = std::max(left, right);
  const std::int64_t t = std::min(top, bottom);
  const std::int64_t b = std::max(top, bottom);
  if (l == r || t == b || (r - l == 1 && b - t == 1)) {
    return;
  }
  FillClipped(l, t, r, b, DeviceColor(color));
}

void RasterSurface::SelectPen(PenStyle style, Color color) {
  dc_.SelectPen(style, color);
}

void RasterSurface::RestorePen() {
  dc_.RestorePen();
}

Color RasterSurface::SetBackgroundColor(Color color) {
  return dc_.SetBackground(color);
}

SurfaceExtent RasterSurface::SetViewportExtent(std::int32_t, std::int32_t) {
  return SurfaceExtent{};
}

SurfacePoint RasterSurface::MoveTo(std::int32_t x, std::int32_t y) {
  return dc_.MoveTo({x, y});
}

void RasterSurface::LineTo(std::int32_t x, std::int32_t y) {
  DrawLine(dc_.Position(), {x, y});
  dc_.MoveTo({x, y});
}

void RasterSurface::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  Plot(x, y, DeviceColor(color));
}

void RasterSurface::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  if (static_cast<std::int64_t>(y) + kFontCellHeight <= 0 || y >= height_) {
    return;
  }
  const Color background = DeviceColor(dc_.Background());
  std::int64_t cellLeft = x;
  for (const char character : text) {
    if (cellLeft >= width_) {
      break;
    }
    if (cellLeft + kFontCellWidth > 0) {
      const auto byte = static_cast<unsigned char>(character);
      for (int row = 0; row < kFontCellHeight; ++row) {
        for (int column = 0; column < kFontCellWidth; ++column) {
          Plot(cellLeft + column, static_cast<std::int64_t>(y) + row,
               FontCellPixel(byte, column, row) ? kTextColor : background);
        }
      }
    }
    cellLeft += kFontCellWidth;
  }
}

void RasterSurface::DrawLine(SurfacePoint from, SurfacePoint to) {
  LineWalk walk;
  if (!WalkLine(from, to, dc_.CurrentPen().style != PenStyle::Solid, walk)) {
    return;
  }

  const std::int64_t majorSize = walk.xMajor ? width_ : height_;
  const std::int64_t minorSize = walk.xMajor ? height_ : width_;
  if (walk.count == 0 || majorSize == 0 || minorSize == 0) {
    return;
  }
  // Only the k whose major coordinate lies on the surface are walked, so a
  // line millions of pixels long costs at most one surface side.
  std::int64_t first = walk.majorStep > 0 ? -walk.major0 : walk.major0 - (majorSize - 1);
  std::int64_t last = walk.majorStep > 0 ? majorSize - walk.major0 : walk.major0 + 1;
  first = std::max<std::int64_t>(first, 0);
  last = std::min(last, walk.count);
  if (first >= last) {
    return;
  }

  const DashPattern pattern = PatternOf(dc_.CurrentPen().style);
  const Color on = DeviceColor(dc_.CurrentPen().color);
  const Color off = DeviceColor(dc_.Background());
  const std::int64_t twoSpan = 2 * walk.span;
  std::int64_t minor = walk.minor0;
  std::int64_t remainder = 0;
  // A span of 0 comes from two ends cropped onto one point; its single pixel
  // is that point.
  if (twoSpan > 0) {
    const std::int64_t numerator = 2 * first * walk.dMinor + walk.span - 1;
    const std::int64_t quotient = FloorDiv(numerator, twoSpan);
    remainder = numerator - quotient * twoSpan;
    minor += quotient;
  }
  std::int64_t major = walk.major0 + first * walk.majorStep;
  std::int64_t phase = first % pattern.period;
  for (std::int64_t k = first; k < last; ++k) {
    if (minor >= 0 && minor < minorSize) {
      const Color pixel = phase < pattern.on ? on : off;
      if (walk.xMajor) {
        Plot(major, minor, pixel);
      } else {
        Plot(minor, major, pixel);
      }
    } else if ((walk.dMinor >= 0 && minor >= minorSize) || (walk.dMinor <= 0 && minor < 0)) {
      break;
    }
    remainder += 2 * walk.dMinor;
    if (remainder >= twoSpan) {
      remainder -= twoSpan;
      ++minor;
    } else if (remainder < 0) {
      remainder += twoSpan;
      --minor;
    }
    major += walk.majorStep;
    if (++phase == pattern.period) {
      phase = 0;
    }
  }
}

void RasterSurface::FillClipped(std::int64_t left, std::int64_t top, std::int64_t right,
                                std::int64_t bottom, Color pixel) {
  left = std::max<std::int64_t>(left, 0);
  top = std::max<std::int64_t>(top, 0);
  right = std::min<std::int64_t>(right, width_);
  bottom = std::min<std::int64_t>(bottom, height_);
  if (left >= right || top >= bottom) {
    return;
  }
  for (std::int64_t y = top; y < bottom; ++y) {
    const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y * width_);
    std::fill(row + static_cast<std::ptrdiff_t>(left), row + static_cast<std::ptrdiff_t>(right),
              pixel);
  }
}

void RasterSurface::Plot(std::int64_t x, std::int64_t y, Color pixel) {
  if (x >= 0 && x < width_ && y >= 0 && y < height_) {
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = pixel;
  }
}

}  // namespace ondrix
