// Copy Graph's hand-over to the clipboard.
#pragma once

#include <windows.h>

namespace ondrix {

// Puts the bitmap on the clipboard as a 24-bit bottom-up DIB, owned by
// `owner`. A busy clipboard gets a message box; a block that cannot be had,
// a beep; either way the clipboard stays as it was.
void CopyBitmapToClipboard(HWND owner, HBITMAP bitmap, LONG width, LONG height);

}  // namespace ondrix
