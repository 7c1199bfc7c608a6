#include "model/value_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <string>

namespace ondrix {
namespace {

// Through the whole record path, as the settings parse: value and the text
// left in the record.
TEST(ParseValueTexts, ValueAndRewrittenText) {
  const double kMax = DBL_MAX;
  const struct {
    const char *text, *stored;
    double value;
  } cases[] = {
      {"-2P", "-2P", -2 * kPi},
      {"2p", "2p", 2 * kPi},
      {"-p", "-1p", -kPi},
      {"-P", "-1p", -kPi},
      {"--p", "--p", 0},
      {"+p", "+p", 0},
      {" -p", " -p", 0},
      {"P", "P", kPi},
      {"pp", "pp", kPi},
      {"p3", "p3", kPi},
      {"2pi", "2pi", 2},
      {"1e1p", "1e1p", 10 * kPi},
      {".5p", ".5p", kPi / 2},
      {"2 p", "2 p", 2 * kPi},
      {"abc", "abc", 0},
      {"-", "-", 0},
      {"", "", 0},
      {"12abc", "12abc", 12},
      {"0x10", "0x10", 0},
      {"1e400p", "1e400p", kMax},
      {"-1e308p", "-1e308p", -kMax},
      {"+INF", "+INF", 0},
      {"-NAN", "-NAN", 0},
      {"inf", "inf", 0},
      {"000000000000000000000000000000000000000000000003p",
       "000000000000000000000000000000000000000000000003p", 3 * kPi},
  };
  for (const auto& c : cases) {
    GraphSettings settings = DefaultGraphSettings();
    SetValueText(settings.valueTexts[CModifier], c.text);
    ParseValueTexts(settings);
    EXPECT_EQ(settings.values[CModifier], c.value) << c.text;
    EXPECT_EQ(std::string(settings.valueTexts[CModifier]), std::string(c.stored).substr(0, 49));
  }
  GraphSettings damaged = DefaultGraphSettings();
  std::memset(damaged.valueTexts[MinimumX], '7', kValueTextSize);
  std::memset(damaged.valueTexts[MaximumX], 'x', kValueTextSize);
  ParseValueTexts(damaged);
  EXPECT_EQ(damaged.valueTexts[MinimumX][kValueTextSize - 1], '\0');
  EXPECT_EQ(damaged.values[MinimumX], 7777777777777777777777777777777777777777777777777.0);
  // Sixteen decimals times pi, not pi / 12.
  EXPECT_EQ(DefaultGraphSettings().values[XTickFrequency], 0.26179938779914935);
}

TEST(ConvertDecimalText, ReadsOnlyTheDecimalPrefixCorrectlyRounded) {
  const struct {
    const char* text;
    double value;
  } cases[] = {{" \t\n\v\f\r42", 42},
               {"+7", 7},
               {"-7", -7},
               {".5", 0.5},
               {"5.", 5},
               {"1.2.3", 1.2},
               {".", 0},
               {"+.e5", 0},
               {"1e", 1},
               {"1e+", 1},
               {"1E-2", 0.01},
               {"2e3x", 2000},
               {"1,5", 1},
               {"1 2", 1},
               {"0.1", 0.1},
               {"-1e400", -DBL_MAX},
               {"9007199254740993", 9007199254740992.0},
               {"2e-324", 0},
               {"4.9e-324", 4.9e-324},
               {"2.2250738585072011e-308", 2.2250738585072011e-308},
               {"1.8e308", DBL_MAX},
               {"1.7976931348623157e308", DBL_MAX},
               {"0e999999999999999999", 0},
               {"1e99999999999999999999", DBL_MAX},
               {"0.000001e-99999999999", 0},
               {"00000000000000000000000000000000000000000000000012", 12}};
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertDecimalText(c.text), c.value) << c.text;
  }
}

TEST(SetValueText, KeepsAtMostFortyNineCharactersAndLengthNeverLooksFurther) {
  char text[kValueTextSize];
  SetValueText(text, std::string(60, '1'));
  EXPECT_EQ(std::string(text), std::string(49, '1'));
  text[kValueTextSize - 1] = '5';
  EXPECT_EQ(ValueTextLength(text), 49);
  EXPECT_EQ(BoundedLength("abc", 2), 2u);
  EXPECT_EQ(BoundedLength("a\0c", 3), 1u);
}

}  // namespace
}  // namespace ondrix
