// Arbitrary settings through DrawGraph: no coordinate near GDI's 2^27 limit,
// pens and background balanced, the error line alone or not at all. The
// settings target also checks that the fast walk lights the plain walk's
// pixels on a raster; the bounded one (ONDRIX_FUZZ_BOUNDED) takes sizes up
// to the tool's largest, whose plain walk is far too long, and runs the fast
// walk alone.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/value_text.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"

using namespace ondrix;

namespace {

void Require(bool condition, const char* rule) {
  if (!condition) {
    std::fprintf(stderr, "DrawGraph: %s\n", rule);
    std::abort();
  }
}

// Passes every call on to the target, if any, and stops passing lines and
// fills on once they would cover `budget` pixels: a raster walks the whole
// length of a line, and a few thousand lines 2^27 pixels long take hours.
class CheckingSurface : public Surface {
 public:
  CheckingSurface(Surface* target, std::int64_t budget) : target_(target), budget_(budget) {}

  void FillRectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                     Color color) override {
    if (Call({l, t, r, b}, std::abs((std::int64_t{r} - l) * (std::int64_t{b} - t)))) {
      target_->FillRectangle(l, t, r, b, color);
    }
  }
  void SelectPen(PenStyle style, Color color) override {
    ++pens_;
    if (Call({})) {
      target_->SelectPen(style, color);
    }
  }
  void RestorePen() override {
    Require(--pens_ >= 0, "a pen restored that was never selected");
    if (Call({})) {
      target_->RestorePen();
    }
  }
  Color SetBackgroundColor(Color color) override {
    Call({});
    std::swap(background_, color);
    return color;
  }
  SurfaceExtent SetViewportExtent(std::int32_t, std::int32_t) override { return {}; }
  SurfacePoint MoveTo(std::int32_t x, std::int32_t y) override {
    position_ = {x, y};
    if (Call({x, y})) {
      target_->MoveTo(x, y);
    }
    return {};
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    const std::int64_t length =
        std::max(std::abs(std::int64_t{x} - position_.x), std::abs(std::int64_t{y} - position_.y));
    position_ = {x, y};
    if (Call({x, y}, length)) {
      target_->LineTo(x, y);
    } else if (target_ != nullptr) {
      target_->MoveTo(x, y);
    }
  }
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override {
    if (Call({x, y}, 1)) {
      target_->SetPixel(x, y, color);
    }
  }
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override {
    Call({x, y});
    Require(text == kGraphErrorText && calls_ == 2, "text other than the error line alone");
    error_ = true;
  }

  bool WithinInk() const { return ink_ <= budget_; }
  void Finish() const {
    Require(pens_ == 0, "a pen left selected");
    Require(background_ == 0x00FFFFFF, "the background colour not restored");
  }

 private:
  // Whether the call goes on to the target.
  bool Call(std::initializer_list<std::int32_t> coordinates, std::int64_t ink = 0) {
    Require(!error_, "something drawn after the error line");
    ++calls_;
    for (const std::int32_t c : coordinates) {
      Require(c > -(1 << 27) && c < (1 << 27), "a coordinate of magnitude 2^27 reaches a surface");
    }
    ink_ = std::min(ink_ + ink, budget_ + 1);
    return target_ != nullptr && WithinInk();
  }

  Surface* target_;
  std::int64_t budget_, ink_ = 0;
  SurfacePoint position_;
  int calls_ = 0, pens_ = 0;
  bool error_ = false;
  Color background_ = 0x00FFFFFF;
};

#ifdef ONDRIX_FUZZ_BOUNDED
constexpr std::int32_t kMaxSide = 32767;
#else
constexpr std::int32_t kMaxSide = 2000;
#endif

}  // namespace

// Sizes, switches, methods (now and then a damaged one), some colours, a
// function name without its NUL, then texts for values picked by index.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider bytes(data, size);
  GraphSettings s = DefaultGraphSettings();
  const std::int32_t width = bytes.ConsumeIntegralInRange<std::int32_t>(0, kMaxSide);
  const std::int32_t height = bytes.ConsumeIntegralInRange<std::int32_t>(0, kMaxSide);
  const auto flags = bytes.ConsumeIntegral<std::uint8_t>();
  s.grid = flags & 1;
  s.sonar = (flags >> 1) & 1;
  const auto methods = bytes.ConsumeIntegral<std::uint8_t>();
  const std::int32_t connections[] = {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION};
  s.graphMethod = flags & 4 ? bytes.ConsumeIntegral<std::int32_t>() : kFunctionMethods[methods % 6];
  s.connectMethod =
      flags & 8 ? bytes.ConsumeIntegral<std::int32_t>() : connections[methods / 6 % 3];
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

  // A stop poll comes every few thousand steps; the walk is abandoned after
  // `polls` of them or once the surface has run out of ink.
  const auto draw = [&](Surface* target, std::int64_t budget, bool plain, int polls) {
    CheckingSurface checking(target, budget);
    DrawOptions options{plain, [&] { return --polls < 0 || !checking.WithinInk(); }};
    const bool finished = DrawGraph(checking, 0, 0, width, height, s, options);
    checking.Finish();
    return finished && checking.WithinInk();
  };
#ifdef ONDRIX_FUZZ_BOUNDED
  draw(nullptr, std::int64_t{1} << 60, false, 200);
#else
  RasterSurface fast(width, height), plain(width, height);
  if (draw(&fast, 4000000, false, 50) && draw(&plain, 4000000, true, 50)) {
    Require(fast.Pixels() == plain.Pixels(), "the fast walk and the plain walk differ");
  }
#endif
  return 0;
}
