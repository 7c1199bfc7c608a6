// Numbers as texts: the shortest value texts that read back exactly, and the
// short display texts of axis numbers and readouts.
#pragma once

#include <string>
#include <string_view>

namespace ondrix {

// A value text that ends in "p" or "P", which multiplies it by pi.
bool IsPiText(std::string_view text);

// The value ParseValueTexts gives one text (trailing "p" times pi, "p..." pi,
// results held to the finite range). Texts longer than 49 characters are cut.
double ReadValueText(std::string_view text);

// The shortest text that ReadValueText reads back as exactly `value`, at most
// 49 characters. With `piForm` the shortest "Np" text ("p", "-1p", "0.5p",
// "2p") where one reads back exactly, otherwise a plain decimal ("0.5", "12",
// "1e20", "-1.5e-7"). Zero of either sign is "0" (or "0p").
std::string ShortestExactText(double value, bool piForm);

// The shortest text whose value, as ReadValueText reads it, lies in
// [low, high]: with `piForm` only "Np" texts. Empty when no text does.
std::string ShortestTextWithin(double low, double high, bool piForm);

// A number for display, rounded to the coarsest power of ten not above
// `resolution` (values `resolution` apart get distinct texts), trailing zeros
// dropped: "0.25", "−3", "1.5e+6", "2e−7". Minus is U+2212; never "−0".
std::string DisplayNumberText(double value, double resolution);

// The number of an axis grid line: `value` is a multiple of `labelStep`, the
// distance between neighbouring labels. Decimals as short as neighbours
// allow ("0.5", "1", "1e+6"); with `piBased`, multiples of π ("π/2", "−π",
// "3π/2", "2π", "0.37π" where no small fraction fits). UTF-8 of the
// characters 0-9 . e + / π − only.
std::string AxisLabelText(double value, double labelStep, bool piBased);

// `value` in multiples of π for display: a fraction of a denominator that
// divides 12 within half `resolution` ("π/2", "−3π/4", "2π"), otherwise a
// decimal times π at that resolution ("0.4987π").
std::string PiDisplayText(double value, double resolution);

}  // namespace ondrix
