#include "model/titles.h"

#include "model/command_ids.h"
#include "model/value_text.h"

namespace ondrix {

namespace {

// The status dialog names the connection methods differently from the menu.
const char* ConnectionMethodText(std::int32_t connectMethod) {
  switch (connectMethod) {
    case CM_UNCONNECTED_DOTS:
      return "Unconnected Dots";
    case CM_CONNECTED_DOTS:
      return "Connected Dots";
    case CM_NO_CONNECTION:
      return "No Dot Connection";
    default:
      return "";
  }
}

}  // namespace

std::string FunctionNameText(const GraphSettings& settings) {
  return std::string(settings.functionName,
                     BoundedLength(settings.functionName, sizeof settings.functionName));
}

std::string GraphTitle(const GraphSettings& settings) {
  return FunctionNameText(settings) + " - Ondrix";
}

PrintStatusTexts MakePrintStatusTexts(const GraphSettings& settings) {
  return {FunctionNameText(settings), ConnectionMethodText(settings.connectMethod),
          settings.grid != 0 ? "On" : "Off", settings.sonar != 0 ? "On" : "Off"};
}

}  // namespace ondrix
