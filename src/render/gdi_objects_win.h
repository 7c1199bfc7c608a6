// RAII for GDI: an owning handle for pens, brushes and bitmaps, and a
// selection guard that selects the previous object back, and scoped DCs.
#pragma once

#include <windows.h>

namespace ondrix {

template <typename Handle>
class OwnedGdiObject {
 public:
  explicit OwnedGdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~OwnedGdiObject() { Reset(); }
  OwnedGdiObject(const OwnedGdiObject&) = delete;
  OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;
  OwnedGdiObject(OwnedGdiObject&& other) noexcept : handle_(other.Release()) {}
  OwnedGdiObject& operator=(OwnedGdiObject&& other) noexcept {
    if (this != &other) {
      Reset(other.Release());
    }
    return *this;
  }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) {
      DeleteObject(handle_);
    }
    handle_ = handle;
  }

 private:
  Handle handle_;
};

using OwnedPen = OwnedGdiObject<HPEN>;
using OwnedBrush = OwnedGdiObject<HBRUSH>;
using OwnedBitmap = OwnedGdiObject<HBITMAP>;

// Selects an object into a DC for the guard's lifetime. Declare the guard
// after the object it selects, so the object is deselected before deletion.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectionGuard() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) {
      SelectObject(dc_, previous_);
    }
  }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A DC made with CreateDC or handed over by a print dialog, deleted with
// the owner.
class OwnedDc {
 public:
  explicit OwnedDc(HDC dc) : dc_(dc) {}
  ~OwnedDc() {
    if (dc_ != nullptr) {
      DeleteDC(dc_);
    }
  }
  OwnedDc(const OwnedDc&) = delete;
  OwnedDc& operator=(const OwnedDc&) = delete;

  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A memory DC compatible with the given one (the screen when null), deleted
// with the guard.
class MemoryDc : public OwnedDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : OwnedDc(CreateCompatibleDC(compatibleWith)) {}
};

// A window's client-area DC, released with the guard.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) {
      ReleaseDC(window_, dc_);
    }
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace ondrix
