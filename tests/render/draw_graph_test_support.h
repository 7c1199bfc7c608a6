// Shared by the DrawGraph tests: settings, traces and their parsing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "model/graph_settings.h"
#include "render/draw_graph.h"
#include "render/surface.h"

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

// Interim recorder in the trace format, until the shared TraceSurface is in.
class TraceSurface : public Surface {
 public:
  void FillRectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                     Color c) override {
    Add("fill " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
        std::to_string(b) + " " + Hex(c));
  }
  void SelectPen(PenStyle style, Color c) override {
    Add(std::string("pen ") +
        (style == PenStyle::Solid ? "SOLID"
         : style == PenStyle::Dot ? "DOT"
                                  : "DASH") +
        " " + Hex(c));
  }
  void RestorePen() override { Add("pen restore"); }
  Color SetBackgroundColor(Color c) override {
    Add("bk " + Hex(c));
    Color old = bk_;
    bk_ = c;
    return old;
  }
  SurfaceExtent SetViewportExtent(std::int32_t cx, std::int32_t cy) override {
    SurfaceExtent old = ext_;
    ext_ = {cx, cy};
    return old;
  }
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override {
    Add("move " + std::to_string(x) + " " + std::to_string(y));
    SurfacePoint old = pos_;
    pos_ = {x, y};
    return old;
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    Add("line " + std::to_string(x) + " " + std::to_string(y));
    pos_ = {x, y};
  }
  void SetPixel(std::int32_t x, std::int32_t y, Color c) override {
    Add("pixel " + std::to_string(x) + " " + std::to_string(y) + " " + Hex(c));
  }
  void TextOut(std::int32_t x, std::int32_t y, std::string_view t) override {
    Add("text " + std::to_string(x) + " " + std::to_string(y) + " " + std::string(t));
  }
  const std::string& Text() const { return text_; }

 private:
  void Add(const std::string& line) { text_ += line + "\n"; }
  std::string text_;
  SurfacePoint pos_;
  Color bk_ = 0x00FFFFFF;
  SurfaceExtent ext_;
};

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
  std::vector<std::int64_t> numbers;
  std::istringstream stream(line);
  std::string op;
  stream >> op;
  int count = 0;
  if (op == "fill") {
    count = 4;
  } else if (op == "move" || op == "line" || op == "pixel") {
    count = 2;
  }
  for (int i = 0; i < count; ++i) {
    std::int64_t value = 0;
    stream >> value;
    numbers.push_back(value);
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
