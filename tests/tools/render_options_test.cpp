#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/value_text.h"
#include "tools/render_options.h"

namespace ondrix {
namespace {

TEST(RenderOptions, DefaultsAreTheProgramsDefaults) {
  RenderOptions options;
  std::string error;
  ASSERT_TRUE(ParseRenderOptions({}, options, error)) << error;
  EXPECT_EQ(options.width, 800);
  EXPECT_EQ(options.height, 600);
  EXPECT_STREQ(options.settings.functionName, "Sine");
  EXPECT_EQ(options.settings.values[XTickFrequency], 0.26179938779914935);
  EXPECT_FALSE(options.trace);
  EXPECT_FALSE(options.values);
  EXPECT_TRUE(options.pngPath.empty());
}

TEST(RenderOptions, EveryOptionReachesTheSettings) {
  RenderOptions options;
  std::string error;
  ASSERT_TRUE(ParseRenderOptions(
      {"--size", "320x200", "--function=cotangent", "--connect", "unconnected", "--grid", "off",
       "--sonar=on", "--value", "Minimum X=-p", "--value", "Y Tick Mark Frequency=.5", "--color",
       "Axis Color=0x123456", "--png", "out.png", "--trace", "--values"},
      options, error))
      << error;
  const GraphSettings& s = options.settings;
  EXPECT_EQ(options.width, 320);
  EXPECT_EQ(options.height, 200);
  EXPECT_EQ(s.graphMethod, CM_COTANGENT);
  EXPECT_STREQ(s.functionName, "Cotangent");
  EXPECT_EQ(s.connectMethod, CM_UNCONNECTED_DOTS);
  EXPECT_EQ(s.grid, 0);
  EXPECT_EQ(s.sonar, 1);
  EXPECT_STREQ(s.valueTexts[MinimumX], "-1p") << "values are parsed as the program parses them";
  EXPECT_EQ(s.values[MinimumX], -kPi);
  EXPECT_EQ(s.values[YTickFrequency], 0.5);
  EXPECT_EQ(s.colors[Axis], 0x123456u);
  EXPECT_EQ(options.pngPath, "out.png");
  EXPECT_TRUE(options.trace);
  EXPECT_TRUE(options.values);
}

TEST(RenderOptions, BadArgumentsGiveAMessageNamingThem) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {"--size", "800"},
      {"--size", "0x600"},
      {"--size", "-5x600"},
      {"--size", "800x600x2"},
      {"--size", "99999999999999999999x2"},
      {"--size", "32767x32767"},
      {"--function", "sinus"},
      {"--connect", "dotted"},
      {"--grid", "yes"},
      {"--sonar", ""},
      {"--value", "Minimum Z=3"},
      {"--value", "Minimum X"},
      {"--value", "Minimum X=" + std::string(50, '1')},
      {"--color", "Axis Color=123456"},
      {"--color", "Axis Color=0x1000000"},
      {"--color", "Axis Color=0xGG"},
      {"--color", "Axis=0x10"},
      {"--png"},
      {"--trace=yes"},
  };
  for (const auto& arguments : cases) {
    RenderOptions options;
    std::string error;
    EXPECT_FALSE(ParseRenderOptions(arguments, options, error)) << arguments[0];
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
    const std::string& bad = arguments.size() > 1 ? arguments[1] : arguments[0];
    if (!bad.empty() && arguments[0] != "--png") {
      EXPECT_NE(error.find(bad.substr(0, 20)), std::string::npos) << error;
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
