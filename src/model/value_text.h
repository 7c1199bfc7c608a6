// The number texts of the settings and their conversion to doubles.
#pragma once

#include <cstddef>
#include <string_view>

#include "model/function.h"
#include "model/graph_settings.h"

namespace ondrix {

// Reads the decimal form [blanks][sign]digits[.digits][e[sign]digits] at the
// start of the text and ignores the rest. No number gives 0; beyond the double
// range gives the largest finite double with the number's sign; below the
// smallest subnormal gives zero. Infinity and NaN words are not numbers.
double ConvertDecimalText(std::string_view text);

// Sets all twelve values from the twelve texts (trailing "p" multiplies by
// pi) and rewrites "-p" and "-P" to "-1p" in place.
void ParseValueTexts(GraphSettings& settings);

// Length of a text in a fixed field that may lack its NUL: never looks past
// `size` bytes.
std::size_t BoundedLength(const char* text, std::size_t size);

// Length of a value text, never looking past its 50 bytes.
int ValueTextLength(const char (&text)[kValueTextSize]);

// Copies at most 49 characters and a NUL into a value text.
void SetValueText(char (&text)[kValueTextSize], std::string_view value);

}  // namespace ondrix
