#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "model/evaluation.h"
#include "model/field_rules.h"
#include "model/print_document.h"
#include "model/stored_values.h"
#include "model/titles.h"
#include "model/value_text.h"

namespace ondrix {
namespace {

using Texts = std::vector<std::pair<int, const char*>>;

GraphSettings WithTexts(const Texts& texts) {
  GraphSettings settings = DefaultGraphSettings();
  for (const auto& [index, text] : texts)
    SetValueText(settings.valueTexts[index], text);
  ParseValueTexts(settings);
  return settings;
}

TEST(GraphSettings, DefaultsNamesLookupsMethodsAndValueTexts) {
  GraphSettings s = DefaultGraphSettings();
  EXPECT_STREQ(s.functionName, "Sine");
  EXPECT_EQ(std::vector<int>({s.grid, s.sonar, s.connectMethod, s.graphMethod}),
            std::vector<int>({1, 0, CM_CONNECTED_DOTS, CM_SINE}));
  const Color colors[kColorCount] = {0xFF, 0, 0xFFFFFF, 0x808000, 0xFF, 0xFF0000, 0xFF, 0xFF0000};
  // Sixteen decimals times pi for the X tick, not pi / 12.
  const double values[kValueCount] = {
      1, 1, 0, 0, 0.01, 0.006, -6.283185307179586, 9.42477796076938, 0.26179938779914935, -4, 4, 1};
  // The functions, then connections and commands: an unknown method leaves the name.
  const std::int32_t methods[] = {CM_SINE,           CM_COSINE,        CM_TANGENT,
                                  CM_COTANGENT,      CM_SECANT,        CM_COSECANT,
                                  CM_CONNECTED_DOTS, CM_NO_CONNECTION, CM_UNCONNECTED_DOTS,
                                  CM_EXIT,           CM_ABOUT,         CM_GRID_LINES};
  const char* names[6] = {"Sine", "Cosine", "Tangent", "Cotangent", "Secant", "Cosecant"};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(s.colors[i % 8], colors[i % 8]) << kColorNames[i % 8];
    EXPECT_EQ(s.values[i], values[i]) << kValueNames[i];
    std::strcpy(s.functionName, "Cotangent");  // a shorter name must clear it
    s.graphMethod = methods[i];
    SetFunctionNameFromMethod(s);
    EXPECT_STREQ(s.functionName, i < 6 ? names[i] : "Cotangent");
    const auto function = static_cast<Function>(i % 6);
    EXPECT_EQ(FunctionOfMethod(methods[i]), i < 6 ? std::optional(function) : std::nullopt) << i;
    EXPECT_EQ(MethodOfFunction(function), methods[i % 6]);
  }
  // The value (the decimal prefix, correctly rounded) and the text left when it differs.
  // clang-format off
  const struct { std::string text; double value; const char* stored = nullptr; } cases[] = {
      {"-2P", -2 * kPi}, {"-p", -kPi, "-1p"}, {"-P", -kPi, "-1p"}, {"--p", 0}, {"P", kPi}, {"p3", kPi}, {"2 p", 2 * kPi},
      {"abc", 0}, {"12abc", 12}, {"0x10", 0}, {"inf", 0}, {std::string(47, '0') + "3p", 3 * kPi}, {" \t\n\v\f\r42", 42},
      {"+7", 7}, {"5.", 5}, {"1.2.3", 1.2}, {"+.e5", 0}, {"1e+", 1}, {"1E-2", 0.01}, {"1,5", 1}, {"1e400p", DBL_MAX},
      {"9007199254740993", 9007199254740992.0}, {"-1e400", -DBL_MAX}, {"2e-324", 0}, {"4.9e-324", 4.9e-324},
      {"1e1000", DBL_MAX}, {"1e99999999999999999999", DBL_MAX}, {"0.000001e-99999999999", 0},
      {"-1e308p", -DBL_MAX}, {"-1e400P", -DBL_MAX}};  // times pi past the range: the largest double
  // clang-format on
  for (const auto& c : cases) {
    const GraphSettings settings = WithTexts({{CModifier, c.text.c_str()}});
    EXPECT_EQ(settings.values[CModifier], c.value) << c.text;
    EXPECT_EQ(std::string(settings.valueTexts[CModifier]), c.stored ? c.stored : c.text);
  }
  // A text with no NUL: the value_texts fuzz input "unterminated".
}

// Decimals, pixels (INT32_MIN for NaN), -4 to 4 on 100 pixels; each function at a plain point, at
// the edge of its asymptote test (to 4 decimals), off its domain, and with modifiers.
TEST(Evaluation, RoundingAndMapping) {
  // clang-format off
  const std::tuple<double, int, double> decimals[] = {{1.25, 1, 1.3}, {-1.25, 1, -1.2}, {2.5, 0, 3}, {-2.5, 0, -2},
      {-0.00005, 4, 0}, {0.00005, 4, 0.0001}, {-0.0000501, 4, -0.0001}, {125, -1, 130}, {6.123233995736766e-17, 4, 0}};
  const std::tuple<double, int, std::int32_t> pixels[] = {{12.4449, 3, 12}, {12.445, 3, 13}, {12.445, 2, 12},
      {12.4996, 3, 13}, {99.995, 3, 100}, {-0.5, 3, 0}, {-0.6, 3, -1}, {-1.5, 3, -1}, {-12.5, 3, -12}, {12.9, 0, 12},
      {-0.1, -2, -1}, {2147483647.6, 3, INT32_MAX}, {-3e9, 3, INT32_MIN}, {INFINITY, 3, INT32_MAX}, {NAN, 3, INT32_MIN}};
  const std::tuple<double, int, int> mapped[] = {{-4, 0, 100}, {1, 63, 38}, {0.98, 62, 38}, {-3.724, 4, 97}};
  // clang-format on
  for (const auto& [value, places, expected] : decimals)
    EXPECT_DOUBLE_EQ(RoundToDecimals(value, places), expected) << value << " " << places;
  for (const auto& [value, places, expected] : pixels)
    EXPECT_EQ(RoundToPixel(value, places), expected) << value << " " << places;
  const auto square = [](const char* minimum, const char* maximum) {
    return WithTexts(
        {{MinimumX, minimum}, {MaximumX, maximum}, {MinimumY, minimum}, {MaximumY, maximum}});
  };
  const GraphSettings settings = square("-4", "4");
  for (const auto& [world, x, y] : mapped)
    EXPECT_EQ(std::pair(MapXToPixel(world, 100, settings), MapYToPixel(world, 100, settings)),
              std::pair(x, y))
        << world;
  EXPECT_EQ(std::vector<double>({PixelToX(100, 100, settings), PixelToX(25, 100, settings),
                                 PixelToX(7, 0, settings)}),  // a one-column view: its minimum
            std::vector<double>({4, -2, -4}));
  EXPECT_EQ(MapXToPixel(0, 799, square("-1e400", "1e400")), 400);
  const double pole = 1.5707963267948966, c4 = std::acos(4e-4), s4 = std::asin(4e-4);
  const double no = -12345, c5 = std::acos(4e-5), s5 = std::asin(4e-5);
  // clang-format off
  using F = Function;
  const struct { F function; double x, y, a = 1, b = 1, c = 0, d = 0; } cases[] = {
      {F::Sine, 0.7, std::sin(0.7)}, {F::Cosine, 0.7, std::cos(0.7)}, {F::Tangent, 0.7, std::tan(0.7)},
      {F::Cotangent, 0.7, 1 / std::tan(0.7)}, {F::Secant, 0.7, 1 / std::cos(0.7)}, {F::Cosecant, 0.7, 1 / std::sin(0.7)},
      {F::Tangent, pole, no}, {F::Tangent, c4, std::sin(c4) / 4e-4}, {F::Cotangent, s4, std::cos(s4) / 4e-4},
      {F::Secant, c4, 1 / 4e-4}, {F::Cosecant, s4, 1 / 4e-4}, {F::Secant, std::acos(5.00001e-5), 1 / 5.00001e-5},
      {F::Secant, c5, no}, {F::Cotangent, s5, no}, {F::Tangent, pole, no, 0, 1, 0, 2}, {F::Cosecant, 5, no, 1, 0},
      {F::Sine, 7.25, 3 * std::sin(0.5) - 1, 3, 0, 0.5, -1}, {F::Cosine, 2, 2 * std::cos(7), 2, 3, 1},
      {F::Sine, 9007199254740992.0, no}, {F::Sine, pole, DBL_MAX, DBL_MAX, 1, 0, DBL_MAX},
      {F::Secant, std::acos(6e-5), -DBL_MAX, -DBL_MAX}, {F::Secant, 0.7, 1 / std::cos(0.7) + 2, 1, 1, 0, 2}};
  // clang-format on
  for (const auto& c : cases) {
    const double values[kValueCount] = {c.a, c.b, c.c, c.d};
    double y = no;
    EXPECT_EQ(EvaluateFunction(c.x, &y, c.function, values), c.y != no)
        << FunctionName(c.function) << " at " << c.x;
    EXPECT_NEAR(y, c.y, std::fabs(c.y) * 1e-9) << FunctionName(c.function) << " at " << c.x;
  }
}

// Each corrected text must still mean its value: dropping every minus would turn "1e-3" into "1e3".
TEST(FieldRules, TickCorrectionAndVerdictsInTheOrderTheDialogAsks) {
  // clang-format off
  const std::tuple<const char*, const char*, double> cases[] = {{"-2p", "2p", 2 * kPi}, {"-2-p", "2p", 2 * kPi},
      {" -3", " 3", 3.0}, {"1e-3", "1e-3", 0.001}, {"-1e-3-", "1e-3-", .001}, {"-1e400", "1e400", DBL_MAX},
      {"-P", "1p", kPi}, {"--p", "--p", 0.0}};
  // clang-format on
  for (const auto& [text, corrected, value] : cases) {
    GraphSettings settings = WithTexts({{XTickFrequency, text}, {YTickFrequency, "-1e-3"}});
    CorrectTickSpacings(settings);
    const std::string texts = std::string(settings.valueTexts[XTickFrequency]) + "|" +
                              settings.valueTexts[YTickFrequency];
    EXPECT_EQ(texts, corrected + std::string("|1e-3"));
    EXPECT_EQ(settings.values[XTickFrequency], value) << texts;
    EXPECT_EQ(settings.values[YTickFrequency], 0.001);
    EXPECT_EQ(TickFieldToMend(settings), value > 0 ? -1 : XTickFrequency) << texts;
  }
  EXPECT_EQ(TickFieldToMend(WithTexts({{YTickFrequency, "0"}})), YTickFrequency);
  // Kind, range and field to focus (MinimumX is 6, MinimumY 9), then the text.
  const std::pair<Texts, std::string> verdicts[] = {
      {{}, "3 -1 -1 -1 null"},
      {{{MinimumX, "10"}, {MinimumY, "9"}}, "0 6 7 -1 Your X Minimum is more"},
      {{{MinimumY, "9"}, {MinimumX, "9"}}, "0 9 10 -1 Your Y Minimum is more"},
      {{{MaximumX, "-2p"}, {MaximumY, "-4"}}, "1 -1 -1 6 Your Minimum and Maximums CANNOT"},
      {{{MaximumY, "-4"}, {XTickFrequency, "0"}}, "1 -1 -1 9 Your Minimum"},
      {{{XTickFrequency, "-1"}}, "2 -1 -1 -1 Your Tick Ranges must be greater"}};
  for (const auto& [texts, expected] : verdicts) {
    const FieldVerdict v = JudgeFields(WithTexts(texts));
    const std::string got = std::to_string(static_cast<int>(v.kind)) + " " +
                            std::to_string(v.minimum) + " " + std::to_string(v.maximum) + " " +
                            std::to_string(v.field) + " " + (v.text ? v.text : "null");
    EXPECT_EQ(got.rfind(expected, 0), 0u) << got;
  }
  GraphSettings swapped = WithTexts({{MinimumY, "9"}, {MaximumY, "-1e-3"}});
  SwapRange(swapped, MinimumY, MaximumY);
  EXPECT_EQ(std::string(swapped.valueTexts[MinimumY]) + swapped.valueTexts[MaximumY], "-1e-39");
  EXPECT_EQ(swapped.values[MinimumY], -1e-3);
  EXPECT_EQ(swapped.values[MaximumY], 9);
  const std::string a48(48, '1');  // the pi suffix never makes a field longer than 49
  const std::pair<std::string, std::string> suffixed[] = {
      {"", "p"}, {"-", "-p"}, {a48, a48 + "p"}, {a48 + "9", a48 + "p"}, {a48 + "999", a48 + "p"}};
  for (const auto& [field, expected] : suffixed)
    EXPECT_EQ(WithPiSuffix(field), expected) << field;
}

TEST(Titles, CaptionPrintStatusDocumentEndAndStoredFormat) {
  GraphSettings settings = DefaultGraphSettings();
  EXPECT_EQ(GraphTitle(settings), "Sine - Ondrix");
  // clang-format off
  const std::tuple<std::int32_t, std::int32_t, std::int32_t, const char*> cases[] = {
      {CM_UNCONNECTED_DOTS, 0, 7, "Unconnected Dots|Off|On"}, {CM_CONNECTED_DOTS, 1, 0, "Connected Dots|On|Off"},
      {CM_NO_CONNECTION, -1, 0, "No Dot Connection|On|Off"}, {CM_SINE, 0, 0, "|Off|Off"}};
  // clang-format on
  for (const auto& [method, grid, sonar, texts] : cases) {
    settings.connectMethod = method;
    settings.grid = grid;
    settings.sonar = sonar;
    const PrintStatusTexts t = MakePrintStatusTexts(settings);
    EXPECT_EQ(t.function + "|" + t.connection + "|" + t.grid + "|" + t.sonar,
              std::string("Sine|") + texts);
  }
  // The print document ends on: document, page started, page ended, cancelled.
  using E = DocumentEnd;
  // clang-format off
  const std::pair<PrintProgress, DocumentEnd> rows[] = {{{0, 0, 0, 0}, E::None}, {{0, 1, 1, 1}, E::None},
      {{1, 1, 1, 0}, E::End}, {{1, 1, 1, 1}, E::Abort}, {{1, 1, 0, 0}, E::Abort}, {{1, 0, 0, 0}, E::Abort},
      {{1, 0, 1, 0}, E::Abort}};
  // clang-format on
  for (const auto& [p, end] : rows) {
    EXPECT_EQ(EndOfDocument(p), end)
        << p.documentStarted << p.pageStarted << p.pageEnded << p.cancelled;
  }
  const char* first[4] = {"Grid", "Sonar", "Connect Method", "Graph Method"};
  const std::size_t offsets[4] = {16, 28, 20, 24};
  // Written in this order: the four switches and methods, the colours, the value texts.
  for (int i = 0; i < kStoredValueCount; ++i) {
    const StoredValue& v = kStoredValues[i];
    EXPECT_STREQ(v.name, i < 4 ? first[i] : i < 12 ? kColorNames[i - 4] : kValueNames[i - 12]);
    EXPECT_EQ(v.offset, i < 4    ? offsets[i]
                        : i < 12 ? 32 + 4u * (i - 4)
                                 : 160 + 50u * (i - 12))
        << v.name;
    EXPECT_EQ("DBT"[static_cast<int>(v.type)] + std::to_string(v.size),
              "BBDDDDDDDDDDTTTTTTTTTTTT"[i] + std::string(i < 12 ? "4" : "50"));
  }
}

}  // namespace
}  // namespace ondrix
