#include "app/clipboard_win.h"

#include <cstring>

#include "model/dib_layout.h"
#include "render/gdi_objects_win.h"
#include "render/graph_metafile_win.h"
#include "state/app_state_win.h"
#include "state/owned_handles_win.h"

namespace ondrix {
namespace {

constexpr char kClipboardBusyText[] =
    "The clipboard is in use by another program; try again in a moment.";

// The bitmap as a 24-bit bottom-up DIB in a movable block; empty when the
// block cannot be had.
OwnedGlobal MakeDib(HWND owner, HBITMAP bitmap, LONG width, LONG height) {
  const std::size_t stride = DibRowSize(static_cast<std::size_t>(width));
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(height));
  OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, sizeof header + header.biSizeImage));
  auto* bytes = block ? static_cast<BYTE*>(GlobalLock(block.Get())) : nullptr;
  if (bytes == nullptr) {
    return OwnedGlobal();
  }
  std::memcpy(bytes, &header, sizeof header);
  WindowDc windowDc(owner);
  const int rows =
      GetDIBits(windowDc.Get(), bitmap, 0, static_cast<UINT>(height), bytes + sizeof header,
                reinterpret_cast<BITMAPINFO*>(bytes), DIB_RGB_COLORS);
  GlobalUnlock(block.Get());
  return rows == height ? std::move(block) : OwnedGlobal();
}

}  // namespace

void CopyGraphToClipboard(HWND owner, const GraphPicture& picture) {
  OwnedGlobal dib = MakeDib(owner, picture.bitmap, picture.width, picture.height);
  OwnedMetafile metafile =
      RecordGraphMetafile(picture.settings, picture.width, picture.height, picture.options);
  if (!dib || !metafile) {
    MessageBeep(MB_ICONHAND);
    return;
  }
  if (!OpenClipboard(owner)) {
    WarnUser(owner, kClipboardBusyText, "Copy Graph", MB_OK);
    return;
  }
  EmptyClipboard();
  // The clipboard owns each once it has taken it.
  if (SetClipboardData(CF_DIB, dib.Get()) != nullptr) {
    dib.Release();
  }
  if (SetClipboardData(CF_ENHMETAFILE, metafile.Get()) != nullptr) {
    metafile.Release();
  }
  CloseClipboard();
}

}  // namespace ondrix
