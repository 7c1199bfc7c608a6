// Load and save of the settings against the test prefix's registry, with a
// window of its own carrying the Graph menu.
#include "persist/registry_settings_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/stored_values.h"
#include "model/value_text.h"
#include "state/app_state_win.h"

namespace ondrix::test {
namespace {

constexpr char kKey[] = "Software\\Velmora\\Ondrix";

struct Stored {
  const char* name;
  DWORD type;
  std::string bytes;
};

std::string Dword(std::uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), 4);
}

void Store(const std::vector<Stored>& values) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  for (const Stored& value : values) {
    RegSetValueExA(key, value.name, 0, value.type,
                   reinterpret_cast<const BYTE*>(value.bytes.data()),
                   static_cast<DWORD>(value.bytes.size()));
  }
  RegCloseKey(key);
}

// Type and bytes of a stored value; type 0 when there is none.
Stored Read(const char* name) {
  char data[128] = {};
  DWORD type = 0;
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
      ERROR_SUCCESS) {
    return {name, 0, ""};
  }
  return {name, type, std::string(data, size)};
}

bool Checked(int id) {
  return (GetMenuState(graphMenu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::string Caption(HWND window) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

class RegistrySettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    window_ = CreateWindowExA(0, "STATIC", "Ondrix", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 37, 41, 333,
                              222, nullptr, LoadMenuA(appInstance, "GRAPH"), appInstance, nullptr);
    ASSERT_NE(window_, nullptr);
    graphMenu = GetMenu(window_);
  }
  void TearDown() override {
    DestroyWindow(window_);
    graphMenu = nullptr;
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
  }
  RECT Rect() const {
    RECT rect = {};
    GetWindowRect(window_, &rect);
    return rect;
  }
  HWND window_ = nullptr;
};

// Stored data that fits replaces the leading bytes of a field whatever its
// type; a text must end within its 50 bytes.
TEST_F(RegistrySettingsTest, LoadTakesWhatFitsAndKeepsDefaultsOtherwise) {
  const std::string full49(49, '7');
  const struct {
    std::vector<Stored> stored;
    std::int32_t grid, sonar, graph, connect;
    Color axis;
    const char* minimumX;
    double minimumXValue;
    const char* caption;
  } cases[] = {
      {{}, 1, 0, CM_SINE, CM_CONNECTED_DOTS, 0, "-2p", -2 * kPi, "Sine - Ondrix"},
      {{{"Grid", REG_BINARY, Dword(0)},
        {"Sonar", REG_DWORD, Dword(1)},
        {"Graph Method", REG_BINARY, Dword(CM_TANGENT)},
        {"Connect Method", REG_DWORD, Dword(CM_NO_CONNECTION)},
        {"Axis Color", REG_SZ, Dword(0x123456)},
        {"Minimum X", REG_SZ, full49 + '\0'}},
       0,
       1,
       CM_TANGENT,
       CM_NO_CONNECTION,
       0x123456,
       full49.c_str(),
       ConvertDecimalText(full49),
       "Tangent - Ondrix"},
      {{{"Grid", REG_BINARY, std::string("\x07\x00", 2)},
        {"Sonar", REG_BINARY, std::string(5, '\x01')},
        {"Axis Color", REG_DWORD, "\x01\x02\x03"},
        {"Minimum X", REG_BINARY, full49 + '7'},
        {"Graph Method", REG_DWORD, Dword(CM_ABOUT)},
        {"Connect Method", REG_DWORD, Dword(CM_SINE)}},
       7,
       0,
       CM_ABOUT,
       CM_SINE,
       0x030201,
       "-2p",
       -2 * kPi,
       " - Ondrix"},
      {{{"Minimum X", REG_SZ,
         std::string("1\0"
                     "9",
                     4)},
        {"Graph Method", REG_DWORD, Dword(5)}},
       1,
       0,
       5,
       CM_CONNECTED_DOTS,
       0,
       "1",
       1,
       " - Ondrix"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    if (!c.stored.empty()) {
      Store(c.stored);
    }
    for (int id = CM_GRID_LINES; id <= CM_COSINE; ++id) {
      CheckMenuItem(graphMenu, id, MF_BYCOMMAND | MF_UNCHECKED);
    }
    redrawGraph = 0;
    GraphSettings loaded = {};
    std::memset(&loaded, 0x55, sizeof loaded);
    LoadSettings(loaded, window_);
    EXPECT_EQ(loaded.grid, c.grid);
    EXPECT_EQ(loaded.sonar, c.sonar);
    EXPECT_EQ(loaded.graphMethod, c.graph);
    EXPECT_EQ(loaded.connectMethod, c.connect);
    EXPECT_EQ(loaded.colors[Axis], c.axis);
    EXPECT_EQ(loaded.colors[Background], kDefaultColors[Background]);
    EXPECT_STREQ(loaded.valueTexts[MinimumX], c.minimumX);
    EXPECT_EQ(loaded.values[MinimumX],
              ConvertDecimalText(c.minimumX) * (c.minimumX[2] == 'p' ? kPi : 1));
    EXPECT_STREQ(loaded.valueTexts[YTickFrequency], "1");
    EXPECT_EQ(Caption(window_), c.caption);
    EXPECT_EQ(Checked(CM_GRID_LINES), c.grid != 0);
    EXPECT_EQ(Checked(CM_POINT_SONAR), c.sonar != 0);
    for (std::int32_t method : kFunctionMethods) {
      EXPECT_EQ(Checked(method), method == c.graph) << method;
    }
    for (int method = CM_CONNECTED_DOTS; method <= CM_UNCONNECTED_DOTS; ++method) {
      EXPECT_EQ(Checked(method), method == c.connect) << method;
    }
    EXPECT_EQ(redrawGraph, 1);
  }
}

// Every value of the table with the type and size the table gives, read back
// as it was; the placement with the normal rectangle of the window.
TEST_F(RegistrySettingsTest, SaveWritesEveryValueAndLoadReadsItBack) {
  GraphSettings saved = DefaultGraphSettings();
  saved.grid = 0;
  saved.sonar = 1;
  saved.graphMethod = CM_COSECANT;
  SetFunctionNameFromMethod(saved);
  saved.connectMethod = CM_UNCONNECTED_DOTS;
  for (int i = 0; i < kColorCount; ++i) {
    saved.colors[i] = 0x00010203u * (i + 1);
  }
  std::memset(saved.valueTexts[CModifier], '9', kValueTextSize);  // no NUL: cut to 49
  SetValueText(saved.valueTexts[TickMarkSize], "");
  ParseValueTexts(saved);
  MoveWindow(window_, 50, 60, 300, 250, TRUE);
  ShowWindow(window_, SW_MAXIMIZE);
  SaveSettings(saved, window_);

  for (const StoredValue& value : kStoredValues) {
    const Stored stored = Read(value.name);
    const char* field = reinterpret_cast<const char*>(&saved) + value.offset;
    const DWORD types[] = {REG_DWORD, REG_BINARY, REG_SZ};
    EXPECT_EQ(stored.type, types[static_cast<int>(value.type)]) << value.name;
    const std::size_t size =
        value.type == StoredType::Text ? BoundedLength(field, kMaxValueTextLength) + 1 : 4;
    EXPECT_EQ(stored.bytes, std::string(field, size - 1) + (size == 4 ? field[3] : '\0'))
        << value.name;
  }
  const std::uint32_t placement[4] = {50, 60, 300, 250};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Read(kPlacementNames[i]).type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Read(kPlacementNames[i]).bytes, Dword(placement[i])) << kPlacementNames[i];
  }
  GraphSettings loaded = {};
  MoveWindow(window_, 0, 0, 100, 100, TRUE);
  LoadSettings(loaded, window_);
  EXPECT_EQ(std::memcmp(&loaded.grid, &saved.grid, sizeof saved - 16), 0);
  EXPECT_STREQ(loaded.functionName, "Cosecant");
  EXPECT_EQ(Rect().left, 50);
  EXPECT_EQ(Rect().bottom, 310);
}

