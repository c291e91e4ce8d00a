#include "rc_image.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#include "base/image_limits.h"
#include "rc_bytes.h"

namespace rc {

namespace {

std::vector<uint8_t> dibFromRgb(const std::vector<uint8_t>& rgb, uint32_t width, uint32_t height) {
  const uint32_t stride = (width * 3 + 3) & ~3u;
  Bytes out;
  out.dword(40);
  out.dword(width);
  out.dword(height);  // positive: bottom-up
  out.word(1);
  out.word(24);
  out.dword(0);  // BI_RGB
  out.dword(stride * height);
  out.dword(3780);  // 96 dpi in pixels per metre
  out.dword(3780);
  out.dword(0);
  out.dword(0);
  for (uint32_t row = height; row-- > 0;) {
    const uint8_t* src = rgb.data() + static_cast<size_t>(row) * width * 3;
    for (uint32_t x = 0; x < width; ++x) {
      out.byte(src[x * 3 + 2]);
      out.byte(src[x * 3 + 1]);
      out.byte(src[x * 3]);
    }
    for (uint32_t pad = width * 3; pad < stride; ++pad) out.byte(0);
  }
  return std::move(out.data());
}

std::vector<uint8_t> fromPng(const std::filesystem::path& file, std::string* error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) {
    *error = image.message;
    return {};
  }
  if (std::string problem = base::imageSizeProblem(image.width, image.height); !problem.empty()) {
    *error = std::move(problem);
    png_image_free(&image);
    return {};
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  png_color white{255, 255, 255};
  if (!png_image_finish_read(&image, &white, rgb.data(), 0, nullptr)) {
    *error = image.message;
    png_image_free(&image);
    return {};
  }
  return dibFromRgb(rgb, image.width, image.height);
}

std::vector<uint8_t> fromBmp(const std::filesystem::path& file, std::string* error) {
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 14 + 40 || bytes[0] != 'B' || bytes[1] != 'M') {
    *error = "not a BMP file";
    return {};
  }
  return std::vector<uint8_t>(bytes.begin() + 14, bytes.end());
}

}  // namespace

std::vector<uint8_t> loadBitmapAsDib(const std::filesystem::path& file, std::string* error) {
  std::string ext = file.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".bmp") return fromBmp(file, error);
  return fromPng(file, error);
}

}  // namespace rc
