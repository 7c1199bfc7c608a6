// The axis numbers' own bitmap font: 0-9 . e + / π − (U+2212), the
// characters of the axis labels. Drawn with single pixels and rectangles, so
// that every surface lights the same pixels for it, GDI's included.
#pragma once

#include <cstdint>
#include <string_view>

#include "render/surface.h"

namespace ondrix {

// Glyphs are up to 5 font pixels wide and 7 high: digits fill the height,
// "e" and "π" the lower five rows, "." the last row.
constexpr std::int32_t kNumberGlyphHeight = 7;
constexpr std::int32_t kDigitWidth = 5;

// The width in font pixels of `text` (UTF-8), its glyphs one blank column
// apart. Characters outside the font take no room and draw nothing.
std::int32_t NumberTextWidth(std::string_view text);

// Draws `text` with the top-left font pixel of its first glyph at (x, y),
// each font pixel a `scale` x `scale` square (scale >= 1) in `color`: single
// pixels at scale 1, where a 1x1 rectangle would paint nothing; at larger
// scales one rectangle for each run of inked pixels in a row.
void DrawNumberText(Surface& surface, std::int32_t x, std::int32_t y, std::string_view text,
                    std::int32_t scale, Color color);

}  // namespace ondrix
