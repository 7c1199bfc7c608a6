#include "persist/registry_settings_win.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/stored_values.h"
#include "model/value_text.h"

namespace ondrix {

const char kSettingsKeyPath[] = "Software\\Velmora\\Ondrix";

namespace {

constexpr char kCustomColorsKeyPath[] = "Software\\Velmora\\Ondrix\\Custom Colors";

constexpr COLORREF kDefaultCustomColors[kCustomColorCount] = {
    0x00000000, 0x00808000, 0x00FF0000, 0x00FF0000, 0x000000FF, 0x000000FF, 0x000000FF, 0x00FFFFFF,
    0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};

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

void ReadInt32(const RegistryKey& key, const char* name, void* field) {
  unsigned char data[4];
  DWORD size = sizeof data;
  if (key.Query(name, data, size)) {
    AcceptStoredInt32(data, size, field);
  }
}

void ReadText(const RegistryKey& key, const char* name, char (&text)[kValueTextSize]) {
  char data[kValueTextSize];
  DWORD size = sizeof data;
  if (key.Query(name, data, size)) {
    AcceptStoredText(data, size, text);
  }
}

Placement ReadPlacement(const RegistryKey& key) {
  Placement placement;
  std::int32_t* const fields[4] = {&placement.x, &placement.y, &placement.width, &placement.height};
  for (int i = 0; i < 4; ++i) {
    ReadInt32(key, kPlacementNames[i], fields[i]);
  }
  return placement;
}

DWORD RegistryType(StoredType type) {
  switch (type) {
    case StoredType::Binary:
      return REG_BINARY;
    case StoredType::Text:
      return REG_SZ;
    case StoredType::Dword:
      break;
  }
  return REG_DWORD;
}

void ReadStoredSettings(const RegistryKey& key, GraphSettings& settings) {
  auto* const record = reinterpret_cast<char*>(&settings);
  for (const StoredValue& value : kStoredValues) {
    char* const field = record + value.offset;
    if (value.type == StoredType::Text) {
      ReadText(key, value.name, *reinterpret_cast<char(*)[kValueTextSize]>(field));
    } else {
      ReadInt32(key, value.name, field);
    }
  }
}

// Written with the NUL counted; a damaged field without a NUL is cut to 49
// characters rather than read past its end.
void WriteText(const RegistryKey& key, const char* name, const char (&text)[kValueTextSize]) {
  char data[kValueTextSize] = {};
  const int length = ValueTextLength(text);
  std::memcpy(data, text, static_cast<std::size_t>(length));
  key.Write(name, REG_SZ, data, static_cast<DWORD>(length + 1));
}

void WriteStoredSettings(const RegistryKey& key, const GraphSettings& settings) {
  const auto* const record = reinterpret_cast<const char*>(&settings);
  for (const StoredValue& value : kStoredValues) {
    const char* const field = record + value.offset;
    if (value.type == StoredType::Text) {
      WriteText(key, value.name, *reinterpret_cast<const char(*)[kValueTextSize]>(field));
    } else {
      key.Write(value.name, RegistryType(value.type), field, static_cast<DWORD>(value.size));
    }
  }
}

void FormatCustomColorName(int index, char (&name)[32]) {
  std::snprintf(name, sizeof name, "Color Value %i", index);
}

}  // namespace

bool ReadStoredValue(const char* name, void* data, DWORD* size) {
  return RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_ANY, nullptr, data, size) ==
         ERROR_SUCCESS;
}

LoadedSettings LoadSettings() {
  LoadedSettings loaded = {};
  GraphSettings& settings = loaded.settings;
  SetDefaultSettings(settings);
  RegistryKey key;
  if (key.OpenForReading(kSettingsKeyPath)) {
    loaded.placement = ReadPlacement(key);
    ReadStoredSettings(key, settings);
    ParseValueTexts(settings);
  }
  SetFunctionNameFromMethod(settings);
  return loaded;
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
    const std::int32_t placement[4] = {rect.left, rect.top, rect.right - rect.left,
                                       rect.bottom - rect.top};
    for (int i = 0; i < 4; ++i) {
      key.Write(kPlacementNames[i], REG_DWORD, &placement[i], sizeof placement[i]);
    }
  }
  WriteStoredSettings(key, settings);
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
