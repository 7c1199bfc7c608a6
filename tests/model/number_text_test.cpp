#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "model/evaluation.h"
#include "model/number_text.h"
#include "model/pointer_readout.h"
#include "model/value_text.h"

namespace ondrix {
namespace {

// What ParseValueTexts makes of a text in a whole record; it keeps the text.
double Parsed(const std::string& text) {
  GraphSettings settings = DefaultGraphSettings();
  SetValueText(settings.valueTexts[MinimumX], text);
  ParseValueTexts(settings);
  EXPECT_EQ(settings.valueTexts[MinimumX], text);
  return settings.values[MinimumX];
}

// The standard library's shortest round trip ("1e+20"): ours is never longer.
std::size_t LibraryLength(double value) {
  char buffer[64];
  return std::to_chars(buffer, buffer + sizeof buffer, value).ptr - buffer;
}

TEST(NumberText, ShortestExactTexts) {
  // clang-format off
  const struct { double value; bool pi; const char* text; } cases[] = {
      {0.5, false, "0.5"}, {12, false, "12"}, {1e20, false, "1e20"}, {-1.5e-7, false, "-1.5e-7"}, {-0.0, false, "0"},
      {123456789012.5, false, "123456789012.5"}, {0.0001, false, "1e-4"}, {0.1, true, "0.1"}, {kPi, true, "p"},
      {-kPi, true, "-1p"}, {2 * kPi, true, "2p"}, {kPi / 2, true, "0.5p"}, {0, true, "0p"}, {kPi * 1e-9, true, "1e-9p"},
      {0.26179938779914935, true, "0.0833333333333333p"}, {kPi / 12, true, "0.08333333333333333p"}};
  const struct { double low, high; bool pi; const char* text; } ranges[] = {
      {-5.51, -5.49, false, "-5.5"}, {0.95 * kPi, 0.97 * kPi, true, "0.95p"}, {-1, 2, false, "0"}, {-1, 2, true, "0p"},
      {2.5, 2.4, false, ""}, {3, 3.2, true, "p"}, {1.2345, 1.2346, false, "1.2345"}, {0.1, 0.1, true, ""}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(ShortestExactText(c.value, c.pi), c.text) << c.value;
  }
  for (const auto& c : ranges) {
    EXPECT_EQ(ShortestTextWithin(c.low, c.high, c.pi), c.text) << c.low << " " << c.high;
  }
  // A corpus over the whole range, against the parser and the library.
  std::mt19937_64 random(17);
  for (int i = 0; i < 4000; ++i) {
    double value =
        std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 80) - 90);
    const std::uint64_t bits = random();
    if (i % 2) {
      std::memcpy(&value, &bits, sizeof value);
    }
    if (std::isfinite(value)) {
      const std::string plain = ShortestExactText(value, false);
      ASSERT_EQ(Parsed(plain), value) << plain;
      EXPECT_LE(plain.size(), LibraryLength(value)) << plain;
      // m * pi has at least the "p" form of m.
      const double multiple = value / 1e200 * kPi;
      const std::string pi = ShortestExactText(multiple, true);
      ASSERT_EQ(Parsed(pi), multiple) << pi;
      EXPECT_TRUE(pi.size() <= LibraryLength(value / 1e200) + 1 && IsPiText(pi)) << pi;
    }
  }
}

// The labels of k * step, k from -3 on.
std::string Labels(double step, bool pi, int count = 8) {
  std::string labels;
  for (int k = -3; k < count - 3; ++k) {
    labels += AxisLabelText(k * step, step, pi) + " ";
  }
  return labels;
}

