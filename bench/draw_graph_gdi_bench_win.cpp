// DrawGraph through GDI into a DIB section, timed by hand with
// QueryPerformanceCounter (Google Benchmark is not built for MinGW): the
// fast walk per shape and range, the plain walk beside it where it is quick.

// First: it includes windows.h and takes back its TextOut macro.
#include "render/gdi_surface_win.h"

#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "model/graph_settings.h"
#include "render/draw_graph.h"

namespace {

using namespace ondrix;

constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;

double Seconds() {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The best of a few renders, in milliseconds.
double Time(HDC dc, const GraphSettings& settings, bool plain) {
  DrawOptions options;
  options.plainWalk = plain;
  double best = 1e300;
  const double started = Seconds();
  for (int i = 0; i < 20 && Seconds() - started < 2; ++i) {
    const double start = Seconds();
    {
      GdiSurface surface(dc);
      DrawGraph(surface, 0, 0, kWidth, kHeight, settings, options);
    }
    GdiFlush();
    const double took = Seconds() - start;
    best = took < best ? took : best;
  }
  return best * 1000;
}

}  // namespace

int main() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc == nullptr || bitmap == nullptr) {
    std::fprintf(stderr, "no DIB section\n");
    return 1;
  }
  HGDIOBJ kept = SelectObject(dc, bitmap);

  struct Shape {
    const char* name;
    std::int32_t method, connect, sonar;
  };
  const Shape shapes[] = {{"sine", CM_SINE, CM_CONNECTED_DOTS, 0},
                          {"tangent+sonar", CM_TANGENT, CM_CONNECTED_DOTS, 1},
                          {"cotangent", CM_COTANGENT, CM_CONNECTED_DOTS, 0},
                          {"secant unconnected", CM_SECANT, CM_UNCONNECTED_DOTS, 0}};
  struct Range {
    const char* name;
    std::vector<std::pair<GraphValue, double>> values;
    bool plain;  // quick enough to time the plain walk too
  };
  const Range ranges[] = {
      {"default", {}, true},
      {"x 0..1", {{MinimumX, 0}, {MaximumX, 1}}, true},
      {"x 1e3..1e3+1", {{MinimumX, 1e3}, {MaximumX, 1e3 + 1}}, true},
      {"x 1e5..1e5+1", {{MinimumX, 1e5}, {MaximumX, 1e5 + 1}}, false},
      {"x 1e6..1e6+1", {{MinimumX, 1e6}, {MaximumX, 1e6 + 1}}, false},
      {"y 1e5..1e5+8 tick 0.01",
       {{MinimumY, 1e5}, {MaximumY, 1e5 + 8}, {YTickFrequency, 0.01}},
       false},
      {"y max 1e6", {{MaximumY, 1e6}}, false},
      {"y max 1e7", {{MaximumY, 1e7}}, false},
      {"x max 1e6", {{MaximumX, 1e6}}, false},
  };
  std::printf("%-20s %-24s %10s %10s\n", "shape", "range", "fast ms", "plain ms");
  for (const Shape& shape : shapes) {
    for (const Range& range : ranges) {
      GraphSettings settings = DefaultGraphSettings();
      settings.graphMethod = shape.method;
      settings.connectMethod = shape.connect;
      settings.sonar = shape.sonar;
      for (const auto& value : range.values) {
        settings.values[value.first] = value.second;
      }
      const double fast = Time(dc, settings, false);
      if (range.plain) {
        std::printf("%-20s %-24s %10.2f %10.2f\n", shape.name, range.name, fast,
                    Time(dc, settings, true));
      } else {
        std::printf("%-20s %-24s %10.2f %10s\n", shape.name, range.name, fast, "-");
      }
      std::fflush(stdout);
    }
  }
  SelectObject(dc, kept);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return 0;
}
