#include "model/evaluation.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace ondrix {
namespace {

GraphSettings SettingsWithRange(double minimum, double maximum) {
  GraphSettings settings = DefaultGraphSettings();
  settings.values[MinimumX] = settings.values[MinimumY] = minimum;
  settings.values[MaximumX] = settings.values[MaximumY] = maximum;
  return settings;
}

TEST(Rounding, HalvesUpAndAPixelCascadeOfThem) {
  const struct {
    double value;
    int places;
    double expected;
  } decimals[] = {{1.25, 1, 1.3},
                  {-1.25, 1, -1.2},
                  {-1.26, 1, -1.3},
                  {2.5, 0, 3},
                  {-2.5, 0, -2},
                  {0.00004, 4, 0},
                  {-0.00005, 4, 0},
                  {0.00005, 4, 0.0001},
                  {-0.0000501, 4, -0.0001},
                  {125, -1, 130},
                  {6.123233995736766e-17, 4, 0}};
  for (const auto& c : decimals) {
    EXPECT_DOUBLE_EQ(RoundToDecimals(c.value, c.places), c.expected) << c.value << " " << c.places;
  }
  const struct {
    double value;
    int places;
    std::int32_t expected;
  } pixels[] = {{12.4449, 3, 12},
                {12.445, 3, 13},
                {12.445, 2, 12},
                {12.4996, 3, 13},
                {0.994, 3, 1},
                {99.995, 3, 100},
                {-0.5, 3, 0},
                {-0.6, 3, -1},
                {-1.5, 3, -1},
                {-1.6, 3, -2},
                {-12.5, 3, -12},
                {12.9, 0, 12},
                {-0.1, -2, -1},
                {3e9, 3, INT32_MAX},
                {2147483647.6, 3, INT32_MAX},
                {-2147483648.0, 3, INT32_MIN},
                {-3e9, 3, INT32_MIN},
                {INFINITY, 3, INT32_MAX},
                {-INFINITY, 3, INT32_MIN},
                {NAN, 3, INT32_MIN}};
  for (const auto& c : pixels) {
    EXPECT_EQ(RoundToPixel(c.value, c.places), c.expected) << c.value << " " << c.places;
  }
}

TEST(Mapping, WorkedValuesEndsAndDegenerateRanges) {
  const GraphSettings settings = SettingsWithRange(-4, 4);
  const struct {
    double world;
    std::int32_t x, y;
  } cases[] = {{-4, 0, 100}, {0, 50, 50},    {1, 63, 38},     {0.98, 62, 38},
               {4, 100, 0},  {-5, -12, 113}, {-3.724, 4, 97}, {3.724, 97, 4}};
  for (const auto& c : cases) {
    EXPECT_EQ(MapXToPixel(c.world, 100, settings), c.x) << c.world;
    EXPECT_EQ(MapYToPixel(c.world, 100, settings), c.y) << c.world;
  }
  EXPECT_EQ(PixelToX(0, 100, settings), -4);
  EXPECT_EQ(PixelToX(50, 100, settings), 0);
  EXPECT_EQ(PixelToX(100, 100, settings), 4);
  EXPECT_EQ(PixelToX(0, 0, settings), -4);  // a one-column surface shows the left edge
  EXPECT_EQ(MapYToPixel(DBL_MAX, 599, settings), INT32_MIN);
  EXPECT_EQ(MapYToPixel(-DBL_MAX, 599, settings), INT32_MAX);
  EXPECT_EQ(MapXToPixel(5, 100, SettingsWithRange(2, 2)), 0);
  EXPECT_EQ(MapYToPixel(5, 100, SettingsWithRange(2, 2)), 0);
  EXPECT_EQ(MapXToPixel(0, 799, SettingsWithRange(-DBL_MAX, DBL_MAX)), 400);
  const GraphSettings defaults = DefaultGraphSettings();
  for (std::int32_t extent : {1, 599, 3507}) {
    EXPECT_EQ(MapXToPixel(defaults.values[MaximumX], extent, defaults), extent);
    EXPECT_EQ(MapYToPixel(defaults.values[MinimumY], extent, defaults), extent);
  }
}

// Each function at an ordinary point, at the edge of its asymptote test (the
// denominator rounded to 4 decimals), off its domain, and with modifiers.
TEST(EvaluateFunction, ValuesAsymptotesAndDomain) {
  const double pole = 1.5707963267948966;
  const struct {
    std::int32_t method;
    double x, a, b, c, d;
    int defined;
    double y;
  } cases[] = {
      {CM_SINE, 0.7, 1, 1, 0, 0, 1, std::sin(0.7)},
      {CM_COSINE, 0.7, 1, 1, 0, 0, 1, std::cos(0.7)},
      {CM_TANGENT, 0.7, 1, 1, 0, 0, 1, std::sin(0.7) / std::cos(0.7)},
      {CM_COTANGENT, 0.7, 1, 1, 0, 0, 1, std::cos(0.7) / std::sin(0.7)},
      {CM_SECANT, 0.7, 1, 1, 0, 0, 1, 1 / std::cos(0.7)},
      {CM_COSECANT, 0.7, 1, 1, 0, 0, 1, 1 / std::sin(0.7)},
      {CM_TANGENT, pole, 1, 1, 0, 0, 0, -12345},
      {CM_TANGENT, std::acos(0.0004), 1, 1, 0, 0, 1, std::sin(std::acos(0.0004)) / 0.0004},
      {CM_COTANGENT, std::asin(0.0004), 1, 1, 0, 0, 1, std::cos(std::asin(0.0004)) / 0.0004},
      {CM_SECANT, std::acos(0.0004), 1, 1, 0, 0, 1, 1 / 0.0004},
      {CM_COSECANT, std::asin(0.0004), 1, 1, 0, 0, 1, 1 / 0.0004},
      {CM_SECANT, std::acos(0.0000500001), 1, 1, 0, 0, 1, 1 / 0.0000500001},
      {CM_SECANT, std::acos(0.00004), 1, 1, 0, 0, 0, -12345},
      {CM_TANGENT, std::acos(0.00004), 1, 1, 0, 0, 0, -12345},
      {CM_COTANGENT, std::asin(0.00004), 1, 1, 0, 0, 0, -12345},
      {CM_COSECANT, std::asin(0.00004), 1, 1, 0, 0, 0, -12345},
      {CM_COTANGENT, 0, 1, 1, 0, 0, 0, -12345},
      {CM_SINE, pole, 1, 1, 0, 0, 1, 1},
      {CM_COSINE, 3.141592653589793, 1, 1, 0, 0, 1, -1},
      {CM_TANGENT, 0.3, 0, 1, 0, 2, 1, 2},
      {CM_TANGENT, pole, 0, 1, 0, 2, 0, -12345},
      {CM_SINE, 7.25, 3, 0, 0.5, -1, 1, 3 * std::sin(0.5) - 1},
      {CM_COSINE, 2, 2, 3, 1, 0, 1, 2 * std::cos(7)},
      {CM_COSECANT, 5, 1, 0, 0, 0, 0, -12345},
      {CM_SINE, 9007199254740992.0, 1, 1, 0, 0, 0, -12345},
      {CM_SINE, NAN, 1, 1, 0, 0, 0, -12345},
      {CM_COSINE, INFINITY, 1, 1, 0, 0, 0, -12345},
      {125, 0.5, 1, 1, 0, 0, 0, -12345},
      {0, 0.5, 1, 1, 0, 0, 0, -12345},
      {CM_SINE, pole, DBL_MAX, 1, 0, DBL_MAX, 1, DBL_MAX},
      {CM_SECANT, std::acos(0.00006), -DBL_MAX, 1, 0, 0, 1, -DBL_MAX},
  };
  for (const auto& c : cases) {
    GraphSettings settings = DefaultGraphSettings();
    settings.values[AModifier] = c.a;
    settings.values[BModifier] = c.b;
    settings.values[CModifier] = c.c;
    settings.values[DModifier] = c.d;
    double y = -12345;
    EXPECT_EQ(EvaluateFunction(c.x, &y, c.method, settings.values), c.defined)
        << c.method << " at " << c.x;
    EXPECT_NEAR(y, c.y, std::fabs(c.y) * 1e-9) << c.method << " at " << c.x;
  }
}

}  // namespace
}  // namespace ondrix
