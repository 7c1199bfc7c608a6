// Owners of the kernel objects the program holds: handles closed and memory
// blocks freed when the owner goes, unless handed on.
#pragma once

#include <windows.h>

namespace ondrix {

// A thread, event or other kernel handle, closed with the owner.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
      Reset(other.handle_);
      other.handle_ = nullptr;
    }
    return *this;
  }

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(HANDLE handle = nullptr) {
    if (handle_ != nullptr) {
      CloseHandle(handle_);
    }
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

// A movable memory block, freed with the owner unless Release() hands it to
// its new owner (the clipboard, a print record).
class OwnedGlobal {
 public:
  explicit OwnedGlobal(HGLOBAL block = nullptr) : block_(block) {}
  ~OwnedGlobal() { Reset(); }
  OwnedGlobal(const OwnedGlobal&) = delete;
  OwnedGlobal& operator=(const OwnedGlobal&) = delete;
  OwnedGlobal(OwnedGlobal&& other) noexcept : block_(other.Release()) {}
  OwnedGlobal& operator=(OwnedGlobal&& other) noexcept {
    if (this != &other) {
      Reset(other.Release());
    }
    return *this;
  }

  HGLOBAL Get() const { return block_; }
  explicit operator bool() const { return block_ != nullptr; }
  HGLOBAL Release() {
    HGLOBAL block = block_;
    block_ = nullptr;
    return block;
  }
  void Reset(HGLOBAL block = nullptr) {
    if (block_ != nullptr) {
      GlobalFree(block_);
    }
    block_ = block;
  }

 private:
  HGLOBAL block_;
};

}  // namespace ondrix
