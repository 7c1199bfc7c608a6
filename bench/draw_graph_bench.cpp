// DrawGraph on the raster surface, the fast walk beside the plain one, per
// shape and per range: near 0, far from it, and wide. The plain walk counts
// from 0 out to each bound; its multi-minute cases are left out (see Plain).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/graph_settings.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"

namespace ondrix {
namespace {

constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;

struct Shape {
  const char* name;
  std::int32_t method;
  std::int32_t connect;
  std::int32_t sonar;
};

const Shape kShapes[] = {{"sine", CM_SINE, CM_CONNECTED_DOTS, 0},
                         {"tangent+sonar", CM_TANGENT, CM_CONNECTED_DOTS, 1},
                         {"cotangent", CM_COTANGENT, CM_CONNECTED_DOTS, 0},
                         {"secant unconnected", CM_SECANT, CM_UNCONNECTED_DOTS, 0}};

struct Range {
  const char* name;
  std::vector<std::pair<GraphValue, double>> values;
  // The plain walk's time per render is about this many seconds or more.
  double plainSeconds;
};

const Range kRanges[] = {
    {"default", {}, 0},
    {"x 0..1", {{MinimumX, 0}, {MaximumX, 1}}, 0},
    {"x 1e3..1e3+1", {{MinimumX, 1e3}, {MaximumX, 1e3 + 1}}, 0.3},
    {"x 1e5..1e5+1", {{MinimumX, 1e5}, {MaximumX, 1e5 + 1}}, 24},
    {"x 1e6..1e6+1", {{MinimumX, 1e6}, {MaximumX, 1e6 + 1}}, 230},
    {"y 1e5..1e5+8 tick 0.01", {{MinimumY, 1e5}, {MaximumY, 1e5 + 8}, {YTickFrequency, 0.01}}, 0.1},
    // The same rows of grid lines and tick marks as the far range, near 0.
    {"y -4..4 tick 0.01", {{YTickFrequency, 0.01}}, 0},
    {"y max 1e6", {{MaximumY, 1e6}}, 3},
    {"y max 1e7", {{MaximumY, 1e7}}, 28},
    {"x max 1e6", {{MaximumX, 1e6}}, 1},
};

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
  for (const Shape& shape : kShapes) {
    for (const Range& range : kRanges) {
      GraphSettings settings = DefaultGraphSettings();
      settings.graphMethod = shape.method;
      settings.connectMethod = shape.connect;
      settings.sonar = shape.sonar;
      for (const auto& value : range.values) {
        settings.values[value.first] = value.second;
      }
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
