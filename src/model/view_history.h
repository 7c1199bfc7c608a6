// Back and Reset View: the views the user has left, one per gesture, and the
// home view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "model/graph_settings.h"

namespace ondrix {

// The six view texts of a settings record, in the order MinimumX, MaximumX,
// XTickFrequency, MinimumY, MaximumY, YTickFrequency.
struct ViewTexts {
  char texts[6][kValueTextSize];
};

ViewTexts CaptureView(const GraphSettings& settings);
// Writes the six texts into the settings and derives their values.
void ApplyView(const ViewTexts& view, GraphSettings& settings);
bool SameView(const ViewTexts& a, const ViewTexts& b);

class ViewHistory {
 public:
  static constexpr std::size_t kDepth = 100;  // views kept; the oldest goes first
  // Wheel notches closer together than this are one step.
  static constexpr std::uint32_t kWheelPauseMs = 500;

  // `home` is the view in force at start.
  explicit ViewHistory(const GraphSettings& home);

  // One drag (its start and its end) or one key; nothing when the view is
  // the same.
  void RecordStep(const GraphSettings& before, const GraphSettings& after);
  // One wheel notch at `timeMs` (message time, wrapping at 2^32): it joins
  // the step of the notch before when that came less than kWheelPauseMs
  // earlier and nothing else happened in between.
  void RecordWheelNotch(const GraphSettings& before, const GraphSettings& after,
                        std::uint32_t timeMs);
  // An OK or Apply in Grid Properties: a step, and `after` becomes the home
  // view; nothing when the view is the same.
  void RecordPropertiesApplied(const GraphSettings& before, const GraphSettings& after);

  // Puts back the view before the last step, with exactly its texts. False
  // (settings untouched) when there is none.
  bool Back(GraphSettings& settings);
  // Puts back the home view, as a step Back can undo. False (settings
  // untouched, no step) when the home view is already shown.
  bool Reset(GraphSettings& settings);

  bool CanGoBack() const { return !views_.empty(); }
  std::size_t Size() const { return views_.size(); }
  const ViewTexts& Home() const { return home_; }

 private:
  void Push(const ViewTexts& view);

  std::deque<ViewTexts> views_;
  ViewTexts home_;
  bool inWheelRun_ = false;
  std::uint32_t lastNotchMs_ = 0;
};

}  // namespace ondrix
