// The surface that draws with GDI on a device context: the screen's memory
// DC and the printer's DC.
#pragma once

#include <windows.h>

// <windows.h> maps TextOut to TextOutA; the surface's method keeps its own
// name in every translation unit, so the two must not meet.
#undef TextOut

#include <vector>

#include "render/draw_graph.h"
#include "render/gdi_objects_win.h"
#include "render/surface.h"

namespace ondrix {

class GdiSurface : public Surface {
 public:
  explicit GdiSurface(HDC dc);
  // Selects back the pens still selected and deletes them.
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  void FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                     Color color) override;
  void SelectPen(PenStyle style, Color color) override;
  void RestorePen() override;
  Color SetBackgroundColor(Color color) override;
  SurfaceExtent SetViewportExtent(std::int32_t cx, std::int32_t cy) override;
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override;
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;

 private:
  struct SelectedPen {
    OwnedPen pen;
    HGDIOBJ previous;
  };

  HDC dc_;
  std::vector<SelectedPen> pens_;
};

// The entry the main window and the print thread use.
bool DrawGraph(HDC dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
               const GraphSettings& settings, const DrawOptions& options = {});

}  // namespace ondrix
