// The View menu's switches, kept in the settings key.
#pragma once

#include "model/stored_values.h"

namespace ondrix {

// What is stored; off where a value is missing or damaged.
ViewSwitches LoadViewSwitches();

// Writes both switches once they are `stored`; a user who never turned one
// leaves the key as it was.
void StoreViewSwitches(const ViewSwitches& switches);

}  // namespace ondrix
