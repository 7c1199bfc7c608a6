#include "persist/view_switches_win.h"

#include <windows.h>

#include <cstdint>

#include "persist/registry_settings_win.h"

namespace ondrix {
namespace {

// Four bytes holding 1; larger data does not fit and is off too.
bool SwitchIsOn(const char* name) {
  unsigned char data[4];
  DWORD size = sizeof data;
  return ReadStoredValue(name, data, &size) && StoredSwitchIsOn(data, size);
}

void WriteSwitch(const char* name, bool on) {
  const std::uint32_t value = on ? 1 : 0;
  RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, REG_DWORD, &value, sizeof value);
}

}  // namespace

ViewSwitches LoadViewSwitches() {
  ViewSwitches switches;
  switches.axisNumbers = SwitchIsOn(kAxisNumbersValueName);
  switches.statusBar = SwitchIsOn(kStatusBarValueName);
  switches.stored = ReadStoredValue(kAxisNumbersValueName) || ReadStoredValue(kStatusBarValueName);
  return switches;
}

void StoreViewSwitches(const ViewSwitches& switches) {
  if (switches.stored) {
    WriteSwitch(kAxisNumbersValueName, switches.axisNumbers);
    WriteSwitch(kStatusBarValueName, switches.statusBar);
  }
}

}  // namespace ondrix
