#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "model/value_text.h"
#include "render/draw_graph.h"
#include "render/trace_surface.h"
#include "tools/png_writer.h"
#include "tools/render_options.h"

#if ONDRIX_HAVE_PNG
#include <png.h>
#include <unistd.h>
#endif

namespace ondrix {
namespace {

TEST(RenderOptions, EveryOptionReachesTheSettings) {
  RenderOptions options;
  std::string error;
  std::ostringstream stream;
  ASSERT_TRUE(ParseRenderOptions({}, options, error)) << error;
  EXPECT_EQ(options.width * 1000 + options.height, 800600);
  EXPECT_FALSE(options.trace || options.values || !options.pngPath.empty());
  ASSERT_TRUE(ParseRenderOptions(
      {"--size", "32767x3051", "--function=cotangent", "--connect", "unconnected", "--grid=off",
       "--sonar=on", "--value=Minimum X=-p", "--value", "Maximum X=7=2", "--value",
       "A Modifier=" + std::string(49, '2'), "--color=Axis Color=0x00ABCDEF",
       "--color=Grid Line Color=0xFFFFFF", "--color=Point Color=0x0", "--png", "out.png",
       "--trace"},
      options, error))
      << error;
  const GraphSettings& s = options.settings;
  EXPECT_EQ(options.width * 10000 + options.height, 327673051);
  EXPECT_EQ(s.graphMethod * 1000 + s.connectMethod, CM_COTANGENT * 1000 + CM_UNCONNECTED_DOTS);
  EXPECT_EQ(std::string(s.functionName) + s.valueTexts[MinimumX] + s.valueTexts[MaximumX],
            "Cotangent-1p7=2");
  EXPECT_EQ(s.grid * 10 + s.sonar + s.values[MinimumX], 1 - kPi);
  EXPECT_EQ(ValueTextLength(s.valueTexts[AModifier]), 49);
  EXPECT_EQ(s.colors[Axis] + s.colors[GridLine] * 2 + s.colors[Point], 0xABCDEFu + 0x1FFFFFEu);
  EXPECT_TRUE(options.pngPath == "out.png" && options.trace && !options.values);
  // The trace streamed as it is drawn holds what the kept one does.
  TraceSurface kept, streamed(stream);
  DrawGraph(kept, 0, 0, 300, 200, options.settings);
  DrawGraph(streamed, 0, 0, 300, 200, options.settings);
  EXPECT_EQ(stream.str() + streamed.Text(), kept.Text());
  ASSERT_TRUE(ParseRenderOptions({"--values", "--size", "10000x10000"}, options, error)) << error;
  EXPECT_TRUE(options.values && !options.trace);
  const std::string listing = FormatValues(DefaultGraphSettings());
  EXPECT_NE(listing.find("X Tick Mark Frequency\t.0833333333333333p\t0.26179938779914935\n"
                         "Minimum Y\t-4\t-4\n"),
            std::string::npos)
      << listing;
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), kValueCount);
}

// Each case one argument, "--option=value" naming the value to find in the message.
TEST(RenderOptions, BadArgumentsGiveAMessageNamingThem) {
  std::istringstream cases(
      "--bogus|--size=800|--size=0x600|--size=-5x600|--size=800x600x2|--size=32768x1|"
      "--size=99999999999999999999x2|--size=10000x10001|--function=sinus|--connect=dotted|"
      "--grid=yes|--sonar=|--value==5|--value=Minimum=5|--value=Minimum X|--value=Minimum X="
      "11111111111111111111111111111111111111111111111111|--color=Axis Color=123456|"
      "--color=Axis Color=0x1000000|--color=Axis Color=0x000000001|--color=Axis Color=0xGG|"
      "--color=Axis Color=0x|--color=Axis=0x10|--png|--png=|--trace=yes");
  for (std::string argument; std::getline(cases, argument, '|');) {
    RenderOptions options;
    std::string error;
    EXPECT_FALSE(ParseRenderOptions({argument}, options, error)) << argument;
    EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
    const std::string bad = argument.substr(argument.find('=') + 1, 20);
    EXPECT_TRUE(bad.empty() || argument.rfind("--png", 0) == 0 || error.find(bad) != error.npos)
        << error;
  }
}

#if ONDRIX_HAVE_PNG
TEST(PngWriter, WritesEveryPixelAsRgbAndReportsWhatCannotBeWritten) {
  std::string dir = ::testing::TempDir() + "ondrix-png-XXXXXX", error;
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  const std::string path = dir + "/graph.png";
  EXPECT_FALSE(WritePng(path, RasterSurface(0, 5), error));
  EXPECT_EQ(error, "cannot write " + path + ": a PNG image needs at least one pixel");
  EXPECT_FALSE(WritePng(dir + "/no/graph.png", RasterSurface(4, 5), error));
  EXPECT_EQ(error, "cannot write " + dir + "/no/graph.png: No such file or directory");
  RasterSurface surface(3, 2, 0x00FFFFFF);
  const Color colors[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00123456, 0x00FFFFFF, 0};
  for (int i = 0; i < 6; ++i) {
    surface.SetPixel(i % 3, i / 3, colors[i]);
  }
  ASSERT_TRUE(WritePng(path, surface, error)) << error;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  EXPECT_EQ(image.width * 10 + image.height + (image.format & PNG_FORMAT_FLAG_ALPHA), 32u);
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << image.message;
  EXPECT_EQ(pixels, std::vector<png_byte>({0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0x56, 0x34, 0x12,
                                           0xFF, 0xFF, 0xFF, 0, 0, 0}));
  EXPECT_EQ(std::remove(path.c_str()) + rmdir(dir.c_str()), 0) << "a file left behind in " << dir;
}
#endif

}  // namespace
}  // namespace ondrix
