// The graph as a file: the window's picture encoded as PNG (through the
// Windows Imaging Component), SVG or EMF, written whole or not at all.
#pragma once

#include <windows.h>

#include <string>

#include "app/graph_picture_win.h"
#include "model/save_names.h"

namespace ondrix {

// The caption of the Save dialog and of every message about a save.
constexpr char kSaveGraphCaption[] = "Save Graph As";

// Saves the picture as `path` in `format` through a temporary file in the
// path's folder, moved over the target only once complete. A failure gets
// a message box captioned "Save Graph As" with the system's reason, and
// leaves any old file and the folder as they were. False on failure.
bool SaveGraphFile(HWND owner, const std::string& path, SaveFormat format,
                   const GraphPicture& picture);

}  // namespace ondrix
