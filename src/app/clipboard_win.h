// Copy Graph's hand-over to the clipboard.
#pragma once

#include <windows.h>

#include "app/graph_picture_win.h"

namespace ondrix {

// Puts the picture on the clipboard, owned by `owner`, as a 24-bit
// bottom-up DIB and as an enhanced metafile of the same drawing, which
// scales where it is pasted. A busy clipboard gets a message box; memory
// that cannot be had, a beep; either way the clipboard stays as it was.
void CopyGraphToClipboard(HWND owner, const GraphPicture& picture);

}  // namespace ondrix
