#include "imgpack_png.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "base/image_limits.h"

namespace imgpack {
namespace {

struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};
using File = std::unique_ptr<FILE, FileCloser>;

}  // namespace

bool readPng(const std::string& path, Image* out, std::string* error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    *error = path + ": " + png.message;
    return false;
  }
  if (const std::string problem = base::imageSizeProblem(png.width, png.height); !problem.empty()) {
    *error = path + ": " + problem;
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) {
    *error = path + ": " + png.message;
    png_image_free(&png);
    return false;
  }
  out->width = static_cast<int>(png.width);
  out->height = static_cast<int>(png.height);
  out->pixels.resize(static_cast<size_t>(out->width) * out->height);
  out->opaque.resize(out->pixels.size());
  for (size_t k = 0; k < out->pixels.size(); ++k) {
    const uint8_t* p = &rgba[4 * k];
    out->pixels[k] = static_cast<uint16_t>(((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3));
    out->opaque[k] = p[3] >= 128 ? 1 : 0;
  }
  return true;
}

bool writePng(const std::string& path, const Image& image, std::string* error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(image.pixels.size() * 3);
  for (size_t k = 0; k < image.pixels.size(); ++k) {
    const uint16_t c = image.pixels[k];
    rgb[3 * k] = static_cast<uint8_t>((c >> 11) << 3);
    rgb[3 * k + 1] = static_cast<uint8_t>(((c >> 5) & 0x3F) << 2);
    rgb[3 * k + 2] = static_cast<uint8_t>((c & 0x1F) << 3);
  }
  if (!png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr)) {
    *error = path + ": " + png.message;
    return false;
  }
  return true;
}

}  // namespace imgpack
