#include "persist/registry_settings_win.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/string_table.h"
#include "model/value_text.h"
#include "state/app_state_win.h"

namespace ondrix {
namespace {

constexpr char kSettingsKeyPath[] = "Software\\Velmora\\Ondrix";
constexpr char kCustomColorsKeyPath[] = "Software\\Velmora\\Ondrix\\Custom Colors";
constexpr int kCustomColorCount = 16;
constexpr int kResourceTextSize = 50;

constexpr COLORREF kDefaultCustomColors[kCustomColorCount] = {
    0x00000000, 0x00808000, 0x00FF0000, 0x00FF0000, 0x000000FF, 0x000000FF, 0x000000FF, 0x00FFFFFF,
    0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};

// The stored outer rectangle of the main window. The defaults count only
// when the key exists but lacks a placement value.
struct Placement {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 320;
  std::int32_t height = 200;
};

// A registry key under HKEY_CURRENT_USER that closes itself.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  bool OpenForReading(const char* path) {
    Close();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    key_ = key;
    return true;
  }

  bool CreateForWriting(const char* path) {
    Close();
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    key_ = key;
    return true;
  }

  void Close() {
    if (key_ != nullptr) {
      RegCloseKey(key_);
      key_ = nullptr;
    }
  }

  // Reads a value of any type into a buffer of size bytes; on success size
  // holds the number of bytes read. Data larger than the buffer is a failure.
  bool Query(const char* name, void* buffer, DWORD& size) const {
    return RegQueryValueExA(key_, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size) ==
           ERROR_SUCCESS;
  }

  void Write(const char* name, DWORD type, const void* data, DWORD size) const {
    RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size);
  }

 private:
  HKEY key_ = nullptr;
};

// Value names come from the string table, so that the colour names are the
// ones the Grid Properties dialog lists. A string that cannot be loaded
// would name the key's default value, so such an entry is skipped.
bool LoadResourceText(UINT id, char (&text)[kResourceTextSize]) {
  return LoadStringA(appInstance, id, text, kResourceTextSize) > 0;
}

// Stored data that fits replaces the leading bytes of the 32-bit field, byte
// for byte whatever its type; missing or larger data leaves the field as it
// is. A scratch buffer keeps a failed read from touching the field.
void ReadInt32(const RegistryKey& key, const char* name, void* field) {
  unsigned char data[4];
  DWORD size = sizeof data;
  if (key.Query(name, data, size)) {
    std::memcpy(field, data, size);
  }
}

// A stored text is taken only when it ends within the 50-byte field: it is cut
// at its first NUL, and 50 bytes with no NUL are not a text of at most 49
// characters, so the default stays.
void ReadText(const RegistryKey& key, const char* name, char (&text)[kValueTextSize]) {
  char data[kValueTextSize];
  DWORD size = sizeof data;
  if (!key.Query(name, data, size)) {
    return;
  }
  DWORD length = 0;
  while (length < size && data[length] != '\0') {
    ++length;
  }
  if (length > static_cast<DWORD>(kMaxValueTextLength)) {
    return;
  }
  std::memset(text, 0, sizeof text);
  std::memcpy(text, data, length);
}

Placement ReadPlacement(const RegistryKey& key) {
  Placement placement;
  ReadInt32(key, "Window X Placement", &placement.x);
  ReadInt32(key, "Window Y Placement", &placement.y);
  ReadInt32(key, "Window Width", &placement.width);
  ReadInt32(key, "Window Height", &placement.height);
  return placement;
}

// A window with no area, or entirely off every monitor, could never be seen
// or dragged back; such a placement is not applied.
bool IsReachable(const Placement& placement) {
  if (placement.width <= 0 || placement.height <= 0) {
    return false;
  }
  const std::int64_t right = static_cast<std::int64_t>(placement.x) + placement.width;
  const std::int64_t bottom = static_cast<std::int64_t>(placement.y) + placement.height;
  RECT rect;
  rect.left = placement.x;
  rect.top = placement.y;
  rect.right = static_cast<LONG>(right > LONG_MAX ? LONG_MAX : right);
  rect.bottom = static_cast<LONG>(bottom > LONG_MAX ? LONG_MAX : bottom);
  return MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

void ReadStoredSettings(const RegistryKey& key, GraphSettings& settings) {
  ReadInt32(key, "Grid", &settings.grid);
  ReadInt32(key, "Sonar", &settings.sonar);
  ReadInt32(key, "Connect Method", &settings.connectMethod);
  ReadInt32(key, "Graph Method", &settings.graphMethod);
  char name[kResourceTextSize];
  for (int i = 0; i < kColorCount; ++i) {
    if (LoadResourceText(IDS_COLOR_NAME_FIRST + i, name)) {
      ReadInt32(key, name, &settings.colors[i]);
    }
  }
  for (int i = 0; i < kValueCount; ++i) {
    if (LoadResourceText(IDS_VALUE_NAME_FIRST + i, name)) {
      ReadText(key, name, settings.valueTexts[i]);
    }
  }
}

void WriteInt32(const RegistryKey& key, const char* name, DWORD type, std::int32_t value) {
  key.Write(name, type, &value, sizeof value);
}

// Written with the NUL counted; a damaged field without a NUL is cut to 49
// characters rather than read past its end.
void WriteText(const RegistryKey& key, const char* name, const char (&text)[kValueTextSize]) {
  char data[kValueTextSize] = {};
  const int length = ValueTextLength(text);
  std::memcpy(data, text, static_cast<std::size_t>(length));
  key.Write(name, REG_SZ, data, static_cast<DWORD>(length + 1));
}

void FormatCustomColorName(int index, char (&name)[32]) {
  std::snprintf(name, sizeof name, "Color Value %i", index);
}

}  // namespace

