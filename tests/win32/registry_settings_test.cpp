// Load and save against the test prefix's registry, in a window with the Graph menu.
#include "persist/registry_settings_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "model/menu_checks.h"
#include "model/stored_values.h"
#include "model/titles.h"
#include "model/value_text.h"
#include "window_test_win.h"

namespace ondrix::test {
namespace {

constexpr char kKey[] = "Software\\Velmora\\Ondrix";
using Values = std::vector<std::tuple<const char*, DWORD, std::string>>;

// Loads as the main window does when it is created: settings, menu, caption, placement.
class RegistrySettingsTest : public WindowTest {
 protected:
  // Loads from a key holding just these values (none: no key), or from the key as it is.
  GraphSettings Load(const Values& values, bool keep = false) {
    if (!keep)
      RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    for (const auto& [name, type, bytes] : values)
      RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, type, bytes.data(), DWORD(bytes.size()));
    DestroyWindow(window_);
    std::memset(&currentSettings, 0x55, sizeof currentSettings);
    redrawGraph = false;
    window_ = CreateMainWindow(appInstance);
    GetWindowRect(window_, &rect_);
    return currentSettings;
  }
  RECT rect_ = {};
};

// Stored data that fits replaces a field's leading bytes, whatever its type; texts end within 50.
TEST_F(RegistrySettingsTest, LoadTakesWhatFitsAndKeepsDefaultsOtherwise) {
  const std::string full49(49, '7');
  const std::tuple<const char*, DWORD, std::string, std::string> cases[] = {
      // name, type, bytes, and the field's leading four bytes or its text
      {"Grid", REG_BINARY, std::string("\x00\x00", 2), Dword(0)},
      {"Graph Method", REG_DWORD, Dword(CM_TANGENT), Dword(CM_TANGENT)},
      {"Graph Method", REG_DWORD, Dword(CM_POINT_SONAR), Dword(CM_POINT_SONAR)},
      {"Minimum X", REG_SZ, full49 + '\0', full49},
      {"Minimum X", REG_BINARY, full49 + '7', "-2p"},
  };
  for (const auto& [name, type, bytes, expected] : cases) {
    const GraphSettings loaded = Load({{name, type, bytes}});
    const char* field = reinterpret_cast<const char*>(&loaded);
    for (const StoredValue& value : kStoredValues)
      field += std::strcmp(value.name, name) == 0 ? value.offset : 0;
    char caption[64] = {};
    GetWindowTextA(window_, caption, sizeof caption);
    EXPECT_EQ(std::strcmp(name, "Minimum X") == 0 ? field : std::string(field, 4), expected);
    EXPECT_TRUE(redrawGraph && caption == GraphTitle(loaded) &&
                (expected != full49 || loaded.values[MinimumX] == ConvertDecimalText(full49)))
        << name << ": " << caption;
    for (const MenuCheck& item : MenuChecks(loaded))
      EXPECT_EQ((GetMenuState(graphMenu, item.command, 0) & MF_CHECKED) != 0, item.checked)
          << name << ' ' << item.command;
  }
}

// Every value, type and size, and the normal rectangle; a placement off every monitor is not.
TEST_F(RegistrySettingsTest, SaveWritesEveryValueAndThePlacementWhenReachable) {
  GraphSettings saved = DefaultGraphSettings();
  std::memset(saved.valueTexts[CModifier], '9', kValueTextSize);  // no NUL: cut to 49
  SetValueText(saved.valueTexts[TickMarkSize], "");               // the NUL alone
  const RECT normal = {50, 60, 350, 310};
  Load({});
  const RECT system = rect_;
  MoveWindow(window_, 50, 60, 300, 250, TRUE);
  ShowWindow(window_, SW_MAXIMIZE);
  ShowWindow(window_, SW_MINIMIZE);  // two restores from here
  SaveSettings(saved, window_);
  const char* const types[] = {"4:", "3:", "1:"};  // by StoredType
  for (const StoredValue& value : kStoredValues) {
    const char* field = reinterpret_cast<const char*>(&saved) + value.offset;
    const bool text = value.type == StoredType::Text;
    const std::string bytes =
        text ? std::string(field, BoundedLength(field, 49)) + '\0' : std::string(field, 4);
    EXPECT_EQ(Stored(value.name), types[static_cast<int>(value.type)] + bytes) << value.name;
  }
  const std::tuple<const char*, std::uint32_t, const RECT*> changes[] = {
      {kPlacementNames[2], 0, &system},
      {kPlacementNames[2], 300, &normal},
      {kPlacementNames[0], 1u << 30, &system},  // far off every monitor
  };
  for (const auto& [name, value, expected] : changes) {
    Load({{name, REG_DWORD, Dword(value)}}, true);
    EXPECT_TRUE(EqualRect(&rect_, expected)) << name << ' ' << value << ": " << rect_.left;
  }
}

}  // namespace
}  // namespace ondrix::test
