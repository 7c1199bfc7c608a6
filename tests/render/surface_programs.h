// Drawing programs for the surfaces: a list of calls, and the fixed programs
// that show each drawing rule where it shows best, each with a fingerprint of
// the pixels it gives. The native tests run them on RasterSurface, the Win32
// tests through GDI.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "render/surface.h"

namespace ondrix::test {

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

enum class OpKind { Fill, SelectPen, RestorePen, Background, Viewport, Move, Line, Pixel, Text };

struct Op {
  OpKind kind;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t x2 = 0;
  std::int32_t y2 = 0;
  Color color = 0;
  PenStyle style = PenStyle::Solid;
  const char* text = "";
};

// What a call hands back, so that both surfaces can be compared on it too.
inline std::string Apply(Surface& surface, const Op& op) {
  switch (op.kind) {
    case OpKind::Fill:
      surface.FillRectangle(op.x, op.y, op.x2, op.y2, op.color);
      break;
    case OpKind::SelectPen:
      surface.SelectPen(op.style, op.color);
      break;
    case OpKind::RestorePen:
      surface.RestorePen();
      break;
    case OpKind::Background:
      return std::to_string(surface.SetBackgroundColor(op.color));
    case OpKind::Viewport: {
      const SurfaceExtent previous = surface.SetViewportExtent(op.x, op.y);
      return std::to_string(previous.cx) + ' ' + std::to_string(previous.cy);
    }
    case OpKind::Move: {
      const SurfacePoint previous = surface.MoveTo(op.x, op.y);
      return std::to_string(previous.x) + ' ' + std::to_string(previous.y);
    }
    case OpKind::Line:
      surface.LineTo(op.x, op.y);
      break;
    case OpKind::Pixel:
      surface.SetPixel(op.x, op.y, op.color);
      break;
    case OpKind::Text:
      surface.TextOut(op.x, op.y, op.text);
      break;
  }
  return std::string();
}

// FNV-1a over what the calls handed back and every pixel.
template <typename PixelAt>
std::uint64_t Fingerprint(const std::string& results, std::int32_t width, std::int32_t height,
                          PixelAt pixelAt) {
  std::uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](std::uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) {
      hash = (hash ^ ((word >> shift) & 0xFF)) * 1099511628211ull;
    }
  };
  for (char c : results) {
    mix(static_cast<unsigned char>(c));
  }
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      mix(pixelAt(x, y));
    }
  }
  return hash;
}

inline Op Fill(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
               Color color) {
  return {OpKind::Fill, left, top, right, bottom, color};
}

inline Op Pen(PenStyle style, Color color) {
  return {OpKind::SelectPen, 0, 0, 0, 0, color, style};
}

inline Op Background(Color color) {
  return {OpKind::Background, 0, 0, 0, 0, color};
}

inline Op At(OpKind kind, std::int32_t x, std::int32_t y, Color color = 0) {
  return {kind, x, y, 0, 0, color};
}

inline Op Text(std::int32_t x, std::int32_t y, const char* text) {
  Op op = {OpKind::Text, x, y};
  op.text = text;
  return op;
}

// `expected` fingerprints the pixels and what the calls handed back. Text
// programs draw the built-in font, which GDI does not have.
struct FixedProgram {
  const char* name;
  std::int32_t width;
  std::int32_t height;
  std::vector<Op> program;
  std::uint64_t expected = 0;
  bool text = false;
};

