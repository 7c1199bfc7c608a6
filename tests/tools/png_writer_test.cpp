#include "tools/png_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#if ONDRIX_HAVE_PNG
#include <png.h>
#endif

namespace ondrix {
namespace {

bool FileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  std::fclose(file);
  return true;
}

#if ONDRIX_HAVE_PNG

TEST(PngWriterTest, WritesEveryPixelAsRgb) {
  RasterSurface surface(3, 2, 0x00FFFFFF);
  surface.SetPixel(0, 0, 0x000000FF);
  surface.SetPixel(1, 0, 0x0000FF00);
  surface.SetPixel(2, 0, 0x00FF0000);
  surface.SetPixel(0, 1, 0x00123456);
  surface.SetPixel(2, 1, 0x00000000);
  const std::string path = ::testing::TempDir() + "ondrix_png_writer_test.png";
  std::string error;
  ASSERT_TRUE(WritePng(path, surface, error)) << error;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  EXPECT_EQ(image.width, 3u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << image.message;
  std::remove(path.c_str());
  const std::vector<png_byte> expected = {
      0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF,
      0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00,
  };
  EXPECT_EQ(pixels, expected);
}

TEST(PngWriterTest, ReportsWhatCannotBeWritten) {
  std::string error;
  const std::string missing = ::testing::TempDir() + "ondrix-no-such-dir/graph.png";
  EXPECT_FALSE(WritePng(missing, RasterSurface(4, 4), error));
  EXPECT_EQ(error.rfind("cannot write " + missing + ": ", 0), 0u) << error;

  error.clear();
  const std::string empty = ::testing::TempDir() + "ondrix_png_writer_empty.png";
  EXPECT_FALSE(WritePng(empty, RasterSurface(0, 5), error));
  EXPECT_EQ(error, "cannot write " + empty + ": a PNG image needs at least one pixel");
  EXPECT_FALSE(FileExists(empty));
}

#else

TEST(PngWriterTest, SaysPngIsOnlyInTheNativeBuild) {
  std::string error;
  EXPECT_FALSE(WritePng("graph.png", RasterSurface(2, 2), error));
  EXPECT_EQ(error, "PNG output is not available in this build; use the native ondrix-render");
  EXPECT_FALSE(FileExists("graph.png"));
}

#endif

}  // namespace
}  // namespace ondrix
