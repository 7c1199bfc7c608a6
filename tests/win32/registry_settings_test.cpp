// Settings, placement and custom colours in the registry, read and written
// through the real registry API. HKEY_CURRENT_USER is redirected to a scratch
// key for the whole suite, so a user's own settings are never touched even
// outside the private Wine prefix the tests run in.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "model/command_ids.h"
#include "model/graph_settings.h"
#include "model/value_text.h"
#include "persist/registry_settings_win.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

constexpr char kScratchRoot[] = "Software\\Velmora\\Ondrix Registry Test Hive";
constexpr char kSettingsKey[] = "Software\\Velmora\\Ondrix";
constexpr char kColorsKey[] = "Software\\Velmora\\Ondrix\\Custom Colors";
constexpr char kWindowClass[] = "Ondrix Registry Test Window";

// One raw value as another program, an older version or a damaged hive may
// have left it.
struct StoredValue {
  std::string name;
  DWORD type;
  std::string data;
};

StoredValue Dword(const char* name, std::uint32_t value) {
  return {name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

StoredValue Binary(const char* name, std::string bytes) {
  return {name, REG_BINARY, bytes};
}

// A text stored the way SaveSettings stores it: the NUL counted.
StoredValue Text(const char* name, const std::string& text) {
  return {name, REG_SZ, text + std::string(1, '\0')};
}

void Store(HKEY key, const StoredValue& value) {
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, value.name.c_str(), 0, value.type,
                                          reinterpret_cast<const BYTE*>(value.data.data()),
                                          static_cast<DWORD>(value.data.size())));
}

void CreateKeyWith(const char* path, const std::vector<StoredValue>& values) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr));
  for (const StoredValue& value : values) {
    Store(key, value);
  }
  RegCloseKey(key);
}

struct QueriedValue {
  bool found = false;
  DWORD type = REG_NONE;
  std::string data;
};

QueriedValue Query(const char* path, const char* name) {
  QueriedValue result;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return result;
  }
  char data[256];
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, name, nullptr, &result.type, reinterpret_cast<BYTE*>(data), &size) ==
      ERROR_SUCCESS) {
    result.found = true;
    result.data.assign(data, size);
  }
  RegCloseKey(key);
  return result;
}

std::string Bytes32(std::uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

bool IsChecked(UINT id) {
  return (GetMenuState(graphMenu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::string WindowTitle(HWND window) {
  char title[80] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

// The record LoadSettings must produce when nothing overrides the defaults.
GraphSettings Defaults() {
  GraphSettings settings = DefaultGraphSettings();
  return settings;
}

void ExpectSameSettings(const GraphSettings& expected, const GraphSettings& actual) {
  EXPECT_STREQ(expected.functionName, actual.functionName);
  EXPECT_EQ(expected.grid, actual.grid);
  EXPECT_EQ(expected.connectMethod, actual.connectMethod);
  EXPECT_EQ(expected.graphMethod, actual.graphMethod);
  EXPECT_EQ(expected.sonar, actual.sonar);
  for (int i = 0; i < kColorCount; ++i) {
    EXPECT_EQ(expected.colors[i], actual.colors[i]) << "colour " << kColorNames[i];
  }
  for (int i = 0; i < kValueCount; ++i) {
    EXPECT_STREQ(expected.valueTexts[i], actual.valueTexts[i]) << kValueNames[i];
    EXPECT_EQ(expected.values[i], actual.values[i]) << kValueNames[i];
  }
}

// The check marks must mirror the settings: exactly the stored function and
// connection method (none when unknown), Grid Lines and Point Sonar.
void ExpectMenuMirrors(const GraphSettings& settings) {
  for (std::int32_t id = CM_PAGE_SETUP; id <= CM_ABOUT; ++id) {
    bool expected = false;
    if (id == CM_GRID_LINES) {
      expected = settings.grid != 0;
    } else if (id == CM_POINT_SONAR) {
      expected = settings.sonar != 0;
    } else if (IsFunctionMethod(id)) {
      expected = id == settings.graphMethod;
    } else if (IsConnectMethod(id)) {
      expected = id == settings.connectMethod;
    }
    EXPECT_EQ(expected, IsChecked(static_cast<UINT>(id))) << "menu item " << id;
  }
}

class RegistrySettingsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    HKEY scratch = nullptr;
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchRoot);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kScratchRoot, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &scratch, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, scratch));
    RegCloseKey(scratch);
    if (appInstance == nullptr) {
      appInstance = GetModuleHandleA(nullptr);
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    // One window for the suite: destroying a visible window costs Wine
    // seconds when no window manager answers.
    window_ = CreateWindowExA(0, kWindowClass, "Ondrix", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              LoadMenuA(appInstance, "GRAPH"), GetModuleHandleA(nullptr), nullptr);
  }

  static void TearDownTestSuite() {
    DestroyWindow(window_);
    window_ = nullptr;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchRoot);
    UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
  }

  void SetUp() override {
    ASSERT_NE(nullptr, window_);
    ASSERT_NE(nullptr, GetMenu(window_));
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    savedMenu_ = graphMenu;
    graphMenu = GetMenu(window_);
    ClearCheckMarks();
    ShowWindow(window_, SW_RESTORE);
    SetWindowTextA(window_, "Ondrix");
    redrawGraph = 0;
  }

  void TearDown() override {
    graphMenu = savedMenu_;
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  }

  static void ClearCheckMarks() {
    for (UINT id = CM_PAGE_SETUP; id <= CM_ABOUT; ++id) {
      CheckMenuItem(graphMenu, id, MF_BYCOMMAND | MF_UNCHECKED);
    }
  }

  // Loads into a zero-filled record, as the main window does at creation.
  GraphSettings Load() {
    GraphSettings settings;
    std::memset(&settings, 0, sizeof settings);
    LoadSettings(settings, window_);
    return settings;
  }

  static HWND window_;
  HMENU savedMenu_ = nullptr;
};

