#include "tools/png_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "render/draw_graph.h"
#include "render/trace_surface.h"

#if ONDRIX_HAVE_PNG
#include <png.h>
#include <unistd.h>
#endif

namespace ondrix {
namespace {

TEST(TraceSurfaceStream, WritesTheLinesThatTextKeeps) {
  GraphSettings settings = DefaultGraphSettings();
  settings.sonar = 1;
  TraceSurface kept;
  DrawGraph(kept, 0, 0, 300, 200, settings);
  std::ostringstream stream;
  TraceSurface streamed(stream);
  DrawGraph(streamed, 0, 0, 300, 200, settings);
  EXPECT_EQ(stream.str(), kept.Text());
  EXPECT_EQ(streamed.Text(), "");
}

#if ONDRIX_HAVE_PNG

// A fresh directory per test, removed with what the test left in it.
class PngWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "ondrix-png-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern + "/";
  }
  void TearDown() override {
    std::remove((dir_ + "graph.png").c_str());
    EXPECT_EQ(rmdir(dir_.c_str()), 0) << "a file left behind in " << dir_;
  }
  std::string dir_;
};

TEST_F(PngWriterTest, WritesEveryPixelAsRgb) {
  RasterSurface surface(3, 2, 0x00FFFFFF);
  const Color colors[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00123456, 0x00FFFFFF, 0};
  for (int i = 0; i < 6; ++i) {
    surface.SetPixel(i % 3, i / 3, colors[i]);
  }
  std::string error;
  ASSERT_TRUE(WritePng(dir_ + "graph.png", surface, error)) << error;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, (dir_ + "graph.png").c_str()));
  EXPECT_EQ(image.width * 10 + image.height, 32u);
  EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << image.message;
  EXPECT_EQ(pixels, std::vector<png_byte>({0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0x56, 0x34, 0x12,
                                           0xFF, 0xFF, 0xFF, 0, 0, 0}));
}

TEST_F(PngWriterTest, ReportsWhatCannotBeWritten) {
  const struct {
    std::string path;
    std::int32_t width;
    std::string why;
  } cases[] = {{dir_ + "missing/graph.png", 4, "No such file or directory"},
               {dir_ + "graph.png", 0, "a PNG image needs at least one pixel"}};
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(WritePng(c.path, RasterSurface(c.width, 5), error));
    EXPECT_EQ(error, "cannot write " + c.path + ": " + c.why);
  }
}

#else

TEST(PngWriterTest, SaysPngIsOnlyInTheNativeBuild) {
  std::string error;
  EXPECT_FALSE(WritePng("graph.png", RasterSurface(2, 2), error));
  EXPECT_EQ(error, "PNG output is not available in this build; use the native ondrix-render");
}

#endif

}  // namespace
}  // namespace ondrix
