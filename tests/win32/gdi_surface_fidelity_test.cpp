// GdiSurface against RasterSurface and the fixed programs' fingerprints:
// the same calls through real GDI into a 32-bit DIB section must give the
// same pixels.
#include "render/gdi_surface_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../render/surface_programs.h"
#include "dib_canvas_win.h"
#include "model/command_ids.h"
#include "model/graph_settings.h"
#include "model/value_text.h"
#include "render/draw_graph.h"
#include "render/raster_surface.h"
#include "render/trace_surface.h"

namespace ondrix::test {
namespace {

TEST(GdiSurfaceFidelityTest, FixedProgramsGiveTheirPixelsThroughGdi) {
  for (const FixedProgram& program : FixedPrograms()) {
    if (program.text) {
      continue;
    }
    DibCanvas canvas(program.width, program.height);
    ASSERT_TRUE(canvas.Ready()) << program.name;
    std::string results;
    {
      GdiSurface gdi(canvas.Dc());
      for (const Op& op : program.program) {
        results += Apply(gdi, op) + ';';
      }
    }
    GdiFlush();
    const auto pixel = [&canvas](std::int32_t x, std::int32_t y) { return canvas.PixelAt(x, y); };
    EXPECT_EQ(Fingerprint(results, program.width, program.height, pixel), program.expected)
        << program.name;
  }
}

// Runs a program on a fresh DC and a fresh RasterSurface, comparing what each
// call hands back and every pixel after each drawing call.
void RunProgram(std::int32_t width, std::int32_t height, const std::vector<Op>& program,
                long long& inked) {
  DibCanvas canvas(width, height);
  ASSERT_TRUE(canvas.Ready());
  RasterSurface raster(width, height, 0x00000000);
  GdiSurface gdi(canvas.Dc());
  for (std::size_t i = 0; i < program.size(); ++i) {
    ASSERT_EQ(Apply(gdi, program[i]), Apply(raster, program[i])) << "call " << i;
    GdiFlush();
    for (std::int32_t y = 0; y < height; ++y) {
      for (std::int32_t x = 0; x < width; ++x) {
        ASSERT_EQ(canvas.PixelAt(x, y), raster.PixelAt(x, y))
            << width << 'x' << height << ", call " << i << ", pixel " << x << ',' << y;
        inked += i + 1 == program.size() && raster.PixelAt(x, y) != 0 ? 1 : 0;
      }
    }
  }
}

// Random programs: polylines of every kind, rectangles, pixels, pens, colours.
class ProgramMaker {
 public:
  explicit ProgramMaker(std::uint32_t seed) : random_(seed) {}

  std::vector<Op> Make(std::int32_t width, std::int32_t height, int length) {
    width_ = width;
    height_ = height;
    std::vector<Op> program;
    while (static_cast<int>(program.size()) < length) {
      const int choice = Uniform(0, 99);
      if (choice < 45) {
        AddPolyline(program);
      } else if (choice < 60) {
        program.push_back(Fill(X(), Y(), X(), Y(), MakeColor()));
      } else if (choice < 70) {
        program.push_back(At(OpKind::Pixel, X(), Y(), MakeColor()));
      } else if (choice < 82) {
        const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash};
        program.push_back(Pen(styles[Uniform(0, 2)], MakeColor()));
      } else if (choice < 90) {
        program.push_back({OpKind::RestorePen});
      } else if (choice < 97) {
        program.push_back(Background(MakeColor()));
      } else {
        program.push_back(At(OpKind::Viewport, Uniform(-5, 5000), Uniform(-5, 5000)));
      }
    }
    return program;
  }

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::int32_t Coordinate(std::int32_t size) {
    const int kind = Uniform(0, 99);
    if (kind < 45) {
      return Uniform(-8, size + 8);
    }
    if (kind < 60) {
      return Uniform(-3000, 3000);
    }
    if (kind < 85) {
      return Uniform(-3000000, 3000000);
    }
    if (kind < 95) {
      // Around and past the crop limit of 2^28.
      const std::int32_t magnitude =
          Uniform(0, 1) != 0 ? 0x10000000 + Uniform(-64, 64) : Uniform(0x10000000, kIntMax);
      return Uniform(0, 1) != 0 ? magnitude : -magnitude;
    }
    const std::int32_t extremes[] = {kIntMin,     kIntMin + 1, kIntMax,
                                     kIntMax - 1, -0x10000000, 0x10000000};
    return extremes[Uniform(0, 5)];
  }
  std::int32_t X() { return Coordinate(width_); }
  std::int32_t Y() { return Coordinate(height_); }