HWND RegistrySettingsTest::window_ = nullptr;

// Everything below relies on the redirection: a key made through
// HKEY_CURRENT_USER must land under the scratch root.
TEST_F(RegistrySettingsTest, TheSuiteWritesOnlyUnderItsScratchKey) {
  CreateKeyWith(kSettingsKey, {Dword("Graph Method", 129)});
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  const std::string scratchPath = std::string(kScratchRoot) + "\\" + kSettingsKey;
  const QueriedValue inScratch = Query(scratchPath.c_str(), "Graph Method");
  HKEY scratch = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, kScratchRoot, 0, KEY_ALL_ACCESS, &scratch);
  RegOverridePredefKey(HKEY_CURRENT_USER, scratch);
  RegCloseKey(scratch);
  EXPECT_TRUE(inScratch.found);
  EXPECT_EQ(Bytes32(129), inScratch.data);
}

struct LoadCase {
  const char* name;
  bool keyExists;
  std::vector<StoredValue> stored;
  std::function<void(GraphSettings&)> expectedChanges;
  const char* title;
};

std::string Digits(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += static_cast<char>('1' + i % 9);
  }
  return text;
}

const LoadCase kLoadCases[] = {
    {"no key: defaults", false, {}, [](GraphSettings&) {}, "Sine - Ondrix"},
    {"empty key: defaults", true, {}, [](GraphSettings&) {}, "Sine - Ondrix"},
    {"only Graph Method 129",
     true,
     {Dword("Graph Method", 129)},
     [](GraphSettings& s) {
       s.graphMethod = CM_TANGENT;
       std::strcpy(s.functionName, "Tangent");
     },
     "Tangent - Ondrix"},
    {"every value stored",
     true,
     {Binary("Grid", Bytes32(0)),
      Binary("Sonar", Bytes32(1)),
      Dword("Connect Method", 121),
      Dword("Graph Method", 126),
      Dword("Asymptote Color", 0x00010203),
      Dword("Axis Color", 0x00040506),
      Dword("Background Color", 0x00070809),
      Dword("Grid Line Color", 0x000A0B0C),
      Dword("Point Color", 0x000D0E0F),
      Dword("Point Connection Color", 0x00101112),
      Dword("Point Sonar Color", 0x00131415),
      Dword("Tick Mark Color", 0x00161718),
      Text("A Modifier", "2"),
      Text("B Modifier", "3"),
      Text("C Modifier", ".5p"),
      Text("D Modifier", "-1"),
      Text("Tick Mark Size", ".02"),
      Text("Sonar Width", ".01"),
      Text("Minimum X", "-p"),
      Text("Maximum X", "4p"),
      Text("X Tick Mark Frequency", ".25p"),
      Text("Minimum Y", "-8"),
      Text("Maximum Y", "8"),
      Text("Y Tick Mark Frequency", "2")},
     [](GraphSettings& s) {
       s.grid = 0;
       s.sonar = 1;
       s.connectMethod = CM_UNCONNECTED_DOTS;
       s.graphMethod = CM_COTANGENT;
       std::strcpy(s.functionName, "Cotangent");
       const Color colors[kColorCount] = {0x00010203, 0x00040506, 0x00070809, 0x000A0B0C,
                                          0x000D0E0F, 0x00101112, 0x00131415, 0x00161718};
       std::memcpy(s.colors, colors, sizeof colors);
       // "-p" is rewritten to "-1p" when the stored texts are parsed.
       const char* texts[kValueCount] = {"2",   "3",  ".5p",  "-1", ".02", ".01",
                                         "-1p", "4p", ".25p", "-8", "8",   "2"};
       for (int i = 0; i < kValueCount; ++i) {
         SetValueText(s.valueTexts[i], texts[i]);
       }
       ParseValueTexts(s);
     },
     "Cotangent - Ondrix"},
    {"Grid stored as a DWORD",
     true,
     {Dword("Grid", 0)},
     [](GraphSettings& s) { s.grid = 0; },
     "Sine - Ondrix"},
    {"a nonzero switch other than 1 counts as on",
     true,
     {Binary("Sonar", Bytes32(7))},
     [](GraphSettings& s) { s.sonar = 7; },
     "Sine - Ondrix"},
    {"a 2-byte value replaces only the first two bytes",
     true,
     {Binary("Background Color", std::string("\x34\x12", 2))},
     [](GraphSettings& s) { s.colors[Background] = 0x00FF1234; },
     "Sine - Ondrix"},
    {"data larger than the field keeps the default",
     true,
     {Binary("Connect Method", Bytes32(120) + Bytes32(0)),
      Binary("Axis Color", std::string(5, 'x')), Dword("Sonar", 1)},
     [](GraphSettings& s) { s.sonar = 1; },
     "Sine - Ondrix"},
    {"a short text in a number's place is taken byte for byte",
     true,
     {Text("Graph Method", "129")},
     [](GraphSettings& s) {
       s.graphMethod = 0x00393231;
       std::memset(s.functionName, 0, sizeof s.functionName);
     },
     " - Ondrix"},
    {"a 49-character text is taken",
     true,
     {Text("Maximum Y", Digits(49))},
     [](GraphSettings& s) {
       SetValueText(s.valueTexts[MaximumY], Digits(49));
       ParseValueTexts(s);
     },
     "Sine - Ondrix"},
    {"a 50-character text keeps the default",
     true,
     {Text("Maximum Y", Digits(50)), Text("Minimum Y", "-3")},
     [](GraphSettings& s) {
       SetValueText(s.valueTexts[MinimumY], "-3");
       ParseValueTexts(s);
     },
     "Sine - Ondrix"},
    {"50 bytes without a NUL keep the default",
     true,
     {{"Maximum Y", REG_SZ, Digits(50)}, {"A Modifier", REG_BINARY, Digits(50)}},
     [](GraphSettings&) {},
     "Sine - Ondrix"},
    {"a text stored without its NUL is taken",
     true,
     {{"Maximum X", REG_SZ, "5p"}, {"Minimum X", REG_BINARY, "-5p"}},
     [](GraphSettings& s) {
       SetValueText(s.valueTexts[MaximumX], "5p");
       SetValueText(s.valueTexts[MinimumX], "-5p");
       ParseValueTexts(s);
     },
     "Sine - Ondrix"},
    {"a text ends at its first NUL",
     true,
     {{"B Modifier", REG_SZ,
       std::string("2\0"
                   "99999\0",
                   8)},
      {"C Modifier", REG_BINARY, std::string("1\0", 2) + Digits(48)}},
     [](GraphSettings& s) {
       SetValueText(s.valueTexts[BModifier], "2");
       SetValueText(s.valueTexts[CModifier], "1");
       ParseValueTexts(s);
     },
     "Sine - Ondrix"},
    {"an empty text stays empty",
     true,
     {Text("A Modifier", ""), {"D Modifier", REG_SZ, ""}},
     [](GraphSettings& s) {
       SetValueText(s.valueTexts[AModifier], "");
       SetValueText(s.valueTexts[DModifier], "");
       ParseValueTexts(s);
     },
     "Sine - Ondrix"},
    {"an unknown Graph Method leaves no function checked",
     true,
     {Dword("Graph Method", 5)},
     [](GraphSettings& s) {
       s.graphMethod = 5;
       std::memset(s.functionName, 0, sizeof s.functionName);
     },
     " - Ondrix"},
    {"methods naming other commands check nothing",
     true,
     {Dword("Graph Method", CM_ABOUT), Dword("Connect Method", CM_SINE)},
     [](GraphSettings& s) {
       s.graphMethod = CM_ABOUT;
       s.connectMethod = CM_SINE;
       std::memset(s.functionName, 0, sizeof s.functionName);
     },
     " - Ondrix"},
    {"a known Graph Method with an unknown Connect Method",
     true,
     {Dword("Graph Method", CM_SECANT), Dword("Connect Method", 0)},
     [](GraphSettings& s) {
       s.graphMethod = CM_SECANT;
       s.connectMethod = 0;
       std::strcpy(s.functionName, "Secant");
     },
     "Secant - Ondrix"},
};

