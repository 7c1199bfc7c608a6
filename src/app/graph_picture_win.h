// The window's finished image of the graph with the settings it was drawn
// from and how: what Copy Graph and Save Graph As hand on.
#pragma once

#include <windows.h>

#include "model/graph_settings.h"
#include "render/gdi_surface_win.h"  // DrawOptions, with TextOut kept as the surface's

namespace ondrix {

struct GraphPicture {
  HBITMAP bitmap;  // in the screen's format, selected nowhere
  LONG width;
  LONG height;
  const GraphSettings& settings;
  // The axis numbers and their scale the image was drawn with.
  DrawOptions options = {};
};

}  // namespace ondrix
