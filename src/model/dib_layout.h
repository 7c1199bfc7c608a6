// The layout of the 24-bit device-independent bitmap that Copy Graph puts on
// the clipboard.
#pragma once

#include <cstddef>

namespace ondrix {

// Bytes in one row of `width` pixels of three bytes, padded to a multiple of 4.
std::size_t DibRowSize(std::size_t width);

}  // namespace ondrix