TEST_F(RegistrySettingsTest, LoadSettingsTakesWhatFitsAndKeepsDefaultsOtherwise) {
  for (const LoadCase& c : kLoadCases) {
    SCOPED_TRACE(c.name);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    if (c.keyExists) {
      CreateKeyWith(kSettingsKey, c.stored);
    }
    // Stale check marks of the previous case would hide a missing one.
    ClearCheckMarks();
    SetWindowTextA(window_, "Ondrix");
    redrawGraph = 0;
    const GraphSettings loaded = Load();

    GraphSettings expected = Defaults();
    c.expectedChanges(expected);
    ExpectSameSettings(expected, loaded);
    ExpectMenuMirrors(expected);
    EXPECT_EQ(c.title, WindowTitle(window_));
    EXPECT_EQ(1, redrawGraph);
  }
}

TEST_F(RegistrySettingsTest, WithoutAKeyTheWindowStaysWhereTheSystemPlacedIt) {
  MoveWindow(window_, 37, 41, 333, 222, TRUE);
  const RECT before = WindowRect(window_);
  Load();
  const RECT after = WindowRect(window_);
  EXPECT_EQ(before.left, after.left);
  EXPECT_EQ(before.top, after.top);
  EXPECT_EQ(before.right, after.right);
  EXPECT_EQ(before.bottom, after.bottom);
}

