#include "tools/render_options.h"

#include <cstdio>
#include <cstring>
#include <iterator>

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

struct Choice {
  const char* word;
  std::int32_t value;
};

struct ChoiceList {
  const Choice* choices;
  std::size_t count;
};

const Choice kFunctions[] = {{"sine", CM_SINE},       {"cosine", CM_COSINE},
                             {"tangent", CM_TANGENT}, {"cotangent", CM_COTANGENT},
                             {"secant", CM_SECANT},   {"cosecant", CM_COSECANT}};
const Choice kConnections[] = {{"connected", CM_CONNECTED_DOTS},
                               {"unconnected", CM_UNCONNECTED_DOTS},
                               {"none", CM_NO_CONNECTION}};
const Choice kSwitch[] = {{"on", 1}, {"off", 0}};
const ChoiceList kFunctionList{kFunctions, std::size(kFunctions)};
const ChoiceList kConnectionList{kConnections, std::size(kConnections)};
const ChoiceList kSwitchList{kSwitch, std::size(kSwitch)};

// "a, b or c" with (", ", " or "); "a|b|c" with ("|", "|").
std::string JoinWords(const std::vector<std::string>& words, const char* separator,
                      const char* last) {
  std::string joined;
  for (std::size_t i = 0; i < words.size(); ++i) {
    joined += i == 0 ? "" : i + 1 == words.size() ? last : separator;
    joined += words[i];
  }
  return joined;
}

std::vector<std::string> Words(const ChoiceList& list) {
  std::vector<std::string> words;
  for (std::size_t i = 0; i < list.count; ++i) {
    words.push_back(list.choices[i].word);
  }
  return words;
}

struct OptionRow;
// Applies the value (empty for an option without one); false with a message.
using ApplyOption = bool (*)(const OptionRow& row, const std::string& value, RenderOptions& options,
                             std::string& error);

// One option of ondrix-render: the parser, the usage text and the list of
// outputs all read this table.
struct OptionRow {
  const char* name;
  // How the usage shows the value; nullptr for words from `choices` or for
  // an option that takes no value.
  const char* placeholder;
  const ChoiceList* choices;
  ApplyOption apply;
  bool repeated;
  bool output;
  // The usage starts a new line with this option.
  bool newLine;
};

bool Bad(const OptionRow& row, const std::string& value, const std::string& complaint,
         std::string& error) {
  error = std::string("bad ") + row.name + " '" + value + "': " + complaint;
  return false;
}

std::int32_t& FieldOf(RenderOptions& options, std::int32_t GraphSettings::*field) {
  return options.settings.*field;
}

std::int32_t& FieldOf(RenderOptions& options, std::int32_t RenderOptions::*field) {
  return options.*field;
}

// Sets the field of the settings, or of the options, that the option's words choose.
template <auto Field>
bool ApplyChoice(const OptionRow& row, const std::string& value, RenderOptions& options,
                 std::string& error) {
  for (std::size_t i = 0; i < row.choices->count; ++i) {
    if (value == row.choices->choices[i].word) {
      FieldOf(options, Field) = row.choices->choices[i].value;
      return true;
    }
  }
  return Bad(row, value, "expected " + JoinWords(Words(*row.choices), ", ", " or "), error);
}

bool ApplySize(const OptionRow& row, const std::string& value, RenderOptions& options,
               std::string& error) {
  return ParseSize(value, options.width, options.height) ||
         Bad(row, value, "expected WxH, each 1 to 32767, at most 100000000 pixels", error);
}

bool ApplyNumberScale(const OptionRow& row, const std::string& value, RenderOptions& options,
                      std::string& error) {
  const bool digits = !value.empty() && value.size() <= 2 &&
                      value.find_first_not_of("0123456789") == std::string::npos;
  const int scale = digits ? std::stoi(value) : 0;
  if (scale < 1 || scale > kLargestNumberScale) {
    return Bad(row, value, "expected a whole number from 1 to 64", error);
  }
  options.numberScale = scale;
  return true;
}

bool ApplyValue(const OptionRow& row, const std::string& value, RenderOptions& options,
                std::string& error) {
  std::string name;
  std::string text;
  const int index = SplitAssignment(value, name, text) ? FindValueIndex(name.c_str()) : -1;
  if (index < 0) {
    return Bad(row, value, "expected \"NAME=TEXT\" with a value name such as \"Minimum X\"", error);
  }
  if (text.size() > static_cast<std::size_t>(kMaxValueTextLength) ||
      text.find('\0') != std::string::npos) {
    return Bad(row, value, "the text is longer than 49 characters", error);
  }
  SetValueText(options.settings.valueTexts[index], text);
  return true;
}

