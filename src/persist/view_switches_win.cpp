#include "persist/view_switches_win.h"

#include <windows.h>

#include <cstdint>

#include "persist/registry_settings_win.h"

namespace ondrix {
namespace {

// Whether the value is there, and whether it says on.
bool ReadSwitch(const char* name, bool& on) {
  unsigned char data[8];
  DWORD size = sizeof data;
  const LSTATUS status =
      RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_ANY, nullptr, data, &size);
  on = status == ERROR_SUCCESS && StoredSwitchIsOn(data, size);
  return status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
}

void WriteSwitch(const char* name, bool on) {
  const std::uint32_t value = on ? 1 : 0;
  RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, REG_DWORD, &value, sizeof value);
}

}  // namespace

ViewSwitches LoadViewSwitches() {
  ViewSwitches switches;
  const bool numbersThere = ReadSwitch(kAxisNumbersValueName, switches.axisNumbers);
  const bool statusBarThere = ReadSwitch(kStatusBarValueName, switches.statusBar);
  switches.stored = numbersThere || statusBarThere;
  return switches;
}

void StoreViewSwitches(const ViewSwitches& switches) {
  if (switches.stored) {
    WriteSwitch(kAxisNumbersValueName, switches.axisNumbers);
    WriteSwitch(kStatusBarValueName, switches.statusBar);
  }
}

}  // namespace ondrix
