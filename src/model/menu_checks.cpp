#include "model/menu_checks.h"

#include "model/command_ids.h"

namespace ondrix {

std::array<MenuCheck, kCheckedItemCount> MenuChecks(const GraphSettings& settings) {
  std::array<MenuCheck, kCheckedItemCount> checks{};
  std::size_t next = 0;
  for (const std::int32_t method : kFunctionMethods) {
    checks[next++] = {method, method == settings.graphMethod};
  }
  for (const std::int32_t method : {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION}) {
    checks[next++] = {method, method == settings.connectMethod};
  }
  checks[next++] = {CM_GRID_LINES, settings.grid != 0};
  checks[next++] = {CM_POINT_SONAR, settings.sonar != 0};
  return checks;
}

}  // namespace ondrix
