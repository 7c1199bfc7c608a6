// Drawing programs from a seed: the Win32 tests hold RasterSurface to GDI on them, pixel for
// pixel; the SVG tests draw them through librsvg.
#pragma once

#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "model/command_ids.h"
#include "model/function.h"
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

struct GraphCase {
  GraphSettings settings;
  std::int32_t width, height;
  std::string name;  // what differs from the defaults, the size and the numbers
  DrawOptions options{};
};

// Each function, connection, grid and sonar, then odd numbers, sizes from a pixel up, some
// numbered.
template <typename Next>
std::vector<GraphCase> GraphCases(Next& next) {
  const char* const numbers[] = {"1",   "-7p",  "-p", "0.5",  "4",    "1e6", "1e12", ".5p",
                                 ".05", "0.01", "0",  "100p", "1e-9", "-1",  "1e9",  "-4"};
  const char* const connections[] = {"connected", "unconnected", "none"};
  const std::int32_t sides[][2] = {{1, 1}, {2, 2}, {37, 23}, {319, 201}, {800, 600}, {1920, 1080}};
  std::vector<GraphCase> cases;
  for (int i = 0; i < 288; ++i) {
    GraphSettings settings = DefaultGraphSettings();
    settings.graphMethod = kFunctionMethods[i % 6];
    settings.connectMethod = CM_CONNECTED_DOTS + i / 6 % 3;
    settings.grid = i / 18 % 2;
    settings.sonar = i / 36 % 2;
    std::string name = std::string(FunctionName(static_cast<Function>(i % 6))) + ", " +
                       connections[i / 6 % 3] + (settings.grid ? ", grid" : "") +
                       (settings.sonar ? ", sonar" : "");
    for (std::int64_t n = i < 72 ? 0 : next(1, 4); n > 0; --n) {
      const std::int64_t value = next(0, kValueCount - 1);
      const char* const number = numbers[next(0, 15)];
      SetValueText(settings.valueTexts[value], number);
      name += std::string(", ") + kValueNames[value] + "=" + number;
    }
    ParseValueTexts(settings);
    const std::int32_t width = sides[(i + i / 6) % 6][0], height = sides[(i + i / 6) % 6][1];
    // Axis numbers on every fourth graph, every other one of those at scale 3.
    const std::int32_t scale = i % 8 == 5 ? 3 : 1;
    name += ", " + std::to_string(width) + "x" + std::to_string(height) +
            (i % 4 == 1 ? ", numbers x" + std::to_string(scale) : "");
    cases.push_back({settings, width, height, name, {false, {}, i % 4 == 1, scale}});
  }
  return cases;
}

// Points near, far, around the crop limit of 2^28 and at int32's ends; colours plain, PALETTEINDEX,
// DIBINDEX and junk. `graphs` differ in a last bit between platforms. `likeDrawGraph`: no text,
// within a few thousand pixels (a longer line can need more than librsvg's 1/256 pixel).
inline std::vector<Program> Programs(bool graphs, bool likeDrawGraph = false) {
  std::mt19937_64 engine(20261207);
  const auto next = [&engine](std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(engine() % static_cast<std::uint64_t>(high - low + 1));
  };
  const auto coordinate = [&next, likeDrawGraph](std::int32_t size) {
    const std::int64_t kind = next(0, 9), sign = next(0, 1) * 2 - 1;
    return static_cast<std::int32_t>(kind < 5 ? next(-8, size + 8)
                                     : kind < 8 || likeDrawGraph
                                         ? next(-3000000, 3000000) >>
                                               (likeDrawGraph ? 10 : kind % 2 * 10)
                                     : kind < 9 ? sign * ((1 << 28) + next(-1, 1))
                                                : sign * (INT32_MAX - next(0, 1)) - (sign < 0));
  };
  std::vector<Program> programs;
  for (int n = 0; n < 1000; ++n) {
    const std::int32_t width = 1 + n % 8 * (n % 8) * 4, height = 1 + n % 5 * (n % 5) * 9;
    std::vector<Call>& calls = programs.emplace_back(Program{width, height, {}}).calls;
    std::int32_t x = 0, y = 0;
    while (calls.size() < 60) {
      const std::int64_t choice = next(-4, 7), way = next(0, 3), kind = next(0, 9);
      const std::int32_t a = coordinate(width), b = coordinate(height);
      const std::int32_t c = way ? coordinate(width) : a ^ 1, d = way ? coordinate(height) : b ^ 1;
      const Color top[] = {0x01000000, 0x10FF0000, static_cast<Color>(next(2, 255)) << 24};
      const Color color = kind < 7 ? static_cast<Color>(next(0, 0xFFFFFF))
                                   : top[kind - 7] | static_cast<Color>(next(0, 300) >> way);
      std::string text(next(1, 40), 0);
      std::iota(text.begin(), text.end(), static_cast<char>(next(1, 255)));
      const Call others[] = {
          [=](Surface& s) { return s.MoveTo(a, b).x; },
          [=](Surface& s) { return s.MoveTo(a, b).y; },
          [=](Surface& s) { return s.FillRectangle(a, b, c, d, color), 0; },
          [=](Surface& s) { return s.SetPixel(a, b, color), 0; },
          [=](Surface& s) { return s.SelectPen(static_cast<PenStyle>(way % 3), color), 0; },
          [](Surface& s) { return s.RestorePen(), 0; },
          [=](Surface& s) { return s.SetBackgroundColor(color); },
          [=](Surface& s) { return s.TextOut(a, b, text), 0; },
      };
      // Lines straight down, across, or anywhere.
      x = choice <= 1 && (choice >= 0 || way != 0) ? a : x;
      y = choice <= 1 && (choice >= 0 || way != 1) ? b : y;
      calls.push_back(choice >= 0 ? others[likeDrawGraph && choice == 7 ? 3 : choice]
                                  : [x, y](Surface& s) { return s.LineTo(x, y), 0; });
    }
  }
  // A cropped end lands on a surface 2^25 + 1 long: dashed pens light it, solid ones not.
  for (bool across : {true, false}) {
    programs.push_back({across ? (1 << 25) + 1 : 1, across ? 1 : (1 << 25) + 1, {}});
    for (int i = 3; i-- > 0;) {
      programs.back().calls.push_back([i, across](Surface& s) {
        const std::int32_t inside = (1 << 25) - 2, outside = 1 << 28;
        s.SelectPen(static_cast<PenStyle>(i), 0xFFu << (8 * i));
        s.MoveTo(across ? inside : 1, across ? 1 : inside);
        return s.LineTo(across ? outside : 0, across ? 0 : outside), 0;
      });
    }
  }
  for (const GraphCase& graph : graphs ? GraphCases(next) : std::vector<GraphCase>()) {
    programs.push_back(
        {graph.width, graph.height, {[=](Surface& s) {
           return DrawGraph(s, 0, 0, graph.width, graph.height, graph.settings, graph.options), 0;
         }}});
  }
  return programs;
}

}  // namespace ondrix::test
