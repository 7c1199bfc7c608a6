// Load and save against the test prefix's registry, the menu check marks and
// the dialog resources, with a window of its own carrying the Graph menu.
#include "persist/registry_settings_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "bwcc/bwcc_win.h"
#include "dialogs/control_ids.h"
#include "model/stored_values.h"
#include "model/value_text.h"
#include "state/app_state_win.h"

namespace ondrix::test {
namespace {

constexpr char kKey[] = "Software\\Velmora\\Ondrix";

std::string Dword(std::uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), 4);
}

// "TYPE:" and the bytes of a stored value.
std::string Read(const char* name, const char* key = kKey) {
  char data[128] = {};
  DWORD type = 0, size = sizeof data;
  RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size);
  return std::to_string(type) + ':' + std::string(data, type != 0 ? size : 0);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

class RegistrySettingsTest : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
  void TearDown() override {
    DestroyWindow(window_);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
  }
  // Loads from a key holding just these values (name, type, bytes), or from no key.
  GraphSettings Load(const std::vector<std::tuple<const char*, DWORD, std::string>>& values,
                     bool key = true) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    HKEY created = nullptr;
    if (key && RegCreateKeyA(HKEY_CURRENT_USER, kKey, &created) == ERROR_SUCCESS) {
      RegCloseKey(created);
    }
    for (const auto& [name, type, bytes] : values) {
      RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, type, bytes.data(), DWORD(bytes.size()));
    }
    return Load();
  }
  GraphSettings Load() {
    DestroyWindow(window_);
    window_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 37, 41, 333, 222,
                              nullptr, LoadMenuA(appInstance, "GRAPH"), appInstance, nullptr);
    graphMenu = GetMenu(window_);
    redrawGraph = 0;
    GraphSettings loaded;
    std::memset(&loaded, 0x55, sizeof loaded);
    LoadSettings(loaded, window_);
    GetWindowRect(window_, &rect_);
    return loaded;
  }
  bool Checked(int id) const { return GetMenuState(graphMenu, id, MF_BYCOMMAND) & MF_CHECKED; }
  HWND window_ = nullptr;
  RECT rect_ = {};
};

// Stored data that fits replaces the leading bytes of a field whatever its
// type; a text must end within its 50 bytes. The menu and caption follow.
TEST_F(RegistrySettingsTest, LoadTakesWhatFitsAndKeepsDefaultsOtherwise) {
  const std::string full49(49, '7');
  const struct {
    const char* name;
    DWORD type;
    std::string bytes, field;  // the field's leading four bytes, or its text
  } cases[] = {
      {"Grid", REG_BINARY, Dword(0), Dword(0)},
      {"Grid", REG_BINARY, std::string("\x07\x00", 2), Dword(7)},
      {"Sonar", REG_DWORD, Dword(1), Dword(1)},
      {"Sonar", REG_BINARY, std::string(5, '\x01'), Dword(0)},
      {"Axis Color", REG_SZ, Dword(0x123456), Dword(0x123456)},
      {"Axis Color", REG_DWORD, "\x01\x02\x03", Dword(0x030201)},
      {"Graph Method", REG_BINARY, Dword(CM_TANGENT), Dword(CM_TANGENT)},
      {"Graph Method", REG_DWORD, Dword(CM_POINT_SONAR), Dword(CM_POINT_SONAR)},
      {"Connect Method", REG_DWORD, Dword(CM_NO_CONNECTION), Dword(CM_NO_CONNECTION)},
      {"Connect Method", REG_DWORD, Dword(CM_COSINE), Dword(CM_COSINE)},
      {"Minimum X", REG_SZ, full49 + '\0', full49},
      {"Minimum X", REG_BINARY, full49 + '7', "-2p"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + (" = " + c.field));
    const GraphSettings loaded = Load({{c.name, c.type, c.bytes}});
    const StoredValue& value =
        *std::find_if(std::begin(kStoredValues), std::end(kStoredValues),
                      [&](const StoredValue& v) { return std::strcmp(v.name, c.name) == 0; });
    const char* field = reinterpret_cast<const char*>(&loaded) + value.offset;
    EXPECT_EQ(value.type == StoredType::Text ? field : std::string(field, 4), c.field);
    EXPECT_EQ(loaded.values[MinimumX], c.field == full49 ? ConvertDecimalText(full49) : -2 * kPi);
    EXPECT_EQ(loaded.colors[Background], kDefaultColors[Background]);
    EXPECT_EQ(redrawGraph, 1);
    const std::int32_t method = loaded.graphMethod;
    char caption[64] = {};
    GetWindowTextA(window_, caption, sizeof caption);
    EXPECT_EQ(caption, std::string(method == CM_TANGENT       ? "Tangent"
                                   : IsFunctionMethod(method) ? "Sine"
                                                              : "") +
                           " - Ondrix");
    for (int id = CM_GRID_LINES; id <= CM_COSINE; ++id) {
      // A stored method checks its own item only within its group.
      EXPECT_EQ(Checked(id), (id == method && IsFunctionMethod(id)) ||
                                 (id == loaded.connectMethod && IsConnectMethod(id)) ||
                                 (id == CM_GRID_LINES && loaded.grid != 0) ||
                                 (id == CM_POINT_SONAR && loaded.sonar != 0))
          << id;
    }
  }
  // A damaged method may carry another group's ID: a choice leaves that item
  // alone, and only a function copies its name.
  char name[kFunctionNameSize] = "unchanged";
  CheckMenuChoice(CM_GRID_LINES, CM_TANGENT, name);
  CheckMenuChoice(CM_SINE, CM_NO_CONNECTION, nullptr);
  CheckMenuChoice(CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, name);
  EXPECT_STREQ(name, "Tangent");
  for (int id = CM_GRID_LINES; id <= CM_COSINE; ++id) {
    const bool on = id == CM_GRID_LINES || id == CM_SINE || id == CM_TANGENT ||
                    id == CM_NO_CONNECTION || id == CM_UNCONNECTED_DOTS;
    EXPECT_EQ(Checked(id), on) << id;
  }
}

