// What one DrawGraph call shares between its phases: the surface, the
// clipper in front of it, the settings, the mapped axes and the stop poll.
#pragma once

#include <cstdint>
#include <functional>

#include "model/graph_settings.h"
#include "render/segment_clipper.h"
#include "render/surface.h"

namespace ondrix {

// Asks shouldStop every few thousand steps and remembers a true answer.
class StopPoll {
 public:
  explicit StopPoll(const std::function<bool()>& shouldStop) : shouldStop_(shouldStop) {}

  bool Stopped() {
    if (!stopped_ && shouldStop_ && ++steps_ % kStepsBetweenPolls == 0) {
      stopped_ = shouldStop_();
    }
    return stopped_;
  }

  bool WasStopped() const { return stopped_; }

 private:
  static constexpr std::uint32_t kStepsBetweenPolls = 4096;
  const std::function<bool()>& shouldStop_;
  std::uint32_t steps_ = 0;
  bool stopped_ = false;
};

struct Frame {
  Surface& surface;
  SegmentClipper& clipper;
  const GraphSettings& settings;
  std::int32_t width;   // W, the last column
  std::int32_t height;  // H, the last row
  std::int32_t axisColumn;
  std::int32_t axisRow;
  StopPoll& stop;
  bool plainWalk;
};

inline double Value(const GraphSettings& settings, GraphValue index) {
  return settings.values[index];
}

}  // namespace ondrix
