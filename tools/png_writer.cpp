#include "tools/png_writer.h"

#if ONDRIX_HAVE_PNG
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>
#endif

namespace ondrix {

#if ONDRIX_HAVE_PNG
namespace {

struct PngError {
  char message[200];
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* error = static_cast<PngError*>(png_get_error_ptr(png));
  std::snprintf(error->message, sizeof error->message, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Only plain data lives in this frame, so libpng's longjmp skips no destructor.
bool WriteImage(std::FILE* file, const RasterSurface& surface, png_bytep row, PngError* error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, error, OnPngError, OnPngWarning);
  if (png == nullptr) {
    std::snprintf(error->message, sizeof error->message, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::snprintf(error->message, sizeof error->message, "out of memory");
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(surface.Width()),
               static_cast<png_uint_32>(surface.Height()), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (std::int32_t y = 0; y < surface.Height(); ++y) {
    for (std::int32_t x = 0; x < surface.Width(); ++x) {
      const Color color = surface.PixelAt(x, y);
      png_bytep pixel = row + 3 * x;
      pixel[0] = static_cast<png_byte>(color & 0xFF);
      pixel[1] = static_cast<png_byte>((color >> 8) & 0xFF);
      pixel[2] = static_cast<png_byte>((color >> 16) & 0xFF);
    }
    png_write_row(png, row);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::string& path, const RasterSurface& surface, std::string& error) {
  if (surface.Width() <= 0 || surface.Height() <= 0) {
    error = "cannot write " + path + ": a PNG image needs at least one pixel";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(surface.Width()) * 3);
  PngError pngError{};
  const bool written = WriteImage(file, surface, row.data(), &pngError);
  const bool flushed = std::fflush(file) == 0 && std::ferror(file) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written) {
    error = "cannot write " + path + ": " + pngError.message;
    return false;
  }
  if (!flushed || !closed) {
    error = "cannot write " + path + ": " + std::strerror(flushed ? errno : flushError);
    return false;
  }
  return true;
}

#else

bool WritePng(const std::string&, const RasterSurface&, std::string& error) {
  error = "PNG output is not available in this build; use the native ondrix-render";
  return false;
}

#endif

}  // namespace ondrix
