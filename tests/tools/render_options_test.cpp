#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "model/value_text.h"
#include "tools/render_options.h"

namespace ondrix {
namespace {

TEST(RenderOptions, EveryOptionReachesTheSettings) {
  RenderOptions options;
  std::string error;
  ASSERT_TRUE(ParseRenderOptions({}, options, error)) << error;
  EXPECT_EQ(options.width * 1000 + options.height, 800600);
  EXPECT_STREQ(options.settings.functionName, "Sine");
  EXPECT_FALSE(options.trace || options.values || !options.pngPath.empty());

  ASSERT_TRUE(ParseRenderOptions(
      {"--size", "32767x3051", "--function=cotangent", "--connect", "unconnected", "--grid=off",
       "--sonar=on", "--value=Minimum X=-p", "--value", "Maximum X=7=2",
       "--color=Axis Color=0x00ABCDEF", "--color=Grid Line Color=0xFFFFFF",
       "--color=Point Color=0x0", "--png", "out.png", "--trace", "--values"},
      options, error))
      << error;
  const GraphSettings& s = options.settings;
  EXPECT_EQ(options.width * 10000 + options.height, 327673051);
  EXPECT_EQ(s.graphMethod * 1000 + s.connectMethod, CM_COTANGENT * 1000 + CM_UNCONNECTED_DOTS);
  EXPECT_STREQ(s.functionName, "Cotangent");
  EXPECT_EQ(s.grid * 10 + s.sonar, 1);
  EXPECT_STREQ(s.valueTexts[MinimumX], "-1p") << "values are parsed as the program parses them";
  EXPECT_EQ(s.values[MinimumX], -kPi);
  EXPECT_STREQ(s.valueTexts[MaximumX], "7=2");
  EXPECT_EQ(s.colors[Axis], 0xABCDEFu);
  EXPECT_EQ(s.colors[GridLine] + s.colors[Point], 0xFFFFFFu);
  EXPECT_EQ(options.pngPath, "out.png");
  EXPECT_TRUE(options.trace && options.values);
  ASSERT_TRUE(
      ParseRenderOptions({"--value", "A Modifier=" + std::string(49, '2')}, options, error));
  EXPECT_EQ(ValueTextLength(options.settings.valueTexts[AModifier]), 49);
  ASSERT_TRUE(ParseRenderOptions({"--values", "--size", "10000x10000"}, options, error)) << error;
  EXPECT_TRUE(options.values && !options.trace);
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
    if (!bad.empty() && argument.rfind("--png", 0) != 0) {
      EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
  }
}

TEST(RenderOptions, ValuesListingHasSeventeenDigits) {
  RenderOptions options;
  std::string error;
  ASSERT_TRUE(ParseRenderOptions({}, options, error));
  const std::string listing = FormatValues(options.settings);
  EXPECT_NE(listing.find("X Tick Mark Frequency\t.0833333333333333p\t0.26179938779914935\n"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("Minimum X\t-2p\t-6.2831853071795862\n"), std::string::npos) << listing;
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), kValueCount);
}

}  // namespace
}  // namespace ondrix
