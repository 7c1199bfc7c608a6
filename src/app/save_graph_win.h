// Save Graph As: the system's Save dialog, and the window's picture saved
// in the format its name means.
#pragma once

#include <windows.h>

#include "app/graph_image_win.h"
#include "model/save_names.h"

namespace ondrix {

// Asks for a name, offering the folder and type of `choice` and the
// function's name, and saves the picture the window shows (once its
// drawing is done, if it is under way). The choice made is kept in
// `choice`; Cancel changes nothing.
void SaveGraphAs(HWND window, GraphImage& image, SaveChoice& choice);

}  // namespace ondrix
