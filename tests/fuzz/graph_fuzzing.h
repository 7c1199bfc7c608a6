// Shared by the DrawGraph fuzz targets: a settings record read from the
// fuzzer's bytes, and a surface that checks what the renderer hands it.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/value_text.h"
#include "render/draw_graph.h"

namespace ondrix {
namespace fuzzing {

inline void Require(bool condition, const char* rule) {
  if (!condition) {
    std::fprintf(stderr, "DrawGraph: %s\n", rule);
    std::abort();
  }
}

struct Input {
  GraphSettings settings;
  std::int32_t width;
  std::int32_t height;
};

// Sizes, switches, methods (now and then a damaged one), some colours, a
// function name without its NUL, then texts for values picked by index.
inline Input ReadInput(const std::uint8_t* data, std::size_t size, std::int32_t maxSide) {
  FuzzedDataProvider bytes(data, size);
  Input input{DefaultGraphSettings(), 0, 0};
  GraphSettings& s = input.settings;
  input.width = bytes.ConsumeIntegralInRange<std::int32_t>(0, maxSide);
  input.height = bytes.ConsumeIntegralInRange<std::int32_t>(0, maxSide);
  const auto flags = bytes.ConsumeIntegral<std::uint8_t>();
  s.grid = flags & 1;
  s.sonar = (flags >> 1) & 1;
  const auto methods = bytes.ConsumeIntegral<std::uint8_t>();
  s.graphMethod = kFunctionMethods[methods % 6];
  const std::int32_t connections[] = {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION};
  s.connectMethod = connections[(methods / 6) % 3];
  if (flags & 4) {
    s.graphMethod = bytes.ConsumeIntegral<std::int32_t>();
  }
  if (flags & 8) {
    s.connectMethod = bytes.ConsumeIntegral<std::int32_t>();
  }
  for (int i = 0; i < kColorCount; ++i) {
    if ((flags & 16) && bytes.ConsumeBool()) {
      s.colors[i] = bytes.ConsumeIntegral<Color>();
    }
  }
  if (flags & 32) {
    std::memset(s.functionName, 'F', sizeof s.functionName);
  }
  while (bytes.remaining_bytes() > 0) {
    const int index = bytes.ConsumeIntegralInRange(0, kValueCount - 1);
    SetValueText(s.valueTexts[index], bytes.ConsumeRandomLengthString(kMaxValueTextLength));
  }
  ParseValueTexts(s);
  return input;
}

// Passes every call on (to nothing, when there is no target) and aborts on a
// coordinate near GDI's 2^27 limit, a pen restored that was never selected,
// or an error line that is not the only thing drawn on the background.
// Lines and fills stop reaching the target once they would cover `ink`
// pixels: a raster walks the whole length of a line, and a few thousand
// lines 2^27 pixels long take hours.
class CheckingSurface : public Surface {
 public:
  explicit CheckingSurface(Surface* target, std::int64_t ink = std::int64_t{1} << 60)
      : target_(target), budget_(ink) {}

  void FillRectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                     Color color) override {
    Call({l, t, r, b});
    if (Inks(std::abs((std::int64_t{r} - l) * (std::int64_t{b} - t)))) {
      target_->FillRectangle(l, t, r, b, color);
    }
  }
  void SelectPen(PenStyle style, Color color) override {
    Call({});
    ++pens_;
    if (target_ != nullptr) {
      target_->SelectPen(style, color);
    }
  }
  void RestorePen() override {
    Call({});
    Require(--pens_ >= 0, "a pen restored that was never selected");
    if (target_ != nullptr) {
      target_->RestorePen();
    }
  }
  Color SetBackgroundColor(Color color) override {
    Call({});
    const Color previous = background_;
    background_ = color;
    if (target_ != nullptr) {
      target_->SetBackgroundColor(color);
    }
    return previous;
  }
  SurfaceExtent SetViewportExtent(std::int32_t, std::int32_t) override { return {}; }
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override {
    Call({x, y});
    position_ = {x, y};
    if (target_ != nullptr) {
      target_->MoveTo(x, y);
    }
    return {};
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    Call({x, y});
    const std::int64_t length =
        std::max(std::abs(std::int64_t{x} - position_.x), std::abs(std::int64_t{y} - position_.y));
    position_ = {x, y};
    if (Inks(length)) {
      target_->LineTo(x, y);
    } else if (target_ != nullptr) {
      target_->MoveTo(x, y);
    }
  }
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override {
    Call({x, y});
    if (Inks(1)) {
      target_->SetPixel(x, y, color);
    }
  }
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override {
    Call({x, y});
    Require(text == kGraphErrorText && calls_ == 2, "text other than the error line alone");
    error_ = true;
    if (target_ != nullptr) {
      target_->TextOut(x, y, text);
    }
  }

  // Whether every line and fill so far reached the target.
  bool WithinInk() const { return ink_ <= budget_; }

  // After DrawGraph: every pen restored, the background colour given back.
  void Finish() const {
    Require(pens_ == 0, "a pen left selected");
    Require(background_ == kInitialBackground, "the background colour not restored");
  }

 private:
  static constexpr Color kInitialBackground = 0x00FFFFFF;

  void Call(std::initializer_list<std::int32_t> coordinates) {
    Require(!error_, "something drawn after the error line");
    ++calls_;
    for (const std::int32_t c : coordinates) {
      Require(c > -(1 << 27) && c < (1 << 27), "a coordinate of magnitude 2^27 reaches a surface");
    }
  }

  bool Inks(std::int64_t pixels) {
    ink_ = std::min(ink_ + pixels, budget_ + 1);
    return target_ != nullptr && WithinInk();
  }

  Surface* target_;
  std::int64_t budget_;
  std::int64_t ink_ = 0;
  SurfacePoint position_;
  int calls_ = 0;
  int pens_ = 0;
  bool error_ = false;
  Color background_ = kInitialBackground;
};

// A stop poll that abandons a walk after `polls` questions (a few thousand
// steps each) or once the surface has run out of ink.
inline std::function<bool()> StopAfter(int polls, const CheckingSurface& surface) {
  return [polls, &surface]() mutable { return --polls < 0 || !surface.WithinInk(); };
}

}  // namespace fuzzing
}  // namespace ondrix
