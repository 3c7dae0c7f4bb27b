#include "io/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <string>

#include "io/file_util.h"

namespace {

struct PngError {
  char text[160] = "";
};

void on_error(png_structp png, png_const_charp message) {
  PngError* error = static_cast<PngError*>(png_get_error_ptr(png));
  std::snprintf(error->text, sizeof error->text, "%s", message ? message : "libpng failed");
  png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}

// The picture through libpng into out; false with error filled when libpng
// gives up. Only plain values live in this frame, which libpng may leave by
// a long jump.
bool encode(std::FILE* out, const unsigned char* rgb, int width, int height, PngError* error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, error, on_error, on_warning);
  if (png == nullptr) {
    std::snprintf(error->text, sizeof error->text, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    if (info == nullptr) std::snprintf(error->text, sizeof error->text, "out of memory");
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, out);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t row = 3 * static_cast<size_t>(width);
  for (int y = 0; y < height; y++) png_write_row(png, rgb + row * y);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool write_png(const char* file_name, const unsigned char* rgb, int width, int height) {
  const char* name = file_name ? file_name : "";
  std::string why;
  if (rgb == nullptr || width < 1 || height < 1) {
    std::fprintf(stderr, "%s: no picture to write\n", name);
    return false;
  }
  ReplacingFile file;
  if (!file.open(name, why)) {
    std::fprintf(stderr, "%s: cannot write: %s\n", name, why.c_str());
    return false;
  }
  PngError error;
  if (!encode(file.file(), rgb, width, height, &error)) {
    std::fprintf(stderr, "%s: cannot write the picture: %s\n", name, error.text);
    return false;  // the temporary file goes with the writer
  }
  if (!file.commit(why)) {
    std::fprintf(stderr, "%s: %s\n", name, why.c_str());
    return false;
  }
  return true;
}
