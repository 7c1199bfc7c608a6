// Arbitrary settings through DrawGraph on a raster: the surface rules hold
// and the fast walk lights the same pixels as the plain one. Settings whose
// drawing is too long for a fuzzing run (too many steps or pixels) are
// compared no further.
#include "graph_fuzzing.h"
#include "render/raster_surface.h"

using namespace ondrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::Input input = fuzzing::ReadInput(data, size, 2000);
  RasterSurface fast(input.width, input.height);
  RasterSurface plain(input.width, input.height);
  for (RasterSurface* raster : {&fast, &plain}) {
    fuzzing::CheckingSurface checking(raster, 4000000);
    DrawOptions options;
    options.plainWalk = raster == &plain;
    options.shouldStop = fuzzing::StopAfter(50, checking);
    const bool finished =
        DrawGraph(checking, 0, 0, input.width, input.height, input.settings, options);
    checking.Finish();
    if (!finished || !checking.WithinInk()) {
      return 0;
    }
  }
  fuzzing::Require(fast.Pixels() == plain.Pixels(), "the fast walk and the plain walk differ");
  return 0;
}
