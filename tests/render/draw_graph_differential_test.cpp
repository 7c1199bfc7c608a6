// The fast walk against the plain one, pixel for pixel, on generated
// settings that sit on the seams where the fast walk skips work.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "render/draw_graph.h"
#include "render/raster_surface.h"

namespace ondrix {
namespace {

constexpr double kPi = 3.14159265358979323846;
std::mt19937_64 random(8);
template <typename T, int N>
T Pick(const T (&items)[N]) {
  return items[random() % N];
}
double Unit() {
  return static_cast<double>(random() >> 11) / 9007199254740992.0;
}

// A range at 0, near it or far from it on either side; its tick spacing from
// a few per range down to many per pixel, sometimes with a multiple on an edge.
void MakeRange(double* values, GraphValue minimum, GraphValue maximum, GraphValue tick) {
  const double centres[] = {0, 0.3, -0.3, 7, -7, 1e3, -1e3, 1e5, -1e5, 2.5e4};
  const double widths[] = {1e-3, 0.05, 1, 1, 10, 20, 300}, edge[] = {0, 0, 0, 1};
  const double width = Pick(widths) * (0.5 + Unit());
  values[tick] = width * std::pow(10.0, -4.0 * Unit() + 0.3);
  values[minimum] = Pick(centres) - width * Unit();
  values[maximum] = values[minimum] + width;
  for (GraphValue bound : {minimum, maximum}) {
    values[bound] =
        Pick(edge) ? std::round(values[bound] / values[tick]) * values[tick] : values[bound];
  }
}

// Surfaces mostly small, the plain walk at most some 20000 steps from 0 out.
GraphSettings MakeSettings(std::int32_t right) {
  GraphSettings s = DefaultGraphSettings();
  for (int c = 0; c < kColorCount; ++c) {
    s.colors[c] = 0x11 * (c + 1);
  }
  const std::int32_t connections[] = {CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, CM_NO_CONNECTION};
  // Amplitudes from flat to far steeper than the y range; sizes up to far beyond the surface.
  const double sizes[] = {0, 1, 3, 20, 150, 1e4, 1e9}, as[] = {0.4, -0.4, 5, 300, 1e-3, 1e7};
  const double bs[] = {1, -1, 3, 0.5, 40, 1e-3},
               nudges[] = {0, 1e-9, -1e-9, 4e-5, -4e-5, 6e-5, -6e-5, 1e-3};
  double* v = s.values;
  do {
    s.graphMethod = Pick(kFunctionMethods);
    s.connectMethod = Pick(connections);
    s.sonar = random() % 2;
    s.grid = random() % 2;
    MakeRange(v, MinimumX, MaximumX, XTickFrequency);
    MakeRange(v, MinimumY, MaximumY, YTickFrequency);
    v[SonarWidth] = Pick(sizes);
    v[TickMarkSize] = Pick(sizes);
    v[AModifier] = (v[MaximumY] - v[MinimumY]) * Pick(as);
    v[DModifier] = v[MinimumY] + Unit() * (v[MaximumY] - v[MinimumY]);
    v[BModifier] = Pick(bs);
    // A zero of the sine or cosine (an asymptote) on, just inside or just outside an edge.
    const double zero = (random() % 2 ? kPi / 2 : 0) + kPi * (random() % 3) + Pick(nudges);
    v[CModifier] =
        random() % 4 ? zero - v[BModifier] * v[random() % 2 ? MinimumX : MaximumX] : Unit() * 7;
  } while (std::fmax(-v[MinimumX], v[MaximumX]) * right / (v[MaximumX] - v[MinimumX]) +
               std::fmax(-v[MinimumX], v[MaximumX]) / v[XTickFrequency] +
               std::fmax(-v[MinimumY], v[MaximumY]) / v[YTickFrequency] >
           2e4);
  return s;
}

TEST(DrawGraphDifferential, FastWalkDrawsThePlainWalksPixels) {
  long long cases = 0, differing = 0;
  for (; cases < 3000; ++cases) {
    const std::int32_t right = cases % 97 == 0 ? 1920 : cases % 41 == 0 ? 1 : 1 + random() % 60;
    const std::int32_t bottom = cases % 97 == 0 ? 1080 : cases % 43 == 0 ? 1 : 1 + random() % 60;
    const GraphSettings settings = MakeSettings(right);
    RasterSurface plain(right, bottom), fast(right, bottom);
    DrawGraph(plain, 0, 0, right, bottom, settings, DrawOptions{true, nullptr});
    DrawGraph(fast, 0, 0, right, bottom, settings);
    int wrong = 0;
    for (std::size_t i = 0; i < plain.Pixels().size(); ++i) {
      wrong += plain.Pixels()[i] != fast.Pixels()[i];
    }
    EXPECT_EQ(wrong, 0) << "case " << cases;
    differing += wrong;
  }
  std::printf("fast vs plain: %lld cases, %lld differing pixels\n", cases, differing);
}

}  // namespace
}  // namespace ondrix
