// How the settings are stored: one table of value names, types and sizes
// that both the load and the save use, and which stored window placement
// can be applied.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/graph_settings.h"

namespace ondrix {

enum class StoredType { Dword, Binary, Text };

// A field of GraphSettings: `size` bytes at `offset`. A Text is stored with
// its NUL counted; the others are four bytes.
struct StoredValue {
  const char* name;
  StoredType type;
  std::size_t offset;
  std::size_t size;
};

// Grid, Sonar, Connect Method, Graph Method, the eight colours and the twelve
// value texts, in the order they are written.
constexpr int kStoredValueCount = 4 + kColorCount + kValueCount;
extern const StoredValue kStoredValues[kStoredValueCount];

// Stored data read for a 32-bit field (a switch, a method, a colour, a
// placement): at most four bytes replace the field's leading bytes, whatever
// the stored type; larger data is refused and the field kept.
bool AcceptStoredInt32(const void* data, std::size_t size, void* field);

// Stored data read for a value text: cut at its first NUL, it replaces the
// text when that leaves at most 49 characters. Data longer than the field,
// or 50 bytes with no NUL, are refused and the text kept.
bool AcceptStoredText(const char* data, std::size_t size, char (&text)[kValueTextSize]);

// The View menu's switches. `stored` once they are in the registry or the
// user has turned one, so that a user who never did keeps the key as it was.
struct ViewSwitches {
  bool axisNumbers = false;
  bool statusBar = false;
  bool stored = false;
};

// A stored on/off switch of the View menu: on only for four bytes holding
// 1; anything else (missing, 0, another number, another size) is off.
bool StoredSwitchIsOn(const void* data, std::size_t size);
extern const char kAxisNumbersValueName[];
extern const char kStatusBarValueName[];

constexpr int kCustomColorCount = 16;

// The stored outer rectangle of the main window, stored as four DWORDs. The
// defaults count only when the key exists but lacks a placement value.
struct Placement {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 320;
  std::int32_t height = 200;
};
extern const char* const kPlacementNames[4];

struct PlacementRect {
  bool hasArea;
  std::int32_t left, top, right, bottom;  // right and bottom clamped to 2^31 - 1
};

// A window with no area could never be seen; the caller asks the system
// whether the rectangle touches a monitor.
PlacementRect MakePlacementRect(const Placement& placement);

}  // namespace ondrix
