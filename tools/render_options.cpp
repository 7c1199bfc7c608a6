#include "tools/render_options.h"

#include <cstdio>
#include <cstring>

#include "model/value_text.h"

namespace ondrix {

namespace {

// Keeps the pixel buffer of a rendering within a few hundred megabytes.
constexpr long long kMaxSide = 32767;
constexpr long long kMaxArea = 100000000;

bool ParseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos || x == 0 || x + 1 == text.size()) {
    return false;
  }
  long long sides[2] = {0, 0};
  const std::string parts[2] = {text.substr(0, x), text.substr(x + 1)};
  for (int i = 0; i < 2; ++i) {
    for (char c : parts[i]) {
      if (c < '0' || c > '9') {
        return false;
      }
      sides[i] = sides[i] * 10 + (c - '0');
      if (sides[i] > kMaxSide) {
        return false;
      }
    }
    if (sides[i] < 1) {
      return false;
    }
  }
  if (sides[0] * sides[1] > kMaxArea) {
    return false;
  }
  width = static_cast<int>(sides[0]);
  height = static_cast<int>(sides[1]);
  return true;
}

bool ParseColor(const std::string& text, Color& color) {
  if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
    return false;
  }
  unsigned long value = 0;
  for (std::size_t i = 2; i < text.size(); ++i) {
    const char c = text[i];
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    value = value * 16 + static_cast<unsigned long>(digit);
  }
  if (value > 0x00FFFFFFul) {
    return false;
  }
  color = static_cast<Color>(value);
  return true;
}

bool SplitAssignment(const std::string& text, std::string& name, std::string& value) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) {
    return false;
  }
  name = text.substr(0, equals);
  value = text.substr(equals + 1);
  return true;
}

struct NamedMethod {
  const char* name;
  std::int32_t id;
};

const NamedMethod kFunctions[] = {{"sine", CM_SINE},       {"cosine", CM_COSINE},
                                  {"tangent", CM_TANGENT}, {"cotangent", CM_COTANGENT},
                                  {"secant", CM_SECANT},   {"cosecant", CM_COSECANT}};
const NamedMethod kConnections[] = {{"connected", CM_CONNECTED_DOTS},
                                    {"unconnected", CM_UNCONNECTED_DOTS},
                                    {"none", CM_NO_CONNECTION}};

template <std::size_t N>
bool FindMethod(const NamedMethod (&table)[N], const std::string& name, std::int32_t& id) {
  for (const NamedMethod& entry : table) {
    if (name == entry.name) {
      id = entry.id;
      return true;
    }
  }
  return false;
}

bool ParseSwitch(const std::string& text, std::int32_t& flag) {
  if (text == "on" || text == "off") {
    flag = text == "on" ? 1 : 0;
    return true;
  }
  return false;
}

}  // namespace

bool ParseRenderOptions(const std::vector<std::string>& arguments, RenderOptions& options,
                        std::string& error) {
  options = RenderOptions();
  std::memset(&options.settings, 0, sizeof options.settings);
  SetDefaultSettings(options.settings);

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string option = arguments[i];
    std::string argument;
    bool hasArgument = false;
    const std::size_t equals = option.find('=');
    if (option.rfind("--", 0) == 0 && equals != std::string::npos) {
      argument = option.substr(equals + 1);
      option = option.substr(0, equals);
      hasArgument = true;
    }

    if (option == "--trace" || option == "--values") {
      if (hasArgument) {
        error = "'" + arguments[i] + "': " + option + " takes no value";
        return false;
      }
      (option == "--trace" ? options.trace : options.values) = true;
      continue;
    }
    const bool takesArgument = option == "--size" || option == "--function" ||
                               option == "--connect" || option == "--grid" || option == "--sonar" ||
                               option == "--value" || option == "--color" || option == "--png";
    if (!takesArgument) {
      error = "unknown option '" + arguments[i] + "'";
      return false;
    }
    if (!hasArgument) {
      if (i + 1 >= arguments.size()) {
        error = option + " needs a value";
        return false;
      }
      argument = arguments[++i];
    }

    if (option == "--size") {
      if (!ParseSize(argument, options.width, options.height)) {
        error = "bad --size '" + argument + "': expected WxH, each 1 to 32767, at most " +
                "100000000 pixels";
        return false;
      }
    } else if (option == "--function") {
      if (!FindMethod(kFunctions, argument, options.settings.graphMethod)) {
        error = "bad --function '" + argument +
                "': expected sine, cosine, tangent, cotangent, secant or cosecant";
        return false;
      }
    } else if (option == "--connect") {
      if (!FindMethod(kConnections, argument, options.settings.connectMethod)) {
        error = "bad --connect '" + argument + "': expected connected, unconnected or none";
        return false;
      }
    } else if (option == "--grid" || option == "--sonar") {
      std::int32_t& flag = option == "--grid" ? options.settings.grid : options.settings.sonar;
      if (!ParseSwitch(argument, flag)) {
        error = "bad " + option + " '" + argument + "': expected on or off";
        return false;
      }
    } else if (option == "--value") {
      std::string name;
      std::string text;
      const int index = SplitAssignment(argument, name, text) ? FindValueIndex(name.c_str()) : -1;
      if (index < 0) {
        error = "bad --value '" + argument +
                "': expected \"NAME=TEXT\" with a value name such as " + "\"Minimum X\"";
        return false;
      }
      if (text.size() > static_cast<std::size_t>(kMaxValueTextLength) ||
          text.find('\0') != std::string::npos) {
        error = "bad --value '" + argument + "': the text is longer than 49 characters";
        return false;
      }
      SetValueText(options.settings.valueTexts[index], text);
    } else if (option == "--color") {
      std::string name;
      std::string text;
      const int index = SplitAssignment(argument, name, text) ? FindColorIndex(name.c_str()) : -1;
      if (index < 0 || !ParseColor(text, options.settings.colors[index])) {
        error = "bad --color '" + argument + "': expected \"NAME=0xBBGGRR\" with a colour name " +
                "such as \"Axis Color\"";
        return false;
      }
    } else {
      if (argument.empty()) {
        error = "--png needs a file name";
        return false;
      }
      options.pngPath = argument;
    }
  }

  ParseValueTexts(options.settings);
  SetFunctionNameFromMethod(options.settings);
  return true;
}

std::string FormatValues(const GraphSettings& settings) {
  std::string listing;
  for (int i = 0; i < kValueCount; ++i) {
    char number[40];
    std::snprintf(number, sizeof number, "%.17g", settings.values[i]);
    listing += kValueNames[i];
    listing += '\t';
    listing += settings.valueTexts[i];
    listing += '\t';
    listing += number;
    listing += '\n';
  }
  return listing;
}

}  // namespace ondrix