TEST(NumberText, AxisLabels) {
  const double twelfth = ReadValueText(".0833333333333333p");  // not exactly pi/12
  EXPECT_EQ(Labels(twelfth * 6, true), "−3π/2 −π −π/2 0 π/2 π 3π/2 2π ");
  EXPECT_EQ(Labels(twelfth, true), "−π/4 −π/6 −π/12 0 π/12 π/6 π/4 π/3 ");
  EXPECT_EQ(Labels(twelfth * 5, true, 5), "−5π/4 −5π/6 −5π/12 0 5π/12 ");
  EXPECT_EQ(Labels(1e6 * kPi, true, 5), "−3e+6π −2e+6π −1e+6π 0 1e+6π ");
  EXPECT_EQ(Labels(0.37 * kPi, true, 6), "−1.11π −0.74π −0.37π 0 0.37π 0.74π ");
  EXPECT_EQ(Labels(0.1, false, 7), "−0.3 −0.2 −0.1 0 0.1 0.2 0.3 ");
  EXPECT_EQ(Labels(0.25, false), "−0.75 −0.5 −0.25 0 0.25 0.5 0.75 1 ");
  EXPECT_EQ(Labels(5e5, false, 7), "−1.5e+6 −1e+6 −500000 0 500000 1e+6 1.5e+6 ");
  EXPECT_EQ(Labels(2e-6, false, 5), "−6e−6 −4e−6 −2e−6 0 2e−6 ");
  EXPECT_EQ(Labels(twelfth, false, 6), "−0.79 −0.52 −0.26 0 0.26 0.52 ");
  // Over many steps: neighbours differ, only the font's glyphs, no "1π" or "−0".
  std::mt19937_64 random(3);
  for (int i = 0; i < 2000; ++i) {
    const bool pi = i % 2;
    const double step = std::pow(10.0, std::uniform_real_distribution<>(-9, 9)(random)) *
                        (i % 4 == 1 ? kPi / 12 : 1.0);
    const long long first = static_cast<long long>(random() % 2000) - 1000;
    std::string previous;
    for (long long k = first; k < first + 30; ++k) {
      const std::string label = AxisLabelText(k * step, step, pi);
      std::string rest = label;
      for (std::size_t at; (at = rest.find_first_of("\xCF\xE2")) != std::string::npos;) {
        const bool known =
            rest.compare(at, 2, "\xCF\x80") == 0 || rest.compare(at, 3, "\xE2\x88\x92") == 0;
        rest.replace(at, rest[at] == '\xCF' ? 2 : 3, known ? "" : "?");
      }
      EXPECT_EQ(rest.find_first_not_of("0123456789.e+/"), std::string::npos) << label;
      EXPECT_TRUE(label != previous && label.rfind("1π", 0) != 0 && label.rfind("−1π", 0) != 0 &&
                  label.find(".0π") == std::string::npos && label != "−0")
          << label << " after " << previous;
      previous = label;
    }
  }
}

TEST(NumberText, PointerReadout) {
  GraphSettings s = DefaultGraphSettings();
  EXPECT_EQ(PointerReadoutText(s, {800, 600}, 400, 300), "x = 1.58 (π/2)   y = −0.01   f(x) = 1");
  EXPECT_EQ(PointerReadoutText(s, {800, 600}, 250, 150),
            "x = −1.37 (−0.436π)   y = 2   f(x) = −0.98");
  s.graphMethod = CM_TANGENT;
  SetValueText(s.valueTexts[MinimumX], "-1p");
  SetValueText(s.valueTexts[MaximumX], "1p");
  ParseValueTexts(s);
  EXPECT_EQ(PointerReadoutText(s, {801, 600}, 600, 0),
            "x = 1.571 (π/2)   y = 4   f(x) = undefined");
  EXPECT_EQ(PointerReadoutText(s, {1, 600}, 0, 0), "");
  // Neighbouring columns read differently, down to the doubles' last digits.
  SetValueText(s.valueTexts[MinimumX], "1");
  SetValueText(s.valueTexts[MaximumX], "1.000000000001");
  SetValueText(s.valueTexts[XTickFrequency], "1e-3");
  s.connectMethod = CM_NO_CONNECTION;
  ParseValueTexts(s);
  std::string previous;
  for (std::int32_t column = 0; column < 800; ++column) {
    const std::string text = PointerReadoutText(s, {800, 600}, column, 0);
    EXPECT_NE(text.substr(0, text.find(' ', 4)), previous) << column;
    previous = text.substr(0, text.find(' ', 4));
  }
}

}  // namespace
}  // namespace ondrix
