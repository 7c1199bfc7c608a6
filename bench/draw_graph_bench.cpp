// DrawGraph on the raster surface, the fast walk beside the plain one, per
// shape and per range: near 0, far from it, and wide. The plain walk counts
// from 0 out to each bound; its multi-minute cases are left out (see Plain).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench_cases.h"
#include "model/graph_settings.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"

namespace ondrix {
namespace {

constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;

void Draw(benchmark::State& state, const GraphSettings settings, bool plain) {
  RasterSurface surface(kWidth, kHeight);
  DrawOptions options;
  options.plainWalk = plain;
  for (auto _ : state) {
    DrawGraph(surface, 0, 0, kWidth, kHeight, settings, options);
    benchmark::DoNotOptimize(surface.Pixels().data());
  }
}

void RegisterAll() {
  for (const bench::Shape& shape : bench::kShapes) {
    for (const bench::Range& range : bench::kRanges) {
      const GraphSettings settings = bench::CaseSettings(shape, range);
      const std::string name = std::string(shape.name) + " / " + range.name;
      benchmark::RegisterBenchmark((name + " / fast").c_str(), Draw, settings, false)
          ->Unit(benchmark::kMillisecond);
      // Plain cases beyond a few seconds a render are not run.
      if (range.plainSeconds <= 3) {
        auto* plain =
            benchmark::RegisterBenchmark((name + " / plain").c_str(), Draw, settings, true)
                ->Unit(benchmark::kMillisecond);
        if (range.plainSeconds >= 0.5) {
          plain->Iterations(1);
        }
      }
    }
  }
}

}  // namespace
}  // namespace ondrix

int main(int argc, char** argv) {
  ondrix::RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
