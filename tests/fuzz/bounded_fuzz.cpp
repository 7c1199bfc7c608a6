// Settings whose plain walk is far too long for a fuzzing run, up to the
// tool's largest sizes: the fast walk alone, checked by the surface rules,
// also when a stop poll abandons it.
#include "graph_fuzzing.h"

using namespace ondrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::Input input = fuzzing::ReadInput(data, size, 32767);
  fuzzing::CheckingSurface checking(nullptr);
  DrawOptions options;
  options.shouldStop = fuzzing::StopAfter(200, checking);
  DrawGraph(checking, 0, 0, input.width, input.height, input.settings, options);
  checking.Finish();
  return 0;
}
