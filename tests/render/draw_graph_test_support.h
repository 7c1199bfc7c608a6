// Shared by the DrawGraph tests: settings, traces and their parsing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "model/graph_settings.h"
#include "render/draw_graph.h"
#include "render/trace_surface.h"

namespace ondrix {
namespace test {

// Distinct colours, so that a trace line tells which element it draws.
inline GraphSettings DistinctColorSettings() {
  GraphSettings settings = DefaultGraphSettings();
  settings.colors[Asymptote] = 0x00000011;
  settings.colors[Axis] = 0x00000022;
  settings.colors[Background] = 0x00000033;
  settings.colors[GridLine] = 0x00000044;
  settings.colors[Point] = 0x00000055;
  settings.colors[PointConnection] = 0x00000066;
  settings.colors[PointSonar] = 0x00000077;
  settings.colors[TickMark] = 0x00000088;
  return settings;
}

inline std::string Hex(Color color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(color));
  return text;
}

inline std::string Trace(const GraphSettings& settings, std::int32_t right, std::int32_t bottom) {
  TraceSurface surface;
  DrawGraph(surface, 0, 0, right, bottom, settings);
  return surface.Text();
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) {
    lines.push_back(line);
  }
  return lines;
}

// One trace line split into its operation and, for move, line and pixel,
// its coordinates.
struct Call {
  std::string op;
  std::int64_t x = 0;
  std::int64_t y = 0;
};

inline Call ParseCall(const std::string& line) {
  Call call;
  std::istringstream stream(line);
  stream >> call.op;
  if (call.op == "move" || call.op == "line" || call.op == "pixel") {
    stream >> call.x >> call.y;
  }
  return call;
}

// Every integer a trace line carries as a coordinate (text lines excepted).
inline std::vector<std::int64_t> Coordinates(const std::string& line) {
  std::istringstream stream(line);
  std::string op;
  stream >> op;
  const bool point = op == "move" || op == "line" || op == "pixel";
  std::vector<std::int64_t> numbers(op == "fill" ? 4 : point ? 2 : 0);
  for (std::int64_t& value : numbers) {
    stream >> value;
  }
  return numbers;
}

// The lines from the first one equal to `first` up to, not including, the
// next one equal to `end`; empty when `first` is missing.
inline std::vector<std::string> Section(const std::vector<std::string>& lines,
                                        const std::string& first, const std::string& end) {
  std::vector<std::string> section;
  bool inside = false;
  for (const std::string& line : lines) {
    if (!inside && line == first) {
      inside = true;
    } else if (inside && line == end) {
      break;
    }
    if (inside) {
      section.push_back(line);
    }
  }
  return section;
}

}  // namespace test
}  // namespace ondrix
