#include "state/worker_thread_win.h"

#include <float.h>

#include <memory>

namespace ondrix {
namespace {

DWORD WINAPI RunWork(LPVOID parameter) {
  const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  MatchMainThreadPrecision();
  (*work)();
  return 0;
}

}  // namespace

void MatchMainThreadPrecision() {
  _fpreset();
}

OwnedHandle StartWorkerThread(std::function<void()> work) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  OwnedHandle thread(CreateThread(nullptr, 0, RunWork, owned.get(), 0, nullptr));
  if (thread) {
    owned.release();  // the thread's now
  }
  return thread;
}

}  // namespace ondrix
