// The state a device context keeps between drawing calls, as the surfaces
// that stand in for GDI keep it.
#pragma once

#include <vector>

#include "render/surface.h"

namespace ondrix {

class DcState {
 public:
  struct Pen {
    PenStyle style;
    Color color;
  };

  // A fresh DC: black solid pen, white background colour, position (0, 0).
  const Pen& CurrentPen() const { return pen_; }
  Color Background() const { return background_; }
  SurfacePoint Position() const { return position_; }

  void SelectPen(PenStyle style, Color color) {
    stack_.push_back(pen_);
    pen_ = Pen{style, color};
  }

  // Nothing when no pen was selected.
  void RestorePen() {
    if (!stack_.empty()) {
      pen_ = stack_.back();
      stack_.pop_back();
    }
  }

  // Returns the previous colour.
  Color SetBackground(Color color) {
    const Color previous = background_;
    background_ = color;
    return previous;
  }

  // Returns the previous position.
  SurfacePoint MoveTo(SurfacePoint point) {
    const SurfacePoint previous = position_;
    position_ = point;
    return previous;
  }

 private:
  std::vector<Pen> stack_;
  Pen pen_{PenStyle::Solid, 0};
  Color background_ = 0x00FFFFFF;
  SurfacePoint position_;
};

}  // namespace ondrix