struct PlacementCase {
  const char* name;
  std::vector<StoredValue> stored;
  bool applied;
  RECT expected;  // outer rectangle when applied
};

TEST_F(RegistrySettingsTest, ReachablePlacementsAreAppliedExactly) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const PlacementCase cases[] = {
      {"an empty key moves to 0, 0, 320 x 200", {}, true, {0, 0, 320, 200}},
      {"all four stored",
       {Dword("Window X Placement", 50), Dword("Window Y Placement", 60),
        Dword("Window Width", 300), Dword("Window Height", 250)},
       true,
       {50, 60, 350, 310}},
      {"only the position stored",
       {Dword("Window X Placement", 90), Dword("Window Y Placement", 70)},
       true,
       {90, 70, 410, 270}},
      {"partly off the left and top edges",
       {Dword("Window X Placement", static_cast<std::uint32_t>(-100)),
        Dword("Window Y Placement", static_cast<std::uint32_t>(-20)), Dword("Window Width", 320),
        Dword("Window Height", 200)},
       true,
       {-100, -20, 220, 180}},
      {"one column left on the screen",
       {Dword("Window X Placement", static_cast<std::uint32_t>(-319))},
       true,
       {-319, 0, 1, 200}},
      {"one column left at the right edge",
       {Dword("Window X Placement", static_cast<std::uint32_t>(screenWidth - 1))},
       true,
       {screenWidth - 1, 0, screenWidth + 319, 200}},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    CreateKeyWith(kSettingsKey, c.stored);
    MoveWindow(window_, 11, 13, 250, 150, TRUE);
    Load();
    const RECT rect = WindowRect(window_);
    EXPECT_EQ(c.expected.left, rect.left);
    EXPECT_EQ(c.expected.top, rect.top);
    EXPECT_EQ(c.expected.right, rect.right);
    EXPECT_EQ(c.expected.bottom, rect.bottom);
  }
}

