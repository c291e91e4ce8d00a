#include "imgpack_libjpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace imgpack {
namespace {

// The widest and tallest picture a PLN image holds (signed 16-bit sizes).
constexpr JDIMENSION kMaxSide = 32767;

// libjpeg reports errors by calling error_exit, which must not return: it
// jumps back to the call that set `exit`. The functions that set it keep
// every object with a destructor in their callers' frames.
struct ErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf exit;
  char message[JMSG_LENGTH_MAX];
  bool warned;
};

void onError(j_common_ptr info) {
  ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->exit, 1);
}

// Warnings (level -1) mean damaged data; the first one is kept.
void onMessage(j_common_ptr info, int level) {
  ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
  if (level >= 0 || errors->warned) return;
  info->err->format_message(info, errors->message);
  errors->warned = true;
}

jpeg_error_mgr* installErrors(ErrorManager* errors) {
  jpeg_std_error(&errors->manager);
  errors->manager.error_exit = onError;
  errors->manager.emit_message = onMessage;
  errors->message[0] = 0;
  errors->warned = false;
  return &errors->manager;
}

// Reads the file into `out` (sized by the caller once the header is known).
// Returns false with the reason in `errors->message`.
bool readPixels(const std::vector<uint8_t>& jpeg, RgbImage* out, ErrorManager* errors) {
  jpeg_decompress_struct info;
  info.err = installErrors(errors);
  if (setjmp(errors->exit)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  if (info.image_width > kMaxSide || info.image_height > kMaxSide) {
    std::snprintf(errors->message, sizeof errors->message, "%ux%u pixels is larger than an image can be",
                  info.image_width, info.image_height);
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  out->width = static_cast<int>(info.output_width);
  out->height = static_cast<int>(info.output_height);
  out->rgb.resize(static_cast<size_t>(out->width) * out->height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out->rgb.data() + static_cast<size_t>(info.output_scanline) * out->width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return !errors->warned;
}

struct Encoded {
  unsigned char* bytes = nullptr;  // allocated by libjpeg with malloc
  unsigned long size = 0;
};

bool writePixels(const RgbImage& image, int quality, Encoded* out, ErrorManager* errors) {
  jpeg_compress_struct info;
  info.err = installErrors(errors);
  if (setjmp(errors->exit)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &out->bytes, &out->size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, JCS_YCbCr);
  jpeg_set_quality(&info, quality, TRUE);
  info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 2;
  for (int c = 1; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  info.optimize_coding = FALSE;
  info.restart_interval = 0;
  info.restart_in_rows = 0;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.rgb.data() + static_cast<size_t>(info.next_scanline) * image.width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool decodeJpeg(const std::vector<uint8_t>& jpeg, RgbImage* out, std::string* error) {
  ErrorManager errors;
  if (readPixels(jpeg, out, &errors)) return true;
  *error = std::string(errors.warned ? "damaged JPEG: " : "cannot read the JPEG: ") + errors.message;
  return false;
}

bool encodeStandardJpeg(const RgbImage& image, int quality, std::vector<uint8_t>* out, std::string* error) {
  ErrorManager errors;
  Encoded encoded;
  const bool ok = writePixels(image, std::clamp(quality, 1, 100), &encoded, &errors);
  if (ok) out->assign(encoded.bytes, encoded.bytes + encoded.size);
  std::free(encoded.bytes);
  if (!ok) *error = std::string("cannot encode the picture: ") + errors.message;
  return ok;
}

}  // namespace imgpack
