#include "model/graph_settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/value_text.h"

namespace ondrix {
namespace {

TEST(GraphSettings, DefaultsNamesAndLookups) {
  const GraphSettings settings = DefaultGraphSettings();
  EXPECT_STREQ(settings.functionName, "Sine");
  EXPECT_EQ(settings.grid, 1);
  EXPECT_EQ(settings.connectMethod, CM_CONNECTED_DOTS);
  EXPECT_EQ(settings.graphMethod, CM_SINE);
  EXPECT_EQ(settings.sonar, 0);
  const Color colors[kColorCount] = {0xFF, 0, 0xFFFFFF, 0x808000, 0xFF, 0xFF0000, 0xFF, 0xFF0000};
  const double values[kValueCount] = {
      1, 1, 0, 0, 0.01, 0.006, -6.283185307179586, 9.42477796076938, 0.26179938779914935, -4, 4, 1};
  for (int i = 0; i < kValueCount; ++i) {
    EXPECT_EQ(settings.colors[i % kColorCount], colors[i % kColorCount]) << kColorNames[i % 8];
    EXPECT_EQ(settings.values[i], values[i]) << kValueNames[i];
    EXPECT_EQ(FindValueIndex(kValueNames[i]), i);
    EXPECT_EQ(FindColorIndex(kColorNames[i % 8]), i % 8);
  }
  // The Grid Element list sorts the names and takes the position as the index.
  for (int i = 1; i < kColorCount; ++i) {
    EXPECT_LT(std::strcmp(kColorNames[i - 1], kColorNames[i]), 0) << kColorNames[i];
  }
  EXPECT_EQ(FindValueIndex("=5"), -1);
  EXPECT_EQ(FindValueIndex("Minimum"), -1);
  EXPECT_EQ(FindValueIndex("minimum y"), -1);
  EXPECT_EQ(FindColorIndex("Axis"), -1);
  EXPECT_EQ(FindColorIndex("Axis Color "), -1);
}

TEST(GraphSettings, MethodsAndTheirNames) {
  const char* names[6] = {"Sine", "Cosine", "Tangent", "Cotangent", "Secant", "Cosecant"};
  GraphSettings settings = DefaultGraphSettings();
  for (int i = 0; i < 6; ++i) {
    EXPECT_STREQ(FunctionDisplayName(kFunctionMethods[i]), names[i]);
    EXPECT_TRUE(IsFunctionMethod(kFunctionMethods[i]));
    // A longer name first, so that a shorter one must clear it.
    std::strcpy(settings.functionName, "Cotangent");
    settings.graphMethod = kFunctionMethods[i];
    SetFunctionNameFromMethod(settings);
    EXPECT_STREQ(settings.functionName, names[i]);
  }
  EXPECT_EQ(kFunctionMethods[0], CM_SINE);
  for (std::int32_t method : {0, 100, 119, 125, 131, -124, CM_CONNECTED_DOTS}) {
    EXPECT_EQ(FunctionDisplayName(method), nullptr) << method;
    EXPECT_FALSE(IsFunctionMethod(method));
  }
  settings.graphMethod = 125;
  SetFunctionNameFromMethod(settings);
  EXPECT_STREQ(settings.functionName, "Cosecant") << "an unknown method leaves the name";
  for (std::int32_t method : {CM_CONNECTED_DOTS, CM_NO_CONNECTION, CM_UNCONNECTED_DOTS}) {
    EXPECT_TRUE(IsConnectMethod(method));
  }
  for (std::int32_t method : {0, CM_SINE, CM_POINT_SONAR, CM_GRID_LINES}) {
    EXPECT_FALSE(IsConnectMethod(method)) << method;
  }
}

}  // namespace
}  // namespace ondrix