  Color MakeColor() {
    const int kind = Uniform(0, 99);
    const Color rgb = std::uniform_int_distribution<Color>(0, 0x00FFFFFF)(random_);
    if (kind < 80) {
      return rgb;
    }
    if (kind < 85) {
      return 0x01000000 | static_cast<Color>(Uniform(0, 30));
    }
    if (kind < 90) {
      return 0x10FF0000 | static_cast<Color>(Uniform(0, 300));
    }
    return std::uniform_int_distribution<Color>()(random_);
  }

  static std::int64_t Clamp(std::int64_t value) {
    return value < kIntMin ? kIntMin : value > kIntMax ? kIntMax : value;
  }

  void AddPolyline(std::vector<Op>& program) {
    std::int32_t x = X();
    std::int32_t y = Y();
    program.push_back(At(OpKind::Move, x, y));
    const int vertices = Uniform(1, 6);
    for (int i = 0; i < vertices; ++i) {
      const int kind = Uniform(0, 99);
      if (kind < 20) {
        y = Y();  // vertical
      } else if (kind < 40) {
        x = X();  // horizontal
      } else if (kind < 50) {
        // A short hop, wherever the pen is: far off, it may cross the crop limit.
        x = static_cast<std::int32_t>(Clamp(static_cast<std::int64_t>(x) + Uniform(-9, 9)));
        y = static_cast<std::int32_t>(Clamp(static_cast<std::int64_t>(y) + Uniform(-9, 9)));
      } else if (kind < 65) {
        // On through a point of the surface, so that far lines cross it.
        const std::int64_t nextX = 2 * static_cast<std::int64_t>(Uniform(0, width_ - 1)) - x;
        const std::int64_t nextY = 2 * static_cast<std::int64_t>(Uniform(0, height_ - 1)) - y;
        if (nextX >= kIntMin && nextX <= kIntMax && nextY >= kIntMin && nextY <= kIntMax) {
          x = static_cast<std::int32_t>(nextX);
          y = static_cast<std::int32_t>(nextY);
        } else {
          x = X();
          y = Y();
        }
      } else {
        x = X();
        y = Y();
      }
      program.push_back(At(OpKind::Line, x, y));
    }
  }

