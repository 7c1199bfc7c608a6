#include "render/gdi_surface_win.h"

#include <climits>
#include <utility>

#include "render/draw_graph.h"

namespace ondrix {
namespace {

int GdiPenStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Dot:
      return PS_DOT;
    case PenStyle::Dash:
      return PS_DASH;
    case PenStyle::Solid:
      break;
  }
  return PS_SOLID;
}

}  // namespace

GdiSurface::GdiSurface(HDC dc) : dc_(dc) {}

GdiSurface::~GdiSurface() {
  while (!pens_.empty()) {
    RestorePen();
  }
}

void GdiSurface::FillRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom, Color color) {
  const OwnedBrush brush(CreateSolidBrush(color));
  const OwnedPen pen(CreatePen(PS_SOLID, 1, color));
  const SelectionGuard brushSelection(dc_, brush.Get());
  const SelectionGuard penSelection(dc_, pen.Get());
  Rectangle(dc_, left, top, right, bottom);
}

void GdiSurface::SelectPen(PenStyle style, Color color) {
  // A pen that cannot be made leaves the current one selected; the entry
  // still pairs with its RestorePen.
  OwnedPen pen(CreatePen(GdiPenStyle(style), 1, color));
  const HGDIOBJ previous = pen ? SelectObject(dc_, pen.Get()) : nullptr;
  pens_.push_back(SelectedPen{std::move(pen), previous});
}

void GdiSurface::RestorePen() {
  if (pens_.empty()) {
    return;
  }
  // The pen is deleted when `selected` goes, after it was deselected.
  const SelectedPen selected = std::move(pens_.back());
  pens_.pop_back();
  if (selected.previous != nullptr && selected.previous != HGDI_ERROR) {
    SelectObject(dc_, selected.previous);
  }
}

Color GdiSurface::SetBackgroundColor(Color color) {
  return SetBkColor(dc_, color);
}

SurfaceExtent GdiSurface::SetViewportExtent(std::int32_t cx, std::int32_t cy) {
  SIZE previous{1, 1};
  SetViewportExtEx(dc_, cx, cy, &previous);
  return SurfaceExtent{previous.cx, previous.cy};
}

SurfacePoint GdiSurface::MoveTo(std::int32_t x, std::int32_t y) {
  POINT previous{0, 0};
  MoveToEx(dc_, x, y, &previous);
  return SurfacePoint{previous.x, previous.y};
}

void GdiSurface::LineTo(std::int32_t x, std::int32_t y) {
  ::LineTo(dc_, x, y);
}

void GdiSurface::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  SetPixelV(dc_, x, y, color);
}

void GdiSurface::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  const int length =
      text.size() < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(text.size()) : INT_MAX;
  TextOutA(dc_, x, y, text.data(), length);
}

bool DrawGraph(HDC dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
               const GraphSettings& settings, const DrawOptions& options) {
  GdiSurface surface(dc);
  return DrawGraph(surface, left, top, right, bottom, settings, options);
}

}  // namespace ondrix