TEST_F(RegistrySettingsTest, PlacementOnlyWhenReachable) {
  const int right = GetSystemMetrics(SM_CXVIRTUALSCREEN) + GetSystemMetrics(SM_XVIRTUALSCREEN);
  const struct {
    std::vector<std::uint32_t> xywh;
    RECT expected;
  } cases[] = {
      {{}, {0, 0, 320, 200}},
      {{90, 70}, {90, 70, 410, 270}},
      {{static_cast<std::uint32_t>(-100), static_cast<std::uint32_t>(-20), 320, 200},
       {-100, -20, 220, 180}},
      {{static_cast<std::uint32_t>(right), 10, 320, 200}, {37, 41, 370, 263}},
      {{static_cast<std::uint32_t>(-400), 10, 320, 200}, {37, 41, 370, 263}},
      {{10, 10, 0, 200}, {37, 41, 370, 263}},
      {{10, 10, 320, 0}, {37, 41, 370, 263}},
      {{0x7FFFFFF0, 10, 0x7FFFFFF0, 200}, {37, 41, 370, 263}},
  };
  for (const auto& c : cases) {
    MoveWindow(window_, 37, 41, 333, 222, TRUE);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    std::vector<Stored> stored;
    for (std::size_t i = 0; i < c.xywh.size(); ++i) {
      stored.push_back({kPlacementNames[i], REG_DWORD, Dword(c.xywh[i])});
    }
    Store(stored);
    GraphSettings loaded = {};
    LoadSettings(loaded, window_);
    const RECT rect = Rect();
    EXPECT_EQ(rect.left, c.expected.left) << c.xywh.size();
    EXPECT_EQ(rect.top, c.expected.top);
    EXPECT_EQ(rect.right, c.expected.right);
    EXPECT_EQ(rect.bottom, c.expected.bottom);
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
  MoveWindow(window_, 37, 41, 333, 222, TRUE);
  GraphSettings loaded = {};
  LoadSettings(loaded, window_);
  EXPECT_EQ(Rect().right, 370) << "without a key the window stays";
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
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velmora\\Ondrix\\Custom Colors", 0,
                          KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "Color Value 15", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 0x0010203Fu);
  RegSetValueExA(key, "Color Value 3", 0, REG_BINARY, reinterpret_cast<const BYTE*>("\x01\x02"), 2);
  RegCloseKey(key);
  COLORREF loaded[kCustomColorCount];
  LoadCustomColors(loaded);
  EXPECT_EQ(loaded[3], 0x00FF0201u);
  EXPECT_EQ(loaded[15], 0x0010203Fu);
}

}  // namespace
}  // namespace ondrix::test
