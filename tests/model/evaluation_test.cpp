#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "model/evaluation.h"
#include "model/value_text.h"

namespace ondrix {
namespace {

GraphSettings SettingsWithRange(double minimum, double maximum) {
  GraphSettings settings = DefaultGraphSettings();
  settings.values[MinimumX] = minimum;
  settings.values[MaximumX] = maximum;
  settings.values[MinimumY] = minimum;
  settings.values[MaximumY] = maximum;
  return settings;
}

// Both builds must carry long double at 64 significant bits, or the
// extended-precision steps round differently on screen and on paper.
TEST(ExtendedPrecision, LongDoubleCarriesSixtyFourBits) {
  volatile long double one = 1.0L;
  volatile long double tiny = 1.0L / 18446744073709551616.0L;  // 2^-64
  EXPECT_NE(one + tiny * 2, one);
}

TEST(RoundToDecimals, RoundsHalvesUpForBothSigns) {
  struct Case {
    double value;
    int places;
    double expected;
  };
  const Case cases[] = {
      {1.25, 1, 1.3},
      {-1.25, 1, -1.2},
      {-1.26, 1, -1.3},
      {2.5, 0, 3},
      {-2.5, 0, -2},
      {0.00004, 4, 0},
      {0.00001, 4, 0},
      {-0.00001, 4, 0},
      {-0.00005, 4, 0},
      {0.00005, 4, 0.0001},
      {-0.0000501, 4, -0.0001},
      {6.123233995736766e-17, 4, 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(RoundToDecimals(c.value, c.places), c.expected)
        << c.value << " to " << c.places << " places";
  }
}

TEST(RoundToPixel, CascadeOfHalfUpRoundings) {
  struct Case {
    double value;
    std::int32_t expected;
  };
  const Case cases[] = {
      {7.0, 7},      {12.444, 12}, {12.4449, 12}, {12.445, 13},  {12.45, 13},
      {12.4996, 13}, {12.5, 13},   {0.994, 1},    {99.995, 100}, {-0.5, 0},
      {-0.6, -1},    {-1.2, -1},   {-1.5, -1},    {-1.6, -2},    {-12.5, -12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundToPixel(c.value, 3), c.expected) << c.value;
  }
}

TEST(RoundToPixel, NoStepsForZeroOrNegativePlaces) {
  EXPECT_EQ(RoundToPixel(12.9, 0), 12);
  EXPECT_EQ(RoundToPixel(-0.1, -2), -1);
}

TEST(RoundToPixel, ClampsToTheThirtyTwoBitRange) {
  EXPECT_EQ(RoundToPixel(3e9, 3), INT32_MAX);
  EXPECT_EQ(RoundToPixel(2147483647.6, 3), INT32_MAX);
  EXPECT_EQ(RoundToPixel(-3e9, 3), INT32_MIN);
  EXPECT_EQ(RoundToPixel(-2147483648.0, 3), INT32_MIN);
  EXPECT_EQ(RoundToPixel(INFINITY, 3), INT32_MAX);
  EXPECT_EQ(RoundToPixel(-INFINITY, 3), INT32_MIN);
  EXPECT_EQ(RoundToPixel(DBL_MAX, 3), INT32_MAX);
  EXPECT_EQ(RoundToPixel(NAN, 3), INT32_MIN);
}

TEST(Mapping, WorkedValuesOnAnEightWideRange) {
  const GraphSettings settings = SettingsWithRange(-4, 4);
  struct Case {
    double world;
    std::int32_t column;
  };
  const Case xCases[] = {{-4, 0}, {0, 50}, {1, 63}, {0.98, 62}, {0.9556, 62}, {4, 100}, {-5, -12}};
  for (const Case& c : xCases) {
    EXPECT_EQ(MapXToPixel(c.world, 100, settings), c.column) << "x " << c.world;
  }
  const Case yCases[] = {{4, 0}, {0, 50}, {1, 38}, {-4, 100}};
  for (const Case& c : yCases) {
    EXPECT_EQ(MapYToPixel(c.world, 100, settings), c.column) << "y " << c.world;
  }
  EXPECT_EQ(PixelToX(0, 100, settings), -4);
  EXPECT_EQ(PixelToX(50, 100, settings), 0);
  EXPECT_EQ(PixelToX(100, 100, settings), 4);
}

TEST(Mapping, RangeEndsMapToTheExtentsOnDefaultSettings) {
  const GraphSettings settings = DefaultGraphSettings();
  for (std::int32_t extent : {1, 599, 799, 3507}) {
    EXPECT_EQ(MapXToPixel(settings.values[MinimumX], extent, settings), 0);
    EXPECT_EQ(MapXToPixel(settings.values[MaximumX], extent, settings), extent);
    EXPECT_EQ(MapYToPixel(settings.values[MaximumY], extent, settings), 0);
    EXPECT_EQ(MapYToPixel(settings.values[MinimumY], extent, settings), extent);
  }
}

TEST(Mapping, DegenerateInputsStayDefined) {
  const GraphSettings flat = SettingsWithRange(2, 2);
  EXPECT_EQ(MapXToPixel(5, 100, flat), 0);
  EXPECT_EQ(MapYToPixel(5, 100, flat), 0);
  const GraphSettings settings = SettingsWithRange(-4, 4);
  EXPECT_EQ(PixelToX(0, 0, settings), -4);  // a one-column surface shows the left edge
  EXPECT_EQ(MapYToPixel(DBL_MAX, 599, settings), INT32_MIN);
  EXPECT_EQ(MapYToPixel(-DBL_MAX, 599, settings), INT32_MAX);
  const GraphSettings huge = SettingsWithRange(-DBL_MAX, DBL_MAX);
  EXPECT_EQ(MapXToPixel(0, 799, huge), 400);
}

double Evaluate(std::int32_t method, double x, const GraphSettings& settings, int* defined) {
  double y = -12345;
  *defined = EvaluateFunction(x, &y, method, settings.values);
  return y;
}

TEST(EvaluateFunction, SixFunctionsAtOrdinaryPoints) {
  const GraphSettings settings = DefaultGraphSettings();
  const double x = 0.7;
  struct Case {
    std::int32_t method;
    double expected;
  };
  const Case cases[] = {
      {CM_SINE, std::sin(x)},
      {CM_COSINE, std::cos(x)},
      {CM_TANGENT, std::sin(x) / std::cos(x)},
      {CM_COTANGENT, std::cos(x) / std::sin(x)},
      {CM_SECANT, 1 / std::cos(x)},
      {CM_COSECANT, 1 / std::sin(x)},
  };
  for (const Case& c : cases) {
    int defined = 0;
    const double y = Evaluate(c.method, x, settings, &defined);
    EXPECT_EQ(defined, 1) << c.method;
    EXPECT_NEAR(y, c.expected, 1e-15) << c.method;
  }
}

TEST(EvaluateFunction, AsymptoteTestLooksAtTheRoundedDenominator) {
  GraphSettings settings = DefaultGraphSettings();
  int defined = 1;
  // Tangent at the double nearest to pi/2: the cosine is about 6.1e-17.
  double y = Evaluate(CM_TANGENT, 1.5707963267948966, settings, &defined);
  EXPECT_EQ(defined, 0);
  EXPECT_EQ(y, -12345) << "y must stay untouched";
  // Cotangent and cosecant at an exact 0: undefined, and no division by zero.
  Evaluate(CM_COTANGENT, 0.0, settings, &defined);
  EXPECT_EQ(defined, 0);
  Evaluate(CM_COSECANT, 0.0, settings, &defined);
  EXPECT_EQ(defined, 0);

  // Secant where the cosine is 0.00005 is defined; 0.00004 is not.
  const double defined_x = std::acos(0.0000500001);
  const double cosine = std::cos(defined_x);
  ASSERT_GE(RoundToDecimals(cosine, 4), 0.0001);
  y = Evaluate(CM_SECANT, defined_x, settings, &defined);
  EXPECT_EQ(defined, 1);
  EXPECT_NEAR(y, 1 / cosine, 1e-9);
  Evaluate(CM_SECANT, std::acos(0.00004), settings, &defined);
  EXPECT_EQ(defined, 0);
}

TEST(EvaluateFunction, ModifiersApplyInsideAndOutside) {
  GraphSettings settings = DefaultGraphSettings();
  settings.values[AModifier] = 0;
  settings.values[DModifier] = 2;
  int defined = 0;
  EXPECT_EQ(Evaluate(CM_TANGENT, 0.3, settings, &defined), 2);
  EXPECT_EQ(defined, 1);
  Evaluate(CM_TANGENT, 1.5707963267948966, settings, &defined);
  EXPECT_EQ(defined, 0) << "A = 0 still has the asymptotes";

  settings = DefaultGraphSettings();
  settings.values[AModifier] = 3;
  settings.values[BModifier] = 0;
  settings.values[CModifier] = 0.5;
  settings.values[DModifier] = -1;
  for (double x : {-100.0, 0.0, 7.25}) {
    EXPECT_DOUBLE_EQ(Evaluate(CM_SINE, x, settings, &defined), 3 * std::sin(0.5) - 1);
    EXPECT_EQ(defined, 1);
  }
  settings.values[CModifier] = 0;
  Evaluate(CM_COSECANT, 5.0, settings, &defined);
  EXPECT_EQ(defined, 0) << "B = 0 with sin(C) = 0 has no point at all";
}

TEST(EvaluateFunction, SineAndCosineAreAlwaysDefined) {
  GraphSettings settings = DefaultGraphSettings();
  for (double x : {-1e6, -3.0, 0.0, 1.5707963267948966, 3.141592653589793, 1e6}) {
    int defined = 0;
    Evaluate(CM_SINE, x, settings, &defined);
    EXPECT_EQ(defined, 1);
    Evaluate(CM_COSINE, x, settings, &defined);
    EXPECT_EQ(defined, 1);
  }
}

TEST(EvaluateFunction, OutOfDomainInputsAreUndefined) {
  GraphSettings settings = DefaultGraphSettings();
  int defined = 1;
  Evaluate(CM_SINE, 9007199254740992.0, settings, &defined);  // 2^53
  EXPECT_EQ(defined, 0);
  Evaluate(CM_SINE, NAN, settings, &defined);
  EXPECT_EQ(defined, 0);
  Evaluate(CM_COSINE, INFINITY, settings, &defined);
  EXPECT_EQ(defined, 0);
  Evaluate(125, 0.5, settings, &defined);  // CM_EXIT is no function
  EXPECT_EQ(defined, 0);
  Evaluate(0, 0.5, settings, &defined);
  EXPECT_EQ(defined, 0);
}

TEST(EvaluateFunction, ResultsBeyondTheDoubleRangeAreClamped) {
  GraphSettings settings = DefaultGraphSettings();
  settings.values[AModifier] = DBL_MAX;
  settings.values[DModifier] = DBL_MAX;
  int defined = 0;
  EXPECT_EQ(Evaluate(CM_SINE, 1.5707963267948966, settings, &defined), DBL_MAX);
  EXPECT_EQ(defined, 1);
  settings.values[AModifier] = -DBL_MAX;
  settings.values[DModifier] = 0;
  EXPECT_EQ(Evaluate(CM_SECANT, std::acos(0.00006), settings, &defined), -DBL_MAX);
  EXPECT_EQ(defined, 1);
}

}  // namespace
}  // namespace ondrix