// A window with no area or entirely off every monitor could never be seen or
// dragged back: such a placement leaves the window where it was.
TEST_F(RegistrySettingsTest, UnreachablePlacementsAreNotApplied) {
  const std::uint32_t screenWidth = static_cast<std::uint32_t>(GetSystemMetrics(SM_CXSCREEN));
  const std::uint32_t screenHeight = static_cast<std::uint32_t>(GetSystemMetrics(SM_CYSCREEN));
  const std::vector<StoredValue> cases[] = {
      {Dword("Window Width", 0)},
      {Dword("Window Height", 0)},
      {Dword("Window Width", static_cast<std::uint32_t>(-320))},
      {Dword("Window Height", static_cast<std::uint32_t>(-5))},
      {Dword("Window X Placement", 5000), Dword("Window Y Placement", 5000)},
      {Dword("Window X Placement", screenWidth)},
      {Dword("Window Y Placement", screenHeight)},
      {Dword("Window X Placement", static_cast<std::uint32_t>(-320))},
      {Dword("Window Y Placement", static_cast<std::uint32_t>(-200))},
      {Dword("Window X Placement", static_cast<std::uint32_t>(INT_MIN))},
      {Dword("Window X Placement", static_cast<std::uint32_t>(INT_MAX)),
       Dword("Window Width", static_cast<std::uint32_t>(INT_MAX))},
  };
  for (const std::vector<StoredValue>& stored : cases) {
    SCOPED_TRACE(stored.front().name + " = " +
                 std::to_string(static_cast<std::int32_t>(
                     *reinterpret_cast<const std::uint32_t*>(stored.front().data.data()))));
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    CreateKeyWith(kSettingsKey, stored);
    MoveWindow(window_, 11, 13, 250, 150, TRUE);
    const GraphSettings loaded = Load();
    const RECT rect = WindowRect(window_);
    EXPECT_EQ(11, rect.left);
    EXPECT_EQ(13, rect.top);
    EXPECT_EQ(261, rect.right);
    EXPECT_EQ(163, rect.bottom);
    // The rest of the settings still load.
    EXPECT_EQ(CM_SINE, loaded.graphMethod);
    EXPECT_EQ("Sine - Ondrix", WindowTitle(window_));
  }
}

// A record with every field away from its default, a 49-character text and
// an empty one.
GraphSettings UnusualSettings() {
  GraphSettings settings = DefaultGraphSettings();
  settings.grid = 0;
  settings.sonar = 1;
  settings.connectMethod = CM_NO_CONNECTION;
  settings.graphMethod = CM_COSECANT;
  std::strcpy(settings.functionName, "Cosecant");
  for (int i = 0; i < kColorCount; ++i) {
    settings.colors[i] = 0x00102030u + static_cast<Color>(i) * 0x00010101u;
  }
  const char* texts[kValueCount] = {"2",   "",   "0.25p", "-1", ".02", ".004",
                                    "-3p", "3p", ".5p",   "-2", "2",   ".5"};
  for (int i = 0; i < kValueCount; ++i) {
    SetValueText(settings.valueTexts[i], texts[i]);
  }
  SetValueText(settings.valueTexts[MaximumY], Digits(49));
  ParseValueTexts(settings);
  return settings;
}

