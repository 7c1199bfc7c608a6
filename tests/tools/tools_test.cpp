#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tools/file_output.h"
#include "tools/render_options.h"

namespace ondrix {

TEST(RenderOptions, EveryOptionReachesTheSettingsAndABadOneIsNamed) {
  RenderOptions o;
  std::string error;
  ASSERT_TRUE(ParseRenderOptions(
      {"--size", "32767x3051", "--function=cotangent", "--connect", "unconnected", "--grid=off",
       "--sonar=on", "--value=Minimum X=-p", "--value", "Maximum X=7=2", "--value",
       "A Modifier=" + std::string(49, '2'), "--color=Axis Color=0x00ABCDEF",
       "--color=Grid Line Color=0XFFFFFF", "--color=Point Color=0x0", "--png", "out.png",
       "--svg=out.svg", "--trace"},
      o, error))
      << error;
  const GraphSettings& s = o.settings;
  EXPECT_EQ(
      std::vector<std::int64_t>({o.width, o.height, s.graphMethod, s.connectMethod, s.grid, s.sonar,
                                 s.colors[Axis], s.colors[GridLine], s.colors[Point]}),
      std::vector<std::int64_t>(
          {32767, 3051, CM_COTANGENT, CM_UNCONNECTED_DOTS, 0, 1, 0xABCDEF, 0xFFFFFF, 0}));
  EXPECT_STREQ(s.functionName, "Cotangent");
  EXPECT_TRUE(o.pngPath == "out.png" && o.svgPath == "out.svg" && o.trace && !o.values);
  const std::string listing = FormatValues(s);
  EXPECT_NE(listing.find("Minimum X\t-1p\t-3.1415926535897931\nMaximum X\t7=2\t7\n"), listing.npos)
      << listing;
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), kValueCount);
  ASSERT_TRUE(ParseRenderOptions({"--values", "--size", "10000x10000"}, o, error)) << error;
  EXPECT_TRUE(o.values && !o.trace && HasOutput(o));
  ASSERT_TRUE(ParseRenderOptions({"--numbers", "on", "--number-scale=64"}, o, error)) << error;
  EXPECT_TRUE(DrawOptionsOf(o).axisNumbers && DrawOptionsOf(o).numberScale == 64);
  ASSERT_TRUE(ParseRenderOptions({"--size=1x1"}, o, error)) << error;
  EXPECT_FALSE(HasOutput(o) || DrawOptionsOf(o).axisNumbers || DrawOptionsOf(o).numberScale != 1);
  EXPECT_EQ(NothingToDoMessage(),
            "nothing to do: give --png FILE, --svg FILE, --trace or --values");
  // One argument each, a form per way to fail; the message names what follows its '='.
  std::istringstream cases(
      "--bogus|--size=800|--size=0x600|--size=-5x600|--size=800x600x2|--size=32768x1|"
      "--size=99999999999999999999x2|--size=10000x10001|--function=sinus|--sonar=|--value==5|"
      "--value=Minimum=5|--value=Minimum X|--value=Minimum X=11111111111111111111111111111111111"
      "111111111111111|--color=Axis Color=123456|--color=Axis Color=0x1000000|--color=Axis "
      "Color=0x000000001|--color=Axis Color=0xGG|--color=Axis Color=0x|--color=Axis=0x10|--png|"
      "--svg=|--trace=yes|--number-scale=0|--number-scale=65|--number-scale=2x|--number-scale=");
  for (std::string argument; std::getline(cases, argument, '|');) {
    EXPECT_FALSE(ParseRenderOptions({argument}, o, error)) << argument;
    const std::string bad = argument.substr(argument.find('=') + 1, 20);
    EXPECT_TRUE(error.find('\n') == error.npos && error.find(bad) != error.npos) << error;
  }
}

TEST(FileOutput, ReplacesAWholeFileOrLeavesTheOldOne) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(::testing::TempDir()) / "ondrix-file-output";
  fs::remove_all(folder);
  fs::create_directories(folder / "a folder");
  const std::string target = (folder / "graph.svg").string();
  const auto read = [](const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(file), {}};
  };
  std::string error;
  ASSERT_TRUE(WriteFileReplacing(target, "old", error)) << error;
  ASSERT_TRUE(WriteFileReplacing(target, "<svg/>", error)) << error;
  EXPECT_EQ(read(target), "<svg/>");
  const std::string missing = (folder / "none" / "graph.svg").string();
  EXPECT_FALSE(WriteFileReplacing(missing, "x", error));
  EXPECT_EQ(error.rfind("cannot write " + missing + ": ", 0), 0u) << error;
  EXPECT_FALSE(WriteFileReplacing((folder / "a folder").string(), "x", error));
  EXPECT_EQ(error, "cannot write " + (folder / "a folder").string() + ": it is not a file");
  // Nothing beside the written file and the folder that could not be replaced.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
      << "a file left beside graph.svg and the folder";
  fs::remove_all(folder);
}

}  // namespace ondrix
