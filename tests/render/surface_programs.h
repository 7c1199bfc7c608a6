// Drawing programs made from a seed: the native tests pin RasterSurface's
// pixels on them, the Win32 tests compare it with GDI on the same calls.
#pragma once

#include <functional>
#include <random>
#include <vector>

#include "model/command_ids.h"
#include "model/value_text.h"
#include "render/draw_graph.h"
#include "render/surface.h"

namespace ondrix::test {

// One call, handing back what the surface did, so that is compared too.
using Call = std::function<std::uint64_t(Surface&)>;

struct Program {
  std::int32_t width, height;
  std::vector<Call> calls;
};

template <typename Pair>
std::uint64_t Pack(Pair pair) {
  const auto [first, second] = pair;
  return std::uint64_t{static_cast<std::uint32_t>(first)} << 32 |
         static_cast<std::uint32_t>(second);
}

// Every glyph, the box for the others, and what the trace turns into spaces.
constexpr char kText[] =
    "\x01\xFF\n\r "
    "!\"#$%&'()*+,-./"
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";

// Points near, far, around the crop limit of 2^28 and at the ends of int32;
// colours plain, PALETTEINDEX, DIBINDEX and junk; lines straight, through a
// point of the surface, or anywhere.
inline Program MakeProgram(std::mt19937_64& engine, std::int32_t width, std::int32_t height) {
  const auto next = [&engine](std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(engine() % static_cast<std::uint64_t>(high - low + 1));
  };
  const auto coordinate = [&next](std::int32_t size) {
    const std::int64_t kind = next(0, 9), sign = next(0, 1) * 2 - 1;
    return static_cast<std::int32_t>(kind < 5   ? next(-8, size + 8)
                                     : kind < 6 ? next(-3000, 3000)
                                     : kind < 8 ? next(-3000000, 3000000)
                                     : kind < 9 ? sign * ((1 << 28) + next(-1, 1))
                                                : sign * (INT32_MAX - next(0, 1)) - (sign < 0));
  };
  Program program{width, height, {}};
  std::int32_t x = 0, y = 0;
  while (program.calls.size() < 60) {
    const std::int64_t choice = next(-4, 7), way = next(0, 3), kind = next(0, 9);
    const std::int32_t a = coordinate(width), b = coordinate(height);
    const std::int32_t c = way ? coordinate(width) : a ^ 1, d = way ? coordinate(height) : b ^ 1;
    const std::int64_t tx = 2 * next(0, width - 1) - x, ty = 2 * next(0, height - 1) - y;
    const bool through =
        way == 2 && tx == static_cast<std::int32_t>(tx) && ty == static_cast<std::int32_t>(ty);
    const Color top[] = {0x01000000, 0x10FF0000, static_cast<Color>(next(2, 255)) << 24};
    const Color color = kind < 7 ? static_cast<Color>(next(0, 0xFFFFFF))
                                 : top[kind - 7] | static_cast<Color>(next(0, 300));
    const char* text = kText + next(0, sizeof kText - 1);
    const Call others[] = {
        [=](Surface& s) { return Pack(s.MoveTo(a, b)); },
        [=](Surface& s) { return s.FillRectangle(a, b, c, d, color), 0; },
        [=](Surface& s) { return s.SetPixel(a, b, color), 0; },
        [=](Surface& s) { return s.SelectPen(static_cast<PenStyle>(way % 3), color), 0; },
        [](Surface& s) { return s.RestorePen(), 0; },
        [=](Surface& s) { return s.SetBackgroundColor(color); },
        [=](Surface& s) { return Pack(s.SetViewportExtent(c, d)); },
        [=](Surface& s) { return s.TextOut(a, b, text), 0; },
    };
    if (choice <= 0) {
      x = static_cast<std::int32_t>(choice == 0 ? a : through ? tx : way == 0 ? x : a);
      y = static_cast<std::int32_t>(choice == 0 ? b : through ? ty : way == 1 ? y : b);
    }
    program.calls.push_back(choice >= 0 ? others[choice]
                                        : [x, y](Surface& s) { return s.LineTo(x, y), 0; });
  }
  return program;
}

// Random programs; cropped line ends, which land on a surface only when it is
// 2^25 + 1 pixels wide; with `graphs`, DrawGraph with default and odd numbers
// (not pinned: its maths may differ in a last bit from platform to platform).
inline std::vector<Program> Programs(bool graphs) {
  const std::int32_t sizes[][3] = {{1, 1, 200},   {1, 9, 150},   {9, 1, 150},   {2, 2, 150},
                                   {16, 16, 150}, {37, 23, 150}, {64, 48, 100}, {200, 150, 40}};
  std::mt19937_64 engine(20261207);
  std::vector<Program> programs;
  for (const auto& size : sizes) {
    for (int i = 0; i < size[2]; ++i) {
      programs.push_back(MakeProgram(engine, size[0], size[1]));
    }
  }
  // Dashed pens first: the solid pen must not light the cropped end.
  programs.push_back({(1 << 25) + 1, 1, {}});
  for (int i = 3; i-- > 0;) {
    programs.back().calls.push_back([i](Surface& s) {
      s.SetBackgroundColor(0x808080), s.SelectPen(static_cast<PenStyle>(i), 0xFFu << (8 * i));
      s.MoveTo((1 << 25) - 2, 1), s.LineTo(1 << 28, 0), s.MoveTo(1 << 28, 0);
      return s.LineTo((1 << 28) + 1, 7), 0;
    });
  }
  if (!graphs) {
    return programs;
  }
  const char* const numbers[] = {"1",   "-7p",  "-p", "0.5",  "4",    "1e6", "1e12", ".5p",
                                 ".05", "0.01", "0",  "100p", "1e-9", "-1",  "1e9",  "-4"};
  const std::int32_t shapes[][2] = {{1, 1}, {2, 2}, {37, 23}, {319, 201}, {800, 600}, {1920, 1080}};
  for (int i = 0; i < 72 * 4; ++i) {
    GraphSettings settings = DefaultGraphSettings();
    settings.graphMethod = kFunctionMethods[i % 6];
    SetFunctionNameFromMethod(settings);
    settings.connectMethod = CM_CONNECTED_DOTS + i / 6 % 3;
    settings.grid = i / 18 % 2;
    settings.sonar = i / 36 % 2;
    for (std::int64_t n = i < 72 ? 0 : 1 + engine() % 4; n > 0; --n) {
      SetValueText(settings.valueTexts[engine() % kValueCount], numbers[engine() % 16]);
    }
    ParseValueTexts(settings);
    for (const int shape : {i % 6, (i + 3) % 6}) {
      const std::int32_t width = shapes[shape][0], height = shapes[shape][1];
      programs.push_back({width, height, {[=](Surface& s) {
                            return DrawGraph(s, 0, 0, width, height, settings), 0;
                          }}});
    }
  }
  return programs;
}

}  // namespace ondrix::test
