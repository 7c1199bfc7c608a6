#include "model/function.h"

#include "model/command_ids.h"

namespace ondrix {

const std::int32_t kFunctionMethods[kFunctionCount] = {CM_SINE,      CM_COSINE, CM_TANGENT,
                                                       CM_COTANGENT, CM_SECANT, CM_COSECANT};

std::optional<Function> FunctionOfMethod(std::int32_t method) {
  for (int i = 0; i < kFunctionCount; ++i) {
    if (kFunctionMethods[i] == method) {
      return static_cast<Function>(i);
    }
  }
  return std::nullopt;
}

std::int32_t MethodOfFunction(Function function) {
  return kFunctionMethods[static_cast<int>(function)];
}

bool IsFunctionMethod(std::int32_t method) {
  return FunctionOfMethod(method).has_value();
}

const char* FunctionName(Function function) {
  static const char* const kNames[kFunctionCount] = {"Sine",      "Cosine", "Tangent",
                                                     "Cotangent", "Secant", "Cosecant"};
  return kNames[static_cast<int>(function)];
}

}  // namespace ondrix
