// DrawGraph on the portable surfaces, and on a surface that only counts, to
// tell the renderer's own cost from the drawing's.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "model/graph_settings.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"
#include "render/trace_surface.h"

namespace ondrix {
namespace {

class CountingSurface : public Surface {
 public:
  void FillRectangle(std::int32_t, std::int32_t, std::int32_t, std::int32_t, Color) override {
    ++calls;
  }
  void SelectPen(PenStyle, Color) override { ++calls; }
  void RestorePen() override { ++calls; }
  Color SetBackgroundColor(Color color) override {
    ++calls;
    return color;
  }
  SurfaceExtent SetViewportExtent(std::int32_t cx, std::int32_t cy) override { return {cx, cy}; }
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override {
    ++calls;
    return {x, y};
  }
  void LineTo(std::int32_t, std::int32_t) override { ++calls; }
  void SetPixel(std::int32_t, std::int32_t, Color) override { ++calls; }
  void TextOut(std::int32_t, std::int32_t, std::string_view) override { ++calls; }

  std::int64_t calls = 0;
};

constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;

GraphSettings Defaults() {
  return DefaultGraphSettings();
}

GraphSettings Tangent() {
  GraphSettings settings = DefaultGraphSettings();
  settings.graphMethod = CM_TANGENT;
  settings.sonar = 1;
  return settings;
}

GraphSettings Unconnected() {
  GraphSettings settings = DefaultGraphSettings();
  settings.connectMethod = CM_UNCONNECTED_DOTS;
  return settings;
}

// x from 1000 to 1001: the walk still starts at 0, about 1.6 million samples.
GraphSettings FarRange() {
  GraphSettings settings = DefaultGraphSettings();
  settings.values[MinimumX] = 1000;
  settings.values[MaximumX] = 1001;
  return settings;
}

// A steep tangent whose lines end far off the surface and are cut.
GraphSettings SteepTangent() {
  GraphSettings settings = DefaultGraphSettings();
  settings.graphMethod = CM_TANGENT;
  settings.values[AModifier] = 1e9;
  return settings;
}

void CountingBench(benchmark::State& state, GraphSettings (*make)()) {
  const GraphSettings settings = make();
  CountingSurface surface;
  for (auto _ : state) {
    DrawGraph(surface, 0, 0, kWidth, kHeight, settings);
  }
  state.counters["calls"] =
      benchmark::Counter(static_cast<double>(surface.calls), benchmark::Counter::kAvgIterations);
}

void RasterBench(benchmark::State& state, GraphSettings (*make)()) {
  const GraphSettings settings = make();
  RasterSurface surface(kWidth, kHeight);
  for (auto _ : state) {
    DrawGraph(surface, 0, 0, kWidth, kHeight, settings);
    benchmark::DoNotOptimize(surface.Pixels().data());
  }
}

void TraceBench(benchmark::State& state, GraphSettings (*make)()) {
  const GraphSettings settings = make();
  for (auto _ : state) {
    TraceSurface surface;
    DrawGraph(surface, 0, 0, kWidth, kHeight, settings);
    benchmark::DoNotOptimize(surface.Text().size());
  }
}

BENCHMARK_CAPTURE(CountingBench, Defaults, Defaults)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CountingBench, Tangent, Tangent)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CountingBench, Unconnected, Unconnected)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CountingBench, FarRange, FarRange)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CountingBench, SteepTangent, SteepTangent)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RasterBench, Defaults, Defaults)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RasterBench, Tangent, Tangent)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RasterBench, Unconnected, Unconnected)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RasterBench, FarRange, FarRange)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RasterBench, SteepTangent, SteepTangent)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TraceBench, Defaults, Defaults)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TraceBench, FarRange, FarRange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ondrix

BENCHMARK_MAIN();
