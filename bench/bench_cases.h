// The shapes and ranges both benchmarks time, so their tables stay one.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/graph_settings.h"

namespace ondrix {
namespace bench {

struct Shape {
  const char* name;
  std::int32_t method;
  std::int32_t connect;
  std::int32_t sonar;
};

inline const Shape kShapes[] = {{"sine", CM_SINE, CM_CONNECTED_DOTS, 0},
                                {"tangent+sonar", CM_TANGENT, CM_CONNECTED_DOTS, 1},
                                {"cotangent", CM_COTANGENT, CM_CONNECTED_DOTS, 0},
                                {"secant unconnected", CM_SECANT, CM_UNCONNECTED_DOTS, 0}};

struct Range {
  const char* name;
  std::vector<std::pair<GraphValue, double>> values;
  // The plain walk's time per render is about this many seconds or more.
  double plainSeconds;
};

inline const Range kRanges[] = {
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

inline GraphSettings CaseSettings(const Shape& shape, const Range& range) {
  GraphSettings settings = DefaultGraphSettings();
  settings.graphMethod = shape.method;
  settings.connectMethod = shape.connect;
  settings.sonar = shape.sonar;
  for (const auto& value : range.values) {
    settings.values[value.first] = value.second;
  }
  return settings;
}

}  // namespace bench
}  // namespace ondrix