TEST_F(RegistrySettingsTest, SaveSettingsWritesEveryValueWithItsTypeAndSize) {
  const GraphSettings settings = UnusualSettings();
  MoveWindow(window_, 70, 80, 400, 300, TRUE);
  SaveSettings(settings, window_);

  struct Expected {
    const char* name;
    DWORD type;
    std::string data;
  };
  const Expected expected[] = {
      {"Window X Placement", REG_DWORD, Bytes32(70)},
      {"Window Y Placement", REG_DWORD, Bytes32(80)},
      {"Window Width", REG_DWORD, Bytes32(400)},
      {"Window Height", REG_DWORD, Bytes32(300)},
      {"Grid", REG_BINARY, Bytes32(0)},
      {"Sonar", REG_BINARY, Bytes32(1)},
      {"Connect Method", REG_DWORD, Bytes32(120)},
      {"Graph Method", REG_DWORD, Bytes32(127)},
      {"Asymptote Color", REG_DWORD, Bytes32(0x00102030)},
      {"Axis Color", REG_DWORD, Bytes32(0x00112131)},
      {"Background Color", REG_DWORD, Bytes32(0x00122232)},
      {"Grid Line Color", REG_DWORD, Bytes32(0x00132333)},
      {"Point Color", REG_DWORD, Bytes32(0x00142434)},
      {"Point Connection Color", REG_DWORD, Bytes32(0x00152535)},
      {"Point Sonar Color", REG_DWORD, Bytes32(0x00162636)},
      {"Tick Mark Color", REG_DWORD, Bytes32(0x00172737)},
      {"A Modifier", REG_SZ, std::string("2\0", 2)},
      {"B Modifier", REG_SZ, std::string("\0", 1)},
      {"C Modifier", REG_SZ, std::string("0.25p\0", 6)},
      {"D Modifier", REG_SZ, std::string("-1\0", 3)},
      {"Tick Mark Size", REG_SZ, std::string(".02\0", 4)},
      {"Sonar Width", REG_SZ, std::string(".004\0", 5)},
      {"Minimum X", REG_SZ, std::string("-3p\0", 4)},
      {"Maximum X", REG_SZ, std::string("3p\0", 3)},
      {"X Tick Mark Frequency", REG_SZ, std::string(".5p\0", 4)},
      {"Minimum Y", REG_SZ, std::string("-2\0", 3)},
      {"Maximum Y", REG_SZ, Digits(49) + std::string(1, '\0')},
      {"Y Tick Mark Frequency", REG_SZ, std::string(".5\0", 3)},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    const QueriedValue value = Query(kSettingsKey, e.name);
    ASSERT_TRUE(value.found);
    EXPECT_EQ(e.type, value.type);
    EXPECT_EQ(e.data.size(), value.data.size());
    EXPECT_EQ(e.data, value.data);
  }

  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key));
  DWORD valueCount = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  EXPECT_EQ(sizeof expected / sizeof expected[0], valueCount);
}

TEST_F(RegistrySettingsTest, SavedSettingsLoadBackUnchanged) {
  const GraphSettings saved = UnusualSettings();
  MoveWindow(window_, 120, 90, 480, 360, TRUE);
  SaveSettings(saved, window_);
  MoveWindow(window_, 0, 0, 200, 150, TRUE);

  const GraphSettings loaded = Load();
  ExpectSameSettings(saved, loaded);
  ExpectMenuMirrors(saved);
  EXPECT_EQ("Cosecant - Ondrix", WindowTitle(window_));
  const RECT rect = WindowRect(window_);
  EXPECT_EQ(120, rect.left);
  EXPECT_EQ(90, rect.top);
  EXPECT_EQ(600, rect.right);
  EXPECT_EQ(450, rect.bottom);
}

