#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <regex>
#include <string>

#include "model/drawability.h"
#include "model/evaluation.h"
#include "model/number_text.h"
#include "model/pointer_readout.h"
#include "model/value_text.h"
#include "model/view.h"
#include "model/view_history.h"

namespace ondrix {
namespace {

constexpr GraphValue kFields[6] = {MinimumX, MaximumX, XTickFrequency,
                                   MinimumY, MaximumY, YTickFrequency};

std::string Texts(const GraphSettings& s, int first = 0, int count = 6) {
  std::string text;
  for (int i = first; i < first + count; ++i)
    text += std::string(s.valueTexts[kFields[i]]) + " ";
  return text;
}

GraphSettings With(GraphSettings s, const std::vector<std::pair<GraphValue, std::string>>& texts) {
  for (const auto& [field, text] : texts)
    SetValueText(s.valueTexts[field], text);
  ParseValueTexts(s);
  return s;
}

TEST(NumberText, ShortestExactTexts) {
  // clang-format off
  const struct { double low, high; bool pi; const char* text; } cases[] = {  // exact where high is 0
      {0.5, 0, 0, "0.5"}, {12, 0, 0, "12"}, {1e20, 0, 0, "1e20"}, {-1.5e-7, 0, 0, "-1.5e-7"}, {-0.0, 0, 0, "0"},
      {123456789012.5, 0, 0, "123456789012.5"}, {1e-4, 0, 0, "1e-4"}, {0.1, 0, 1, "0.1"}, {kPi, 0, 1, "p"},
      {-kPi, 0, 1, "-1p"}, {2 * kPi, 0, 1, "2p"}, {kPi / 2, 0, 1, "0.5p"}, {0, 0, 1, "0p"}, {kPi * 1e-9, 0, 1, "1e-9p"},
      {0.26179938779914935, 0, 1, "0.0833333333333333p"}, {kPi / 12, 0, 1, "0.08333333333333333p"},
      {-5.51, -5.49, 0, "-5.5"}, {0.95 * kPi, 0.97 * kPi, 1, "0.95p"}, {-1, 2, 0, "0"}, {-1, 2, 1, "0p"},
      {2.5, 2.4, 0, ""}, {3, 3.2, 1, "p"}, {1.2345, 1.2346, 0, "1.2345"}, {0.1, 0.1, 1, ""}, {1.41, 1.56, 0, "1.5"}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(c.high ? ShortestTextWithin(c.low, c.high, c.pi) : ShortestExactText(c.low, c.pi),
              c.text)
        << c.low << " " << c.high;
  }
  // Over the whole range, against the parser and the library's shortest round trip ("1e+20",
  // never shorter than ours); m * pi has m's "p" form.
  auto libraryLength = [](double value, char* buffer) {
    return static_cast<std::size_t>(std::to_chars(buffer, buffer + 64, value).ptr - buffer);
  };
  std::mt19937_64 random(17);
  for (int i = 0; i < 4000; ++i) {
    double value = std::ldexp(random() >> 11, static_cast<int>(random() % 80) - 90);
    const std::uint64_t bits = random();
    if (i % 2)
      std::memcpy(&value, &bits, sizeof value);
    const double multiple = value / 1e200 * kPi;
    const std::string plain = ShortestExactText(value, false),
                      pi = ShortestExactText(multiple, true);
    const GraphSettings s = With(DefaultGraphSettings(), {{MinimumX, plain}, {MaximumX, pi}});
    char buffer[64];
    ASSERT_TRUE(!std::isfinite(value) ||
                (s.values[MinimumX] == value && s.values[MaximumX] == multiple &&
                 Texts(s, 0, 2) == plain + " " + pi + " " && IsPiText(pi) &&
                 plain.size() <= libraryLength(value, buffer) &&
                 pi.size() <= libraryLength(value / 1e200, buffer) + 1u))
        << plain << " " << pi;
  }
}

TEST(NumberText, AxisLabelsDisplayNumbersAndThePointerReadout) {
  const double twelfth = ReadValueText(".0833333333333333p");  // not exactly pi/12
  // clang-format off
  const struct { double step; bool pi; const char* labels; } cases[] = {  // k * step, k from -3 on
      {twelfth * 6, 1, "−3π/2 −π −π/2 0 π/2 π 3π/2 2π "}, {twelfth, 1, "−π/4 −π/6 −π/12 0 π/12 π/6 π/4 π/3 "},
      {twelfth * 5, 1, "−5π/4 −5π/6 −5π/12 0 5π/12 "}, {1e6 * kPi, 1, "−3e+6π −2e+6π −1e+6π 0 1e+6π "},
      {0.2 * kPi, 1, "−0.6π −0.4π −0.2π 0 0.2π 0.4π 0.6π 0.8π π "}, {0.1, 0, "−0.3 −0.2 −0.1 0 0.1 0.2 0.3 "},
      {0.3 * kPi, 1, "−0.9π −0.6π −0.3π 0 0.3π 0.6π 0.9π 1.2π 1.5π "},
      {0.125, 0, "−0.375 −0.25 −0.125 0 0.125 0.25 0.375 0.5 "}, {5e5, 0, "−1.5e+6 −1e+6 −500000 0 500000 1e+6 "},
      {2e-6, 0, "−6e−6 −4e−6 −2e−6 0 2e−6 "}, {twelfth, 0, "−0.79 −0.52 −0.26 0 0.26 0.52 "}, {kPi / 96, 1, "−π/32 −π/48 −π/96 0 π/96 π/48 "}};
  // clang-format on
  for (const auto& c : cases) {
    std::string labels;
    for (int k = -3; labels.size() < std::strlen(c.labels); ++k)
      labels += AxisLabelText(k * c.step, c.step, c.pi) + " ";
    EXPECT_EQ(labels, c.labels);
  }
  EXPECT_EQ(DisplayNumberText(1234567.25, 0.1) + " " + DisplayNumberText(0.05, 0.09999999999999999),
            "1234567.3 0.05");
  // Over many steps: neighbours differ, only the font's glyphs, no "1π" or "−0".
  const std::regex glyphs("(π|−|[0-9.e+/])+"), wrong("−0|(−|^)1π.*|.*\\.0π.*");
  std::mt19937_64 random(3);
  for (int i = 0; i < 2000; ++i) {
    const double step = std::pow(10.0, std::uniform_real_distribution<>(-9, 9)(random)) *
                        (i % 4 == 1 ? kPi / 12 : 1.0);
    const long long first = static_cast<long long>(random() % 2000) - 1000;
    for (long long k = first; k < first + 30; ++k) {
      const std::string label = AxisLabelText(k * step, step, i % 2);
      EXPECT_TRUE(std::regex_match(label, glyphs) && !std::regex_match(label, wrong) &&
                  label != AxisLabelText((k + 1) * step, step, i % 2))
          << label;
    }
  }
  GraphSettings s = DefaultGraphSettings();  // the pointer's readout
  // clang-format off
  const std::pair<std::int32_t, const char*> readouts[] = {{400, "x = 1.58 (π/2)   y = −0.01   f(x) = 1"},
      {401, "x = 1.6 (0.509π)   y = −0.01   f(x) = 1"}, {250, "x = −1.37 (−0.436π)   y = −0.01   f(x) = −0.98"}};
  // clang-format on
  for (const auto& [column, text] : readouts)
    EXPECT_EQ(PointerReadoutText(s, {800, 600}, column, 300), text);
  EXPECT_EQ(PointerReadoutText(s, {1, 600}, 0, 300) + PointerReadoutText(s, {800, 1}, 0, 0), "");
  EXPECT_EQ(PointerReadoutText(With(s, {{XTickFrequency, "0.25"}}), {800, 600}, 400, 300),
            "x = 1.58   y = −0.01   f(x) = 1");
  s.graphMethod = CM_TANGENT;
  s.connectMethod = CM_NO_CONNECTION;
  s = With(s, {{MinimumX, "-1p"}, {MaximumX, "1p"}});
  EXPECT_EQ(PointerReadoutText(s, {801, 600}, 600, 0),
            "x = 1.571 (π/2)   y = 4   f(x) = undefined");
}

// Drawable ranges of any width and place, in texts of 1 to 17 digits, plain or "p".
GraphSettings RandomSettings(std::mt19937_64& random) {
  std::uniform_real_distribution<> unit(0, 1);
  for (GraphSettings s = DefaultGraphSettings();;) {
    s.connectMethod = random() % 4 ? CM_CONNECTED_DOTS : CM_NO_CONNECTION;
    const double width = std::pow(10.0, unit(random) * 14 - 9), shift = unit(random) - 0.5;
    const double centre = shift * width * std::pow(10.0, unit(random) * 6);
    const double values[3] = {centre - width / 2, centre + width / 2, width / (2 + shift * 600)};
    for (int i = 0; i < 6; ++i) {
      const bool pi = random() % 2;
      char text[40] = {};
      std::to_chars(text, text + 30, values[i % 3] / (pi ? kPi : 1), std::chars_format::general,
                    1 + random() % 17);
      SetValueText(s.valueTexts[kFields[i]], std::string(text) + (pi ? "p" : ""));
    }
    ParseValueTexts(s);
    if (IsDrawable(s, 1999))
      return s;
  }
}

double GridPixels(const GraphSettings& s, std::int32_t extent, int axis) {
  const double* v = s.values + (axis ? MinimumY : MinimumX);
  return v[2] * extent / (v[1] - v[0]);
}

// 1, 2 or 5 times a power of ten; in "p", pi times those, 1/6, 1/4, or 1/12 halved.
bool IsNice(const GraphSettings& s, GraphValue field) {
  const bool pi = IsPiText(s.valueTexts[field]);
  const double m = s.values[field] / (pi ? kPi : 1), twelfths = std::log2(1 / (12 * m));
  const double mantissa = m / std::pow(10.0, std::floor(std::log10(m) + 1e-9));
  auto close = [](double a, double b) { return std::fabs(a - b) < 1e-9; };
  return close(mantissa, 1) || close(mantissa, 2) || close(mantissa, 5) ||
         (pi && (close(m, 0.25) || close(m, 1.0 / 6) || close(twelfths, std::round(twelfths))));
}

TEST(View, ZoomKeepsThePointUnderThePixelAndPanMovesByExactlyThePixels) {
  std::mt19937_64 random(42);
  const double factors[] = {1, 1.25, 0.8, 2, 0.5, 1.953125, 1e-3, 1e4};
  int zooms = 0, pans = 0;
  // Every text reads back as its value, fits its field and keeps its "p".
  auto expectExactTexts = [](const GraphSettings& before, const GraphSettings& after) {
    const GraphSettings reparsed = With(after, {});
    EXPECT_EQ(std::memcmp(&reparsed, &after, sizeof after), 0) << Texts(after);
    for (const GraphValue field : kFields) {
      EXPECT_TRUE(std::strlen(after.valueTexts[field]) <= 49u &&
                  IsPiText(after.valueTexts[field]) == IsPiText(before.valueTexts[field]))
          << Texts(after);
    }
  };
  for (int i = 0; i < 3000; ++i) {
    const GraphSettings before = RandomSettings(random);
    const ViewSize size{2 + static_cast<std::int32_t>(random() % 1999),
                        2 + static_cast<std::int32_t>(random() % 1500)};
    const std::int32_t w = size.right - 1, h = size.bottom - 1;
    const std::int32_t column = random() % size.right, row = random() % size.bottom;
    const double f[2] = {factors[random() % 8], i % 3 ? factors[random() % 8] : 1.25};
    GraphSettings after = before;
    if (ZoomAboutPixel(after, size, column, row, f[0], f[1])) {
      ++zooms;
      ASSERT_EQ(MapXToPixel(PixelToX(column, w, before), w, after), column) << Texts(before);
      ASSERT_EQ(MapYToPixel(RowToY(row, h, before), h, after), row) << Texts(before);
      expectExactTexts(before, after);
      for (int axis = 0; axis < 2; ++axis) {
        const double pixels = GridPixels(after, axis ? h : w, axis);
        EXPECT_TRUE(f[axis] == 1 ? Texts(after, axis * 3, 3) == Texts(before, axis * 3, 3)
                                 : pixels >= 8 && pixels <= 200)
            << Texts(after) << pixels;
      }
    } else {
      EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0) << "refused but changed";
    }
    const std::int32_t dx = static_cast<std::int32_t>(random() % 4001) - 2000;
    const std::int32_t dy = i % 4 ? static_cast<std::int32_t>(random() % 1201) - 600 : 0;
    after = before;
    if (!PanByPixels(after, size, dx, dy)) {
      EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0) << "refused but changed";
      continue;
    }
    ++pans;
    expectExactTexts(before, after);
    EXPECT_EQ(Texts(after, 2, 1) + Texts(after, 5, 1), Texts(before, 2, 1) + Texts(before, 5, 1));
    for (std::int32_t k = 0; k < 8; ++k) {
      ASSERT_EQ(MapXToPixel(PixelToX(k * w / 7, w, before), w, after), k * w / 7 + dx);
      ASSERT_EQ(MapYToPixel(RowToY(k * h / 7, h, before), h, after), k * h / 7 + dy);
    }
    const auto shift = PanShift(before, after, size);  // where the last image is shown meanwhile
    EXPECT_TRUE(shift && shift->dx == dx && shift->dy == dy) << Texts(before) << dx << " " << dy;
  }
  EXPECT_TRUE(zooms > 2000 && pans > 2500) << zooms << " zooms, " << pans << " pans";
}

