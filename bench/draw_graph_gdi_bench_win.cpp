// DrawGraph through GDI into a DIB section, timed by hand with
// QueryPerformanceCounter (Google Benchmark is not built for MinGW): the
// fast walk per shape and range, the plain walk beside it where it is quick.

// First: it includes windows.h and takes back its TextOut macro.
#include "render/gdi_surface_win.h"

#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "bench_cases.h"
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

  std::printf("%-20s %-24s %10s %10s\n", "shape", "range", "fast ms", "plain ms");
  for (const bench::Shape& shape : bench::kShapes) {
    for (const bench::Range& range : bench::kRanges) {
      const GraphSettings settings = bench::CaseSettings(shape, range);
      const double fast = Time(dc, settings, false);
      // Plain walks of a second or more are left out.
      if (range.plainSeconds < 1) {
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
