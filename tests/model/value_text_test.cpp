#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <string>

#include "model/value_text.h"

namespace ondrix {
namespace {

// Parses one text through the whole record path, as the settings do.
struct Parsed {
  double value;
  std::string text;
};

Parsed ParseOne(const std::string& text) {
  GraphSettings settings = DefaultGraphSettings();
  SetValueText(settings.valueTexts[AModifier], text);
  ParseValueTexts(settings);
  return {settings.values[AModifier], settings.valueTexts[AModifier]};
}

TEST(ParseValueTexts, DefaultTextsGiveTheExactDefaultValues) {
  const GraphSettings settings = DefaultGraphSettings();
  const double expected[kValueCount] = {
      1, 1, 0, 0, 0.01, 0.006, -6.283185307179586, 9.42477796076938, 0.26179938779914935, -4, 4, 1};
  for (int i = 0; i < kValueCount; ++i) {
    EXPECT_EQ(settings.values[i], expected[i]) << kValueNames[i];
  }
  // Sixteen decimals times pi, not pi / 12.
  EXPECT_NE(settings.values[XTickFrequency], 0.2617993877991494);
}

struct TextCase {
  const char* text;
  double value;
  const char* storedText;  // the text left in the record
};

class ParseValueTextCases : public ::testing::TestWithParam<TextCase> {};

TEST_P(ParseValueTextCases, GivesValueAndKeepsOrRewritesText) {
  const TextCase& c = GetParam();
  const Parsed parsed = ParseOne(c.text);
  EXPECT_EQ(parsed.value, c.value) << "text '" << c.text << "'";
  EXPECT_EQ(parsed.text, c.storedText) << "text '" << c.text << "'";
}

constexpr double kMax = DBL_MAX;

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseValueTextCases,
    ::testing::Values(
        TextCase{"-2P", -2 * kPi, "-2P"}, TextCase{"-2p", -2 * kPi, "-2p"},
        TextCase{"2P", 2 * kPi, "2P"}, TextCase{"-p", -kPi, "-1p"}, TextCase{"-P", -kPi, "-1p"},
        TextCase{"--p", 0, "--p"}, TextCase{"+p", 0, "+p"}, TextCase{" -p", 0, " -p"},
        TextCase{"p", kPi, "p"}, TextCase{"P", kPi, "P"}, TextCase{"pp", kPi, "pp"},
        TextCase{"p3", kPi, "p3"}, TextCase{"P5", kPi, "P5"}, TextCase{"2pi", 2, "2pi"},
        TextCase{"1e1p", 10 * kPi, "1e1p"}, TextCase{".5p", 1.5707963267948966, ".5p"},
        TextCase{"2 p", 2 * kPi, "2 p"}, TextCase{"abc", 0, "abc"}, TextCase{"-", 0, "-"},
        TextCase{"", 0, ""}, TextCase{"12abc", 12, "12abc"}, TextCase{"1e400", kMax, "1e400"},
        TextCase{"-1e400", -kMax, "-1e400"}, TextCase{"1e-400", 0, "1e-400"},
        TextCase{"0x10", 0, "0x10"}, TextCase{"3p", 3 * kPi, "3p"},
        // Overflow times pi stays the largest finite double.
        TextCase{"1e400p", kMax, "1e400p"}, TextCase{"-1e308p", -kMax, "-1e308p"},
        // Infinity and NaN words are not numbers.
        TextCase{"+INF", 0, "+INF"}, TextCase{"-NAN", 0, "-NAN"}, TextCase{"inf", 0, "inf"}));

struct ConversionCase {
  const char* text;
  double value;
};

class ConvertDecimalTextCases : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConvertDecimalTextCases, ReadsOnlyTheDecimalPrefix) {
  const ConversionCase& c = GetParam();
  const double value = ConvertDecimalText(c.text);
  EXPECT_EQ(value, c.value) << "text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConvertDecimalTextCases,
    ::testing::Values(
        ConversionCase{" \t\n\v\f\r42", 42}, ConversionCase{"+7", 7}, ConversionCase{"-7", -7},
        ConversionCase{".5", 0.5}, ConversionCase{"5.", 5}, ConversionCase{"5.5", 5.5},
        ConversionCase{"1.2.3", 1.2}, ConversionCase{".", 0}, ConversionCase{"+.e5", 0},
        ConversionCase{"1e", 1}, ConversionCase{"1e+", 1}, ConversionCase{"1E-2", 0.01},
        ConversionCase{"2e3x", 2000}, ConversionCase{"1,5", 1}, ConversionCase{"1 2", 1},
        // Correct rounding where a naive digit-by-digit sum errs.
        ConversionCase{"0.1", 0.1}, ConversionCase{"9007199254740993", 9007199254740992.0},
        ConversionCase{"2.2250738585072011e-308", 2.2250738585072011e-308},
        ConversionCase{"4.9e-324", 4.9e-324}, ConversionCase{"2e-324", 0},
        ConversionCase{"1.7976931348623157e308", DBL_MAX}, ConversionCase{"1.8e308", DBL_MAX},
        ConversionCase{"0e999999999999999999", 0},
        ConversionCase{"1e99999999999999999999", DBL_MAX},
        ConversionCase{"0.000001e-99999999999", 0},
        ConversionCase{"00000000000000000000000000000000000000000000000012", 12}));

TEST(ParseValueTexts, FortyNineCharacterTextIsParsedLikeAnyOther) {
  const std::string text = std::string(47, '0') + "3p";
  ASSERT_EQ(text.size(), 49u);
  const Parsed parsed = ParseOne(text);
  EXPECT_EQ(parsed.value, 3 * kPi);
  EXPECT_EQ(parsed.text, text);
}

// Regression: a damaged record whose text fills all 50 bytes must not be read
// past its field.
TEST(ParseValueTexts, TextWithoutNulNeverRunsPastItsField) {
  GraphSettings settings = DefaultGraphSettings();
  std::memset(settings.valueTexts[MinimumX], '7', kValueTextSize);
  std::memset(settings.valueTexts[MaximumX], 'x', kValueTextSize);
  ParseValueTexts(settings);
  EXPECT_EQ(settings.valueTexts[MinimumX][kValueTextSize - 1], '\0');
  EXPECT_EQ(settings.values[MinimumX], 7777777777777777777777777777777777777777777777777.0);
}

TEST(SetValueText, KeepsAtMostFortyNineCharacters) {
  char text[kValueTextSize];
  SetValueText(text, std::string(60, '1'));
  EXPECT_EQ(std::string(text).size(), 49u);
  EXPECT_EQ(ValueTextLength(text), 49);
}

}  // namespace
}  // namespace ondrix
