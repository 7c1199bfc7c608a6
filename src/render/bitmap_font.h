// A small built-in bitmap font, so that surfaces without GDI fonts can still
// write a legible line of text.
#pragma once

namespace ondrix {

// Every character takes one cell: a 5x9 glyph (seven rows above the baseline,
// two for descenders) with a blank column on the right and a blank row on top.
constexpr int kFontCellWidth = 6;
constexpr int kFontCellHeight = 10;

// Whether the pixel (column, row) of the cell of `character` is inked.
// Bytes outside printable ASCII show as a hollow box.
bool FontCellPixel(unsigned char character, int column, int row);

}  // namespace ondrix
