#include "model/stored_values.h"

#include <cstdint>
#include <cstring>

#include "model/string_table.h"
#include "model/value_text.h"

namespace ondrix {

namespace {

constexpr StoredValue Int32(const char* name, StoredType type, std::size_t offset) {
  return {name, type, offset, 4};
}
constexpr std::size_t ColorAt(int i) {
  return offsetof(GraphSettings, colors) + sizeof(Color) * static_cast<std::size_t>(i);
}
constexpr StoredValue Text(const char* name, int i) {
  return {name, StoredType::Text,
          offsetof(GraphSettings, valueTexts) + kValueTextSize * static_cast<std::size_t>(i),
          kValueTextSize};
}

}  // namespace

const StoredValue kStoredValues[kStoredValueCount] = {
    Int32("Grid", StoredType::Binary, offsetof(GraphSettings, grid)),
    Int32("Sonar", StoredType::Binary, offsetof(GraphSettings, sonar)),
    Int32("Connect Method", StoredType::Dword, offsetof(GraphSettings, connectMethod)),
    Int32("Graph Method", StoredType::Dword, offsetof(GraphSettings, graphMethod)),
    Int32(STR_COLOR_0, StoredType::Dword, ColorAt(0)),
    Int32(STR_COLOR_1, StoredType::Dword, ColorAt(1)),
    Int32(STR_COLOR_2, StoredType::Dword, ColorAt(2)),
    Int32(STR_COLOR_3, StoredType::Dword, ColorAt(3)),
    Int32(STR_COLOR_4, StoredType::Dword, ColorAt(4)),
    Int32(STR_COLOR_5, StoredType::Dword, ColorAt(5)),
    Int32(STR_COLOR_6, StoredType::Dword, ColorAt(6)),
    Int32(STR_COLOR_7, StoredType::Dword, ColorAt(7)),
    Text(STR_VALUE_NAME_0, 0),
    Text(STR_VALUE_NAME_1, 1),
    Text(STR_VALUE_NAME_2, 2),
    Text(STR_VALUE_NAME_3, 3),
    Text(STR_VALUE_NAME_4, 4),
    Text(STR_VALUE_NAME_5, 5),
    Text(STR_VALUE_NAME_6, 6),
    Text(STR_VALUE_NAME_7, 7),
    Text(STR_VALUE_NAME_8, 8),
    Text(STR_VALUE_NAME_9, 9),
    Text(STR_VALUE_NAME_10, 10),
    Text(STR_VALUE_NAME_11, 11),
};

bool AcceptStoredInt32(const void* data, std::size_t size, void* field) {
  if (size > 4) {
    return false;
  }
  std::memcpy(field, data, size);
  return true;
}

const char kAxisNumbersValueName[] = "Axis Numbers";
const char kStatusBarValueName[] = "Status Bar";

bool StoredSwitchIsOn(const void* data, std::size_t size) {
  std::uint32_t value = 0;
  if (data == nullptr || size != sizeof value) {
    return false;
  }
  std::memcpy(&value, data, sizeof value);
  return value == 1;
}

bool AcceptStoredText(const char* data, std::size_t size, char (&text)[kValueTextSize]) {
  if (size > static_cast<std::size_t>(kValueTextSize)) {
    return false;
  }
  const std::size_t length = BoundedLength(data, size);
  if (length > static_cast<std::size_t>(kMaxValueTextLength)) {
    return false;
  }
  std::memset(text, 0, sizeof text);
  std::memcpy(text, data, length);
  return true;
}

const char* const kPlacementNames[4] = {"Window X Placement", "Window Y Placement", "Window Width",
                                        "Window Height"};

PlacementRect MakePlacementRect(const Placement& placement) {
  const auto clamp = [](std::int64_t edge) {
    return static_cast<std::int32_t>(edge > INT32_MAX ? INT32_MAX : edge);
  };
  return {placement.width > 0 && placement.height > 0, placement.x, placement.y,
          clamp(static_cast<std::int64_t>(placement.x) + placement.width),
          clamp(static_cast<std::int64_t>(placement.y) + placement.height)};
}

}  // namespace ondrix