TEST_F(RegistrySettingsTest, SaveSettingsStoresTheNormalRectangleOfAMaximisedOrMinimisedWindow) {
  const int shows[][2] = {
      {SW_MAXIMIZE, SW_MAXIMIZE}, {SW_MINIMIZE, SW_MINIMIZE}, {SW_MAXIMIZE, SW_MINIMIZE}};
  for (const auto& show : shows) {
    SCOPED_TRACE(show[0] * 10 + show[1]);
    ShowWindow(window_, SW_RESTORE);
    MoveWindow(window_, 60, 50, 350, 260, TRUE);
    ShowWindow(window_, show[0]);
    ShowWindow(window_, show[1]);
    SaveSettings(DefaultGraphSettings(), window_);
    EXPECT_FALSE(IsZoomed(window_));
    EXPECT_FALSE(IsIconic(window_));
    EXPECT_EQ(Bytes32(60), Query(kSettingsKey, "Window X Placement").data);
    EXPECT_EQ(Bytes32(50), Query(kSettingsKey, "Window Y Placement").data);
    EXPECT_EQ(Bytes32(350), Query(kSettingsKey, "Window Width").data);
    EXPECT_EQ(Bytes32(260), Query(kSettingsKey, "Window Height").data);
  }
}

// A damaged record whose text has no NUL must not be read past its field.
TEST_F(RegistrySettingsTest, SaveSettingsCutsATextWithoutItsNulTo49Characters) {
  GraphSettings settings = DefaultGraphSettings();
  std::memset(settings.valueTexts[SonarWidth], '7', kValueTextSize);
  SaveSettings(settings, window_);
  const QueriedValue value = Query(kSettingsKey, "Sonar Width");
  EXPECT_EQ(REG_SZ, value.type);
  EXPECT_EQ(std::string(49, '7') + std::string(1, '\0'), value.data);
}

TEST_F(RegistrySettingsTest, CustomColorsDefaultWithoutTheSubkey) {
  const COLORREF expected[16] = {0x00000000, 0x00808000, 0x00FF0000, 0x00FF0000,
                                 0x000000FF, 0x000000FF, 0x000000FF, 0x00FFFFFF,
                                 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF,
                                 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};
  // With the settings key present but no subkey as well.
  const bool settingsKeyPresent[] = {false, true};
  for (bool present : settingsKeyPresent) {
    SCOPED_TRACE(present ? "settings key present" : "no key");
    if (present) {
      CreateKeyWith(kSettingsKey, {Dword("Graph Method", 129)});
    }
    COLORREF colors[16];
    std::memset(colors, 0xAB, sizeof colors);
    LoadCustomColors(colors);
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ(expected[i], colors[i]) << "custom colour " << i;
    }
  }
}

TEST_F(RegistrySettingsTest, CustomColorsTakeWhatFitsAndKeepDefaultsOtherwise) {
  CreateKeyWith(kColorsKey,
                {Dword("Color Value 0", 0x00123456), Dword("Color Value 15", 0x00654321),
                 Binary("Color Value 3", Bytes32(1) + Bytes32(2)),
                 Binary("Color Value 7", std::string("\x01", 1)),
                 Dword("Color Value 16", 0x00111111), Dword("Color Value 01", 0x00222222)});
  COLORREF colors[16];
  LoadCustomColors(colors);
  EXPECT_EQ(0x00123456u, colors[0]);
  EXPECT_EQ(0x00808000u, colors[1]);
  EXPECT_EQ(0x00FF0000u, colors[3]);
  EXPECT_EQ(0x00FFFF01u, colors[7]);
  EXPECT_EQ(0x00654321u, colors[15]);
}

TEST_F(RegistrySettingsTest, CustomColorsRoundTripAsSixteenDwords) {
  COLORREF saved[16];
  for (int i = 0; i < 16; ++i) {
    saved[i] = 0x00010203u * static_cast<COLORREF>(i + 1);
  }
  SaveCustomColors(saved);
  for (int i = 0; i < 16; ++i) {
    const std::string name = "Color Value " + std::to_string(i);
    SCOPED_TRACE(name);
    const QueriedValue value = Query(kColorsKey, name.c_str());
    ASSERT_TRUE(value.found);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
    EXPECT_EQ(Bytes32(saved[i]), value.data);
  }
  COLORREF loaded[16] = {};
  LoadCustomColors(loaded);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(saved[i], loaded[i]) << "custom colour " << i;
  }
  // The colours live in their own subkey: the settings key gains no values.
  EXPECT_FALSE(Query(kSettingsKey, "Color Value 0").found);
}

}  // namespace
}  // namespace ondrix
