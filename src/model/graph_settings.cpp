#include "model/graph_settings.h"

#include <cstring>

#include "model/string_table.h"
#include "model/value_text.h"

namespace ondrix {

const Color kDefaultColors[kColorCount] = {
    MakeColor(0xFF, 0, 0),        // asymptote: red
    MakeColor(0, 0, 0),           // axis: black
    MakeColor(0xFF, 0xFF, 0xFF),  // background: white
    MakeColor(0, 0x80, 0x80),     // grid line: teal
    MakeColor(0xFF, 0, 0),        // point: red
    MakeColor(0, 0, 0xFF),        // point connection: blue
    MakeColor(0xFF, 0, 0),        // point sonar: red
    MakeColor(0, 0, 0xFF),        // tick mark: blue
};

const char* const kColorNames[kColorCount] = {STR_COLOR_0, STR_COLOR_1, STR_COLOR_2, STR_COLOR_3,
                                              STR_COLOR_4, STR_COLOR_5, STR_COLOR_6, STR_COLOR_7};

const char* const kValueNames[kValueCount] = {
    STR_VALUE_NAME_0, STR_VALUE_NAME_1, STR_VALUE_NAME_2,  STR_VALUE_NAME_3,
    STR_VALUE_NAME_4, STR_VALUE_NAME_5, STR_VALUE_NAME_6,  STR_VALUE_NAME_7,
    STR_VALUE_NAME_8, STR_VALUE_NAME_9, STR_VALUE_NAME_10, STR_VALUE_NAME_11};

const char* const kDefaultValueTexts[kValueCount] = {
    STR_VALUE_DEFAULT_0, STR_VALUE_DEFAULT_1, STR_VALUE_DEFAULT_2,  STR_VALUE_DEFAULT_3,
    STR_VALUE_DEFAULT_4, STR_VALUE_DEFAULT_5, STR_VALUE_DEFAULT_6,  STR_VALUE_DEFAULT_7,
    STR_VALUE_DEFAULT_8, STR_VALUE_DEFAULT_9, STR_VALUE_DEFAULT_10, STR_VALUE_DEFAULT_11};

bool IsConnectMethod(std::int32_t method) {
  return method == CM_CONNECTED_DOTS || method == CM_NO_CONNECTION || method == CM_UNCONNECTED_DOTS;
}

void SetDefaultSettings(GraphSettings& settings) {
  settings.grid = 1;
  settings.connectMethod = CM_CONNECTED_DOTS;
  settings.graphMethod = CM_SINE;
  settings.sonar = 0;
  for (int i = 0; i < kColorCount; ++i) {
    settings.colors[i] = kDefaultColors[i];
  }
  for (int i = 0; i < kValueCount; ++i) {
    SetValueText(settings.valueTexts[i], kDefaultValueTexts[i]);
  }
  ParseValueTexts(settings);
}

GraphSettings DefaultGraphSettings() {
  GraphSettings settings;
  std::memset(&settings, 0, sizeof settings);
  SetDefaultSettings(settings);
  SetFunctionNameFromMethod(settings);
  return settings;
}

void SetFunctionNameFromMethod(GraphSettings& settings) {
  const std::optional<Function> function = FunctionOfMethod(settings.graphMethod);
  if (function) {
    const char* name = FunctionName(*function);
    std::memset(settings.functionName, 0, sizeof settings.functionName);
    std::memcpy(settings.functionName, name, std::strlen(name));
  }
}

int FindValueIndex(const char* name) {
  for (int i = 0; i < kValueCount; ++i) {
    if (std::strcmp(kValueNames[i], name) == 0) {
      return i;
    }
  }
  return -1;
}

int FindColorIndex(const char* name) {
  for (int i = 0; i < kColorCount; ++i) {
    if (std::strcmp(kColorNames[i], name) == 0) {
      return i;
    }
  }
  return -1;
}

}  // namespace ondrix
