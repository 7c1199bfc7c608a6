#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "model/graph_settings.h"
#include "model/value_text.h"

namespace ondrix {
namespace {

static_assert(std::is_trivially_copyable<GraphSettings>::value, "copied byte for byte");

TEST(GraphSettings, DefaultsOfEveryField) {
  const GraphSettings settings = DefaultGraphSettings();
  EXPECT_STREQ(settings.functionName, "Sine");
  EXPECT_EQ(settings.grid, 1);
  EXPECT_EQ(settings.connectMethod, CM_CONNECTED_DOTS);
  EXPECT_EQ(settings.graphMethod, CM_SINE);
  EXPECT_EQ(settings.sonar, 0);
  const Color colors[kColorCount] = {0x000000FF, 0x00000000, 0x00FFFFFF, 0x00808000,
                                     0x000000FF, 0x00FF0000, 0x000000FF, 0x00FF0000};
  for (int i = 0; i < kColorCount; ++i) {
    EXPECT_EQ(settings.colors[i], colors[i]) << kColorNames[i];
  }
  const char* texts[kValueCount] = {
      "1", "1", "0", "0", ".01", ".006", "-2p", "3p", ".0833333333333333p", "-4", "4", "1"};
  for (int i = 0; i < kValueCount; ++i) {
    EXPECT_STREQ(settings.valueTexts[i], texts[i]) << kValueNames[i];
  }
}

TEST(GraphSettings, ColourNamesAreSortedSoListPositionIsTheIndex) {
  for (int i = 1; i < kColorCount; ++i) {
    EXPECT_LT(std::strcmp(kColorNames[i - 1], kColorNames[i]), 0) << kColorNames[i];
  }
}

TEST(GraphSettings, FunctionNamesFitTheirFieldAndUnknownMethodsHaveNone) {
  const char* expected[6] = {"Sine", "Cosine", "Tangent", "Cotangent", "Secant", "Cosecant"};
  for (int i = 0; i < 6; ++i) {
    ASSERT_NE(FunctionDisplayName(kFunctionMethods[i]), nullptr);
    EXPECT_STREQ(FunctionDisplayName(kFunctionMethods[i]), expected[i]);
    EXPECT_LT(std::strlen(expected[i]), static_cast<size_t>(kFunctionNameSize));
  }
  for (int method : {0, 100, 119, 123, 125, 131, -124}) {
    EXPECT_EQ(FunctionDisplayName(method), nullptr) << method;
  }

  GraphSettings settings = DefaultGraphSettings();
  settings.graphMethod = 125;
  SetFunctionNameFromMethod(settings);
  EXPECT_STREQ(settings.functionName, "Sine") << "an unknown method leaves the name";
}

TEST(GraphSettings, NamesLookUpTheirIndex) {
  EXPECT_EQ(FindValueIndex("X Tick Mark Frequency"), XTickFrequency);
  EXPECT_EQ(FindValueIndex("Minimum Y"), MinimumY);
  EXPECT_EQ(FindValueIndex("minimum y"), -1);
  EXPECT_EQ(FindColorIndex("Axis Color"), Axis);
  EXPECT_EQ(FindColorIndex("Tick Mark Color"), TickMark);
  EXPECT_EQ(FindColorIndex("Axis"), -1);
}

}  // namespace
}  // namespace ondrix
