// The record that decides a graph, its enumerations and defaults.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/command_ids.h"
#include "model/function.h"

namespace ondrix {

// COLORREF layout: 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<Color>(red) | (static_cast<Color>(green) << 8) |
         (static_cast<Color>(blue) << 16);
}

enum GraphColor : int {
  Asymptote,
  Axis,
  Background,
  GridLine,
  Point,
  PointConnection,
  PointSonar,
  TickMark,
};
constexpr int kColorCount = 8;

enum GraphValue : int {
  AModifier,
  BModifier,
  CModifier,
  DModifier,
  TickMarkSize,
  SonarWidth,
  MinimumX,
  MaximumX,
  XTickFrequency,
  MinimumY,
  MaximumY,
  YTickFrequency,
};
constexpr int kValueCount = 12;

constexpr int kFunctionNameSize = 15;
constexpr int kValueTextSize = 50;
constexpr int kMaxValueTextLength = kValueTextSize - 1;

// Plain data, copied byte for byte wherever a snapshot is needed.
struct GraphSettings {
  char functionName[kFunctionNameSize];
  std::int32_t grid;
  std::int32_t connectMethod;
  // The function's command ID as stored, kept as it is when it names none.
  std::int32_t graphMethod;
  std::int32_t sonar;
  Color colors[kColorCount];
  double values[kValueCount];
  char valueTexts[kValueCount][kValueTextSize];
};

static_assert(sizeof(double) == 8 && sizeof(Color) == 4, "IEEE double and 32-bit colours");
static_assert(offsetof(GraphSettings, functionName) == 0, "layout");
static_assert(offsetof(GraphSettings, grid) == 16, "layout");
static_assert(offsetof(GraphSettings, connectMethod) == 20, "layout");
static_assert(offsetof(GraphSettings, graphMethod) == 24, "layout");
static_assert(offsetof(GraphSettings, sonar) == 28, "layout");
static_assert(offsetof(GraphSettings, colors) == 32, "layout");
static_assert(offsetof(GraphSettings, values) == 64, "layout");
static_assert(offsetof(GraphSettings, valueTexts) == 160, "layout");
static_assert(sizeof(GraphSettings) == 760, "layout");

extern const Color kDefaultColors[kColorCount];
extern const char* const kColorNames[kColorCount];
extern const char* const kValueNames[kValueCount];
extern const char* const kDefaultValueTexts[kValueCount];

bool IsConnectMethod(std::int32_t method);

// Defaults of every field but the name: switches, methods, colours and value
// texts, with the values parsed. functionName is left as it is.
void SetDefaultSettings(GraphSettings& settings);

// A complete default record, function name included ("Sine").
GraphSettings DefaultGraphSettings();

// Sets functionName from graphMethod; an unknown method leaves it untouched.
void SetFunctionNameFromMethod(GraphSettings& settings);

// Finds a value or colour by its stored name; -1 when there is none.
int FindValueIndex(const char* name);
int FindColorIndex(const char* name);

}  // namespace ondrix
