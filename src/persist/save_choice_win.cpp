#include "persist/save_choice_win.h"

#include <windows.h>

#include <cstdint>

#include "persist/registry_settings_win.h"

namespace ondrix {
namespace {

// The value's data, of any type, if it fits in `size` bytes; `size` is
// then the number read. Without `data`, whether the value is there.
bool ReadValue(const char* name, void* data = nullptr, DWORD* size = nullptr) {
  return RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_ANY, nullptr, data, size) ==
         ERROR_SUCCESS;
}

}  // namespace

SaveChoice LoadSaveChoice() {
  SaveChoice choice;
  choice.made = ReadValue(kSaveFolderValueName) || ReadValue(kSaveTypeValueName);
  char folder[kMaxSavePathSize];
  DWORD size = sizeof folder;
  if (ReadValue(kSaveFolderValueName, folder, &size)) {
    choice.folder = StoredSaveFolder(folder, size);
  }
  unsigned char type[4];
  size = sizeof type;
  if (ReadValue(kSaveTypeValueName, type, &size)) {
    choice.format = StoredSaveFormat(type, size);
  }
  return choice;
}

void StoreSaveChoice(const SaveChoice& choice) {
  if (!choice.made) {
    return;
  }
  const std::uint32_t type = static_cast<std::uint32_t>(choice.format);
  RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, kSaveFolderValueName, REG_SZ,
                  choice.folder.c_str(), static_cast<DWORD>(choice.folder.size() + 1));
  RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, kSaveTypeValueName, REG_DWORD, &type,
                  sizeof type);
}

}  // namespace ondrix
