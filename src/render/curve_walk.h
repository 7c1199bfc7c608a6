// The connected-dots curve: the polyline walked outward from x = 0, and the
// fast walk that feeds it only the samples that can draw or change its state.
#pragma once

#include <cstdint>

#include "model/function.h"
#include "render/draw_frame.h"
#include "render/sample_search.h"

namespace ondrix {

// The polyline walked outward from x = 0, broken at undefined samples.
class CurveWalk {
 public:
  CurveWalk(const Frame& frame, Function function) : frame_(frame), function_(function) {}

  void Sample(double x);

  // Between the two walks; the last line column carries over.
  void LiftPen() { penDown_ = false; }

  // Takes up a walk before a defined sample and the first sample of the next
  // column: the first puts the pen down and the second draws its line and
  // leaves the state that the whole walk would have.
  void Resume(std::int32_t firstColumn) {
    penDown_ = false;
    lastLineColumn_ = firstColumn;
  }

 private:
  const Frame& frame_;
  const Function function_;
  bool penDown_ = false;
  std::int32_t lastLineColumn_ = 0;
};

// The connected-dots walk over one run, fed only the samples that can draw
// or change its state. It enters at the first sample of the last column off
// the surface, and on the surface skips every defined sample that shares the
// column of a defined predecessor whose own predecessor is defined: it
// neither draws nor changes the state. The walk ends at the run's bound,
// which lies on the surface.
void WalkRun(const Frame& frame, Function function, CurveWalk& walk, const Run& run);

}  // namespace ondrix
