// The window's finished image of the graph with the settings it was drawn
// from: what Copy Graph and Save Graph As hand on.
#pragma once

#include <windows.h>

#include "model/graph_settings.h"

namespace ondrix {

struct GraphPicture {
  HBITMAP bitmap;  // in the screen's format, selected nowhere
  LONG width;
  LONG height;
  const GraphSettings& settings;
};

}  // namespace ondrix