bool ApplyColor(const OptionRow& row, const std::string& value, RenderOptions& options,
                std::string& error) {
  std::string name;
  std::string text;
  const int index = SplitAssignment(value, name, text) ? FindColorIndex(name.c_str()) : -1;
  return (index >= 0 && ParseColor(text, options.settings.colors[index])) ||
         Bad(row, value, "expected \"NAME=0xBBGGRR\" with a colour name such as \"Axis Color\"",
             error);
}

template <std::string RenderOptions::*Path>
bool ApplyFile(const OptionRow& row, const std::string& value, RenderOptions& options,
               std::string& error) {
  if (value.empty()) {
    error = std::string(row.name) + " needs a file name";
    return false;
  }
  options.*Path = value;
  return true;
}

template <bool RenderOptions::*Flag>
bool ApplyFlag(const OptionRow&, const std::string&, RenderOptions& options, std::string&) {
  options.*Flag = true;
  return true;
}

const OptionRow kOptions[] = {
    {"--size", "WxH", nullptr, ApplySize, false, false, false},
    {"--function", nullptr, &kFunctionList, ApplyChoice<&GraphSettings::graphMethod>, false, false,
     false},
    {"--connect", nullptr, &kConnectionList, ApplyChoice<&GraphSettings::connectMethod>, false,
     false, true},
    {"--grid", nullptr, &kSwitchList, ApplyChoice<&GraphSettings::grid>, false, false, false},
    {"--sonar", nullptr, &kSwitchList, ApplyChoice<&GraphSettings::sonar>, false, false, false},
    {"--numbers", nullptr, &kSwitchList, ApplyChoice<&RenderOptions::numbers>, false, false, true},
    {"--number-scale", "N", nullptr, ApplyNumberScale, false, false, false},
    {"--value", "\"NAME=TEXT\"", nullptr, ApplyValue, true, false, true},
    {"--color", "\"NAME=0xBBGGRR\"", nullptr, ApplyColor, true, false, false},
    {"--png", "FILE", nullptr, ApplyFile<&RenderOptions::pngPath>, false, true, true},
    {"--svg", "FILE", nullptr, ApplyFile<&RenderOptions::svgPath>, false, true, false},
    {"--trace", nullptr, nullptr, ApplyFlag<&RenderOptions::trace>, false, true, false},
    {"--values", nullptr, nullptr, ApplyFlag<&RenderOptions::values>, false, true, false},
};

bool TakesValue(const OptionRow& row) {
  return row.placeholder != nullptr || row.choices != nullptr;
}

// "--size WxH", "--grid on|off", "--trace".
std::string Synopsis(const OptionRow& row) {
  std::string synopsis = row.name;
  if (row.choices != nullptr) {
    synopsis += " " + JoinWords(Words(*row.choices), "|", "|");
  } else if (row.placeholder != nullptr) {
    synopsis += std::string(" ") + row.placeholder;
  }
  return synopsis;
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
    const OptionRow* row = nullptr;
    for (const OptionRow& candidate : kOptions) {
      if (option == candidate.name) {
        row = &candidate;
      }
    }
    if (row == nullptr) {
      error = "unknown option '" + arguments[i] + "'";
      return false;
    }
    if (!TakesValue(*row) && hasArgument) {
      error = "'" + arguments[i] + "': " + option + " takes no value";
      return false;
    }
    if (TakesValue(*row) && !hasArgument) {
      if (i + 1 >= arguments.size()) {
        error = option + " needs a value";
        return false;
      }
      argument = arguments[++i];
    }
    if (!row->apply(*row, argument, options, error)) {
      return false;
    }
  }

  ParseValueTexts(options.settings);
  SetFunctionNameFromMethod(options.settings);
  return true;
}

std::string RenderUsage() {
  const std::string lead = "usage: ondrix-render ";
  std::string usage = lead;
  for (const OptionRow& row : kOptions) {
    if (row.newLine) {
      usage += "\n" + std::string(lead.size(), ' ');
    } else if (usage.back() != ' ') {
      usage += ' ';
    }
    usage += "[" + Synopsis(row) + "]" + (row.repeated ? "..." : "");
  }
  return usage + "\n";
}

bool HasOutput(const RenderOptions& options) {
  return !options.pngPath.empty() || !options.svgPath.empty() || options.trace || options.values;
}

std::string NothingToDoMessage() {
  std::vector<std::string> outputs;
  for (const OptionRow& row : kOptions) {
    if (row.output) {
      outputs.push_back(Synopsis(row));
    }
  }
  return "nothing to do: give " + JoinWords(outputs, ", ", " or ");
}

DrawOptions DrawOptionsOf(const RenderOptions& options) {
  DrawOptions drawOptions;
  drawOptions.axisNumbers = options.numbers != 0;
  drawOptions.numberScale = options.numberScale;
  return drawOptions;
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
