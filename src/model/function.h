// The six functions a graph can show, and pi. The settings record keeps the
// function as its command ID, which is also the stored Graph Method; the ID
// is turned into a Function where the record is drawn or named, so that
// everything past that point works on the six functions alone.
#pragma once

#include <cstdint>
#include <optional>

namespace ondrix {

// In extended precision for the zeros of the curve walk far from 0.
constexpr long double kPiExtended = 3.141592653589793238462643383279502884L;
// The double nearest to pi, which the value texts' "p" multiplies by.
constexpr double kPi = static_cast<double>(kPiExtended);

// In menu order.
enum class Function { Sine, Cosine, Tangent, Cotangent, Secant, Cosecant };
constexpr int kFunctionCount = 6;

// The command ID of each function, in menu order.
extern const std::int32_t kFunctionMethods[kFunctionCount];

// The function of a command ID; none for any other ID, such as a damaged
// stored one, which must survive a load and a save unchanged.
std::optional<Function> FunctionOfMethod(std::int32_t method);
std::int32_t MethodOfFunction(Function function);
bool IsFunctionMethod(std::int32_t method);

// "Sine" to "Cosecant": the function name of the caption and of printing.
const char* FunctionName(Function function);

}  // namespace ondrix
