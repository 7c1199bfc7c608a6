// Texts made from the settings: the window caption, the print document's
// name and the print status dialog's four lines.
#pragma once

#include <string>

#include "model/graph_settings.h"

namespace ondrix {

// The function name, read from a record that may lack the terminating NUL.
std::string FunctionNameText(const GraphSettings& settings);

// "Sine - Ondrix": the main window's caption and the print document's name.
std::string GraphTitle(const GraphSettings& settings);

struct PrintStatusTexts {
  std::string function;
  const char* connection;  // "" for an unknown method
  const char* grid;        // "On" or "Off"
  const char* sonar;
};

PrintStatusTexts MakePrintStatusTexts(const GraphSettings& settings);

}  // namespace ondrix
