// Command-line handling of ondrix-render, kept apart from main() so that the
// unit tests can reach it.
#pragma once

#include <string>
#include <vector>

#include "model/graph_settings.h"
#include "render/draw_graph.h"

namespace ondrix {

struct RenderOptions {
  int width = 800;
  int height = 600;
  GraphSettings settings{};
  std::string pngPath;
  std::string svgPath;
  bool trace = false;
  bool values = false;
  std::int32_t numbers = 0;  // 1: axis numbers on
  std::int32_t numberScale = 1;
};

// Parses the arguments (without the program name). On failure returns false
// and puts a one-line message naming the bad argument into `error`.
bool ParseRenderOptions(const std::vector<std::string>& arguments, RenderOptions& options,
                        std::string& error);

// The usage text, several lines, each ending in '\n': every option with the
// form of its value, from the table that the parser reads.
std::string RenderUsage();

// Whether the options ask for any output, and the message when they do not.
bool HasOutput(const RenderOptions& options);
std::string NothingToDoMessage();

// How DrawGraph draws for these options (axis numbers and their scale).
DrawOptions DrawOptionsOf(const RenderOptions& options);

// The --values listing: NAME, tab, text, tab, the double with %.17g; one line each.
std::string FormatValues(const GraphSettings& settings);

}  // namespace ondrix
