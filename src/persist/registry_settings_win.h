// Settings, window placement and the colour chooser's custom colours in the
// current user's registry hive.
#pragma once

#include <windows.h>

#include "model/graph_settings.h"

namespace ondrix {

// Defaults first, then whatever the settings key holds; brings the menu
// check marks, the caption and the window placement into line and marks the
// cached graph stale. Needs appInstance and graphMenu, and a cleared
// functionName.
void LoadSettings(GraphSettings& settings, HWND window);

// Restores the window to its normal size and writes the placement and the
// settings to the settings key.
void SaveSettings(const GraphSettings& settings, HWND window);

// The sixteen custom colours of the colour chooser; defaults when nothing is
// stored.
void LoadCustomColors(COLORREF colors[16]);
void SaveCustomColors(const COLORREF colors[16]);

}  // namespace ondrix
