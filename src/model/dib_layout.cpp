#include "model/dib_layout.h"

namespace ondrix {

std::size_t DibRowSize(std::size_t width) {
  return (width * 3 + 3) / 4 * 4;
}

}  // namespace ondrix