// Wheel zooms from the default graph, in and then out to the limits.
TEST(View, SpacingStaysInTheBandAndRefusalsComeAtTheLimits) {
  const ViewSize size{800, 600};
  GraphSettings settings = DefaultGraphSettings(), out = settings;
  ASSERT_TRUE(ZoomAboutCentre(settings, size, 1.25));  // the default lies in the band
  EXPECT_EQ(Texts(settings), "-1.5p 2.5p .0833333333333333p -3.2 3.2 1 ");
  ASSERT_TRUE(ZoomAboutCentre(out, size, 0.5));  // 6.6 pixels: pi/6, nearest the 13 before
  EXPECT_EQ(Texts(out), "-4.5p 5.5p 0.16666666666666665p -8 8 1 ");
  ASSERT_TRUE(ZoomAboutCentre(out, size, 8));  // y 300 pixels: 0.1, nearest the 37 before
  EXPECT_EQ(Texts(out), "-0.125p 1.125p 0.16666666666666665p -1 1 0.1 ");
  // In about the origin, down to where spacings would be subnormal.
  settings.connectMethod = CM_NO_CONNECTION;
  std::mt19937_64 random(5);
  for (const double direction : {1, -1}) {
    int steps = 0;
    for (GraphSettings before = settings; steps < 2000; ++steps, before = settings) {
      const double factor = std::pow(1.25, direction * (1 + random() % 6));
      const double column = direction > 0 ? MapXToPixel(0, 799, settings) : random() % 800;
      const double row = direction > 0 ? MapYToPixel(0, 599, settings) : random() % 600;
      if (!ZoomAboutPixel(settings, size, column, row, factor, factor)) {
        EXPECT_EQ(std::memcmp(&settings, &before, sizeof before), 0);
        break;
      }
      for (int axis = 0; axis < 2; ++axis) {
        const double pixels = GridPixels(settings, axis ? 599 : 799, axis);
        EXPECT_TRUE(pixels >= 8 && pixels <= 200 && IsNice(settings, kFields[axis * 3 + 2]) &&
                    IsPiText(settings.valueTexts[XTickFrequency]))
            << Texts(settings) << pixels;
      }
    }
    EXPECT_TRUE(steps > 20 && steps < 2000) << steps;
  }
  // Out until |x| would reach 2^53 at B = 1.
  EXPECT_GT(std::fabs(settings.values[MinimumX]), 9007199254740992.0 / 6);
  // Tick and curve-step counts from 0 past 2^31, no area, undrawable.
  GraphSettings far = With(DefaultGraphSettings(),
                           {{MinimumX, "2.1e9"}, {MaximumX, "2.14e9"}, {XTickFrequency, "1"}});
  far.connectMethod = CM_NO_CONNECTION;
  EXPECT_TRUE(PanByPixels(far, size, -1, 0));
  const GraphSettings kept = far;
  EXPECT_FALSE(PanByPixels(far, size, -800, 0) || PanByPixels(far, {1, 600}, 1, 0) ||
               PanByPixels(far, {800, 1}, 1, 0));
  EXPECT_EQ(std::memcmp(&far, &kept, sizeof far), 0);
  const GraphSettings undrawable = far = With(far, {{YTickFrequency, "0"}});
  EXPECT_FALSE(ZoomAboutCentre(far, size, 2) || PanByPixels(far, size, 1, 1));
  EXPECT_EQ(std::memcmp(&far, &undrawable, sizeof far), 0);
}

