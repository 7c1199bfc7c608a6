// The fast walk against the plain one, pixel for pixel, on generated
// settings that sit on the seams where the fast walk skips work.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "draw_graph_test_support.h"
#include "render/raster_surface.h"

namespace ondrix {
namespace {

class Random {
 public:
  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
  template <typename T, int N>
  T Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  std::uint64_t state_ = 8;
};

constexpr double kPi = 3.14159265358979323846;

// A range at 0, near it or far from it on either side; its tick spacing from
// a few per range down to many per pixel, sometimes with a multiple on an edge.
void MakeRange(Random& random, double& minimum, double& maximum, double& tick) {
  const double centres[] = {0, 0.3, -0.3, 7, -7, 1e3, -1e3, 1e5, -1e5, 2.5e4};
  const double widths[] = {1e-3, 0.05, 1, 1, 10, 20, 300};
  const double width = random.Pick(widths) * (0.5 + random.Unit());
  minimum = random.Pick(centres) - width * random.Unit();
  maximum = minimum + width;
  tick = width * std::pow(10.0, -4.0 * random.Unit() + 0.3);
  if (random.Below(4) == 0) {
    minimum = std::round(minimum / tick) * tick;
  }
  if (random.Below(4) == 0) {
    maximum = std::round(maximum / tick) * tick;
  }
}

GraphSettings MakeSettings(Random& random) {
  GraphSettings s = test::DistinctColorSettings();
  const std::int32_t connections[] = {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION};
  s.graphMethod = random.Pick(kFunctionMethods);
  s.connectMethod = random.Pick(connections);
  s.sonar = random.Below(2);
  s.grid = random.Below(2);
  MakeRange(random, s.values[MinimumX], s.values[MaximumX], s.values[XTickFrequency]);
  MakeRange(random, s.values[MinimumY], s.values[MaximumY], s.values[YTickFrequency]);
  const double sizes[] = {0, 1, 3, 20, 150, 1e4, 1e9};
  s.values[SonarWidth] = random.Pick(sizes);
  s.values[TickMarkSize] = random.Pick(sizes);
  const double as[] = {1, -2, 0.01, 1e3, 1e9};
  s.values[AModifier] = random.Pick(as);
  s.values[DModifier] =
      s.values[MinimumY] + random.Unit() * (s.values[MaximumY] - s.values[MinimumY]);
  const double bs[] = {1, -1, 3, 0.5, 40, 1e-3};
  const double b = random.Pick(bs);
  s.values[BModifier] = b;
  // An asymptote (a zero of the sine or cosine) on, just inside or just
  // outside an edge, or anywhere.
  const double nudges[] = {0, 1e-9, -1e-9, 4e-5, -4e-5, 6e-5, -6e-5, 1e-3, -1e-3};
  const double edge = random.Below(2) ? s.values[MinimumX] : s.values[MaximumX];
  const double zero = (random.Below(2) ? kPi / 2 : 0) + kPi * random.Below(3);
  s.values[CModifier] =
      random.Below(4) == 0 ? random.Unit() * 7 : zero - b * edge + random.Pick(nudges);
  return s;
}

// About how many steps the plain walk takes: it counts out from 0 to each bound.
double PlainSteps(const GraphSettings& s, std::int32_t right) {
  auto far = [&](GraphValue low, GraphValue high) {
    return std::fmax(std::fabs(s.values[low]), std::fabs(s.values[high]));
  };
  const double pixel = (s.values[MaximumX] - s.values[MinimumX]) / right;
  return far(MinimumX, MaximumX) / std::fmin(pixel, s.values[XTickFrequency]) +
         far(MinimumY, MaximumY) / s.values[YTickFrequency];
}

TEST(DrawGraphDifferential, FastWalkDrawsThePlainWalksPixels) {
  Random random;
  int compared = 0;
  int skipped = 0;
  long long differing = 0;
  for (int n = 0; n < 3000; ++n) {
    const std::int32_t right = n % 97 == 0 ? 1920 : n % 41 == 0 ? 1 : 1 + random.Below(60);
    const std::int32_t bottom = n % 97 == 0 ? 1080 : n % 43 == 0 ? 1 : 1 + random.Below(60);
    GraphSettings settings = MakeSettings(random);
    while (PlainSteps(settings, right) > 3e4) {
      settings = MakeSettings(random);
    }
    RasterSurface plain(right, bottom);
    RasterSurface fast(right, bottom);
    // The plain walk runs from 0 outward; cases it would take long over are left out.
    int polls = 0;
    DrawOptions options;
    options.plainWalk = true;
    options.shouldStop = [&polls] { return ++polls > 40; };
    if (!DrawGraph(plain, 0, 0, right, bottom, settings, options)) {
      ++skipped;
      continue;
    }
    DrawGraph(fast, 0, 0, right, bottom, settings);
    ++compared;
    int wrong = 0;
    for (std::size_t i = 0; i < plain.Pixels().size(); ++i) {
      wrong += plain.Pixels()[i] != fast.Pixels()[i];
    }
    differing += wrong;
    if (wrong != 0) {
      ADD_FAILURE() << "case " << n << ": " << wrong << " pixels differ";
    }
  }
  std::printf("fast vs plain: %d cases compared, %d left out, %lld differing pixels\n", compared,
              skipped, differing);
  EXPECT_GE(compared, 2000);
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace ondrix
