// imgpack blobset OUT (--palette|--packed|--direct) ID:FILE.png ...
// imgpack pln OUT (--raw|--palette) FILE.png
// imgpack dct OUT QUALITY FILE.jpg   (any JPEG; one made by cjpeg -baseline -quality QUALITY
//                                     -sample 2x2 keeps its data unchanged)
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "imgpack_blob.h"
#include "imgpack_jpeg.h"
#include "imgpack_pln.h"
#include "imgpack_png.h"
#include "tool_file.h"
#include "tool_number.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: imgpack blobset OUT (--palette|--packed|--direct) ID:FILE.png ...\n"
               "       imgpack pln OUT (--raw|--palette) FILE.png\n"
               "       imgpack dct OUT QUALITY FILE.jpg\n");
  return 2;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "imgpack: %s\n", message.c_str());
  return 1;
}

// Writes the output in one step: a failure leaves the old file and no
// temporary one.
int write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string error;
  return tools::writeWholeFile(path, bytes, error) ? 0 : fail(error);
}

int blobset(const std::string& out, const std::string& mode, int argc, char** argv) {
  imgpack::BlobStorage storage = imgpack::BlobStorage::Palette;
  if (mode == "--packed") storage = imgpack::BlobStorage::PalettePacked;
  else if (mode == "--direct") storage = imgpack::BlobStorage::Direct;
  else if (mode != "--palette") return usage();
  std::vector<imgpack::BlobImage> blobs;
  std::string error;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    const size_t colon = arg.find(':');
    if (colon == std::string::npos) return usage();
    uint64_t id = 0;
    if (!tools::parseNumber(std::string_view(arg).substr(0, colon), 0, 0xFFFF, id)) {
      return fail("blob id '" + arg.substr(0, colon) + "' is not a number from 0 to 65535");
    }
    imgpack::Image image;
    if (!imgpack::readPng(arg.substr(colon + 1), &image, &error)) return fail(error);
    imgpack::BlobImage blob;
    blob.id = static_cast<int16_t>(id);
    blob.width = image.width;
    blob.height = image.height;
    blob.pixels = std::move(image.pixels);
    blob.opaque = std::move(image.opaque);
    blobs.push_back(std::move(blob));
  }
  std::vector<uint8_t> bytes;
  if (!imgpack::buildBlobSet(blobs, storage, &bytes, &error)) return fail(error);
  return write(out, bytes);
}

int pln(const std::string& out, const std::string& mode, const std::string& file) {
  imgpack::Image image;
  std::string error;
  if (!imgpack::readPng(file, &image, &error)) return fail(error);
  std::vector<uint8_t> bytes;
  if (mode == "--raw") {
    bytes = imgpack::buildPlnRaw(image);
  } else if (mode == "--palette") {
    if (!imgpack::buildPlnPalette(image, &bytes, &error)) return fail(error);
  } else {
    return usage();
  }
  return write(out, bytes);
}

int dct(const std::string& out, const std::string& qualityText, const std::string& file) {
  uint64_t quality = 0;
  if (!tools::parseNumber(qualityText, 0, 0xFFFF, quality)) {
    return fail("quality '" + qualityText + "' is not a number from 0 to 65535");
  }
  std::vector<uint8_t> jpeg;
  std::string error;
  if (!tools::readWholeFile(file, jpeg, error)) return fail(error);
  imgpack::DctPayload payload;
  if (!imgpack::jpegToDct(jpeg, static_cast<int>(quality), &payload, &error)) return fail(file + ": " + error);
  return write(out, imgpack::buildPlnDct(payload.width, payload.height, payload.bytes));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  const std::string command = argv[1];
  if (command == "blobset") return blobset(argv[2], argv[3], argc - 4, argv + 4);
  if (command == "pln" && argc == 5) return pln(argv[2], argv[3], argv[4]);
  if (command == "dct" && argc == 5) return dct(argv[2], argv[3], argv[4]);
  return usage();
}
