// ondrix-render: renders a settings record without Windows, as a PNG image,
// as an SVG drawing, as the trace of its drawing calls, or as its parsed values.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "render/draw_graph.h"
#include "render/raster_surface.h"
#include "render/svg_surface.h"
#include "render/trace_surface.h"
#include "tools/file_output.h"
#include "tools/png_writer.h"
#include "tools/render_options.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "ondrix-render: %s\n", message.c_str());
  return 1;
}

int WriteFailure() {
  return Fail(std::string("cannot write to standard output: ") +
              (errno != 0 ? std::strerror(errno) : "write error"));
}

int Run(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    std::fputs(ondrix::RenderUsage().c_str(), stdout);
    return 0;
  }

  ondrix::RenderOptions options;
  std::string error;
  if (!ondrix::ParseRenderOptions(arguments, options, error)) {
    std::fprintf(stderr, "ondrix-render: %s\n", error.c_str());
    return 2;
  }
  if (!ondrix::HasOutput(options)) {
    std::fprintf(stderr, "ondrix-render: %s\n%s", ondrix::NothingToDoMessage().c_str(),
                 ondrix::RenderUsage().c_str());
    return 2;
  }

  errno = 0;
  if (options.values) {
    std::fputs(ondrix::FormatValues(options.settings).c_str(), stdout);
  }
  if (options.trace) {
    // Streamed: a trace at a wide range runs to gigabytes. A failed write
    // abandons the drawing at the next stop poll.
    std::fflush(stdout);
    ondrix::TraceSurface trace(std::cout);
    ondrix::DrawOptions drawOptions = ondrix::DrawOptionsOf(options);
    drawOptions.shouldStop = [] { return !std::cout; };
    ondrix::DrawGraph(trace, 0, 0, options.width, options.height, options.settings, drawOptions);
    if (!std::cout.flush()) {
      return WriteFailure();
    }
  }
  if (!options.pngPath.empty()) {
    ondrix::RasterSurface raster(options.width, options.height);
    ondrix::DrawGraph(raster, 0, 0, options.width, options.height, options.settings,
                      ondrix::DrawOptionsOf(options));
    if (!ondrix::WritePng(options.pngPath, raster, error)) {
      return Fail(error);
    }
  }
  if (!options.svgPath.empty()) {
    ondrix::SvgSurface svg(options.width, options.height);
    ondrix::DrawGraph(svg, 0, 0, options.width, options.height, options.settings,
                      ondrix::DrawOptionsOf(options));
    if (!ondrix::WriteFileReplacing(options.svgPath, svg.Document(), error)) {
      return Fail(error);
    }
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    return WriteFailure();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
  // A closed pipe is a write failure like any other, reported and not fatal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    return Fail("out of memory");
  } catch (const std::exception& exception) {
    return Fail(exception.what());
  }
}