inline std::vector<FixedProgram> FixedPrograms() {
  constexpr Color kInk = 0x000000FF;
  constexpr Color kGap = 0x0000FF00;
  const auto line = [](std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    return std::vector<Op>{At(OpKind::Move, x0, y0), At(OpKind::Line, x1, y1)};
  };
  std::vector<FixedProgram> programs;
  const auto add = [&programs](const char* name, std::int32_t width, std::int32_t height,
                               std::vector<Op> setup, const std::vector<Op>& calls) {
    setup.insert(setup.end(), calls.begin(), calls.end());
    programs.push_back({name, width, height, setup});
  };
  const std::vector<Op> solid = {Pen(PenStyle::Solid, kInk)};
  const std::vector<Op> dot = {Background(kGap), Pen(PenStyle::Dot, kInk)};
  const std::vector<Op> dash = {Background(kGap), Pen(PenStyle::Dash, kInk)};
  // Every octant, with ties, from the centre of a 9x9 surface.
  const std::int32_t ends[][2] = {{8, 6}, {6, 8}, {2, 8}, {0, 6}, {0, 2}, {2, 0}, {6, 0}, {8, 2},
                                  {8, 8}, {0, 8}, {0, 0}, {8, 0}, {8, 4}, {0, 4}, {4, 8}, {4, 0}};
  for (const auto& end : ends) {
    add("octant", 9, 9, solid, line(4, 4, end[0], end[1]));
    add("octant dotted", 9, 9, dot, line(4, 4, end[0], end[1]));
  }
  add("dot", 16, 1, dot, line(0, 0, 14, 0));
  add("dot right to left", 16, 1, dot, line(13, 0, 0, 0));
  add("dash", 32, 1, dash, line(0, 0, 30, 0));
  add("dash bottom to top", 1, 40, dash, line(0, 39, 0, 0));
  add("restart per LineTo", 12, 1, dot,
      {At(OpKind::Move, 0, 0), At(OpKind::Line, 4, 0), At(OpKind::Line, 8, 0),
       At(OpKind::Line, 11, 0)});
  add("dot diagonal", 9, 5, dot, line(0, 0, 8, 4));
  add("clipped dot", 8, 1, dot, line(-4, 0, 10, 0));
  add("clipped dot right to left", 8, 1, dot, line(12, 0, -3, 0));
  add("clipped diagonal dash", 6, 3, dash, line(-20, -10, 20, 10));
  add("crop", 20, 120, solid, line(-200000000, 10, 1600000000, 810));
  add("crop x below", 4, 400, solid, line(-200000000, 10, 268435455, 810));
  add("crop x at", 4, 400, solid, line(-200000000, 10, 268435456, 810));
  add("crop y below", 400, 4, dash, line(10, 200000000, 800, -268435455));
  add("crop y at", 400, 4, dash, line(10, 200000000, 800, -268435456));
  add("crop both", 5, 5, solid, line(kIntMin, kIntMin, kIntMax, kIntMax));
  add("ends cropped onto one point", 8, 8, {},
      {Pen(PenStyle::Dash, kInk), At(OpKind::Move, 1 << 28, 40),
       At(OpKind::Line, (1 << 28) + 3, 44), Pen(PenStyle::Solid, kInk),
       At(OpKind::Move, -(1 << 28), 16), At(OpKind::Line, -(1 << 28) - 7, 23)});
  // Cropped ends reach the surface only when it is 2^25 + 1 pixels wide.
  add("cropped ends on the surface", (1 << 25) + 1, 1, {Background(kGap)},
      {Pen(PenStyle::Solid, kInk), At(OpKind::Move, (1 << 25) - 2, 1), At(OpKind::Line, 1 << 28, 0),
       Pen(PenStyle::Dash, 0x00FF0000), At(OpKind::Move, (1 << 25) - 2, 1),
       At(OpKind::Line, 1 << 28, 0), Pen(PenStyle::Solid, 0x00FF00FF), At(OpKind::Move, 1 << 28, 0),
       At(OpKind::Line, (1 << 28) + 1, 7), Pen(PenStyle::Dot, 0x00FFFF00),
       At(OpKind::Move, 1 << 28, 0), At(OpKind::Line, (1 << 28) + 1, 7)});
  add("horizontal int32 range", 8, 1, solid, line(kIntMin, 0, kIntMax, 0));
  add("horizontal back from INT_MAX", 8, 1, solid, line(kIntMax, 0, kIntMin, 0));
  add("dotted to INT_MAX", 8, 1, dot, line(kIntMin, 0, kIntMax, 0));
  add("dotted from INT_MIN", 8, 1, dot, line(kIntMin, 0, kIntMax - 1, 0));
  add("vertical from below INT_MAX", 1, 3, solid, line(0, kIntMax - 1, 0, kIntMin));
  add("dashed vertical from INT_MAX", 1, 3, dash, line(0, kIntMax, 0, 0));
  add("rectangles", 6, 4, {},
      {Fill(1, 1, 4, 3, kInk), Fill(5, 3, 4, 1, kGap), Fill(1, 1, 2, 2, 0x00FF0000),
       Fill(2, 0, 2, 4, kInk), Fill(0, 2, 6, 2, kInk), Fill(0, 0, 1, 3, 0x00FF00FF),
       Fill(2, 3, 6, 2, 0x00FFFF00), Fill(5, 3, 100, 100, 0x00808080)});
  add("whole int32 rectangle", 6, 4, {}, {Fill(kIntMin, kIntMin, kIntMax, kIntMax, kInk)});
  add("one by one rectangle", 1, 1, {}, {Fill(0, 0, 1, 1, kInk), Fill(1, 1, 0, 0, kInk)});
  add("pixels", 3, 2, {},
      {At(OpKind::Pixel, 0, 0, kInk), At(OpKind::Pixel, 2, 1, kInk), At(OpKind::Pixel, 3, 0, kInk),
       At(OpKind::Pixel, -1, 0, kInk), At(OpKind::Pixel, kIntMax, kIntMax, kInk),
       At(OpKind::Pixel, kIntMin, 1, kInk)});
  std::vector<Op> palette;
  for (Color index = 0; index < 24; ++index) {
    palette.push_back(At(OpKind::Pixel, static_cast<std::int32_t>(index), 0, 0x01000000 | index));
  }
  const Color odd[] = {0x02123456, 0x10FF0003, 0xFF123456, 0x03000005, 0x80ABCDEF, 0x10FE0003};
  for (std::size_t i = 0; i < sizeof odd / sizeof odd[0]; ++i) {
    palette.push_back(At(OpKind::Pixel, static_cast<std::int32_t>(i), 1, odd[i]));
    palette.push_back(
        Fill(static_cast<std::int32_t>(i) * 4, 2, static_cast<std::int32_t>(i) * 4 + 3, 4, odd[i]));
    palette.push_back(Background(odd[i]));
    palette.push_back(Pen(PenStyle::Dot, odd[(i + 1) % 6]));
    palette.push_back(At(OpKind::Move, 0, 5 + static_cast<std::int32_t>(i)));
    palette.push_back(At(OpKind::Line, 24, 5 + static_cast<std::int32_t>(i)));
  }
  add("colours", 24, 11, {}, palette);
  add("pen stack", 4, 4, {Background(kGap)},
      {Pen(PenStyle::Dot, kInk),
       Pen(PenStyle::Solid, 0x00FF0000),
       {OpKind::RestorePen},
       At(OpKind::Move, 0, 0),
       At(OpKind::Line, 4, 0),
       {OpKind::RestorePen},
       At(OpKind::Move, 0, 1),
       At(OpKind::Line, 4, 1),
       {OpKind::RestorePen},
       At(OpKind::Move, 0, 2),
       At(OpKind::Line, 4, 2)});
  add("viewport extents", 5, 5, solid,
      {At(OpKind::Viewport, 4, 4), At(OpKind::Viewport, 100, -3), At(OpKind::Move, 0, 0),
       At(OpKind::Line, 4, 4)});
  add("text on its background", 20, 10, {Background(kGap)}, {Text(1, 1, "Ag~ ")});
  add("text clipped at every edge", 9, 6, {Background(kInk)},
      {Text(-3, -2, "W#"), Text(6, 3, "q]"), Text(kIntMin, 0, "x"), Text(kIntMax, 0, "x")});
  add("every printable character", 95 * 6, 10, {},
      {Text(0, 0,
            " !\"#$%&'()*+,-./"
            "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~")});
  // Pixels before the first on the surface are skipped by a floor division
  // that here falls on an exact negative multiple.
  add("lines starting off the surface", 6, 8, solid,
      {At(OpKind::Move, -2, 5), At(OpKind::Line, 1, 3), At(OpKind::Move, 5, -2),
       At(OpKind::Line, 3, 1)});
  // Taken from RasterSurface once the fidelity test had matched it with GDI.
  const std::uint64_t fingerprints[] = {
      0x69a38ebefcc77eceull, 0x67f53a67f3df01c9ull, 0xb8ef467e34afe3ceull, 0xd03743313f1e74c9ull,
      0x8f02ff3c7247d5aeull, 0xe95164d1faab0c9ull,  0x93b26def2237fcceull, 0x2b02df86058de6bdull,
      0x54ee47665e5c13eeull, 0xc6349f7d2366febdull, 0xed1ab75933da63eeull, 0x9671868e61fac5bdull,
      0x98d2ad178a1823ceull, 0xd0fce613e552a7bdull, 0x628474f02291f88eull, 0x7136497113e1419dull,
      0xc777b5503c94bbeeull, 0x43a91aefe1df1829ull, 0x269ccf5268be1daeull, 0x96c0b49a1dedac29ull,
      0x73a9ea02fd5ad5eeull, 0x395c0605265c0a5dull, 0xd4e4419c761a9daeull, 0x5e9539fc1426be5dull,
      0xae020c591b37a5ceull, 0xa821edfaa2ee1129ull, 0x7a82e299e020f5ceull, 0xf4359dc6d140895dull,
      0x2c0e2e57c83a28ceull, 0xea8dc67598dda529ull, 0x704e30fa8f3d96ceull, 0xa1c6cc6df616cb5dull,
      0x1a4d118ebbd2bd4full, 0xa037b8e463b51d0ull,  0xfa8e08e3a86922e3ull, 0x693bb2ec5ff9d08cull,
      0x2d569d6055485fc0ull, 0x8c27b8ad1207c349ull, 0x55b414331fb2bb39ull, 0x578349fc761f7bffull,
      0xb58e6837eab7c4e3ull, 0xce0ee657cff27daeull, 0x25e4136adf4d09eeull, 0x26afa760ffb749eeull,
      0x887133dd68b99393ull, 0x5a215c098df11393ull, 0xa586bfd5769ea601ull, 0x4e2b8f7c603fd783ull,
      0x4a526b36667f0ad2ull, 0x7b582c7b00ad720eull, 0x3435a2c5d13d4fceull, 0xad6afa3ddb96f13ull,
      0x578349fc761f7bffull, 0xe13104e7aa0d7571ull, 0x3386a9cd3d8fe2a3ull, 0x9bb00934b5311014ull,
      0x84c8ef99a60b09beull, 0xb9b8c67432255665ull, 0x6946b60088127a25ull, 0xa7149f662b1dc0ull,
      0x8eb702489043b978ull, 0x35699aeff45146eeull, 0x35fae8012525a052ull, 0x1fa578a587821348ull,
      0x7716387a6011829eull, 0x970d98013d321b5cull,
  };
  static_assert(sizeof fingerprints / sizeof fingerprints[0] == 66, "one per program");
  for (std::size_t i = 0; i < programs.size() && i < 66; ++i) {
    programs[i].expected = fingerprints[i];
    programs[i].text = programs[i].program.back().kind == OpKind::Text;
  }
  return programs;
}

}  // namespace ondrix::test
