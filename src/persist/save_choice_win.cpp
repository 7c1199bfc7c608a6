#include "persist/save_choice_win.h"

#include <windows.h>

#include <cstdint>

#include "persist/registry_settings_win.h"

namespace ondrix {
SaveChoice LoadSaveChoice() {
  SaveChoice choice;
  choice.made = ReadStoredValue(kSaveFolderValueName) || ReadStoredValue(kSaveTypeValueName);
  char folder[kMaxSavePathSize];
  DWORD size = sizeof folder;
  if (ReadStoredValue(kSaveFolderValueName, folder, &size)) {
    choice.folder = StoredSaveFolder(folder, size);
  }
  unsigned char type[4];
  size = sizeof type;
  if (ReadStoredValue(kSaveTypeValueName, type, &size)) {
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