  std::mt19937 random_;
  std::int32_t width_ = 1;
  std::int32_t height_ = 1;
};

TEST(GdiSurfaceFidelityTest, RandomProgramsGiveTheSamePixelsAsGdi) {
  const struct {
    std::int32_t width, height;
    int programs;
  } sizes[] = {{1, 1, 300},   {1, 9, 200},   {9, 1, 200},   {2, 2, 200},
               {16, 16, 200}, {37, 23, 200}, {64, 48, 150}, {200, 150, 50}};
  ProgramMaker maker(20261206);
  long long inked = 0;
  long long pixels = 0;
  for (const auto& size : sizes) {
    for (int i = 0; i < size.programs; ++i) {
      RunProgram(size.width, size.height, maker.Make(size.width, size.height, 60), inked);
      pixels += size.width * size.height;
      if (HasFatalFailure()) {
        return;
      }
    }
  }
  // The programs must draw, or equal pixels would prove nothing.
  EXPECT_GT(inked, pixels / 10);
}

struct GraphCase {
  std::string name;
  GraphSettings settings;
};

GraphSettings WithValues(GraphSettings settings,
                         const std::vector<std::pair<GraphValue, const char*>>& values) {
  for (const auto& value : values) {
    SetValueText(settings.valueTexts[value.first], value.second);
  }
  ParseValueTexts(settings);
  return settings;
}

GraphSettings WithFunction(std::int32_t function, std::int32_t connection) {
  GraphSettings settings = DefaultGraphSettings();
  settings.graphMethod = function;
  SetFunctionNameFromMethod(settings);
  settings.connectMethod = connection;
  return settings;
}

// Every function in every connection method with grid and sonar on and off,
// then each function and method again over unusual numbers, and settings
// that cannot be drawn.
std::vector<GraphCase> GraphCorpus() {
  std::vector<GraphCase> corpus;
  const std::int32_t connections[] = {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION};
  for (const std::int32_t function : kFunctionMethods) {
    for (const std::int32_t connection : connections) {
      for (int switches = 0; switches < 4; ++switches) {
        GraphSettings settings = WithFunction(function, connection);
        settings.grid = switches & 1;
        settings.sonar = (switches >> 1) & 1;
        corpus.push_back({std::string(settings.functionName) + " " + std::to_string(connection) +
                              " switches " + std::to_string(switches),
                          settings});
      }
    }
  }
  const std::vector<std::pair<const char*, std::vector<std::pair<GraphValue, const char*>>>>
      unusual = {
          {"x range right of 0", {{MinimumX, "1"}, {MaximumX, "5"}, {XTickFrequency, "0.5"}}},
          {"x range left of 0", {{MinimumX, "-7p"}, {MaximumX, "-p"}}},
          {"y range above 0", {{MinimumY, "0.5"}, {MaximumY, "4"}}},
          {"steep", {{AModifier, "1000000"}, {MinimumY, "-3"}, {MaximumY, "3"}}},
          {"huge amplitude", {{AModifier, "1e12"}, {BModifier, "7"}}},
          {"asymptote on the axis", {{CModifier, ".5p"}, {SonarWidth, ".05"}}},
          {"dense ticks", {{XTickFrequency, "0.01"}, {YTickFrequency, "0.02"}}},
          {"wide range", {{MinimumX, "-100p"}, {MaximumX, "100p"}, {CModifier, "0.5"}}},
          {"tiny range",
           {{MinimumX, "1e-9"}, {MaximumX, "2e-9"}, {XTickFrequency, "1e-10"}, {BModifier, "1e9"}}},
          {"big marks", {{TickMarkSize, "3"}, {SonarWidth, "1"}}},
          {"no marks", {{TickMarkSize, "0"}, {SonarWidth, "-1"}}},
      };
  for (const auto& numbers : unusual) {
    for (const std::int32_t function : kFunctionMethods) {
      for (const std::int32_t connection : connections) {
        GraphSettings settings = WithFunction(function, connection);
        settings.sonar = 1;
        corpus.push_back({std::string(numbers.first) + " " + settings.functionName + " " +
                              std::to_string(connection),
                          WithValues(settings, numbers.second)});
      }
    }
  }
  const std::vector<std::pair<const char*, std::vector<std::pair<GraphValue, const char*>>>>
      undrawable = {
          {"equal x range", {{MinimumX, "2"}, {MaximumX, "2"}}},
          {"reversed y range", {{MinimumY, "4"}, {MaximumY, "-4"}}},
          {"negative tick", {{YTickFrequency, "-1"}}},
          {"zero tick", {{XTickFrequency, "0"}}},
      };
  for (const auto& numbers : undrawable) {
    corpus.push_back({numbers.first, WithValues(DefaultGraphSettings(), numbers.second)});
  }
  return corpus;
}

bool IsDrawable(const GraphSettings& settings, std::int32_t width, std::int32_t height) {
  TraceSurface trace;
  DrawGraph(trace, 0, 0, width, height, settings);
  return trace.Text().find("\ntext ") == std::string::npos;
}

TEST(GdiSurfaceFidelityTest, DrawGraphGivesTheSamePixelsThroughGdi) {
  struct Size {
    std::int32_t width;
    std::int32_t height;
  };
  const Size sizes[] = {{1, 1}, {2, 2}, {37, 23}, {319, 201}, {800, 600}, {1920, 1080}};
  const std::int32_t sizeCount = sizeof sizes / sizeof sizes[0];
  const std::vector<GraphCase> corpus = GraphCorpus();
  ASSERT_GE(corpus.size(), 200u);
  for (std::size_t index = 0; index < corpus.size(); ++index) {
    const GraphCase& graph = corpus[index];
    // Each record on a small and a large surface, the sizes rotating.
    for (const std::size_t pick : {index % sizeCount, (index + sizeCount / 2) % sizeCount}) {
      const Size& size = sizes[pick];
      DibCanvas canvas(size.width, size.height);
      ASSERT_TRUE(canvas.Ready());
      DrawGraph(canvas.Dc(), 0, 0, size.width, size.height, graph.settings);
      RasterSurface raster(size.width, size.height, 0x00000000);
      DrawGraph(raster, 0, 0, size.width, size.height, graph.settings);
      GdiFlush();
      // The error line is text, which the two surfaces write in different
      // fonts: leave out the box either of them may cover.
      std::int32_t textRight = 0;
      std::int32_t textBottom = 0;
      if (!IsDrawable(graph.settings, size.width, size.height)) {
        const int length = static_cast<int>(std::strlen(kGraphErrorText));
        SIZE extent{};
        GetTextExtentPoint32A(canvas.Dc(), kGraphErrorText, length, &extent);
        textRight = std::max<std::int32_t>(extent.cx, 6 * length);
        textBottom = std::max<std::int32_t>(extent.cy, 10);
      }
      std::set<Color> colours;
      for (std::int32_t y = 0; y < size.height; ++y) {
        for (std::int32_t x = 0; x < size.width; ++x) {
          if (x < textRight && y < textBottom) {
            continue;
          }
          colours.insert(raster.PixelAt(x, y));
          ASSERT_EQ(canvas.PixelAt(x, y), raster.PixelAt(x, y))
              << graph.name << " at " << size.width << 'x' << size.height << ", pixel " << x << ','
              << y;
        }
      }
      // Background, axes and at least the curve or the marks.
      if (size.width >= 300 && textRight == 0) {
        EXPECT_GE(colours.size(), 3u) << graph.name;
      }
    }
  }
}

// The fixed programs check the pens' pixels; here each restored pen is
// deleted and the destructor unwinds what is still selected.
TEST(GdiSurfaceTest, PensAreRestoredAsAStackAndDeleted) {
  DibCanvas canvas(4, 4);
  ASSERT_TRUE(canvas.Ready());
  const HDC dc = canvas.Dc();
  const HGDIOBJ original = GetCurrentObject(dc, OBJ_PEN);
  HGDIOBJ dotted = nullptr;
  {
    GdiSurface surface(dc);
    surface.SelectPen(PenStyle::Dot, 0x000000FF);
    dotted = GetCurrentObject(dc, OBJ_PEN);
    surface.SelectPen(PenStyle::Dash, 0x00FF0000);
    const HGDIOBJ dashed = GetCurrentObject(dc, OBJ_PEN);
    surface.RestorePen();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), dotted);
    EXPECT_EQ(GetObjectType(dashed), 0u);
    surface.SelectPen(PenStyle::Solid, 0x0000FF00);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), original);
  EXPECT_EQ(GetObjectType(dotted), 0u);
}

