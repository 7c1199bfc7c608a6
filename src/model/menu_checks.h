// The Graph menu's check marks as the settings decide them.
#pragma once

#include <array>
#include <cstdint>

#include "model/graph_settings.h"

namespace ondrix {

struct MenuCheck {
  std::int32_t command;
  bool checked;
};

// The six function items, the three connection items, Grid Lines and Point
// Sonar.
constexpr int kCheckedItemCount = 11;

// The check mark of every item that shows the settings, in menu order. The
// functions and the connections are radio-like groups: of each, the item of
// the settings' method is checked, and a stored method that names no item of
// its group checks nothing, even where another command carries that ID.
// Grid Lines and Point Sonar follow their switches.
std::array<MenuCheck, kCheckedItemCount> MenuChecks(const GraphSettings& settings);

}  // namespace ondrix