TEST(ViewHistory, WheelRunsBackDepthAndSteps) {
  const ViewSize size{800, 600};
  GraphSettings settings = DefaultGraphSettings();
  const std::string home = Texts(settings);
  ViewHistory history(settings);
  EXPECT_FALSE(history.Back(settings) || history.Reset(settings));
  // Runs of notches break at a 500 ms pause and a key (after notch 4), not at the clock's wrap.
  const std::uint32_t times[] = {0, 100, 599, 1099, 1200, 0xFFFFFF00u, 0xFFFFFFF0u, 0x50};
  const std::size_t steps[] = {1, 1, 1, 2, 3, 4, 4, 4};
  for (int i = 0; i < 8; ++i) {
    GraphSettings before = settings;
    ASSERT_TRUE(ZoomAboutPixel(settings, size, 100 + i, 200, 1.25, 1.25));
    history.RecordWheelNotch(before, settings, times[i]);
    history.RecordStep(settings, settings);  // no change, no step
    if (i == 4) {
      before = settings;
      ASSERT_TRUE(PanByPixels(settings, size, KeyPanPixels(799), 0));
      history.RecordStep(before, settings);
    }
    EXPECT_EQ(history.Size(), steps[i]) << i;
  }
  ASSERT_TRUE(history.Back(settings));  // a notch right after Back is a step of its own
  GraphSettings last = settings;
  ASSERT_TRUE(ZoomAboutPixel(settings, size, 0, 0, 1.25, 1.25));
  history.RecordWheelNotch(last, settings, 0x510);
  EXPECT_EQ(history.Size(), 4u);
  while (history.Back(settings)) {
  }
  EXPECT_EQ(Texts(settings), home);
  for (int i = 0; i < 150; ++i) {  // 150 steps keep the last 100
    const GraphSettings before = settings;
    ASSERT_TRUE(PanByPixels(settings, size, 1, 0));
    history.RecordStep(before, settings);
  }
  EXPECT_EQ(history.Size(), 100u);
  while (history.Back(settings)) {
  }
  EXPECT_NEAR(settings.values[MinimumX], PixelToX(-50, 799, DefaultGraphSettings()), 1e-5);
  WheelAccumulator wheel;  // notches carry their rest, a turn back drops it
  std::string notches;
  for (const int delta : {360, 130, 110, 40, 60, 40, -30, -100, -60})
    notches += std::to_string(wheel.Add(delta)) + " ";
  EXPECT_EQ(notches, "3 1 1 0 0 1 0 -1 0 ");
  EXPECT_EQ(std::to_string(KeyPanPixels(799)) + " " + std::to_string(KeyPanPixels(44)) + " " +
                std::to_string(KeyPanPixels(3)),
            "80 4 1");
  EXPECT_DOUBLE_EQ(WheelZoomFactor(-2), 0.64);
}

// Only a pan moves the last image (the zoom and pan sweep finds every pan's shift).
TEST(PanShift, NothingButAPanIsAShift) {
  const ViewSize size{301, 201};
  const GraphSettings start = DefaultGraphSettings();
  GraphSettings zoomed = start, retitled = start, recoloured = start;
  ASSERT_TRUE(ZoomAboutCentre(zoomed, size, 1.25));
  retitled.graphMethod = CM_TANGENT;
  recoloured.colors[GridLine] ^= 1;
  const GraphSettings reticked = With(start, {{YTickFrequency, "0.5"}});
  // Half a pixel to the right (the x range is 5 pi over 300 columns).
  const GraphSettings halfPixel =
      With(start, {{MinimumX, "-1.9916666666666667p"}, {MaximumX, "3.0083333333333333p"}});
  const GraphSettings* others[] = {&zoomed, &retitled, &recoloured, &reticked, &halfPixel};
  for (const GraphSettings* other : others)
    EXPECT_FALSE(PanShift(start, *other, size).has_value()) << other->valueTexts[MinimumX];
  EXPECT_FALSE(PanShift(start, start, ViewSize{1, 201}).has_value());
}

}  // namespace
}  // namespace ondrix
