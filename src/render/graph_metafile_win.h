// The graph as an enhanced metafile: the GDI calls that draw the window's
// image, recorded rather than drawn, for files and the clipboard.
#pragma once

#include <windows.h>

#include <cstdint>

#include "model/graph_settings.h"
#include "render/gdi_surface_win.h"  // DrawOptions, with TextOut kept as the surface's

namespace ondrix {

// An enhanced metafile, deleted with the owner unless Release() hands it on
// (to the clipboard).
class OwnedMetafile {
 public:
  explicit OwnedMetafile(HENHMETAFILE metafile = nullptr) : metafile_(metafile) {}
  ~OwnedMetafile() {
    if (metafile_ != nullptr) {
      DeleteEnhMetaFile(metafile_);
    }
  }
  OwnedMetafile(const OwnedMetafile&) = delete;
  OwnedMetafile& operator=(const OwnedMetafile&) = delete;
  OwnedMetafile(OwnedMetafile&& other) noexcept : metafile_(other.Release()) {}

  HENHMETAFILE Get() const { return metafile_; }
  explicit operator bool() const { return metafile_ != nullptr; }
  HENHMETAFILE Release() {
    HENHMETAFILE metafile = metafile_;
    metafile_ = nullptr;
    return metafile;
  }

 private:
  HENHMETAFILE metafile_;
};

// What DrawGraph draws on a width x height surface, in its pixels, framed as
// that size at the screen's resolution. Played back into a rectangle of that
// size it is the window's image, pixel for pixel. Empty on failure.
OwnedMetafile RecordGraphMetafile(const GraphSettings& settings, std::int32_t width,
                                  std::int32_t height, const DrawOptions& options = {});

}  // namespace ondrix
