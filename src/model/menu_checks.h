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

// The check mark of every item that shows the settings: the item of the
// function and of the connection, Grid Lines and Point Sonar by their
// switches. A stored method that names no item of its group checks nothing,
// even where another command carries that ID.
std::array<MenuCheck, kCheckedItemCount> MenuChecks(const GraphSettings& settings);

// Whether two commands are items of one radio-like group, the functions or
// the connections, so that checking one unchecks the other.
bool InSameMenuGroup(std::int32_t first, std::int32_t second);

}  // namespace ondrix
