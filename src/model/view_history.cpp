#include "model/view_history.h"

#include <cstring>

#include "model/value_text.h"

namespace ondrix {

namespace {

constexpr GraphValue kViewFields[6] = {MinimumX, MaximumX, XTickFrequency,
                                       MinimumY, MaximumY, YTickFrequency};

}  // namespace

ViewTexts CaptureView(const GraphSettings& settings) {
  ViewTexts view{};
  for (int i = 0; i < 6; ++i) {
    std::memcpy(view.texts[i], settings.valueTexts[kViewFields[i]], kValueTextSize);
  }
  return view;
}

void ApplyView(const ViewTexts& view, GraphSettings& settings) {
  for (int i = 0; i < 6; ++i) {
    std::memcpy(settings.valueTexts[kViewFields[i]], view.texts[i], kValueTextSize);
  }
  ParseValueTexts(settings);
}

bool SameView(const ViewTexts& a, const ViewTexts& b) {
  for (int i = 0; i < 6; ++i) {
    if (std::strncmp(a.texts[i], b.texts[i], kValueTextSize) != 0) {
      return false;
    }
  }
  return true;
}

ViewHistory::ViewHistory(const GraphSettings& home) : home_(CaptureView(home)) {}

void ViewHistory::Push(const ViewTexts& view) {
  if (views_.size() == kDepth) {
    views_.pop_front();
  }
  views_.push_back(view);
}

void ViewHistory::RecordStep(const GraphSettings& before, const GraphSettings& after) {
  const ViewTexts view = CaptureView(before);
  if (!SameView(view, CaptureView(after))) {
    Push(view);
    inWheelRun_ = false;
  }
}

void ViewHistory::RecordWheelNotch(const GraphSettings& before, const GraphSettings& after,
                                   std::uint32_t timeMs) {
  const ViewTexts view = CaptureView(before);
  if (SameView(view, CaptureView(after))) {
    return;
  }
  // Unsigned difference: right across the wrap of the message clock.
  const bool joins = inWheelRun_ && timeMs - lastNotchMs_ < kWheelPauseMs;
  if (!joins) {
    Push(view);
  }
  inWheelRun_ = true;
  lastNotchMs_ = timeMs;
}

void ViewHistory::RecordPropertiesApplied(const GraphSettings& before, const GraphSettings& after) {
  const ViewTexts view = CaptureView(after);
  if (!SameView(CaptureView(before), view)) {
    RecordStep(before, after);
    home_ = view;
  }
}

bool ViewHistory::Back(GraphSettings& settings) {
  if (views_.empty()) {
    return false;
  }
  ApplyView(views_.back(), settings);
  views_.pop_back();
  inWheelRun_ = false;
  return true;
}

bool ViewHistory::Reset(GraphSettings& settings) {
  const ViewTexts shown = CaptureView(settings);
  if (SameView(shown, home_)) {
    return false;
  }
  Push(shown);
  inWheelRun_ = false;
  ApplyView(home_, settings);
  return true;
}

}  // namespace ondrix
