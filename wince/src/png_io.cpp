#include "wince/host/png_io.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/byte_reader.h"
#include "base/image_limits.h"
#include "wince/host/file.h"

namespace wince {
namespace {

void setError(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

// libpng reports errors through longjmp; the message is kept for the caller.
struct PngErrors {
  std::string message;
};

void onError(png_structp png, png_const_charp message) {
  auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
  if (errors != nullptr) errors->message = message;
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<base::ByteReader*>(png_get_io_ptr(png));
  if (!reader->readBytes(out, length)) png_error(png, "truncated file");
}

// Packs `count` RGBA pixels of image.rgb down to RGB in place, keeping their
// alpha apart when the picture has transparency.
void splitAlpha(RgbImage& image, size_t count, bool transparent) {
  if (transparent) image.alpha.resize(count);
  uint8_t* p = image.rgb.data();
  for (size_t i = 0; i < count; ++i) {
    const uint8_t r = p[4 * i], g = p[4 * i + 1], b = p[4 * i + 2], a = p[4 * i + 3];
    p[3 * i] = r;
    p[3 * i + 1] = g;
    p[3 * i + 2] = b;
    if (transparent) image.alpha[i] = a;
  }
  image.rgb.resize(count * 3);
}

// A picture larger than a bitmap may be is refused before it is decoded.
[[gnu::noinline]] bool refuseSize(png_uint_32 width, png_uint_32 height, std::string* error) {
  setError(error, base::imageSizeProblem(width, height));
  return false;
}

bool decode(base::ByteReader* reader, RgbImage* out, std::string* error) {
  PngErrors errors;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors, onError, onWarning);
  if (png == nullptr) return setError(error, "out of memory"), false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return setError(error, "out of memory"), false;
  }
  // Heap objects: their state must survive a longjmp back here.
  auto image = std::make_unique<RgbImage>();
  auto rows = std::make_unique<std::vector<png_bytep>>();
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return setError(error, "damaged PNG: " + errors.message), false;
  }
  png_set_read_fn(png, reader, readFromMemory);
  png_set_user_limits(png, base::kMaxImageSide, base::kMaxImageSide);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int depth = 0, colour = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colour, nullptr, nullptr, nullptr);
  if (!base::imageSizeFits(width, height)) {
    png_destroy_read_struct(&png, &info, nullptr);
    return refuseSize(width, height, error);
  }
  if (depth == 16) png_set_strip_16(png);
  if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) {
    if (depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
  }
  const bool transparent = (colour & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (!transparent) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) png_error(png, "unsupported pixel layout");
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  const size_t count = static_cast<size_t>(width) * height;
  image->rgb.resize(count * 4);
  rows->resize(height);
  for (png_uint_32 y = 0; y < height; ++y) (*rows)[y] = image->rgb.data() + static_cast<size_t>(y) * width * 4;
  png_read_image(png, rows->data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  splitAlpha(*image, count, transparent);
  *out = std::move(*image);
  return true;
}

// libpng's output into memory.
void appendToBuffer(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void flushNothing(png_structp) {}

bool encodeToMemory(int width, int height, const std::vector<uint8_t>& rgb, std::vector<uint8_t>* out,
                    std::string* error) {
  PngErrors errors;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors, onError, onWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return setError(error, "cannot write PNG: " + errors.message), false;
  }
  png_set_write_fn(png, out, appendToBuffer, flushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    rows[static_cast<size_t>(y)] = const_cast<png_bytep>(rgb.data() + static_cast<size_t>(y) * width * 3);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool encode(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb, std::string* error) {
  if (width <= 0 || height <= 0) return setError(error, "empty image"), false;
  std::vector<uint8_t> bytes;
  if (!encodeToMemory(width, height, rgb, &bytes, error)) return false;
  if (!writeFileAtomically(path, bytes.data(), bytes.size())) return setError(error, "cannot write " + path), false;
  return true;
}

}  // namespace

RgbImage fromRgb565(const uint16_t* pixels, int width, int height, size_t strideBytes) {
  RgbImage image;
  if (pixels == nullptr || width <= 0 || height <= 0) return image;
  image.width = width;
  image.height = height;
  image.rgb.resize(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint8_t*>(pixels) + strideBytes * y;
    for (int x = 0; x < width; ++x) {
      uint16_t v;
      std::memcpy(&v, row + x * 2, 2);
      uint8_t* o = image.rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
      o[0] = static_cast<uint8_t>((v >> 8) & 0xF8);
      o[1] = static_cast<uint8_t>((v >> 3) & 0xFC);
      o[2] = static_cast<uint8_t>((v << 3) & 0xF8);
    }
  }
  return image;
}

bool writePng565(const std::string& path, const uint16_t* pixels, int width, int height, size_t strideBytes,
                 std::string* error) {
  if (pixels == nullptr || width <= 0 || height <= 0) return setError(error, "empty image"), false;
  return encode(path, width, height, fromRgb565(pixels, width, height, strideBytes).rgb, error);
}

bool writePngRgb(const std::string& path, const uint8_t* rgbIn, int width, int height, size_t strideBytes,
                 std::string* error) {
  if (rgbIn == nullptr || width <= 0 || height <= 0) return setError(error, "empty image"), false;
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    std::memcpy(rgb.data() + static_cast<size_t>(y) * width * 3, rgbIn + strideBytes * y, static_cast<size_t>(width) * 3);
  return encode(path, width, height, rgb, error);
}

bool readPngMemory(const uint8_t* data, size_t size, RgbImage* out, std::string* error) {
  if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) return setError(error, "not a PNG file"), false;
  base::ByteReader reader(data, size);
  return decode(&reader, out, error);
}

bool readPng(const std::string& path, RgbImage* out, std::string* error) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return setError(error, "cannot open " + path), false;
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return setError(error, "cannot read " + path), false;
  return readPngMemory(bytes.data(), bytes.size(), out, error);
}

std::vector<uint16_t> toRgb565(const RgbImage& image) {
  std::vector<uint16_t> out(static_cast<size_t>(image.width) * image.height);
  for (size_t i = 0; i < out.size(); ++i) {
    const uint8_t* p = image.rgb.data() + i * 3;
    out[i] = static_cast<uint16_t>(((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3));
  }
  return out;
}

std::string describeDifference(const RgbImage& expected, const RgbImage& actual, int tolerance) {
  auto size = [](const RgbImage& i) { return std::to_string(i.width) + "x" + std::to_string(i.height); };
  if (expected.width != actual.width || expected.height != actual.height)
    return "size " + size(actual) + ", expected " + size(expected);
  auto rgb = [](const uint8_t* p) {
    return "(" + std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]) + ")";
  };
  std::string first;
  size_t count = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const uint8_t *e = expected.pixel(x, y), *a = actual.pixel(x, y);
      bool same = true;
      for (int c = 0; c < 3; ++c) same = same && std::abs(e[c] - a[c]) <= tolerance;
      if (same) continue;
      if (count++ == 0)
        first = "pixel (" + std::to_string(x) + "," + std::to_string(y) + ") is " + rgb(a) + ", expected " + rgb(e);
    }
  }
  return count == 0 ? std::string() : first + "; " + std::to_string(count) + " pixels differ";
}

}  // namespace wince
