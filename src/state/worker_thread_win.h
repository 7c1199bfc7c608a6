// Threads of the program's own: started with the main thread's
// floating-point state, each owning the work it is given.
#pragma once

#include <windows.h>

#include <functional>

#include "state/owned_handles_win.h"

namespace ondrix {

// Windows starts the threads that CreateThread makes with the x87 unit
// rounding to 53 bits, while the C runtime gave the main thread 64: the
// renderer's long double steps round as they do on the main thread only
// after this.
void MatchMainThreadPrecision();

// Runs `work` on a new thread that first matches the main thread's
// precision; the thread owns `work` and frees it. A null handle when no
// thread could be started (`work` is then freed here).
OwnedHandle StartWorkerThread(std::function<void()> work);

}  // namespace ondrix
