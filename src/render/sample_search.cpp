#include "render/sample_search.h"

#include <cstdlib>

#include "model/drawability.h"

namespace ondrix {

Run MakeRun(std::int32_t first, std::int32_t direction, double frequency, double minimum,
            double maximum) {
  Run run{first, direction, frequency, 0};
  // The drawable check ends every run before the counter limit.
  const std::int64_t limit = std::int64_t{kLargestCount} - std::abs(first) + 1;
  run.count = FirstWhere(0, limit, [&](std::int64_t i) {
    const double value = run.At(i);
    return direction > 0 ? !(value <= maximum) : !(value >= minimum);
  });
  return run;
}

}  // namespace ondrix
