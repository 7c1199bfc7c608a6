// Function evaluation with its asymptote test, and the mapping between
// world coordinates and device pixels. Pure functions, no state.
#pragma once

#include <cstdint>

#include "model/function.h"
#include "model/graph_settings.h"

namespace ondrix {

// Sine and cosine of arguments this large have lost every digit.
constexpr double kLargestArgument = 9007199254740992.0;  // 2^53

// B * x + C, the argument of the function at x, as the evaluation rounds it.
double FunctionArgument(double x, const double* values);

// y = A * f(B * x + C) + D. Returns 1 and writes y when the point is defined,
// 0 (y untouched) at an asymptote.
int EvaluateFunction(double x, double* y, Function function, const double* values);

// Half-up rounding to n decimal places.
double RoundToDecimals(double value, std::int32_t places);

// The cascaded half-up rounding that turns a scaled coordinate into a pixel.
std::int32_t RoundToPixel(double value, std::int32_t places);

std::int32_t MapXToPixel(double x, std::int32_t extent, const GraphSettings& settings);
std::int32_t MapYToPixel(double y, std::int32_t extent, const GraphSettings& settings);
double PixelToX(std::int32_t column, std::int32_t extent, const GraphSettings& settings);

}  // namespace ondrix
