#include "app/view_input_win.h"

#include "state/app_state_win.h"

namespace ondrix {

namespace {

// A refused step: the graph would become undrawable or its ends could not
// be told apart.
void RefuseStep() {
  MessageBeep(MB_ICONEXCLAMATION);
}

}  // namespace

bool ViewInput::Step(HWND window, bool accepted, const GraphSettings& next) {
  if (!accepted) {
    RefuseStep();
    return false;
  }
  history_.RecordStep(currentSettings, next);
  currentSettings = next;
  ReflectSettings(window);
  return true;
}

// Shift zooms x alone and Ctrl y alone; with both, or neither, both axes.
void ViewInput::OnWheel(HWND window, ViewSize size, POINT point, int delta, WPARAM keys,
                        DWORD time) {
  const int notches = wheel_.Add(delta);
  if (notches == 0) {
    return;
  }
  const bool shift = (keys & MK_SHIFT) != 0;
  const bool control = (keys & MK_CONTROL) != 0;
  const double factor = WheelZoomFactor(notches);
  GraphSettings next = currentSettings;
  if (!ZoomAboutPixel(next, size, point.x, point.y, control && !shift ? 1 : factor,
                      shift && !control ? 1 : factor)) {
    wheel_.Clear();
    RefuseStep();
    return;
  }
  history_.RecordWheelNotch(currentSettings, next, time);
  currentSettings = next;
  ReflectSettings(window);
}

void ViewInput::OnButtonDown(HWND window, POINT point) {
  SetCapture(window);
  drag_ = Drag{point, currentSettings, false};
}

// Each move pans by what the pointer went since the graph last moved, so a
// refused move is made up by the next that is accepted.
void ViewInput::OnMouseMove(HWND window, ViewSize size, POINT point) {
  if (!drag_ || GetCapture() != window) {
    return;
  }
  const std::int32_t dx = point.x - drag_->last.x;
  const std::int32_t dy = point.y - drag_->last.y;
  if (dx == 0 && dy == 0) {
    return;
  }
  GraphSettings next = currentSettings;
  if (!PanByPixels(next, size, dx, dy)) {
    // Once a drag: a beep at every move would be noise.
    if (!drag_->refused) {
      RefuseStep();
    }
    drag_->refused = true;
    return;
  }
  drag_->last = point;
  currentSettings = next;
  ReflectSettings(window);
}

void ViewInput::OnButtonUp() const {
  if (drag_) {
    ReleaseCapture();
  }
}

void ViewInput::OnCaptureLost() {
  if (drag_) {
    history_.RecordStep(drag_->before, currentSettings);
    drag_.reset();
  }
}

// The view goes the arrow's way: the graph moves the other.
bool ViewInput::OnKey(HWND window, ViewSize size, WPARAM key) {
  const std::int32_t across = KeyPanPixels(size.right - 1);
  const std::int32_t down = KeyPanPixels(size.bottom - 1);
  std::int32_t dx = 0;
  std::int32_t dy = 0;
  switch (key) {
    case VK_LEFT:
      dx = across;
      break;
    case VK_RIGHT:
      dx = -across;
      break;
    case VK_UP:
      dy = down;
      break;
    case VK_DOWN:
      dy = -down;
      break;
    default:
      return false;
  }
  GraphSettings next = currentSettings;
  Step(window, PanByPixels(next, size, dx, dy), next);
  return true;
}

bool ViewInput::OnCommand(HWND window, ViewSize size, int command) {
  GraphSettings next = currentSettings;
  switch (command) {
    case CM_ZOOM_IN:
      Step(window, ZoomAboutCentre(next, size, kKeyZoomFactor), next);
      return true;
    case CM_ZOOM_OUT:
      Step(window, ZoomAboutCentre(next, size, 1 / kKeyZoomFactor), next);
      return true;
    case CM_VIEW_BACK:
      if (history_.Back(currentSettings)) {
        ReflectSettings(window);
      } else {
        MessageBeep(MB_OK);
      }
      return true;
    case CM_RESET_VIEW:
      if (history_.Reset(currentSettings)) {
        ReflectSettings(window);
      }
      return true;
    default:
      return false;
  }
}

void ViewInput::OnSettingsApplied(const GraphSettings& before) {
  history_.RecordPropertiesApplied(before, currentSettings);
}

}  // namespace ondrix
