// Waiting with the message loop running, and what GDI holds meanwhile.
#pragma once

#include <windows.h>

namespace ondrix::test {

template <typename Done>
bool PumpUntil(Done done, DWORD ms = 30000) {
  for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < ms; Sleep(10)) {
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
      DispatchMessageA(&message);
  }
  return done();
}

// Live GDI objects of a type (0: any), found as Wine finds them: by a handle's low word.
inline DWORD LiveGdiObjects(DWORD type = 0) {
  DWORD count = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) {
    const DWORD found = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
    count += type == 0 ? found != 0 : found == type;
  }
  return count;
}

}  // namespace ondrix::test