void LoadSettings(GraphSettings& settings, HWND window) {
  // Set again from the method below; an unknown method leaves it empty.
  std::memset(settings.functionName, 0, sizeof settings.functionName);
  SetDefaultSettings(settings);
  char text[kResourceTextSize];
  for (int i = 0; i < kValueCount; ++i) {
    if (LoadResourceText(IDS_VALUE_DEFAULT_FIRST + i, text)) {
      SetValueText(settings.valueTexts[i], text);
    }
  }
  ParseValueTexts(settings);

  RegistryKey key;
  const bool stored = key.OpenForReading(kSettingsKeyPath);
  Placement placement;
  if (stored) {
    placement = ReadPlacement(key);
    ReadStoredSettings(key, settings);
    ParseValueTexts(settings);
    key.Close();
  }

  // Unknown stored methods stay in the settings, but put no check mark on
  // whatever other command carries that identifier. An unknown function
  // copies no name, so the caption reads " - Ondrix".
  if (IsFunctionMethod(settings.graphMethod)) {
    CheckMenuChoice(settings.graphMethod, settings.graphMethod, settings.functionName);
  }
  UpdateWindowTitle(window, settings);
  if (IsConnectMethod(settings.connectMethod)) {
    CheckMenuChoice(settings.connectMethod, settings.connectMethod, nullptr);
  }
  CheckMenuItem(graphMenu, CM_POINT_SONAR,
                MF_BYCOMMAND | (settings.sonar != 0 ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(graphMenu, CM_GRID_LINES,
                MF_BYCOMMAND | (settings.grid != 0 ? MF_CHECKED : MF_UNCHECKED));

  // Without a key the window stays where the system placed it.
  if (stored && IsReachable(placement)) {
    MoveWindow(window, placement.x, placement.y, placement.width, placement.height, TRUE);
  }
  redrawGraph = 1;
}

void SaveSettings(const GraphSettings& settings, HWND window) {
  // Twice: a window minimised from the maximised state needs two restores
  // to reach its normal rectangle, which is the one worth storing.
  ShowWindow(window, SW_RESTORE);
  ShowWindow(window, SW_RESTORE);
  RECT rect;
  const bool havePlacement = GetWindowRect(window, &rect) != FALSE;

  RegistryKey key;
  if (!key.CreateForWriting(kSettingsKeyPath)) {
    return;
  }
  if (havePlacement) {
    WriteInt32(key, "Window X Placement", REG_DWORD, rect.left);
    WriteInt32(key, "Window Y Placement", REG_DWORD, rect.top);
    WriteInt32(key, "Window Width", REG_DWORD, rect.right - rect.left);
    WriteInt32(key, "Window Height", REG_DWORD, rect.bottom - rect.top);
  }
  WriteInt32(key, "Grid", REG_BINARY, settings.grid);
  WriteInt32(key, "Sonar", REG_BINARY, settings.sonar);
  WriteInt32(key, "Connect Method", REG_DWORD, settings.connectMethod);
  WriteInt32(key, "Graph Method", REG_DWORD, settings.graphMethod);
  char name[kResourceTextSize];
  for (int i = 0; i < kColorCount; ++i) {
    if (LoadResourceText(IDS_COLOR_NAME_FIRST + i, name)) {
      WriteInt32(key, name, REG_DWORD, static_cast<std::int32_t>(settings.colors[i]));
    }
  }
  for (int i = 0; i < kValueCount; ++i) {
    if (LoadResourceText(IDS_VALUE_NAME_FIRST + i, name)) {
      WriteText(key, name, settings.valueTexts[i]);
    }
  }
}

void LoadCustomColors(COLORREF colors[16]) {
  for (int i = 0; i < kCustomColorCount; ++i) {
    colors[i] = kDefaultCustomColors[i];
  }
  RegistryKey key;
  if (!key.OpenForReading(kCustomColorsKeyPath)) {
    return;
  }
  char name[32];
  for (int i = 0; i < kCustomColorCount; ++i) {
    FormatCustomColorName(i, name);
    ReadInt32(key, name, &colors[i]);
  }
}

void SaveCustomColors(const COLORREF colors[16]) {
  RegistryKey key;
  if (!key.CreateForWriting(kCustomColorsKeyPath)) {
    return;
  }
  char name[32];
  for (int i = 0; i < kCustomColorCount; ++i) {
    FormatCustomColorName(i, name);
    key.Write(name, REG_DWORD, &colors[i], sizeof colors[i]);
  }
}

}  // namespace ondrix
