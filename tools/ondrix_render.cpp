// ondrix-render: renders a settings record without Windows, as a PNG image,
// as the trace of its drawing calls, or as its parsed values.
#include <cstdio>
#include <string>
#include <vector>

#include "render/draw_graph.h"
#include "render/raster_surface.h"
#include "render/trace_surface.h"
#include "tools/png_writer.h"
#include "tools/render_options.h"

namespace {

const char kUsage[] =
    "usage: ondrix-render [--size WxH] [--function sine|cosine|tangent|cotangent|secant|cosecant]\n"
    "                     [--connect connected|unconnected|none] [--grid on|off] [--sonar on|off]\n"
    "                     [--value \"NAME=TEXT\"]... [--color \"NAME=0xBBGGRR\"]...\n"
    "                     [--png FILE] [--trace] [--values]\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }

  ondrix::RenderOptions options;
  std::string error;
  if (!ondrix::ParseRenderOptions(arguments, options, error)) {
    std::fprintf(stderr, "ondrix-render: %s\n", error.c_str());
    return 2;
  }
  if (!options.values && !options.trace && options.pngPath.empty()) {
    std::fprintf(stderr, "ondrix-render: nothing to do: give --png FILE, --trace or --values\n%s",
                 kUsage);
    return 2;
  }

  if (options.values) {
    std::fputs(ondrix::FormatValues(options.settings).c_str(), stdout);
  }
  if (options.trace) {
    ondrix::TraceSurface trace;
    ondrix::DrawGraph(trace, 0, 0, options.width, options.height, options.settings);
    std::fputs(trace.Text().c_str(), stdout);
  }
  if (!options.pngPath.empty()) {
    ondrix::RasterSurface raster(options.width, options.height);
    ondrix::DrawGraph(raster, 0, 0, options.width, options.height, options.settings);
    if (!ondrix::WritePng(options.pngPath, raster, error)) {
      std::fprintf(stderr, "ondrix-render: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
