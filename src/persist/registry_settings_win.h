// Settings, window placement and the colour chooser's custom colours in the
// current user's registry hive.
#pragma once

#include <windows.h>

#include <optional>

#include "model/graph_settings.h"
#include "model/stored_values.h"

namespace ondrix {

// The settings key under HKEY_CURRENT_USER.
extern const char kSettingsKeyPath[];

struct LoadedSettings {
  // The function name set from the method; empty for an unknown one.
  GraphSettings settings;
  // None without a settings key: the window stays where the system put it.
  std::optional<Placement> placement;
};

// Defaults first, then whatever the settings key holds, the values parsed.
LoadedSettings LoadSettings();

// Restores the window to its normal size and writes the placement and the
// settings to the settings key.
void SaveSettings(const GraphSettings& settings, HWND window);

// A value of the settings key, of any type, if it fits in `size` bytes;
// `size` is then the number read. Without `data`, whether the value is there.
bool ReadStoredValue(const char* name, void* data = nullptr, DWORD* size = nullptr);

// The sixteen custom colours of the colour chooser; defaults when nothing is
// stored.
void LoadCustomColors(COLORREF colors[16]);
void SaveCustomColors(const COLORREF colors[16]);

}  // namespace ondrix