TEST(GdiSurfaceTest, DrawingLeavesNoObjectsBehind) {
  // More rounds than a process may hold GDI objects: a leaked pen or brush
  // would exhaust them, and the last rectangle would miss its colour.
  DibCanvas canvas(2, 2);
  ASSERT_TRUE(canvas.Ready());
  GdiSurface surface(canvas.Dc());
  for (int i = 0; i < 70000; ++i) {
    surface.SelectPen(PenStyle::Dot, static_cast<Color>(i));
    surface.FillRectangle(0, 0, 2, 2, static_cast<Color>(i));
    surface.RestorePen();
  }
  surface.FillRectangle(0, 0, 2, 2, 0x00345678);
  GdiFlush();
  EXPECT_EQ(canvas.PixelAt(1, 1), 0x00345678u);
}

TEST(GdiSurfaceTest, TextIsDarkOnTheBackgroundColourWithinItsExtent) {
  constexpr Color kBackground = 0x0000FF00;
  DibCanvas canvas(200, 40);
  ASSERT_TRUE(canvas.Ready());
  GdiSurface surface(canvas.Dc());
  surface.SetBackgroundColor(kBackground);
  const std::string text = "Error in Graph.";
  surface.TextOut(3, 5, text);
  SIZE extent{};
  ASSERT_TRUE(
      GetTextExtentPoint32A(canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &extent));
  GdiFlush();
  long dark = 0;
  long background = 0;
  for (std::int32_t y = 0; y < 40; ++y) {
    for (std::int32_t x = 0; x < 200; ++x) {
      const Color color = canvas.PixelAt(x, y);
      const bool inside = x >= 3 && x < 3 + extent.cx && y >= 5 && y < 5 + extent.cy;
      if (!inside) {
        EXPECT_EQ(color, 0x00000000u) << x << ',' << y;
        continue;
      }
      // Glyph edges may be smoothed, so "dark" rather than black.
      dark += (color & 0x00C0C0C0) == 0 ? 1 : 0;
      background += color == kBackground ? 1 : 0;
    }
  }
  EXPECT_GT(dark, 20);
  EXPECT_GT(background, dark);
}

}  // namespace
}  // namespace ondrix::test
