// The main window's zoom and pan: the wheel, a left drag, the arrow keys and
// the View menu's commands, turned into steps of the view arithmetic on
// currentSettings, with Back and Reset View.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "model/graph_settings.h"
#include "model/view.h"
#include "model/view_history.h"

namespace ondrix {

class ViewInput {
 public:
  // `home` is the view in force at start.
  explicit ViewInput(const GraphSettings& home) : history_(home) {}

  // WM_MOUSEWHEEL at a point of the graph's area: `delta` in wheel units,
  // `keys` the message's key state, `time` the message's time.
  void OnWheel(HWND window, ViewSize size, POINT point, int delta, WPARAM keys, DWORD time);

  // A left drag: the grabbed point follows the pointer. The drag ends, as
  // one step, when the window loses the capture.
  void OnButtonDown(HWND window, POINT point);
  void OnMouseMove(HWND window, ViewSize size, POINT point);
  void OnButtonUp() const;
  void OnCaptureLost();

  // The arrow keys; false for any other key.
  bool OnKey(HWND window, ViewSize size, WPARAM key);

  // Zoom In, Zoom Out, Back and Reset View; false for any other command.
  bool OnCommand(HWND window, ViewSize size, int command);

  // Grid Properties put new settings in force.
  void OnSettingsApplied(const GraphSettings& before);

 private:
  struct Drag {
    POINT last;  // where the graph was last moved to
    GraphSettings before;
    bool refused;
  };

  // Puts `next` in force as one step from the current settings; false, with
  // the warning beep, when the step was refused.
  bool Step(HWND window, bool accepted, const GraphSettings& next);

  ViewHistory history_;
  WheelAccumulator wheel_;
  std::optional<Drag> drag_;
};

}  // namespace ondrix
