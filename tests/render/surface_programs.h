// Drawing programs for the surfaces, made from a seed, so that the native
// tests can pin RasterSurface's pixels and the Win32 tests can compare it
// with GDI on the very same calls.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model/command_ids.h"
#include "model/value_text.h"
#include "render/draw_graph.h"
#include "render/surface.h"

namespace ondrix::test {

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

// One call, handing back what the surface did, so that is compared too.
using Call = std::function<std::uint64_t(Surface&)>;

struct Program {
  std::int32_t width, height;
  std::vector<Call> calls;
};

inline std::uint64_t Pack(SurfacePoint p) {
  return std::uint64_t{static_cast<std::uint32_t>(p.x)} << 32 | static_cast<std::uint32_t>(p.y);
}
inline std::uint64_t Pack(SurfaceExtent e) {
  return Pack(SurfacePoint{e.cx, e.cy});
}

// FNV-1a over whole words, carried on over every program.
inline void Mix(std::uint64_t& hash, std::uint64_t word) {
  hash = (hash ^ word) * 1099511628211ull;
}

// Points near the surface, far off it, around the crop limit of 2^28 and at
// the ends of int32; colours plain, PALETTEINDEX, DIBINDEX and junk; lines
// straight, through a point of the surface, or anywhere.
// Every glyph, the box for the others, and what the trace turns into spaces.
constexpr char kText[] =
    "\x01\xFF\n\r "
    "!\"#$%&'()*+,-./"
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";

inline Program MakeProgram(std::mt19937_64& engine, std::int32_t width, std::int32_t height) {
  const auto next = [&engine](std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(engine() % static_cast<std::uint64_t>(high - low + 1));
  };
  const auto coordinate = [&next](std::int32_t size) {
    const std::int64_t kind = next(0, 9), sign = next(0, 1) * 2 - 1;
    const std::int64_t value = kind < 5   ? next(-8, size + 8)
                               : kind < 6 ? next(-3000, 3000)
                               : kind < 8 ? next(-3000000, 3000000)
                               : kind < 9 ? sign * ((1 << 28) + next(-64, 64))
                                          : sign * (kIntMax - next(0, 1)) - (sign < 0);
    return static_cast<std::int32_t>(value);
  };
  Program program{width, height, {}};
  std::int32_t x = 0, y = 0;
  while (program.calls.size() < 60) {
    const std::int64_t choice = next(0, 99), way = next(0, 3), kind = next(0, 9);
    const std::int64_t throughX = 2 * next(0, width - 1) - x;
    const std::int64_t throughY = 2 * next(0, height - 1) - y;
    const std::int32_t a = coordinate(width), b = coordinate(height), c = coordinate(width),
                       d = coordinate(height);
    const Color top[] = {0x01000000, 0x10FF0000, static_cast<Color>(next(2, 255)) << 24};
    const Color color = kind < 7 ? static_cast<Color>(next(0, 0xFFFFFF))
                                 : top[kind - 7] | static_cast<Color>(next(0, 300));
    const auto style = static_cast<PenStyle>(next(0, 2));
    const char* text = kText + next(0, sizeof kText - 1);
    Call call;
    if (choice < 10) {
      x = a, y = b;
      call = [=](Surface& s) { return Pack(s.MoveTo(a, b)); };
    } else if (choice < 45) {
      const bool through = way == 2 && throughX == static_cast<std::int32_t>(throughX) &&
                           throughY == static_cast<std::int32_t>(throughY);
      x = through ? static_cast<std::int32_t>(throughX) : way == 0 ? x : a;
      y = through ? static_cast<std::int32_t>(throughY) : way == 1 ? y : b;
      call = [x, y](Surface& s) { return s.LineTo(x, y), 0; };
    } else if (choice < 58) {
      call = [=](Surface& s) { return s.FillRectangle(a, b, c, d, color), 0; };
    } else if (choice < 66) {
      call = [=](Surface& s) { return s.SetPixel(a, b, color), 0; };
    } else if (choice < 78) {
      call = [=](Surface& s) { return s.SelectPen(style, color), 0; };
    } else if (choice < 85) {
      call = [](Surface& s) { return s.RestorePen(), 0; };
    } else if (choice < 93) {
      call = [=](Surface& s) { return s.SetBackgroundColor(color); };
    } else if (choice < 95) {
      call = [=](Surface& s) { return Pack(s.SetViewportExtent(c, d)); };
    } else {
      call = [=](Surface& s) { return s.TextOut(a, b, text), 0; };
    }
    program.calls.push_back(call);
  }
  return program;
}

// Random programs on surfaces of many shapes; cropped line ends, which land
// on a surface only when it is 2^25 + 1 pixels wide; and DrawGraph with
// every function, connection method, grid and sonar, first with the default
// numbers, then three times over with a few replaced by odd ones, each graph
// on a small and a large surface.
inline std::vector<Program> Programs() {
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
  programs.push_back(
      {(1 << 25) + 1, 1, {[](Surface& s) { return s.SetBackgroundColor(0x808080); }}});
  for (int i = 3; i-- > 0;) {
    programs.back().calls.push_back([i](Surface& s) {
      s.SelectPen(static_cast<PenStyle>(i), 0xFFu << (8 * i));
      s.MoveTo((1 << 25) - 2, 1);
      s.LineTo(1 << 28, 0);
      s.MoveTo(1 << 28, 0);
      return s.LineTo((1 << 28) + 1, 7), 0;
    });
  }
  const char* const numbers[] = {"1",  "-7p", "-p",  "0.5",  "4",   "1000000", "1e12",
                                 "7",  ".5p", ".05", "0.01", "0",   "100p",    "1e-9",
                                 "-1", "3",   "2",   "-4",   "1e9", "-3"};
  const std::int32_t graphSizes[][2] = {{1, 1},     {2, 2},     {37, 23},
                                        {319, 201}, {800, 600}, {1920, 1080}};
  for (int i = 0; i < 72 * 4; ++i) {
    GraphSettings settings = DefaultGraphSettings();
    settings.graphMethod = kFunctionMethods[i % 6];
    SetFunctionNameFromMethod(settings);
    settings.connectMethod = CM_CONNECTED_DOTS + i / 6 % 3;
    settings.grid = i / 18 % 2;
    settings.sonar = i / 36 % 2;
    for (std::int64_t n = i < 72 ? 0 : 1 + engine() % 4; n > 0; --n) {
      SetValueText(settings.valueTexts[engine() % kValueCount], numbers[engine() % 20]);
    }
    ParseValueTexts(settings);
    for (const auto& size : {graphSizes[i % 6], graphSizes[(i + 3) % 6]}) {
      programs.push_back({size[0], size[1], {[settings, size](Surface& s) {
                            return DrawGraph(s, 0, 0, size[0], size[1], settings), 0;
                          }}});
    }
  }
  return programs;
}

}  // namespace ondrix::test
