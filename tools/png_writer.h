// Writes a raster surface as an 8-bit RGB PNG file.
#pragma once

#include <string>

#include "render/raster_surface.h"

namespace ondrix {

// False, with a message in `error`, when the file cannot be written or this
// build has no PNG support.
bool WritePng(const std::string& path, const RasterSurface& surface, std::string& error);

}  // namespace ondrix
