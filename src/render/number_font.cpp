#include "render/number_font.h"

#include <cstdint>

namespace ondrix {
namespace {

struct NumberGlyph {
  std::string_view character;  // its UTF-8 bytes
  std::int32_t width;
  // Rows from the top; bit 4 is the leftmost column.
  std::uint8_t rows[kNumberGlyphHeight];
};

constexpr NumberGlyph kGlyphs[] = {
    {"0", 5, {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {"1", 5, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {"2", 5, {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {"3", 5, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {"4", 5, {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {"5", 5, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {"6", 5, {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {"7", 5, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {"8", 5, {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {"9", 5, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {".", 1, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10}},
    {"e", 4, {0x00, 0x00, 0x0C, 0x12, 0x1E, 0x10, 0x0E}},
    {"+", 5, {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}},
    {"/", 3, {0x04, 0x04, 0x08, 0x08, 0x08, 0x10, 0x10}},
    {"\xCF\x80", 5, {0x00, 0x00, 0x1F, 0x0A, 0x0A, 0x0A, 0x09}},      // π
    {"\xE2\x88\x92", 5, {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},  // minus sign
};

// The glyph that `text` starts with, or nullptr; `length` gets the bytes it
// takes (one for a character outside the font).
const NumberGlyph* FirstGlyph(std::string_view text, std::size_t& length) {
  for (const NumberGlyph& glyph : kGlyphs) {
    if (text.substr(0, glyph.character.size()) == glyph.character) {
      length = glyph.character.size();
      return &glyph;
    }
  }
  length = 1;
  return nullptr;
}

// Calls draw(glyph, column) for each glyph of the text, column its left edge.
template <typename Draw>
std::int32_t ForEachGlyph(std::string_view text, Draw draw) {
  std::int32_t column = 0;
  std::size_t length = 0;
  for (std::size_t at = 0; at < text.size(); at += length) {
    if (const NumberGlyph* glyph = FirstGlyph(text.substr(at), length)) {
      draw(*glyph, column);
      column += glyph->width + 1;
    }
  }
  return column > 0 ? column - 1 : 0;
}

bool Inked(const NumberGlyph& glyph, std::int32_t column, std::int32_t row) {
  return column < glyph.width && (glyph.rows[row] >> (4 - column) & 1) != 0;
}

}  // namespace

std::int32_t NumberTextWidth(std::string_view text) {
  return ForEachGlyph(text, [](const NumberGlyph&, std::int32_t) {});
}

void DrawNumberText(Surface& surface, std::int32_t x, std::int32_t y, std::string_view text,
                    std::int32_t scale, Color color) {
  ForEachGlyph(text, [&](const NumberGlyph& glyph, std::int32_t left) {
    for (std::int32_t row = 0; row < kNumberGlyphHeight; ++row) {
      const std::int32_t top = y + row * scale;
      for (std::int32_t column = 0; column < glyph.width; ++column) {
        if (!Inked(glyph, column, row)) {
          continue;
        }
        if (scale == 1) {
          surface.SetPixel(x + left + column, top, color);
          continue;
        }
        std::int32_t end = column + 1;
        while (Inked(glyph, end, row)) {
          ++end;
        }
        surface.FillRectangle(x + (left + column) * scale, top, x + (left + end) * scale,
                              top + scale, color);
        column = end;
      }
    }
  });
}

}  // namespace ondrix
