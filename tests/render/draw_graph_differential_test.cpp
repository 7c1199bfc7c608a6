// The fast walk against the plain one, pixel for pixel, on generated
// settings that sit on the seams where the fast walk skips work.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

#include "render/draw_graph.h"
#include "render/raster_surface.h"

namespace ondrix {
namespace {

std::mt19937_64 random(8);
int Below(int n) {
  return static_cast<int>(random() % static_cast<std::uint64_t>(n));
}
double Unit() {
  return static_cast<double>(random() >> 11) / 9007199254740992.0;
}
template <typename T, int N>
T Pick(const T (&items)[N]) {
  return items[Below(N)];
}

// A range at 0, near it or far from it on either side; its tick spacing from
// a few per range down to many per pixel, sometimes with a multiple on an edge.
void MakeRange(double& minimum, double& maximum, double& tick) {
  const double centres[] = {0, 0.3, -0.3, 7, -7, 1e3, -1e3, 1e5, -1e5, 2.5e4};
  const double widths[] = {1e-3, 0.05, 1, 1, 10, 20, 300};
  const double width = Pick(widths) * (0.5 + Unit());
  minimum = Pick(centres) - width * Unit();
  maximum = minimum + width;
  tick = width * std::pow(10.0, -4.0 * Unit() + 0.3);
  minimum = Below(4) == 0 ? std::round(minimum / tick) * tick : minimum;
  maximum = Below(4) == 0 ? std::round(maximum / tick) * tick : maximum;
}

GraphSettings MakeSettings() {
  GraphSettings s = DefaultGraphSettings();
  for (int c = 0; c < kColorCount; ++c) {
    s.colors[c] = 0x11 * (c + 1);
  }
  const std::int32_t connections[] = {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION};
  s.graphMethod = Pick(kFunctionMethods);
  s.connectMethod = Pick(connections);
  s.sonar = Below(2);
  s.grid = Below(2);
  MakeRange(s.values[MinimumX], s.values[MaximumX], s.values[XTickFrequency]);
  MakeRange(s.values[MinimumY], s.values[MaximumY], s.values[YTickFrequency]);
  const double sizes[] = {0, 1, 3, 20, 150, 1e4, 1e9};
  s.values[SonarWidth] = Pick(sizes);
  s.values[TickMarkSize] = Pick(sizes);
  // Amplitudes from flat to far steeper than the y range.
  const double as[] = {0.4, -0.4, 5, 300, 1e-3, 1e7};
  const double yRange = s.values[MaximumY] - s.values[MinimumY];
  s.values[AModifier] = yRange * Pick(as);
  s.values[DModifier] = s.values[MinimumY] + Unit() * yRange;
  const double bs[] = {1, -1, 3, 0.5, 40, 1e-3};
  s.values[BModifier] = Pick(bs);
  // A zero of the sine or cosine (an asymptote) on, just inside or just
  // outside an edge, or anywhere.
  const double nudges[] = {0, 1e-9, -1e-9, 4e-5, -4e-5, 6e-5, -6e-5, 1e-3, -1e-3};
  const double edge = s.values[Below(2) ? MinimumX : MaximumX];
  const double zero = (Below(2) ? M_PI / 2 : 0) + M_PI * Below(3);
  s.values[CModifier] =
      Below(4) == 0 ? Unit() * 7 : zero - s.values[BModifier] * edge + Pick(nudges);
  return s;
}

// About how many steps the plain walk takes: it counts out from 0 to each bound.
double PlainSteps(const GraphSettings& s, std::int32_t right) {
  const double pixel = (s.values[MaximumX] - s.values[MinimumX]) / right;
  return std::fmax(std::fabs(s.values[MinimumX]), std::fabs(s.values[MaximumX])) /
             std::fmin(pixel, s.values[XTickFrequency]) +
         std::fmax(std::fabs(s.values[MinimumY]), std::fabs(s.values[MaximumY])) /
             s.values[YTickFrequency];
}

TEST(DrawGraphDifferential, FastWalkDrawsThePlainWalksPixels) {
  int compared = 0;
  long long differing = 0;
  for (int n = 0; n < 3000; ++n) {
    // Mostly small; now and then one pixel or a full screen.
    const std::int32_t right = n % 97 == 0 ? 1920 : n % 41 == 0 ? 1 : 1 + Below(60);
    const std::int32_t bottom = n % 97 == 0 ? 1080 : n % 43 == 0 ? 1 : 1 + Below(60);
    GraphSettings settings = MakeSettings();
    while (PlainSteps(settings, right) > 2e4) {
      settings = MakeSettings();
    }
    RasterSurface plain(right, bottom);
    RasterSurface fast(right, bottom);
    DrawGraph(plain, 0, 0, right, bottom, settings, DrawOptions{true, nullptr});
    DrawGraph(fast, 0, 0, right, bottom, settings);
    int wrong = 0;
    for (std::size_t i = 0; i < plain.Pixels().size(); ++i) {
      wrong += plain.Pixels()[i] != fast.Pixels()[i];
    }
    EXPECT_EQ(wrong, 0) << "case " << n;
    differing += wrong;
    ++compared;
  }
  std::printf("fast vs plain: %d cases, %lld differing pixels\n", compared, differing);
}

}  // namespace
}  // namespace ondrix
