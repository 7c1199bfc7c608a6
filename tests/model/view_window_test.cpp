// Where the main window's last image lies after a pan.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/value_text.h"
#include "model/view.h"

namespace ondrix {
namespace {

GraphSettings WithRanges(const char* minX, const char* maxX, const char* minY, const char* maxY) {
  GraphSettings settings = DefaultGraphSettings();
  std::strcpy(settings.valueTexts[MinimumX], minX);
  std::strcpy(settings.valueTexts[MaximumX], maxX);
  std::strcpy(settings.valueTexts[MinimumY], minY);
  std::strcpy(settings.valueTexts[MaximumY], maxY);
  ParseValueTexts(settings);
  return settings;
}

TEST(PanShift, EveryPanIsFoundToThePixelAndNothingElseIsAPan) {
  const ViewSize size{301, 201};
  for (const GraphSettings& start :
       {DefaultGraphSettings(), WithRanges("-1e6", "1e6", "-3.5", "0.25"),
        WithRanges("12.5p", "13p", "-1e-3", "1e-3"), WithRanges("-7", "-6.999", "100", "1000")}) {
    for (int dx = -290; dx <= 290; dx += 29)
      for (int dy : {-199, -1, 0, 3, 150}) {
        GraphSettings panned = start;
        ASSERT_TRUE(PanByPixels(panned, size, dx, dy)) << dx << ", " << dy;
        const auto shift = PanShift(start, panned, size);
        ASSERT_TRUE(shift.has_value()) << start.valueTexts[MinimumX] << " by " << dx << ", " << dy;
        EXPECT_EQ(shift->dx, dx) << start.valueTexts[MinimumX];
        EXPECT_EQ(shift->dy, dy) << start.valueTexts[MinimumX];
      }
  }
  const GraphSettings start = DefaultGraphSettings();
  GraphSettings zoomed = start, retitled = start, recoloured = start, reticked = start;
  ASSERT_TRUE(ZoomAboutCentre(zoomed, size, 1.25));
  retitled.graphMethod = CM_TANGENT;
  recoloured.colors[GridLine] ^= 1;
  std::strcpy(reticked.valueTexts[YTickFrequency], "0.5");
  ParseValueTexts(reticked);
  // Half a pixel to the right (the x range is 5 pi over 300 columns).
  const GraphSettings halfPixel =
      WithRanges("-1.9916666666666667p", "3.0083333333333333p", "-4", "4");
  const GraphSettings* others[] = {&zoomed, &retitled, &recoloured, &reticked, &halfPixel};
  for (const GraphSettings* other : others)
    EXPECT_FALSE(PanShift(start, *other, size).has_value()) << other->valueTexts[MinimumX];
  EXPECT_FALSE(PanShift(start, start, ViewSize{1, 201}).has_value());
}

}  // namespace
}  // namespace ondrix