// Every value with its registry type and size, read back as it was; the
// placement with the normal rectangle of the window.
TEST_F(RegistrySettingsTest, SaveWritesEveryValueAndLoadReadsItBack) {
  GraphSettings saved = DefaultGraphSettings();
  saved.grid = 0;
  saved.graphMethod = CM_COSECANT;
  SetFunctionNameFromMethod(saved);
  for (int i = 0; i < kColorCount; ++i) {
    saved.colors[i] = 0x00010203u * (i + 1);
  }
  std::memset(saved.valueTexts[CModifier], '9', kValueTextSize);  // no NUL: cut to 49
  SetValueText(saved.valueTexts[TickMarkSize], "");
  ParseValueTexts(saved);
  Load({}, false);
  MoveWindow(window_, 50, 60, 300, 250, TRUE);
  ShowWindow(window_, SW_MAXIMIZE);
  SaveSettings(saved, window_);
  for (const StoredValue& value : kStoredValues) {
    const char* field = reinterpret_cast<const char*>(&saved) + value.offset;
    const std::string bytes = value.type == StoredType::Text
                                  ? std::string(field, BoundedLength(field, 49)) + '\0'
                                  : std::string(field, 4);
    EXPECT_EQ(Read(value.name), "431"[static_cast<int>(value.type)] + (':' + bytes)) << value.name;
  }
  const std::uint32_t placement[4] = {50, 60, 300, 250};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Read(kPlacementNames[i]), "4:" + Dword(placement[i]));
  }
  const GraphSettings loaded = Load();
  EXPECT_EQ(std::memcmp(&loaded.grid, &saved.grid, sizeof saved - offsetof(GraphSettings, grid)),
            0);
  EXPECT_STREQ(loaded.functionName, "Cosecant");
  EXPECT_TRUE(rect_.left == 50 && rect_.bottom == 310);
}

// A window with no area or off every monitor could never be reached; without
// a key the window stays where it is.
TEST_F(RegistrySettingsTest, PlacementOnlyWhenReachable) {
  const auto right = static_cast<std::uint32_t>(GetSystemMetrics(SM_CXVIRTUALSCREEN) +
                                                GetSystemMetrics(SM_XVIRTUALSCREEN));
  const struct {
    bool key;
    std::vector<std::uint32_t> xywh;
    RECT expected;
  } cases[] = {
      {false, {}, {37, 41, 370, 263}},
      {true, {}, {0, 0, 320, 200}},
      {true, {90, 70}, {90, 70, 410, 270}},
      {true, {0xFFFFFF9C, 0, 320, 200}, {-100, 0, 220, 200}},
      {true, {right, 10, 320, 200}, {37, 41, 370, 263}},
      {true, {10, 10, 0, 200}, {37, 41, 370, 263}},
  };
  for (const auto& c : cases) {
    std::vector<std::tuple<const char*, DWORD, std::string>> stored;
    for (std::size_t i = 0; i < c.xywh.size(); ++i) {
      stored.emplace_back(kPlacementNames[i], REG_DWORD, Dword(c.xywh[i]));
    }
    Load(stored, c.key);
    EXPECT_TRUE(EqualRect(&rect_, &c.expected)) << c.xywh.size() << " values, left " << rect_.left;
  }
}

TEST_F(RegistrySettingsTest, CustomColoursDefaultAndRoundTrip) {
  COLORREF colors[kCustomColorCount];
  LoadCustomColors(colors);
  const COLORREF defaults[] = {0, 0x808000, 0xFF0000, 0xFF0000, 0xFF, 0xFF, 0xFF};
  for (int i = 0; i < kCustomColorCount; ++i) {
    EXPECT_EQ(colors[i], i < 7 ? defaults[i] : 0xFFFFFFu) << i;
    colors[i] = 0x00102030u + i;
  }
  SaveCustomColors(colors);
  const char key[] = "Software\\Velmora\\Ondrix\\Custom Colors";
  EXPECT_EQ(Read("Color Value 15", key), "4:" + Dword(0x0010203F));
  RegSetKeyValueA(HKEY_CURRENT_USER, key, "Color Value 3", REG_BINARY, "\x01\x02", 2);
  LoadCustomColors(colors);
  EXPECT_TRUE(colors[3] == 0x00FF0201u && colors[15] == 0x0010203Fu);
}

// The dialogs come in the grey class that the BWCC module registers, with an
// owner-drawn colour swatch.
TEST(ResourcesTest, DialogsAreGreyAndTheSwatchIsOwnerDrawn) {
  WNDCLASSA info = {};
  ASSERT_TRUE(BWCCRegister(appInstance) && GetClassInfoA(appInstance, "BorDlg_Gray", &info));
  EXPECT_EQ(info.cbWndExtra, DLGWINDOWEXTRA);
  EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  for (const char* name : {"ABOUT", "PRINT_DIALOG", "PROPERTIES"}) {
    const HWND dialog = CreateDialogParamA(appInstance, name, nullptr, QuietDialogProc, 0);
    char className[32] = {};
    GetClassNameA(dialog, className, sizeof className);
    EXPECT_STREQ(className, "BorDlg_Gray") << name;
    const HWND swatch = GetDlgItem(dialog, IDC_COLOR_SWATCH);
    EXPECT_TRUE(!swatch || (GetWindowLongPtrA(swatch, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
    DestroyWindow(dialog);
  }
}

}  // namespace
}  // namespace ondrix::test
